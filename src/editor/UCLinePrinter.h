#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;

enum class TMarginUnit { Mm, Inch };

/// Page margins of the line printer, each kept to two decimals in its unit.
class TUCLinePrinterMargins {
public:
    double Top() const { return FTop; }
    double Left() const { return FLeft; }
    double Bottom() const { return FBottom; }
    double Right() const { return FRight; }
    TMarginUnit MarginUnit() const { return FMarginUnit; }

    void SetTop(double value);
    void SetLeft(double value);
    void SetBottom(double value);
    void SetRight(double value);
    /// Converts all four margins to the new unit, each result again kept to two decimals.
    void SetMarginUnit(TMarginUnit unit);

    /// A margin in inches, whatever unit it is kept in.
    double InInches(double value) const;

private:
    double FTop = 20;
    double FLeft = 20;
    double FBottom = 20;
    double FRight = 20;
    TMarginUnit FMarginUnit = TMarginUnit::Mm;
};

enum class TTitleOnPrintout { Nowhere, TopOfPage, BottomOfPage };

/// What the printer reports about its page, all in device pixels.
struct PrinterPage {
    int DpiX = 0;
    int DpiY = 0;
    int PaperWidth = 0;
    int PaperHeight = 0;
    int OffsetX = 0; // where the printable area starts on the paper
    int OffsetY = 0;
    int PrintableWidth = 0;
    int PrintableHeight = 0;
};

/// The area lines are printed in, in the printable area's coordinates.
struct PrintArea {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

/// The margins laid on the page, kept inside what the printer can reach.
PrintArea PrintAreaFor(const TUCLinePrinterMargins& margins, const PrinterPage& page);

/// Wraps text into lines no wider than width as measured; a line breaks after the last
/// punctuation or space that fits, and a word wider than the line is split over lines.
QStringList WrapPrintLines(
    const QString& text, int width, const std::function<int(const QString&)>& measure);

/// Prints plain text in one font, wrapped to the page, with an optional centred title and page
/// numbers on every page.
class TUCLinePrinter {
public:
    QFont Font() const { return FFont; }
    void SetFont(const QFont& font) { FFont = font; }
    TUCLinePrinterMargins& Margins() { return FMargins; }
    const TUCLinePrinterMargins& Margins() const { return FMargins; }
    bool PrintPageNumbers() const { return FPrintPageNumbers; }
    void SetPrintPageNumbers(bool value) { FPrintPageNumbers = value; }
    QString PrintTitle() const { return FPrintTitle; }
    void SetPrintTitle(const QString& title) { FPrintTitle = title; }
    TTitleOnPrintout TitleOnPrintout() const { return FTitleOnPrintout; }
    void SetTitleOnPrintout(TTitleOnPrintout where) { FTitleOnPrintout = where; }

    std::function<void()> OnStartPrint;
    std::function<void(int page, int pageCount)> OnNextPage;
    std::function<void()> OnEndPrint;

    /// Prints the text as one job. False when nothing was printed: a text of blanks only starts
    /// no job and leaves `error` empty; a job that could not start says why in `error`.
    bool Print(const QString& text, QPrinter& printer, QString& error);

private:
    QFont FFont;
    TUCLinePrinterMargins FMargins;
    bool FPrintPageNumbers = false;
    QString FPrintTitle;
    TTitleOnPrintout FTitleOnPrintout = TTitleOnPrintout::Nowhere;
};
