#include "AppFixture.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/LabelLayout.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/Nodex.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

/// Drives the canvas with real mouse and key events at the cards' positions.
class CanvasInteraction : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        const QString path = WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        int left = 100;
        for (const char* name : {"A", "B", "C", "D", "E"}) {
            WriteCard(name, 0, 0, left, 100);
            left += 150;
        }
        WriteCard("Compilation", -1, 0, 100, 400);
        ASSERT_TRUE(Program->Start({path}));
        Main().resize(1000, 700);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    }

    QWidget* Viewport() { return Main().View().viewport(); }
    CanvasState& Canvas() { return Main().Selection(); }

    QPoint AtCanvas(int x, int y) { return Main().View().mapFromScene(QPointF(x, y)); }
    /// A point on the view inside a card, near its top-left corner.
    QPoint At(TNodex* card) { return AtCanvas(card->Left() + 10, card->Top() + 10); }

    void Click(TNodex* card, Qt::KeyboardModifiers keys = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(Viewport(), button, keys, At(card));
    }

    /// Presses on a card, moves by `by` in steps, and releases.
    void Drag(TNodex* card, QPoint by, Qt::KeyboardModifiers keys = {}) { DragOnView(At(card), by, keys, 4); }

    QStringList SelectedNames()
    {
        QStringList names;
        for (TNodex* card : Canvas().SelectedCards)
            names << card->Name();
        return names;
    }
};

TEST_F(CanvasInteraction, PlainPressesSelectOneCardOrNone)
{
    Click(Card("B"));
    EXPECT_EQ(SelectedNames(), QStringList{"B"});
    EXPECT_EQ(Canvas().CurrentCard, Card("B"));
    EXPECT_TRUE(Card("B")->Selected());

    Click(Card("C"));
    EXPECT_EQ(SelectedNames(), QStringList{"C"});

    // Shift on empty canvas pans and keeps the selection; a plain press clears it.
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier, AtCanvas(600, 500));
    EXPECT_EQ(SelectedNames(), QStringList{"C"});

    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, AtCanvas(600, 500));
    EXPECT_TRUE(SelectedNames().isEmpty());
    EXPECT_EQ(Canvas().CurrentCard, nullptr);
    EXPECT_FALSE(Card("C")->Selected());
}

TEST_F(CanvasInteraction, ShiftClicksBuildAGroupThatMovesTogether)
{
    Click(Card("A"));
    Click(Card("B"), Qt::ShiftModifier);
    Click(Card("C"), Qt::ShiftModifier);
    EXPECT_EQ(SelectedNames(), QStringList({"A", "B", "C"}));

    Drag(Card("C"), {40, 120}, Qt::ShiftModifier);
    EXPECT_EQ(QPoint(Card("A")->Left(), Card("A")->Top()), QPoint(140, 220));
    EXPECT_EQ(QPoint(Card("B")->Left(), Card("B")->Top()), QPoint(290, 220));
    EXPECT_EQ(QPoint(Card("C")->Left(), Card("C")->Top()), QPoint(440, 220));
    EXPECT_EQ(Card("D")->Left(), 550) << "unselected cards stay";
    EXPECT_TRUE(Main().windowTitle().endsWith(" *")) << "the move is a change";

    // Squeezed against the corner, each card stops at the edges by itself.
    Drag(Card("C"), {-1000, -1000}, Qt::ShiftModifier);
    for (const char* name : {"A", "B", "C"})
        EXPECT_EQ(QPoint(Card(name)->Left(), Card(name)->Top()), QPoint(2, 2)) << name;
}

