#pragma once

#include <QString>

#include <functional>
#include <optional>

/// Whether a character may never stand in a card name: the nine that a file name cannot hold
/// on every system (" * / : < > ? \ |), and control characters.
bool IsForbiddenNameCharacter(QChar c);

/// Whether a character typed into a name is dropped: one of the nine a file name cannot hold.
/// Control characters are the keyboard's (Enter, Esc, Tab, Delete, Ctrl+V), never text typed.
bool IsDroppedWhenTyped(QChar c);

/// The first forbidden character of a name, if it holds one.
std::optional<QChar> FirstForbiddenCharacter(const QString& name);

/// A forbidden character as a message shows it: "'/'", or "U+0009" for a control character.
QString ShownCharacter(QChar c);

/// The name as it is kept: without blanks around it, and with each run of blanks inside it
/// made one space.
QString NormaliseCardName(const QString& typed);

/// What a name typed for a card comes to.
enum class NameVerdict {
    Accepted,
    Compilation, ///< "Compilation" belongs to the card that compilation makes
    NotUnique,   ///< empty or "unnamed"
    Forbidden,   ///< holding a character a file name cannot hold
    Taken,       ///< another card of the project has it
};

/// Judges a normalised name for a new card (`oldName` empty) or a renamed one. The card's own
/// name, unchanged, is always accepted; `takenByAnotherCard` says whether another card has the
/// name (for the card's own name in other capitals, one spelt exactly so: on a file system that
/// tells capitals apart, "foo" and "Foo" may both be cards).
NameVerdict JudgeCardName(const QString& name, const QString& oldName, bool newCard,
                          bool takenByAnotherCard);

/// The name of a duplicate of the card `name`: "<name> 2", or the next number free after the
/// one the name ends in ("Ada 2" gives "Ada 3"), skipping every name `taken` says is taken.
/// Empty when no free name is at most `maxLength` long: a name too long is never made.
QString DuplicateName(const QString& name, const std::function<bool(const QString&)>& taken,
                      int maxLength);
