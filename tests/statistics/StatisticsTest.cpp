#include "statistics/Statistics.h"

#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "goals/WritingTracker.h"
#include "messages/MessageTable.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QDate Today(2026, 12, 7);

/// A tracker whose clock stands at noon today, that has read the history file written from
/// `days`.
struct TrackedHistory {
    TempFolder Folder;
    WritingTracker Tracker { [] { return QDateTime(Today, QTime(12, 0)); }, 50000 };

    explicit TrackedHistory(const std::vector<WritingDay>& days, const QByteArray& damaged = {})
    {
        WritingHistory history;
        history.Parse(damaged);
        for (const WritingDay& day : days)
            history.Merge(day);
        QString error;
        EXPECT_TRUE(history.Write(Folder.Path(WritingHistory::FileName), error))
            << error.toStdString();
        EXPECT_TRUE(Tracker.Read(Folder.Path(WritingHistory::FileName), error))
            << error.toStdString();
    }
    StatisticsSource Source(WritingGoals goals) const
    {
        return { [this] { return &Tracker; }, [goals] { return goals; },
            [this] { return Folder.Path() + "/"; } };
    }
};

/// The rows of one column of the picture that hold the colour, top first.
std::vector<int> RowsOfColour(const QImage& image, int x, const QRect& area, QRgb colour)
{
    std::vector<int> rows;
    for (int y = area.top(); y <= area.bottom(); ++y)
        if (image.pixel(x, y) == colour)
            rows.push_back(y);
    return rows;
}
} // namespace

TEST(Statistics, TheChartDrawsEveryDayOfTheYearWithTheDailyTargetAcrossIt)
{
    // A year of days, each ten words more than the day before: the oldest 10, today 3650.
    std::vector<WritingDay> days;
    for (int day = 0; day < 365; ++day)
        days.push_back({ Today.addDays(day - 364), 1000, 10 * (day + 1) + 5, 5, 30 });
    TrackedHistory fixture(days);
    MessageTable messages;
    ScriptedDialogs dialogs;
    TfmStatistics window(fixture.Source({ 2000, 0, 0, {} }), dialogs, messages);
    window.cmbDays->setCurrentIndex(window.cmbDays->findData(365));
    window.resize(900, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(window.windowTitle(), "Nodex Statistics");
    EXPECT_EQ(window.pbToday->value(), 2000) << "today's net words, up to the target";
    EXPECT_EQ(window.pbToday->maximum(), 2000);
    EXPECT_FALSE(window.pbSession->isEnabled()) << "no session target";

    const QImage image = window.chvDays->grab().toImage();
    const QRect plot = window.chvDays->mapFromScene(window.chvDays->chart()->plotArea())
                           .boundingRect()
                           .intersected(image.rect());
    const QRgb bar = QColor(0x3b, 0x6e, 0xa8).rgb();
    const QRgb target = QColor(0xd2, 0x5a, 0x1e).rgb();
    int first = -1;
    int last = -1;
    for (int x = plot.left(); x <= plot.right(); ++x) {
        if (!RowsOfColour(image, x, plot, bar).empty()) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    ASSERT_GE(first, 0) << "no bar drawn";
    // The days run from the oldest at the left to today at the right, across the whole plot.
    EXPECT_LT(first - plot.left(), plot.width() / 50);
    EXPECT_LT(plot.right() - last, plot.width() / 50);
    const std::vector<int> oldest = RowsOfColour(image, first, plot, bar);
    const std::vector<int> newest = RowsOfColour(image, last, plot, bar);
    EXPECT_LT(newest.front(), oldest.front()) << "today's bar is the tallest";
    EXPECT_EQ(oldest.back(), newest.back()) << "every bar stands on the same ground";

    // The target line crosses the plot between the short bars of the oldest days and today's.
    int line = -1;
    for (int y = plot.top(); y <= plot.bottom() && line < 0; ++y) {
        int across = 0;
        for (int x = plot.left(); x <= plot.right(); ++x)
            across += image.pixel(x, y) == target;
        if (across > plot.width() / 2)
            line = y;
    }
    ASSERT_GE(line, 0) << "no target line drawn";
    EXPECT_LT(newest.front(), line);
    EXPECT_GT(oldest.front(), line);
    // 2000 of 3650 words: the line stands above the middle of today's bar.
    const int ground = newest.back();
    EXPECT_NEAR(double(ground - line) / (ground - newest.front()), 2000.0 / 3650.0, 0.05);
}

TEST(Statistics, TheExportedHistoryReadsBackDayByDayAndReplacesAFileOnlyWhenAsked)
{
    const std::vector<WritingDay> days = {
        { QDate(2026, 11, 30), 900, 1200, 300, 95 },
        { QDate(2026, 12, 6), 1800, 40, 250, 12 },
        { Today, 1590, 0, 0, 0 },
    };
    // A damaged line of the history file is no day of the export.
    TrackedHistory fixture(days, "2026-12-01\tmany\n");
    MessageTable messages;
    ScriptedDialogs dialogs;
    TfmStatistics window(fixture.Source({}), dialogs, messages);
    const QString path = fixture.Folder.Path("days.csv");
    dialogs.ExpectSaveFileName(path);
    QTest::mouseClick(window.btnExport, Qt::LeftButton);

    QList<QByteArray> lines = fixture.Folder.Read("days.csv").split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines.takeLast(), "");
    EXPECT_EQ(lines.takeFirst(), "Date,Start Words,Words Added,Words Removed,Net Words,Minutes\r");
    std::vector<WritingDay> read;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.chopped(1).split(',');
        ASSERT_EQ(fields.size(), 6) << line.toStdString();
        read.push_back({ QDate::fromString(QString::fromLatin1(fields[0]), Qt::ISODate),
            fields[1].toLongLong(), fields[2].toLongLong(), fields[3].toLongLong(),
            fields[5].toLongLong() });
        EXPECT_EQ(fields[4].toLongLong(), read.back().Net());
    }
    EXPECT_EQ(read, days);

    fixture.Folder.Write("days.csv", "a sheet of the writer's own");
    dialogs.ExpectSaveFileName(path);
    dialogs.ExpectOkCancel(false);
    QTest::mouseClick(window.btnExport, Qt::LeftButton);
    EXPECT_EQ(fixture.Folder.Read("days.csv"), "a sheet of the writer's own");
}
