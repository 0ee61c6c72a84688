#include "EditorFixture.h"
#include "HistoryTexts.h"
#include "PaneRows.h"
#include "editor/CompareWindow.h"
#include "editor/EditorMemo.h"
#include "project/CardHistory.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

class EditorTest : public EditorFixture {};

namespace {
/// The texts the card's history keeps, newest first.
QByteArrayList KeptVersions(const TempFolder& project)
{
    return HistoryTexts(project.Path(), "Lamp");
}
} // namespace

TEST_F(EditorTest, TheCardsTextLoadsAndTypingMarksItChangedUntilSaved)
{
    Project.Write("Text Files/Lamp.txt", "Keeper's log\r\nDay one\r\n");
    TfmEditor& editor = Open();
    EXPECT_EQ(editor.windowTitle(), "Editing Nodex: 'Lamp'");
    EXPECT_EQ(editor.memEditor->Text(), "Keeper's log\nDay one\n");
    EXPECT_FALSE(editor.Menus.mnuSave->isEnabled());

    editor.memEditor->moveCursor(QTextCursor::End);
    Type("Fog");
    EXPECT_EQ(editor.windowTitle(), "Editing Nodex: 'Lamp' *") << "one marker, however much is typed";
    EXPECT_TRUE(editor.Menus.mnuSave->isEnabled());
    QTest::keyClick(editor.memEditor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TextFile(), "Keeper's log\r\nDay one\r\nFog");
    EXPECT_EQ(editor.windowTitle(), "Editing Nodex: 'Lamp'");
}

TEST_F(EditorTest, ACardWithoutTextOpensEmptyWithTheTextCommandsOff)
{
    TfmEditor& editor = Open();
    EXPECT_EQ(editor.windowTitle(), "Editing Nodex: 'Lamp'");
    for (QAction* item : {editor.Menus.mnuSave, editor.Menus.mnuPrint, editor.Menus.mnuFindReplace,
                          editor.Menus.mnuSpellCheck, editor.Menus.mnuThesaurus, editor.Menus.mnuWordCount,
                          editor.Menus.mnuWordUsage})
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    EXPECT_TRUE(editor.Menus.mnuSaveWindowPos->isEnabled()) << "in the Single placement mode";
}

TEST_F(EditorTest, F1AsksTheDesktopForTheHelpIndex)
{
    TfmEditor& editor = Open();
    QTest::keyClick(editor.memEditor, Qt::Key_F1);
    EXPECT_EQ(Shell.HelpRequests, QStringList{QString()}) << "context 0, the index";
}

TEST_F(EditorTest, TypographicKeysInsertCharactersThatUndoTakesBack)
{
    TfmEditor& editor = Open();
    const struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        QString Inserted;
    } keys[] = {{Qt::Key_5, Qt::ControlModifier, "°"}, {Qt::Key_8, Qt::ControlModifier, "•"},
                {Qt::Key_Equal, Qt::ControlModifier, "—"}, {Qt::Key_Minus, Qt::ControlModifier, "–"},
                {Qt::Key_Period, Qt::ControlModifier, "·"}, {Qt::Key_QuoteLeft, Qt::ControlModifier, "©"},
                {Qt::Key_5, Qt::ControlModifier | Qt::ShiftModifier, ""}};
    for (const auto& key : keys) {
        editor.memEditor->clear();
        QTest::keyClick(editor.memEditor, key.Key, key.Modifiers);
        EXPECT_EQ(editor.memEditor->Text(), key.Inserted);
    }
    editor.memEditor->clear();
    QTest::keyClick(editor.memEditor, Qt::Key_5, Qt::ControlModifier);
    editor.memEditor->undo();
    EXPECT_EQ(editor.memEditor->Text(), "") << "an ordinary edit, which Undo takes back";
    editor.memEditor->redo();
    EXPECT_EQ(editor.memEditor->Text(), "°");
}

TEST_F(EditorTest, ClosingAsksAndKeepsTheWindowWhenTheTextCouldNotBeSaved)
{
    TfmEditor& editor = Open();
    Type("Storm");
    Dialogs.ExpectYesNoCancel(Answer::Cancel);
    EXPECT_FALSE(editor.close());

    // A folder where the text file should be: the save fails, and the text must not be lost.
    Project.MakeFolder("Text Files/Lamp.txt");
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    EXPECT_FALSE(editor.close());
    ASSERT_EQ(Dialogs.Last().kind, ScriptedDialogs::Kind::Warning);
    EXPECT_EQ(Dialogs.Last().text, "Cannot write to the text file.");
    EXPECT_FALSE(Dialogs.Last().reason.isEmpty());
    EXPECT_TRUE(editor.IsModified());

    Dialogs.ExpectYesNoCancel(Answer::No);
    EXPECT_TRUE(editor.close());
}

