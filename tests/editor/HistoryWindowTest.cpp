#include "editor/HistoryWindow.h"

#include "EditorFixture.h"
#include "PaneRows.h"
#include "editor/EditorMemo.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>

using HistoryWindowTest = EditorFixture;

TEST_F(HistoryWindowTest, ComparesAnEntryWithTheTextAndRestoresItWithoutLosingAWord)
{
    Project.Write("Text Files/Lamp.txt", "One\r\nTwo\r\nThree\r\n");
    CardHistory history(Project.Path() + '/');
    QString error;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    ASSERT_TRUE(history.AddEntry("Lamp", "One\r\n", now.addSecs(-120), error));
    ASSERT_TRUE(history.AddEntry("Lamp", "One\r\n2\r\nThree\r\n", now.addSecs(-60), error));
    TfmEditor& editor = Open();
    editor.memEditor->moveCursor(QTextCursor::End);
    Type("Four");

    editor.Menus.mnuHistory->trigger();
    auto* window = editor.findChild<HistoryWindow*>();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()))
        << "on the screen, whatever its size";
    ASSERT_EQ(window->lstEntries->topLevelItemCount(), 2);
    EXPECT_EQ(window->lstEntries->topLevelItem(0)->text(1), "3");
    EXPECT_EQ(window->lstEntries->topLevelItem(1)->text(1), "1");
    EXPECT_FALSE(window->lblEmpty->isVisible());

    // The newest entry beside the text on disk: one line changed.
    EXPECT_EQ(PaneLines(*window->memEarlier), (QStringList { "One", "2", "Three", "" }));
    EXPECT_EQ(PaneLines(*window->memCurrent), (QStringList { "One", "Two", "Three", "" }));
    EXPECT_NE(RowTint(*window->memEarlier, 1), RowTint(*window->memEarlier, 0));
    // The oldest: the lines it lacks stand against blank ones.
    window->lstEntries->setCurrentItem(window->lstEntries->topLevelItem(1));
    EXPECT_EQ(PaneLines(*window->memEarlier), (QStringList { "One", "", "", "" }));
    EXPECT_EQ(PaneLines(*window->memCurrent), (QStringList { "One", "Two", "Three", "" }));
    EXPECT_NE(RowTint(*window->memCurrent, 1), RowTint(*window->memEarlier, 1));

    // Restore saves the writer's unsaved words first; the text on disk and the saved one both
    // become entries, and the editor shows the restored text.
    window->lstEntries->setCurrentItem(window->lstEntries->topLevelItem(0));
    QTest::mouseClick(window->btnRestore, Qt::LeftButton);
    EXPECT_EQ(TextFile(), "One\r\n2\r\nThree\r\n");
    EXPECT_EQ(editor.memEditor->Text(), "One\n2\nThree\n");
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(KeptTexts(),
        (QList<QByteArray> { "One\r\nTwo\r\nThree\r\nFour", "One\r\nTwo\r\nThree\r\n",
            "One\r\n2\r\nThree\r\n", "One\r\n" }));
    EXPECT_EQ(window->lstEntries->topLevelItemCount(), 4);
    EXPECT_TRUE(Dialogs.History().isEmpty());
}

TEST_F(HistoryWindowTest, SaysSoWhenNothingIsKeptOrARestoreFails)
{
    Project.Write("Text Files/Lamp.txt", "Now\r\n");
    TfmEditor& editor = Open();
    editor.Menus.mnuHistory->trigger();
    auto* window = editor.findChild<HistoryWindow*>();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->lblEmpty->isVisible());
    EXPECT_FALSE(window->btnRestore->isEnabled());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QString error;
    ASSERT_TRUE(CardHistory(Project.Path() + '/')
                    .AddEntry("Lamp", "Then\r\n", QDateTime::currentDateTimeUtc(), error));
    editor.Menus.mnuHistory->trigger();
    window = editor.findChild<HistoryWindow*>();
    ASSERT_TRUE(window);
    // The text file's folder is a file now: nothing can be written there.
    ASSERT_TRUE(QDir(Project.Path("Text Files")).removeRecursively());
    Project.Write("Text Files", "in the way");
    QTest::mouseClick(window->btnRestore, Qt::LeftButton);
    ASSERT_EQ(Dialogs.History().size(), 1);
    EXPECT_EQ(Dialogs.History().last().text, "The earlier text could not be restored.");
    EXPECT_EQ(window->lstEntries->topLevelItemCount(), 1);
}
