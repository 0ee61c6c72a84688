#include "editor/InlineMarkup.h"

#include <gtest/gtest.h>

namespace {
/// The line as printed: each run's text, italic ones in /slashes/, bold ones in [brackets].
QString Printed(const QString& line)
{
    QString out;
    for (const StyledRun& run : StyledRuns(line)) {
        QString text = run.Text;
        if (run.Bold)
            text = u'[' + text + u']';
        if (run.Italic)
            text = u'/' + text + u'/';
        out += text;
    }
    return out;
}
} // namespace

TEST(InlineMarkup, EmphasisIsReadWhereWritersMeanItAndNowhereElse)
{
    const struct {
        const char* Line;
        const char* Printed;
    } cases[] = {
        { "and *nobody* was", "and /nobody/ was" },
        { "She wrote _everything_ down.", "She wrote /everything/ down." },
        { "The sign said **CLOSED**, and", "The sign said [CLOSED], and" },
        { "***Stop.*** she said", "/[Stop.]/ she said" },
        { "*italic with **bold** inside*", "/italic with //[bold]// inside/" },
        { "a price: 2 * 3 shillings", "a price: 2 * 3 shillings" },
        { "\\*paid in advance\\*.", "*paid in advance*." },
        { "a literal \\\\*not escaped*", "a literal \\/not escaped/" },
        { "snake_case_name and file_1", "snake_case_name and file_1" },
        { "an *open mark never closed", "an *open mark never closed" },
        { "* * *", "* * *" },
        { "*****", "*****" },
        { "**bold*", "**bold*" },
        { "mid*word*emphasis", "mid/word/emphasis" },
        { "*\u00e9l\u00e8ve* \u2014 *\u00fcber*", "/\u00e9l\u00e8ve/ \u2014 /\u00fcber/" },
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(Printed(QString::fromUtf8(c.Line)).toStdString(), c.Printed) << c.Line;
}

TEST(InlineMarkup, PiecesCoverTheLineInItsOwnOffsets)
{
    const QString line = QStringLiteral("a *b* \\_c **d**");
    const QList<MarkupPiece> pieces = ReadInlineMarkup(line);
    using Kind = MarkupPiece::Kind;
    const QList<MarkupPiece> expected = {
        { 0, 2, Kind::Text, false, false },
        { 2, 1, Kind::Mark, false, false },
        { 3, 1, Kind::Text, true, false },
        { 4, 1, Kind::Mark, false, false },
        { 5, 1, Kind::Text, false, false },
        { 6, 1, Kind::Escape, false, false },
        { 7, 3, Kind::Text, false, false },
        { 10, 2, Kind::Mark, false, false },
        { 12, 1, Kind::Text, false, true },
        { 13, 2, Kind::Mark, false, false },
    };
    EXPECT_EQ(pieces, expected);
}
