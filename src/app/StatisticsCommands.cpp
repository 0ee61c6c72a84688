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
    return {
        [&window] { return &window.Writing().Tracker(); },
        [&window] { return window.Writing().Goals(); },
        [&window] { return window.Project().ProjectFolder; },
    };
}
