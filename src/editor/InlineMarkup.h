#pragma once

#include <QList>
#include <QString>
#include <QStringView>

/// A piece of a line as the light emphasis markup writers know reads it: `*words*` or
/// `_words_` italic, `**words**` bold, `\*` a literal asterisk. The pieces cover the line end to
/// end, in order, in the line's own offsets, so that the editor can draw them where they stand
/// and an export can print the text without the marks.
struct MarkupPiece {
    enum class Kind {
        Text, ///< printed as it stands, in the emphasis of the piece
        Mark, ///< a mark that opens or closes emphasis: not printed
        Escape, ///< the backslash of `\*` or `\_`: not printed, the character after it is Text
    };
    qsizetype Start = 0;
    qsizetype Length = 0;
    Kind Type = Kind::Text;
    bool Italic = false;
    bool Bold = false;

    bool operator==(const MarkupPiece&) const = default;
};

/// A run of printed text and its emphasis: a line with its marks taken out.
struct StyledRun {
    QString Text;
    bool Italic = false;
    bool Bold = false;

    bool operator==(const StyledRun&) const = default;
};

/// Reads the emphasis of one line (markup never crosses a line, nor so a paragraph). A mark
/// opens only where the text after it starts at once and closes only where the text before it
/// ends at once, so an asterisk with a blank on both sides ("2 * 3") is printed as it stands, as
/// is a mark that is never closed; `_` inside a word ("snake_case") is no mark.
QList<MarkupPiece> ReadInlineMarkup(QStringView line);

/// The line's printed text in runs of one emphasis each, adjoining runs of the same emphasis
/// joined.
QList<StyledRun> StyledRuns(QStringView line);
