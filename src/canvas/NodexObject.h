#pragma once

#include <QGraphicsItem>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class TCanvas;
class TNodexLabel;
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
    explicit TNodex(TCanvas* canvas);
    ~TNodex() override;
    TNodex(const TNodex&) = delete;
    TNodex& operator=(const TNodex&) = delete;

    TCanvas* Canvas() const { return FCanvas; }

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
    const QString& PreviousName() const { return FPreviousName; }
    const QString& Description() const { return FDescription; }
    int Type() const { return FType; }
    int State() const { return FState; }
    const QString& Marker() const { return FMarker; }
    bool BoldBaseType() const { return FBoldBaseType; }
    const QString& TextColour() const { return FTextColour; }
    const QString& SelectedColour() const { return FSelectedColour; }
    const QString& EditingColour() const { return FEditingColour; }
    const QString& LabelColour() const { return FLabelColour; }
    const QString& LineColour() const { return FLineColour; }
    bool LabelTransparent() const { return FLabelTransparent; }
    bool Selected() const { return FSelected; }
    int LimitRight() const { return FLimitRight; }
    int LimitBottom() const { return FLimitBottom; }
    TNodex* LinkTo() const { return FLinkTo; }
    TNodex* LinkedFrom() const { return FLinkedFrom; }
    const QString& LinkToName() const { return FLinkToName; }
    TNodexLabel* NameLabel() const { return FNameLabel; }
    TNodexLine* Line() const { return FLine; }
    int LabelOverhang() const { return FLabelOverhang; }
    int LabelHeight() const { return FLabelHeight; }
    const QString& Hint() const { return FHint; }
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

    /// Lays out and shows the link line towards the successor; nothing without one.
    void UpdateLine();
    void HideLine();
    /// Sizes the label to its wrapped text and works out how far it sticks out of the card.
    void LayoutLabel();
    /// Keeps card and label inside the canvas, with 2 pixels at the left and top and 3 at the right.
    void ClampToParent();
    /// Redraws the card and places (and unless it is being dragged, colours) its label.
    void Repaint();

    int type() const override { return ItemType; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void ShowLabelText(const QString& text);
    void ApplyBoldRule();

    TCanvas* FCanvas;
    int FLeft = 0;
    int FTop = 0;
    int FSize = DefaultSize;
    QPixmap FPicture;
    QString FHint;

    QString FName = QStringLiteral("unnamed");
    QString FPreviousName = QStringLiteral("unnamed");
    QString FDescription;
    int FType = 1;
    int FState = 0;
    QString FMarker;
    bool FBoldBaseType = false;
    QString FTextColour = QStringLiteral("000000");
    QString FSelectedColour = QStringLiteral("FF0000");
    QString FEditingColour = QStringLiteral("0000FF");
    QString FLabelColour = QStringLiteral("FFFFFF");
    QString FLineColour;
    bool FLabelTransparent = true;
    bool FSelected = false;
    int FLimitRight = 0;
    int FLimitBottom = 0;
    TNodex* FLinkTo = nullptr;
    TNodex* FLinkedFrom = nullptr;
    QPointer<QWidget> FEditor;
    TNodexLine* FLine;
    QString FLinkToName;
    TNodexLabel* FNameLabel;
    int FLabelOverhang = 0;
    int FLabelHeight = 0;
};

Q_DECLARE_METATYPE(TNodex*)
