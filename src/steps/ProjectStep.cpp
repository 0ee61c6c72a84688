#include "steps/ProjectStep.h"

#include <QUndoStack>

ProjectStep::ProjectStep(StepContext& context, const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent)
    , FContext(context)
{
}

bool ProjectStep::CanUndo(QString& reason) const
{
    return Can(&ProjectStep::CheckUndo, reason);
}

bool ProjectStep::CanRedo(QString& reason) const
{
    return Can(&ProjectStep::CheckRedo, reason);
}

bool ProjectStep::UndoTop(QUndoStack& steps, QString& reason)
{
    return Run(steps, true, reason);
}

bool ProjectStep::RedoNext(QUndoStack& steps, QString& reason)
{
    return Run(steps, false, reason);
}

bool ProjectStep::Run(QUndoStack& steps, bool undo, QString& reason)
{
    // The stack hands its steps out as const; the step's file work is part of its own move.
    auto* step = dynamic_cast<ProjectStep*>(
        const_cast<QUndoCommand*>(steps.command(undo ? steps.index() - 1 : steps.index())));
    if (step
        && !((undo ? step->CanUndo(reason) : step->CanRedo(reason))
            && step->FilesFirst(undo, reason)))
        return false;
    if (undo)
        steps.undo();
    else
        steps.redo();
    return true;
}

bool ProjectStep::Can(bool (ProjectStep::*check)(QString&) const, QString& reason) const
{
    for (int i = 0; i < childCount(); ++i)
        if (const auto* step = dynamic_cast<const ProjectStep*>(child(i));
            step && !step->Can(check, reason))
            return false;
    return (this->*check)(reason);
}

qint64 ProjectStep::KeptBytes() const
{
    qint64 bytes = OwnKeptBytes();
    for (int i = 0; i < childCount(); ++i)
        if (const auto* step = dynamic_cast<const ProjectStep*>(child(i)))
            bytes += step->KeptBytes();
    return bytes;
}
