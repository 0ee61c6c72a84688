#pragma once

#include "steps/OpenTexts.h"

class EditorWindows;
class MessageTable;

/// The card texts open in the project's editor windows, for a replace across the project.
class EditorOpenTexts : public OpenTexts {
public:
    EditorOpenTexts(EditorWindows& editors, const MessageTable& messages);

    bool IsOpen(CardId card) const override;
    QString Text(CardId card) const override;
    /// The edits go in from the last to the first, so that the positions before them hold, as
    /// one edit block: one Ctrl+Z in the editor takes them all back.
    bool Replace(CardId card, const QList<TextReplacement>& edits, QString& reason) override;

private:
    EditorWindows& FEditors;
    const MessageTable& FMessages;
};
