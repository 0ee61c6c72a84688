#include "backup/RollingBackups.h"

#include "settings/AppSettings.h"
#include "backup/AutomaticBackup.h"
#include "backup/ProjectBackup.h"
#include "platform/NativeName.h"
#include "platform/WaitCursor.h"
#include "project/ProjectState.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcBackup, "nodex.backup")

namespace {
constexpr int SecondsBetweenBackups = 60 * 60;
constexpr int TickMilliseconds = 60 * 1000;
} // namespace

RollingBackups::RollingBackups(const ProjectState& project, const AppSettings& settings, QObject* parent)
    : QObject(parent)
    , FProject(project)
    , FSettings(settings)
{
    Timer.setInterval(TickMilliseconds);
    Timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&Timer, &QTimer::timeout, this, &RollingBackups::Tick);
    Timer.start();
}

void RollingBackups::ProjectLeaving()
{
    if (!FProject.IsUnnamed())
        BackUp();
    FProjectPath.clear();
}

void RollingBackups::Tick()
{
    const QString path = FProject.IsUnnamed() ? QString() : FProject.ProjectFolder + FProject.ProjectFileName;
    const QDateTime now = Now();
    // A clock set back would otherwise hold the next backup off for as long.
    if (path != FProjectPath || now < FSince) {
        FProjectPath = path;
        FSince = now;
        return;
    }
    if (path.isEmpty() || FSince.secsTo(now) < SecondsBetweenBackups)
        return;
    BackUp();
    FSince = now;
}

void RollingBackups::BackUp()
{
    if (FSettings.AutomaticBackups <= 0)
        return;
    const WaitCursor wait;
    FProject.Folders.Prepare(FProject.Folders.Backups);
    const AutomaticBackupOutcome outcome = MakeAutomaticBackup(FProject.Folders.Backups,
        FProject.ProjectFolder, FProject.ProjectFileName, Now(), FSettings.AutomaticBackups);
    switch (outcome.Outcome) {
    case AutomaticBackupOutcome::Result::Made:
        qCInfo(lcBackup).noquote() << "Backed up to" << ReadableName(outcome.Path);
        if (!outcome.LeftOut.isEmpty())
            qCWarning(lcBackup).noquote() << LeftOutReason(outcome.LeftOut);
        if (!outcome.Reason.isEmpty())
            qCWarning(lcBackup).noquote() << "An old backup stays:" << outcome.Reason;
        break;
    case AutomaticBackupOutcome::Result::Unchanged:
        break;
    case AutomaticBackupOutcome::Result::Failed:
        qCWarning(lcBackup).noquote() << "The automatic backup failed:" << outcome.Reason;
        emit Failed(outcome.Reason);
        break;
    }
}
