#pragma once

#include "project/ProjectModel.h"
#include "steps/TextReplacement.h"

#include <QList>
#include <QString>

/// The card texts open in editor windows, as a replace across the project sees them: the text
/// the writer sees there, unsaved changes and all, is the one searched and replaced, in the
/// editor, so that the editor's own undo takes the replace back too.
class OpenTexts {
public:
    virtual ~OpenTexts() = default;

    /// Whether the card's text is open in an editor.
    virtual bool IsOpen(CardId card) const = 0;
    /// The open text, line ends as LF.
    virtual QString Text(CardId card) const = 0;
    /// Makes the edits (ascending, on the text as Text gives it) as one edit of the editor; false,
    /// with the reason and nothing changed, when the editor takes no edit (a text it could not
    /// read).
    virtual bool Replace(CardId card, const QList<TextReplacement>& edits, QString& reason) = 0;
};
