#pragma once

#include <QString>

/// The longest card name: names are file names, and the loader ignores longer ones.
constexpr int MaxCardNameChars = 40;

/// Whether a character may never stand in a card name: the nine that a file name cannot hold
/// on every system (" * / : < > ? \ |), and control characters.
bool IsForbiddenNameCharacter(QChar c);

/// Whether a name holds a forbidden character anywhere.
bool HoldsForbiddenCharacter(const QString& name);

/// The name as it is kept: without blanks around it, and with each run of blanks inside it
/// made one space.
QString NormaliseCardName(const QString& typed);

/// What a name typed for a card comes to.
enum class NameVerdict {
    Accepted,
    Compilation, ///< "Compilation" belongs to the card that compilation makes
    NotUnique,   ///< empty, "unnamed", or holding a forbidden character
    Taken,       ///< another card of the project has it
};

/// Judges a normalised name for a new card (`oldName` empty) or a renamed one. A name that
/// differs from the card's own only in capitals is accepted, unless another card has it (on a
/// file system that tells capitals apart, "foo" and "Foo" may both be cards).
NameVerdict JudgeCardName(const QString& name, const QString& oldName, bool newCard,
                          bool takenByAnotherCard);
