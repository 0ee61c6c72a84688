#pragma once

#include <QString>
#include <QUndoCommand>
#include <functional>

class Dialogs;
class MessageTable;
class ProjectModel;
class ProjectStore;

/// What the steps of the undo stack work on.
struct StepContext {
    ProjectModel& Model;
    ProjectStore& Store;
    Dialogs& Dialog;
    const MessageTable& Messages;
    /// A card's name changed (the compile list follows).
    std::function<void(const QString& oldName, const QString& newName)> CardRenamed;
    /// A card was deleted (its first entry leaves the compile list).
    std::function<void(const QString& name)> CardDeleted;
};

/// One change of the project that the writer can undo and redo. A step that touches files
/// says first whether undoing or redoing it is safe now: one that would overwrite or remove a
/// file changed on disk since is refused with the reason, and the stack stays where it was.
class ProjectStep : public QUndoCommand {
public:
    ProjectStep(StepContext& context, const QString& text, QUndoCommand* parent = nullptr);

    /// Whether the step (and each step within it) may be undone now; false with the reason.
    bool CanUndo(QString& reason) const;
    bool CanRedo(QString& reason) const;
    /// The bytes of files the step keeps in memory, the steps within it included.
    qint64 KeptBytes() const;

protected:
    virtual bool CheckUndo(QString& /*reason*/) const { return true; }
    virtual bool CheckRedo(QString& /*reason*/) const { return true; }
    virtual qint64 OwnKeptBytes() const { return 0; }

    StepContext& FContext;

private:
    /// The check asked of each step within this one, then of this one.
    bool Can(bool (ProjectStep::*check)(QString&) const, QString& reason) const;
};
