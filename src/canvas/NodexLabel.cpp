#include "canvas/NodexLabel.h"

#include "canvas/LabelLayout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

QFont CardLabelFont()
{
    QFont font = QApplication::font();
    font.setPointSize(8);
    font.setBold(false);
    // Card names are short and mostly in scripts that read well unshaped: Qt then skips its
    // shaper, the larger part of laying out thousands of labels. Scripts that need shaping
    // are shaped all the same.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont CardStoryFont()
{
    QFont font = CardLabelFont();
    font.setPointSize(7);
    return font;
}

NodexLabel::NodexLabel(const QFont& font)
    : FFont(font)
{
    setAcceptedMouseButtons(Qt::NoButton);
    setVisible(false);
}

void NodexLabel::SetText(const QString& text)
{
    if (text == FText)
        return;
    FText = text;
    FMeasured = false;
    update();
}

void NodexLabel::SetFont(const QFont& font)
{
    if (FFont == font)
        return;
    FFont = font;
    FMeasured = false;
    update();
}

void NodexLabel::SetStory(const QString& description, const QString& wordCount, const QFont& font)
{
    if (description == FDescription && wordCount == FWordCount && font == FStoryFont)
        return;
    FDescription = description;
    FWordCount = wordCount;
    FStoryFont = font;
    FMeasured = false;
    update();
}

void NodexLabel::AutoSize()
{
    if (FMeasured)
        return;
    FMeasured = true;
    const LabelSize size = MeasureLabel(FText, FFont);
    FNameHeight = size.Height;
    int width = size.Width;
    FStoryLines.clear();
    FStoryWidths.clear();
    FStoryLineHeight = 0;
    if (!FDescription.isEmpty() || !FWordCount.isEmpty()) {
        const QFontMetrics metrics(FStoryFont);
        FStoryLineHeight = metrics.height();
        FStoryLines = ::StoryLines(FDescription, FStoryFont, LabelWrapWidth, MaxDescriptionLines);
        if (!FWordCount.isEmpty())
            FStoryLines << FWordCount;
        for (const QString& line : FStoryLines) {
            FStoryWidths << metrics.horizontalAdvance(line);
            width = std::max(width, FStoryWidths.last());
        }
    }
    const int height = FNameHeight + int(FStoryLines.size()) * FStoryLineHeight;
    if (width != FWidth || height != FHeight) {
        prepareGeometryChange();
        FWidth = width;
        FHeight = height;
    }
}

void NodexLabel::SetColours(const QColor& text, const QColor& background, bool transparent)
{
    if (text == FTextColour && background == FBackground && transparent == FTransparent)
        return;
    FTextColour = text;
    FBackground = background;
    FTransparent = transparent;
    update();
}

QRectF NodexLabel::boundingRect() const { return QRectF(0, 0, FWidth, FHeight); }

void NodexLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QRect box(0, 0, FWidth, FHeight);
    if (!FTransparent)
        painter->fillRect(box, FBackground);
    painter->setFont(FFont);
    painter->setPen(FTextColour);
    painter->drawText(QRect(0, 0, FWidth, FNameHeight), LabelTextFlags(), FText);
    if (FStoryLines.isEmpty())
        return;
    painter->setFont(FStoryFont);
    int top = FNameHeight;
    for (const QString& line : FStoryLines) {
        painter->drawText(QRect(0, top, FWidth, FStoryLineHeight), Qt::AlignHCenter | Qt::AlignTop, line);
        top += FStoryLineHeight;
    }
}
