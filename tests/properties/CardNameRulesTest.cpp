#include "properties/CardNameRules.h"

#include <QStringList>

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

TEST(CardNameRules, ADuplicateTakesTheNextFreeNumberAndNeverANameTooLong)
{
    const QStringList taken { "Harbour 2", "Harbour 3", "Ada 3" };
    const auto isTaken = [&](const QString& name) { return taken.contains(name); };
    EXPECT_EQ(DuplicateName("Harbour", isTaken, 40), "Harbour 4");
    EXPECT_EQ(DuplicateName("Ada 2", isTaken, 40), "Ada 4") << "counted on from its own number";
    EXPECT_EQ(DuplicateName("Chapter 1", isTaken, 40), "Chapter 2");
    EXPECT_EQ(DuplicateName("1984", isTaken, 40), "1984 2") << "a number alone is the name";
    EXPECT_EQ(DuplicateName("Ada 0", isTaken, 40), "Ada 2");
    // 40 characters at most: "… 9" fits where "… 10" does not, and nothing shorter is made.
    EXPECT_EQ(DuplicateName(QString(38, 'x') + " 8", isTaken, 40), QString(38, 'x') + " 9");
    EXPECT_EQ(DuplicateName(QString(38, 'x') + " 9", isTaken, 40), "");
    EXPECT_EQ(DuplicateName(QString(39, 'x'), isTaken, 40), "");
}
