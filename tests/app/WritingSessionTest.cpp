#include "AppFixture.h"
#include "app/Main.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/EditorMenus.h"
#include "goals/WritingHistory.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

/// A saved project of one Chapter card "A" with three words, and one without a text, opened on
/// a clock the test moves; the program's writing session follows the editors opened.
class WritingSessionTest : public AppFixture {
protected:
    void Open(const QByteArray& goals = {})
    {
        StartProgram();
        Main().Writing().SetClock([this] { return Now; });
        WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n" + goals);
        WriteCard("A", 0, 0, 100, 100, "B");
        WriteCard("B", 0, 0, 250, 100);
        Projects.Write("Text Files/A.txt", "one two three\r\n");
        ASSERT_TRUE(Program->Start({ Projects.Path("Book.nodex") }));
    }
    EditorMemo& EditA()
    {
        Main().Selection().SelectedCards = { Card("A") };
        Main().OpenCardEditor(Card("A"));
        TfmEditor* editor = Main().CardEditors().Of(Card("A")->Id());
        EXPECT_NE(editor, nullptr);
        editor->memEditor->moveCursor(QTextCursor::End);
        return *editor->memEditor;
    }
    std::vector<WritingDay> HistoryFile()
    {
        WritingHistory history;
        QString error;
        EXPECT_TRUE(history.Read(Projects.Path(WritingHistory::FileName), error))
            << error.toStdString();
        return history.Days();
    }
    static QString StatusText(QWidget& window, const char* name)
    {
        auto* label = window.findChild<QLabel*>(name);
        return label && label->isVisibleTo(&window) ? label->text() : QString();
    }

    QDateTime Now { QDate(2026, 3, 14), QTime(23, 58) };
};

TEST_F(WritingSessionTest, APasteACutAndTheirUndoThroughTheEditorsKeysAndMenuCountOnce)
{
    Open();
    EditorMemo& memo = EditA();
    QGuiApplication::clipboard()->setText(QStringLiteral(" four five"));
    QTest::keyClick(&memo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Main().Writing().Tracker().Today().Added, 2);
    QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Main().Writing().Tracker().Today().Added, 0);
    EXPECT_EQ(Main().Writing().Tracker().Today().Removed, 0);

    // Words cut are removed words; their undo gives them back, by key and by the Edit menu.
    const auto undoneToNothing = [this] {
        const WritingDay today = Main().Writing().Tracker().Today();
        EXPECT_EQ(today.Added, 0);
        EXPECT_EQ(today.Removed, 0);
    };
    memo.selectAll();
    QTest::keyClick(&memo, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Main().Writing().Tracker().Today().Removed, 3);
    QTest::keyClick(&memo, Qt::Key_Z, Qt::ControlModifier);
    undoneToNothing();
    memo.selectAll();
    QTest::keyClick(&memo, Qt::Key_Delete);
    Main().CardEditors().Of(Card("A")->Id())->Menus.mnuUndo->trigger();
    undoneToNothing();
    EXPECT_EQ(Main().Writing().Tracker().ProjectWords(), 3);
}

TEST_F(WritingSessionTest, AProjectWithoutAHistoryIsCountedWhenItsWordsAreFirstNeeded)
{
    Open();
    // Opening read no text: one changed since is counted as it stands when an editor opens.
    Projects.Write("Text Files/A.txt", "one two three four five\r\n");
    QTest::keyClicks(&EditA(), " six");
    EXPECT_EQ(Main().Writing().Tracker().Today().StartWords, 5);
    EXPECT_EQ(Main().Writing().Tracker().ProjectWords(), 6);
}

TEST_F(WritingSessionTest, ADayRollsOverAtMidnightWhileAnEditorIsOpenAndTheHistoryIsWrittenOnSaving)
{
    Open();
    EditorMemo& memo = EditA();
    QTest::keyClicks(&memo, " four");
    Now = Now.addSecs(3 * 60);
    QTest::keyClicks(&memo, " five");
    EXPECT_EQ(Main().Writing().Tracker().Today(), (WritingDay { QDate(2026, 3, 15), 4, 1, 0, 1 }));
    EXPECT_FALSE(QFile::exists(Projects.Path(WritingHistory::FileName)));

    Main().SaveProject();
    EXPECT_EQ(HistoryFile(),
        (std::vector<WritingDay> {
            { QDate(2026, 3, 14), 3, 1, 0, 1 },
            { QDate(2026, 3, 15), 4, 1, 0, 1 },
        }));
}

TEST_F(WritingSessionTest, TwoCopiesOnOneProjectEachAddTheirWordsWhenTheProjectIsLeft)
{
    Open();
    EditorMemo& memo = EditA();
    QTest::keyClicks(&memo, " four");
    Main().SaveProject();
    // Another copy of the program on the same project counts the same keys as its own.
    QStatusBar otherStatus;
    WritingSession other(Main().Project(), otherStatus, Main().Messages());
    other.SetClock([this] { return Now; });
    other.ProjectOpened({});
    EXPECT_EQ(other.Tracker().ProjectWords(), 4);
    other.Follow(*Main().CardEditors().Of(Card("A")->Id()));
    Now = Now.addSecs(60);
    QTest::keyClicks(&memo, " five six");
    other.ProjectLeaving();
    Main().CloseProject();
    EXPECT_EQ(HistoryFile(), (std::vector<WritingDay> { { QDate(2026, 3, 14), 3, 5, 0, 3 } }));
}

TEST_F(WritingSessionTest, TheStatusLinesShowTheSessionFromItsFirstKeyAndTheDeadlinesPace)
{
    Open("[Workspace]\nTargetWordCount=1003\n[Goals]\nSessionTarget=500\nDeadline=2026-03-23\n");
    EXPECT_EQ(StatusText(Main(), "sbPace"), "100 words a day to meet the deadline");
    EditorMemo& memo = EditA();
    auto* editor = Main().CardEditors().Of(Card("A")->Id());
    EXPECT_EQ(StatusText(*editor, "sbSession"), "Session: 0 / 500");
    QTest::keyClicks(&memo, " four five");
    EXPECT_EQ(StatusText(*editor, "sbSession"), "Session: 2 / 500");

    // Half an hour without a key: the next one starts a new session.
    Now = Now.addSecs(31 * 60);
    QTest::keyClicks(&memo, " six");
    EXPECT_EQ(StatusText(*editor, "sbSession"), "Session: 1 / 500");
    Now = Now.addSecs(10 * 60);
    QTest::keyClicks(&memo, " seven");
    EXPECT_EQ(StatusText(*editor, "sbSession"), "Session: 2 / 500");

    Now = QDateTime(QDate(2026, 3, 24), QTime(9, 0));
    QTest::keyClicks(&memo, " eight");
    EXPECT_EQ(StatusText(Main(), "sbPace"), "Deadline passed");
}
