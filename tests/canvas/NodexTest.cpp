#include "canvas/Nodex.h"

#include "canvas/CanvasScene.h"
#include "canvas/NodexLabel.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QColor Black(0, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

/// The size of a text wrapped at `width` as the font measures it, left-aligned so that no
/// centring offset rounds into the width.
QSize SizeAt(const QFont& font, const QString& text, int width = 1 << 20)
{
    return QFontMetrics(font)
        .boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text)
        .size();
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
    CanvasScene Canvas;
};

} // namespace

TEST_F(CardTest, MarkerFollowsTheNameAfterASpaceExceptTheBareStar)
{
    TNodex* card = MakeCard("Chapter 1");
    for (auto [marker, text] : { std::pair { "*", "Chapter 1" }, { " *", "Chapter 1  *" },
             { "**", "Chapter 1 **" }, { "(R)", "Chapter 1 (R)" } }) {
        card->SetMarker(marker);
        EXPECT_EQ(card->NameLabel()->Text(), text);
    }
    // The label is laid out again for the longer text.
    EXPECT_EQ(card->NameLabel()->Width(), SizeAt(CardLabelFont(), "Chapter 1 (R)").width());
}

TEST_F(CardTest, RenamingShowsTheBareNameUntilTheMarkerIsAppliedAgain)
{
    TNodex* card = Canvas.CreateCard();
    EXPECT_EQ(card->Name(), "unnamed");
    card->SetName("Chapter 1");
    card->SetMarker("(R)");
    card->SetName("Chapter One");
    EXPECT_EQ(card->PreviousName(), "Chapter 1");
    EXPECT_EQ(card->NameLabel()->Text(), "Chapter One");
    card->SetMarker("(R)");
    EXPECT_EQ(card->NameLabel()->Text(), "Chapter One (R)");
}

TEST_F(CardTest, LabelWrapsAt120PixelsOrAtItsLongestWord)
{
    const QFont font = CardLabelFont();
    const QString longWord = "Supercalifragilisticexpialidocious";
    const QString shortWords = "it is a tale told by an idiot";
    const int longWidth = SizeAt(font, longWord).width();
    const int shortWidth = SizeAt(font, shortWords).width();
    ASSERT_TRUE(shortWidth > 120 && shortWidth <= longWidth) << shortWidth << " " << longWidth;
    const QString sentence = "The long night of the hunter in the marsh beside the river";
    ASSERT_GT(SizeAt(font, sentence).width(), 2 * 120);

    // Names and the size of their label; "&" is shown literally, not taken as an accelerator.
    const QList<std::pair<QString, QSize>> cases {
        { "Ab", SizeAt(font, "Ab") },
        { "Salt & Pepper", SizeAt(font, "Salt & Pepper") },
        { longWord, SizeAt(font, longWord) },
        // The short words after a long one share a line at its width, not at 120.
        { longWord + ' ' + shortWords, SizeAt(font, longWord + ' ' + shortWords, longWidth) },
        { sentence, SizeAt(font, sentence, 120) },
    };
    ASSERT_NE(cases[3].second, SizeAt(font, cases[3].first, 120));
    for (const auto& [name, size] : cases) {
        TNodex* card = MakeCard(name);
        EXPECT_EQ(QSize(card->NameLabel()->Width(), card->NameLabel()->Height()), size)
            << name.toStdString();
        EXPECT_EQ(card->LabelOverhang(), std::max(0, (size.width() - 48) / 2));
        EXPECT_EQ(card->LabelHeight(), size.height() + 1);
    }
}

TEST_F(CardTest, ClampKeepsCardAndLabelInsideTheCanvas)
{
    TNodex* card = MakeCard("Supercalifragilistic");
    const int overhang = card->LabelOverhang();
    // Wide enough that on the narrow canvas below the right-hand rule breaks the left-hand one.
    ASSERT_GT(overhang, 24);

    // 2 pixels at the left and top, for the label too, and none at the bottom. A label touching
    // the right edge may stay; one pixel beyond, the card goes back to 3 pixels from the edge.
    const int lowest = 700 - 48 - card->LabelHeight();
    const int flush = 1000 - 48 - overhang;
    const QList<std::pair<QPoint, QPoint>> moves { { { 400, 0 }, { 400, 2 } },
        { { flush, 100 }, { flush, 100 } }, { { flush + 1, 100 }, { flush - 3, 100 } },
        { { 400, lowest }, { 400, lowest } }, { { 400, lowest + 1 }, { 400, lowest } },
        { { 10, 100 }, { overhang + 2, 100 } } };
    for (const auto& [to, clamped] : moves) {
        card->MoveTo(to.x(), to.y());
        card->ClampToParent();
        EXPECT_EQ(QPoint(card->Left(), card->Top()), clamped) << to.x() << "," << to.y();
    }
    EXPECT_EQ(card->NameLabel()->pos(), QPointF(2, 149)) << "the label moves along";

    // Too narrow for card and label: the right-hand rule, applied last, wins.
    Canvas.SetCanvasSize(100, 700);
    card->ClampToParent();
    EXPECT_EQ(card->Left(), 100 - 3 - 48 - overhang);
}

TEST_F(CardTest, ChangingTheTypeResetsTheStateButTheSameTypeKeepsIt)
{
    TNodex* card = MakeCard("Hero");
    EXPECT_EQ(card->Type(), 1);
    card->SetState(2);
    card->SetType(1);
    EXPECT_EQ(card->State(), 2);
    card->SetType(3);
    EXPECT_EQ(card->State(), 0);
}

