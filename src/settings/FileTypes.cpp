#include "settings/FileTypes.h"

#include "platform/AtomicWrite.h"
#include "platform/Shell.h"
#include "platform/TextFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <algorithm>

Q_LOGGING_CATEGORY(lcFileTypes, "nodex.filetypes")

namespace {
const QString ProjectIcon = QStringLiteral("application-x-nodex-project");
const QString CardIcon = QStringLiteral("application-x-nodex-card");


QString DesktopEntry(const QString& dataFolder, const QString& programPath)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Nodex\n"
           "Comment=Plan a book on note cards\n"
        + DesktopExecLine(programPath) + "\n"
        + "Icon=" + dataFolder + "nodex.png\n"
        + "MimeType=application/x-nodex-project;\n"
          "Categories=Office;\n";
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QString error;
    const QString folder = QFileInfo(path).absolutePath();
    if (QDir().mkpath(folder)) {
        RemoveWriteLeftovers(folder);
        if (WriteFileAtomically(path, bytes, error))
            return true;
    }
    qCWarning(lcFileTypes).noquote() << "The file types could not be registered:" << error;
    return false;
}

/// Installs each size of an icon file of the program's folder as a themed icon of the user's,
/// where the desktop finds the icons that MIME types name. Sizes already there stay.
bool InstallIcon(const QString& icoPath, const QString& iconsFolder, const QString& iconName)
{
    bool installed = false;
    QImageReader reader(icoPath);
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
        const QImage image = reader.read();
        if (image.isNull() || image.width() != image.height())
            continue;
        const QString size = QString::number(image.width());
        const QString path = QStringLiteral("%1/hicolor/%2x%2/mimetypes/%3.png").arg(iconsFolder, size, iconName);
        if (QFileInfo::exists(path))
            continue;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        installed = (image.save(&buffer, "PNG") && Write(path, png)) || installed;
    }
    return installed;
}

/// Starts a desktop database tool on `folder`, if it is installed.
void Refresh(Shell& shell, const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (!program.isEmpty())
        shell.StartDetached(program, {folder});
}

/// The desktop entry as it stands, with its Exec line made the program's; false when the file
/// need not change.
bool UpdateExecLine(QString& entry, const QString& programPath)
{
    QStringList lines = entry.split('\n');
    const QString exec = DesktopExecLine(programPath);
    const auto line = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.startsWith("Exec="); });
    if (line == lines.end() || *line == exec)
        return false;
    *line = exec;
    entry = lines.join('\n');
    return true;
}
} // namespace

// The shared-MIME-info file is a resource of the settings library, the same file that the
// package installs for every user; registering the resource by name keeps the linker from
// leaving it out of the program.
static QByteArray MimeInfo()
{
    Q_INIT_RESOURCE(settings);
    QFile file(QStringLiteral(":/settings/nodex.xml"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString DesktopExecLine(const QString& programPath)
{
    // Inside quotes a desktop entry escapes '"', '`', '$' and '\' with a backslash; the value's
    // own string rules then double every backslash; '%' is written twice, as it introduces the
    // field codes.
    QString quoted;
    for (const QChar c : programPath) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted.replace('%', QStringLiteral("%%"));
    quoted.replace('\\', QStringLiteral("\\\\"));
    return "Exec=\"" + quoted + "\" %f";
}

FileTypePaths FileTypeLocations()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + "/.local/share";
    return {dataHome + "/mime/packages/nodex.xml", dataHome + "/applications/nodex.desktop", dataHome + "/icons"};
}

void RegisterFileTypes(const QString& dataFolder, const QString& programPath, Shell& shell)
{
    const FileTypePaths paths = FileTypeLocations();
    const QString applications = QFileInfo(paths.DesktopEntry).absolutePath();
    const bool icons = InstallIcon(dataFolder + "project.ico", paths.Icons, ProjectIcon)
        | InstallIcon(dataFolder + "nodex.ico", paths.Icons, CardIcon);

    QByteArray mime;
    QString error;
    const QByteArray mimeInfo = MimeInfo();
    const bool mimeCurrent = ReadFileBytes(paths.MimePackage, mime, error) && mime == mimeInfo;
    if ((!mimeCurrent && Write(paths.MimePackage, mimeInfo)) || icons)
        Refresh(shell, "update-mime-database", QFileInfo(QFileInfo(paths.MimePackage).absolutePath()).absolutePath());

    QString entry;
    if (QFileInfo(paths.DesktopEntry).isFile() && ReadTextFile(paths.DesktopEntry, entry, error)) {
        // Registered before: only a program that moved changes the command, and nothing else
        // of what the user may have edited is touched.
        if (UpdateExecLine(entry, programPath) && Write(paths.DesktopEntry, entry.toUtf8()))
            Refresh(shell, "update-desktop-database", applications);
        return;
    }
    if (Write(paths.DesktopEntry, DesktopEntry(dataFolder, programPath).toUtf8()))
        Refresh(shell, "update-desktop-database", applications);
}
