#include "editor/UCLinePrinter.h"

#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <unistd.h>

namespace {

constexpr double MmPerInch = 25.4;

// Margins behave as if kept as text with two decimals and read back.
double ToHundredths(double value)
{
    return std::round(value * 100.0) / 100.0;
}

int Nearest(double value)
{
    return static_cast<int>(std::lround(value));
}

bool IsBreakChar(QChar c)
{
    switch (c.unicode()) {
    case ' ':
    case '!':
    case '"':
    case '\'':
    case ',':
    case '-':
    case '.':
    case ':':
    case ';':
    case '?':
        return true;
    default:
        return false;
    }
}

/// Why the printer would not start a job, as far as it can be told.
QString WhyNoJob(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString name = printer.outputFileName();
        if (name.isEmpty())
            return ReasonText(Reason::PDF_WITHOUT_NAME);
        // The system's reason is asked of the file, or of its folder when there is none yet:
        // nothing is opened, so nothing is made, emptied or waited on (a pipe).
        const QFileInfo file(name);
        const QString asked = file.exists() ? name : file.absolutePath();
        if (::access(NativePath(asked).constData(), W_OK) != 0)
            return ReasonText(Reason::CANNOT_WRITE).arg(name, SystemReason(errno));
        return ReasonText(Reason::CANNOT_WRITE).arg(name, SystemReason(EIO));
    }
    if (printer.printerName().isEmpty())
        return ReasonText(Reason::NO_PRINTER);
    return ReasonText(Reason::PRINTER_REFUSED).arg(printer.printerName());
}

} // namespace

void TUCLinePrinterMargins::SetTop(double value)
{
    FTop = ToHundredths(value);
}

void TUCLinePrinterMargins::SetLeft(double value)
{
    FLeft = ToHundredths(value);
}

void TUCLinePrinterMargins::SetBottom(double value)
{
    FBottom = ToHundredths(value);
}

void TUCLinePrinterMargins::SetRight(double value)
{
    FRight = ToHundredths(value);
}

void TUCLinePrinterMargins::SetMarginUnit(TMarginUnit unit)
{
    if (unit == FMarginUnit)
        return;
    const double factor = unit == TMarginUnit::Mm ? MmPerInch : 1.0 / MmPerInch;
    FMarginUnit = unit;
    SetTop(FTop * factor);
    SetLeft(FLeft * factor);
    SetBottom(FBottom * factor);
    SetRight(FRight * factor);
}

double TUCLinePrinterMargins::InInches(double value) const
{
    return FMarginUnit == TMarginUnit::Mm ? value / MmPerInch : value;
}

PrintArea PrintAreaFor(const TUCLinePrinterMargins& margins, const PrinterPage& page)
{
    PrintArea area;
    area.Left = Nearest(page.DpiX * margins.InInches(margins.Left())) - page.OffsetX;
    area.Top = Nearest(page.DpiY * margins.InInches(margins.Top())) - page.OffsetY;
    area.Right
        = page.PaperWidth - Nearest(page.DpiX * margins.InInches(margins.Right())) - page.OffsetX;
    area.Bottom
        = page.PaperHeight - Nearest(page.DpiY * margins.InInches(margins.Bottom())) - page.OffsetY;
    // A margin inside the border the printer cannot reach is moved onto what it can reach.
    if (page.OffsetX >= area.Left)
        area.Left = page.OffsetX + 1;
    if (page.OffsetY >= area.Top)
        area.Top = page.OffsetY + 1;
    if (page.PrintableWidth + area.Left <= area.Right)
        area.Right = page.PrintableWidth + area.Left - 1;
    if (page.PrintableHeight + area.Top <= area.Bottom)
        area.Bottom = page.PrintableHeight + area.Top - 1;
    return area;
}

