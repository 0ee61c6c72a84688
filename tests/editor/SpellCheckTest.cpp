#include "spelling/SpellCheck.h"

#include "EditorFixture.h"
#include "TestDictionary.h"
#include "editor/EditorMemo.h"
#include "spelling/SpellChecker.h"
#include "spelling/Misspellings.h"
#include "spelling/SpellingOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

namespace {
const QStringList Words { "the", "keeper", "lit", "lamp", "storm", "came", "over", "rocks", "and",
    "of" };
} // namespace

/// An editor whose program folder holds a small British dictionary and nothing else, for the
/// writer "writer".
class SpellCheckTest : public EditorFixture {
protected:
    SpellCheckTest()
    {
        Context.Spelling.Config.SystemDictionaryDirs = {};
        Context.Spelling.Config.ConfigID = "writer";
        WriteDictionary(App.Path("Spelling/"), "en_GB", Words);
    }

    TfmEditor& OpenWith(const QByteArray& text)
    {
        Project.Write("Text Files/Lamp.txt", text);
        TfmEditor& editor = Open();
        QCoreApplication::processEvents(); // live checking looks at the text once it has shown
        return editor;
    }
    SpellCheck* Dialog() const { return Editor->dlgSpeller->Dialog(); }
    QString Selected() const { return Editor->memEditor->SelectedText(); }
    /// Waits for the window to take the keys. (A dialog counts as active for Qt as soon as its
    /// parent is, so QTest::qWaitForWindowActive cannot tell.)
    static bool Active(QWidget* window)
    {
        return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    /// The words live checking underlines, in the order of the text.
    QStringList Underlined() const
    {
        QStringList words;
        for (QTextBlock block = Editor->memEditor->document()->firstBlock(); block.isValid();
             block = block.next()) {
            for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
                if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                    words << block.text().mid(range.start, range.length);
            }
        }
        return words;
    }
    /// The stretches drawn italic, in the order of the text.
    QStringList Italic() const
    {
        QStringList stretches;
        for (QTextBlock block = Editor->memEditor->document()->firstBlock(); block.isValid();
             block = block.next()) {
            for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
                if (range.format.fontItalic())
                    stretches << block.text().mid(range.start, range.length);
            }
        }
        return stretches;
    }
    /// Right-clicks a word of the memo, as the window system delivers it.
    QMenu* RightClick(const QString& word, int occurrence = 0)
    {
        EditorMemo* memo = Editor->memEditor;
        int at = -1;
        for (int i = 0; i <= occurrence; ++i)
            at = memo->document()
                     ->find(word, at + 1, QTextDocument::FindCaseSensitively)
                     .selectionStart();
        QTextCursor cursor(memo->document());
        cursor.setPosition(at + 1);
        const QPoint point = memo->cursorRect(cursor).center();
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, point, memo->viewport()->mapToGlobal(point));
        QCoreApplication::sendEvent(memo->viewport(), &event);
        return Editor->Menus.pmnuEditor;
    }
    void ClickItem(QMenu* menu, const QString& name, int index = 0)
    {
        QList<QAction*> items;
        for (QAction* action : menu->actions()) {
            if (action->objectName() == name)
                items << action;
        }
        ASSERT_GT(items.size(), index) << name.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(items[index]).center());
    }
};

TEST_F(SpellCheckTest, F7WalksTheTextAndWritesEachCorrectionAsAnEditUndoTakesBack)
{
    TfmEditor& editor
        = OpenWith("The keeper lit the lampp and the  The storm came over teh rocks.\r\n");
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_TRUE(Dialog() && Dialog()->isVisible());
    EXPECT_EQ(Dialog()->lblProblem->text(), "Not in dictionary:");
    EXPECT_EQ(Dialog()->memContext->toPlainText(),
        "The keeper lit the lampp and the  The storm came over teh rocks.");
    EXPECT_EQ(Selected(), "lampp") << "the word is selected in the text";
    ASSERT_GT(Dialog()->lbSuggestions->count(), 0);
    EXPECT_EQ(Dialog()->lbSuggestions->item(0)->text(), "lamp");
    EXPECT_EQ(Dialog()->edtChangeTo->text(), "lamp");

    Click(Dialog()->btnChange);
    EXPECT_EQ(Dialog()->lblProblem->text(), "Repeated word:");
    EXPECT_EQ(Dialog()->btnChange->text(), "&Delete");
    EXPECT_EQ(Selected(), "The") << "a repeat in other capitals is a repeat";
    Click(Dialog()->btnChange);
    EXPECT_EQ(Selected(), "teh");
    Click(Dialog()->btnIgnore);

    EXPECT_EQ(Dialog(), nullptr) << "the check has ended";
    EXPECT_EQ(Dialogs.LastText(), "The spelling check is complete.");
    EXPECT_EQ(
        editor.memEditor->Text(), "The keeper lit the lamp and the storm came over teh rocks.\n");
    EXPECT_EQ(editor.memEditor->textCursor().position(), 0) << "the caret goes back where it was";
    EXPECT_TRUE(editor.windowTitle().endsWith(" *"));
    QTest::keyClick(editor.memEditor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.memEditor->Text(),
        "The keeper lit the lamp and the  The storm came over teh rocks.\n");
    QTest::keyClick(editor.memEditor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.memEditor->Text(),
        "The keeper lit the lampp and the  The storm came over teh rocks.\n");
}

