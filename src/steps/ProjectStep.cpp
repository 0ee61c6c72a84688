#include "steps/ProjectStep.h"

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
