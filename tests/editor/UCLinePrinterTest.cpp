#include "editor/UCLinePrinter.h"

#include "TempFolder.h"

#include <QFontMetrics>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// Every character ten units wide: a line of width 100 holds ten.
int TenEach(const QString& text)
{
    return 10 * static_cast<int>(text.size());
}

QStringList Wrap(const QString& text, int width = 100)
{
    return WrapPrintLines(text, width, TenEach);
}

QString PdfText(const QString& pdf, const QString& option = "-layout")
{
    QProcess process;
    process.start("pdftotext", { option, pdf, "-" });
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString WithoutWhitespace(QString text)
{
    return text.remove(QRegularExpression("\\s"));
}

QRect AsRect(const PrintArea& area)
{
    return QRect(QPoint(area.Left, area.Top), QPoint(area.Right, area.Bottom));
}

} // namespace

TEST(UCLinePrinterMargins, KeepTwoDecimalsAndConvertUnits)
{
    TUCLinePrinterMargins margins;
    margins.SetMarginUnit(TMarginUnit::Inch); // 20 mm is 0.7874 in
    EXPECT_EQ(QList<double>({ margins.Top(), margins.Left(), margins.Bottom(), margins.Right() }),
        QList<double>({ 0.79, 0.79, 0.79, 0.79 }));
    margins.SetMarginUnit(TMarginUnit::Mm); // 0.79 × 25.4 = 20.066
    EXPECT_EQ(margins.Top(), 20.07);
    margins.SetRight(18.456);
    margins.SetMarginUnit(TMarginUnit::Mm);
    EXPECT_EQ(margins.Right(), 18.46);
}

TEST(UCLinePrinter, PrintAreaFromDeviceValues)
{
    struct Case {
        TMarginUnit Unit;
        double Top, Left, Bottom, Right;
        PrinterPage Page;
        PrintArea Area;
    };
    const Case cases[] = {
        // 20 mm at 600 dpi is 472.44 pixels; the printer reaches the whole sheet.
        { TMarginUnit::Mm, 20, 20, 20, 20, { 600, 600, 5100, 6600, 0, 0, 5100, 6600 },
            { 472, 472, 5100 - 472, 6600 - 472 } },
        // Each margin by its own resolution, less the unreachable border.
        { TMarginUnit::Inch, 1, 0.5, 0.25, 0.75, { 300, 600, 2550, 6600, 30, 40, 2490, 6520 },
            { 150 - 30, 600 - 40, 2550 - 225 - 30, 6600 - 150 - 40 } },
        // Margins within the border are moved inside what the printer reaches.
        { TMarginUnit::Inch, 0.4, 0, 0, 0, { 300, 150, 2550, 1650, 60, 20, 2400, 1500 },
            { 60 + 1, 60 - 20, 2400 + 61 - 1, 1500 + 40 - 1 } },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.Page.DpiX);
        TUCLinePrinterMargins margins;
        margins.SetMarginUnit(test.Unit);
        margins.SetTop(test.Top);
        margins.SetLeft(test.Left);
        margins.SetBottom(test.Bottom);
        margins.SetRight(test.Right);
        EXPECT_EQ(AsRect(PrintAreaFor(margins, test.Page)), AsRect(test.Area));
    }
}

TEST(UCLinePrinter, WrapsAtBreakCharactersAndLineEnds)
{
    struct Case {
        QString Text;
        QStringList Lines;
        int Width = 100;
    };
    const Case cases[] = {
        { "a well-known fact", { "a well-", "known fact" } },
        { "one two three", { "one two ", "three" } },
        { "abcdefghijklmnopqrstuvwxy", { "abcdefghij", "klmnopqrst", "uvwxy" } },
        { "abc", { "a", "b", "c" }, 5 },
        { "ab\tcd efghijk", { "abcd ", "efghijk" } },
        { "one\r\ntwo\nthree\rfour", { "one", "two", "three", "four" } },
        { "one\r\n\r\ntwo\n\nthree\r\n\n\r\n", { "one", "", "two", "", "three" } },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.Text.toStdString());
        EXPECT_EQ(Wrap(test.Text, test.Width), test.Lines);
    }
    for (const QChar c : QString(" !\"',-.:;?"))
        EXPECT_EQ(
            Wrap(QString("abcd%1efghijk").arg(c)), QStringList({ QString("abcd") + c, "efghijk" }));
    EXPECT_EQ(Wrap("abcd/efghijk"), QStringList({ "abcd/efghi", "jk" }));
}

class UCLinePrinterPdf : public testing::Test {
protected:
    UCLinePrinterPdf()
        : Printer(QPrinter::HighResolution)
    {
        Printer.setOutputFormat(QPrinter::PdfFormat);
        Printer.setOutputFileName(Pdf);
        Line.SetFont(QFont("DejaVu Sans", 10));
        Line.Margins().SetTop(18);
        Line.Margins().SetLeft(22);
        Line.Margins().SetBottom(18);
        Line.Margins().SetRight(22);
        Line.SetPrintPageNumbers(true);
        Line.SetPrintTitle("Chapter");
        Line.SetTitleOnPrintout(TTitleOnPrintout::TopOfPage);
    }

