#include "steps/DuplicateCardsStep.h"

#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"
#include "project/ProjectStore.h"
#include "messages/MessageTable.h"

#include <QFileInfo>

DuplicateCardsStep::DuplicateCardsStep(
    StepContext& context, const QString& text, QList<Copy> copies)
    : ProjectStep(context, text)
    , FCopies(std::move(copies))
{
}

bool DuplicateCardsStep::MakeCopies(QString& reason)
{
    ProjectModel& model = FContext.Model;
    ProjectStore& store = FContext.Store;
    bool textWritten = false;
    const auto giveUp = [&] {
        // Only files this step wrote go: the names were free before.
        QString ignored;
        for (const Made& made : std::as_const(FMade)) {
            store.DeleteCardFiles(made.Card, false);
            if (made.Card != FMade.last().Card || textWritten)
                store.Texts().Remove(made.Data.Name, ignored);
            store.SetStoredRecord(made.Card, std::nullopt);
            model.RemoveCard(made.Card);
        }
        FMade.clear();
        return false;
    };
    for (const Copy& copy : std::as_const(FCopies)) {
        // The original's text is read before its copy shows: an unreadable one makes nothing.
        QByteArray text;
        const FileRead read
            = CardTexts::ReadIfPresent(store.TextFilePath(copy.Original), text, reason);
        if (read == FileRead::Failed)
            return giveUp();
        textWritten = false;
        Made made;
        made.Data = copy.Data;
        made.Card = model.AddCard(copy.Data);
        FMade << made;
        Made& now = FMade.last();
        if (const auto failure = store.SaveCard(now.Card)) {
            reason = failure->Reason;
            return giveUp();
        }
        if (!now.CardFile.Keep(store.CardFilePath(now.Card), reason))
            return giveUp();
        const CardTextFile copyText = store.Texts().Of(copy.Data.Name);
        QString historyProblem;
        if (read == FileRead::Read) {
            if (!store.Texts().Write(copyText, text, reason, historyProblem))
                return giveUp();
            textWritten = true;
        }
        if (!now.TextFile.Keep(copyText.Path, reason))
            return giveUp();
        now.Data = model.Card(now.Card);
        now.Stored = store.StoredRecord(now.Card);
    }
    return true;
}

QList<CardId> DuplicateCardsStep::Copies() const
{
    QList<CardId> copies;
    for (const Made& made : FMade)
        copies << made.Card;
    return copies;
}

void DuplicateCardsStep::redo()
{
    // The first redo, on the push, finds the copies made already.
    for (const Made& made : std::as_const(FMade)) {
        if (FContext.Model.Contains(made.Card))
            continue;
        FContext.Model.AddCard(made.Data, made.Card, made.Index);
        FContext.Store.SetStoredRecord(made.Card, made.Stored);
    }
}

void DuplicateCardsStep::undo()
{
    ProjectModel& model = FContext.Model;
    // Each copy comes back to its place in the canvas order: the last goes first, so that the
    // places of those before it stay as they were.
    for (Made& made : FMade)
        made.Index = model.IndexOf(made.Card);
    for (auto made = FMade.crbegin(); made != FMade.crend(); ++made) {
        FContext.Store.SetStoredRecord(made->Card, std::nullopt);
        model.RemoveCard(made->Card);
    }
}

bool DuplicateCardsStep::FilesFirst(bool undo, QString& reason)
{
    return undo ? RemoveFiles(reason, FMade.size()) : RestoreFiles(reason);
}

bool DuplicateCardsStep::RemoveFiles(QString& reason, qsizetype count) const
{
    const CardTexts texts = FContext.Store.Texts();
    for (qsizetype index = 0; index < count; ++index) {
        const Made& made = FMade[index];
        // The store removes the card file, the card texts' owner the text; what the store knows
        // of the card goes with the undo, so that a refused undo can be tried again.
        const bool removed = FContext.Store.RemoveCardFile(made.Card, reason)
            && (!made.TextFile.Exists() || texts.Remove(made.Data.Name, reason));
        if (!removed) {
            // Nothing half done: the copies before this one get their files back.
            QString ignored;
            for (qsizetype back = 0; back <= index; ++back) {
                FMade[back].CardFile.Restore(ignored);
                FMade[back].TextFile.Restore(ignored);
            }
            return false;
        }
    }
    return true;
}

bool DuplicateCardsStep::RestoreFiles(QString& reason) const
{
    for (qsizetype index = 0; index < FMade.size(); ++index) {
        const Made& made = FMade[index];
        if (!made.CardFile.Restore(reason) || !made.TextFile.Restore(reason)) {
            QString ignored;
            RemoveFiles(ignored, index + 1);
            return false;
        }
    }
    return true;
}

bool DuplicateCardsStep::CheckUndo(QString& reason) const
{
    // A copy's text written since (in its editor, or by another program) is not thrown away;
    // nor is its card file when another program changed it. The program's own later saves of
    // the card file (its editor's placement) hold the card as the store knows it.
    for (const Made& made : FMade) {
        const QString& cardPath = made.CardFile.Path();
        IniFile file(cardPath);
        QString ignored;
        const auto stored = FContext.Store.StoredRecord(made.Card);
        const bool cardFileOurs = KindOf(cardPath) == FileKind::Missing
            || (stored && file.Load(ignored) && ReadCardFile(file) == *stored);
        const QString& changed = !cardFileOurs ? cardPath
            : !made.TextFile.Unchanged()       ? made.TextFile.Path()
                                               : QString();
        if (!changed.isEmpty()) {
            reason = FContext.Messages.Text(MessageKey::FILE_CHANGED_SINCE)
                         .arg(QFileInfo(changed).fileName());
            return false;
        }
    }
    return true;
}

bool DuplicateCardsStep::CheckRedo(QString& reason) const
{
    // A file made since under a copy's name is not overwritten.
    for (const Made& made : FMade) {
        for (const KeptFile* file : { &made.CardFile, &made.TextFile }) {
            if (KindOf(file->Path()) != FileKind::Missing) {
                reason = FContext.Messages.Text(MessageKey::FILE_IN_THE_WAY)
                             .arg(QFileInfo(file->Path()).fileName());
                return false;
            }
        }
    }
    return true;
}

qint64 DuplicateCardsStep::OwnKeptBytes() const
{
    qint64 bytes = 0;
    for (const Made& made : FMade)
        bytes += made.CardFile.Size() + made.TextFile.Size();
    return bytes;
}