TEST_F(SpellCheckTest, IgnoreAllChangeAllAndAddReachEveryLaterOccurrence)
{
    TfmEditor& editor = OpenWith("Ardnamurchan kepper. Ardnamurchan kepper Nodex.\r\n");
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_EQ(Selected(), "Ardnamurchan");
    Click(Dialog()->btnIgnoreAll);
    ASSERT_EQ(Selected(), "kepper");
    QTest::keyClicks(Dialog()->edtChangeTo, "keeper");
    Click(Dialog()->btnChangeAll);
    ASSERT_EQ(Selected(), "Nodex");
    Click(Dialog()->btnAdd);
    EXPECT_EQ(Dialogs.LastText(), "The spelling check is complete.");
    EXPECT_EQ(editor.memEditor->Text(), "Ardnamurchan keeper. Ardnamurchan keeper Nodex.\n");
    EXPECT_EQ(App.Read("Spelling/writer.adu"), "Nodex\n");

    Dialogs.ClearHistory();
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(Dialogs.Texts(), QStringList { "The spelling check is complete." });

    // The added word lasts; the ignored one only as long as the program runs.
    SpellEngine later(ProgramFolders::Portable(App.Path()));
    later.Config = Context.Spelling.Config;
    EXPECT_EQ(MisspelledWords(later, editor.memEditor->Text()).size(), 2);
    EXPECT_EQ(MisspelledWords(later, editor.memEditor->Text()).value(0).Text, "Ardnamurchan");
}

TEST_F(SpellCheckTest, TwoCapitalsAreCorrectedOnlyWhereTheCorrectionIsAWord)
{
    TfmEditor& editor = OpenWith("THe KEeper lit MHz THE lamp\r\n");
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_TRUE(Dialog());
    EXPECT_EQ(Selected(), "MHz");
    EXPECT_EQ(editor.memEditor->Text(), "The Keeper lit MHz THE lamp\n");
    Click(Dialog()->btnCancel);
    EXPECT_TRUE(Dialogs.History().isEmpty()) << "a cancelled check ends without a message";
    QTest::keyClick(editor.memEditor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.memEditor->Text(), "The KEeper lit MHz THE lamp\n");
}

TEST_F(SpellCheckTest, EscapeAndAnotherWindowStopTheCheckAndTheCaretGoesBack)
{
    TfmEditor& editor = OpenWith("The lampp lit the keeperr\r\n");
    editor.memEditor->moveCursor(QTextCursor::End);
    const int end = editor.memEditor->textCursor().position();
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_TRUE(Dialog() && Active(Dialog()));
    QTest::keyClick(Dialog(), Qt::Key_Escape);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(editor.memEditor->textCursor().position(), end);
    ASSERT_TRUE(Active(&editor)) << "the editor takes the keys again";

    // The writer goes back to the text: the check waits.
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    SpellCheck* dialog = Dialog();
    ASSERT_TRUE(dialog && Active(dialog));
    editor.activateWindow();
    ASSERT_TRUE(Active(&editor));
    EXPECT_EQ(Dialog(), dialog);
    // Another window comes to the front, from the editor or from the dialog: the check stops.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(Active(&elsewhere));
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_FALSE(dialog->isVisible());

    editor.activateWindow();
    ASSERT_TRUE(Active(&editor));
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_TRUE(Dialog() && Active(Dialog()));
    elsewhere.activateWindow();
    ASSERT_TRUE(Active(&elsewhere));
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(Dialogs.History().isEmpty());

    editor.activateWindow();
    ASSERT_TRUE(Active(&editor));
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_TRUE(Dialog());
    editor.close();
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(Dialogs.History().isEmpty()) << "closing the editor ends its check quietly";
}

