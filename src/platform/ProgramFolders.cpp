#include "platform/ProgramFolders.h"

#include <QDir>

namespace {
/// The program's folder under an XDG base folder: the variable's value when it is an absolute
/// path (the XDG rules ignore a relative one), else its default under the home folder.
QString XdgFolder(const char* variable, const QString& defaultUnderHome)
{
    const QString base = qEnvironmentVariable(variable);
    return (QDir::isAbsolutePath(base) ? base : QDir::homePath() + "/" + defaultUnderHome)
        + "/nodex/";
}
} // namespace

void ProgramFolders::Prepare(const QString& folder) const
{
    if (Installed)
        QDir().mkpath(folder);
}

ProgramFolders ProgramFolders::Portable(const QString& programFolder)
{
    ProgramFolders folders;
    folders.Data = programFolder;
    folders.Settings = programFolder;
    folders.Spelling = programFolder + "Spelling/";
    folders.Backups = programFolder + "Backups/";
    folders.Recovery = programFolder + "Recovery/";
    folders.Views = programFolder + "Views/";
    return folders;
}

ProgramFolders ProgramFolders::Packaged(const QString& programFolder)
{
    ProgramFolders folders;
    folders.Data = QDir::cleanPath(programFolder + "../share/nodex") + "/";
    folders.Settings = XdgFolder("XDG_CONFIG_HOME", ".config");
    folders.Spelling = XdgFolder("XDG_DATA_HOME", ".local/share") + "Spelling/";
    const QString state = XdgFolder("XDG_STATE_HOME", ".local/state");
    folders.Backups = state + "Backups/";
    folders.Recovery = state + "Recovery/";
    folders.Views = state + "Views/";
    folders.Installed = true;
    return folders;
}
