#include "steps/ReplaceInProjectStep.h"

#include "messages/MessageTable.h"
#include "platform/Dialogs.h"
#include "platform/FileIdentity.h"
#include "platform/TextFile.h"
#include "project/CardTexts.h"
#include "project/ProjectStore.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace {
/// A text file's bytes as the search and the editors read them: decoded, line ends as LF.
QString TextOf(const QByteArray& bytes)
{
    return NormaliseLineEnds(DecodeText(bytes));
}
} // namespace

ReplaceInProjectStep::ReplaceInProjectStep(StepContext& context,
    std::unique_ptr<OpenTexts> openTexts, QString pattern, NameCheck nameCheck)
    : ProjectStep(context, QString())
    , FOpenTexts(std::move(openTexts))
    , FPattern(std::move(pattern))
    , FNameCheck(std::move(nameCheck))
{
}

ReplaceInProjectStep::~ReplaceInProjectStep() = default;

QString ReplaceInProjectStep::CardName(CardId card) const
{
    return FContext.Model.Card(card).Name;
}

QList<RefusedReplacement> ReplaceInProjectStep::Make(const QList<CardReplacement>& records)
{
    QList<RefusedReplacement> refused;
    // Texts first, under the names they were searched under; names after, the files following.
    QList<CardId> cards;
    QHash<CardId, const CardReplacement*> names;
    QHash<CardId, const CardReplacement*> descriptions;
    for (const CardReplacement& record : records) {
        if (!FContext.Model.Contains(record.Card) || record.Edits.isEmpty())
            continue;
        if (record.Field == ReplacedField::Text) {
            QString reason;
            if (!MakeText(record, reason))
                refused.append({ record.Card, record.Field, reason });
            continue;
        }
        if (!names.contains(record.Card) && !descriptions.contains(record.Card))
            cards.append(record.Card);
        (record.Field == ReplacedField::Name ? names : descriptions).insert(record.Card, &record);
    }
    for (const CardId card : cards)
        MakeCard(card, names.value(card), descriptions.value(card), refused);

    FMade = true;
    const int changed = CardsChanged();
    setText(changed == 1 ? FContext.Messages.Text(MessageKey::STEP_REPLACE_IN_CARD).arg(FPattern)
                         : FContext.Messages.Text(MessageKey::STEP_REPLACE_IN_CARDS)
                               .arg(FPattern, QString::number(changed)));
    return refused;
}

bool ReplaceInProjectStep::MakeText(const CardReplacement& record, QString& reason)
{
    const CardId card = record.Card;
    const QString changedSince
        = FContext.Messages.Text(MessageKey::REPLACE_CHANGED_SINCE_SEARCH).arg(CardName(card));
    TextChange change { card, record.Searched, record.Replaced(), record.Edits, false, {}, {} };
    if (FOpenTexts->IsOpen(card)) {
        if (FOpenTexts->Text(card) != record.Searched) {
            reason = changedSince;
            return false;
        }
        if (!FOpenTexts->Replace(card, record.Edits, reason))
            return false;
        change.InEditor = true;
        FTexts.append(std::move(change));
        return true;
    }
    const CardTexts texts = FContext.Store.Texts();
    const QString path = FContext.Store.TextFilePath(card);
    QByteArray before;
    FileIdentity read;
    const FileRead found = CardTexts::Read(path, before, read, reason);
    if (found == FileRead::Failed)
        return false;
    if (found == FileRead::Missing || TextOf(before) != record.Searched) {
        reason = changedSince;
        return false;
    }
    // Written as the editor writes a text, so that a save in the editor changes no byte more.
    QByteArray after = EncodeText(change.After, LineEnds::CrLf);
    QString historyProblem;
    switch (texts.WriteIfUnchanged(
        texts.Of(CardName(card), path), after, read, reason, historyProblem)) {
    case GuardedWrite::Written:
        break;
    case GuardedWrite::ChangedOnDisk:
        reason = changedSince;
        return false;
    case GuardedWrite::Failed:
        return false;
    }
    change.BeforeFile.Keep(path, std::move(before));
    change.AfterFile.Keep(path, std::move(after));
    FTexts.append(std::move(change));
    TextWritten(card);
    return true;
}

void ReplaceInProjectStep::MakeCard(CardId card, const CardReplacement* name,
    const CardReplacement* description, QList<RefusedReplacement>& refused)
{
    const CardData before = FContext.Model.Card(card);
    CardData after = before;
    const QString changedSince
        = FContext.Messages.Text(MessageKey::REPLACE_CHANGED_SINCE_SEARCH).arg(before.Name);
    if (description) {
        if (description->Searched != before.Description)
            refused.append({ card, ReplacedField::Description, changedSince });
        else
            after.Description = description->Replaced();
    }
    if (name) {
        QString newName = name->Replaced();
        QString reason;
        if (name->Searched != before.Name)
            refused.append({ card, ReplacedField::Name, changedSince });
        else if (!FNameCheck(card, newName, reason))
            refused.append({ card, ReplacedField::Name, reason });
        // As the properties dialog does: the files move before the step is made.
        else if (newName != before.Name && !FContext.Store.RenameCardFiles(card, newName, reason))
            refused.append({ card, ReplacedField::Name, reason });
        else
            after.Name = newName;
    }
    if (after == before)
        return;
    auto step = std::make_unique<ChangeCardStep>(
        FContext, QString(), card, before, after, after.Name != before.Name);
    step->redo();
    FCardChanges.push_back(std::move(step));
}

