#pragma once

#include "steps/ProjectStep.h"
#include "project/KeptFile.h"
#include "project/ProjectModel.h"

/// The texts of a chain joined into its first card's text file, and, when the writer said so,
/// the merged cards deleted (a DeleteCardsStep within this step). Undo puts the first text
/// back as it was, unless it was changed since the merge.
class MergeStep : public ProjectStep {
public:
    MergeStep(StepContext& context, CardId first, QString mergedText);
    /// Writes the merged text the first time, keeping the text it replaces; false, with the
    /// reason, when either fails (the step is then not to be pushed).
    bool WriteMergedText(QString& reason);
    void redo() override;
    void undo() override;

protected:
    bool CheckUndo(QString& reason) const override;
    qint64 OwnKeptBytes() const override;

private:
    CardId FFirst;
    QString FMergedText;
    KeptFile FBefore;
    KeptFile FAfter;
    bool FWritten = false; ///< the first redo finds the text written already
};
