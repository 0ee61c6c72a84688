#include "canvas/NodexLabel.h"

#include "canvas/LabelLayout.h"

#include <QApplication>
#include <QPainter>

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

void NodexLabel::AutoSize()
{
    if (FMeasured)
        return;
    FMeasured = true;
    const LabelSize size = MeasureLabel(FText, FFont);
    if (size.Width != FWidth || size.Height != FHeight) {
        prepareGeometryChange();
        FWidth = size.Width;
        FHeight = size.Height;
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
    painter->drawText(box, LabelTextFlags(), FText);
}
