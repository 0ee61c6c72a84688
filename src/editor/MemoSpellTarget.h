#pragma once

#include "spelling/SpellTarget.h"

class EditorMemo;

/// An editor's memo as the text a spell check walks: offsets in the writer's text become
/// document positions across the soft breaks, and corrections are ordinary edits of the memo.
class MemoSpellTarget : public SpellTarget {
public:
    explicit MemoSpellTarget(EditorMemo& memo);

    QString Text() const override;
    int Revision() const override;
    qsizetype CaretPosition() const override;
    void Select(qsizetype from, qsizetype to) override;
    bool Replace(qsizetype from, qsizetype to, const QString& text) override;
    QRect SelectionOnScreen() const override;
    QWidget* Control() const override;

private:
    EditorMemo& FMemo;
};
