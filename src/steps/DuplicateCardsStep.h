#pragma once

#include "steps/ProjectStep.h"
#include "project/KeptFile.h"
#include "project/ProjectFiles.h"
#include "project/ProjectModel.h"

#include <QList>
#include <optional>

/// Copies of cards, each with a copy of its text, linked to nothing. The copies and their files
/// are made before the step is pushed, all of them or none. Undo removes the copies' card and
/// text files, and redo puts back the very bytes that were written; undo is refused while a
/// copy's text, or its card file by another program, was changed since, and redo while a file
/// stands where a copy's file comes back.
class DuplicateCardsStep : public ProjectStep {
public:
    /// A card to copy, and what its copy is: its name and place are the copy's own.
    struct Copy {
        CardId Original = 0;
        CardData Data;
    };

    DuplicateCardsStep(StepContext& context, const QString& text, QList<Copy> copies);
    /// Adds the copies to the model and writes their card files and texts. False, with the
    /// reason, when a text cannot be read or a file cannot be written: what was made is gone
    /// again, and the step is not to be pushed.
    bool MakeCopies(QString& reason);
    /// The copies, in the order they were given.
    QList<CardId> Copies() const;
    void redo() override;
    void undo() override;

protected:
    bool CheckUndo(QString& reason) const override;
    bool CheckRedo(QString& reason) const override;
    bool FilesFirst(bool undo, QString& reason) override;
    qint64 OwnKeptBytes() const override;

private:
    struct Made {
        CardId Card = 0;
        int Index = 0;
        CardData Data;
        std::optional<CardFileData> Stored;
        KeptFile CardFile;
        KeptFile TextFile;
    };
    /// Removes the copies' files, or the first `count` of them; false with the reason when one
    /// stays, the files removed before it being put back.
    bool RemoveFiles(QString& reason, qsizetype count) const;
    /// Puts the copies' files back; false with the reason when one cannot be, the files put
    /// back before it being removed again.
    bool RestoreFiles(QString& reason) const;

    QList<Copy> FCopies;
    QList<Made> FMade;
};
