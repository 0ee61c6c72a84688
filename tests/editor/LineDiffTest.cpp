#include "editor/LineDiff.h"

#include <gtest/gtest.h>

namespace {
/// The rows as a reader sees them: "=a|a" the same line, "~b|B" changed, "-c|" only in the
/// earlier text, "+|d" only in the current one.
QStringList Shown(const QStringList& earlier, const QStringList& current)
{
    QStringList shown;
    for (const DiffRow& row : CompareLines(earlier, current)) {
        const char kind[] = { '=', '~', '-', '+' };
        shown.append(QString(QChar(kind[row.What])) + (row.Earlier >= 0 ? earlier[row.Earlier] : "")
            + '|' + (row.Current >= 0 ? current[row.Current] : ""));
    }
    return shown;
}
} // namespace

TEST(LineDiff, SetsTheLinesTwoTextsShareSideBySide)
{
    struct Case {
        const char* what;
        QStringList earlier, current, shown;
    };
    const QList<Case> cases = {
        { "nothing", {}, {}, {} },
        { "unchanged", { "a", "b" }, { "a", "b" }, { "=a|a", "=b|b" } },
        { "all new", {}, { "a" }, { "+|a" } },
        { "all gone", { "a", "b" }, {}, { "-a|", "-b|" } },
        { "one line edited", { "a", "b", "c" }, { "a", "B", "c" }, { "=a|a", "~b|B", "=c|c" } },
        { "a line added", { "a", "c" }, { "a", "b", "c" }, { "=a|a", "+|b", "=c|c" } },
        { "two edits around a shared line", { "a", "x", "b", "y", "c" },
            { "a", "X", "b", "Y", "Z", "c" }, { "=a|a", "~x|X", "=b|b", "~y|Y", "+|Z", "=c|c" } },
        { "a line moved to the end", { "a", "b", "c" }, { "b", "c", "a" },
            { "-a|", "=b|b", "=c|c", "+|a" } },
        { "repeated lines", { "", "a", "" }, { "", "" }, { "=|", "-a|", "=|" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shown(c.earlier, c.current), c.shown) << c.what;
}

TEST(LineDiff, AMiddleTooLongToCompareIsShownAsChanged)
{
    QStringList earlier, current;
    for (int line = 0; line < 3000; ++line) {
        earlier.append(QString::number(line));
        current.append(QString::number(line + 5000));
    }
    current.append("end");
    const QList<DiffRow> rows = CompareLines(earlier, current);
    ASSERT_EQ(rows.size(), 3001);
    EXPECT_EQ(rows.first().What, DiffRow::Changed);
    EXPECT_EQ(rows.last().What, DiffRow::Added);
}
