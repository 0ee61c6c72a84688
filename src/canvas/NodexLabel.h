#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QString>

/// The name label under a card: centred, word-wrapped text, optionally on a background. It takes
/// no presses: a press on a label does nothing.
class NodexLabel : public QGraphicsItem {
public:
    static constexpr int ItemType = QGraphicsItem::UserType + 2;

    explicit NodexLabel(const QFont& font);
    int type() const override { return ItemType; }

    const QString& Text() const { return FText; }
    void SetText(const QString& text);
    const QFont& Font() const { return FFont; }
    /// Takes one of the canvas's shared label fonts (see CanvasScene::LabelFont).
    void SetFont(const QFont& font);

    /// Sizes the label to its wrapped text; returns the new width and height.
    void AutoSize();
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    void SetColours(const QColor& text, const QColor& background, bool transparent);
    const QColor& TextColour() const { return FTextColour; }
    const QColor& BackgroundColour() const { return FBackground; }
    bool Transparent() const { return FTransparent; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QString FText;
    QFont FFont;
    int FWidth = 0;
    int FHeight = 0;
    // Measuring text is the costly part of loading thousands of cards: measure only on change.
    bool FMeasured = false;
    QColor FTextColour = Qt::black;
    QColor FBackground = Qt::white;
    bool FTransparent = true;
};

/// The font of every card label: 8 points in the default face.
QFont CardLabelFont();
