#pragma once

#include "steps/ProjectStep.h"
#include "project/ProjectModel.h"

#include <QHash>
#include <QPoint>

/// Cards moved from where they stood to where they were put: one step per drag, and one per
/// run of Ctrl+arrow presses.
class MoveCardsStep : public ProjectStep {
public:
    /// How a move stands to the step below it on the stack.
    enum class KeyRun {
        None,     ///< a drag: a step of its own that nothing joins
        Starts,   ///< the first key press of a run: later presses may join it
        Continues ///< a later key press: joins the step below when that moved the same cards
    };

    MoveCardsStep(StepContext& context, QHash<CardId, QPoint> from, QHash<CardId, QPoint> to,
                  KeyRun run = KeyRun::None);
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    QHash<CardId, QPoint> FFrom;
    QHash<CardId, QPoint> FTo;
    KeyRun FRun;
};
