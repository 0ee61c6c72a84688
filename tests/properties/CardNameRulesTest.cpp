#include "properties/CardNameRules.h"

#include <gtest/gtest.h>

TEST(CardNameRules, FileNameCharactersAndControlCharactersAreForbiddenButOnlyTheFormerDropWhenTyped)
{
    for (const QChar c : QString("\"*/:<>?\\|")) {
        EXPECT_TRUE(IsForbiddenNameCharacter(c)) << QString(c).toStdString();
        EXPECT_TRUE(IsDroppedWhenTyped(c)) << QString(c).toStdString();
    }
    // Enter, Esc, Tab and the Ctrl keys carry control characters that the keyboard needs.
    for (const char16_t c : { u'\t', u'\r', u'\x01', u'\x1b', u'\x1f', u'\x7f' }) {
        EXPECT_TRUE(IsForbiddenNameCharacter(c)) << int(c);
        EXPECT_FALSE(IsDroppedWhenTyped(c)) << int(c);
    }
    for (const QChar c : QStringLiteral("aZ0 .,-_'()&\u00E9\u00A0\u2014"))
        EXPECT_FALSE(IsForbiddenNameCharacter(c)) << QString(c).toStdString();

    EXPECT_EQ(FirstForbiddenCharacter("left/right|up"), QChar('/'));
    EXPECT_EQ(FirstForbiddenCharacter("pasted\tline"), QChar('\t'));
    EXPECT_EQ(FirstForbiddenCharacter("Chapter 1. The Harbour"), std::nullopt);
    EXPECT_EQ(ShownCharacter('/'), "'/'");
    EXPECT_EQ(ShownCharacter('\t'), "U+0009");
    EXPECT_EQ(ShownCharacter(QChar(0x7F)), "U+007F");
}

TEST(CardNameRules, NamesAreJudgedForNewAndRenamedCards)
{
    struct Case {
        const char* Name;
        const char* OldName;
        bool NewCard;
        bool Taken;
        NameVerdict Verdict;
    };
    const Case cases[] = {
        // The dialog's tests meet the refusals of a renamed card; these are a new card's.
        { "Harbour", "", true, false, NameVerdict::Accepted },
        { "Compilation", "Compilation", false, false, NameVerdict::Compilation },
        { "", "", true, false, NameVerdict::NotUnique },
        { "UNNAMED", "", true, false, NameVerdict::NotUnique },
        { "a|b", "", true, false, NameVerdict::Forbidden },
        { "A", "", true, true, NameVerdict::Taken },
        // The card's own name, unchanged, even where the name would be taken.
        { "B", "B", false, true, NameVerdict::Accepted },
        // Its own name in other capitals, unless another card is spelt exactly so.
        { "b", "B", false, false, NameVerdict::Accepted },
        { "b", "B", false, true, NameVerdict::Taken },
    };
    for (const Case& c : cases)
        EXPECT_EQ(JudgeCardName(c.Name, c.OldName, c.NewCard, c.Taken), c.Verdict)
            << c.Name << " for " << c.OldName;
}
