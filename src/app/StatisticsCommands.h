#pragma once

#include <QObject>

struct StatisticsSource;
class TfmMain;
class TfmStatistics;

/// Tools > Statistics (Ctrl+F9): the statistics window over the open project's writing, made
/// when first asked for and kept, hidden, when closed.
class StatisticsCommands : public QObject {
    Q_OBJECT
public:
    explicit StatisticsCommands(TfmMain& window);

    /// Shows the statistics window, in front.
    void mnuStatisticsClick();

private:
    TfmMain& FWindow;
    TfmStatistics* fmStatistics = nullptr;
};

/// What the statistics window shows of the main window's writing session: its tracker and the
/// open project's goals.
StatisticsSource WritingStatisticsSource(TfmMain& window);
