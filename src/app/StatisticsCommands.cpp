#include "app/StatisticsCommands.h"

#include "app/Main.h"
#include "app/MainMenus.h"
#include "statistics/Statistics.h"

#include <QAction>

StatisticsCommands::StatisticsCommands(TfmMain& window)
    : QObject(&window)
    , FWindow(window)
{
    connect(window.Menus().mnuStatistics, &QAction::triggered, this,
        &StatisticsCommands::mnuStatisticsClick);
}

void StatisticsCommands::mnuStatisticsClick()
{
    if (!fmStatistics)
        fmStatistics = new TfmStatistics(
            WritingStatisticsSource(FWindow), FWindow.Dialog(), FWindow.Messages(), &FWindow);
    fmStatistics->show();
    fmStatistics->raise();
    fmStatistics->activateWindow();
}

StatisticsSource WritingStatisticsSource(TfmMain& window)
{
    const ProjectState& project = window.Project();
    return {
        // The writing session that owns the tracker joins the main window apart from this
        // window: until it does, there are no days to show.
        [] { return static_cast<const WritingTracker*>(nullptr); },
        [&project] {
            return WritingGoals { project.DailyTarget, project.SessionTarget,
                project.TargetWordCount, project.Deadline };
        },
        [&project] { return project.ProjectFolder; },
    };
}
