#include "EditorFixture.h"
#include "ThesaurusFiles.h"
#include "editor/EditorMemo.h"
#include "spelling/ThesaurusDialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {
const QList<ThesaurusEntry> English = {
    { "lamp", { "(noun)|lantern|light source (generic term)", "(verb)|illuminate" } },
    { "lantern", { "(noun)|lamp|storm lantern" } },
    { "bright", { "(adj)|shining|vivid" } },
};

/// The thesaurus window of a look-up, for a script to drive.
ThesaurusDialog& ThesaurusWindow(QDialog& dialog)
{
    auto* window = qobject_cast<ThesaurusDialog*>(&dialog);
    EXPECT_TRUE(window);
    return *window;
}

QStringList Items(const QListWidget& list)
{
    QStringList items;
    for (int row = 0; row < list.count(); ++row)
        items << list.item(row)->text();
    return items;
}
} // namespace

class ThesaurusEditor : public EditorFixture {
protected:
    ThesaurusEditor()
    {
        // Only the data a test writes: the system's own must not decide what a test sees.
        Context.SystemThesaurusFolders = { System.Path() + "/" };
    }
    /// Opens the card's text with the caret at `caret` (an offset in the text).
    TfmEditor& OpenAt(const QByteArray& text, int caret)
    {
        Project.Write("Text Files/Lamp.txt", text);
        TfmEditor& editor = Open();
        QTextCursor cursor = editor.memEditor->textCursor();
        cursor.setPosition(caret);
        editor.memEditor->setTextCursor(cursor);
        return editor;
    }

    TempFolder System;
};

TEST_F(ThesaurusEditor, F8ReplacesTheWordWithTheChosenSynonymAsOneUndoableEdit)
{
    WriteThesaurus(App.Path("Thesaurus"), "th_en_US_v2", English);
    TfmEditor& editor = OpenAt("A Lamp burned.", 4);
    QStringList meanings;
    QStringList synonyms;
    Dialogs.ExpectModal([&](QDialog& dialog) {
        ThesaurusDialog& window = ThesaurusWindow(dialog);
        EXPECT_EQ(window.edtLookedUp->text(), "Lamp");
        meanings = Items(*window.lbMeanings);
        synonyms = Items(*window.lbSynonyms);
        EXPECT_EQ(window.edtReplaceWith->text(), "lantern") << "the first synonym is offered";
        // The second synonym, its note left behind.
        QTest::keyClick(window.lbSynonyms, Qt::Key_Down);
        EXPECT_EQ(window.edtReplaceWith->text(), "light source");
        QTest::mouseClick(window.btnReplace, Qt::LeftButton);
    });
    QTest::keyClick(editor.memEditor, Qt::Key_F8);
    EXPECT_EQ(Dialogs.LastText(), "Thesaurus");
    EXPECT_EQ(meanings, (QStringList { "(noun) lantern", "(verb) illuminate" }));
    EXPECT_EQ(synonyms, (QStringList { "lantern", "light source (generic term)" }));
    EXPECT_EQ(editor.memEditor->Text(), "A Light source burned.")
        << "the case of the word replaced";
    EXPECT_TRUE(editor.IsModified());
    EXPECT_TRUE(editor.windowTitle().endsWith(" *"));

    QTest::keyClick(editor.memEditor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.memEditor->Text(), "A Lamp burned.") << "one undo step takes it back";
}