// The rule reads the text character by character and measures the line after each one; a
// line ends at the first character that makes it too wide. Measuring the whole line after
// every character costs the square of its length, so the first prefix that does not fit is
// found by doubling and halving instead: the same line, since a longer prefix is never
// narrower, in a few measurements.
QStringList WrapPrintLines(
    const QString& text, int width, const std::function<int(const QString&)>& measure)
{
    QStringList lines;
    const qsizetype size = text.size();
    QString line; // the line read so far, control characters left out
    QList<qsizetype> from; // where each character of the line stands in the text
    qsizetype next = 0; // the next character of the text to read
    bool ended = false; // the line reached a line end or the end of the text

    const auto readUpTo = [&](qsizetype count) {
        while (line.size() < count && !ended) {
            if (next >= size || text[next] == u'\r' || text[next] == u'\n') {
                ended = true;
                break;
            }
            const QChar c = text[next++];
            if (c.unicode() < 32)
                continue; // tabs and other control characters are not printed
            line += c;
            from.append(next - 1);
        }
    };

    qsizetype guess = 1;
    qsizetype pos = 0;
    while (pos < size) {
        line.clear();
        from.clear();
        next = pos;
        ended = false;

        // Search outwards from the length of the last wrapped line, the likely answer.
        qsizetype fits = 0; // the longest prefix known to fit
        qsizetype tooWide = -1; // a prefix known not to fit
        readUpTo(guess);
        const qsizetype start = std::min(guess, line.size());
        if (start > 0 && measure(line.left(start)) > width) {
            tooWide = start;
            for (qsizetype step = 1; tooWide - step > 0; step *= 2) {
                if (measure(line.left(tooWide - step)) <= width) {
                    fits = tooWide - step;
                    break;
                }
                tooWide -= step;
            }
        } else {
            fits = start;
            for (qsizetype step = 1;; step *= 2) {
                readUpTo(fits + step);
                const qsizetype count = std::min(fits + step, line.size());
                if (count <= fits)
                    break;
                if (measure(line.left(count)) > width) {
                    tooWide = count;
                    break;
                }
                fits = count;
            }
        }

        if (tooWide < 0) {
            // The rest of the paragraph fits. CR ends a line and takes the LF after it along;
            // a lone LF ends a line too, since texts in memory use LF only.
            lines.append(line);
            pos = next;
            if (pos < size)
                pos += text[pos] == u'\r' && pos + 1 < size && text[pos + 1] == u'\n' ? 2 : 1;
            continue;
        }

        while (tooWide - fits > 1) {
            const qsizetype middle = (fits + tooWide) / 2;
            if (measure(line.left(middle)) > width)
                tooWide = middle;
            else
                fits = middle;
        }

        guess = std::max<qsizetype>(fits, 1);
        const qsizetype last = tooWide - 1; // the character that made the line too wide
        qsizetype breakAt = last;
        while (breakAt > 0 && !IsBreakChar(line[breakAt]))
            --breakAt;
        qsizetype keep = breakAt > 0 ? breakAt + 1 : last;
        if (breakAt == 0) {
            // Without a break the word is split; never in the middle of a surrogate pair, and
            // a character wider than the line stands alone rather than looping forever.
            if (keep > 1 && line[keep - 1].isHighSurrogate())
                --keep;
            if (keep == 0) {
                readUpTo(2);
                keep = line.size() > 1 && line[0].isHighSurrogate() ? 2 : 1;
            }
        }
        lines.append(line.left(keep));
        pos = from[keep - 1] + 1;
    }

    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool TUCLinePrinter::Print(const QString& text, QPrinter& printer, QString& error)
{
    error.clear();
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first].unicode() <= 32)
        ++first;
    while (end > first && text[end - 1].unicode() <= 32)
        --end;
    if (first == end)
        return false;

    printer.setDocName(FPrintTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = WhyNoJob(printer);
        return false;
    }
    painter.setFont(FFont);
    const QFontMetrics metrics(FFont, &printer);
    const int lineHeight = std::max(1, metrics.height() + metrics.leading());

    PrinterPage page;
    page.DpiX = printer.logicalDpiX();
    page.DpiY = printer.logicalDpiY();
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
    page.PaperWidth = paper.width();
    page.PaperHeight = paper.height();
    page.OffsetX = printable.left() - paper.left();
    page.OffsetY = printable.top() - paper.top();
    page.PrintableWidth = printable.width();
    page.PrintableHeight = printable.height();
    const PrintArea area = PrintAreaFor(FMargins, page);

    const QStringList lines = WrapPrintLines(text.mid(first, end - first), area.Right - area.Left,
        [&metrics](const QString& part) { return metrics.horizontalAdvance(part); });

    int perPage = (area.Bottom - area.Top) / lineHeight;
    if (FTitleOnPrintout != TTitleOnPrintout::Nowhere)
        perPage -= 2;
    // A page too small for a line still gets one, rather than none and no end of pages.
    perPage = std::max(perPage, 1);
    const int pageCount = static_cast<int>((lines.size() + perPage - 1) / perPage);

    // Lines are clipped by the printer to what it can reach, not to the margins: a break
    // character that made its line too wide stays on that line and must not lose its edge.
    const auto drawLine = [&](int x, int y, const QString& line) {
        painter.drawText(QPoint(x, y + metrics.ascent()), line);
    };
    int pageNumber = 1;
    const auto drawTitle = [&](int y) {
        QString title = FPrintTitle;
        if (FPrintPageNumbers)
            title += QStringLiteral(" (%1/%2)").arg(pageNumber).arg(pageCount);
        const int free = area.Right - area.Left - metrics.horizontalAdvance(title);
        drawLine(area.Left + Nearest(free / 2.0), y, title);
    };
    const auto startPage = [&]() {
        int y = area.Top;
        if (FTitleOnPrintout == TTitleOnPrintout::TopOfPage) {
            drawTitle(y);
            y += 2 * lineHeight;
        }
        return y;
    };

    if (OnStartPrint)
        OnStartPrint();
    if (OnNextPage)
        OnNextPage(pageNumber, pageCount);
    int y = startPage();
    int onPage = 0;
    for (const QString& line : lines) {
        if (onPage == perPage) {
            if (FTitleOnPrintout == TTitleOnPrintout::BottomOfPage)
                drawTitle(area.Bottom - lineHeight);
            ++pageNumber;
            if (OnNextPage)
                OnNextPage(pageNumber, pageCount);
            printer.newPage();
            y = startPage();
            onPage = 0;
        }
        drawLine(area.Left, y, line);
        y += lineHeight;
        ++onPage;
    }
    if (FTitleOnPrintout == TTitleOnPrintout::BottomOfPage)
        drawTitle(area.Bottom - lineHeight);
    painter.end();
    if (OnEndPrint)
        OnEndPrint();
    return true;
}
