#include "AppFixture.h"
#include "FolderDiff.h"
#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/MemoText.h"
#include "properties/Properties.h"

#include <QAction>
#include <QCursor>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

namespace {

/// A saved project with the chain A -> B -> C and a card D, each with a text file but B.
class UndoTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartWithChainProject();
        // Written once as the program writes them, so that a save changes no byte.
        Main().SaveProject();
    }

    QWidget* Viewport() { return Main().View().viewport(); }
    QPoint At(const char* name)
    {
        return Main().View().mapFromScene(QPointF(Card(name)->Left() + 5, Card(name)->Top() + 5));
    }
    void Click(const char* name, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(Viewport(), Qt::LeftButton, keys, At(name));
    }

    /// Presses on a card, moves by `by` in many small steps, and releases.
    void Drag(const char* name, QPoint by, Qt::KeyboardModifiers keys = {}) { DragOnView(At(name), by, keys, 10); }

    /// Everything the writer sees of the cards: names, types, states, places, labels and links.
    QStringList CanvasShown()
    {
        QStringList shown;
        for (const TNodex* card : Main().Canvas().Cards())
            shown << QString("%1 type %2 state %3 at %4,%5 '%6' -> %7 line %8")
                         .arg(card->Name())
                         .arg(card->Type())
                         .arg(card->State())
                         .arg(card->Left())
                         .arg(card->Top())
                         .arg(card->NameLabel()->Text())
                         .arg(card->LinkTo() ? card->LinkTo()->Name() : "-")
                         .arg(card->Line()->isVisible() ? card->Line()->Box().center().x() : -1);
        return shown;
    }

    /// A copy of the project folder as it is now.
    QString KeepFolder(const QString& name)
    {
        const QString copy = Kept.MakeFolder(name);
        QProcess::execute("cp", { "-a", Projects.Path() + "/.", copy });
        return copy;
    }

    void Undo() { Main().Menus().mnuUndo->trigger(); }
    void Redo() { Main().Menus().mnuRedo->trigger(); }

    /// Answers the properties dialog with a name typed over the old one.
    void ExpectProperties(const QString& name)
    {
        Dialogs.ExpectModal([name](QDialog& dialog) {
            auto& properties = static_cast<TfmProperties&>(dialog);
            properties.edtName->selectAll();
            QTest::keyClick(properties.edtName, Qt::Key_Backspace);
            QTest::keyClicks(properties.edtName, name);
            QTest::mouseClick(properties.btnOk, Qt::LeftButton);
        });
    }

    TempFolder Kept;
};

} // namespace

TEST_F(UndoTest, EveryStepUndoneAndRedoneLeavesFilesAndCanvasAsTheyWere)
{
    struct Step {
        const char* Name;
        std::function<void()> Do;
    };
    MainMenus& menus = Main().Menus();
    const QList<Step> steps = {
        { "Move Card",
            [&] {
                Drag("D", { 40, 60 });
            } },
        { "Link",
            [&] {
                Click("D");
                Click("A", Qt::ControlModifier);
            } },
        { "Unlink",
            [&] {
                Click("A");
                Click("B", Qt::ControlModifier);
            } },
        { "Link",
            [&] {
                Click("A");
                Click("C", Qt::ControlModifier);
            } },
        { "Remove Links",
            [&] {
                Click("A");
                menus.pmnuRemoveLinks->trigger();
            } },
        { "Revision State",
            [&] {
                Click("D");
                menus.pmnuState[2]->trigger();
            } },
        { "New Card",
            [&] {
                QCursor::setPos(
                    Viewport()->mapToGlobal(Main().View().mapFromScene(QPointF(500, 400))));
                ExpectProperties("E");
                menus.pmnuNewNodex->trigger();
            } },
        { "Properties",
            [&] {
                Click("C");
                ExpectProperties("Sea");
                menus.pmnuProperties->trigger();
            } },
        { "Delete Card",
            [&] {
                Click("C");
                Dialogs.ExpectYesNoCancel(Answer::Yes);
                menus.pmnuDelete->trigger();
            } },
        { "Delete 2 Cards",
            [&] {
                Click("A");
                Click("D", Qt::ControlModifier | Qt::ShiftModifier);
                Dialogs.ExpectYesNoCancel(Answer::No);
                menus.pmnuDelete->trigger();
            } },
        { "Merge",
            [&] {
                Click("A");
                Dialogs.ExpectYesNoCancel(Answer::Yes);
                menus.pmnuMerge->trigger();
            } },
        { "Merge",
            [&] {
                Click("A");
                Dialogs.ExpectYesNoCancel(Answer::No);
                menus.pmnuMerge->trigger();
            } },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Name);
        const QStringList canvasBefore = CanvasShown();
        const QString before = KeepFolder("before");
        step.Do();
        ASSERT_EQ(Main().Steps().undoText(), step.Name);
        EXPECT_EQ(menus.mnuUndo->text(), QString("&Undo ") + step.Name);
        const QStringList canvasAfter = CanvasShown();
        const QString after = KeepFolder("after");
        ASSERT_TRUE(canvasAfter != canvasBefore || !FolderDiff(before, after).isEmpty());

        // The history keeps what a step replaced even once the step is undone.
        const QStringList history = { ".nodex-history" };
        Undo();
        EXPECT_EQ(CanvasShown().join('\n').toStdString(), canvasBefore.join('\n').toStdString());
        EXPECT_EQ(FolderDiff(Projects.Path(), before, history).join('\n').toStdString(), "");
        EXPECT_EQ(menus.mnuRedo->text(), QString("&Redo ") + step.Name);
        Redo();
        EXPECT_EQ(CanvasShown().join('\n').toStdString(), canvasAfter.join('\n').toStdString());
        EXPECT_EQ(FolderDiff(Projects.Path(), after, history).join('\n').toStdString(), "");
        Undo();
        EXPECT_EQ(FolderDiff(Projects.Path(), before, history).join('\n').toStdString(), "");
        QProcess::execute("rm", { "-rf", before, after });
    }
    EXPECT_TRUE(Dialogs.Texts().filter("was not").isEmpty())
        << Dialogs.Texts().join('\n').toStdString();
}

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
    struct Case {
        const char* Name;
        std::function<void()> Do;
        const char* Reason;
    };
    MainMenus& menus = Main().Menus();
    const QList<Case> cases = {
        // The merged text is edited outside the program: undoing would lose that.
        { "A.txt",
            [&] {
                Click("A");
                Dialogs.ExpectYesNoCancel(Answer::No);
                menus.pmnuMerge->trigger();
            },
            "'A.txt' was changed on disk since." },
        // A deleted card's text file made again under its name is not overwritten.
        { "D.txt",
            [&] {
                Click("D");
                Dialogs.ExpectYesNoCancel(Answer::Yes);
                menus.pmnuDelete->trigger();
            },
            "'D.txt' exists again." },
    };
    for (const Case& unsafe : cases) {
        SCOPED_TRACE(unsafe.Name);
        unsafe.Do();
        const QString file = QString("Text Files/") + unsafe.Name;
        Projects.Write(file, "Edited elsewhere\r\n");
        const QStringList cards = CardNames();
        const int index = Main().Steps().index();
        Undo();
        EXPECT_EQ(Dialogs.Last().text, "The step was not undone.");
        EXPECT_EQ(Dialogs.Last().reason, unsafe.Reason);
        EXPECT_EQ(Main().Steps().index(), index) << "the stack stays where it was";
        EXPECT_EQ(Projects.Read(file), "Edited elsewhere\r\n");
        EXPECT_EQ(CardNames(), cards);
    }
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
