#include "steps/DeleteCardsStep.h"

#include "platform/Dialogs.h"
#include "platform/NativeName.h"
#include "project/ProjectStore.h"
#include "messages/MessageTable.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>
#include <algorithm>

Q_LOGGING_CATEGORY(lcDelete, "nodex.delete")

DeleteCardsStep::DeleteCardsStep(
    StepContext& context, const QString& text, QList<Going> going, QUndoCommand* parent)
    : ProjectStep(context, text, parent)
    , FGoing(std::move(going))
{
}

void DeleteCardsStep::redo()
{
    ProjectModel& model = FContext.Model;
    ProjectStore& store = FContext.Store;
    QSet<CardId> going;
    for (const Going& card : FGoing)
        going.insert(card.Card);
    // Every card that links to one that goes (a damaged project may have several) gets its
    // link back on undo.
    QList<CardId> sources(going.cbegin(), going.cend());
    for (const CardId card : model.Cards())
        if (!going.contains(card) && going.contains(model.LinkTo(card)))
            sources << card;
    FLinks = CurrentLinks(model, sources);

    // One pass for every card's place: thousands of cards may go at once.
    QHash<CardId, int> places;
    places.reserve(model.Cards().size());
    for (int index = 0; index < model.Cards().size(); ++index)
        places.insert(model.Cards()[index], index);
    FGone.clear();
    for (const Going& card : FGoing) {
        Gone gone { card, places.value(card.Card), model.Card(card.Card),
            store.StoredRecord(card.Card), {}, {}, false };
        QString reason;
        if (!gone.CardFile.Keep(store.CardFilePath(card.Card), reason))
            qCInfo(lcDelete).noquote() << reason;
        gone.TextKept = card.WithText && gone.TextFile.Keep(store.TextFilePath(card.Card), reason);
        FGone << gone;
    }
    std::sort(
        FGone.begin(), FGone.end(), [](const Gone& a, const Gone& b) { return a.Index < b.Index; });
    // First first: the canvas removes its oldest items cheapest. The undo puts each card back
    // at its place in the same order, so every card before it is back already.
    for (const Gone& gone : FGone) {
        store.DeleteCardFiles(gone.What.Card, gone.TextKept);
        model.RemoveCard(gone.What.Card);
        if (FContext.CardDeleted)
            FContext.CardDeleted(gone.Data.Name);
    }
}

void DeleteCardsStep::undo()
{
    for (const Gone& gone : FGone) {
        QString reason;
        if (gone.CardFile.Exists() && !gone.CardFile.Restore(reason))
            FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::UNDO_NOT_DONE), reason);
        if (gone.TextKept && gone.TextFile.Exists() && !gone.TextFile.Restore(reason))
            FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::UNDO_NOT_DONE), reason);
        FContext.Model.AddCard(gone.Data, gone.What.Card, gone.Index);
        FContext.Store.SetStoredRecord(gone.What.Card, gone.Stored);
    }
    ApplyLinks(FContext.Model, FLinks);
}

bool DeleteCardsStep::CheckUndo(QString& reason) const
{
    // A file made since under a name the cards' files come back to is not overwritten.
    for (const Gone& gone : FGone) {
        for (const KeptFile* file : { &gone.CardFile, &gone.TextFile }) {
            if (file->Exists() && KindOf(file->Path()) != FileKind::Missing) {
                reason = FContext.Messages.Text(MessageKey::FILE_IN_THE_WAY)
                             .arg(QFileInfo(file->Path()).fileName());
                return false;
            }
        }
    }
    return true;
}

bool DeleteCardsStep::CheckRedo(QString& reason) const
{
    // A text that goes again is the one the undo put back; one written since, or made since
    // where there was none, would be in no file once the cards are gone.
    for (const Gone& gone : FGone) {
        if (gone.TextKept && !gone.TextFile.Unchanged()) {
            reason = FContext.Messages.Text(MessageKey::FILE_CHANGED_SINCE)
                         .arg(QFileInfo(gone.TextFile.Path()).fileName());
            return false;
        }
    }
    return true;
}

qint64 DeleteCardsStep::OwnKeptBytes() const
{
    qint64 bytes = 0;
    for (const Gone& gone : FGone)
        bytes += gone.CardFile.Size() + gone.TextFile.Size();
    return bytes;
}
