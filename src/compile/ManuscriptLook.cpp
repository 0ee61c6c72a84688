#include "compile/ManuscriptLook.h"

#include <QLocale>

namespace {
constexpr qreal PointsPerInch = 72;
// Block margins and indents are given in pixels of a 96 dpi screen; the layout scales them to
// the device it lays out for.
constexpr qreal PixelsPerInch = 96;
constexpr qreal DoubleSpacing = 200;
constexpr qreal BodyPoints = 12;
constexpr int TitleLineNumber = 2;

/// The page's height in pixels at 96 dpi.
qreal PageHeightPixels()
{
    return ManuscriptLook::PageLayout().fullRect(QPageLayout::Point).height() / PointsPerInch
        * PixelsPerInch;
}

/// Space above a heading that puts it a third of the way down its page.
qreal ThirdDownMargin()
{
    return PageHeightPixels() / 3 - PixelsPerInch;
}
} // namespace

namespace ManuscriptLook {

QFont BodyFont()
{
    QFont font;
    // Times New Roman where a writer has it, its metric twin Liberation Serif where not.
    font.setFamilies({ QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif") });
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(BodyPoints);
    return font;
}

QPageLayout PageLayout()
{
    const QPageSize size(
        QLocale().measurementSystem() == QLocale::MetricSystem ? QPageSize::A4 : QPageSize::Letter);
    return QPageLayout(
        size, QPageLayout::Portrait, QMarginsF(1, 1, 1, 1) * PointsPerInch, QPageLayout::Point);
}

QTextBlockFormat BlockFormat(ManuscriptBlock kind, bool standard, int line)
{
    QTextBlockFormat format;
    if (standard)
        format.setLineHeight(DoubleSpacing, QTextBlockFormat::ProportionalHeight);
    switch (kind) {
    case ManuscriptBlock::TitlePage:
        // Author and word count at the top left; title and author centred, a third down.
        if (line >= TitleLineNumber)
            format.setAlignment(Qt::AlignHCenter);
        if (line == TitleLineNumber)
            format.setTopMargin(ThirdDownMargin() - PixelsPerInch);
        break;
    case ManuscriptBlock::Chapter:
        format.setHeadingLevel(1);
        if (standard) {
            format.setAlignment(Qt::AlignHCenter);
            format.setTopMargin(ThirdDownMargin());
        }
        format.setBottomMargin(PixelsPerInch / 4);
        break;
    case ManuscriptBlock::Section:
        format.setHeadingLevel(2);
        format.setTopMargin(PixelsPerInch / 4);
        format.setBottomMargin(PixelsPerInch / 8);
        break;
    case ManuscriptBlock::Subtitle:
        format.setBottomMargin(PixelsPerInch / 8);
        break;
    case ManuscriptBlock::Paragraph:
        if (standard)
            format.setTextIndent(PixelsPerInch / 2);
        break;
    case ManuscriptBlock::SceneBreak:
    case ManuscriptBlock::End:
        format.setAlignment(Qt::AlignHCenter);
        break;
    }
    return format;
}

QTextCharFormat CharFormat(ManuscriptBlock kind, bool standard)
{
    QTextCharFormat format;
    format.setFont(BodyFont());
    switch (kind) {
    case ManuscriptBlock::Chapter:
        if (!standard)
            format.setFontPointSize(BodyPoints * 1.5);
        format.setFontWeight(QFont::Bold);
        break;
    case ManuscriptBlock::Section:
        format.setFontWeight(QFont::Bold);
        break;
    case ManuscriptBlock::Subtitle:
        format.setFontItalic(true);
        break;
    default:
        break;
    }
    return format;
}

} // namespace ManuscriptLook
