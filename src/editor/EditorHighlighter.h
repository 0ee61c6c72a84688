#pragma once

#include <QColor>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <functional>

class SpellEngine;

/// Draws a card's text as the writer types it: the emphasis of the light markup (`*italic*`,
/// `**bold**`) with its marks dimmed, and, while live checking is on, the misspelled words
/// underlined on top of their emphasis. One highlighter does both, since two on one document
/// would overwrite each other's formats.
///
/// The markup is read block by block: a line is one block, except a paragraph too long for one
/// (see MemoText.h), whose pieces are read each on its own, so a pair of marks that a soft break
/// parts is not drawn. Only the blocks in view are drawn at all, so that a long text opens at
/// once; the others are drawn when they come into view, and a key redraws only its own block.
class EditorHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    /// Tells, for a block that continues a line (a piece of a long paragraph), the start of that
    /// line, which the spelling rules read; empty for a block that starts a line.
    using LeadIn = std::function<QString(const QTextBlock&)>;

    /// `marks` is the colour of the marks and the backslashes of escapes: a grey of the palette.
    EditorHighlighter(QTextDocument* document, const QColor& marks, LeadIn leadIn = {});

    /// Underlines the misspelled words by the engine, or none without one; the blocks in view
    /// are drawn again at once, the others when they come into view.
    void SetSpelling(SpellEngine* engine);

    /// The writer sees the blocks from `first` to `last`: they are drawn, those not drawn since
    /// the last change of spelling at once, and any edit in them from now on.
    void DrawBlocks(const QTextBlock& first, const QTextBlock& last);

protected:
    void highlightBlock(const QString& text) override;

private:
    /// Draws again the blocks that hold a word the engine now accepts.
    void RedrawBlocksWith(const QString& word);
    void DrawEmphasis(const QString& text);
    /// Adds the spelling underline to the formats already set on the misspelled words.
    void DrawMisspellings(const QString& text);

    SpellEngine* FEngine = nullptr;
    LeadIn FLeadIn;
    QTextCharFormat FMark;
    QTextCharFormat FItalic;
    QTextCharFormat FBold;
    QTextCharFormat FBoldItalic;
    /// A block's state is the round of drawing it was drawn in; a new round begins when the
    /// spelling changes, and a block of an older round (or waiting to come into view: -1, Qt's
    /// default state) is drawn when it is seen.
    int FRound = 0;
    int FFirstInView = 0; ///< block numbers of the blocks in view
    int FLastInView = -1;
};
