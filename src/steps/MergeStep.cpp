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
    const QString path = FContext.Store.TextFilePath(FFirst);
    // Undo puts the text back while the program runs; the history keeps it after that.
    FWritten = FBefore.Keep(path, reason) && WriteText(reason) && FAfter.Keep(path, reason);
    return FWritten;
}

bool MergeStep::WriteText(QString& reason) const
{
    const CardTexts texts = FContext.Store.Texts();
    const CardTextFile text
        = texts.Of(FContext.Model.Card(FFirst).Name, FContext.Store.TextFilePath(FFirst));
    QString historyProblem;
    return texts.Write(text, EncodeText(FMergedText, LineEnds::CrLf), reason, historyProblem);
}

void MergeStep::redo()
{
    QString reason;
    if (!std::exchange(FWritten, false) && !WriteText(reason))
        FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::REDO_NOT_DONE), reason);
    QUndoCommand::redo();
}

void MergeStep::undo()
{
    QUndoCommand::undo();
    QString reason;
    if (!std::exchange(FRestored, false) && !FBefore.Restore(reason))
        FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::UNDO_NOT_DONE), reason);
}

bool MergeStep::FilesFirst(bool undo, QString& reason)
{
    if (undo)
        return FRestored = FBefore.Restore(reason);
    return FWritten = WriteText(reason);
}

bool MergeStep::CheckUndo(QString& reason) const
{
    return Unchanged(FAfter, reason);
}

bool MergeStep::CheckRedo(QString& reason) const
{
    return Unchanged(FBefore, reason);
}

bool MergeStep::Unchanged(const KeptFile& kept, QString& reason) const
{
    if (kept.Unchanged())
        return true;
    reason = FContext.Messages.Text(MessageKey::FILE_CHANGED_SINCE)
                 .arg(QFileInfo(kept.Path()).fileName());
    return false;
}

qint64 MergeStep::OwnKeptBytes() const
{
    return FBefore.Size() + FAfter.Size();
}
