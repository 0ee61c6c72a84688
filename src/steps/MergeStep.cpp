#include "steps/MergeStep.h"

#include "platform/Dialogs.h"
#include "platform/TextFile.h"
#include "project/CardHistory.h"
#include "project/ProjectStore.h"
#include "messages/MessageTable.h"

#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMerge, "nodex.merge")

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
    QString historyReason;
    if (!CardHistory(FContext.Store.ProjectFolder())
             .KeepReplacedText(FContext.Model.Card(FFirst).Name, path,
                 EncodeText(FMergedText, LineEnds::CrLf), QDateTime::currentDateTimeUtc(),
                 historyReason))
        qCWarning(lcMerge).noquote() << historyReason;
    FWritten = FBefore.Keep(path, reason)
        && WriteTextFile(path, FMergedText, LineEnds::CrLf, reason) && FAfter.Keep(path, reason);
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
