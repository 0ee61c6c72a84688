#include "canvas/NodexObject.h"

#include "canvas/Canvas.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr int Unbounded = 1 << 20;
const QColor Black(0, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

/// The size of a text set on one line, as the font measures it, with no wrapping at all.
QSize NaturalSize(const QFont& font, const QString& text)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, Unbounded, Unbounded), 0, text).size();
}

int NaturalWidth(const QFont& font, const QString& text)
{
    return NaturalSize(font, text).width();
}

/// A single word exactly `width` pixels wide in `font`, or empty if none of the tried ones is.
QString WordOfWidth(const QFont& font, int width)
{
    for (int wide = 0; wide < 20; ++wide)
        for (int middle = 0; middle < 6; ++middle)
            for (int narrow = 0; narrow < 12; ++narrow) {
                const QString word
                    = QString(wide, 'm') + QString(middle, 'n') + QString(narrow, 'i');
                if (NaturalWidth(font, word) == width)
                    return word;
            }
    return {};
}

/// A canvas of 1000 x 700 pixels whose label font is pinned to a face the setup installs.
class CardTest : public testing::Test {
protected:
    void SetUp() override
    {
        SavedFont = QApplication::font();
        QApplication::setFont(QFont("DejaVu Sans"));
        Canvas.SetCanvasSize(1000, 700);
    }
    void TearDown() override { QApplication::setFont(SavedFont); }

    TNodex* MakeCard(const QString& name, int left = 400, int top = 300)
    {
        TNodex* card = Canvas.CreateCard();
        card->MoveTo(left, top);
        card->SetName(name);
        card->setVisible(true);
        return card;
    }

    QFont SavedFont;
    TCanvas Canvas;
};

} // namespace

TEST_F(CardTest, MarkerFollowsTheNameAfterASpaceExceptTheBareStar)
{
    TNodex* card = MakeCard("Chapter 1");
    EXPECT_EQ(card->NameLabel()->scene(), &Canvas);
    EXPECT_TRUE(card->NameLabel()->isVisible());

    card->SetMarker("*");
    EXPECT_EQ(card->NameLabel()->Text(), "Chapter 1");
    card->SetMarker(" *");
    EXPECT_EQ(card->NameLabel()->Text(), "Chapter 1  *");
    card->SetMarker("**");
    EXPECT_EQ(card->NameLabel()->Text(), "Chapter 1 **");
    card->SetMarker("(R)");
    EXPECT_EQ(card->NameLabel()->Text(), "Chapter 1 (R)");
    EXPECT_EQ(card->Marker(), "(R)");
    // The label is laid out again for the longer text.
    EXPECT_EQ(card->NameLabel()->Width(), NaturalWidth(CardLabelFont(), "Chapter 1 (R)"));
}

TEST_F(CardTest, RenamingShowsTheBareNameUntilTheMarkerIsAppliedAgain)
{
    TNodex* card = Canvas.CreateCard();
    EXPECT_EQ(card->Name(), "unnamed");
    EXPECT_EQ(card->PreviousName(), "unnamed");

    card->SetName("Chapter 1");
    card->SetMarker("(R)");
    card->SetName("Chapter One");
    EXPECT_EQ(card->Name(), "Chapter One");
    EXPECT_EQ(card->PreviousName(), "Chapter 1");
    EXPECT_EQ(card->NameLabel()->Text(), "Chapter One");

    card->SetMarker("(R)");
    EXPECT_EQ(card->NameLabel()->Text(), "Chapter One (R)");
    card->SetName("Finale");
    EXPECT_EQ(card->PreviousName(), "Chapter One");
    EXPECT_EQ(card->NameLabel()->Text(), "Finale");
}

