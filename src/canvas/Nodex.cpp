#include "canvas/Nodex.h"

#include "canvas/CanvasScene.h"
#include "canvas/ColourString.h"
#include "canvas/LineGeometry.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/Theme.h"

#include <QPainter>
#include <QTextDocument>

#include <utility>

namespace {
const QString NoMarker = QStringLiteral("*");

/// The colours a card starts with, converted once for all the cards of a project.
struct StartColours {
    ColourSetting Text;
    ColourSetting Selected;
    ColourSetting Editing;
    ColourSetting Label;
    ColourSetting Line;
};

const StartColours& BuiltInColours()
{
    static const StartColours colours = [] {
        const Theme& builtIn = BuiltInTheme();
        StartColours start;
        start.Text.Set(builtIn.TextColour, builtIn.TextColour);
        start.Selected.Set(builtIn.SelectedColour, builtIn.SelectedColour);
        start.Editing.Set(builtIn.EditingColour, builtIn.EditingColour);
        start.Label.Set(builtIn.LabelColour, builtIn.LabelColour);
        // No line colour until the theme gives one; a line drawn before then is the default grey.
        start.Line.Set(builtIn.LineColour, builtIn.LineColour);
        start.Line.Text.clear();
        return start;
    }();
    return colours;
}
} // namespace

TNodex::TNodex(CanvasScene* canvas)
    : FCanvas(canvas)
    , FTextColour(BuiltInColours().Text)
    , FSelectedColour(BuiltInColours().Selected)
    , FEditingColour(BuiltInColours().Editing)
    , FLabelColour(BuiltInColours().Label)
    , FLineColour(BuiltInColours().Line)
    , FLine(new TNodexLine)
    , FNameLabel(new NodexLabel(canvas->LabelFont(false)))
{
    setVisible(false);
}

TNodex::~TNodex()
{
    delete FEditor.data();
    delete FLine;
    delete FNameLabel;
}

QList<QGraphicsItem*> TNodex::TakeParts()
{
    return {std::exchange(FNameLabel, nullptr), std::exchange(FLine, nullptr)};
}

void TNodex::MoveTo(int left, int top)
{
    FLeft = left;
    FTop = top;
    setPos(left, top);
}

void TNodex::SetEditor(QWidget* editor)
{
    FEditor = editor;
    Repaint();
}

void TNodex::SetName(const QString& name)
{
    if (FNameLabel->scene() != scene() && scene())
        scene()->addItem(FNameLabel);
    FPreviousName = FName;
    FName = name;
    // The bare name: the caller applies the state's marker again after renaming.
    ShowLabelText(FName);
}

void TNodex::SetMarker(const QString& marker)
{
    FMarker = marker;
    ShowLabelText(marker == NoMarker ? FName : FName + ' ' + marker);
}

void TNodex::ShowLabelText(const QString& text)
{
    FNameLabel->SetText(text);
    FNameLabel->setVisible(true);
    LayoutLabel();
    ClampToParent();
}

void TNodex::SetDescription(const QString& text)
{
    const QString description = text.trimmed().left(MaxDescriptionLength);
    if (description == FDescription)
        return;
    FDescription = description;
    if (FCanvas->DescriptionsShown()) {
        ShowStory();
        ClampToParent();
    }
}

void TNodex::SetWordCountText(const QString& text)
{
    if (text == FWordCountText)
        return;
    FWordCountText = text;
    if (FCanvas->WordCountsShown()) {
        ShowStory();
        ClampToParent();
    }
}

void TNodex::ShowStory()
{
    FNameLabel->SetStory(FCanvas->DescriptionsShown() ? FDescription : QString(),
                         FCanvas->WordCountsShown() ? FWordCountText : QString(), FCanvas->StoryFont());
    LayoutLabel();
}

void TNodex::SetType(int type)
{
    // A card that changes its type starts again at the first revision state.
    if (type != FType)
        SetState(0);
    FType = type;
    ApplyBoldRule();
    LayoutLabel();
    Repaint();
}

void TNodex::SetState(int state)
{
    FState = state;
    LayoutLabel();
    Repaint();
}

void TNodex::SetBoldBaseType(bool bold)
{
    FBoldBaseType = bold;
    ApplyBoldRule();
    LayoutLabel();
    Repaint();
}

void TNodex::ApplyBoldRule() { FNameLabel->SetFont(FCanvas->LabelFont(FType == 1 && FBoldBaseType)); }

void TNodex::SetSelected(bool selected)
{
    if (selected == FSelected)
        return;
    FSelected = selected;
    Repaint();
}

