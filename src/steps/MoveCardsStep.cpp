#include "steps/MoveCardsStep.h"

#include "messages/MessageTable.h"

namespace {
QString MoveText(const MessageTable& messages, qsizetype count)
{
    return count == 1 ? messages.Text(MessageKey::STEP_MOVE_CARD)
                      : messages.Text(MessageKey::STEP_MOVE_CARDS).arg(count);
}
} // namespace

MoveCardsStep::MoveCardsStep(
    StepContext& context, QHash<CardId, QPoint> from, QHash<CardId, QPoint> to)
    : ProjectStep(context, MoveText(context.Messages, to.size()))
    , FFrom(std::move(from))
    , FTo(std::move(to))
{
}

void MoveCardsStep::redo()
{
    FContext.Model.MoveCards(FTo);
}

void MoveCardsStep::undo()
{
    FContext.Model.MoveCards(FFrom);
}