TEST_F(CardTest, LabelWrapsAt120PixelsOrAtItsLongestWord)
{
    const QFont font = CardLabelFont();
    const int lineHeight = NaturalSize(font, "Ab").height();

    TNodex* shortName = MakeCard("Ab");
    EXPECT_EQ(shortName->NameLabel()->Width(), NaturalWidth(font, "Ab"));
    EXPECT_LT(shortName->NameLabel()->Width(), 48);
    EXPECT_EQ(shortName->LabelOverhang(), 0);
    EXPECT_EQ(shortName->LabelHeight(), lineHeight + 1);

    const QString longWord = "Supercalifragilisticexpialidocious";
    const int longWidth = NaturalWidth(font, longWord);
    ASSERT_GT(longWidth, 120);
    TNodex* wide = MakeCard(longWord);
    EXPECT_EQ(wide->NameLabel()->Width(), longWidth);
    EXPECT_EQ(wide->LabelOverhang(), (longWidth - 48) / 2);
    EXPECT_EQ(wide->LabelHeight(), lineHeight + 1);

    // The short words that follow wrap at the long word's width, not at 120.
    wide->SetName(longWord + " it is");
    EXPECT_EQ(wide->NameLabel()->Width(), longWidth);
    EXPECT_GT(wide->LabelHeight(), lineHeight + 1);

    const QString sentence = "The long night of the hunter in the marsh beside the river";
    ASSERT_GT(NaturalWidth(font, sentence), 2 * 120);
    TNodex* wrapped = MakeCard(sentence);
    // Its widest line at the wrap width, measured left-aligned so no centring offset rounds in.
    const QRect atWrapWidth
        = QFontMetrics(font).boundingRect(QRect(0, 0, 120, Unbounded), Qt::TextWordWrap, sentence);
    EXPECT_EQ(wrapped->NameLabel()->Width(), atWrapWidth.width());
    EXPECT_EQ(wrapped->NameLabel()->Height(), atWrapWidth.height());
    EXPECT_LE(wrapped->NameLabel()->Width(), 120);
    EXPECT_GE(wrapped->NameLabel()->Height(), 3 * lineHeight);
    EXPECT_EQ(wrapped->LabelHeight(), atWrapWidth.height() + 1);

    // "&" is shown literally, not taken as an accelerator.
    TNodex* ampersand = MakeCard("Salt & Pepper");
    EXPECT_EQ(ampersand->NameLabel()->Width(), NaturalWidth(font, "Salt & Pepper"));
}

TEST_F(CardTest, ClampKeepsCardAndLabelInsideTheCanvas)
{
    const QString word = WordOfWidth(CardLabelFont(), 120);
    ASSERT_FALSE(word.isEmpty());
    TNodex* card = MakeCard(word);
    ASSERT_EQ(card->NameLabel()->Width(), 120);
    ASSERT_EQ(card->LabelOverhang(), 36);
    const int labelHeight = card->LabelHeight();

    card->MoveTo(10, 100);
    card->ClampToParent();
    EXPECT_EQ(card->Left(), 38);
    EXPECT_EQ(card->Top(), 100);
    EXPECT_EQ(card->LimitRight(), 1000);
    EXPECT_EQ(card->LimitBottom(), 700);
    // The label moves along and keeps the 2-pixel margin.
    EXPECT_EQ(card->NameLabel()->pos(), QPointF(2, 149));

    card->MoveTo(920, 100);
    card->ClampToParent();
    EXPECT_EQ(card->Left(), 913);
    EXPECT_EQ(card->NameLabel()->pos().x() + 120, 997);

    card->MoveTo(916, 100);
    card->ClampToParent();
    EXPECT_EQ(card->Left(), 916);

    card->MoveTo(400, 0);
    card->ClampToParent();
    EXPECT_EQ(card->Top(), 2);

    // No margin at the bottom: card and label may reach the canvas's last row.
    const int lowest = 700 - 48 - labelHeight;
    card->MoveTo(400, lowest);
    card->ClampToParent();
    EXPECT_EQ(card->Top(), lowest);
    card->MoveTo(400, lowest + 1);
    card->ClampToParent();
    EXPECT_EQ(card->Top(), lowest);

    // Too narrow for card and label: the right-hand rule, applied last, wins.
    Canvas.SetCanvasSize(100, 700);
    card->MoveTo(10, 100);
    card->ClampToParent();
    EXPECT_EQ(card->Left(), 100 - 3 - 84);
    EXPECT_EQ(card->LimitRight(), 100);

    // A card whose label fits under it keeps 2 pixels at the left and top.
    Canvas.SetCanvasSize(1000, 700);
    TNodex* plain = MakeCard("Ab", 0, 0);
    EXPECT_EQ(plain->Left(), 2);
    EXPECT_EQ(plain->Top(), 2);
}

