#include "app/FileTypes.h"

#include "platform/AtomicWrite.h"
#include "platform/Shell.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <algorithm>

Q_LOGGING_CATEGORY(lcFileTypes, "nodex.filetypes")

namespace {
const QString MimeInfo = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-nodex-project\">\n"
    "    <comment>Nodex Project</comment>\n"
    "    <glob pattern=\"*.nodex\"/>\n"
    "  </mime-type>\n"
    "  <mime-type type=\"application/x-nodex-card\">\n"
    "    <comment>Nodex File</comment>\n"
    "    <glob pattern=\"*.ndx\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n");

/// The program's full path in quotes, then the placeholder for the file to open.
QString ExecLine(const QString& programPath) { return "Exec=\"" + programPath + "\" %f"; }

QString DesktopEntry(const QString& appFolder, const QString& programPath)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Nodex\n"
           "Comment=Plan a book on note cards\n"
        + ExecLine(programPath) + "\n"
        + "Icon=" + appFolder + "nodex.png\n"
        + "MimeType=application/x-nodex-project;\n"
          "Categories=Office;\n";
}

bool Write(const QString& path, const QString& text)
{
    QString error;
    if (QDir().mkpath(QFileInfo(path).absolutePath()) && WriteFileAtomically(path, text.toUtf8(), error))
        return true;
    qCWarning(lcFileTypes).noquote() << "The file types could not be registered:" << error;
    return false;
}

/// Starts a desktop database tool on `folder`, if it is installed.
void Refresh(Shell& shell, const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (!program.isEmpty())
        shell.StartDetached(program, {folder});
}
} // namespace

FileTypePaths FileTypeLocations()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + "/.local/share";
    return {dataHome + "/mime/packages/nodex.xml", dataHome + "/applications/nodex.desktop"};
}

void RegisterFileTypes(const QString& appFolder, const QString& programPath, Shell& shell)
{
    const FileTypePaths paths = FileTypeLocations();
    const QString applications = QFileInfo(paths.DesktopEntry).absolutePath();
    QString entry;
    QString error;
    if (QFileInfo(paths.DesktopEntry).isFile() && ReadTextFile(paths.DesktopEntry, entry, error)) {
        // Registered before: only a program that moved changes the command, and nothing else
        // of what the user may have edited is touched.
        QStringList lines = entry.split('\n');
        const QString exec = ExecLine(programPath);
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [](const QString& l) { return l.startsWith("Exec="); });
        if (line == lines.end() || *line == exec)
            return;
        *line = exec;
        if (Write(paths.DesktopEntry, lines.join('\n')))
            Refresh(shell, "update-desktop-database", applications);
        return;
    }
    if (!Write(paths.MimePackage, MimeInfo) || !Write(paths.DesktopEntry, DesktopEntry(appFolder, programPath)))
        return;
    Refresh(shell, "update-mime-database", QFileInfo(QFileInfo(paths.MimePackage).absolutePath()).absolutePath());
    Refresh(shell, "update-desktop-database", applications);
}
