#include "settings/About.h"

#include "messages/MessageTable.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

TEST(About, OpensAboveTheMiddleOfTheScreenWithVersionNoticeAndTimer)
{
    MessageTable messages;
    TfmAbout box(messages);
    box.lblDate->setText("stale");
    box.show();

    EXPECT_EQ(box.size(), QSize(280, 160));
    EXPECT_TRUE(box.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(box.imgAbout->pixmap().isNull());
    EXPECT_EQ(box.lblDate->text(), "6.09.26 ") << "set each time the box opens";
    EXPECT_EQ(box.lblCopyright->text(), messages.Text(MessageKey::ABOUT_NOTICE));
    const QRect screen = box.screen()->geometry();
    EXPECT_EQ(box.pos(),
        QPoint(screen.left() + screen.width() / 2 - 140,
            screen.top() + screen.height() / 2 - 80 - 30));
    EXPECT_TRUE(box.tmrAbout->isActive());
    EXPECT_EQ(box.tmrAbout->interval(), 7000);
}

TEST(About, ClosesOnItsTimerAClickOrEscAndStopsTheTimer)
{
    MessageTable messages;
    TfmAbout box(messages);
    const std::pair<const char*, std::function<void()>> closers[] = {
        { "timer",
            [&] {
                // The timer's own tick, without waiting seven seconds for it.
                QTimerEvent tick(box.tmrAbout->timerId());
                QCoreApplication::sendEvent(box.tmrAbout, &tick);
            } },
        { "picture", [&] { QTest::mouseClick(box.imgAbout, Qt::LeftButton, {}, QPoint(20, 20)); } },
        { "version", [&] { QTest::mouseClick(box.lblDate, Qt::LeftButton); } },
        { "notice", [&] { QTest::mouseClick(box.lblCopyright, Qt::LeftButton); } },
        { "Esc", [&] { QTest::keyClick(&box, Qt::Key_Escape); } },
    };
    for (const auto& [name, close] : closers) {
        box.show();
        QApplication::setActiveWindow(&box);
        ASSERT_TRUE(box.tmrAbout->isActive()) << name;
        close();
        EXPECT_FALSE(box.isVisible()) << name;
        EXPECT_FALSE(box.tmrAbout->isActive()) << name;
    }
}

TEST(About, TheGermanNoticeFitsInsideTheBox)
{
    IniFile german(NODEX_DATA_FOLDER "/Languages/German.ini");
    QString error;
    ASSERT_TRUE(german.Load(error)) << error.toStdString();
    MessageTable messages;
    messages.Replace(MessageKey::ABOUT_NOTICE, german.ReadString("Nodex.Messages", "ABOUT_NOTICE", {}));
    TfmAbout box(messages);
    box.show();
    const QLabel& notice = *box.lblCopyright;
    ASSERT_NE(notice.text(), messages.BuiltInText(MessageKey::ABOUT_NOTICE));
    const QRect room = notice.contentsRect();
    const QRect needed = QFontMetrics(notice.font()).boundingRect(
        room, int(notice.alignment()) | (notice.wordWrap() ? Qt::TextWordWrap : 0), notice.text());
    EXPECT_TRUE(room.contains(needed)) << "needs " << needed.width() << "x" << needed.height()
                                       << ", has " << room.width() << "x" << room.height();
    EXPECT_TRUE(box.rect().contains(notice.geometry()));
}