TEST_F(CardTest, ChangingTheTypeResetsTheStateButTheSameTypeKeepsIt)
{
    TNodex* card = MakeCard("Hero");
    EXPECT_EQ(card->Type(), 1);
    card->SetState(2);
    card->SetType(1);
    EXPECT_EQ(card->State(), 2);

    card->SetType(3);
    EXPECT_EQ(card->Type(), 3);
    EXPECT_EQ(card->State(), 0);

    card->SetState(4);
    card->SetType(3);
    EXPECT_EQ(card->State(), 4);
}

TEST_F(CardTest, OnlyTheBaseTypeIsBoldAndTheLabelIsLaidOutAgain)
{
    QFont boldFont = CardLabelFont();
    boldFont.setBold(true);
    const QString name = "Manuscripts";
    const int regular = NaturalWidth(CardLabelFont(), name);
    const int bold = NaturalWidth(boldFont, name);
    ASSERT_GT(bold, regular);
    ASSERT_GT(regular, 48);

    TNodex* card = MakeCard(name);
    EXPECT_FALSE(card->NameLabel()->Font().bold());
    card->SetBoldBaseType(true);
    EXPECT_TRUE(card->NameLabel()->Font().bold());
    EXPECT_EQ(card->NameLabel()->Width(), bold);
    EXPECT_EQ(card->LabelOverhang(), (bold - 48) / 2);

    card->SetType(2);
    EXPECT_FALSE(card->NameLabel()->Font().bold());
    EXPECT_EQ(card->NameLabel()->Width(), regular);
    card->SetType(0);
    EXPECT_FALSE(card->NameLabel()->Font().bold());

    card->SetType(1);
    EXPECT_TRUE(card->NameLabel()->Font().bold());
    card->SetBoldBaseType(false);
    EXPECT_FALSE(card->NameLabel()->Font().bold());
    EXPECT_EQ(card->NameLabel()->Width(), regular);
    EXPECT_EQ(card->LabelOverhang(), (regular - 48) / 2);
}

TEST_F(CardTest, ColoursThatDoNotConvertFallBackOneByOne)
{
    TNodex* card = MakeCard("Villain");
    card->SetColours("102030", "GGGGGG", "00FF00", "CCCCCC", "", false);
    EXPECT_EQ(card->TextColour(), "102030");
    EXPECT_EQ(card->SelectedColour(), "FF0000");
    EXPECT_EQ(card->EditingColour(), "00FF00");
    EXPECT_EQ(card->LabelColour(), "CCCCCC");
    EXPECT_EQ(card->LineColour(), "DDDDDD");
    EXPECT_FALSE(card->LabelTransparent());
    EXPECT_EQ(card->NameLabel()->TextColour(), QColor(0x30, 0x20, 0x10));
    EXPECT_EQ(card->NameLabel()->BackgroundColour(), QColor(0xCC, 0xCC, 0xCC));
    EXPECT_FALSE(card->NameLabel()->Transparent());

    card->SetColours("", "0000FF", "xyz", "white", "112233", true);
    EXPECT_EQ(card->TextColour(), "000000");
    EXPECT_EQ(card->SelectedColour(), "0000FF");
    EXPECT_EQ(card->EditingColour(), "0000FF");
    EXPECT_EQ(card->LabelColour(), "FFFFFF");
    EXPECT_TRUE(card->NameLabel()->Transparent());

    // The line colour takes effect when the line is laid out.
    TNodex* target = MakeCard("Lair", 700, 300);
    card->SetLinkTo(target);
    card->UpdateLine();
    EXPECT_EQ(card->Line()->Colour, QColor(0x33, 0x22, 0x11));
}

TEST_F(CardTest, LabelTextColourIsSelectedThenEditingThenNormal)
{
    TNodex* card = MakeCard("Scene");
    EXPECT_EQ(card->NameLabel()->TextColour(), Black);

    card->SetSelected(true);
    EXPECT_EQ(card->NameLabel()->TextColour(), Blue);

    auto* editor = new QWidget;
    card->SetEditor(editor);
    EXPECT_EQ(card->NameLabel()->TextColour(), Blue);
    card->SetSelected(false);
    EXPECT_EQ(card->NameLabel()->TextColour(), Red);

    // A closed editor leaves no dangling reference behind.
    delete editor;
    EXPECT_EQ(card->Editor(), nullptr);
    card->Repaint();
    EXPECT_EQ(card->NameLabel()->TextColour(), Black);
}

