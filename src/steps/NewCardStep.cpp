#include "steps/NewCardStep.h"

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "project/ProjectPaths.h"
#include "project/ProjectStore.h"
#include "messages/MessageTable.h"

#include <QFileInfo>

NewCardStep::NewCardStep(
    StepContext& context, CardId card, CardData data, int index, bool writesFile)
    : ProjectStep(context, context.Messages.Text(MessageKey::STEP_NEW_CARD))
    , FCard(card)
    , FData(std::move(data))
    , FIndex(index)
    , FWritesFile(writesFile)
{
}

QString NewCardStep::CardFilePath() const
{
    return FContext.Store.FilePath(FData.Name + ProjectPaths::CardExtension);
}

void NewCardStep::redo()
{
    if (!FContext.Model.Contains(FCard))
        FCard = FContext.Model.AddCard(FData, FCard, FIndex);
    if (!FWritesFile)
        return;
    // A card whose file could not be written lives only in memory until a save succeeds.
    if (const auto failure = FContext.Store.SaveCard(FCard))
        FContext.Dialog.ShowWarning(failure->Headline, failure->Reason);
}

void NewCardStep::undo()
{
    if (FWritesFile) {
        QString reason;
        RemoveFile(FContext.Store.CardFilePath(FCard), reason);
    }
    FContext.Store.SetStoredRecord(FCard, std::nullopt);
    FContext.Model.RemoveCard(FCard);
}

bool NewCardStep::CheckUndo(QString& reason) const
{
    // The card file goes: only while it holds what the program last wrote there.
    const QString path = FContext.Store.CardFilePath(FCard);
    if (!FWritesFile || KindOf(path) == FileKind::Missing)
        return true;
    IniFile file(path);
    QString ignored;
    const auto stored = FContext.Store.StoredRecord(FCard);
    if (stored && file.Load(ignored) && ReadCardFile(file) == *stored)
        return true;
    reason = FContext.Messages.Text(MessageKey::FILE_CHANGED_SINCE).arg(QFileInfo(path).fileName());
    return false;
}

bool NewCardStep::CheckRedo(QString& reason) const
{
    if (!FWritesFile || KindOf(CardFilePath()) == FileKind::Missing)
        return true;
    reason = FContext.Messages.Text(MessageKey::FILE_IN_THE_WAY)
                 .arg(FData.Name + ProjectPaths::CardExtension);
    return false;
}
