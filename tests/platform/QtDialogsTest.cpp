#include "platform/QtDialogs.h"

#include "TempFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(QtDialogs, MessagesShowNamesAsTheyAreSpeltWithTheReasonBeneath)
{
    QtDialogs dialogs(nullptr, "Nodex");
    const QString markup = "'<h1>Disk failure</h1>.nodex' file does not exist.";
    const auto box = dialogs.MakeBox(QMessageBox::Warning, markup, "Cannot open '<b>x</b>'",
                                     QMessageBox::Ok);
    EXPECT_EQ(box->windowTitle(), "Nodex");
    EXPECT_EQ(box->text(), markup);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    const auto* reason = box->findChild<QLabel*>("qt_msgbox_informativelabel");
    ASSERT_TRUE(reason);
    EXPECT_EQ(reason->text(), "Cannot open '<b>x</b>'");
    EXPECT_EQ(reason->textFormat(), Qt::PlainText);
}

TEST(QtDialogs, AFileNameTypedWithoutItsExtensionGetsItAndNothingIsAskedBeforeTheCallerAsks)
{
    TempFolder folder;
    folder.Write("Novel.nodex", "[Theme]\n");
    QtDialogs dialogs(nullptr, "Nodex");
    for (const auto mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
        const auto dialog = dialogs.MakeFileDialog(mode, "Project", folder.Path(), "Nodex Project (*.nodex)", "nodex");
        // A question of the dialog's own ("File not found", "Replace it?") would stay open over it.
        QTimer watchdog;
        watchdog.callOnTimeout([] {
            if (QWidget* box = QApplication::activeModalWidget(); box && qobject_cast<QMessageBox*>(box))
                static_cast<QMessageBox*>(box)->reject();
        });
        watchdog.start(50);
        dialog->show();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_TRUE(name);
        QTest::keyClicks(name, "Novel");
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << mode;
        EXPECT_EQ(dialog->selectedFiles(), QStringList{folder.Path("Novel.nodex")}) << mode;
    }
    const auto hinted = dialogs.MakeFileDialog(QFileDialog::AcceptSave, "Project", folder.Path(), {}, {}, "<b>A</b>");
    const auto* hint = hinted->findChild<QLabel*>("hint");
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->text(), "<b>A</b>");
    EXPECT_EQ(hint->textFormat(), Qt::PlainText);
}

TEST(QtDialogs, ThePrintDialogOffersAPdfFile)
{
    // Most desktops here have no printer set up: printing to a file is then the only way.
    QtDialogs dialogs(nullptr, "Nodex");
    QPrinter printer;
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QPrintDialog*>(window); dialog && dialog->isVisible()) {
                if (const auto* printers = dialog->findChild<QComboBox*>("printers"))
                    for (int i = 0; i < printers->count(); ++i)
                        offered << printers->itemText(i);
                dialog->reject();
            }
        }
    });
    EXPECT_FALSE(dialogs.AskPrinter(printer));
    EXPECT_TRUE(offered.contains("Print to File (PDF)")) << offered.join(", ").toStdString();
}

TEST(QtDialogs, AChoiceAnswersWithTheIndexOfTheButtonClicked)
{
    QtDialogs dialogs(nullptr, "Nodex");
    QString shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        shown = box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == "Take theirs")
                button->click();
    });
    EXPECT_EQ(dialogs.AskChoice("'<b>Lamp</b>' changed", {"Keep mine", "Take theirs", "Compare"}), 1);
    EXPECT_EQ(shown, "'<b>Lamp</b>' changed");

    // Esc chooses nothing, and no button but the caller's is shown.
    QStringList visible;
    QTimer::singleShot(0, [&visible] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        for (QAbstractButton* button : box->buttons())
            if (button->isVisible())
                visible << button->text();
        QTest::keyClick(box, Qt::Key_Escape);
        // A box that Esc left open is answered, so that the test fails instead of waiting.
        QTimer::singleShot(0, box, [box] { box->buttons().constFirst()->click(); });
    });
    EXPECT_EQ(dialogs.AskChoice("Conflict copies", {"Compare", "Not now"}), -1);
    EXPECT_EQ(visible, (QStringList{"Compare", "Not now"}));
}

TEST(QtDialogs, ABoxBelongsToTheWindowTheWriterIsIn)
{
    QWidget main;
    QtDialogs dialogs(nullptr, "Nodex");
    dialogs.SetParent(&main);
    QWidget editor;
    main.show();
    editor.show();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    EXPECT_EQ(dialogs.MakeBox(QMessageBox::Information, "Done", {}, QMessageBox::Ok)->parentWidget(),
              &editor)
        << "closing a box over the main window would bring it in front of the editor";

    // A dialog of the editor's that closed as it asked hands the box to the editor.
    QDialog check(&editor);
    check.show();
    check.activateWindow();
    // (A dialog counts as active as soon as its parent is: wait for it to take the keys.)
    ASSERT_TRUE(QTest::qWaitFor([&check] { return QApplication::activeWindow() == &check; }));
    EXPECT_EQ(dialogs.MakeBox(QMessageBox::Warning, "Cannot add", {}, QMessageBox::Ok)->parentWidget(),
              &check);
    check.hide();
    EXPECT_EQ(dialogs.MakeBox(QMessageBox::Information, "Done", {}, QMessageBox::Ok)->parentWidget(),
              &editor);

    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    EXPECT_EQ(dialogs.MakeBox(QMessageBox::Information, "Done", {}, QMessageBox::Ok)->parentWidget(),
              &main);
}
