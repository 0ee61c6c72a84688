#include "platform/ConfinedFolder.h"

#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

namespace {
/// The path with every link resolved; empty when it leads nowhere (errno says why).
QByteArray Resolved(const QByteArray& native)
{
    char resolved[PATH_MAX];
    if (!::realpath(native.constData(), resolved))
        return {};
    return QByteArray(resolved);
}

QByteArray WithSlash(QByteArray path)
{
    return path.endsWith('/') ? path : path + '/';
}
} // namespace

ConfinedFolder::ConfinedFolder(const QString& root)
{
    const QByteArray resolved = Resolved(NativePath(root));
    if (!resolved.isEmpty())
        FRealRoot = WithSlash(resolved);
}

bool ConfinedFolder::Below(const QByteArray& resolved) const
{
    return !FRealRoot.isEmpty() && WithSlash(resolved).startsWith(FRealRoot);
}

ConfinedFolder::Entry ConfinedFolder::Check(const QString& path) const
{
    const QByteArray native = NativePath(path);
    struct stat status { };
    if (::lstat(native.constData(), &status) != 0)
        return Entry::Missing;
    // A folder on the way may itself be a link: the whole path is resolved.
    const QByteArray resolved = Resolved(native);
    if (resolved.isEmpty())
        return Entry::Missing;
    if (!Below(resolved))
        return Entry::LeadsOut;
    if (::stat(resolved.constData(), &status) != 0)
        return Entry::Missing;
    return S_ISREG(status.st_mode) ? Entry::Inside : Entry::NotAFile;
}

bool ConfinedFolder::HoldsFolder(const QString& folder) const
{
    const QByteArray resolved = Resolved(NativePath(folder));
    struct stat status { };
    return !resolved.isEmpty() && Below(resolved) && ::stat(resolved.constData(), &status) == 0
        && S_ISDIR(status.st_mode);
}

bool ConfinedFolder::Files(
    const QString& folder, QStringList& names, QString& error, QStringList* leadingOut) const
{
    names.clear();
    if (leadingOut)
        leadingOut->clear();
    const QByteArray native = WithSlash(NativePath(folder));
    const QByteArray resolved = Resolved(native);
    // A file where the folder should be holds no files either.
    if (resolved.isEmpty() && (errno == ENOENT || errno == ENOTDIR))
        return true;
    if (!resolved.isEmpty() && !Below(resolved))
        return true;
    DIR* dir = ::opendir(native.constData());
    if (!dir) {
        error = ReasonText(Reason::CANNOT_READ_FOLDER)
                    .arg(ReadableName(folder), SystemReason(errno));
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        // Most entries are plain files, known as such without a look at each; only links and
        // entries the file system leaves open are resolved.
        if (entry->d_type == DT_REG)
            names << PathFromNative(name);
        else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            const Entry found = Check(PathFromNative(native + name));
            if (found == Entry::Inside)
                names << PathFromNative(name);
            else if (found == Entry::LeadsOut && leadingOut)
                *leadingOut << PathFromNative(name);
        }
    }
    ::closedir(dir);
    return true;
}
