#include "editor/FindReplace.h"

#include "EditorFixture.h"
#include "editor/EditorMemo.h"
#include "editor/MemoPositions.h"
#include "editor/MemoText.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

class FindReplaceTest : public EditorFixture {
protected:
    TfmFindReplace& OpenDialog(const QString& text)
    {
        Project.Write("Text Files/Lamp.txt", text.toUtf8());
        Open();
        Editor->Menus.mnuFindReplace->trigger();
        auto* dialog = Editor->findChild<TfmFindReplace*>();
        EXPECT_TRUE(dialog && dialog->isVisible());
        return *dialog;
    }
    void Caret(int position)
    {
        QTextCursor cursor = Editor->memEditor->textCursor();
        cursor.setPosition(position);
        Editor->memEditor->setTextCursor(cursor);
    }
    QString Selected() { return Editor->memEditor->SelectedText(); }
    void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
};

TEST_F(FindReplaceTest, FindGoesForwardFromTheCaretWithoutWrappingRound)
{
    TfmFindReplace& dialog = OpenDialog("Rome, ROME and rome; Élan élan");
    dialog.edtFind->setText("rome");
    Caret(3);
    Click(dialog.btnFind);
    EXPECT_EQ(Editor->memEditor->textCursor().selectionStart(), 6) << "A to Z match either case";
    Click(dialog.btnFind);
    Click(dialog.btnFind);
    EXPECT_EQ(Dialogs.LastText(), "Cannot find any more instances of 'rome'");
    EXPECT_EQ(Editor->memEditor->textCursor().selectionStart(), 15) << "the last one stays selected";

    dialog.cbFromTop->setChecked(true);
    Click(dialog.btnFind);
    EXPECT_EQ(Editor->memEditor->textCursor().selectionStart(), 0);
    EXPECT_FALSE(dialog.cbFromTop->isChecked()) << "used once";

    dialog.edtFind->setText("élan");
    Click(dialog.btnFind);
    EXPECT_EQ(Editor->memEditor->textCursor().selectionStart(), 26) << "other letters keep their case";
    dialog.cbMatchCase->setChecked(true);
    dialog.edtFind->setText("ROME");
    dialog.cbFromTop->setChecked(true);
    Click(dialog.btnFind);
    EXPECT_EQ(Editor->memEditor->textCursor().selectionStart(), 6);
}

TEST_F(FindReplaceTest, ReplaceFindsFirstThenReplacesEachOccurrenceInTurn)
{
    TfmFindReplace& dialog = OpenDialog("a cat, a hat");
    dialog.edtFind->setText("at");
    dialog.edtReplace->setText("og");
    Click(dialog.btnReplace);
    EXPECT_EQ(Editor->memEditor->Text(), "a cat, a hat") << "the first press only finds";
    Click(dialog.btnReplace);
    EXPECT_EQ(Editor->memEditor->Text(), "a cog, a hat");
    EXPECT_EQ(Selected(), "at");
    Editor->memEditor->undo();
    EXPECT_EQ(Editor->memEditor->Text(), "a cat, a hat") << "a replacement is an ordinary edit";
}

TEST_F(FindReplaceTest, ReplaceAllWarnsOnceARunAndNeverSearchesItsOwnReplacements)
{
    TfmFindReplace& dialog = OpenDialog("banana");
    dialog.edtFind->setText("a");
    dialog.edtReplace->setText("aa");
    Dialogs.ExpectOkCancel(false);
    Click(dialog.btnReplaceAll);
    EXPECT_EQ(Editor->memEditor->Text(), "banana") << "Cancel replaces nothing";

    Caret(2);
    Click(dialog.btnReplaceAll);
    EXPECT_EQ(Editor->memEditor->Text(), "banaanaa") << "no second warning; from the caret on";
    Editor->memEditor->undo();
    EXPECT_EQ(Editor->memEditor->Text(), "banana") << "one step for Undo";
}

TEST_F(FindReplaceTest, OpeningWithASelectionSearchesForIt)
{
    TfmFindReplace& dialog = OpenDialog("the lamp room");
    dialog.edtReplace->setText("old");
    dialog.hide();
    QTextCursor cursor = Editor->memEditor->textCursor();
    cursor.setPosition(4);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    Editor->memEditor->setTextCursor(cursor);
    Editor->Menus.mnuFindReplace->trigger();
    EXPECT_EQ(dialog.edtFind->text(), "lamp");
    EXPECT_TRUE(dialog.edtReplace->text().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(FindReplaceTest, ALongParagraphIsSearchedAsTheWriterHasIt)
{
    const QString paragraph = LongParagraph();
    TfmFindReplace& dialog = OpenDialog(paragraph);
    dialog.edtFind->setText("10 km");
    Click(dialog.btnFind);
    EXPECT_EQ(Dialogs.Texts().last(), "Cannot find any more instances of '10 km'")
        << "a space is no no-break space";
    dialog.edtFind->setText(QStringLiteral("10\u00A0km"));
    Click(dialog.btnFind);
    EXPECT_EQ(Selected(), QStringLiteral("10\u00A0km"));

    // Words on either side of the first soft break, found and replaced as one.
    const QTextBlock second = Editor->memEditor->document()->findBlockByNumber(1);
    ASSERT_TRUE(IsSoftBreakBefore(second));
    const qsizetype cut = MemoPositions(*Editor->memEditor->document()).Offset(second.position());
    const qsizetype from = paragraph.lastIndexOf(' ', cut - 2) + 1;
    const QString words = paragraph.mid(from, paragraph.indexOf(' ', cut) - from);
    dialog.edtFind->setText(paragraph.mid(cut, words.size() - (cut - from)));
    dialog.cbFromTop->setChecked(true);
    Click(dialog.btnFind);
    EXPECT_EQ(Editor->memEditor->textCursor().selectionStart(), second.position())
        << "on the line it stands on";
    dialog.edtFind->setText(words);
    dialog.edtReplace->setText("(two words)");
    dialog.cbFromTop->setChecked(true);
    Click(dialog.btnReplace);
    EXPECT_EQ(Selected(), words);
    Click(dialog.btnReplace);
    EXPECT_EQ(Editor->memEditor->Text(), QString(paragraph).replace(words, "(two words)"));
}