TEST_F(CardTest, ADraggedCardMovesItsLabelButKeepsItsColours)
{
    TNodex* card = MakeCard("Scene");
    TNodex* other = MakeCard("Other", 100, 100);
    Canvas.SetDraggedCard(card);

    card->SetSelected(true);
    EXPECT_EQ(card->NameLabel()->TextColour(), Black);
    card->MoveTo(300, 250);
    card->Repaint();
    EXPECT_EQ(card->NameLabel()->pos().y(), 250 + 48 + 1);
    EXPECT_EQ(card->NameLabel()->TextColour(), Black);
    other->SetSelected(true);
    EXPECT_EQ(other->NameLabel()->TextColour(), Blue);

    Canvas.SetDraggedCard(nullptr);
    card->Repaint();
    EXPECT_EQ(card->NameLabel()->TextColour(), Blue);
}

TEST_F(CardTest, DescriptionIsTrimmedAndCutTo255Characters)
{
    TNodex* card = MakeCard("Notes");
    card->SetDescription("  \t A plot twist \r\n ");
    EXPECT_EQ(card->Description(), "A plot twist");

    card->SetDescription("   " + QString(254, 'a') + "bcd   ");
    EXPECT_EQ(card->Description(), QString(254, 'a') + "b");

    card->SetDescription("");
    EXPECT_EQ(card->Description(), "");
}

TEST_F(CardTest, APictureMakesTheCardSquareAndAllOfItResponds)
{
    TNodex* card = MakeCard("Chapter one", 200, 200);
    const int labelWidth = card->NameLabel()->Width();
    ASSERT_GT(labelWidth, 32);

    QPixmap transparent(32, 32);
    transparent.fill(Qt::transparent);
    card->SetPicture(transparent, 32);
    EXPECT_EQ(card->Width(), 32);
    EXPECT_EQ(card->Height(), 32);
    EXPECT_EQ(card->boundingRect(), QRectF(0, 0, 32, 32));
    EXPECT_EQ(card->LabelOverhang(), (labelWidth - 32) / 2);

    card->Repaint();
    EXPECT_EQ(Canvas.CardAt(QPointF(200.5, 200.5)), card);
    EXPECT_EQ(Canvas.CardAt(QPointF(231.5, 231.5)), card);
    EXPECT_EQ(Canvas.CardAt(QPointF(233.5, 215)), nullptr);
    // The label under the card takes no presses as a card.
    EXPECT_EQ(Canvas.CardAt(QPointF(216, 236)), nullptr);
}

TEST_F(CardTest, LabelIsCentredUnderTheCardRoundingTowardsZero)
{
    TNodex* card = MakeCard("Chapter one", 200, 100);
    const int labelWidth = card->NameLabel()->Width();
    ASSERT_GT(labelWidth, 4);

    EXPECT_EQ(card->NameLabel()->pos(), QPointF(200 + (48 - labelWidth) / 2, 100 + 48 + 1));

    // One pixel narrower than the label: -1 / 2 gives 0, not -1.
    card->SetPicture(QPixmap(labelWidth - 1, labelWidth - 1), labelWidth - 1);
    card->Repaint();
    EXPECT_EQ(card->NameLabel()->pos(), QPointF(200, 100 + labelWidth - 1 + 1));

    card->SetPicture(QPixmap(labelWidth - 3, labelWidth - 3), labelWidth - 3);
    card->Repaint();
    EXPECT_EQ(card->NameLabel()->pos().x(), 200 - 1);

    card->SetPicture(QPixmap(labelWidth + 3, labelWidth + 3), labelWidth + 3);
    card->Repaint();
    EXPECT_EQ(card->NameLabel()->pos().x(), 200 + 1);
}

TEST_F(CardTest, DestroyingACardTakesItsEditorLabelAndLineWithIt)
{
    TNodex* card = MakeCard("Draft");
    TNodex* target = MakeCard("Final", 700, 300);
    card->SetLinkTo(target);
    target->SetLinkedFrom(card);
    card->UpdateLine();
    QPointer<QWidget> editor = new QWidget;
    card->SetEditor(editor);
    ASSERT_EQ(Canvas.items().size(), 5);

    target->SetLinkedFrom(nullptr);
    Canvas.DestroyCard(card);
    EXPECT_TRUE(editor.isNull());
    EXPECT_EQ(Canvas.items().size(), 2);
    EXPECT_EQ(Canvas.Cards(), QList<TNodex*> { target });
}
