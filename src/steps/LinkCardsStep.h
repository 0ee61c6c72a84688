#pragma once

#include "steps/ProjectStep.h"
#include "project/LinkRules.h"

/// Links made or removed: a Ctrl-click link or unlink, or Remove Links along a chain.
class LinkCardsStep : public ProjectStep {
public:
    /// `before` holds the successors of every card in `after` as they were.
    LinkCardsStep(
        StepContext& context, const QString& text, LinkSnapshot before, LinkSnapshot after);
    void redo() override;
    void undo() override;

private:
    LinkSnapshot FBefore;
    LinkSnapshot FAfter;
};