TEST_F(SpellCheckTest, EditsTheWriterMakesMeanwhileAreFollowedNotOverwritten)
{
    TfmEditor& editor = OpenWith("lampp and kepper\r\n");
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_EQ(Selected(), "lampp");
    // The writer mends the word by hand, then presses Change in the dialog.
    QTest::keyClicks(editor.memEditor, "lamp");
    Click(Dialog()->btnChange);
    EXPECT_EQ(editor.memEditor->Text(), "lamp and kepper\n");
    EXPECT_EQ(Selected(), "kepper");
}

TEST_F(SpellCheckTest, AnEditInsideAWordIsCheckedFromTheWordsStart)
{
    TfmEditor& editor = OpenWith("lampp and kepper\r\n");
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_EQ(Selected(), "lampp");
    // The writer puts a letter into the middle of a later word, then answers the dialog.
    QTextCursor cursor = editor.memEditor->textCursor();
    cursor.setPosition(12);
    editor.memEditor->setTextCursor(cursor);
    QTest::keyClicks(editor.memEditor, "x");
    Click(Dialog()->btnIgnore);
    EXPECT_EQ(Selected(), "kexpper") << "not the part after the caret";
}

TEST_F(SpellCheckTest, TheCaretStaysByItsWordsThroughCorrectionsBeforeIt)
{
    TfmEditor& editor = OpenWith("the lampp lit the keeperr\r\n");
    // After the words: moved by the letters taken out before it; inside a corrected word: at
    // its start.
    for (const auto& [caret, after] : { std::pair(25, 23), std::pair(7, 4) }) {
        QTextCursor cursor = editor.memEditor->textCursor();
        cursor.setPosition(caret);
        editor.memEditor->setTextCursor(cursor);
        QTest::keyClick(editor.memEditor, Qt::Key_F7);
        ASSERT_EQ(Selected(), "lampp");
        Click(Dialog()->btnChange); // to "lamp"
        ASSERT_EQ(Selected(), "keeperr");
        Dialog()->edtChangeTo->setText("keeper");
        Click(Dialog()->btnChange);
        EXPECT_EQ(Dialogs.LastText(), "The spelling check is complete.");
        EXPECT_EQ(editor.memEditor->textCursor().position(), after) << caret;
        QTest::keyClick(editor.memEditor, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(editor.memEditor, Qt::Key_Z, Qt::ControlModifier);
        ASSERT_EQ(editor.memEditor->Text(), "the lampp lit the keeperr\n");
    }
}

TEST_F(SpellCheckTest, ALongParagraphIsCorrectedInPlaceAcrossItsSoftBreaks)
{
    QString paragraph;
    for (int i = 0; i < 3000; ++i)
        paragraph += i == 2500 ? "the lampp " : "the keeper lit the lamp ";
    TfmEditor& editor = OpenWith(paragraph.toUtf8());
    ASSERT_GT(editor.memEditor->document()->blockCount(), 10) << "the paragraph is held in pieces";
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    ASSERT_EQ(Selected(), "lampp");
    Click(Dialog()->btnChange);
    QString expected = paragraph;
    expected.replace("lampp", "lamp");
    EXPECT_EQ(editor.memEditor->Text(), expected);
    EXPECT_EQ(Dialogs.LastText(), "The spelling check is complete.");
}

TEST_F(SpellCheckTest, WithoutADictionaryTheCommandsSaySo)
{
    Context.Spelling.Config.ConfigDictionaryDir = App.Path("Nowhere/");
    TfmEditor& editor = OpenWith("The lampp\r\n");
    const auto* note = editor.findChild<QLabel*>("sbSpelling");
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(), " No spelling dictionary: misspellings are not underlined ");
    QTest::keyClick(editor.memEditor, Qt::Key_F7);
    EXPECT_EQ(Dialogs.Last().kind, ScriptedDialogs::Kind::Information);
    EXPECT_TRUE(Dialogs.LastText().startsWith("No spelling dictionary is installed."));
    EXPECT_EQ(Dialog(), nullptr);
}

TEST_F(SpellCheckTest, LiveCheckingUnderlinesMisspelledWordsAsTheWriterTypes)
{
    TfmEditor& editor = OpenWith("The lampp is lit\r\nthe keeper\r\n");
    EXPECT_EQ(Underlined(), (QStringList { "lampp", "is" }));
    EXPECT_FALSE(editor.findChild<QLabel*>("sbSpelling")->isVisible());
    editor.memEditor->moveCursor(QTextCursor::End);
    // A misspelled word in italic keeps both looks.
    QTest::keyClicks(editor.memEditor, " *kepper*");
    EXPECT_EQ(Underlined(), (QStringList { "lampp", "is", "kepper" }));
    EXPECT_EQ(Italic(), QStringList { "kepper" });
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(editor.memEditor, Qt::Key_Backspace);
    QTest::keyClicks(editor.memEditor, "eper*");
    EXPECT_EQ(Underlined(), (QStringList { "lampp", "is" }));
    EXPECT_EQ(Italic(), QStringList { "keeper" });
}

