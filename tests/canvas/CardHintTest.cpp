#include "canvas/CardHint.h"

#include <QList>
#include <gtest/gtest.h>

TEST(CardHint, DescriptionsAreTrimmedAndBreakAtASpaceFromPosition40To50)
{
    const QList<std::pair<QString, QString>> cases {
        // Up to 40 characters: one trimmed line.
        { "   ", "" },
        { "  " + QString(36, 'x') + "  ", QString(36, 'x') },
        { QString(40, 'x'), QString(40, 'x') },
        // No space at all: lines of 50, each followed by CR LF.
        { QString(100, 'x'), QString(50, 'x') + "\r\n" + QString(50, 'x') + "\r\n" },
        { QString(41, 'x'), QString(41, 'x') + "\r\n" },
        // A space at position 40 ends the first line there.
        { QString(39, 'a') + ' ' + QString(30, 'b'), QString(39, 'a') + "\r\n" + QString(30, 'b') },
        // A space before position 40 does not count; the next one, at 45, does.
        { QString(38, 'a') + ' ' + QString(5, 'b') + ' ' + QString(20, 'c'),
            QString(38, 'a') + ' ' + QString(5, 'b') + "\r\n" + QString(20, 'c') },
        // A space at position 51 is too far: the line is cut at 50 and the next starts trimmed.
        { QString(50, 'a') + ' ' + QString(45, 'b'),
            QString(50, 'a') + "\r\n" + QString(45, 'b') + "\r\n" },
        // The last 40 characters or fewer are appended as they are.
        { QString(45, 'a') + "  end  ", QString(45, 'a') + "\r\n" + " end  " },
    };
    for (const auto& [description, hint] : cases)
        EXPECT_EQ(BuildCardHint(description), hint) << description.toStdString();
}
