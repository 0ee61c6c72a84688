#pragma once

#include <QPainter>
#include <QSizeF>
#include <QTextOption>
#include <functional>

class QTextBlock;

/// Flows the blocks of a document onto pages and draws each line as soon as it has its place:
/// every paragraph is shaped and laid out once, and nothing of it is kept once it is drawn, so
/// a manuscript of any length costs its length. QTextDocument's own layout of the whole
/// document, then drawn page by page, shaped every paragraph twice and held all of them.
/// Latin, Greek and Cyrillic prose is laid out without OpenType shaping, which it does not need.
///
/// Block formats are honoured as the document's layout does: alignment, the first line's
/// indent, proportional line height, tab stops, top and bottom margins (the larger of two
/// adjoining ones; a top margin also at the top of a page) and a page break before; each
/// fragment is drawn in its own face (italic, bold).
class ManuscriptPageFlow {
public:
    /// Starts a new page of the device; called before the first line that no longer fits.
    using NewPage = std::function<void()>;

    /// `painter` is active on the device the text is laid out for, `body` the page's printable
    /// area in its coordinates, with the painter's origin at its top left.
    ManuscriptPageFlow(QPainter& painter, QSizeF body, QTextOption option, NewPage newPage);

    void Add(const QTextBlock& block);
    /// The pages begun so far, the first one included.
    int Pages() const { return FPages; }

private:
    void BreakPage();

    QPainter& FPainter;
    QSizeF FBody;
    QTextOption FOption;
    NewPage FNewPage;
    qreal FScale; ///< block margins and indents are in pixels of a 96 dpi screen
    qreal FY = 0;
    qreal FBottomMargin = 0;
    bool FPageEmpty = true;
    int FPages = 1;
};
