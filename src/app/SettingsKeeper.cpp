#include "app/SettingsKeeper.h"

#include "canvas/Theme.h"
#include "platform/AtomicWrite.h"
#include "platform/IniFile.h"
#include "platform/WindowPlacement.h"
#include "project/ProjectPaths.h"
#include "project/ProjectState.h"
#include "settings/AppSettings.h"
#include "settings/MRUFiles.h"
#include "settings/SettingsFile.h"

#include <QFontDatabase>
#include <QLoggingCategory>
#include <QMainWindow>

Q_LOGGING_CATEGORY(lcSettings, "nodex.main")

SettingsKeeper::SettingsKeeper(QMainWindow& window, AppSettings& settings, TMRUFiles& recentFiles, Theme& theme,
                               const ProjectState& project)
    : FWindow(window)
    , FSettings(settings)
    , FRecentFiles(recentFiles)
    , FTheme(theme)
    , FProject(project)
{
}

void SettingsKeeper::LoadSettings()
{
    RemoveWriteLeftovers(FProject.Folders.Settings);
    IniFile file(FProject.Folders.SettingsFile());
    QString error;
    if (!file.Load(error, IniFile::MaxSettingsBytes))
        qCInfo(lcSettings).noquote() << "The settings keep their defaults:" << error;
    FRecentFiles.LoadFromIni(file, RecentFilesSection);
    const bool georgia = QFontDatabase::families().contains(QStringLiteral("Georgia"), Qt::CaseInsensitive);
    FSettings = ReadSettings(file, georgia ? QStringLiteral("Georgia") : QStringLiteral("Arial"), FTheme.DefaultTheme);
    ApplyPlacement(FSettings.Window);
}

void SettingsKeeper::SaveSettings()
{
    FSettings.Window = CurrentPlacement();
    IniFile file(FProject.Folders.SettingsFile());
    QString error;
    const bool written = file.Load(error, IniFile::MaxSettingsBytes)
        && (FRecentFiles.SaveToIni(file, RecentFilesSection), WriteSettings(file, FSettings, FTheme.DefaultTheme,
                          !FSettings.Window.Maximised && FProject.ProjectFileName == ProjectState::Unnamed),
            file.Save(error));
    // The program's folder may be read-only for the writer: the settings are then kept for this
    // session only, and closing should not stop to say so each time.
    if (!written)
        qCWarning(lcSettings).noquote() << "The settings could not be written:" << error;
}

WindowPlacement SettingsKeeper::CurrentPlacement() const
{
    return {FWindow.isMaximized(), true, FWindow.x(), FWindow.y(), FWindow.width(), FWindow.height()};
}

void SettingsKeeper::ApplyPlacement(const WindowPlacement& placement)
{
    PlaceWindow(FWindow, placement);
    FWindow.setWindowState(placement.Maximised ? Qt::WindowMaximized : Qt::WindowNoState);
}
