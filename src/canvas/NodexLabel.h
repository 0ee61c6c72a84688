#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QString>
#include <QStringList>

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

    /// What the card tells of its story under its name, in `font` (smaller than the name's):
    /// its description (at most three lines) and its word count; empty texts are not drawn.
    void SetStory(const QString& description, const QString& wordCount, const QFont& font);
    /// The lines drawn under the name, description first, as they were last measured.
    const QStringList& StoryLines() const { return FStoryLines; }
    /// The width of each of those lines, measured with them, for the overview's bars.
    const QList<int>& StoryWidths() const { return FStoryWidths; }
    /// The height of the name alone; the story's lines follow beneath it.
    int NameHeight() const { return FNameHeight; }
    int StoryLineHeight() const { return FStoryLineHeight; }

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
    int FNameHeight = 0;
    QString FDescription;
    QString FWordCount;
    QFont FStoryFont;
    QStringList FStoryLines;
    QList<int> FStoryWidths;
    int FStoryLineHeight = 0;
    // Measuring text is the costly part of loading thousands of cards: measure only on change.
    bool FMeasured = false;
    QColor FTextColour = Qt::black;
    QColor FBackground = Qt::white;
    bool FTransparent = true;
};

/// The font of every card label: 8 points in the default face.
QFont CardLabelFont();
/// The smaller face of what a card shows under its name: 7 points.
QFont CardStoryFont();
