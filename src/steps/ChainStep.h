#pragma once

#include "messages/MessageTable.h"
#include "project/ChainEdits.h"
#include "steps/ProjectStep.h"

#include <memory>

/// A chain edit as one step: a card (a chapter card with its scenes) moved up or down in its
/// chain, to a place in any chain or out of every chain, a loose card linked in, or a card
/// removed from its chain with its neighbours joined. The model changes and a save writes the
/// link keys; undo and redo are refused while a card file whose link the step changes was
/// changed on disk since the program last read or wrote it.
///
/// Each maker returns the step to push, or null when the edit changes nothing or cannot be
/// made (first or last already, in no chain, or a cycle of a damaged project in the way):
///
///     if (auto step = ChainStep::MoveUp(context, card))
///         steps.push(step.release());
class ChainStep : public ProjectStep {
public:
    /// One place towards the chain's start ("Move 'Harbour' Up"): a chapter card with its
    /// scenes past the chapter group before it, any other card past the card before it.
    static std::unique_ptr<ChainStep> MoveUp(StepContext& context, CardId card);
    /// One place towards the chain's end ("Move 'Harbour' Down").
    static std::unique_ptr<ChainStep> MoveDown(StepContext& context, CardId card);
    /// To a place in any chain, before or after a card there ("Move 'Harbour'"); a loose card
    /// is linked in ("Link 'Harbour' into Chain"). The old neighbours are joined.
    static std::unique_ptr<ChainStep> MoveTo(StepContext& context, CardId card, ChainPlace place);
    /// Out of its chain, a chapter card with its scenes still linked behind it ("Remove
    /// 'Harbour' from Chain"); the old neighbours are joined.
    static std::unique_ptr<ChainStep> MoveOut(StepContext& context, CardId card);
    /// The card alone out of its chain, its neighbours joined: Remove from Chain.
    static std::unique_ptr<ChainStep> RemoveFromChain(StepContext& context, CardId card);

    void redo() override;
    void undo() override;

protected:
    bool CheckUndo(QString& reason) const override { return CardFilesAsStored(reason); }
    bool CheckRedo(QString& reason) const override { return CardFilesAsStored(reason); }

private:
    ChainStep(StepContext& context, const QString& text, LinkSnapshot before, LinkSnapshot after);
    /// The step named by `text` with the card's name, or null for an empty plan.
    static std::unique_ptr<ChainStep> Make(
        StepContext& context, MessageKey text, CardId card, const LinkSnapshot& after);
    /// Whether each card file whose link changes holds what the store last read or wrote
    /// there: the next save would put this program's link over another program's change.
    bool CardFilesAsStored(QString& reason) const;

    LinkSnapshot FBefore;
    LinkSnapshot FAfter;
};
