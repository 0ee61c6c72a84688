#include "compile/ManuscriptLook.h"

#include <QLocale>

namespace {
constexpr qreal PointsPerInch = 72;
// Block margins and indents are given in pixels of a 96 dpi screen; the layout scales them to
// the device it lays out for.
constexpr qreal PixelsPerInch = 96;
constexpr qreal DoubleSpacing = 200;
constexpr qreal BodyPoints = 12;
/// A single-spaced line of 12 pt type, in pixels: the title page's contact lines.
constexpr qreal SingleLinePixels = BodyPoints * 1.15 * PixelsPerInch / PointsPerInch;

QSizeF PagePixels(ManuscriptPaper paper)
{
    return ManuscriptLook::PageLayout(paper).fullRect(QPageLayout::Point).size() / PointsPerInch
        * PixelsPerInch;
}

/// Space above a heading at the top of the text that puts it a third of the way down its page.
qreal ThirdDownMargin(ManuscriptPaper paper)
{
    return PagePixels(paper).height() / 3 - PixelsPerInch;
}
} // namespace

namespace ManuscriptLook {

QString FontFamily(ManuscriptFont font)
{
    return font == ManuscriptFont::CourierNew ? QStringLiteral("Courier New")
                                              : QStringLiteral("Times New Roman");
}

QFont BodyFont(ManuscriptFont font)
{
    QFont body;
    const bool courier = font == ManuscriptFont::CourierNew;
    body.setFamilies({ FontFamily(font),
        courier ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Serif") });
    body.setStyleHint(courier ? QFont::Monospace : QFont::Serif);
    body.setPointSizeF(BodyPoints);
    return body;
}

ManuscriptPaper DefaultPaper()
{
    // Britain measures in inches too, yet prints on A4: Letter is American.
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? ManuscriptPaper::Letter
                                                                      : ManuscriptPaper::A4;
}

QPageLayout PageLayout(ManuscriptPaper paper)
{
    const QPageSize size(paper == ManuscriptPaper::A4 ? QPageSize::A4 : QPageSize::Letter);
    return QPageLayout(
        size, QPageLayout::Portrait, QMarginsF(1, 1, 1, 1) * PointsPerInch, QPageLayout::Point);
}

QString HeaderText(const ManuscriptOptions& options)
{
    const QString name = options.Author.trimmed().isEmpty() ? options.Contact.Name : options.Author;
    const QString surname = name.simplified().section(u' ', -1);
    const QString title = QLocale().toUpper(options.Title.simplified());
    QStringList parts;
    for (const QString& part : { surname, title })
        if (!part.isEmpty())
            parts << part;
    parts << QString();
    return parts.join(QStringLiteral(" / "));
}

QTextBlockFormat BlockFormat(ManuscriptBlock kind, const ManuscriptOptions& options)
{
    const bool standard = options.StandardManuscript;
    QTextBlockFormat format;
    if (standard)
        format.setLineHeight(DoubleSpacing, QTextBlockFormat::ProportionalHeight);
    switch (kind) {
    case ManuscriptBlock::TitlePage:
        break;
    case ManuscriptBlock::Chapter:
        format.setHeadingLevel(1);
        if (standard) {
            format.setAlignment(Qt::AlignHCenter);
            format.setTopMargin(ThirdDownMargin(options.Paper));
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
        // Single-spaced paragraphs without an indent need a little space to stand apart.
        if (standard)
            format.setTextIndent(PixelsPerInch / 2);
        else
            format.setBottomMargin(PixelsPerInch / 12);
        break;
    case ManuscriptBlock::SceneBreak:
    case ManuscriptBlock::End:
        format.setAlignment(Qt::AlignHCenter);
        break;
    }
    return format;
}

QTextBlockFormat TitlePageFormat(TitleLine line, const ManuscriptOptions& options, int linesAbove)
{
    QTextBlockFormat format;
    switch (line) {
    case TitleLine::NameAndWords: {
        // The word count flush right on the name's line.
        const qreal textWidth = PagePixels(options.Paper).width() - 2 * PixelsPerInch;
        format.setTabPositions({ QTextOption::Tab(textWidth, QTextOption::RightTab) });
        break;
    }
    case TitleLine::Contact:
        break;
    case TitleLine::Title:
        format.setAlignment(Qt::AlignHCenter);
        format.setTopMargin(
            PagePixels(options.Paper).height() / 2 - PixelsPerInch - linesAbove * SingleLinePixels);
        format.setLineHeight(DoubleSpacing, QTextBlockFormat::ProportionalHeight);
        break;
    case TitleLine::Byline:
        format.setAlignment(Qt::AlignHCenter);
        format.setLineHeight(DoubleSpacing, QTextBlockFormat::ProportionalHeight);
        break;
    }
    return format;
}

QTextCharFormat CharFormat(ManuscriptBlock kind, const ManuscriptOptions& options)
{
    QTextCharFormat format;
    format.setFont(BodyFont(options.Font));
    switch (kind) {
    case ManuscriptBlock::Chapter:
        if (!options.StandardManuscript)
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
