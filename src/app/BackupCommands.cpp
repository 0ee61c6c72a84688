#include "app/BackupCommands.h"

#include "backup/CardCopy.h"
#include "project/CardRecord.h"
#include "backup/ProjectBackup.h"
#include "project/ProjectState.h"
#include "project/ProjectStore.h"
#include "canvas/CanvasState.h"
#include "canvas/Nodex.h"
#include "canvas/Theme.h"
#include "platform/Dialogs.h"
#include "platform/NativeName.h"
#include "platform/WaitCursor.h"
#include "project/ProjectPaths.h"
#include "messages/MessageTable.h"

#include <QDir>
#include <QFileInfo>

BackupCommands::BackupCommands(const ProjectState& project, const CanvasState& selection, const ProjectModel& model,
    const ProjectStore& store, Dialogs& dialogs, const MessageTable& messages)
    : FProject(project)
    , FSelection(selection)
    , FModel(model)
    , FStore(store)
    , FDialogs(dialogs)
    , FMessages(messages)
{
}

void BackupCommands::mnuBackupProjectClick()
{
    if (FProject.IsUnnamed())
        return;
    QString reason;
    QStringList leftOut;
    bool made = false;
    {
        WaitCursor wait;
        FProject.Folders.Prepare(FProject.Folders.Backups);
        made = BackupProject(FProject.Folders.Backups, FProject.ProjectFolder,
            FProject.ProjectFileName, Now(), leftOut, reason);
    }
    if (made && leftOut.isEmpty())
        FDialogs.ShowInformation(FMessages.Text(MessageKey::BACKUP_OK));
    else
        FDialogs.ShowWarning(
            FMessages.Text(MessageKey::BACKUP_NOT_OK), made ? LeftOutReason(leftOut) : reason);
}

void BackupCommands::mnuCopyToProjectClick()
{
    if (FSelection.SelectedCards.isEmpty())
        return;
    const QString folder
        = FProject.ProjectFolder.isEmpty() ? QDir::homePath() : FProject.ProjectFolder;
    const QString path = FDialogs.AskSaveFileName(FMessages.Text(MessageKey::COPY_TO_PROJECT_TITLE), folder,
                                                  FMessages.Text(MessageKey::PROJECT_FILTER), ProjectPaths::ProjectSuffix);
    if (path.isEmpty())
        return;
    const QFileInfo chosen(path);
    if (chosen.suffix().toLower() != ProjectPaths::ProjectSuffix || KindOf(path) != FileKind::Regular) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::ERROR_READING_FILE));
        return;
    }
    CardCopyOutcome outcome;
    {
        WaitCursor wait;
        QList<CardToCopy> cards;
        for (const TNodex* card : FSelection.SelectedCards) {
            if (card->Type() == CompilationType)
                continue;
            // The files keep the spelling of the card's own, also a name that is not UTF-8.
            const QString cardFile = FStore.CardFilePath(card->Id()).mid(FProject.ProjectFolder.size());
            cards.append({ CardNameOfFile(cardFile), CardFileRecord(FModel, card->Id()) });
        }
        outcome = CopyCardsToProject(cards, FProject.ProjectFolder, chosen.absolutePath() + "/");
    }
    if (outcome.AllCopied)
        FDialogs.ShowInformation(FMessages.Text(MessageKey::COPY_OK));
    else if (outcome.Reason.isEmpty())
        FDialogs.ShowInformation(FMessages.Text(MessageKey::COPY_NOT_OK));
    else
        // Not a name taken: the reason says what stopped the copy.
        FDialogs.ShowWarning(FMessages.Text(MessageKey::COPY_FAILED), outcome.Reason);
}
