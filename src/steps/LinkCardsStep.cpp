#include "steps/LinkCardsStep.h"

LinkCardsStep::LinkCardsStep(
    StepContext& context, const QString& text, LinkSnapshot before, LinkSnapshot after)
    : ProjectStep(context, text)
    , FBefore(std::move(before))
    , FAfter(std::move(after))
{
}

void LinkCardsStep::redo()
{
    ApplyLinks(FContext.Model, FAfter);
}

void LinkCardsStep::undo()
{
    ApplyLinks(FContext.Model, FBefore);
}