TEST_F(SpellCheckTest, LiveCheckingReachesTheLinesOfALongTextAsTheyComeIntoView)
{
    QByteArray text;
    for (int line = 0; line < 400; ++line)
        text += line == 399 ? "the kepper\r\n" : "the keeper\r\n";
    TfmEditor& editor = OpenWith(text);
    QTest::keyClick(editor.memEditor, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(Underlined(), QStringList { "kepper" });
}

TEST_F(SpellCheckTest, ThePopUpMenuOffersSpellingsAddToDictionaryAndIgnoreAll)
{
    TfmEditor& editor
        = OpenWith("The lampp and lampp lit\r\nKepper came. Ardnamurchan\r\nKEPPER\r\n");
    QMenu* menu = RightClick("The");
    EXPECT_EQ(menu->actions().value(0)->objectName(), "pmnuUndo")
        << "a right word has no spellings";
    menu->hide();

    menu = RightClick("lampp");
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->actions().value(0)->text(), "lamp");
    ClickItem(menu, "pmnuSuggestion");
    EXPECT_EQ(editor.memEditor->Text(),
        "The lamp and lampp lit\nKepper came. Ardnamurchan\nKEPPER\n");
    EXPECT_EQ(Underlined(), (QStringList { "lampp", "Kepper", "Ardnamurchan", "KEPPER" }));

    // The word added is right in capitals too, on a line of its own.
    ClickItem(RightClick("Kepper"), "pmnuAddWord");
    EXPECT_EQ(App.Read("Spelling/writer.adu"), "Kepper\n");
    ClickItem(RightClick("lampp"), "pmnuIgnoreAll");
    EXPECT_EQ(Underlined(), QStringList { "Ardnamurchan" });
    QTest::keyClick(editor.memEditor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.memEditor->Text(),
        "The lampp and lampp lit\nKepper came. Ardnamurchan\nKEPPER\n");
}

TEST_F(SpellCheckTest, SpellingOptionsAreKeptForTheWriterAndApplyAtOnce)
{
    WriteDictionary(App.Path("Spelling/"), "en_US", Words + QStringList { "color" });
    TfmEditor& editor = OpenWith("The *color* of the lampp\r\n");
    EXPECT_EQ(Underlined(), (QStringList { "color", "lampp" }));
    Dialogs.ExpectModal([](QDialog& dialog) {
        auto& options = static_cast<SpellingOptions&>(dialog);
        EXPECT_EQ(options.cmbDictionary->currentText(), "en_GB: English (United Kingdom)");
        EXPECT_EQ(options.OptionBox(soHTML), nullptr) << "mark-up is not offered";
        QTest::mouseClick(options.OptionBox(soUpcase), Qt::LeftButton);
        options.cmbDictionary->setCurrentIndex(
            options.cmbDictionary->findText("en_US: English (United States)"));
        QTest::mouseClick(options.btnOK, Qt::LeftButton);
    });
    QTest::keyClick(editor.memEditor, Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(Underlined(), QStringList { "lampp" }) << "the American dictionary";
    EXPECT_EQ(App.Read("Spelling/Spell.cfg"),
        "[writer]\nOptions=soLiveSpelling,soUpcase,soInternet,soAbbreviations,soRepeated,"
        "soDUalCaps\n"
        "MainDictionary=en_US\n");

    Dialogs.ExpectModal([](QDialog& dialog) {
        auto& options = static_cast<SpellingOptions&>(dialog);
        QTest::mouseClick(options.OptionBox(soLiveSpelling), Qt::LeftButton);
        QTest::mouseClick(options.btnOK, Qt::LeftButton);
    });
    QTest::keyClick(editor.memEditor, Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_TRUE(Underlined().isEmpty()) << "live checking is off";
    EXPECT_EQ(Italic(), QStringList { "color" }) << "emphasis is drawn all the same";
    Dialogs.ExpectModal([](QDialog& dialog) {
        QTest::mouseClick(static_cast<SpellingOptions&>(dialog).btnCancel, Qt::LeftButton);
    });
    QTest::keyClick(editor.memEditor, Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_TRUE(App.Read("Spelling/Spell.cfg").contains("Options=soUpcase,"));
}
