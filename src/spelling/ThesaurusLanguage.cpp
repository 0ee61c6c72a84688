#include "spelling/ThesaurusLanguage.h"

#include <array>

namespace {
using L = ThesaurusLanguage;

struct Named {
    const char* Name;
    ThesaurusLanguage Language;
};
// Tried top to bottom.
constexpr std::array<Named, 11> Names = { {
    { "czech", L::ltCzech },
    { "danish", L::ltDanish },
    { "estonian", L::ltEstonian },
    { "french", L::ltFrench },
    { "german", L::ltGerman },
    { "italian", L::ltItalian },
    { "norwegian", L::ltNorwegianBok },
    { "polish", L::ltPolish },
    { "spanish", L::ltSpanish },
    { "russian", L::ltRussian },
    { "swedish", L::ltSwedish },
} };
} // namespace

ThesaurusLanguage ThesaurusLanguageOf(const QString& languageName)
{
    for (const Named& named : Names) {
        if (languageName == QLatin1String(named.Name))
            return named.Language;
    }
    return languageName.contains(QLatin1String("portuguese")) ? L::ltBrPort : L::ltEnglish;
}

QStringList ThesaurusLocales(ThesaurusLanguage language)
{
    switch (language) {
    case L::ltEnglish:
        return { "en_US", "en" };
    case L::ltCzech:
        return { "cs_CZ", "cs" };
    case L::ltDanish:
        return { "da_DK", "da" };
    case L::ltEstonian:
        return { "et_EE", "et" };
    case L::ltFrench:
        return { "fr_FR", "fr" };
    case L::ltGerman:
        return { "de_DE", "de" };
    case L::ltItalian:
        return { "it_IT", "it" };
    case L::ltNorwegianBok:
        return { "nb_NO", "nb", "no" };
    case L::ltPolish:
        return { "pl_PL", "pl" };
    case L::ltSpanish:
        return { "es_ES", "es" };
    case L::ltRussian:
        return { "ru_RU", "ru" };
    case L::ltSwedish:
        return { "sv_SE", "sv" };
    case L::ltBrPort:
        return { "pt_BR", "pt" };
    }
    return {};
}
