#include "AppFixture.h"
#include "app/FindInProjectCommands.h"
#include "app/Main.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "search/FindInProjectWindow.h"
#include "search/FindResultsModel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

/// A project whose cards hold a name in their texts, a description and an unsaved editor.
class FindInProjectTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("Harbour", 0, 0, 100, 100, "Cove");
        WriteCard("Cove", 0, 0, 250, 100, {}, "Where Nell waits");
        WriteCard("Mill", 0, 0, 400, 100);
        Projects.Write("Text Files/Harbour.txt", "Nell rows out.\r\nNell's boat.\r\n");
        Projects.Write("Text Files/Mill.txt", "Nobody\r\n");
        ASSERT_TRUE(Program->Start({ Projects.Path("Book.nodex") }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    }

    /// Waits until the window takes the keys.
    static bool Active(QWidget* window)
    {
        return window
            && QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
    }
};

TEST_F(FindInProjectTest, KeysSearchOpenAMatchAndHandTheCheckedOnesOn)
{
    // Mill's editor holds a Nell its file does not.
    Main().View().SelectCard(*Card("Mill"));
    Main().OpenCardEditor(Card("Mill"));
    TfmEditor* mill = Main().CardEditors().Of(Card("Mill")->Id());
    ASSERT_TRUE(Active(mill));
    QTest::keyClick(mill->memEditor, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(mill->memEditor, "Nell");

    QTest::keyClick(&Main(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    FindInProjectWindow* find = Main().FindInProject().Window();
    ASSERT_TRUE(Active(find));
    EXPECT_EQ(find->windowTitle(), "Nodex Find in Project");
    ASSERT_TRUE(QTest::qWaitFor([find] { return find->edtSearch->hasFocus(); }));
    QSignalSpy finished(&find->Searcher(), &ProjectSearch::Finished);
    QTest::keyClicks(find->edtSearch, "nell");
    QTest::keyClick(find->edtSearch, Qt::Key_Return);
    ASSERT_TRUE(finished.wait(10000));
    const FindResultsModel& results = find->Results();
    QStringList rows;
    for (int row = 0; row < results.rowCount(); ++row)
        rows << results.index(row, 0).data().toString();
    // In canvas order.
    EXPECT_EQ(rows, QStringList({ "Cove (1)", "Harbour (2)", "Mill (1)" }));

    // Enter on Harbour's second match opens its editor with the match selected.
    find->tvResults->setFocus();
    find->tvResults->setCurrentIndex(results.index(1, 0, results.index(1, 0)));
    QTest::keyClick(find->tvResults, Qt::Key_Return);
    TfmEditor* harbour = Main().CardEditors().Of(Card("Harbour")->Id());
    ASSERT_TRUE(harbour);
    EXPECT_EQ(harbour->memEditor->textCursor().selectionStart(), 15);
    EXPECT_EQ(harbour->memEditor->SelectedText(), "Nell");
    EXPECT_EQ(Main().Selection().CurrentCard, Card("Harbour"));

    // The editor's Ctrl+Shift+F brings up the same window.
    find->hide();
    ASSERT_TRUE(Active(harbour));
    QTest::keyClick(harbour, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(Active(find));
    EXPECT_EQ(Main().FindInProject().Window(), find);

    // Space unchecks Harbour's first match; Tab reaches the replacement, Alt+A replaces.
    QList<CardReplacement> handed;
    QString pattern;
    QObject::connect(find, &FindInProjectWindow::ReplaceRequested, find,
        [&](const QList<CardReplacement>& replacements, const QString& searched) {
            handed = replacements;
            pattern = searched;
        });
    find->tvResults->setFocus();
    find->tvResults->setCurrentIndex(results.index(0, 0, results.index(1, 0)));
    QTest::keyClick(find->tvResults, Qt::Key_Space);
    EXPECT_EQ(
        results.index(1, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::PartiallyChecked);
    find->edtSearch->setFocus();
    QTest::keyClick(find->edtSearch, Qt::Key_Tab);
    ASSERT_TRUE(find->edtReplace->hasFocus());
    QTest::keyClicks(find->edtReplace, "Tess");
    QTest::keyClick(find->edtReplace, Qt::Key_A, Qt::AltModifier);
    // A button's access key clicks it the way a mouse does, after its press is shown.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !handed.isEmpty(); }));
    EXPECT_EQ(pattern, "nell");
    const CardId harbourId = Card("Harbour")->Id();
    const CardId coveId = Card("Cove")->Id();
    const CardId millId = Card("Mill")->Id();
    const QList<CardReplacement> expected = {
        { coveId, ReplacedField::Description, "Where Nell waits", { { 6, 4, "Tess" } } },
        { harbourId, ReplacedField::Text, "Nell rows out.\nNell's boat.\n", { { 15, 4, "Tess" } } },
        { millId, ReplacedField::Text, "Nobody\nNell", { { 7, 4, "Tess" } } },
    };
    ASSERT_EQ(handed.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(handed[i].Card, expected[i].Card) << i;
        EXPECT_EQ(handed[i].Field, expected[i].Field) << i;
        EXPECT_EQ(handed[i].Searched, expected[i].Searched) << i;
        EXPECT_EQ(handed[i].Edits, expected[i].Edits) << i;
    }

    // The checked ones are replaced, in the open editors where the texts are open, and what was
    // made is said before the project is searched again.
    EXPECT_EQ(find->lblReplaced->text(), "Replaced in 3 cards.");
    EXPECT_EQ(Card("Cove")->Description(), "Where Tess waits");
    EXPECT_EQ(harbour->memEditor->Text(), "Nell rows out.\nTess's boat.\n");
    EXPECT_EQ(mill->memEditor->Text(), "Nobody\nTess");
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(results.CardCount(), 1);
}
