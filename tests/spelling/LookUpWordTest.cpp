#include "spelling/LookUpWord.h"

#include <gtest/gtest.h>

TEST(LookUpWord, TheCaretsWordIsItsLettersAndTheApostrophesInside)
{
    // "|" marks the caret, "[" and "]" a selection; the result is what is looked up.
    const struct {
        const char* Text;
        const char* Word;
    } cases[] = {
        { "the la|mp is lit", "lamp" },
        { "the lamp| is lit", "lamp" },
        { "the |lamp is lit", "lamp" },
        { "the lamp |  is lit", "" },
        { "he isn'|t here", "isn't" },
        { "he isn\u2019t| here", "isn\u2019t" },
        { "'quo|ted'", "quoted" },
        { "the rock's|' edge", "rock's" },
        { "caf|\u00e9 au lait", "caf\u00e9" },
        { "well-kno|wn", "known" },
        { "(lamp|).", "lamp" },
        { "no 4|2 here", "" },
        { "a [ lamp \n]post", "lamp" },
        { "[ice cream]", "ice cream" },
        { "[  ]", "" },
    };
    for (const auto& c : cases) {
        QString text = QString::fromUtf8(c.Text);
        qsizetype start = text.indexOf(u'|');
        qsizetype end = start;
        if (start >= 0) {
            text.remove(start, 1);
        } else {
            start = text.indexOf(u'[');
            text.remove(start, 1);
            end = text.indexOf(u']');
            text.remove(end, 1);
        }
        const TextRange range = LookUpRange(text, start, end);
        EXPECT_EQ(text.mid(range.Start, range.End - range.Start), QString::fromUtf8(c.Word))
            << c.Text;
    }
}

TEST(LookUpWord, AReplacementTakesTheCaseOfTheWordItReplaces)
{
    const struct {
        const char* Replacement;
        const char* Word;
        const char* Result;
    } cases[] = {
        { "glad", "happy", "glad" },
        { "glad", "Happy", "Glad" },
        { "glad", "HAPPY", "GLAD" },
        { "glad", "I", "Glad" },
        { "The Hague", "'s gravenhage", "The Hague" },
        { "\u00e9lan", "Verve", "\u00c9lan" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(InCaseOf(QString::fromUtf8(c.Replacement), QString::fromUtf8(c.Word)),
            QString::fromUtf8(c.Result))
            << c.Replacement << " for " << c.Word;
}

TEST(LookUpWord, SynonymsLoseTheirNotesAndWordsAreLookedForInTheirOtherForms)
{
    EXPECT_EQ(SynonymWord("city (generic term)"), "city");
    EXPECT_EQ(SynonymWord("light source (related term)"), "light source");
    EXPECT_EQ(SynonymWord("(informal)"), "(informal)") << "a note alone is the synonym";
    EXPECT_EQ(SynonymWord("lantern"), "lantern");

    EXPECT_EQ(LookUpForms(QStringLiteral("Isn\u2019t")),
        (QStringList { QStringLiteral("Isn\u2019t"), "Isn't", "isn't" }));
    EXPECT_EQ(LookUpForms("HAUS"), (QStringList { "HAUS", "haus", "Haus" }));
}
