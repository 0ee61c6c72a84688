#include "project/HistoryDelta.h"

#include <QList>

#include <gtest/gtest.h>

TEST(HistoryDelta, RebuildsEveryKindOfChangeAndStaysSmallForOneEdit)
{
    const QList<QPair<QByteArray, QByteArray>> cases = {
        { "", "" },
        { "", "new text" },
        { "old text", "" },
        { "The lamp is lit.", "The lamp is out." },
        { "abcabc", "abc" }, // shared start and end overlap in the shorter text
        { "aaa", "aaaa" },
        { "insert here", "insert, here" },
        { "Caf\xc3\xa9\r\n", "Caf\xc3\xa8\r\n" },
    };
    for (const auto& [base, text] : cases) {
        QByteArray rebuilt;
        ASSERT_TRUE(ApplyDelta(base, EncodeDelta(base, text), rebuilt)) << base.data();
        EXPECT_EQ(rebuilt, text) << base.data() << " -> " << text.data();
    }

    const QByteArray longText(100000, 'x');
    QByteArray edited = longText;
    edited.insert(50000, "one edit");
    EXPECT_LT(EncodeDelta(longText, edited).size(), 100);
}

TEST(HistoryDelta, RefusesADeltaThatDoesNotFitItsBase)
{
    const QByteArray delta = EncodeDelta("a long base text", "a long base test");
    QByteArray text;
    EXPECT_FALSE(ApplyDelta("short", delta, text));
    EXPECT_FALSE(ApplyDelta("a long base text", delta.left(10), text));
    QByteArray huge = delta;
    huge[0] = '\xff'; // a prefix length near 2^64 must not wrap around the check
    EXPECT_FALSE(ApplyDelta("a long base text", huge, text));
}
