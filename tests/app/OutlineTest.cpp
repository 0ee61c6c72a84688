#include "AppFixture.h"
#include "CardFileText.h"
#include "RealKeys.h"

#include "app/Main.h"
#include "app/OutlineCommands.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "canvas/NodexLine.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "outline/OutlineDock.h"
#include "outline/OutlineModel.h"

#include <QContextMenuEvent>
#include <QDockWidget>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTreeView>

namespace {

class Outline : public AppFixture {
protected:
    void SetUp() override
    {
        StartWithChainProject();
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    }
    QTreeView* Tree() { return Main().Outline().Dock().Tree(); }
    OutlineModel& Rows() { return Main().Outline().Model(); }
    QModelIndex RowOf(const QString& name) { return Rows().IndexOf(Card(name)->Id()); }
    QStringList Shown(const QModelIndex& parent = {})
    {
        QStringList names;
        for (int row = 0; row < Rows().rowCount(parent); ++row) {
            const QModelIndex index = Rows().index(row, 0, parent);
            names << index.data().toString() + (Rows().rowCount(index) ? "{" : "");
            names << Shown(index);
        }
        return names;
    }
    void ClickRow(const QString& name)
    {
        Tree()->scrollTo(RowOf(name));
        QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, Tree()->visualRect(RowOf(name)).center());
    }
    void ClickCard(const QString& name)
    {
        const QPoint at = Main().View().mapFromScene(Card(name)->sceneBoundingRect().center());
        QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, {}, at);
    }
    /// Types a new name into the current row as F2 opens it, and ends it with Enter.
    void Rename(const QString& name)
    {
        PressKey(Tree(), Qt::Key_F2, {}, {});
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, Tree());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, name);
        PressKey(editor, Qt::Key_Return, {}, "\r");
        // The view takes the typed text in a queued call.
        QCoreApplication::processEvents();
    }

    /// Opens a novel in place of the chain project, with the outline shown: the chain One (a
    /// chapter) -> Harbour -> Storm -> Two (a chapter) -> Ending in a row, the chain Notes ->
    /// Idea beneath it, and Aside in no chain.
    void OpenNovel()
    {
        Main().CloseProject();
        Projects.Write("Novel/Novel.nodex", "[Theme]\nName=Book.ini\n");
        const struct {
            const char* Name;
            int StoredType;
            QPoint At;
            const char* LinkTo;
        } cards[]
            = { { "One", 0, { 100, 100 }, "Harbour" }, { "Harbour", 1, { 250, 100 }, "Storm" },
                  { "Storm", 1, { 400, 100 }, "Two" }, { "Two", 0, { 550, 100 }, "Ending" },
                  { "Ending", 1, { 700, 100 }, "" }, { "Notes", 1, { 100, 300 }, "Idea" },
                  { "Idea", 1, { 250, 300 }, "" }, { "Aside", 1, { 100, 450 }, "" } };
        for (const auto& card : cards)
            Projects.Write(QString("Novel/%1.ndx").arg(card.Name),
                CardFileText(card.StoredType, 0, card.At.x(), card.At.y(), card.LinkTo));
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel/Novel.nodex")));
        QTest::keyClick(&Main(), Qt::Key_L, Qt::ControlModifier);
        ASSERT_TRUE(Main().Outline().Shown());
    }
    /// A chain from its first card, as the canvas links it.
    QString ChainOnCanvas(const QString& first)
    {
        QStringList names;
        for (const TNodex* card = Card(first); card && names.size() < 10; card = card->LinkTo())
            names << card->Name();
        return names.join(' ');
    }
    /// A chain from its first card, as the card files link it.
    QString ChainOnDisk(const QString& first)
    {
        QStringList names { first };
        while (names.size() < 10) {
            const QString next = QString::fromUtf8(Projects.Read("Novel/" + names.last() + ".ndx"))
                                     .section("[LinkTo]\nName=", 1)
                                     .section('\n', 0, 0);
            if (next.isEmpty())
                break;
            names << next;
        }
        return names.join(' ');
    }
    /// Whether a card's link line is drawn as far as another card.
    bool LineReaches(const QString& from, const QString& to)
    {
        const TNodex* target = Card(to);
        return Card(from)->Line()->isVisible()
            && Card(from)->Line()->Box().intersects(
                QRect(target->Left(), target->Top(), target->Width(), target->Height()));
    }
    /// A row dragged and dropped as the view asks the model: before the child `row` of
    /// `parent`, or onto `parent` (-1); false when the model refused it.
    bool DropRow(const QString& name, int row, const QModelIndex& parent)
    {
        const std::unique_ptr<QMimeData> data(Rows().mimeData({ RowOf(name) }));
        const bool allowed = Rows().canDropMimeData(data.get(), Qt::MoveAction, row, 0, parent);
        EXPECT_EQ(Rows().dropMimeData(data.get(), Qt::MoveAction, row, 0, parent), allowed);
        return allowed;
    }
    QString UndoText() { return Main().Menus().mnuUndo->text(); }
};

