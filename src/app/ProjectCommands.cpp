#include "app/ProjectCommands.h"

#include "project/ProjectFolder.h"
#include "project/ProjectState.h"
#include "platform/AsciiCase.h"
#include "platform/Dialogs.h"
#include "platform/WaitCursor.h"
#include "project/ProjectPaths.h"
#include "messages/MessageTable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ProjectCommands::ProjectCommands(ProjectState& project, ProjectWindow& window, Dialogs& dialogs,
                                 const MessageTable& messages)
    : FProject(project)
    , FWindow(window)
    , FDialogs(dialogs)
    , FMessages(messages)
{
}

bool ProjectCommands::SavePrompts(AfterSaveAs afterSaveAs)
{
    if (FWindow.AnyEditorModified()) {
        switch (FDialogs.AskYesNoCancel(FMessages.Text(MessageKey::SAVE_EDITORS))) {
        case Answer::Cancel:
            return false;
        case Answer::Yes:
            if (!FWindow.SaveModifiedEditors())
                return false;
            break;
        case Answer::No:
            FWindow.DiscardEditorChanges();
            break;
        }
    }
    if (!FWindow.ProjectModified())
        return true;
    switch (FDialogs.AskYesNoCancel(FMessages.Text(MessageKey::SAVE_PROJECT))) {
    case Answer::Cancel:
        return false;
    case Answer::No:
        return true;
    case Answer::Yes:
        break;
    }
    // A save that failed keeps the project: dropping it now would lose the changes. A Save As
    // the writer cancelled goes on, as the writer chose.
    if (FProject.IsUnnamed()) {
        const bool saved = SaveAs();
        return afterSaveAs == AfterSaveAs::GoOn && !(saved && FWindow.ProjectModified());
    }
    FWindow.SaveProject();
    return !FWindow.ProjectModified();
}

void ProjectCommands::New()
{
    if (SavePrompts())
        FWindow.CloseProject();
}

QString ProjectCommands::DialogFolder() const
{
    // A folder renamed or removed while the project was open is no place to start.
    if (!FProject.ProjectFolder.isEmpty() && QFileInfo(FProject.ProjectFolder).isDir())
        return FProject.ProjectFolder;
    // The unnamed workspace has no folder of its own: the writer's documents are the place to start.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void ProjectCommands::Open()
{
    if (!SavePrompts())
        return;
    const QString path = FDialogs.AskOpenFileName(FMessages.Text(MessageKey::OPEN_PROJECT_TITLE), DialogFolder(), FMessages.Text(MessageKey::PROJECT_FILTER), ProjectPaths::ProjectSuffix);
    if (!path.isEmpty())
        FWindow.OpenProject(path);
}

bool ProjectCommands::SaveAs()
{
    const QString path = FDialogs.AskSaveFileName(FMessages.Text(MessageKey::SAVE_PROJECT_AS_TITLE), DialogFolder(),
        FMessages.Text(MessageKey::PROJECT_FILTER), ProjectPaths::ProjectSuffix, FMessages.Text(MessageKey::SAVE_AS_HINT));
    if (path.isEmpty())
        return false;
    const QFileInfo chosen(path);
    QString fileName = chosen.fileName();
    // The dialog's default extension, also for a name such as "Novel v1.2": a project file
    // without it could not be opened again.
    if (!fileName.endsWith(ProjectPaths::ProjectExtension, Qt::CaseInsensitive))
        fileName += ProjectPaths::ProjectExtension;
    WaitCursor wait;
    // The name before ".nodex" spelt in small letters: "Unnamed.NODEX" is a name of its own.
    const qsizetype extension = fileName.indexOf(ProjectPaths::ProjectExtension);
    if (fileName.endsWith(ProjectPaths::ProjectExtension, Qt::CaseInsensitive) && extension >= 0
        && SameIgnoringAsciiCase(QStringView(fileName).left(extension), ProjectState::Unnamed)) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::UNIQUE_NAME) + " " + FMessages.Text(MessageKey::THE_PROJECT));
        return false;
    }
    // One folder, one project: the loader takes every card file of a folder as its project's,
    // so a project saved beside another would share its cards. It gets a folder of its own,
    // named after it, and no project file or card there is ever replaced.
    QString folder = chosen.absolutePath() + "/";
    const QString baseName = fileName.left(fileName.size() - ProjectPaths::ProjectExtension.size());
    const bool ownFolder = HoldsProject(folder);
    if (ownFolder) {
        folder += baseName + "/";
        if (baseName == "." || baseName == ".." || HoldsProject(folder)) {
            FDialogs.ShowInformation(FMessages.Text(MessageKey::FOLDER_HOLDS_PROJECT).arg(QDir::toNativeSeparators(QDir::cleanPath(folder))));
            return false;
        }
    }
    FProject.ProjectFolder = folder;
    FProject.ProjectFileName = fileName;
    FWindow.SaveProject();
    if (ownFolder && FProject.ProjectOnDisk && ShowStatus)
        ShowStatus(FMessages.Text(MessageKey::SAVED_IN_NEW_FOLDER).arg(baseName));
    return true;
}

void ProjectCommands::OpenRecentProject(const QString& path)
{
    if (QFileInfo(path).isFile()) {
        if (SavePrompts())
            FWindow.OpenProject(path);
        return;
    }
    FDialogs.ShowInformation("'" + QFileInfo(path).fileName() + "' " + FMessages.Text(MessageKey::DOES_NOT_EXIST));
    if (ForgetRecent)
        ForgetRecent(path);
}

void ProjectCommands::DropFiles(const QStringList& paths, QPoint canvasPoint)
{
    if (paths.size() != 1) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::ONLY_ONE_FILE));
        return;
    }
    const QString& path = paths.first();
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == ProjectPaths::CardSuffix) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::NODEXS_DONT_OPEN));
    } else if (extension == "txt" || extension == "rtf") {
        if (!FProject.ProjectOnDisk)
            FDialogs.ShowInformation(FMessages.Text(MessageKey::SAVE_YOUR_PROJECT) + " "
                                     + FMessages.Text(MessageKey::AUTO_CREATING));
        else
            FWindow.CreateCardFromFile(path, canvasPoint);
    } else if (extension == ProjectPaths::ProjectSuffix) {
        if (SavePrompts())
            FWindow.OpenProject(path);
    } else {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::NOT_TEXT_FILE));
    }
}
