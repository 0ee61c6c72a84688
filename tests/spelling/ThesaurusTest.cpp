#include "spelling/Thesaurus.h"

#include "TempFolder.h"
#include "ThesaurusFiles.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
/// The first synonym of the first meaning of a word, or "" when the thesaurus has none.
QString FirstSynonym(TThesaurus& thesaurus, const QString& word)
{
    const QList<ThesaurusMeaning> meanings = thesaurus.Lookup(word);
    return meanings.isEmpty() || meanings[0].Synonyms.isEmpty() ? QString()
                                                                : meanings[0].Synonyms[0];
}
} // namespace

TEST(ThesaurusLanguage, TheProgramsLanguageChoosesTheThesaurusLanguage)
{
    using L = ThesaurusLanguage;
    const struct {
        const char* Name;
        ThesaurusLanguage Language;
    } cases[] = {
        { "czech", L::ltCzech },
        { "norwegian", L::ltNorwegianBok },
        { "portuguese", L::ltBrPort },
        { "brazilian portuguese", L::ltBrPort },
        { "German", L::ltEnglish },
        { "german (swiss)", L::ltEnglish },
        { "english", L::ltEnglish },
        { "", L::ltEnglish },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ThesaurusLanguageOf(c.Name), c.Language) << c.Name;
}

TEST(Thesaurus, ChoosesTheLanguagesDataFromTheFirstFolderThatHoldsAny)
{
    TempFolder own;
    TempFolder system;
    WriteThesaurus(system.Path(), "th_en_US_v2", { { "lamp", { "(noun)|torch" } } });
    WriteThesaurus(system.Path(), "th_de_DE_v2", { { "Lampe", { "(Substantiv)|Leuchte" } } });
    WriteThesaurus(own.Path(), "th_en_GB", { { "lamp", { "(noun)|lantern" } } });
    WriteThesaurus(own.Path(), "th_pt_PT", { { "lamp", { "(noun)|not Brazilian" } } });
    WriteThesaurus(own.Path(), "th_pt_BR", { { "lamp", { "(noun)|Brazilian" } } });
    TThesaurus thesaurus({ own.Path() + "/", system.Path() + "/" });

    const struct {
        ThesaurusLanguage Language;
        const char* Word;
        const char* Synonym;
    } cases[] = {
        { ThesaurusLanguage::ltEnglish, "lamp", "lantern" }, // the program's folder first
        { ThesaurusLanguage::ltGerman, "Lampe", "Leuchte" }, // the language's data, wherever it is
        { ThesaurusLanguage::ltBrPort, "lamp", "Brazilian" }, // the locale itself before its kin
        { ThesaurusLanguage::ltFrench, "lamp", "lantern" }, // English where the language has none
    };
    for (const auto& c : cases) {
        thesaurus.SetLanguage(c.Language);
        ASSERT_TRUE(thesaurus.Open());
        EXPECT_EQ(FirstSynonym(thesaurus, c.Word), c.Synonym) << c.Word;
    }

    TThesaurus none({ own.Path() + "/missing/" });
    EXPECT_FALSE(none.Open());
    EXPECT_TRUE(none.Lookup("lamp").isEmpty());
}

TEST(Thesaurus, ReadsTheDataInTheEncodingItsFirstLineNames)
{
    TempFolder own;
    const QList<ThesaurusEntry> entries
        = { { QStringLiteral("caf\u00e9"),
                { QStringLiteral("(noun)|caf\u00e9|bistro|coffee shop (generic term)") } },
              { "isn't", { "(verb)|is not" } }, { "haus", { "(noun)|home" } } };
    WriteThesaurus(own.Path("latin"), "th_en_US", entries, "ISO8859-1");
    WriteThesaurus(own.Path("utf8"), "th_en_US", entries, "UTF-8");
    for (const char* folder : { "latin", "utf8" }) {
        SCOPED_TRACE(folder);
        TThesaurus thesaurus({ own.Path(folder) + "/" });
        ASSERT_TRUE(thesaurus.Open());
        const QList<ThesaurusMeaning> meanings = thesaurus.Lookup(QStringLiteral("Caf\u00e9"));
        ASSERT_EQ(meanings.size(), 1);
        EXPECT_EQ(meanings[0].Definition, QStringLiteral("(noun) caf\u00e9"));
        EXPECT_EQ(meanings[0].Synonyms,
            (QStringList { QStringLiteral("caf\u00e9"), "bistro", "coffee shop (generic term)" }));
        EXPECT_EQ(FirstSynonym(thesaurus, QStringLiteral("Isn\u2019t")), "is not");
        EXPECT_EQ(FirstSynonym(thesaurus, QStringLiteral("\u0445\u0430\u0443\u0441")), "")
            << "a word the data's encoding cannot hold is not in it";
        EXPECT_EQ(FirstSynonym(thesaurus, "lamp"), "");
    }
}

TEST(Thesaurus, TheSystemsEnglishDataIsFound)
{
    TThesaurus thesaurus(SystemThesaurusFolders());
    ASSERT_TRUE(thesaurus.Open()) << "the package mythes-en-us is installed with the program";
    const QList<ThesaurusMeaning> meanings = thesaurus.Lookup("Happy");
    ASSERT_FALSE(meanings.isEmpty());
    EXPECT_TRUE(std::any_of(meanings.begin(), meanings.end(),
        [](const ThesaurusMeaning& m) { return m.Synonyms.contains("glad"); }));
}
