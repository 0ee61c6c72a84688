#include "AppFixture.h"
#include "RealKeys.h"
#include "app/Main.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

/// The chain A -> B -> C and a card D, driven by keys on the canvas.
class CanvasKeysTest : public AppFixture {
protected:
    void SetUp() override { StartWithChainProject(); }

    void Click(const char* name)
    {
        QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, {},
            Main().View().mapFromScene(QPointF(Card(name)->Left() + 5, Card(name)->Top() + 5)));
    }
    /// Presses a key on the canvas and names the card selected after it.
    QString After(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {})
    {
        PressKey(&Main().View(), key, modifiers, text);
        const CanvasState& state = Main().Selection();
        if (state.SelectedCards != QList<TNodex*> { state.CurrentCard })
            return "not one card";
        return state.CurrentCard->Name();
    }
};

TEST_F(CanvasKeysTest, ArrowsGoToTheNearestCardThatWayAndTabsAlongTheChain)
{
    // D is nearer to B than C is, but far off to the side of the way right, and not below B.
    MoveCard("D", 340, 170);
    Click("B");
    EXPECT_EQ(After(Qt::Key_Down), "B") << "no card that way: the selection stays";
    EXPECT_EQ(After(Qt::Key_Right), "C");
    EXPECT_EQ(After(Qt::Key_Down), "D");
    EXPECT_EQ(After(Qt::Key_Left), "B");
    EXPECT_EQ(After(Qt::Key_Left), "A");

    // Tab keeps to the canvas: the focus never goes on to another control.
    QLineEdit other(&Main());
    other.show();
    Main().View().setFocus();
    EXPECT_EQ(After(Qt::Key_Tab, {}, "\t"), "B");
    EXPECT_EQ(After(Qt::Key_Tab, {}, "\t"), "C");
    EXPECT_EQ(After(Qt::Key_Tab, {}, "\t"), "C") << "the end of the chain";
    EXPECT_EQ(After(Qt::Key_Backtab, Qt::ShiftModifier, "\t"), "B");
    EXPECT_TRUE(Main().View().hasFocus());
}

TEST_F(CanvasKeysTest, ARunOfCtrlArrowsIsOneStep)
{
    Click("B");
    const int steps = Main().Steps().count();
    for (int press = 0; press < 3; ++press)
        QTest::keyClick(&Main().View(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_GT(Card("B")->Left(), 250);
    EXPECT_EQ(Main().Steps().count(), steps + 1);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Move Card");
    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier, 10);
    EXPECT_EQ(Card("B")->Left(), 250);

    // Another step, even one undone since, ends the run.
    QTest::keyClick(&Main().View(), Qt::Key_Right, Qt::ControlModifier);
    MoveCard("D", 600, 300);
    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier, 10);
    QTest::keyClick(&Main().View(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier, 10);
    EXPECT_GT(Card("B")->Left(), 250);
    EXPECT_EQ(Card("B")->Top(), 100);
}
