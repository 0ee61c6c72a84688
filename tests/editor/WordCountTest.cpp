#include "editor/WordCount.h"

#include <gtest/gtest.h>

TEST(WordCount, OnlyTheSpaceSeparatesWords)
{
    const struct {
        QString Text;
        qint64 Words;
    } cases[] = { { "  two  words ", 2 }, { "well-known, isn't it?", 3 }, { "a - b", 3 },
        { "3 1/2 pages", 3 }, { "joined\tby a tab", 3 }, { "", 0 }, { "end\nstart", 2 },
        { "   ", 0 }, { QStringLiteral("no\u00A0break"), 1 },
        { QStringLiteral("line\u2028separator"), 2 } };
    for (const auto& c : cases)
        EXPECT_EQ(CountTextWords(c.Text), c.Words) << c.Text.toStdString();
}

TEST(WordCount, CountsAreGroupedAndTargetsGivenInPercent)
{
    const QLocale english(QLocale::English);
    EXPECT_EQ(FormatCount(1234567, english), "1,234,567");
    EXPECT_EQ(FormatCount(0, english), "0");
    EXPECT_EQ(FormatPercentage(1234, 50000, english), " (2.47%)");
    EXPECT_EQ(FormatPercentage(1, 3, english), " (33.33%)");
    EXPECT_EQ(FormatPercentage(25, 50, english), " (50%)");
    EXPECT_EQ(FormatPercentage(12345, 1000, english), " (1234.5%)");
    EXPECT_EQ(FormatPercentage(10, 0, english), "");
    EXPECT_EQ(FormatPercentage(1, 8, QLocale(QLocale::German)), " (12,5%)");
}

TEST(WordCount, WordUsageListsTheLongerWordsMostUsedFirst)
{
    const QList<WordUsage> usage = MostUsedWords(u"The sea, the SEA! It is the keeper's sea-wall and the sea.");
    ASSERT_GE(usage.size(), 3);
    EXPECT_EQ(usage[0].Word, "the");
    EXPECT_EQ(usage[0].Count, 4);
    EXPECT_EQ(usage[1].Word, "sea");
    EXPECT_EQ(usage[1].Count, 3);
    for (const WordUsage& word : usage)
        EXPECT_GT(word.Word.size(), 2) << word.Word.toStdString();
    EXPECT_TRUE(std::any_of(usage.begin(), usage.end(), [](const WordUsage& w) { return w.Word == "keeper's"; }));
}
