#include "AppFixture.h"
#include "RealKeys.h"

#include "app/Main.h"
#include "app/OutlineCommands.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "outline/OutlineDock.h"
#include "outline/OutlineModel.h"

#include <QDockWidget>
#include <QFile>
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

} // namespace
