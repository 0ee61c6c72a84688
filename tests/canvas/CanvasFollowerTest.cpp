#include "canvas/CanvasFollower.h"

#include "TempFolder.h"
#include "canvas/CanvasScene.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/Nodex.h"
#include "canvas/Theme.h"
#include "canvas/ThemeApplier.h"
#include "project/LinkRules.h"

#include <gtest/gtest.h>

namespace {

/// A model and the canvas that follows it, 1000 x 700, with the built-in theme.
class CanvasFollowerTest : public testing::Test {
protected:
    CanvasFollowerTest()
        : Themes(CurrentTheme, Canvas, Folder.Path() + "/")
        , Follower(new CanvasFollower(Model, Canvas, Themes))
    {
        Canvas.SetCanvasSize(1000, 700);
        Themes.ApplyThemeDefaults();
    }

    CardId Add(const QString& name, QPoint position)
    {
        CardData data;
        data.Name = name;
        data.Position = position;
        return Model.AddCard(data);
    }

    TNodex* Item(CardId id) const { return Follower->Item(id); }

    TempFolder Folder;
    ProjectModel Model;
    CanvasScene Canvas;
    Theme CurrentTheme;
    ThemeApplier Themes;
    CanvasFollower* Follower;
};

} // namespace

TEST_F(CanvasFollowerTest, ItemsAreMadeChangedAndDestroyedAsTheModelSays)
{
    const CardId a = Add("A", { 100, 100 });
    const CardId b = Add("B", { 300, 100 });
    ASSERT_EQ(Canvas.Cards(), (QList<TNodex*> { Item(a), Item(b) }));
    EXPECT_EQ(Item(a)->NameLabel()->Text(), "A");
    EXPECT_TRUE(Item(a)->isVisible());

    CardData revised = Model.Card(a);
    revised.Name = "Lead";
    revised.State = 2;
    Model.ChangeCard(a, revised);
    EXPECT_EQ(Item(a)->NameLabel()->Text(), "Lead (C)") << "the state's marker follows the state";

    Model.SetLink(a, b);
    EXPECT_EQ(Item(a)->LinkTo(), Item(b));
    EXPECT_EQ(Item(b)->LinkedFrom(), Item(a));
    // From A's centre (124, 124) to B's centre (324, 124).
    EXPECT_TRUE(Item(a)->Line()->isVisible());
    EXPECT_EQ(Item(a)->Line()->Box(), QRect(124, 124, 200, 3));
    Model.MoveCards({ { b, { 300, 300 } } });
    EXPECT_EQ(Item(a)->Line()->Box(), QRect(124, 124, 200, 200))
        << "the line into a moved card follows it";

    TNodex* shownA = Item(a);
    Model.RemoveCard(b);
    EXPECT_EQ(Item(b), nullptr);
    EXPECT_EQ(Canvas.Cards(), QList<TNodex*> { shownA });
    EXPECT_EQ(shownA->LinkTo(), nullptr);
    EXPECT_FALSE(shownA->Line()->isVisible());

    // A card brought back takes its place in the canvas order again.
    CardData first;
    first.Name = "First";
    const CardId back = Model.AddCard(first, b, 0);
    EXPECT_EQ(Canvas.Cards(), (QList<TNodex*> { Item(back), shownA }));
    Model.Clear();
    EXPECT_TRUE(Canvas.Cards().isEmpty());
}

TEST_F(CanvasFollowerTest, APositionTheCanvasGivesACardIsTakenIntoTheModel)
{
    // Stored beyond the canvas's left and bottom edges: the card is brought in, 2 pixels from
    // the left, and its label stays on the canvas.
    const CardId card = Add("Far", { -50, 5000 });
    const TNodex* shown = Item(card);
    EXPECT_EQ(Model.Card(card).Position, QPoint(shown->Left(), shown->Top()));
    EXPECT_EQ(shown->Left() - shown->LabelOverhang(), 2);
    EXPECT_EQ(shown->Top() + shown->Height() + shown->LabelHeight(), 700);

    // A canvas that shrinks pushes the card in: the model follows it.
    Canvas.SetCanvasSize(400, 300);
    Item(card)->ClampToParent();
    EXPECT_EQ(Model.Card(card).Position, QPoint(shown->Left(), shown->Top()));
    EXPECT_LE(shown->Top() + shown->Height() + shown->LabelHeight(), 300);
}
