#pragma once

class QTextCursor;

/// The emphasis Ctrl+I and Ctrl+B put on and take off.
enum class Emphasis { Italic, Bold };

/// Ctrl+I or Ctrl+B on a document: puts the emphasis's marks around the selection, or around the
/// word at the caret when nothing is selected, or takes them off when they stand there already,
/// as one edit that one Undo takes back. Markup never crosses a line, so a selection over
/// several lines is marked line by line (blanks at either end left outside the marks), and its
/// marks are taken off only when every line has them. The selection (or the caret) stays on the
/// same text.
void ToggleEmphasis(QTextCursor& cursor, Emphasis emphasis);
