#include "platform/QtDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
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
