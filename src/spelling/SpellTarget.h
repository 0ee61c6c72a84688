#pragma once

#include <QRect>
#include <QString>

class QWidget;

/// The text control a spell check walks: it reads the writer's text, shows a word and writes
/// corrections into the text. Positions are indexes into the writer's text.
class SpellTarget {
public:
    virtual ~SpellTarget() = default;

    /// The writer's text, exactly.
    virtual QString Text() const = 0;
    /// A number that changes with every edit of the text (and may change with its look alone),
    /// so that a check can tell cheaply that the writer may have changed the text behind its back.
    virtual int Revision() const = 0;
    /// Where the caret stands.
    virtual qsizetype CaretPosition() const = 0;
    /// Selects a part of the text and scrolls it into view.
    virtual void Select(qsizetype from, qsizetype to) = 0;
    /// Replaces a part of the text as one edit that Undo takes back, and marks the text changed;
    /// false when the text refuses edits (it is read-only).
    virtual bool Replace(qsizetype from, qsizetype to, const QString& text) = 0;
    /// Where the selection stands on the screen, so that a dialog can keep out of its way.
    virtual QRect SelectionOnScreen() const = 0;
    /// The control itself.
    virtual QWidget* Control() const = 0;
};
