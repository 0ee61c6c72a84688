#include "compile/ManuscriptPageFlow.h"

#include <QTextBlock>
#include <QTextLayout>

namespace {
constexpr qreal ScreenDpi = 96;

/// Whether a text is Latin, Greek or Cyrillic with the punctuation of prose, which looks the same
/// without OpenType shaping: laid out without it, a paragraph costs less than half. Any other
/// script (Arabic joins its letters, Indic scripts reorder theirs) is shaped as usual.
bool NeedsNoShaping(const QString& text)
{
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (!(code < 0x0300 || (code >= 0x0370 && code < 0x0530)
                || (code >= 0x2000 && code < 0x20D0)))
            return false;
    }
    return true;
}

/// The character formats of a block's fragments, as ranges of its text.
QList<QTextLayout::FormatRange> FormatsOf(const QTextBlock& block, bool shaping)
{
    QList<QTextLayout::FormatRange> formats;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        QTextCharFormat format = fragment.charFormat();
        if (!shaping)
            format.setFontStyleStrategy(QFont::PreferNoShaping);
        formats.append({ fragment.position() - block.position(), fragment.length(), format });
    }
    return formats;
}
} // namespace

ManuscriptPageFlow::ManuscriptPageFlow(
    QPainter& painter, QSizeF body, QTextOption option, NewPage newPage)
    : FPainter(painter)
    , FBody(body)
    , FOption(option)
    , FNewPage(std::move(newPage))
    , FScale(painter.device()->logicalDpiY() / ScreenDpi)
{
}

void ManuscriptPageFlow::Add(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore && !FPageEmpty)
        BreakPage();
    const qreal topMargin = format.topMargin() * FScale;
    FY += FPageEmpty ? topMargin : qMax(topMargin, FBottomMargin);

    QTextOption option = FOption;
    option.setAlignment(format.alignment());
    // A block's own tab stops (the title page's word count stands flush right at one on the
    // right margin) replace the half-inch ones. The layout takes them, as the block format
    // gives them, in pixels of a 96 dpi screen.
    if (format.hasProperty(QTextFormat::TabPositions))
        option.setTabs(format.tabPositions());
    const QString text = block.text();
    QTextLayout layout(text, block.charFormat().font(), FPainter.device());
    layout.setTextOption(option);
    layout.setFormats(FormatsOf(block, !NeedsNoShaping(text)));
    // Keeps the shaped glyphs from the layout for the drawing.
    layout.setCacheEnabled(true);
    const qreal indent = format.textIndent() * FScale;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        const qreal lineIndent = line.lineNumber() == 0 ? indent : 0;
        line.setLineWidth(FBody.width() - lineIndent);
        line.setPosition(QPointF(lineIndent, 0));
    }
    layout.endLayout();

    const bool proportional = format.lineHeightType() == QTextBlockFormat::ProportionalHeight;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const qreal height
            = proportional ? line.height() * format.lineHeight() / 100 : line.height();
        // A line taller than a page stays where it is rather than start page after page.
        if (FY + line.height() > FBody.height() && !FPageEmpty)
            BreakPage();
        line.draw(&FPainter, QPointF(0, FY));
        FY += height;
        FPageEmpty = false;
    }
    FBottomMargin = format.bottomMargin() * FScale;
}

void ManuscriptPageFlow::BreakPage()
{
    FNewPage();
    ++FPages;
    FY = 0;
    FBottomMargin = 0;
    FPageEmpty = true;
}
