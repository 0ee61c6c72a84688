#include "project/ProjectLock.h"

#include "platform/AtomicWrite.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "platform/Processes.h"
#include "platform/TextFile.h"
#include "messages/MessageTable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSysInfo>

Q_LOGGING_CATEGORY(lcLock, "nodex.lock")

namespace {
// A lock names a host and a process: anything larger is not a lock of ours.
constexpr qint64 LargestLock = 4096;

LockOwner ThisProcess() { return {QSysInfo::machineHostName(), QCoreApplication::applicationPid()}; }

/// The owner a lock file names; none when there is no lock, someone unknown when it cannot be
/// read.
std::optional<LockOwner> ReadOwner(const QString& lockPath)
{
    if (KindOf(lockPath) == FileKind::Missing)
        return std::nullopt;
    QByteArray bytes;
    QString error;
    if (!ReadFileBytes(lockPath, bytes, error, LargestLock))
        return LockOwner{};
    IniFile lock;
    lock.LoadFromBytes(bytes);
    return LockOwner{lock.ReadString("Lock", "Host", QString()), qint64(lock.ReadInteger("Lock", "Process", 0))};
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
    const std::optional<LockOwner> owner = ReadOwner(LockPathFor(projectPath));
    if (!owner || owner->Host != QSysInfo::machineHostName())
        return owner;
    if (owner->Process == QCoreApplication::applicationPid() || ProcessIsGone(owner->Process))
        return std::nullopt;
    return owner;
}

void ProjectLock::Take(const QString& projectPath)
{
    const QString lockPath = LockPathFor(projectPath);
    if (lockPath == FLockPath)
        return;
    Release();
    const LockOwner self = ThisProcess();
    const QByteArray text = "[Lock]\nHost=" + self.Host.toUtf8() + "\nProcess=" + QByteArray::number(self.Process) + "\n";
    QString error;
    if (WriteFileAtomically(lockPath, text, error))
        FLockPath = lockPath;
    else
        qCInfo(lcLock).noquote() << "The project opens without a lock:" << error;
}

void ProjectLock::Release()
{
    if (FLockPath.isEmpty())
        return;
    const std::optional<LockOwner> owner = ReadOwner(FLockPath);
    const LockOwner self = ThisProcess();
    QString error;
    if (owner && owner->Host == self.Host && owner->Process == self.Process && !RemoveFile(FLockPath, error))
        qCInfo(lcLock).noquote() << "The lock stays:" << error;
    FLockPath.clear();
}

void ProjectLock::FolderMoved(const QString& folder)
{
    if (!FLockPath.isEmpty())
        FLockPath = folder + QFileInfo(FLockPath).fileName();
}

QString ProjectLock::Question(const MessageTable& messages, const QString& projectFileName, const LockOwner& owner)
{
    // Each text is filled in one step, so that a host named "%1" stays as it is spelt.
    const QString process = QString::number(owner.Process);
    const QString where = owner.Host == QSysInfo::machineHostName()
        ? messages.Text(MessageKey::LOCKED_HERE).arg(process)
        : messages.Text(MessageKey::LOCKED_ELSEWHERE).arg(owner.Host.isEmpty() ? QStringLiteral("?") : owner.Host, process);
    return messages.Text(MessageKey::LOCK_QUESTION)
        .arg(projectFileName, where, QFileInfo(LockPathFor(projectFileName)).fileName());
}
