#include "AppFixture.h"
#include "TestDictionary.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/NodexLabel.h"
#include "canvas/Nodex.h"
#include "compile/Compile.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "properties/Properties.h"
#include "spelling/SpellCheck.h"
#include "spelling/SpellChecker.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTest>

/// A saved project: the chain A -> B of Chapter cards, and C, a Scene card; A and C have texts.
class EditorCommandsTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Book.nodex", "[Workspace]\nTargetWordCount=8\n[Theme]\nName=Book.ini\n");
        WriteCard("A", 0, 0, 100, 100, "B");
        WriteCard("B", 0, 0, 250, 100);
        WriteCard("C & D", 1, 0, 400, 100);
        Projects.Write("Text Files/A.txt", "one two three\r\n");
        Projects.Write("Text Files/C & D.txt", "four five\r\n");
        ASSERT_TRUE(Program->Start({Projects.Path("Book.nodex")}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    }

    QPoint At(const char* name)
    {
        return Main().View().mapFromScene(QPointF(Card(name)->Left() + 5, Card(name)->Top() + 5));
    }
    TfmEditor* OpenEditor(const char* name)
    {
        QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, {}, At(name));
        QTest::mouseDClick(Main().View().viewport(), Qt::LeftButton, {}, At(name));
        return Main().CardEditors().Of(Card(name)->Id());
    }
    /// Waits until the editor takes the keys, as it does once the window system has raised it.
    static bool EditorActive(TfmEditor* editor)
    {
        return editor && QTest::qWaitFor([editor] { return QApplication::activeWindow() == editor; });
    }
    void Select(const char* name, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, keys, At(name));
    }
};

TEST_F(EditorCommandsTest, EachCardHasOneEditorWhichItsLabelShows)
{
    TfmEditor* editor = OpenEditor("A");
    ASSERT_TRUE(editor && editor->isVisible());
    EXPECT_EQ(editor->windowTitle(), "Editing Nodex: 'A'");
    EXPECT_EQ(editor->memEditor->Text(), "one two three\n");
    EXPECT_EQ(OpenEditor("A"), editor) << "the open editor comes to the front";
    Select("B");
    EXPECT_EQ(Card("A")->NameLabel()->TextColour(), QColor(255, 0, 0)) << "the editing colour";

    Select("A");
    emit Main().Menus().pmnuNodex->aboutToShow();
    EXPECT_FALSE(Main().Menus().pmnuProperties->isEnabled()) << "no renaming while it is edited";
    editor->close();
    QTest::qWait(1);
    EXPECT_EQ(Card("A")->Editor(), nullptr);
}

TEST_F(EditorCommandsTest, UnsavedEditorsAreSavedFirstAndAFailedSaveStopsTheCommand)
{
    TfmEditor* editor = OpenEditor("B");
    QTest::keyClicks(editor->memEditor, "six");
    Projects.MakeFolder("Text Files/B.txt");
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Main().Commands().New();
    EXPECT_EQ(Main().Canvas().CardCount(), 3) << "the text that could not be saved keeps its cards";
    EXPECT_TRUE(editor->isVisible());

    QDir(Projects.Path("Text Files/B.txt")).removeRecursively();
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Main().Commands().New();
    EXPECT_EQ(Projects.Read("Text Files/B.txt"), "six");
    EXPECT_EQ(Main().Canvas().CardCount(), 0);
}

TEST_F(EditorCommandsTest, WordCountsTakeOpenEditorsChainsAndSelections)
{
    TfmEditor* editor = OpenEditor("B");
    QTest::keyClicks(editor->memEditor, "unsaved words count");
    Main().Selection().CurrentCard = nullptr;
    Main().Menus().mnuWordCount->trigger();
    Select("A");
    Main().Menus().mnuWordCount->trigger();
    Select("C & D");
    Main().Menus().pmnuWordCount->trigger();
    Select("A", Qt::ShiftModifier);
    Main().Menus().mnuWordCount->trigger();
    const QLocale locale;
    EXPECT_EQ(Dialogs.Texts(),
              (QStringList{"Chapter combined word count is 6 (" + locale.toString(75) + "%)",
                           "Linked word count is 6 (" + locale.toString(75) + "%)",
                           "'C & D' Word count is 2 (" + locale.toString(25) + "%)",
                           "Selected word count is 5 (" + locale.toString(62.5) + "%)"}));
}

TEST_F(EditorCommandsTest, ACardsTextPrintsWithItsTitleAndPageNumbers)
{
    Select("B");
    Main().Menus().pmnuPrint->trigger();
    EXPECT_EQ(Dialogs.LastText(), "There is no content file to print.");

    const QString pdf = Projects.Path("A.pdf");
    Select("A");
    Dialogs.ExpectPrinter(pdf);
    Main().Menus().pmnuPrint->trigger();
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("A (1/1)")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("one two three"));
}