TEST_F(CanvasInteraction, RightClickAndCtrlShiftChangeTheSelection)
{
    for (const char* name : {"A", "B", "C", "D", "E"})
        Click(Card(name), Qt::ShiftModifier);
    ASSERT_EQ(SelectedNames().size(), 5);

    Click(Card("D"), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(SelectedNames(), QStringList({"A", "B", "C", "E"}));
    EXPECT_FALSE(Card("D")->Selected());
    EXPECT_EQ(Canvas().CurrentCard, Card("E")) << "toggling keeps the current card";

    // A Ctrl-click while several cards are selected does nothing at all.
    Click(Card("D"), Qt::ControlModifier);
    EXPECT_EQ(SelectedNames().size(), 4);
    EXPECT_EQ(Card("E")->LinkTo(), nullptr);

    Click(Card("B"), {}, Qt::RightButton);
    EXPECT_EQ(SelectedNames(), QStringList{"B"});
    EXPECT_EQ(Canvas().CurrentCard, Card("B"));
    Main().Menus().pmnuNodex->hide();
}

TEST_F(CanvasInteraction, CtrlClicksBuildAChainAndToggleLinks)
{
    Click(Card("A"));
    for (const char* name : {"B", "C", "D"})
        Click(Card(name), Qt::ControlModifier);
    EXPECT_EQ(Card("A")->LinkTo(), Card("B"));
    EXPECT_EQ(Card("B")->LinkTo(), Card("C"));
    EXPECT_EQ(Card("C")->LinkTo(), Card("D"));
    EXPECT_EQ(SelectedNames(), QStringList{"D"}) << "the selection moves along the chain";
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Link");
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_TRUE(Card("A")->Line()->isVisible());

    // Closing the chain into a loop is refused silently.
    Click(Card("A"), Qt::ControlModifier);
    EXPECT_EQ(Card("D")->LinkTo(), nullptr);
    EXPECT_TRUE(Dialogs.History().isEmpty());

    // The same link made again is removed.
    Click(Card("C"));
    Click(Card("D"), Qt::ControlModifier);
    EXPECT_EQ(Card("C")->LinkTo(), nullptr);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Unlink");
    EXPECT_FALSE(Card("C")->Line()->isVisible());
}

TEST_F(CanvasInteraction, WithoutSelectNextLinkEachLinkReplacesTheLast)
{
    Main().View().SetSelectNextLink(false);
    Click(Card("A"));
    for (const char* name : {"B", "C", "D"})
        Click(Card(name), Qt::ControlModifier);
    EXPECT_EQ(Card("A")->LinkTo(), Card("D"));
    EXPECT_EQ(Card("C")->LinkedFrom(), nullptr);
    EXPECT_EQ(SelectedNames(), QStringList{"A"});
}

TEST_F(CanvasInteraction, CtrlClickWithTheCompilationCardOnlySelects)
{
    Click(Card("Compilation"));
    Click(Card("A"), Qt::ControlModifier);
    EXPECT_EQ(Card("Compilation")->LinkTo(), nullptr);
    EXPECT_EQ(SelectedNames(), QStringList{"A"});
    Click(Card("Compilation"), Qt::ControlModifier);
    EXPECT_EQ(Card("A")->LinkTo(), nullptr);
    EXPECT_EQ(SelectedNames(), QStringList{"Compilation"});
}

TEST_F(CanvasInteraction, DraggingALinkedCardRelaysItsLinesAtTheEnd)
{
    Click(Card("A"));
    Click(Card("B"), Qt::ControlModifier);
    const QPoint from = At(Card("B"));
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Viewport(), from + QPoint(20, 40));
    QTest::mouseMove(Viewport(), from + QPoint(40, 80));
    EXPECT_FALSE(Card("A")->Line()->isVisible()) << "lines into a moving card are hidden";
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, from + QPoint(40, 80));

    EXPECT_EQ(Card("B")->Top(), 180);
    EXPECT_EQ(Card("A")->Line()->Direction, 7) << "laid out again, down and right";
}

