#pragma once

#include "project/ProjectModel.h"

#include <QList>
#include <QString>

/// Which of a card's texts a replacement changes.
enum class ReplacedField { Name, Description, Text };

/// One stretch of a field's text to put `With` in place of, in the field as it was searched
/// (line ends as LF).
struct TextReplacement {
    qsizetype Start = 0;
    qsizetype Length = 0;
    QString With;

    bool operator==(const TextReplacement&) const = default;
};

/// The replacements of one field of one card, in ascending order and never overlapping, with
/// the field's text they were found in: a text that changed since it was searched is not
/// replaced on the strength of an old search.
struct CardReplacement {
    CardId Card = 0;
    ReplacedField Field = ReplacedField::Text;
    QString Searched;
    QList<TextReplacement> Edits;

    /// The field's text once every edit is made.
    QString Replaced() const
    {
        QString result;
        qsizetype from = 0;
        for (const TextReplacement& edit : Edits) {
            result += QStringView(Searched).mid(from, edit.Start - from);
            result += edit.With;
            from = edit.Start + edit.Length;
        }
        result += QStringView(Searched).mid(from);
        return result;
    }
};

/// A replacement that was not made, with the reason (a name that would be illegal or taken, a
/// text changed since it was searched).
struct RefusedReplacement {
    CardId Card = 0;
    ReplacedField Field = ReplacedField::Text;
    QString Reason;
};
