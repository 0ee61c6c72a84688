#include "platform/QtDialogs.h"

#include <QLabel>

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