TEST_F(CanvasInteraction, DoubleClickOpensTheEditorWithoutStartingADrag)
{
    QSignalSpy editor(&Main(), &TfmMain::CardEditorRequested);
    TNodex* card = Card("C");
    const QPoint at = At(card);
    // A double click arrives as a press and release, then the double click in place of the
    // second press, then its release.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(editor.size(), 1);
    EXPECT_EQ(editor.first().first().value<TNodex*>(), card);
    EXPECT_TRUE(Canvas().DoubleClickPending);

    // The second press started no drag: moving with the button held leaves the card in place.
    Drag(card, {60, 60});
    EXPECT_EQ(QPoint(card->Left(), card->Top()), QPoint(400, 100));

    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier, At(Card("D")));
    QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier, At(Card("D")));
    EXPECT_EQ(editor.size(), 1) << "Shift held: no editor";
}

TEST_F(CanvasInteraction, CanvasKeysAskForTheirCommands)
{
    QSignalSpy newCard(&Main().View(), &CanvasView::NewCardRequested);
    QSignalSpy properties(&Main().View(), &CanvasView::PropertiesRequested);
    QSignalSpy deletion(&Main().View(), &CanvasView::DeleteRequested);
    QSignalSpy editor(&Main(), &TfmMain::CardEditorRequested);

    // The commands themselves ask first: cancelled here.
    const auto cancel = [](QDialog& dialog) { dialog.reject(); };
    Dialogs.ExpectModal(cancel);
    Dialogs.ExpectYesNoCancel(Answer::Cancel);
    Dialogs.ExpectModal(cancel);
    Click(Card("B"));
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Delete})
        QTest::keyClick(&Main().View(), key);
    EXPECT_EQ(properties.size(), 1);
    EXPECT_EQ(editor.size(), 1);
    EXPECT_EQ(deletion.size(), 1);

    QCursor::setPos(Viewport()->mapToGlobal(AtCanvas(500, 300)));
    QTest::keyClick(&Main().View(), Qt::Key_Insert);
    ASSERT_EQ(newCard.size(), 1);
    EXPECT_EQ(newCard.first().first().toPoint(), QPoint(500, 300));

    // Above the canvas (over the menu bar) Insert puts the card right of the selected one,
    // far enough for both labels.
    Dialogs.ExpectModal(cancel);
    Click(Card("B"));
    QCursor::setPos(Viewport()->mapToGlobal(QPoint(20, -10)));
    QTest::keyClick(&Main().View(), Qt::Key_Insert);
    ASSERT_EQ(newCard.size(), 2);
    const QPoint beside = newCard.last().first().toPoint();
    const TNodex* selected = Card("B");
    EXPECT_EQ(beside.y(), selected->Top() + selected->Height() / 2);
    EXPECT_GE(beside.x() - (selected->Left() + selected->Width() / 2), LabelWrapWidth);

    // Space on the Compilation card and keys with Ctrl do nothing.
    Click(Card("Compilation"));
    QTest::keyClick(&Main().View(), Qt::Key_Space);
    QTest::keyClick(&Main().View(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(properties.size(), 1);
    EXPECT_EQ(deletion.size(), 1);
}

TEST_F(CanvasInteraction, CardMenuShowsWhatAppliesToTheCard)
{
    MainMenus& menus = Main().Menus();
    CardData revised = Main().Model().Card(Card("B")->Id());
    revised.State = 1;
    Main().Model().ChangeCard(Card("B")->Id(), revised);
    Click(Card("B"));
    emit menus.pmnuNodex->aboutToShow();
    EXPECT_TRUE(menus.pmnuState[0]->isVisible() && menus.pmnuState[0]->isEnabled());
    EXPECT_FALSE(menus.pmnuState[3]->isVisible()) << "states without a name are hidden";
    EXPECT_TRUE(menus.pmnuState[1]->isChecked());
    EXPECT_FALSE(menus.pmnuState[1]->isEnabled());
    EXPECT_FALSE(menus.pmnuRemoveLinks->isVisible());
    EXPECT_FALSE(menus.pmnuMerge->isVisible());
    EXPECT_TRUE(menus.pmnuProperties->isVisible());

    Click(Card("C"), Qt::ControlModifier);
    Click(Card("B"));
    emit menus.pmnuNodex->aboutToShow();
    EXPECT_TRUE(menus.pmnuRemoveLinks->isVisible());
    EXPECT_TRUE(menus.pmnuMerge->isVisible());

    Click(Card("Compilation"));
    emit menus.pmnuNodex->aboutToShow();
    EXPECT_FALSE(menus.pmnuProperties->isVisible());
    EXPECT_FALSE(menus.pmnuToCompilation->isVisible());
    EXPECT_FALSE(menus.pmnuStateTitle->menuAction()->isVisible());
    EXPECT_FALSE(menus.NProperties->isVisible());
}

TEST_F(CanvasInteraction, ShiftDragOnTheEmptyCanvasPansIt)
{
    Main().Project().WorkspaceSize = 2;
    Main().ApplyWorkspaceSize();
    QScrollBar* horizontal = Main().View().horizontalScrollBar();
    QScrollBar* vertical = Main().View().verticalScrollBar();
    horizontal->setValue(100);
    vertical->setValue(100);

    const QPoint start(400, 300);
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::ShiftModifier, start);
    EXPECT_EQ(Viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(Viewport(), start + QPoint(-50, -20));
    EXPECT_EQ(QPoint(horizontal->value(), vertical->value()), QPoint(150, 120))
        << "the canvas follows the hand";
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::ShiftModifier, start + QPoint(-50, -20));
    EXPECT_FALSE(Canvas().Panning);
    EXPECT_NE(Viewport()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(CanvasInteraction, PressOnALabelDoesNothing)
{
    Click(Card("A"));
    NodexLabel* label = Card("B")->NameLabel();
    const QPoint onLabel = Main().View().mapFromScene(label->pos() + QPointF(label->Width() / 2.0, 3));
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, onLabel);
    EXPECT_EQ(SelectedNames(), QStringList{"A"});
}

TEST_F(CanvasInteraction, ADragOrPanWhoseReleaseIsLostEndsAtOnce)
{
    // The release went to another window: the next move comes without the button.
    const auto moveWithoutButtons = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, Viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &move);
    };
    TNodex* a = Card("A");
    const QPoint from = At(a);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Viewport(), from + QPoint(20, 20));
    QTest::mouseMove(Viewport(), from + QPoint(40, 40));
    ASSERT_EQ(a->Left(), 140);
    moveWithoutButtons(from + QPoint(200, 0));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, from + QPoint(200, 0));
    EXPECT_EQ(a->Left(), 140) << "the card does not follow a free pointer";
    EXPECT_EQ(Main().Canvas().DraggedCard(), nullptr);

    // A pop-up menu takes the mouse in the middle of a drag; the release comes over C later.
    TNodex* b = Card("B");
    const QPoint grab = At(b);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, grab);
    QTest::mouseMove(Viewport(), grab + QPoint(0, 30));
    QTest::mouseMove(Viewport(), grab + QPoint(0, 60));
    QTest::mousePress(Viewport(), Qt::RightButton, {}, grab + QPoint(0, 60));
    QTest::keyClick(Main().Menus().pmnuNodex, Qt::Key_Escape);
    QTest::mouseMove(Viewport(), At(Card("C")));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, At(Card("C")));
    EXPECT_EQ(QPoint(b->Left(), b->Top()), QPoint(250, 160));
    EXPECT_EQ(SelectedNames(), QStringList{"B"});

    // The held card goes while the button is down (a command from the keyboard).
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, At(Card("C")));
    Main().CloseProject();
    QTest::mouseMove(Viewport(), AtCanvas(700, 600));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, AtCanvas(700, 600));

    // Panning ends the same way.
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::ShiftModifier, AtCanvas(600, 500));
    ASSERT_TRUE(Canvas().Panning);
    moveWithoutButtons(AtCanvas(650, 500));
    EXPECT_FALSE(Canvas().Panning);
    EXPECT_NE(Viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::ShiftModifier, AtCanvas(650, 500));
}