TEST_F(Outline, CtrlLShowsTheChainsSelectingWithTheCanvasAndIsKeptPerProject)
{
    EXPECT_TRUE(Main().Outline().Dock().isHidden());
    ClickCard("B");
    QTest::keyClick(&Main(), Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(Main().Outline().Dock().isVisible());
    EXPECT_TRUE(Main().Menus().mnuOutline->isChecked());
    EXPECT_EQ(Main().dockWidgetArea(&Main().Outline().Dock()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(Shown(), QStringList({ "A{", "A", "B", "C", "Not in a chain{", "D" }));
    // Shown, it has the keyboard on the canvas's card.
    EXPECT_TRUE(Tree()->hasFocus());
    EXPECT_EQ(Tree()->currentIndex(), RowOf("B"));

    ClickRow("D");
    EXPECT_EQ(Main().Selection().SelectedCards, QList<TNodex*>({ Card("D") }));
    EXPECT_EQ(Main().Selection().CurrentCard, Card("D"));
    ClickCard("C");
    EXPECT_EQ(Tree()->currentIndex(), RowOf("C"));

    // The outline opens again with the project, and stays hidden with one that never showed it.
    Main().CloseProject();
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    EXPECT_FALSE(Main().Outline().Dock().isHidden());
    QTest::keyClick(&Main(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(Main().Outline().Dock().isHidden());
    EXPECT_FALSE(Main().Menus().mnuOutline->isChecked());
}

TEST_F(Outline, F2RenamesAsThePropertiesDialogDoesInOneUndoableStep)
{
    Main().Outline().Show(true);
    ClickRow("C");
    Rename("b");
    EXPECT_EQ(Dialogs.Last().text, Main().Messages().Text(MessageKey::CANT_HAVE_NAME));
    EXPECT_EQ(Card("C")->Name(), "C");

    Rename("  Sea   Wall ");
    EXPECT_EQ(RowOf("Sea Wall").data().toString(), "Sea Wall");
    EXPECT_TRUE(QFile::exists(Projects.Path("Text Files/Sea Wall.txt")));
    EXPECT_FALSE(QFile::exists(Projects.Path("Text Files/C.txt")));
    EXPECT_EQ(Main().Steps().count(), 1);
    Main().Undo();
    EXPECT_EQ(RowOf("C").data().toString(), "C");
    EXPECT_TRUE(QFile::exists(Projects.Path("Text Files/C.txt")));
}

TEST_F(Outline, AltUpAndAltDownMoveACardOrAChapterWithItsScenesInOneUndoableStep)
{
    OpenNovel();
    ClickRow("Storm");
    PressKey(Tree(), Qt::Key_Up, Qt::AltModifier, {});
    EXPECT_EQ(ChainOnCanvas("One"), "One Storm Harbour Two Ending");
    EXPECT_TRUE(LineReaches("One", "Storm") && LineReaches("Harbour", "Two"));
    EXPECT_FALSE(LineReaches("Storm", "Two"));
    EXPECT_EQ(UndoText(), "&Undo Move 'Storm' Up");
    EXPECT_EQ(Tree()->currentIndex(), RowOf("Storm"));
    EXPECT_EQ(Main().Selection().CurrentCard, Card("Storm"));
    QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ChainOnDisk("One"), "One Storm Harbour Two Ending");

    QTest::keyClick(&Main(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ChainOnCanvas("One"), "One Harbour Storm Two Ending");
    EXPECT_TRUE(LineReaches("Storm", "Two"));
    QTest::keyClick(&Main(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ChainOnDisk("One"), "One Harbour Storm Two Ending");

    ClickRow("One");
    PressKey(Tree(), Qt::Key_Down, Qt::AltModifier, {});
    EXPECT_EQ(ChainOnCanvas("Two"), "Two Ending One Harbour Storm");
    EXPECT_EQ(Shown(RowOf("Two").parent()),
        QStringList({ "Two{", "Ending", "One{", "Harbour", "Storm" }));
    EXPECT_EQ(Tree()->currentIndex(), RowOf("One"));
    // Last already: no empty step.
    PressKey(Tree(), Qt::Key_Down, Qt::AltModifier, {});
    EXPECT_EQ(Main().Steps().count(), 1);
}

TEST_F(Outline, ARowDroppedMovesItsCardInOrOutOfAChainInOneStep)
{
    OpenNovel();
    const QModelIndex notes = RowOf("Notes").parent();
    ASSERT_TRUE(DropRow("Storm", 1, notes)); // between Notes and Idea
    EXPECT_EQ(ChainOnCanvas("Notes"), "Notes Storm Idea");
    EXPECT_EQ(ChainOnCanvas("One"), "One Harbour Two Ending");
    EXPECT_EQ(UndoText(), "&Undo Move 'Storm'");

    // A chapter goes out with its scenes; a loose card dropped on a chain joins its end.
    const QModelIndex loose = RowOf("Aside").parent();
    ASSERT_TRUE(DropRow("Two", -1, loose));
    EXPECT_EQ(ChainOnCanvas("One"), "One Harbour");
    EXPECT_EQ(ChainOnCanvas("Two"), "Two Ending");
    EXPECT_EQ(UndoText(), "&Undo Remove 'Two' from Chain");
    ASSERT_TRUE(DropRow("Aside", -1, RowOf("One").parent()));
    EXPECT_EQ(ChainOnCanvas("One"), "One Harbour Aside");
    EXPECT_EQ(UndoText(), "&Undo Link 'Aside' into Chain");

    // Onto itself, a chapter into its own scenes, a loose card among the loose: nothing.
    EXPECT_FALSE(DropRow("Harbour", -1, RowOf("Harbour")));
    EXPECT_FALSE(DropRow("One", -1, RowOf("Harbour")));
    Main().Undo();
    EXPECT_FALSE(DropRow("Aside", 0, RowOf("Aside").parent()));
    EXPECT_EQ(Main().Steps().count(), 3);
}

TEST_F(Outline, ARowsMenuRunsTheCardCommandsOnItsCard)
{
    Main().Outline().Show(true);
    ClickRow("C");
    QContextMenuEvent click(QContextMenuEvent::Mouse, Tree()->visualRect(RowOf("B")).center(), {});
    QApplication::sendEvent(Tree()->viewport(), &click);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    QAction* remove = Main().Menus().pmnuRemoveFromChain;
    EXPECT_EQ(menu->actions(),
        QList<QAction*>({ Main().Menus().pmnuEdit, Main().Menus().pmnuProperties, remove,
            Main().Menus().pmnuDuplicate, Main().Menus().pmnuDelete }));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(remove).center());
    EXPECT_EQ(Card("A")->LinkTo(), Card("C"));
    EXPECT_EQ(Card("B")->LinkTo(), nullptr);
    EXPECT_EQ(UndoText(), "&Undo Remove 'B' from Chain");
}

TEST_F(Outline, TheWordsColumnCountsATextWhenItsEditorSaves)
{
    Main().Outline().Show(true);
    ClickRow("A");
    PressKey(Tree(), Qt::Key_Return, {}, "\r");
    TfmEditor* editor = Main().CardEditors().Of(Card("A")->Id());
    ASSERT_TRUE(editor);
    const auto words = [this](const QModelIndex& row) {
        return row.siblingAtColumn(OutlineModel::WordsColumn).data().toString();
    };
    EXPECT_EQ(words(RowOf("A").parent()), "4");
    editor->memEditor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->memEditor, "more words");
    ASSERT_TRUE(editor->SaveText());
    EXPECT_EQ(words(RowOf("A")), "4");
    EXPECT_EQ(words(RowOf("A").parent()), "6") << "the chain's total";
}

} // namespace
