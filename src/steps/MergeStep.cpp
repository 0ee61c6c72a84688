#include "steps/MergeStep.h"

#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "project/ProjectStore.h"
#include "messages/MessageTable.h"

#include <QFileInfo>

MergeStep::MergeStep(StepContext& context, CardId first, QString mergedText)
    : ProjectStep(context, context.Messages.Text(MessageKey::STEP_MERGE))
    , FFirst(first)
    , FMergedText(std::move(mergedText))
{
}

bool MergeStep::WriteMergedText(QString& reason)
{
    const CardTexts texts = FContext.Store.Texts();
    const CardTextFile text = texts.Of(FContext.Model.Card(FFirst).Name, FContext.Store.TextFilePath(FFirst));
    // Undo puts the text back while the program runs; the history keeps it after that.
    QString historyProblem;
    FWritten = FBefore.Keep(text.Path, reason)
        && texts.Write(text, EncodeText(FMergedText, LineEnds::CrLf), reason, historyProblem)
        && FAfter.Keep(text.Path, reason);
    return FWritten;
}

void MergeStep::redo()
{
    QString reason;
    if (!std::exchange(FWritten, false) && !FAfter.Restore(reason))
        FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::REDO_NOT_DONE), reason);
    QUndoCommand::redo();
}

void MergeStep::undo()
{
    QUndoCommand::undo();
    QString reason;
    if (!FBefore.Restore(reason))
        FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::UNDO_NOT_DONE), reason);
}

bool MergeStep::CheckUndo(QString& reason) const
{
    if (FAfter.Unchanged())
        return true;
    reason = FContext.Messages.Text(MessageKey::FILE_CHANGED_SINCE)
                 .arg(QFileInfo(FAfter.Path()).fileName());
    return false;
}

qint64 MergeStep::OwnKeptBytes() const
{
    return FBefore.Size() + FAfter.Size();
}
