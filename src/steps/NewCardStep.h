#pragma once

#include "steps/ProjectStep.h"
#include "project/ProjectModel.h"

/// A card made by the writer (with its card file) or by the compilation (without one).
class NewCardStep : public ProjectStep {
public:
    /// The card may already be in the model (it showed while the properties dialog was open).
    NewCardStep(StepContext& context, CardId card, CardData data, int index, bool writesFile);
    void redo() override;
    void undo() override;

protected:
    bool CheckUndo(QString& reason) const override;
    bool CheckRedo(QString& reason) const override;

private:
    QString CardFilePath() const;

    CardId FCard;
    CardData FData;
    int FIndex;
    bool FWritesFile;
};
