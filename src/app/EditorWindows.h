#pragma once

#include "project/ProjectModel.h"

#include <QHash>
#include <QList>
#include <QPointer>

class TfmEditor;

/// The open editor windows of the project's cards, by card: the commands that save, reload or
/// print a card's text find its editor here as what it is.
class EditorWindows {
public:
    /// The card's open editor, or none.
    TfmEditor* Of(CardId card) const { return FEditors.value(card); }
    void Set(CardId card, TfmEditor* editor) { FEditors.insert(card, editor); }
    void Remove(CardId card) { FEditors.remove(card); }
    /// Every open editor.
    QList<TfmEditor*> Open() const;

private:
    QHash<CardId, QPointer<TfmEditor>> FEditors;
};
