#pragma once

#include "canvas/ColourString.h"
#include "project/ProjectModel.h"

#include <QGraphicsItem>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class CanvasScene;
class NodexLabel;
class TNodexLine;

/// One card on the canvas: a square icon showing its type, the name label under it, its outgoing
/// link line, and while its text is edited, the editor window. The card keeps itself and its
/// label inside the canvas; it stores no file itself.
class TNodex : public QGraphicsItem {
public:
    static constexpr int DefaultSize = 48;
    /// Item type of cards on the canvas, to tell them from labels and lines.
    static constexpr int ItemType = QGraphicsItem::UserType + 1;
    static constexpr int MaxDescriptionLength = 255;

    /// Made by the canvas, which owns it; invisible until its creator shows it.
    explicit TNodex(CanvasScene* canvas);
    ~TNodex() override;
    TNodex(const TNodex&) = delete;
    TNodex& operator=(const TNodex&) = delete;

    CanvasScene* Canvas() const { return FCanvas; }
    /// The card of the project model this item shows.
    CardId Id() const { return FId; }
    void SetId(CardId id) { FId = id; }

    // Position and size in whole canvas pixels.
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FSize; }
    int Height() const { return FSize; }
    void SetLeft(int left) { MoveTo(left, FTop); }
    void SetTop(int top) { MoveTo(FLeft, top); }
    /// Moves the card alone; the label follows at the next Repaint.
    void MoveTo(int left, int top);

    const QString& Name() const { return FName; }
    /// The card's revision state, 0 to 5 (not the project's or the selection's state).
    const QString& PreviousName() const { return FPreviousName; }
    const QString& Description() const { return FDescription; }
    int Type() const { return FType; }
    int State() const { return FState; }
    const QString& Marker() const { return FMarker; }
    bool BoldBaseType() const { return FBoldBaseType; }
    const QString& TextColour() const { return FTextColour.Text; }
    const QString& SelectedColour() const { return FSelectedColour.Text; }
    const QString& EditingColour() const { return FEditingColour.Text; }
    const QString& LabelColour() const { return FLabelColour.Text; }
    const QString& LineColour() const { return FLineColour.Text; }
    bool LabelTransparent() const { return FLabelTransparent; }
    bool Selected() const { return FSelected; }
    int LimitRight() const { return FLimitRight; }
    int LimitBottom() const { return FLimitBottom; }
    TNodex* LinkTo() const { return FLinkTo; }
    TNodex* LinkedFrom() const { return FLinkedFrom; }
    const QString& LinkToName() const { return FLinkToName; }
    NodexLabel* NameLabel() const { return FNameLabel; }
    TNodexLine* Line() const { return FLine; }
    int LabelOverhang() const { return FLabelOverhang; }
    int LabelHeight() const { return FLabelHeight; }
    const QString& Hint() const { return FHint; }
    /// The hint as the tooltip shows it: plain text, whatever it looks like.
    QString HintToolTip() const;
    const QPixmap& Picture() const { return FPicture; }

    /// The open editor of this card's text, or none. The card owns it.
    QWidget* Editor() const { return FEditor; }
    void SetEditor(QWidget* editor);

    // Offsets of a card from the dragged card while a group moves.
    int DragOffsetX = 0;
    int DragOffsetY = 0;

    void SetName(const QString& name);
    void SetDescription(const QString& text);
    void SetType(int type);
    void SetState(int state);
    void SetMarker(const QString& marker);
    void SetBoldBaseType(bool bold);
    void SetSelected(bool selected);
    void SetColours(const QString& text, const QString& selected, const QString& editing,
                    const QString& label, const QString& line, bool labelTransparent);
    /// Sets the successor and remembers its name; touches neither that card nor the line.
    void SetLinkTo(TNodex* card);
    void SetLinkedFrom(TNodex* card);
    /// Keeps a successor name read from a card file until the project's links are resolved.
    void SetLinkToName(const QString& name) { FLinkToName = name; }
    /// The icon, drawn at its own size at the top-left; the card becomes `size` pixels square.
    void SetPicture(const QPixmap& picture, int size);
    void SetHint(const QString& hint);
    /// The word count as the card shows it under its name ("1,234 words"); kept on the card so
    /// that drawing never reads a text.
    const QString& WordCountText() const { return FWordCountText; }
    void SetWordCountText(const QString& text);
    /// Shows under the name what the canvas is told to show of the card's story, and sizes the
    /// label to it; the caller keeps the card inside the canvas.
    void ShowStory();

    /// Hands the label and the line to a caller that destroys them itself, just before it
    /// destroys the card: the canvas removes thousands of items cheaply only in its own order.
    QList<QGraphicsItem*> TakeParts();

    /// Lays out and shows the link line towards the successor; nothing without one.
    void UpdateLine();
    void HideLine();
    /// Makes the line match the link after the link changed: laid out towards the successor,
    /// or hidden when there is none.
    void RefreshLine();

    /// Setting up a card sets its name, type, bold rule, state and marker one after another,
    /// and each would lay the label out again; between BeginUpdate and EndUpdate the label is
    /// laid out, the card kept inside the canvas and repainted once, at the end.
    void BeginUpdate();
    void EndUpdate();
    /// Sizes the label to its wrapped text and works out how far it sticks out of the card.
    void LayoutLabel();
    /// Keeps card and label inside the canvas, with 2 pixels at the left and top and 3 at the right.
    void ClampToParent();
    /// Where ClampToParent would put the card if it stood at `left`, `top`.
    QPoint ClampedPosition(qint64 left, qint64 top) const;
    /// Redraws the card and places (and unless it is being dragged, colours) its label.
    void Repaint();

    int type() const override { return ItemType; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void ShowLabelText(const QString& text);
    void ApplyBoldRule();

    CanvasScene* FCanvas;
    CardId FId = 0;
    int FLeft = 0;
    int FTop = 0;
    int FSize = DefaultSize;
    QPixmap FPicture;
    QString FHint;

    QString FName = QStringLiteral("unnamed");
    QString FPreviousName = QStringLiteral("unnamed");
    QString FDescription;
    QString FWordCountText;
    int FType = 1;
    int FState = 0;
    QString FMarker;
    bool FBoldBaseType = false;
    ColourSetting FTextColour;
    ColourSetting FSelectedColour;
    ColourSetting FEditingColour;
    ColourSetting FLabelColour;
    ColourSetting FLineColour;
    bool FLabelTransparent = true;
    bool FSelected = false;
    int FLimitRight = 0;
    int FLimitBottom = 0;
    TNodex* FLinkTo = nullptr;
    TNodex* FLinkedFrom = nullptr;
    QPointer<QWidget> FEditor;
    TNodexLine* FLine;
    QString FLinkToName;
    NodexLabel* FNameLabel;
    int FLabelOverhang = 0;
    int FLabelHeight = 0;
    // Work put off between BeginUpdate and EndUpdate.
    bool FUpdating = false;
    bool FLayoutPending = false;
    bool FClampPending = false;
    bool FRepaintPending = false;
};

Q_DECLARE_METATYPE(TNodex*)