TEST_F(ThesaurusEditor, LookUpFollowsASynonymAndCancelOrEscLeavesTheTextAlone)
{
    WriteThesaurus(App.Path("Thesaurus"), "th_en_US_v2", English);
    TfmEditor& editor = OpenAt("the lamp is lit", 6);
    Dialogs.ExpectModal([](QDialog& dialog) {
        ThesaurusDialog& window = ThesaurusWindow(dialog);
        QTest::mouseClick(window.btnLookUp, Qt::LeftButton);
        EXPECT_EQ(window.edtLookedUp->text(), "lantern");
        EXPECT_EQ(Items(*window.lbSynonyms), (QStringList { "lamp", "storm lantern" }));
        // A word typed into the looked-up field: Enter looks it up and replaces nothing.
        QTest::mouseClick(window.edtLookedUp, Qt::LeftButton);
        window.edtLookedUp->selectAll();
        QTest::keyClicks(window.edtLookedUp, "bright");
        QTest::keyClick(window.edtLookedUp, Qt::Key_Return);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(Items(*window.lbSynonyms), (QStringList { "shining", "vivid" }));
        QTest::keyClick(window.lbSynonyms, Qt::Key_Down);
        QTest::keyClick(window.lbSynonyms, Qt::Key_Escape);
    });
    QTest::keyClick(editor.memEditor, Qt::Key_F8);
    Dialogs.ExpectModal([](QDialog& dialog) {
        QTest::mouseClick(ThesaurusWindow(dialog).btnCancel, Qt::LeftButton);
    });
    QTest::keyClick(editor.memEditor, Qt::Key_F8);
    EXPECT_EQ(editor.memEditor->Text(), "the lamp is lit");
    EXPECT_FALSE(editor.IsModified());

    // A synonym followed and then chosen replaces the word that was looked up.
    Dialogs.ExpectModal([](QDialog& dialog) {
        ThesaurusDialog& window = ThesaurusWindow(dialog);
        QTest::mouseClick(window.btnLookUp, Qt::LeftButton);
        QListWidget& synonyms = *window.lbSynonyms;
        QTest::mouseClick(synonyms.viewport(), Qt::LeftButton, {},
            synonyms.visualItemRect(synonyms.item(1)).center());
        QTest::keyClick(&synonyms, Qt::Key_Return);
    });
    QTest::keyClick(editor.memEditor, Qt::Key_F8);
    EXPECT_EQ(editor.memEditor->Text(), "the storm lantern is lit");
}

TEST_F(ThesaurusEditor, TheSelectionIsLookedUpInTheLanguagesDataFromTheProgramsFolderFirst)
{
    WriteThesaurus(System.Path(), "th_en_US_v2", { { "bright", { "(adj)|from the system" } } });
    WriteThesaurus(System.Path(), "th_de_DE_v2", { { "hell", { "(Adjektiv)|licht" } } });
    WriteThesaurus(App.Path("Thesaurus"), "th_en_US_v2", English);
    TfmEditor& editor = OpenAt("a hell bright day", 0);
    const auto lookUp = [&](int from, int to) {
        QString offered;
        Dialogs.ExpectModal(
            [&](QDialog& dialog) { offered = ThesaurusWindow(dialog).edtReplaceWith->text(); });
        QTextCursor cursor = editor.memEditor->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        editor.memEditor->setTextCursor(cursor);
        QTest::keyClick(editor.memEditor, Qt::Key_F8);
        return offered;
    };
    EXPECT_EQ(lookUp(6, 14), "shining") << "the program's folder before the system's";
    editor.LanguageName = "german";
    EXPECT_EQ(lookUp(1, 7), "licht") << "German data wherever it is installed";
    editor.LanguageName = "french";
    EXPECT_EQ(lookUp(7, 13), "shining") << "English where the language has no data";
    EXPECT_EQ(editor.memEditor->Text(), "a hell bright day");
}

TEST_F(ThesaurusEditor, MissingDataAWordNotFoundAndNoWordAreSaid)
{
    TfmEditor& editor = OpenAt("bright and 42 dim", 1);
    QTest::keyClick(editor.memEditor, Qt::Key_F8);
    EXPECT_EQ(Dialogs.LastText(), Messages.Text(MessageKey::THESAURUS_NO_DATA));

    WriteThesaurus(App.Path("Thesaurus"), "th_en_US_v2", English);
    Dialogs.ExpectModal([](QDialog&) {});
    QTest::keyClick(editor.memEditor, Qt::Key_F8);
    EXPECT_EQ(Dialogs.LastText(), "Thesaurus") << "data installed meanwhile is found";

    editor.memEditor->moveCursor(QTextCursor::End);
    QTest::keyClick(editor.memEditor, Qt::Key_F8);
    EXPECT_EQ(Dialogs.LastText(), "'dim' is not in the thesaurus.");

    QTextCursor cursor = editor.memEditor->textCursor();
    cursor.setPosition(12);
    editor.memEditor->setTextCursor(cursor);
    QTest::keyClick(editor.memEditor, Qt::Key_F8);
    EXPECT_EQ(Dialogs.LastText(), Messages.Text(MessageKey::THESAURUS_NO_WORD));
    EXPECT_EQ(editor.memEditor->Text(), "bright and 42 dim");
}
