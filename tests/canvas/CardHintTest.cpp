#include "canvas/CardHint.h"

#include <gtest/gtest.h>

TEST(CardHint, ShortDescriptionsAreOneTrimmedLine)
{
    EXPECT_EQ(BuildCardHint(""), "");
    EXPECT_EQ(BuildCardHint("   "), "");
    EXPECT_EQ(BuildCardHint("  " + QString(36, 'x') + "  "), QString(36, 'x'));
    EXPECT_EQ(BuildCardHint(QString(40, 'x')), QString(40, 'x'));
}

TEST(CardHint, LongDescriptionsBreakAtASpaceFromPosition40To50)
{
    // No space at all: lines of 50, each followed by CR LF.
    EXPECT_EQ(
        BuildCardHint(QString(100, 'x')), QString(50, 'x') + "\r\n" + QString(50, 'x') + "\r\n");
    EXPECT_EQ(BuildCardHint(QString(41, 'x')), QString(41, 'x') + "\r\n");

    // A space at position 40 ends the first line there.
    EXPECT_EQ(BuildCardHint(QString(39, 'a') + ' ' + QString(30, 'b')),
        QString(39, 'a') + "\r\n" + QString(30, 'b'));

    // A space before position 40 does not count; the next one, at 45, does.
    EXPECT_EQ(BuildCardHint(QString(38, 'a') + ' ' + QString(5, 'b') + ' ' + QString(20, 'c')),
        QString(38, 'a') + ' ' + QString(5, 'b') + "\r\n" + QString(20, 'c'));

    // A space at position 51 is too far: the line is cut at 50 and the next starts trimmed.
    EXPECT_EQ(BuildCardHint(QString(50, 'a') + ' ' + QString(45, 'b')),
        QString(50, 'a') + "\r\n" + QString(45, 'b') + "\r\n");

    // The last 40 characters or fewer are appended as they are.
    EXPECT_EQ(BuildCardHint(QString(45, 'a') + "  end  "), QString(45, 'a') + "\r\n" + " end  ");
}
