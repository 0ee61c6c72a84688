#pragma once

#include <QString>
#include <QStringView>

/// A place in a text that the word parser reads from: the character there (a zero character past
/// the end), a step forward (refused past the end, or past an end limit when only a part of the
/// text is checked) and a step back. Characters are UTF-16 units; the two halves of a surrogate
/// pair both read as the character they make together, so that they fall into the same class.
class ParserPosition {
public:
    /// Reads `text` from `start`; with an `endLimit`, no step goes beyond that index.
    explicit ParserPosition(QStringView text, qsizetype start = 0, qsizetype endLimit = -1);

    /// The character at the position; 0 past the end.
    char32_t Current() const;
    /// The UTF-16 unit at the position; a null character past the end.
    QChar Unit() const;
    /// One step forward; false, without moving, past the end or the end limit.
    bool Forward();
    /// One step back; none before the start of the text.
    void Back();

    qsizetype Index() const { return FIndex; }
    void MoveTo(qsizetype index);
    QStringView Text() const { return FText; }

    /// Longest line the line rules read.
    static constexpr qsizetype MaxLineLength = 16384;
    /// The line that holds the character before the position (the end of a word just read), at
    /// most MaxLineLength characters from its start.
    QStringView CurrentLine() const;
    /// For a text that begins inside a line (a piece of a long paragraph): the start of that line
    /// before the text, which the line rules read as part of the text's first line.
    void SetLineLeadIn(const QString& leadIn);

private:
    QStringView FText;
    qsizetype FIndex = 0;
    qsizetype FLimit = 0;
    QString FLeadIn;
    // The last line worked out, so that a line's words do not each look for its start again.
    mutable qsizetype FLineStart = -1;
    mutable qsizetype FLineEnd = -1;
    mutable QString FFirstLine; ///< the lead-in and the text's first line together
};
