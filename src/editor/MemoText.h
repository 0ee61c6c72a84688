#pragma once

#include <QList>
#include <QString>
#include <QTextCursor>

class QTextBlock;
class QTextDocument;

// The writer's text as an editor's document holds it, character for character.
//
// A QTextDocument keeps each paragraph in one block and turns U+2029, U+FDD0 and U+FDD1 into
// block breaks as text goes in; and a paragraph of a hundred thousand characters, laid out
// whole again on every key, takes seconds. So the format of the block after each break says
// what the break stands for in the writer's text: a line end (no mark), one of those three
// characters, or nothing at all: a soft break, which cuts a long paragraph into blocks that lay
// out within a frame. Text goes in and comes out only through these functions, so that what is
// saved, counted, searched, printed and copied is the writer's text.

/// The writer's text, line ends as LF.
QString MemoText(const QTextDocument& document);
/// The writer's text between two document positions.
QString MemoText(const QTextDocument& document, int from, int to);
/// The writer's text of the cursor's selection.
QString SelectedMemoText(const QTextCursor& cursor);

/// Replaces the whole text and forgets the undo history, as loading a file does.
void SetMemoText(QTextDocument& document, const QString& text);
/// Puts text (line ends in any form) in place of the cursor's selection, as one undo step. Long
/// blocks it makes are left to SplitLongBlocks.
void InsertMemoText(QTextCursor& cursor, const QString& text);
/// Cuts the blocks from the one holding `from` to the one holding `to` that grew too long for a
/// fast layout with soft breaks, as part of the document's last edit.
void SplitLongBlocks(QTextDocument& document, int from, int to);

/// The document positions of the soft breaks, ascending.
QList<int> SoftBreakPositions(const QTextDocument& document);
/// Whether the break before the block stands for nothing in the writer's text.
bool IsSoftBreakBefore(const QTextBlock& block);
/// What the break before the block stands for in the writer's text: a line end, U+2029, U+FDD0
/// or U+FDD1, or nothing for a soft break; nothing before the first block.
QString StandsForBefore(const QTextBlock& block);
/// Moves the cursor across the soft breaks at its place, so that a key that moves over or
/// deletes one character acts on a character of the writer's text.
void StepOverSoftBreaks(QTextCursor& cursor, bool forward, QTextCursor::MoveMode mode);
