#include "steps/ChainStep.h"

#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "project/ProjectStore.h"

#include <QFileInfo>

ChainStep::ChainStep(
    StepContext& context, const QString& text, LinkSnapshot before, LinkSnapshot after)
    : ProjectStep(context, text)
    , FBefore(std::move(before))
    , FAfter(std::move(after))
{
}

std::unique_ptr<ChainStep> ChainStep::Make(
    StepContext& context, MessageKey text, CardId card, const LinkSnapshot& after)
{
    if (after.isEmpty())
        return nullptr;
    return std::unique_ptr<ChainStep>(
        new ChainStep(context, context.Messages.Text(text).arg(context.Model.Card(card).Name),
            CurrentLinks(context.Model, after.keys()), after));
}

std::unique_ptr<ChainStep> ChainStep::MoveUp(StepContext& context, CardId card)
{
    return Make(
        context, MessageKey::STEP_MOVE_UP, card, ChainEdits::PlanMoveUp(context.Model, card));
}

std::unique_ptr<ChainStep> ChainStep::MoveDown(StepContext& context, CardId card)
{
    return Make(
        context, MessageKey::STEP_MOVE_DOWN, card, ChainEdits::PlanMoveDown(context.Model, card));
}

std::unique_ptr<ChainStep> ChainStep::MoveTo(StepContext& context, CardId card, ChainPlace place)
{
    const ProjectModel& model = context.Model;
    const bool loose = !model.LinkTo(card) && !model.LinkedFrom(card);
    return Make(context, loose ? MessageKey::STEP_LINK_INTO_CHAIN : MessageKey::STEP_MOVE_IN_CHAIN,
        card, ChainEdits::PlanMoveTo(model, card, place));
}

std::unique_ptr<ChainStep> ChainStep::MoveOut(StepContext& context, CardId card)
{
    return Make(context, MessageKey::STEP_REMOVE_FROM_CHAIN, card,
        ChainEdits::PlanMoveOut(context.Model, card));
}

std::unique_ptr<ChainStep> ChainStep::RemoveFromChain(StepContext& context, CardId card)
{
    return Make(context, MessageKey::STEP_REMOVE_FROM_CHAIN, card,
        ChainEdits::PlanRemoveFromChain(context.Model, card));
}

void ChainStep::redo()
{
    ApplyLinks(FContext.Model, FAfter);
}

void ChainStep::undo()
{
    ApplyLinks(FContext.Model, FBefore);
}

bool ChainStep::CardFilesAsStored(QString& reason) const
{
    // A handful of cards at most: the moved cards' old and new neighbours.
    for (auto link = FBefore.cbegin(); link != FBefore.cend(); ++link) {
        // A card whose file was never read or written has nothing to compare with.
        const auto stored = FContext.Store.StoredRecord(link.key());
        if (!stored)
            continue;
        const QString path = FContext.Store.CardFilePath(link.key());
        IniFile file(path);
        QString ignored;
        if (KindOf(path) == FileKind::Regular && file.Load(ignored)
            && ReadCardFile(file) == *stored)
            continue;
        reason = FContext.Messages.Text(MessageKey::FILE_CHANGED_SINCE)
                     .arg(QFileInfo(path).fileName());
        return false;
    }
    return true;
}
