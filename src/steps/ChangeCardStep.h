#pragma once

#include "steps/ProjectStep.h"
#include "project/ProjectModel.h"

/// A card's revision state or properties changed; a new name moves its card file and text
/// file along, and back on undo.
class ChangeCardStep : public ProjectStep {
public:
    /// `filesRenamed`: the files already carry the new name (the properties dialog moved them).
    ChangeCardStep(StepContext& context, const QString& text, CardId card, CardData before,
        CardData after, bool filesRenamed);
    void redo() override;
    void undo() override;
    CardId Card() const { return FCard; }

protected:
    bool CheckUndo(QString& reason) const override;
    bool CheckRedo(QString& reason) const override;
    /// A new name moves the files first: when that fails the card keeps the name it has.
    bool FilesFirst(bool undo, QString& reason) override;

private:
    bool Renames() const { return FBefore.Name != FAfter.Name; }
    /// Gives the card these fields, keeping the file name the store gave it.
    void Apply(CardData data);
    void RenameFiles(const QString& name);

    CardId FCard;
    CardData FBefore;
    CardData FAfter;
    bool FFilesRenamed; ///< the files carry the name the next undo or redo gives the card
};
