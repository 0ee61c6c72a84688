#pragma once

#include "steps/ProjectStep.h"
#include "project/KeptFile.h"
#include "project/ProjectModel.h"

/// The texts of a chain joined into its first card's text file, and, when the writer said so,
/// the merged cards deleted (a DeleteCardsStep within this step). Undo puts the first text
/// back as it was, unless it was changed since the merge; redo writes the merged text again,
/// unless the text was changed since the undo.
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
    bool CheckRedo(QString& reason) const override;
    bool FilesFirst(bool undo, QString& reason) override;
    qint64 OwnKeptBytes() const override;

private:
    CardId FFirst;
    QString FMergedText;
    KeptFile FBefore;
    KeptFile FAfter;
    /// Writes the merged text into the first card's file, its text before kept in the history.
    bool WriteText(QString& reason) const;
    /// Whether the first card's text is on disk as `kept` holds it; false with the reason if not.
    bool Unchanged(const KeptFile& kept, QString& reason) const;

    bool FWritten = false; ///< the next redo finds the merged text written already
    bool FRestored = false; ///< the next undo finds the text before put back already
};