int ReplaceInProjectStep::CardsChanged() const
{
    QSet<CardId> cards;
    for (const TextChange& change : FTexts)
        cards.insert(change.Card);
    for (const auto& step : FCardChanges)
        cards.insert(step->Card());
    return static_cast<int>(cards.size());
}

void ReplaceInProjectStep::redo()
{
    if (std::exchange(FMade, false))
        return;
    QString reason;
    if (!std::exchange(FTextsMoved, false) && !MoveTexts(true, reason))
        FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::REDO_NOT_DONE), reason);
    for (const auto& step : FCardChanges)
        step->redo();
}

void ReplaceInProjectStep::undo()
{
    // The texts go back under the names the step left, and the names after them.
    QString reason;
    if (!std::exchange(FTextsMoved, false) && !MoveTexts(false, reason))
        FContext.Dialog.ShowWarning(FContext.Messages.Text(MessageKey::UNDO_NOT_DONE), reason);
    for (auto step = FCardChanges.rbegin(); step != FCardChanges.rend(); ++step)
        (*step)->undo();
}

bool ReplaceInProjectStep::CheckUndo(QString& reason) const
{
    return CanMove(false, reason);
}

bool ReplaceInProjectStep::CheckRedo(QString& reason) const
{
    return CanMove(true, reason);
}

bool ReplaceInProjectStep::CanMove(bool toAfter, QString& reason) const
{
    for (const auto& step : FCardChanges)
        if (!(toAfter ? step->CanRedo(reason) : step->CanUndo(reason)))
            return false;
    for (const TextChange& change : FTexts)
        if (!Check(change, toAfter, reason))
            return false;
    return true;
}

bool ReplaceInProjectStep::FilesFirst(bool undo, QString& reason)
{
    FTextsMoved = MoveTexts(!undo, reason);
    return FTextsMoved;
}

bool ReplaceInProjectStep::MoveTexts(bool toAfter, QString& reason) const
{
    for (qsizetype done = 0; done < FTexts.size(); ++done) {
        if (Move(FTexts[done], toAfter, reason))
            continue;
        while (done-- > 0) {
            QString ignored;
            Move(FTexts[done], !toAfter, ignored);
        }
        return false;
    }
    return true;
}

bool ReplaceInProjectStep::Check(const TextChange& change, bool toAfter, QString& reason) const
{
    const QString& expected = toAfter ? change.Before : change.After;
    if (change.InEditor && FOpenTexts->IsOpen(change.Card)) {
        if (FOpenTexts->Text(change.Card) == expected)
            return true;
        reason
            = FContext.Messages.Text(MessageKey::REPLACE_EDITED_SINCE).arg(CardName(change.Card));
        return false;
    }
    const QString path = FContext.Store.TextFilePath(change.Card);
    if (!change.InEditor) {
        KeptFile& kept = toAfter ? change.BeforeFile : change.AfterFile;
        kept.Follow(path);
        if (kept.Unchanged())
            return true;
    } else {
        // The editor closed since: its text is the file's now, saved or given up.
        QByteArray bytes;
        QString ignored;
        if (CardTexts::ReadIfPresent(path, bytes, ignored) == FileRead::Read) {
            const QString text = TextOf(bytes);
            if (text == expected || text == (toAfter ? change.After : change.Before))
                return true;
        }
    }
    reason = FContext.Messages.Text(MessageKey::FILE_CHANGED_SINCE).arg(QFileInfo(path).fileName());
    return false;
}

bool ReplaceInProjectStep::Move(const TextChange& change, bool toAfter, QString& reason) const
{
    if (change.InEditor && FOpenTexts->IsOpen(change.Card))
        return FOpenTexts->Replace(change.Card, toAfter ? change.Edits : Reversed(change), reason);
    const QString path = FContext.Store.TextFilePath(change.Card);
    if (!change.InEditor) {
        KeptFile& target = toAfter ? change.AfterFile : change.BeforeFile;
        target.Follow(path);
        return target.Restore(reason) && TextWritten(change.Card);
    }
    const QString& target = toAfter ? change.After : change.Before;
    QByteArray bytes;
    if (CardTexts::ReadIfPresent(path, bytes, reason) == FileRead::Read && TextOf(bytes) == target)
        return true;
    const CardTexts texts = FContext.Store.Texts();
    QString historyProblem;
    return texts.Write(texts.Of(CardName(change.Card), path), EncodeText(target, LineEnds::CrLf),
               reason, historyProblem)
        && TextWritten(change.Card);
}

bool ReplaceInProjectStep::TextWritten(CardId card) const
{
    if (FContext.TextWritten)
        FContext.TextWritten(card);
    return true;
}

QList<TextReplacement> ReplaceInProjectStep::Reversed(const TextChange& change)
{
    QList<TextReplacement> reversed;
    reversed.reserve(change.Edits.size());
    qsizetype shift = 0;
    for (const TextReplacement& edit : change.Edits) {
        reversed.append(
            { edit.Start + shift, edit.With.size(), change.Before.mid(edit.Start, edit.Length) });
        shift += edit.With.size() - edit.Length;
    }
    return reversed;
}

qint64 ReplaceInProjectStep::OwnKeptBytes() const
{
    qint64 bytes = 0;
    for (const TextChange& change : FTexts)
        bytes += change.BeforeFile.Size() + change.AfterFile.Size();
    return bytes;
}