TEST_F(CardTest, OnlyTheBaseTypeIsBoldAndTheLabelIsLaidOutAgain)
{
    QFont boldFont = CardLabelFont();
    boldFont.setBold(true);
    const int regular = SizeAt(CardLabelFont(), "Manuscripts").width();
    const int bold = SizeAt(boldFont, "Manuscripts").width();
    ASSERT_GT(bold, regular);

    TNodex* card = MakeCard("Manuscripts");
    EXPECT_EQ(card->NameLabel()->Width(), regular);
    card->SetBoldBaseType(true);
    EXPECT_EQ(card->NameLabel()->Width(), bold);
    card->SetType(0);
    EXPECT_EQ(card->NameLabel()->Width(), regular);
    card->SetType(2);
    EXPECT_EQ(card->NameLabel()->Width(), regular);
    card->SetType(1);
    EXPECT_EQ(card->NameLabel()->Width(), bold);
    card->SetBoldBaseType(false);
    EXPECT_EQ(card->NameLabel()->Width(), regular);
}

TEST_F(CardTest, ColoursThatDoNotConvertFallBackOneByOne)
{
    TNodex* card = MakeCard("Villain");
    const auto colours = [card] {
        return QStringList { card->TextColour(), card->SelectedColour(), card->EditingColour(),
            card->LabelColour(), card->LineColour() };
    };
    card->SetColours("102030", "GGGGGG", "00FF00", "CCCCCC", "", false);
    EXPECT_EQ(colours(), QStringList({ "102030", "FF0000", "00FF00", "CCCCCC", "DDDDDD" }));
    EXPECT_EQ(card->NameLabel()->TextColour(), QColor(0x30, 0x20, 0x10));
    EXPECT_EQ(card->NameLabel()->BackgroundColour(), QColor(0xCC, 0xCC, 0xCC));
    EXPECT_FALSE(card->NameLabel()->Transparent());

    card->SetColours("", "0000FF", "xyz", "white", "112233", true);
    EXPECT_EQ(colours(), QStringList({ "000000", "0000FF", "0000FF", "FFFFFF", "112233" }));
    EXPECT_TRUE(card->NameLabel()->Transparent());
}

TEST_F(CardTest, LabelTextColourIsSelectedThenEditingThenNormal)
{
    TNodex* card = MakeCard("Scene");
    EXPECT_EQ(card->NameLabel()->TextColour(), Black);
    card->SetSelected(true);
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
    other->SetSelected(true);
    card->MoveTo(300, 250);
    card->Repaint();
    EXPECT_EQ(card->NameLabel()->pos().y(), 250 + 48 + 1);
    EXPECT_EQ(card->NameLabel()->TextColour(), Black);
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
}

TEST_F(CardTest, APictureMakesTheCardSquareAndAllOfItResponds)
{
    TNodex* card = MakeCard("Chapter one", 200, 200);
    const int labelWidth = card->NameLabel()->Width();
    ASSERT_GT(labelWidth, 32);
    QPixmap transparent(32, 32);
    transparent.fill(Qt::transparent);
    card->SetPicture(transparent, 32);
    EXPECT_EQ(card->LabelOverhang(), (labelWidth - 32) / 2);

    card->Repaint();
    EXPECT_EQ(Canvas.CardAt(QPointF(200.5, 200.5)), card);
    EXPECT_EQ(Canvas.CardAt(QPointF(231.5, 231.5)), card);
    EXPECT_EQ(Canvas.CardAt(QPointF(233.5, 215)), nullptr);
    EXPECT_EQ(Canvas.CardAt(QPointF(216, 236)), nullptr) << "the label is no part of the card";
}

TEST_F(CardTest, LabelIsCentredUnderTheCardRoundingTowardsZero)
{
    TNodex* card = MakeCard("Chapter one", 200, 100);
    const int labelWidth = card->NameLabel()->Width();
    ASSERT_GT(labelWidth, 4);
    EXPECT_EQ(card->NameLabel()->pos(), QPointF(200 + (48 - labelWidth) / 2, 100 + 48 + 1));

    // One pixel narrower than the label: -1 / 2 gives 0, not -1.
    for (auto [size, offset] :
        { std::pair { labelWidth - 1, 0 }, { labelWidth - 3, -1 }, { labelWidth + 3, 1 } }) {
        card->SetPicture(QPixmap(size, size), size);
        card->Repaint();
        EXPECT_EQ(card->NameLabel()->pos(), QPointF(200 + offset, 100 + size + 1)) << size;
    }
}

TEST_F(CardTest, DestroyingACardTakesItsEditorLabelAndLineWithIt)
{
    TNodex* card = MakeCard("Draft");
    TNodex* target = MakeCard("Final", 700, 300);
    card->SetLinkTo(target);
    card->UpdateLine();
    QPointer<QWidget> editor = new QWidget;
    card->SetEditor(editor);
    ASSERT_EQ(Canvas.items().size(), 5);

    Canvas.DestroyCard(card);
    EXPECT_TRUE(editor.isNull());
    EXPECT_EQ(Canvas.items().size(), 2);
    EXPECT_EQ(Canvas.Cards(), QList<TNodex*> { target });
}
