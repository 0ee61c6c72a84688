#pragma once

#include "goals/WritingGoals.h"

#include <QWidget>
#include <functional>
#include <vector>

class Dialogs;
class MessageTable;
class QBarSet;
class QBarSeries;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QTimer;
class WritingTracker;

/// Where the statistics window takes what it shows, asked again at each refresh: the open
/// project's writing tracker (none while no project is open) and its goals.
struct StatisticsSource {
    std::function<const WritingTracker*()> Tracker;
    std::function<WritingGoals()> Goals;
    std::function<QString()> Folder; ///< where the export's file dialog opens, ending with "/"
};

/// The statistics window: today's and the session's words against their targets, the project's
/// against its target, the words a day the deadline needs, the streak of days on target, and a
/// chart of the words of the last 30, 90 or 365 days with the daily target drawn across it. It
/// follows the writing while it is open, and exports the history for a spreadsheet.
class TfmStatistics : public QWidget {
    Q_OBJECT
public:
    TfmStatistics(StatisticsSource source, Dialogs& dialogs, const MessageTable& messages,
        QWidget* parent = nullptr);

    /// Takes the figures anew from the source; the chart is drawn again only when its days changed.
    void Refresh();

    QLabel* lblToday;
    QProgressBar* pbToday;
    QLabel* lblSession;
    QProgressBar* pbSession;
    QLabel* lblProject;
    QProgressBar* pbProject;
    QLabel* lblPace;
    QLabel* lblStreak;
    QComboBox* cmbDays; ///< the days the chart shows, as its item data
    QChartView* chvDays;
    QPushButton* btnExport;
    QPushButton* btnClose;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    /// Esc closes the window, as it closes the program's dialogs.
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// The texts from the message table, which may have changed language since the last show.
    void ApplyCaptions();
    /// A bar of words against a target; without a target, the words alone on an empty bar.
    void ShowProgress(QProgressBar* bar, qint64 words, qint64 target) const;
    /// Draws the chart for the days given, oldest first, ending today.
    void DrawChart(const std::vector<qint64>& words, QDate today, qint64 dailyTarget);
    /// Asks for a file and writes the history to it as comma-separated values.
    void ExportCsv();

    StatisticsSource FSource;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
    QTimer* FRefresh;
    QChart* FChart;
    std::vector<qint64> FChartWords; ///< what the chart draws now
    QDate FChartToday;
    qint64 FChartTarget = -1;
};