void TNodex::SetColours(const QString& text, const QString& selected, const QString& editing,
                        const QString& label, const QString& line, bool labelTransparent)
{
    const Theme& builtIn = BuiltInTheme();
    FTextColour.Set(text, builtIn.TextColour);
    FSelectedColour.Set(selected, builtIn.SelectedColour);
    FEditingColour.Set(editing, builtIn.EditingColour);
    FLabelColour.Set(label, builtIn.LabelColour);
    FLabelTransparent = labelTransparent;
    FLineColour.Set(line, builtIn.LineColour);
    Repaint();
}

void TNodex::SetLinkTo(TNodex* card)
{
    FLinkTo = card;
    FLinkToName = card ? card->Name() : QString();
}

void TNodex::SetLinkedFrom(TNodex* card) { FLinkedFrom = card; }

void TNodex::SetPicture(const QPixmap& picture, int size)
{
    prepareGeometryChange();
    FPicture = picture;
    FSize = size;
    // The label's overhang depends on the card's width.
    LayoutLabel();
    update();
}

void TNodex::SetHint(const QString& hint) { FHint = hint; }

QString TNodex::HintToolTip() const
{
    // A tooltip reads text that looks like markup as markup; a description is plain text.
    // Made when it is shown: thousands of cards are loaded for each hint anyone reads.
    return FHint.isEmpty() ? QString()
                           : Qt::convertFromPlainText(QString(FHint).replace("\r\n", "\n"), Qt::WhiteSpacePre);
}

void TNodex::UpdateLine()
{
    if (!FLinkTo || !scene())
        return;
    if (FLine->scene() != scene())
        scene()->addItem(FLine);
    const QPoint from = CardCentre(FLeft, FTop, Width(), Height());
    const QPoint to = CardCentre(FLinkTo->Left(), FLinkTo->Top(), FLinkTo->Width(), FLinkTo->Height());
    FCanvas->SendToBack(FLine);
    FLine->Layout(LayoutLine(from, to, FLinkTo->Width()), FLineColour.Colour);
}

void TNodex::HideLine() { FLine->Hide(); }

void TNodex::RefreshLine()
{
    if (FLinkTo)
        UpdateLine();
    else
        HideLine();
}

void TNodex::BeginUpdate() { FUpdating = true; }

void TNodex::EndUpdate()
{
    FUpdating = false;
    if (std::exchange(FLayoutPending, false))
        LayoutLabel();
    const bool repaint = std::exchange(FRepaintPending, false);
    if (std::exchange(FClampPending, false))
        ClampToParent();
    else if (repaint)
        Repaint();
}

void TNodex::LayoutLabel()
{
    if (FUpdating) {
        FLayoutPending = true;
        return;
    }
    FNameLabel->AutoSize();
    const int labelWidth = FNameLabel->Width();
    FLabelOverhang = labelWidth > Width() ? (labelWidth - Width()) / 2 : 0;
    FLabelHeight = FNameLabel->Height() + 1;
}

QPoint TNodex::ClampedPosition(qint64 left, qint64 top) const
{
    const int limitRight = FCanvas->CanvasWidth();
    const int limitBottom = FCanvas->CanvasHeight();
    // Wide arithmetic: a damaged card file may place a card at the very end of the int range.
    if (left - FLabelOverhang < 2)
        left = FLabelOverhang + 2;
    if (top < 2)
        top = 2;
    // Applied after the left rule: on a canvas too narrow for card and label, the right wins.
    if (left + Width() + FLabelOverhang > limitRight)
        left = limitRight - 3 - (Width() + FLabelOverhang);
    if (top + Height() + FLabelHeight > limitBottom)
        top = limitBottom - (Height() + FLabelHeight);
    return { int(left), int(top) };
}

void TNodex::ClampToParent()
{
    if (FUpdating) {
        FClampPending = true;
        return;
    }
    FLimitRight = FCanvas->CanvasWidth();
    FLimitBottom = FCanvas->CanvasHeight();
    const QPoint kept = ClampedPosition(FLeft, FTop);
    const bool moved = kept != QPoint(FLeft, FTop);
    MoveTo(kept.x(), kept.y());
    Repaint();
    if (moved)
        FCanvas->NoteClamped(this);
}

void TNodex::Repaint()
{
    update();
    if (FUpdating) {
        FRepaintPending = true;
        return;
    }
    FNameLabel->setPos(FLeft + (Width() - FNameLabel->Width()) / 2, FTop + Height() + 1);
    // While a card is dragged only its position changes; it is coloured again when dropped.
    if (FCanvas->DraggedCard() == this)
        return;
    const ColourSetting& text = FSelected ? FSelectedColour : (FEditor ? FEditingColour : FTextColour);
    FNameLabel->SetColours(text.Colour, FLabelColour.Colour, FLabelTransparent);
}

QRectF TNodex::boundingRect() const { return QRectF(0, 0, FSize, FSize); }

void TNodex::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    // Drawn at its own size, never scaled; a picture larger than the square is cut off.
    painter->drawPixmap(QPoint(0, 0), FPicture, QRect(0, 0, FSize, FSize));
}
