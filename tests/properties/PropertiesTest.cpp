#include "properties/Properties.h"
#include "RealKeys.h"

#include "ScriptedDialogs.h"
#include "messages/MessageTable.h"
#include "platform/AsciiCase.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
/// The properties dialog run as the card commands run it, in a project whose other cards are
/// A, C and D.
class PropertiesTest : public testing::Test {
protected:
    PropertiesTest()
    {
        Dialog.NameTaken = [](const QString& name) {
            return SameIgnoringAsciiCase(name, u"A") || SameIgnoringAsciiCase(name, u"C")
                || SameIgnoringAsciiCase(name, u"D");
        };
    }

    /// Runs the dialog for a new card, or for the card `oldName`, with the script given.
    bool Run(const QString& oldName, ScriptedDialogs::DialogScript script)
    {
        Dialog.Fill({ oldName.isEmpty(), oldName, {}, 1, { "Chapter", "Scene", "Character" } });
        Dialogs.ExpectModal(std::move(script));
        return Dialogs.RunModal(Dialog);
    }
    void TypeNameAndPressOk(const QString& typed)
    {
        Dialog.edtName->selectAll();
        QTest::keyClick(Dialog.edtName, Qt::Key_Backspace);
        QTest::keyClicks(Dialog.edtName, typed);
        QTest::mouseClick(Dialog.btnOk, Qt::LeftButton);
    }

    ScriptedDialogs Dialogs;
    MessageTable Messages;
    TfmProperties Dialog { Dialogs, Messages };
};
} // namespace

TEST_F(PropertiesTest, TheNameFieldTakesTheKeysAWriterPresses)
{
    // Esc cancels; Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V, Ctrl+Z and Delete edit; Tab leaves; Enter is OK.
    EXPECT_FALSE(Run({}, [&](QDialog&) { PressKey(Dialog.edtName, Qt::Key_Escape, {}, "\x1b"); }));

    EXPECT_TRUE(Run({}, [&](QDialog&) {
        QLineEdit* name = Dialog.edtName;
        ASSERT_TRUE(name->hasFocus());
        QTest::keyClicks(name, "Ten");
        PressKey(name, Qt::Key_A, Qt::ControlModifier, "\x01");
        PressKey(name, Qt::Key_C, Qt::ControlModifier, "\x03");
        PressKey(name, Qt::Key_End, {}, {});
        PressKey(name, Qt::Key_V, Qt::ControlModifier, "\x16");
        EXPECT_EQ(name->text(), "TenTen");
        PressKey(name, Qt::Key_Z, Qt::ControlModifier, "\x1a");
        PressKey(name, Qt::Key_A, Qt::ControlModifier, "\x01");
        PressKey(name, Qt::Key_X, Qt::ControlModifier, "\x18");
        EXPECT_EQ(name->text(), "");
        PressKey(name, Qt::Key_V, Qt::ControlModifier, "\x16");
        EXPECT_EQ(name->text(), "Ten");
        // X11 sends Delete with the control character DEL as its text.
        PressKey(name, Qt::Key_Home, {}, {});
        PressKey(name, Qt::Key_Delete, {}, "\x7f");
        EXPECT_EQ(name->text(), "en");
        PressKey(name, Qt::Key_Tab, {}, "\t");
        EXPECT_TRUE(Dialog.cmbNodexType->hasFocus());
        name->setFocus();
        PressKey(name, Qt::Key_Return, {}, "\r");
    }));
    EXPECT_EQ(Dialog.Name(), "en");

    // The field holds the longest name the loader takes, and drops what a file name cannot hold.
    const QString longest(40, 'x');
    EXPECT_TRUE(Run({}, [&](QDialog&) {
        QTest::keyClicks(Dialog.edtName, "x:x*x?" + QString(37, 'x') + "yyy");
        PressKey(Dialog.edtName, Qt::Key_Enter, Qt::KeypadModifier, "\r");
    }));
    EXPECT_EQ(Dialog.Name(), longest);
}

TEST_F(PropertiesTest, NamesThatCannotBeFileNamesOrAreTakenAreRefused)
{
    QStringList renamedTo;
    Dialog.RenameFiles = [&](const QString& name, QString&) {
        renamedTo << name;
        return true;
    };
    EXPECT_TRUE(Run("B", [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Nodex Properties");
        // Pasted text is not filtered as typed text is: OK refuses it.
        QApplication::clipboard()->setText("left/right");
        Dialog.edtName->selectAll();
        QTest::keyClick(Dialog.edtName, Qt::Key_V, Qt::ControlModifier);
        QTest::mouseClick(Dialog.btnOk, Qt::LeftButton);
        for (const char* name : { "cOMPILATION", "", "Unnamed", "a" })
            TypeNameAndPressOk(name);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(renamedTo.isEmpty());
        // Its own name in other capitals is no clash: the files take the new capitals.
        TypeNameAndPressOk("b");
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(Dialogs.Texts().mid(1).join('|').toStdString(),
        (QStringList { "A nodex name cannot hold the character '/'.",
             "The Compilation nodex cannot be user created.",
             "Please enter a unique name for the nodex.",
             "Please enter a unique name for the nodex.",
             "A nodex with that name already exists." })
            .join('|')
            .toStdString());
    EXPECT_EQ(renamedTo, QStringList { "b" });
    EXPECT_EQ(Dialog.Name(), "b");
}
