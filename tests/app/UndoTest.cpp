#include "AppFixture.h"
#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/NodexLine.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/MemoText.h"

#include <QAction>
#include <QTest>
#include <QTextCursor>

namespace {

/// A saved project with the chain A -> B -> C and a card D, each with a text file but B.
class UndoTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartWithChainProject();
        // The tests reach for these cards by name: without them no test goes on.
        ASSERT_EQ(CardNames(), (QStringList{"A", "B", "C", "D"}));
        // Written once as the program writes them, so that a save changes no byte.
        Main().SaveProject();
    }

    QWidget* Viewport() { return Main().View().viewport(); }
    /// Where a click on a card lands; a missing card fails the test and the click hits no card.
    QPoint At(const char* name)
    {
        const TNodex* card = Card(name);
        return card ? Main().View().mapFromScene(QPointF(card->Left() + 5, card->Top() + 5))
                    : QPoint(-1, -1);
    }
    void Click(const char* name, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(Viewport(), Qt::LeftButton, keys, At(name));
    }

    /// Presses on a card, moves by `by` in many small steps, and releases.
    void Drag(const char* name, QPoint by, Qt::KeyboardModifiers keys = {}) { DragOnView(At(name), by, keys, 10); }

    void Undo() { Main().Menus().mnuUndo->trigger(); }
    void Redo() { Main().Menus().mnuRedo->trigger(); }
};

} // namespace

TEST_F(UndoTest, ADragIsOneStepAndTheKeysUndoAndRedoIt)
{
    const QPoint start(Card("B")->Left(), Card("B")->Top());
    const QRect lineIntoB = Card("A")->Line()->Box();
    Click("B");
    Click("C", Qt::ControlModifier | Qt::ShiftModifier);
    Drag("C", { 30, 200 }, Qt::ShiftModifier);
    EXPECT_EQ(Main().Steps().count(), 1) << "ten mouse moves, one step";
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Move 2 Cards");
    const QPoint dropped(Card("B")->Left(), Card("B")->Top());
    ASSERT_EQ(dropped, start + QPoint(30, 200));

    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier, 10);
    EXPECT_EQ(QPoint(Card("B")->Left(), Card("B")->Top()), start);
    EXPECT_FALSE(Main().Menus().mnuUndo->isEnabled());
    QTest::keyClick(&Main(), Qt::Key_Y, Qt::ControlModifier, 10);
    EXPECT_EQ(QPoint(Card("B")->Left(), Card("B")->Top()), dropped);
    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier, 10);
    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 10);
    EXPECT_EQ(QPoint(Card("B")->Left(), Card("B")->Top()), dropped);
    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier, 10);
    EXPECT_EQ(Card("A")->Line()->Box(), lineIntoB) << "the line into a card moved back follows it";

    // A click without a move is no step.
    Click("D");
    EXPECT_EQ(Main().Steps().count(), 1);
}

TEST_F(UndoTest, SaveMarksTheProjectUnchangedAndAnUndoAfterSaveChangesItAgain)
{
    Drag("D", { 20, 20 });
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_TRUE(Main().windowTitle().endsWith(" *"));
    Main().Menus().mnuSaveProject->trigger();
    EXPECT_FALSE(Main().ProjectModified());
    EXPECT_FALSE(Main().windowTitle().endsWith(" *"));
    // The watch's look at the files the save wrote finds only the program's own writes: the
    // steps stay.
    Main().Outside().Recheck();

    Undo();
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_TRUE(Main().windowTitle().endsWith(" *"));
    Redo();
    EXPECT_FALSE(Main().ProjectModified()) << "back where it was saved";

    // Opening a project starts a new history.
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    EXPECT_EQ(Main().Steps().count(), 0);
    EXPECT_FALSE(Main().Menus().mnuUndo->isEnabled());
}

TEST_F(UndoTest, AStepWhoseFilesChangedOnDiskSinceIsNotUndone)
{
    // The merged text is edited outside the program: undoing would lose that.
    Click("A");
    Dialogs.ExpectYesNoCancel(Answer::No);
    Main().Menus().pmnuMerge->trigger();
    Projects.Write("Text Files/A.txt", "Edited elsewhere\r\n");
    const int index = Main().Steps().index();
    Undo();
    EXPECT_EQ(Dialogs.Last().text, "The step was not undone.");
    EXPECT_EQ(Dialogs.Last().reason, "'A.txt' was changed on disk since.");
    EXPECT_EQ(Main().Steps().index(), index) << "the stack stays where it was";
    EXPECT_EQ(Projects.Read("Text Files/A.txt"), "Edited elsewhere\r\n");
}
TEST_F(UndoTest, WhatIsTypedInTheEditorOfACardThatAStepTakesAwayIsSavedFirst)
{
    // Delete D without its text, undo, type in D's editor, and redo: the card goes again.
    Click("D");
    Dialogs.ExpectYesNoCancel(Answer::No);
    Main().Menus().pmnuDelete->trigger();
    Undo();
    Click("D");
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, At("D"));
    TfmEditor* editor = Main().CardEditors().Of(Card("D")->Id());
    ASSERT_TRUE(editor);
    editor->memEditor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->memEditor, "More.");
    Redo();
    EXPECT_FALSE(CardNames().contains("D"));
    EXPECT_TRUE(Projects.Read("Text Files/D.txt").endsWith("More.")) << "typed before the redo";
}

TEST_F(UndoTest, AnOpenEditorShowsTheTextAnUndoWritesBack)
{
    Click("A");
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, At("A"));
    TfmEditor* editor = Main().CardEditors().Of(Card("A")->Id());
    ASSERT_TRUE(editor);
    Click("A");
    Dialogs.ExpectYesNoCancel(Answer::No);
    Main().Menus().pmnuMerge->trigger();
    ASSERT_TRUE(MemoText(*editor->memEditor->document()).contains("C text"));
    Undo();
    EXPECT_EQ(MemoText(*editor->memEditor->document()), "A text\n");
    EXPECT_FALSE(editor->IsModified());
}
