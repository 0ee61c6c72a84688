#include "AppFixture.h"
#include "PaneRows.h"
#include "app/Main.h"
#include "editor/CompareWindow.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

namespace {
/// The compare windows open now.
QList<CompareWindow*> CompareWindows()
{
    QList<CompareWindow*> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* compare = qobject_cast<CompareWindow*>(window); compare && compare->isVisible())
            windows << compare;
    return windows;
}
} // namespace

class SyncConflictNoticeTest : public AppFixture {};

TEST_F(SyncConflictNoticeTest, CopiesAreNoCardsAndAreToldOnceAndCompared)
{
    // Left by a sync tool before the project opens.
    WriteCard("D.sync-conflict-20261207-101500-ABCDEFG", 0, 0, 700, 100);
    Projects.Write("Text Files/C (conflicted copy 2026-12-07).txt", "C text\r\n");
    Dialogs.ExpectChoice(1);
    StartWithChainProject();
    EXPECT_EQ(CardNames(), QStringList({"A", "B", "C", "D"}));
    EXPECT_EQ(Dialogs.LastText(),
              "A sync tool left these copies where a file was changed on two machines at once. They are not "
              "read as cards: 'D.sync-conflict-20261207-101500-ABCDEFG.ndx', 'C (conflicted copy 2026-12-07).txt'. "
              "Compare each with the file it copies?");
    EXPECT_TRUE(CompareWindows().isEmpty());

    // One that appears while the project is open is told alone, and compared with its card's text.
    const qsizetype asked = Dialogs.History().size();
    Dialogs.ExpectChoice(0);
    Projects.Write("Text Files/A.sync-conflict-20261207-101600-ABCDEFG.txt", "A text\r\nfrom the laptop\u00a0\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Dialogs.History().size() > asked; }, 5000));
    EXPECT_TRUE(Dialogs.LastText().contains("cards: 'A.sync-conflict-20261207-101600-ABCDEFG.txt'."));
    EXPECT_EQ(CardNames(), QStringList({"A", "B", "C", "D"}));
    const QList<CompareWindow*> windows = CompareWindows();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows[0]->windowTitle(), "Compare 'A.sync-conflict-20261207-101600-ABCDEFG.txt'");
    const QPlainTextEdit& copyPane = *windows[0]->memLeft;
    const QPlainTextEdit& originalPane = *windows[0]->memRight;
    // The line only the copy has is tinted and faces an empty, tinted row; the shared lines stay
    // level and untinted.
    EXPECT_EQ(PaneLines(copyPane), QStringList({ "A text", "from the laptop\u00a0", "" }));
    EXPECT_EQ(PaneLines(originalPane), QStringList({ "A text", "", "" }));
    for (const int shared : { 0, 2 }) {
        EXPECT_FALSE(RowTint(copyPane, shared).isValid());
        EXPECT_FALSE(RowTint(originalPane, shared).isValid());
    }
    EXPECT_TRUE(RowTint(copyPane, 1).isValid());
    EXPECT_TRUE(RowTint(originalPane, 1).isValid());
    EXPECT_NE(RowTint(copyPane, 1), RowTint(originalPane, 1));
    windows[0]->close();

    // A copy the sync tool writes again is not told again.
    Projects.Write("Text Files/A.sync-conflict-20261207-101600-ABCDEFG.txt", "A text\r\nfrom the laptop, again\r\n");
    Main().Outside().Recheck();
    EXPECT_EQ(Dialogs.History().size(), asked + 1);
}
