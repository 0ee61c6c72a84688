#pragma once

#include "project/ChainEdits.h"
#include "project/ProjectModel.h"

#include <QObject>
#include <QString>
#include <memory>

class ChainStep;
class OutlineDock;
class OutlineModel;
class TfmMain;

/// The outline beside the canvas, wired to the main window: View > Outline shows it, its
/// selection is the canvas's, its keys and its rows' menu run the card commands, a name or
/// description typed in place changes the card as the properties dialog does, and a row moved
/// (Alt+Up, Alt+Down, dragged) moves its card in the chains in one undoable step.
class OutlineCommands : public QObject {
    Q_OBJECT
public:
    explicit OutlineCommands(TfmMain& window);
    ~OutlineCommands() override;

    OutlineModel& Model() { return *FModel; }
    OutlineDock& Dock() { return *FDock; }
    bool Shown() const;
    void Show(bool shown);
    /// The captions of the dock, its columns and the loose cards' row, from the message table.
    void ApplyCaptions();
    /// The language may have changed: a shown outline speaks the new one at once, a hidden one
    /// when next shown.
    void FollowLanguage();
    /// A card's text was saved: its words, and the totals above it, are counted again.
    void TextSaved(CardId card);

private:
    /// The dock's title, the columns ('|' between them) and the loose cards' row.
    struct Captions {
        QString Title;
        QString Headers;
        QString NotInAChain;
        bool operator==(const Captions&) const = default;
    };
    /// The captions in the language now in use.
    Captions CaptionsNow() const;
    /// A name or description typed in place: refused, with the properties dialog's message,
    /// where that dialog would refuse it; otherwise one undoable step.
    bool Change(CardId card, CardData after);
    /// The row of the canvas's current card becomes the outline's current row.
    void FollowCanvas();
    /// Makes the card the canvas's only selected one, then runs a card command on it.
    bool Choose(CardId card);
    /// A row moved: the card to a place in a chain, or out of every chain (no place).
    bool Move(CardId card, std::optional<ChainPlace> place);
    /// Pushes a chain step of the card, which stays the chosen card and row; false when there is
    /// no step (the card is first or last already, or the move changes nothing).
    bool PushChainStep(CardId card, std::unique_ptr<ChainStep> step);

    TfmMain& FWindow;
    OutlineModel* FModel;
    OutlineDock* FDock;
    bool FSized = false;
    Captions FCaptions; ///< the captions last applied
};
