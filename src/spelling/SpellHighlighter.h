#pragma once

#include "spelling/WordParser.h"

#include <QSyntaxHighlighter>
#include <functional>
#include <optional>

class SpellEngine;

/// The words of a piece of text (one line, or a piece of a long one) that are misspelled, each
/// where it stands in the piece; `leadIn` is the start of the line before the piece.
QList<ParsedWord> MisspelledWords(
    SpellEngine& engine, const QString& text, const QString& leadIn = {});

/// The misspelled word of a piece of text that holds the offset, if there is one.
std::optional<ParsedWord> MisspelledWordAt(
    SpellEngine& engine, const QString& text, qsizetype offset, const QString& leadIn = {});

/// Live checking: underlines the misspelled words of a document as the writer types. Each block
/// is checked on its own, so a key rechecks only the block it changed; and only the blocks in
/// view are checked at all, so that a long text opens at once: the others are checked when they
/// come into view.
class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    /// Tells, for a block that continues a line (a piece of a long paragraph), the start of that
    /// line; empty for a block that starts a line.
    using LeadIn = std::function<QString(const QTextBlock&)>;

    SpellHighlighter(QTextDocument* document, SpellEngine& engine, LeadIn leadIn = {});

    /// The writer sees the blocks from `first` to `last`: they are checked, those not checked
    /// yet at once, and any edit in them from now on.
    void CheckBlocks(const QTextBlock& first, const QTextBlock& last);

protected:
    void highlightBlock(const QString& text) override;

private:
    /// A block's state: checked, or waiting to come into view (Qt's default state).
    enum TBlockState { Unchecked = -1, Checked = 1 };

    /// Checks again the blocks that hold a word the engine now accepts.
    void RecheckBlocksWith(const QString& word);

    SpellEngine& FEngine;
    LeadIn FLeadIn;
    QTextCharFormat FMisspelled;
    int FFirstInView = 0; ///< block numbers of the blocks in view
    int FLastInView = -1;
};