TEST_F(EditorCommandsTest, ADroppedTextFileBecomesANewCardsText)
{
    // A text file the name already has (kept when its card was deleted) is not replaced unasked.
    Projects.Write("Text Files/Kept.txt", "kept");
    Dialogs.ExpectModal([](QDialog& dialog) {
        auto& properties = static_cast<TfmProperties&>(dialog);
        QTest::keyClicks(properties.edtName, "Kept");
        QTest::mouseClick(properties.btnOk, Qt::LeftButton);
    });
    Dialogs.ExpectOkCancel(false);
    Drop({Projects.Write("Other.txt", "other")});
    EXPECT_EQ(Projects.Read("Text Files/Kept.txt"), "kept");

    const QString dropped = Projects.Write("Letter.TXT", "Dear Ada,\nthe lamp is lit.\n");
    Dialogs.ExpectModal([](QDialog& dialog) {
        auto& properties = static_cast<TfmProperties&>(dialog);
        QTest::keyClicks(properties.edtName, "Letter");
        QTest::mouseClick(properties.btnOk, Qt::LeftButton);
    });
    Drop({dropped});
    EXPECT_EQ(Projects.Read("Text Files/Letter.txt"), "Dear Ada,\r\nthe lamp is lit.\r\n");
    EXPECT_TRUE(Projects.Exists("Letter.ndx"));
}

TEST_F(EditorCommandsTest, MergeTakesWhatIsTypedInOpenEditors)
{
    TfmEditor* first = OpenEditor("A");
    first->memEditor->moveCursor(QTextCursor::End);
    QTest::keyClicks(first->memEditor, "four");
    TfmEditor* second = OpenEditor("B");
    QTest::keyClicks(second->memEditor, "typed");
    Select("A");
    Dialogs.ExpectYesNoCancel(Answer::No);
    Main().Menus().pmnuMerge->trigger();
    EXPECT_EQ(Projects.Read("Text Files/A.txt"), "one two three\r\nfour\r\ntyped\r\n");
    EXPECT_EQ(first->memEditor->Text(), "one two three\nfour\ntyped\n");
    EXPECT_FALSE(first->IsModified());
}

TEST_F(EditorCommandsTest, NothingIsWrittenThroughALink)
{
    // Links out of the project and onto its own files: the lock onto a card file, the
    // compilation onto another card's text.
    TempFolder elsewhere;
    const QString outside = elsewhere.Write("outside.txt", "not the project's");
    Main().CloseProject();
    QFile::remove(Projects.Path("Text Files/A.txt"));
    ASSERT_TRUE(QFile::link(outside, Projects.Path("Text Files/A.txt")));
    ASSERT_TRUE(QFile::link(Projects.Path("Text Files/C & D.txt"), Projects.Path("Text Files/Compilation.txt")));
    ASSERT_TRUE(QFile::link(Projects.Path("B.ndx"), Projects.Path(".~lock.Book.nodex")));
    const QByteArray cardB = Projects.Read("B.ndx");
    const QByteArray textC = Projects.Read("Text Files/C & D.txt");
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    Main().SaveProject();

    TfmEditor* editor = OpenEditor("A");
    QTest::keyClicks(editor->memEditor, "x");
    editor->SaveText();
    editor->memEditor->document()->setModified(false);
    Select("A");
    Dialogs.ExpectYesNoCancel(Answer::No);
    Main().Menus().pmnuMerge->trigger();
    Main().Menus().mnuCompile->trigger();
    Main().findChild<TfmCompile*>()->btnCreateClick();
    const QStringList failures{"Cannot write to the text file.", "There was an error during merging.",
                               "There was an error creating the Compilation."};
    for (const QString& failure : failures) {
        const auto shown = std::find_if(Dialogs.History().cbegin(), Dialogs.History().cend(),
                                        [&](const auto& message) { return message.text == failure; });
        ASSERT_NE(shown, Dialogs.History().cend()) << failure.toStdString();
        EXPECT_TRUE(shown->reason.contains("symbolic link")) << shown->reason.toStdString();
    }
    EXPECT_EQ(elsewhere.Read("outside.txt"), "not the project's");
    EXPECT_EQ(Projects.Read("B.ndx"), cardB);
    EXPECT_EQ(Projects.Read("Text Files/C & D.txt"), textC);
    Main().CloseProject();
    EXPECT_TRUE(QFileInfo(Projects.Path(".~lock.Book.nodex")).isSymLink()) << "a lock that is not ours stays";
}

TEST_F(EditorCommandsTest, AWordAddedInTheSpellCheckIsAcceptedAfterARestart)
{
    // The program's own Spelling folder is searched before the system's.
    WriteDictionary(App.Path("Spelling/"), "en_GB", {"one", "two", "three"});
    TfmEditor* editor = OpenEditor("A");
    ASSERT_TRUE(EditorActive(editor));
    editor->memEditor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->memEditor, "Ardnamurchan");
    QTest::keyClick(editor->memEditor, Qt::Key_F7);
    ASSERT_TRUE(editor->dlgSpeller->Dialog());
    EXPECT_EQ(editor->memEditor->SelectedText(), "Ardnamurchan");
    QTest::mouseClick(editor->dlgSpeller->Dialog()->btnAdd, Qt::LeftButton);
    EXPECT_EQ(Dialogs.LastText(), "The spelling check is complete.");
    QTest::keyClick(editor->memEditor, Qt::Key_S, Qt::ControlModifier);

    Program.reset();
    StartProgram();
    ASSERT_TRUE(Program->Start({Projects.Path("Book.nodex")}));
    editor = OpenEditor("A");
    ASSERT_TRUE(EditorActive(editor));
    ASSERT_EQ(editor->memEditor->Text(), "one two three\nArdnamurchan");
    Dialogs.ClearHistory();
    QTest::keyClick(editor->memEditor, Qt::Key_F7);
    EXPECT_EQ(editor->dlgSpeller->Dialog(), nullptr);
    EXPECT_EQ(Dialogs.Texts(), QStringList{"The spelling check is complete."});
}
