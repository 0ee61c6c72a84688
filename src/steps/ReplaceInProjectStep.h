#pragma once

#include "project/KeptFile.h"
#include "steps/ChangeCardStep.h"
#include "steps/OpenTexts.h"
#include "steps/ProjectStep.h"
#include "steps/TextReplacement.h"

#include <QList>
#include <functional>
#include <memory>
#include <vector>

/// Replace in Project: the replacements the writer checked, across card texts, names and
/// descriptions, as one step. A text open in an editor is changed there as one edit (the
/// editor's own undo takes it back too); any other text is written through the card texts, the
/// text it replaces kept in the card's history; a name or description changes as the properties
/// dialog changes it, the files and incoming links following a name. Undo and redo put every
/// text back as the step found or left it, byte for byte on disk, and are refused with the
/// reason, nothing half done, when a text was changed since.
class ReplaceInProjectStep : public ProjectStep {
public:
    /// Whether the card may take the name; false with the reason. The name comes back as the
    /// card would keep it (blanks tidied).
    using NameCheck = std::function<bool(CardId card, QString& name, QString& reason)>;

    ReplaceInProjectStep(StepContext& context, std::unique_ptr<OpenTexts> openTexts,
        QString pattern, NameCheck nameCheck);
    ~ReplaceInProjectStep() override;

    /// Makes the replacements the first time; those that cannot be made (a text changed since
    /// it was searched, a name illegal or taken, a file that cannot be written) come back with
    /// the reason, and the rest are made. The step is then named after the cards it changed.
    QList<RefusedReplacement> Make(const QList<CardReplacement>& records);
    /// How many cards the replacements changed, each counted once.
    int CardsChanged() const;

    void redo() override;
    void undo() override;

protected:
    bool CheckUndo(QString& reason) const override;
    bool CheckRedo(QString& reason) const override;
    /// Moves the texts first; when one cannot be moved, those moved already go back.
    bool FilesFirst(bool undo, QString& reason) override;
    qint64 OwnKeptBytes() const override;

private:
    /// One card's text as the step found it and left it.
    struct TextChange {
        CardId Card = 0;
        QString Before;
        QString After;
        QList<TextReplacement> Edits;
        bool InEditor = false; ///< made in an open editor, rather than in the file
        /// The file's bytes before and after, when made in the file; they follow the card's
        /// renames, so they are pointed at its file each time they are used.
        mutable KeptFile BeforeFile;
        mutable KeptFile AfterFile;
    };

    /// Replaces in one card's text, in its editor or its file; false with the reason.
    bool MakeText(const CardReplacement& record, QString& reason);
    /// Replaces in a card's name and description through a ChangeCardStep; the refusals go to
    /// `refused`.
    void MakeCard(CardId card, const CardReplacement* name, const CardReplacement* description,
        QList<RefusedReplacement>& refused);
    /// Whether the card's text is still as the step left it before an undo (`toAfter` false) or
    /// found it before a redo; false with the reason.
    bool Check(const TextChange& change, bool toAfter, QString& reason) const;
    /// Whether every name, description and text is still as the step left it before an undo
    /// (`toAfter` false) or found it before a redo; false with the first reason.
    bool CanMove(bool toAfter, QString& reason) const;
    /// Puts the card's text as the step found it (`toAfter` false) or left it.
    bool Move(const TextChange& change, bool toAfter, QString& reason) const;
    /// Moves every text, or none: those moved go back when one fails.
    bool MoveTexts(bool toAfter, QString& reason) const;
    /// Tells the program a text file was written here, so that the words shown for it count
    /// again; true, to be chained after the write.
    bool TextWritten(CardId card) const;
    /// The edits that take the replaced text back to the searched one.
    static QList<TextReplacement> Reversed(const TextChange& change);
    QString CardName(CardId card) const;

    std::unique_ptr<OpenTexts> FOpenTexts;
    QString FPattern;
    NameCheck FNameCheck;
    QList<TextChange> FTexts;
    std::vector<std::unique_ptr<ChangeCardStep>> FCardChanges;
    bool FMade = false; ///< Make did what the first redo would
    bool FTextsMoved = false; ///< FilesFirst moved the texts for the undo or redo that follows
};
