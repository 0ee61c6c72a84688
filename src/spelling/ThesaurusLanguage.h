#pragma once

#include <QStringList>

/// The languages the thesaurus knows, chosen from the program's language.
enum class ThesaurusLanguage {
    ltEnglish,
    ltCzech,
    ltDanish,
    ltEstonian,
    ltFrench,
    ltGerman,
    ltItalian,
    ltNorwegianBok,
    ltPolish,
    ltSpanish,
    ltRussian,
    ltSwedish,
    ltBrPort,
};

/// The thesaurus language of a language name ("german", the language file's name in lower
/// case): names are compared exactly, a name that holds "portuguese" gives Brazilian
/// Portuguese, and any other name English.
ThesaurusLanguage ThesaurusLanguageOf(const QString& languageName);

/// The locale codes whose thesaurus data serves a language, the best first ("pt_BR", "pt").
QStringList ThesaurusLocales(ThesaurusLanguage language);
