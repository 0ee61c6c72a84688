#pragma once

#include "steps/ProjectStep.h"
#include "project/ProjectModel.h"

#include <QHash>
#include <QPoint>

/// Cards dragged from where they stood to where they were dropped: one step per drag.
class MoveCardsStep : public ProjectStep {
public:
    MoveCardsStep(StepContext& context, QHash<CardId, QPoint> from, QHash<CardId, QPoint> to);
    void redo() override;
    void undo() override;

private:
    QHash<CardId, QPoint> FFrom;
    QHash<CardId, QPoint> FTo;
};
