#pragma once

#include "project/ProjectModel.h"

#include <QString>
#include <QUndoCommand>
#include <functional>

class Dialogs;
class MessageTable;
class ProjectModel;
class ProjectStore;
class QUndoStack;

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
    /// A step wrote a card's text file itself (the words drawn for it count again).
    std::function<void(CardId card)> TextWritten;
};

/// One change of the project that the writer can undo and redo. A step that touches files
/// says first whether undoing or redoing it is safe now: one that would overwrite or remove a
/// file changed on disk since is refused with the reason, and the stack stays where it was.
class ProjectStep : public QUndoCommand {
public:
    ProjectStep(StepContext& context, const QString& text, QUndoCommand* parent = nullptr);

    /// Undoes the step below the stack's index, as Edit > Undo does: only when it may be undone
    /// now, and with its file work done before the stack moves, so that a refusal or a failure
    /// leaves the stack, the model and the files where they were. False with the reason.
    static bool UndoTop(QUndoStack& steps, QString& reason);
    /// Redoes the step at the stack's index, as UndoTop undoes.
    static bool RedoNext(QUndoStack& steps, QString& reason);

    /// Whether the step (and each step within it) may be undone now; false with the reason.
    bool CanUndo(QString& reason) const;
    bool CanRedo(QString& reason) const;
    /// The bytes of files the step keeps in memory, the steps within it included.
    qint64 KeptBytes() const;

protected:
    virtual bool CheckUndo(QString& /*reason*/) const { return true; }
    virtual bool CheckRedo(QString& /*reason*/) const { return true; }
    /// Does what of this step's own undo (redo) may fail, before the stack moves; the undo() or
    /// redo() that follows finds it done. False, with the reason and nothing changed, when it
    /// fails.
    virtual bool FilesFirst(bool /*undo*/, QString& /*reason*/) { return true; }
    virtual qint64 OwnKeptBytes() const { return 0; }

    StepContext& FContext;

private:
    /// The check asked of each step within this one, then of this one.
    bool Can(bool (ProjectStep::*check)(QString&) const, QString& reason) const;
    static bool Run(QUndoStack& steps, bool undo, QString& reason);
};
