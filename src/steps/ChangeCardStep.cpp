#include "steps/ChangeCardStep.h"

#include "platform/Dialogs.h"
#include "project/ProjectStore.h"
#include "messages/MessageTable.h"

ChangeCardStep::ChangeCardStep(StepContext& context, const QString& text, CardId card,
    CardData before, CardData after, bool filesRenamed)
    : ProjectStep(context, text)
    , FCard(card)
    , FBefore(std::move(before))
    , FAfter(std::move(after))
    , FFilesRenamed(filesRenamed)
{
}

void ChangeCardStep::redo()
{
    if (Renames() && !std::exchange(FFilesRenamed, false))
        RenameFiles(FAfter.Name);
    Apply(FAfter);
}

void ChangeCardStep::undo()
{
    if (Renames() && !std::exchange(FFilesRenamed, false))
        RenameFiles(FBefore.Name);
    Apply(FBefore);
}

bool ChangeCardStep::CheckUndo(QString& reason) const
{
    return !Renames() || FContext.Store.CanRenameCardFiles(FCard, FBefore.Name, reason);
}

bool ChangeCardStep::CheckRedo(QString& reason) const
{
    return !Renames() || FContext.Store.CanRenameCardFiles(FCard, FAfter.Name, reason);
}

bool ChangeCardStep::FilesFirst(bool undo, QString& reason)
{
    if (!Renames())
        return true;
    FFilesRenamed
        = FContext.Store.RenameCardFiles(FCard, undo ? FBefore.Name : FAfter.Name, reason);
    return FFilesRenamed;
}

void ChangeCardStep::Apply(CardData data)
{
    const QString oldName = FContext.Model.Card(FCard).Name;
    data.FileName = FContext.Model.Card(FCard).FileName;
    FContext.Model.ChangeCard(FCard, data);
    if (oldName != data.Name && FContext.CardRenamed)
        FContext.CardRenamed(oldName, data.Name);
}

void ChangeCardStep::RenameFiles(const QString& name)
{
    // Checked just before; what fails now (a full disk) leaves the files as they were.
    QString reason;
    if (!FContext.Store.RenameCardFiles(FCard, name, reason))
        FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::UNDO_NOT_DONE), reason);
}
