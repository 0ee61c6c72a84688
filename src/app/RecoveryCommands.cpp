#include "app/RecoveryCommands.h"

#include "app/EditorCommands.h"
#include "canvas/CanvasFollower.h"
#include "canvas/Nodex.h"
#include "editor/CompareWindow.h"
#include "editor/Editor.h"
#include "editor/RecoveryWindow.h"
#include "messages/MessageTable.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "platform/WaitCursor.h"
#include "project/CardTexts.h"
#include "project/ProjectModel.h"
#include "project/ProjectState.h"
#include "project/ProjectStore.h"
#include "project/RecoveryStore.h"

#include <QLocale>

RecoveryCommands::RecoveryCommands(QWidget& window, const ProjectState& project,
    const ProjectModel& model, CanvasFollower& follower, ProjectStore& store,
    EditorCommands& editors, Dialogs& dialogs, const MessageTable& messages)
    : FWindow(window)
    , FProject(project)
    , FModel(model)
    , FFollower(follower)
    , FStore(store)
    , FEditors(editors)
    , FDialogs(dialogs)
    , FMessages(messages)
{
}

void RecoveryCommands::OfferRecovery()
{
    if (FProject.IsUnnamed())
        return;
    FRecoveryFolder = RecoveryStore::FolderOf(
        FProject.Folders.Recovery, FProject.ProjectFolder, FProject.ProjectFileName);
    const QList<RecoveredText> kept = RecoveryStore(FRecoveryFolder).List();
    if (kept.isEmpty())
        return;
    QList<RecoveryWindow::Entry> entries;
    for (const RecoveredText& text : kept) {
        const bool present = FModel.FindByName(text.CardName) != 0;
        QString caption
            = FMessages.Text(MessageKey::RECOVERY_ITEM)
                  .arg(text.CardName,
                      QLocale::system().toString(text.Written.toLocalTime(), QLocale::ShortFormat));
        if (!present)
            caption += ": " + FMessages.Text(MessageKey::RECOVERY_CARD_GONE);
        else if (text.FileChangedSince(TextPathOf(text)))
            caption += ": " + FMessages.Text(MessageKey::RECOVERY_FILE_CHANGED);
        entries.append({ caption, present });
    }
    RecoveryWindow window(entries, FMessages, &FWindow);
    window.Restore = [this, &kept](int entry) { return Restore(kept[entry]); };
    window.Compare = [this, &kept, &window](int entry) { Compare(kept[entry], window); };
    window.Discard = [this, &kept](int entry) { return Discard(kept[entry]); };
    FDialogs.RunModal(window);
}

bool RecoveryCommands::ReadKept(const RecoveredText& kept, QString& text)
{
    QByteArray bytes;
    QString reason;
    {
        WaitCursor wait;
        if (RecoveryStore(FRecoveryFolder).Read(kept, bytes, reason)) {
            text = NormaliseLineEnds(DecodeText(bytes));
            return true;
        }
    }
    FDialogs.ShowWarning(FMessages.Text(MessageKey::RECOVERY_NOT_READ), reason);
    return false;
}

QString RecoveryCommands::TextPathOf(const RecoveredText& kept) const
{
    const CardId card = FModel.FindByName(kept.CardName);
    return card ? FStore.TextFilePath(card) : FStore.TextFilePath(kept.CardName);
}

bool RecoveryCommands::Restore(const RecoveredText& kept)
{
    TNodex* card = FFollower.Item(FModel.FindByName(kept.CardName));
    QString text;
    if (!card || !ReadKept(kept, text))
        return false;
    TfmEditor* editor = FEditors.OpenEditorOf(*card);
    WaitCursor wait;
    return editor->RestoreText(text);
}

void RecoveryCommands::Compare(const RecoveredText& kept, QWidget& parent)
{
    QString text;
    if (!ReadKept(kept, text))
        return;
    // A card renamed or deleted since may have left no file: its side stays empty.
    QString onDisk;
    QString reason;
    if (!CardTexts::ReadText(TextPathOf(kept), onDisk, reason))
        onDisk.clear();
    auto* window = new CompareWindow(FMessages.Text(MessageKey::COMPARE_TITLE).arg(kept.CardName),
        FMessages.Text(MessageKey::RECOVERY_UNSAVED), text,
        FMessages.Text(MessageKey::RECOVERY_ON_DISK), onDisk, &parent);
    window->show();
}

bool RecoveryCommands::Discard(const RecoveredText& kept)
{
    QString reason;
    if (RecoveryStore(FRecoveryFolder).Discard(kept, reason))
        return true;
    FDialogs.ShowWarning(FMessages.Text(MessageKey::RECOVERY_NOT_DISCARDED), reason);
    return false;
}
