#pragma once

#include "project/ProjectModel.h"

#include <QObject>

class OutlineDock;
class OutlineModel;
class TfmMain;

/// The outline beside the canvas, wired to the main window: View > Outline shows it, its
/// selection is the canvas's, its keys run the card commands, and a name or description typed
/// in place changes the card as the properties dialog does.
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

private:
    /// A name or description typed in place: refused, with the properties dialog's message,
    /// where that dialog would refuse it; otherwise one undoable step.
    bool Change(CardId card, CardData after);
    /// The row of the canvas's current card becomes the outline's current row.
    void FollowCanvas();
    /// Makes the card the canvas's only selected one, then runs a card command on it.
    bool Choose(CardId card);

    TfmMain& FWindow;
    OutlineModel* FModel;
    OutlineDock* FDock;
};
