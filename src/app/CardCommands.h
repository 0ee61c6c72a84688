#pragma once

#include "steps/ProjectStep.h"
#include "project/ProjectModel.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <functional>

struct CanvasState;
struct ProjectState;
struct Theme;
class CanvasFollower;
class Dialogs;
class EditorWindows;
class MessageTable;
class ProjectStore;
class QUndoStack;
class TfmProperties;
class TNodex;

/// The commands that change cards: New card, Duplicate, Delete, the revision state, links,
/// Remove Links, Merge and Properties. Each change is a step pushed on the undo stack; the steps
/// change the model (which the canvas follows) and the card and text files where the command
/// says so.
/// The caller rebuilds the caption afterwards.
class CardCommands {
public:
    CardCommands(ProjectState& project, CanvasState& selection, ProjectModel& model,
        CanvasFollower& canvas, Theme& theme, ProjectStore& store, EditorWindows& editors,
        QUndoStack& steps, Dialogs& dialogs, const MessageTable& messages);

    /// The dialog that asks for a card's name, type and description.
    void SetPropertiesDialog(TfmProperties& dialog) { FProperties = &dialog; }

    /// New card at a canvas point: only once the project has a folder on disk.
    void NewCard(QPoint canvasPoint);
    /// Makes one card centred on a canvas point through the properties dialog and writes its
    /// card file; false when the dialog was cancelled (the card is gone again).
    bool CreateCard(QPoint canvasPoint);
    /// Asks whether the text files go too, then deletes the selected cards.
    void Delete();
    /// Deletes the selected cards with their card files (and text files) and unlinks them.
    void DeleteSelectedCards(bool withText);
    /// A copy of each selected card with its text, beside it and linked to nothing, under the
    /// next free numbered name; the copies become the selection. Says why when nothing was made.
    void Duplicate();
    /// Sets the current card's revision state.
    void SetRevisionState(int state);
    /// A Ctrl-click from `source` on `target`: links them, or unlinks them when linked.
    void LinkCards(CardId source, CardId target);
    /// Cards dragged from where they stood to where they were dropped.
    void MoveCards(const QHash<CardId, QPoint>& from, const QHash<CardId, QPoint>& to);
    /// Cards moved by one Ctrl+arrow press: a run of presses with no other step between them
    /// (and no save) is one step.
    void NudgeCards(const QHash<CardId, QPoint>& from, const QHash<CardId, QPoint>& to);
    /// Breaks every link of the current card's chain from the current card on.
    void RemoveLinks();
    /// Takes the current card out of its chain and joins its neighbours.
    void RemoveFromChain();
    /// Joins the texts of the current card's chain into its text file, and after a Yes deletes
    /// the cards that were merged.
    void Merge();
    /// The properties of the current card; its files follow a new name.
    void Properties();
    /// Makes the card "Compilation" at 44, 30 unless the project has one.
    void EnsureCompilationCard();
    /// Whether the compilation may be written: false, with the reason, when a card of another
    /// type is called "Compilation" (made by hand, or brought from another project), whose text
    /// the compilation would replace.
    bool CompilationNameFree(QString& reason) const;

    /// What the steps work on; the compile list follows renamed and deleted cards through it.
    StepContext& Context() { return FContext; }
    /// Whether a name belongs to another card of the project than `self`.
    bool NameTaken(const QString& name, CardId self) const;
    /// Why the card may not take `name` (tidied already), by the properties dialog's rules and
    /// in its words; empty when it may.
    QString RenameRefusal(CardId card, const QString& name) const;

private:
    /// Saves the open editors of cards about to be merged, closing them when the cards go.
    bool SaveEditorsOf(const QList<CardId>& cards, bool closing, QString& reason) const;
    bool MergedText(const QList<CardId>& chain, QString& text, QString& reason) const;
    TNodex* Current() const;

    ProjectState& FProject;
    CanvasState& FSelection;
    ProjectModel& FModel;
    CanvasFollower& FCanvas;
    Theme& FTheme;
    ProjectStore& FStore;
    EditorWindows& FEditors;
    QUndoStack& FSteps;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
    StepContext FContext;
    TfmProperties* FProperties = nullptr;
    /// The step the last key move went into: compared, never followed.
    const QUndoCommand* FLastNudge = nullptr;
};
