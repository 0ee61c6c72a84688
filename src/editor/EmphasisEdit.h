#pragma once

#include <QStringView>
#include <optional>

class QTextCursor;

/// The emphasis Ctrl+I and Ctrl+B put on and take off.
enum class Emphasis { Italic, Bold };

/// A stretch of a line, in its own offsets, `End` past its last character.
struct TextSpan {
    qsizetype Start = 0;
    qsizetype End = 0;
    bool operator==(const TextSpan&) const = default;
};

/// The word that holds the caret or ends at it (a letter or digit run, with apostrophes and
/// hyphens inside it); an empty span at the caret where there is none.
TextSpan WordAt(QStringView line, qsizetype caret);

/// Where the marks of an emphasis stand around a span of a line: just outside it (`*word*` with
/// "word" chosen) or just inside it (with "*word*" chosen); nothing when the span does not
/// stand so. Of `***word***` both emphases are read: italic the innermost mark, bold the two
/// beside the text; an escaped mark (`\*`) is none.
struct EmphasisMarks {
    qsizetype Left = 0; ///< where the opening mark starts
    qsizetype Right = 0; ///< where the closing mark starts
    qsizetype Length = 0;
};
std::optional<EmphasisMarks> MarksAround(QStringView line, TextSpan span, Emphasis emphasis);

/// Ctrl+I or Ctrl+B on a document: puts the emphasis's marks around the selection, or around the
/// word at the caret when nothing is selected, or takes them off when they stand there already,
/// as one edit that one Undo takes back. Markup never crosses a line, so a selection over
/// several lines is marked line by line (blanks at either end left outside the marks), and its
/// marks are taken off only when every line has them. The selection (or the caret) stays on the
/// same text.
void ToggleEmphasis(QTextCursor& cursor, Emphasis emphasis);
