#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringMatcher>

class MessageTable;

/// What the writer asked to find.
struct SearchOptions {
    QString Pattern;
    bool MatchCase = false;
    bool WholeWords = false;
    bool RegularExpression = false;
};

/// One match in a text: where it starts and how long it is.
struct TextMatch {
    qsizetype Start = 0;
    qsizetype Length = 0;

    bool operator==(const TextMatch&) const = default;
};

/// Finds every match of a pattern in a text. Without Match Case letters are compared by Qt's
/// case folding, which keeps each character's length, so "ß" finds "ẞ" but not "ss" and a
/// match's place in the folded text is its place in the text. A match never ends between a
/// letter and the combining accents that follow it. Whole Words wants neither neighbour to be a
/// letter, digit or accent: an apostrophe or a hyphen ends a word ("Nell's", "Nell-like").
/// An invalid regular expression finds nothing and says why. Safe to share between threads
/// once made: searching changes nothing.
class TextMatcher {
public:
    explicit TextMatcher(const SearchOptions& options);

    /// Whether the pattern can find anything: not empty, and a valid expression.
    bool IsValid() const { return FValid; }
    /// Why an invalid regular expression finds nothing, with its place; empty when valid.
    QString Problem(const MessageTable& messages) const;

    /// Every match in `text`, ascending and never overlapping; no empty ones.
    QList<TextMatch> Matches(const QString& text) const;
    /// What replaces `match` of `text`: with a regular expression \1..\9 and $1..$9 stand for
    /// its groups (\\ and $$ for the characters themselves); otherwise `replacement` as typed.
    QString ReplacementFor(
        const QString& text, const TextMatch& match, const QString& replacement) const;

private:
    /// Whether a match found at [start, end) stands as the options want it.
    bool Stands(QStringView text, qsizetype start, qsizetype end) const;

    SearchOptions FOptions;
    bool FValid = false;
    QStringMatcher FPlain;
    QRegularExpression FExpression;
};
