#include "spelling/LookUpWord.h"

namespace {
constexpr QChar RightQuote(0x2019);

bool IsApostrophe(QChar c)
{
    return c == u'\'' || c == RightQuote;
}

bool IsLetter(QChar c)
{
    return c.isLetter() || c.isMark();
}

/// Whether the character at `at` belongs to a word: a letter, or an apostrophe between letters.
bool InWord(QStringView text, qsizetype at)
{
    if (at < 0 || at >= text.size())
        return false;
    if (IsLetter(text[at]))
        return true;
    return IsApostrophe(text[at]) && at > 0 && at + 1 < text.size() && IsLetter(text[at - 1])
        && IsLetter(text[at + 1]);
}

bool IsBlank(QChar c)
{
    return c.isSpace();
}

bool IsLower(const QString& text)
{
    return text == text.toLower();
}
} // namespace

TextRange LookUpRange(QStringView text, qsizetype selectionStart, qsizetype selectionEnd)
{
    if (selectionEnd > selectionStart) {
        TextRange range { selectionStart, selectionEnd };
        while (range.Start < range.End && IsBlank(text[range.Start]))
            ++range.Start;
        while (range.End > range.Start && IsBlank(text[range.End - 1]))
            --range.End;
        return range;
    }
    TextRange range { selectionStart, selectionStart };
    while (InWord(text, range.Start - 1))
        --range.Start;
    while (InWord(text, range.End))
        ++range.End;
    return range;
}

QStringList LookUpForms(const QString& word)
{
    QString plain = word;
    plain.replace(RightQuote, u'\'');
    const QString lower = plain.toLower();
    QStringList forms { word, plain, lower, lower.left(1).toUpper() + lower.mid(1) };
    forms.removeDuplicates();
    return forms;
}

QString SynonymWord(const QString& synonym)
{
    const QString trimmed = synonym.trimmed();
    const qsizetype note = trimmed.lastIndexOf(QLatin1String(" ("));
    if (note > 0 && trimmed.endsWith(u')'))
        return trimmed.left(note).trimmed();
    return trimmed;
}

QString InCaseOf(const QString& replacement, const QString& word)
{
    if (replacement.isEmpty() || word.isEmpty() || !IsLower(replacement))
        return replacement;
    if (word.size() > 1 && word == word.toUpper() && word != word.toLower())
        return replacement.toUpper();
    if (word[0].isUpper())
        return replacement.left(1).toUpper() + replacement.mid(1);
    return replacement;
}
