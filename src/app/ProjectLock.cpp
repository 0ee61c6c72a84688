#include "app/ProjectLock.h"

#include "platform/AtomicWrite.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QLoggingCategory>

#include <cerrno>
#include <csignal>

Q_LOGGING_CATEGORY(lcLock, "nodex.lock")

namespace {
bool ProcessIsGone(qint64 process)
{
    return process <= 0 || (::kill(pid_t(process), 0) != 0 && errno == ESRCH);
}
} // namespace

ProjectLock::~ProjectLock() { Release(); }

QString ProjectLock::LockPathFor(const QString& projectPath)
{
    const QFileInfo project(projectPath);
    return project.absolutePath() + "/.~lock." + project.fileName();
}

std::optional<LockOwner> ProjectLock::OtherOwner(const QString& projectPath)
{
    IniFile lock(LockPathFor(projectPath));
    QString error;
    if (!QFileInfo::exists(lock.Path()) || !lock.Load(error))
        return std::nullopt;
    const LockOwner owner{lock.ReadString("Lock", "Host", QString()),
                          qint64(lock.ReadInteger("Lock", "Process", 0))};
    if (owner.Host != QSysInfo::machineHostName())
        return owner;
    if (owner.Process == QCoreApplication::applicationPid() || ProcessIsGone(owner.Process))
        return std::nullopt;
    return owner;
}

void ProjectLock::Take(const QString& projectPath)
{
    const QString lockPath = LockPathFor(projectPath);
    if (lockPath == FLockPath)
        return;
    Release();
    const QByteArray text = "[Lock]\nHost=" + QSysInfo::machineHostName().toUtf8() + "\nProcess="
        + QByteArray::number(QCoreApplication::applicationPid()) + "\n";
    QString error;
    if (WriteFileAtomically(lockPath, text, error, QFileInfo(lockPath).absolutePath() + "/"))
        FLockPath = lockPath;
    else
        qCInfo(lcLock).noquote() << "The project opens without a lock:" << error;
}

void ProjectLock::Release()
{
    if (FLockPath.isEmpty())
        return;
    QFile::remove(FLockPath);
    FLockPath.clear();
}

QString ProjectLock::Question(const QString& projectFileName, const LockOwner& owner)
{
    const QString where = owner.Host == QSysInfo::machineHostName()
        ? QStringLiteral("by another copy of Nodex on this computer (process %1)").arg(owner.Process)
        : QStringLiteral("by Nodex on the computer '%1' (process %2), which may share this folder "
                         "through a sync tool")
              .arg(owner.Host.isEmpty() ? QStringLiteral("unknown") : owner.Host)
              .arg(owner.Process);
    return QStringLiteral("'%1' is locked %2: its lock file '%3' says it is open there. Saving "
                          "from two places overwrites one with the other. Open it anyway?")
        .arg(projectFileName, where, QFileInfo(LockPathFor(projectFileName)).fileName());
}
