#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringView>

/// Whether a character separates words: the space and the line ends (CR, LF, U+2028, U+2029).
/// Nothing else does, so punctuation standing alone between spaces is a word of its own.
constexpr bool IsWordSeparator(QChar c)
{
    return c == u' ' || c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator
        || c == QChar::LineSeparator;
}

/// The words of a text: maximal runs of characters that are no word separators.
qint64 CountTextWords(QStringView text);

/// A count as the reports show it: digits grouped in thousands, "0" for none.
QString FormatCount(qint64 count, const QLocale& locale = QLocale::system());

/// " (12.5%)" for a count against a target, at most two decimals; empty without a target.
QString FormatPercentage(qint64 count, int target, const QLocale& locale = QLocale::system());

/// One word and how often it stands in a text.
struct WordUsage {
    QString Word;
    int Count = 0;
};

/// The words of a text by how often they are used, most used first (ties alphabetical), words
/// of one or two letters left out: writers look here for words they lean on too much. Words are
/// runs of letters, digits and inner apostrophes or hyphens, compared in lower case.
QList<WordUsage> MostUsedWords(QStringView text, int most = 100);