TEST_F(EditorTest, AutoSaveWritesOnlyAChangedText)
{
    Project.Write("Text Files/Lamp.txt", "Calm\r\n");
    TfmEditor& editor = Open();
    editor.SetAutoSave(true);
    auto* timer = editor.findChild<QTimer*>("tmrAutoSave");
    ASSERT_EQ(timer->interval(), 15 * 60'000);
    EXPECT_EQ(editor.findChild<QLabel*>("sbStatus")->text(), " Auto-save is on");
    timer->start(1);
    QFile::remove(Project.Path("Text Files/Lamp.txt"));
    QTest::qWait(30);
    EXPECT_FALSE(Project.Exists("Text Files/Lamp.txt")) << "an unchanged text is left alone";

    Type("Gale ");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Project.Exists("Text Files/Lamp.txt"); }, 5000));
    EXPECT_EQ(TextFile(), "Gale Calm\r\n");
    EXPECT_TRUE(editor.findChild<QLabel*>("sbStatus")->text().startsWith(" Text auto-saved at "));
}

TEST_F(EditorTest, ImportAsksBeforeReplacingAndLeavesTheSaveToTheWriter)
{
    Project.Write("Text Files/Lamp.txt", "Old text\r\n");
    const QString text = Project.Write("draft.TXT", "Imported\r\nlines\r\n");
    const QString rtf = Project.Write("draft.RTF", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Caf\\'e9\\par Two}");
    TfmEditor& editor = Open();
    Dialogs.ExpectOkCancel(false);
    editor.ImportText(text);
    EXPECT_EQ(editor.memEditor->Text(), "Old text\n");

    Dialogs.ExpectOkCancel(true);
    editor.ImportText(text);
    EXPECT_EQ(editor.memEditor->Text(), "Imported\nlines\n");
    EXPECT_EQ(editor.memEditor->textCursor().position(), 0);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_EQ(TextFile(), "Old text\r\n") << "saved only by the next save";

    Dialogs.ExpectOkCancel(true);
    editor.ImportText(rtf);
    EXPECT_TRUE(editor.memEditor->Text().startsWith("Café\nTwo"));

    editor.ImportText(Project.Write("letter.docx", ""));
    EXPECT_EQ(Dialogs.LastText(), "Nodex imports only txt/rtf files.");
    Dialogs.ExpectOkCancel(true);
    editor.ImportText(Project.Path("gone.txt"));
    EXPECT_EQ(Dialogs.LastText(), "'gone.txt' file does not exist.");
}

TEST_F(EditorTest, EachPlacementModeKeepsTheWindowsPlaceWhereItBelongs)
{
    // Remember All: each card's own file, written on closing.
    Project.Write("Lamp.ndx", "[StateData]\nType=1\n");
    TfmEditor& own = Open(EditMemory::RememberAll);
    own.move(120, 90);
    own.close();
    EXPECT_TRUE(Project.Read("Lamp.ndx").contains("[EditWindow]\nMaximised=0\nTop="));

    // None: nothing is read or written, and Save Window Position is off.
    const QByteArray card = Project.Read("Lamp.ndx");
    TfmEditor& none = Open(EditMemory::None);
    none.RefreshEditorState();
    EXPECT_FALSE(none.Menus.mnuSaveWindowPos->isEnabled());
    none.close();
    EXPECT_EQ(Project.Read("Lamp.ndx"), card);

    // Single: one shared place in the settings, kept only on request.
    TfmEditor& single = Open(EditMemory::Single);
    Dialogs.ExpectOkCancel(true);
    single.Menus.mnuSaveWindowPos->trigger();
    EXPECT_TRUE(App.Read("Nodex.ini").startsWith("[EditWindow]\nMaximised=0\nTop="));
}

TEST_F(EditorTest, TheWritersCharactersReachTheFileAndTheCountAsTheyAre)
{
    // No-break spaces, a line separator and two noncharacters: none of them is ours to change.
    const QString text
        = QStringLiteral("12\u00A0€ «\u00A0oui\u00A0»\r\nfin\u2028de\uFDD0ligne\uFDD1\r\n");
    Project.Write("Text Files/Lamp.txt", text.toUtf8());
    TfmEditor& editor = Open();
    EXPECT_EQ(editor.CountEditorWords(), 4)
        << "as the closed card counts: only spaces and line breaks separate";
    editor.memEditor->moveCursor(QTextCursor::End);
    Type("!");
    QTest::keyClick(editor.memEditor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TextFile(), (text + "!").toUtf8());

    Dialogs.ExpectOkCancel(true);
    editor.ImportText(QStringLiteral(NODEX_EDITOR_TEST_DATA "/european.rtf"));
    editor.SaveText();
    EXPECT_EQ(TextFile().count("\u00A0"), 3) << "the document's own no-break spaces";
}

TEST_F(EditorTest, ASaveKeepsTheTextItReplacesInTheCardsHistory)
{
    TfmEditor& editor = Open();
    const auto save = [&] { QTest::keyClick(editor.memEditor, Qt::Key_S, Qt::ControlModifier); };
    // A card without a text has nothing to keep.
    Type("Calm");
    save();
    EXPECT_TRUE(KeptTexts().isEmpty());
    Type(" sea");
    save();
    EXPECT_EQ(KeptTexts(), QList<QByteArray> { "Calm" });
    // A save that writes what the file holds already keeps nothing more.
    Type("!");
    QTest::keyClick(editor.memEditor, Qt::Key_Backspace);
    save();
    EXPECT_EQ(KeptTexts().size(), 1);

    // A history that cannot be written never stands in the save's way; the status line says why.
    ASSERT_TRUE(QDir(Project.Path(".nodex-history")).removeRecursively());
    Project.Write(".nodex-history", "in the way");
    Type("?");
    save();
    EXPECT_EQ(TextFile(), "Calm sea?");
    EXPECT_FALSE(editor.IsModified());
    const QString status = editor.findChild<QLabel*>("sbStatus")->text();
    EXPECT_TRUE(status.contains("could not be kept") && status.contains(".nodex-history"))
        << status.toStdString();
}

TEST_F(EditorTest, ATextThatCannotBeReadIsNeverWrittenOver)
{
    // A link that leads round in a circle can be neither read nor looked at, whoever runs this.
    const QString path = Project.Path("Text Files/Lamp.txt");
    ASSERT_TRUE(QFile::link(path, path));
    TfmEditor& editor = Open();
    ASSERT_EQ(Dialogs.History().size(), 1);
    EXPECT_EQ(
        Dialogs.History().last().text, "Cannot open - file may be open in another application.");
    const QString reason = Dialogs.History().last().reason;
    EXPECT_TRUE(reason.contains("Too many levels of symbolic links")) << reason.toStdString();
    auto* status = editor.findChild<QLabel*>("sbStatus");
    EXPECT_TRUE(status->text().contains(reason)) << status->text().toStdString();

    Type("lost");
    EXPECT_EQ(editor.memEditor->Text(), "") << "read-only";
    EXPECT_FALSE(editor.SaveText());
    EXPECT_TRUE(Dialogs.History().last().reason.contains("not written over"));
    EXPECT_TRUE(QFileInfo(path).isSymLink());

    // Once it can be read, coming back to the window reads it.
    QFile::remove(path);
    Project.Write("Text Files/Lamp.txt", "Calm\r\n");
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    EXPECT_EQ(editor.memEditor->Text(), "Calm\n");
    EXPECT_FALSE(editor.memEditor->isReadOnly());
    EXPECT_EQ(status->text(), " Auto-save is off");
}

TEST_F(EditorTest, APrintJobThatCannotStartSaysWhy)
{
    Project.Write("Text Files/Lamp.txt", "Beam\r\n");
    TfmEditor& editor = Open();
    Dialogs.ExpectPrinter(Project.Path("gone/Lamp.pdf"));
    editor.Menus.mnuPrint->trigger();
    ASSERT_EQ(Dialogs.History().last().kind, ScriptedDialogs::Kind::Warning);
    EXPECT_EQ(Dialogs.History().last().text, "The text could not be printed.");
    const QString reason = Dialogs.History().last().reason;
    EXPECT_TRUE(reason.contains("Lamp.pdf") && reason.contains("No such file or directory"))
        << reason.toStdString();
}

TEST_F(EditorTest, ASaveAsksBeforeReplacingATextChangedElsewhereAndKeepsTheOtherVersion)
{
    Project.Write("Text Files/Lamp.txt", "Calm\r\n");
    TfmEditor& editor = Open();
    editor.memEditor->moveCursor(QTextCursor::End);
    Type("Gale");
    Project.Write("Text Files/Lamp.txt", "Storm\r\n");

    Dialogs.ExpectOkCancel(false);
    QTest::keyClick(editor.memEditor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(Dialogs.Last().text.contains("'Lamp' was changed by another program")) << Dialogs.Last().text.toStdString();
    EXPECT_EQ(TextFile(), "Storm\r\n");
    EXPECT_TRUE(editor.IsModified());

    Dialogs.ExpectOkCancel(true);
    QTest::keyClick(editor.memEditor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TextFile(), "Calm\r\nGale");
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(KeptVersions(Project), QByteArrayList{"Storm\r\n"});

    // The text now on disk is the one saved: the next save does not ask again.
    Type("!");
    QTest::keyClick(editor.memEditor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TextFile(), "Calm\r\nGale!");
}

namespace {
/// Rewrites a file from another process, in place, as a plain `>` in a shell does.
void RewriteFromAnotherProcess(const QString& path, const QByteArray& bytes)
{
    QProcess shell;
    shell.start("sh", {"-c", "cat > \"$0\"", path});
    ASSERT_TRUE(shell.waitForStarted());
    shell.write(bytes);
    shell.closeWriteChannel();
    ASSERT_TRUE(shell.waitForFinished());
    ASSERT_EQ(shell.exitCode(), 0);
}

/// Takes the focus away from a window and gives it back, as a writer coming back to it does.
void ComeBackTo(QWidget& window)
{
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

} // namespace

TEST_F(EditorTest, AnUnchangedTextFollowsTheFileAndSaysSoButNotAfterItsOwnSave)
{
    Project.Write("Text Files/Lamp.txt", "Calm\r\n");
    TfmEditor& editor = Open();
    auto* status = editor.findChild<QLabel*>("sbStatus");
    editor.memEditor->moveCursor(QTextCursor::End);
    Type("Gale");
    ASSERT_TRUE(editor.SaveText());
    ComeBackTo(editor);
    EXPECT_EQ(status->text(), " Auto-save is off") << "its own save is no change from elsewhere";

    RewriteFromAnotherProcess(Project.Path("Text Files/Lamp.txt"), "Storm\r\n");
    ComeBackTo(editor);
    EXPECT_EQ(editor.memEditor->Text(), "Storm\n");
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(status->text(), " The text was changed by another program and has been read again.");
    EXPECT_EQ(KeptVersions(Project), QByteArrayList{"Calm\r\n"}) << "reading theirs over a saved text keeps nothing more";
}

TEST_F(EditorTest, AChangedTextAsksWhoseToKeepAndKeepsTheOtherInTheCardsHistory)
{
    for (const int choice : {0, 1}) {
        SCOPED_TRACE(choice == 0 ? "keep mine" : "take theirs");
        QDir(Project.Path(CardHistory::FolderName)).removeRecursively();
        Project.Write("Text Files/Lamp.txt", "Calm\r\n");
        TfmEditor& editor = Open();
        editor.memEditor->moveCursor(QTextCursor::End);
        Type("Gale");
        RewriteFromAnotherProcess(Project.Path("Text Files/Lamp.txt"), "Storm\r\n");

        Dialogs.ExpectChoice(choice);
        ComeBackTo(editor);
        EXPECT_TRUE(Dialogs.LastText().contains("changed the text of 'Lamp' while you were editing"));
        EXPECT_EQ(KeptVersions(Project), QByteArrayList{choice == 0 ? "Storm\r\n" : "Calm\r\nGale"});
        EXPECT_EQ(editor.memEditor->Text(), choice == 0 ? "Calm\nGale" : "Storm\n");
        EXPECT_EQ(editor.IsModified(), choice == 0);

        // Either way the question is answered: the next save writes without asking again.
        Type("!");
        ASSERT_TRUE(editor.SaveText());
        EXPECT_EQ(TextFile(), choice == 0 ? "Calm\r\nGale!" : "!Storm\r\n");
        delete Editor;
    }
}

TEST_F(EditorTest, CompareShowsBothTextsAndLeavesTheChoiceOpen)
{
    Project.Write("Text Files/Lamp.txt", "Calm\r\n");
    TfmEditor& editor = Open();
    editor.memEditor->moveCursor(QTextCursor::End);
    Type("Gale");
    RewriteFromAnotherProcess(Project.Path("Text Files/Lamp.txt"), "Storm\r\n");

    Dialogs.ExpectChoice(2);
    ComeBackTo(editor);
    auto* compare = editor.findChild<CompareWindow*>();
    ASSERT_TRUE(compare);
    // Theirs on the left, the memo's on the right, row against row: no line is shared, so
    // every row is tinted as changed on both sides.
    EXPECT_EQ(PaneLines(*compare->memLeft), QStringList({ "Storm", "" }));
    EXPECT_EQ(PaneLines(*compare->memRight), QStringList({ "Calm", "Gale" }));
    for (int row = 0; row < 2; ++row) {
        EXPECT_TRUE(RowTint(*compare->memLeft, row).isValid());
        EXPECT_EQ(RowTint(*compare->memLeft, row), RowTint(*compare->memRight, row));
    }
    EXPECT_EQ(editor.memEditor->Text(), "Calm\nGale");
    EXPECT_TRUE(KeptVersions(Project).isEmpty());

    // Nothing was chosen: a save still asks before it replaces theirs.
    Dialogs.ExpectOkCancel(false);
    EXPECT_FALSE(editor.SaveText());
    EXPECT_EQ(TextFile(), "Storm\r\n");
    EXPECT_TRUE(editor.IsModified());
}
