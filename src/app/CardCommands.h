#pragma once

#include <QList>
#include <QPoint>
#include <QString>

#include <functional>

struct CanvasState;
struct ProjectState;
struct Theme;
class Dialogs;
class MessageTable;
class ProjectStore;
class TCanvas;
class TfmProperties;
class ThemeApplier;
class TNodex;

/// The commands that change cards: New card, Delete, the revision state, Remove Links, Merge
/// and Properties. They work on the current card and the selection, and change the card and
/// text files at once where the command says so; the caller rebuilds the caption afterwards.
class CardCommands {
public:
    CardCommands(ProjectState& project, CanvasState& selection, TCanvas& canvas, Theme& theme,
                 ThemeApplier& themes, ProjectStore& store, Dialogs& dialogs,
                 const MessageTable& messages);

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
    /// Sets the current card's revision state.
    void SetRevisionState(int state);
    /// Breaks every link of the current card's chain from the current card on.
    void RemoveLinks();
    /// Joins the texts of the current card's chain into its text file, and after a Yes deletes
    /// the cards that were merged.
    void Merge();
    /// The properties of the current card; its files follow a new name.
    void Properties();
    /// Makes the card "Compilation" at 44, 30 unless the canvas has one.
    void EnsureCompilationCard();
    /// Whether the compilation may be written: false, with the reason, when a card of another
    /// type is called "Compilation" (made by hand, or brought from another project), whose text
    /// the compilation would replace.
    bool CompilationNameFree(QString& reason) const;

    /// A card was renamed (the compile list follows) or deleted (its first entry leaves).
    std::function<void(const QString& oldName, const QString& newName)> CardRenamed;
    std::function<void(const QString& name)> CardDeleted;

private:
    /// Whether a name belongs to another card of the project than `self`.
    bool NameTaken(const QString& name, const TNodex* self) const;
    /// Detaches cards that are about to go from every card that links to them.
    void UnlinkCardsThatGo(const QList<TNodex*>& going);
    /// Saves the open editors of cards about to be merged, closing them when the cards go.
    bool SaveEditorsOf(const QList<TNodex*>& cards, bool closing, QString& reason) const;
    bool WriteMergedText(const QList<TNodex*>& chain, QString& reason) const;

    ProjectState& FProject;
    CanvasState& FSelection;
    TCanvas& FCanvas;
    Theme& FTheme;
    ThemeApplier& FThemes;
    ProjectStore& FStore;
    Dialogs& FDialogs;
    const MessageTable& FMessages;
    TfmProperties* FProperties = nullptr;
};
