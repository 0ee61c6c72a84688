#pragma once

#include "canvas/LineStyle.h"

#include <QFont>
#include <QGraphicsScene>
#include <QList>
#include <QSize>

class TNodex;

/// The canvas panel: owns every card, keeps them in creation order ("canvas order"), and has a
/// fixed size within which cards keep themselves.
class CanvasScene : public QGraphicsScene {
    Q_OBJECT
public:
    explicit CanvasScene(QObject* parent = nullptr);
    ~CanvasScene() override;

    /// Makes an invisible card at the end of the canvas order, or at `index` in it.
    TNodex* CreateCard(int index = -1);
    /// Removes one card from the canvas and destroys it with its label, line and editor.
    void DestroyCard(TNodex* card);
    /// Destroys every card, first to last.
    void DestroyAllCards();

    /// Every card, in canvas order.
    const QList<TNodex*>& Cards() const { return FCards; }
    int CardCount() const { return int(FCards.size()); }

    int CanvasWidth() const { return FWidth; }
    int CanvasHeight() const { return FHeight; }
    /// Sizes the canvas, though never smaller than the room its cards were given.
    void SetCanvasSize(int width, int height);
    /// Keeps the canvas at least this large until its cards are destroyed, so that cards
    /// placed on a larger screen are never pushed in from where they were stored.
    void SetRoomForCards(QSize room);
    /// Makes room for cards about to be placed as far out as `farthest`, icons and labels
    /// included.
    void MakeRoomForPlacing(QPoint farthest);
    /// Keeps the room its cards now take, with a margin beyond the farthest.
    void FitRoomToCards();

    /// Puts an item above everything else on the canvas.
    void BringToFront(QGraphicsItem* item);
    /// Puts an item below everything else on the canvas.
    void SendToBack(QGraphicsItem* item);

    /// How every link line is drawn, as the theme says.
    void SetLineStyle(const LineStyle& style);

    /// The font of card labels, regular or bold, made from the application's font as it is
    /// now. Every label shares one of the two, so that measuring thousands of labels finds
    /// the font's glyphs once, not once for each label.
    const QFont& LabelFont(bool bold) const;

    /// The smaller face of what cards show under their names, shared as the label fonts are.
    const QFont& StoryFont() const;
    bool DescriptionsShown() const { return FDescriptionsShown; }
    bool WordCountsShown() const { return FWordCountsShown; }
    /// Shows or hides the descriptions and word counts under the cards' names; the canvas
    /// grows to what the cards now take, so that no card is pushed from its place.
    void SetStoryShown(bool descriptions, bool wordCounts);

    /// The card being dragged at the moment, if any.
    TNodex* DraggedCard() const { return FDraggedCard; }
    void SetDraggedCard(TNodex* card) { FDraggedCard = card; }

    /// The card under a canvas point: the topmost visible item there if it is a card.
    TNodex* CardAt(const QPointF& point) const;
    /// The topmost visible item under a canvas point, of any kind.
    QGraphicsItem* TopItemAt(const QPointF& point) const;

    /// A card was pushed back inside the canvas edges.
    void NoteClamped(TNodex* card) { emit CardClamped(card); }

signals:
    /// A card is about to be destroyed: references to it must be dropped.
    void CardDestroying(TNodex* card);
    /// A card moved itself to stay inside the canvas.
    void CardClamped(TNodex* card);

private:
    QList<TNodex*> FCards;
    void ApplySize();

    QSize FRequested{1000, 700};
    QSize FRoomForCards;
    int FWidth = 1000;
    int FHeight = 700;
    qreal FFrontZ = 0;
    qreal FBackZ = 0;
    TNodex* FDraggedCard = nullptr;
    LineStyle FLineStyle;
    mutable bool FLabelFontsMade = false;
    mutable QFont FLabelFontsFrom; ///< the application's font the label fonts were made from
    mutable QFont FLabelFont;
    mutable QFont FBoldLabelFont;
    mutable QFont FStoryFont;
    bool FDescriptionsShown = false;
    bool FWordCountsShown = false;
};
