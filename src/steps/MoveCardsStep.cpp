#include "steps/MoveCardsStep.h"

#include "messages/MessageTable.h"

namespace {
/// The undo stack joins only steps with the same id: key moves share this one.
constexpr int KeyMoveId = 0x4b4d;

QString MoveText(const MessageTable& messages, qsizetype count)
{
    return count == 1 ? messages.Text(MessageKey::STEP_MOVE_CARD)
                      : messages.Text(MessageKey::STEP_MOVE_CARDS).arg(count);
}
} // namespace

MoveCardsStep::MoveCardsStep(
    StepContext& context, QHash<CardId, QPoint> from, QHash<CardId, QPoint> to, KeyRun run)
    : ProjectStep(context, MoveText(context.Messages, to.size()))
    , FFrom(std::move(from))
    , FTo(std::move(to))
    , FRun(run)
{
}

int MoveCardsStep::id() const
{
    return FRun == KeyRun::None ? -1 : KeyMoveId;
}

bool MoveCardsStep::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const MoveCardsStep*>(other);
    // A card held at the canvas edge drops out of a press: the run goes on while the cards
    // moved are among those the run moves, and each keeps where it stood before the run.
    if (next->FRun != KeyRun::Continues)
        return false;
    for (auto card = next->FTo.cbegin(); card != next->FTo.cend(); ++card)
        if (!FTo.contains(card.key()))
            return false;
    for (auto card = next->FTo.cbegin(); card != next->FTo.cend(); ++card)
        FTo.insert(card.key(), card.value());
    return true;
}

void MoveCardsStep::redo()
{
    FContext.Model.MoveCards(FTo);
}

void MoveCardsStep::undo()
{
    FContext.Model.MoveCards(FFrom);
}
