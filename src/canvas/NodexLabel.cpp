#include "canvas/NodexLabel.h"

#include "canvas/LabelLayout.h"

#include <QApplication>
#include <QPainter>

QFont CardLabelFont()
{
    QFont font = QApplication::font();
    font.setPointSize(8);
    font.setBold(false);
    return font;
}

TNodexLabel::TNodexLabel()
    : FFont(CardLabelFont())
{
    setAcceptedMouseButtons(Qt::NoButton);
    setVisible(false);
}

void TNodexLabel::SetText(const QString& text)
{
    if (text == FText)
        return;
    FText = text;
    FMeasured = false;
    update();
}

void TNodexLabel::SetBold(bool bold)
{
    if (FFont.bold() == bold)
        return;
    FFont.setBold(bold);
    FMeasured = false;
    update();
}

void TNodexLabel::AutoSize()
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

void TNodexLabel::SetColours(const QColor& text, const QColor& background, bool transparent)
{
    if (text == FTextColour && background == FBackground && transparent == FTransparent)
        return;
    FTextColour = text;
    FBackground = background;
    FTransparent = transparent;
    update();
}

QRectF TNodexLabel::boundingRect() const { return QRectF(0, 0, FWidth, FHeight); }

void TNodexLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QRect box(0, 0, FWidth, FHeight);
    if (!FTransparent)
        painter->fillRect(box, FBackground);
    painter->setFont(FFont);
    painter->setPen(FTextColour);
    painter->drawText(box, LabelTextFlags(), FText);
}