    TempFolder Folder;
    const QString Pdf = Folder.Path("out.pdf");
    QPrinter Printer;
    TUCLinePrinter Line;
    QString Error;
};

TEST_F(UCLinePrinterPdf, PrintsEveryCharacterOverTitledPages)
{
    const QFontMetrics metrics(Line.Font(), &Printer);
    const int lineHeight = metrics.height() + metrics.leading();
    const double usable
        = Printer.paperRect(QPrinter::DevicePixel).height() - Printer.logicalDpiY() * 36 / 25.4;
    const int perPage = static_cast<int>(usable / lineHeight) - 2;

    // A paragraph that wraps over some lines of the first page, then enough short lines to
    // fill two more pages and start a third.
    QString text = "\t ";
    for (int i = 0; i < 40; ++i)
        text += "A well-known café, with \"quotes\"; semi:colons! And?questions. ";
    text += QString(300, 'x') + "\r\n\r\n";
    for (int i = 1; i <= 2 * perPage; ++i)
        text += QString("Line %1\n").arg(i);

    QString events;
    Line.OnStartPrint = [&] { events += "start "; };
    Line.OnNextPage
        = [&](int page, int count) { events += QString("%1/%2 ").arg(page).arg(count); };
    Line.OnEndPrint = [&] { events += "end"; };
    ASSERT_TRUE(Line.Print(text + " \n", Printer, Error));
    EXPECT_EQ(events, "start 1/3 2/3 3/3 end");

    const QStringList pages = PdfText(Pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3);
    QString printed;
    for (int page = 0; page < pages.size(); ++page) {
        QStringList lines = pages[page].split('\n');
        while (!lines.isEmpty() && lines.first().trimmed().isEmpty())
            lines.removeFirst();
        ASSERT_FALSE(lines.isEmpty());
        const QString title = lines.takeFirst();
        EXPECT_EQ(title.trimmed(), QString("Chapter (%1/3)").arg(page + 1));
        printed += lines.join(' ');
    }
    EXPECT_EQ(WithoutWhitespace(printed), WithoutWhitespace(text));

    // Where the words stand, in points: the margins are 22 mm (62.36 pt) on either side and
    // 18 mm (51.02 pt) at the bottom, so a centred title is centred on the sheet.
    const QString boxes = PdfText(Pdf, "-bbox");
    const QRegularExpressionMatch sheet
        = QRegularExpression("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"").match(boxes);
    QList<QRectF> words;
    QRegularExpressionMatchIterator found = QRegularExpression(
        "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<")
                                                .globalMatch(boxes);
    double lowest = 0;
    while (found.hasNext()) {
        const QRegularExpressionMatch word = found.next();
        const QRectF box(QPointF(word.captured(1).toDouble(), word.captured(2).toDouble()),
            QPointF(word.captured(3).toDouble(), word.captured(4).toDouble()));
        lowest = std::max(lowest, box.bottom());
        if (word.captured(5) == "Chapter" || word.captured(5).endsWith("/3)"))
            words.append(box);
        else if (words.size() == 2)
            words.append(box); // the first word of the text
    }
    ASSERT_EQ(words.size(), 7);
    EXPECT_NEAR(words[2].left(), 62.36, 0.5);
    EXPECT_LE(lowest, sheet.captured(2).toDouble() - 51.02 + 0.5);
    for (const int title : { 0, 3, 5 })
        EXPECT_NEAR((words[title].left() + words[title + 1].right()) / 2,
            sheet.captured(1).toDouble() / 2, 1);
}

TEST_F(UCLinePrinterPdf, BlankTextStartsNoJob)
{
    EXPECT_FALSE(Line.Print(" \t\r\n \n", Printer, Error));
    EXPECT_FALSE(Folder.Exists("out.pdf"));
    EXPECT_TRUE(Error.isEmpty()) << "nothing to print is no failure";

    // A file that cannot be made says why, and nothing is made on the way.
    Printer.setOutputFileName(Folder.Path("No Such Folder/out.pdf"));
    EXPECT_FALSE(Line.Print("words", Printer, Error));
    EXPECT_TRUE(Error.endsWith("No such file or directory")) << Error.toStdString();
    EXPECT_FALSE(Folder.Exists("No Such Folder"));
}

TEST_F(UCLinePrinterPdf, PageTooSmallForALinePrintsOneLinePerPage)
{
    // The bottom margin ends above the top one, so the bottom title comes first.
    Line.Margins().SetTop(150);
    Line.Margins().SetBottom(150);
    Line.SetFont(QFont("DejaVu Sans", 72));
    Line.SetTitleOnPrintout(TTitleOnPrintout::BottomOfPage);
    ASSERT_TRUE(Line.Print("alpha\nbeta\ngamma", Printer, Error));
    const QStringList pages = PdfText(Pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(WithoutWhitespace(pages[0]), "Chapter(1/3)alpha");
    EXPECT_EQ(WithoutWhitespace(pages[2]), "Chapter(3/3)gamma");
}
