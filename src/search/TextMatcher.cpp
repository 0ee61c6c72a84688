#include "search/TextMatcher.h"

#include "messages/MessageTable.h"

namespace {

char32_t CodePointBefore(QStringView text, qsizetype at)
{
    const QChar last = text[at - 1];
    if (last.isLowSurrogate() && at >= 2 && text[at - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[at - 2], last);
    return last.unicode();
}

char32_t CodePointAt(QStringView text, qsizetype at)
{
    const QChar first = text[at];
    if (first.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(first, text[at + 1]);
    return first.unicode();
}

bool PartOfAWord(char32_t c)
{
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

} // namespace

TextMatcher::TextMatcher(const SearchOptions& options)
    : FOptions(options)
{
    if (options.Pattern.isEmpty())
        return;
    const Qt::CaseSensitivity sensitivity
        = options.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (!options.RegularExpression) {
        FPlain = QStringMatcher(options.Pattern, sensitivity);
        FValid = true;
        return;
    }
    QRegularExpression::PatternOptions patternOptions
        = QRegularExpression::UseUnicodePropertiesOption;
    if (!options.MatchCase)
        patternOptions |= QRegularExpression::CaseInsensitiveOption;
    FExpression = QRegularExpression(options.Pattern, patternOptions);
    FValid = FExpression.isValid();
    if (FValid)
        FExpression.optimize();
}

QString TextMatcher::Problem(const MessageTable& messages) const
{
    if (!FOptions.RegularExpression || FValid || FOptions.Pattern.isEmpty())
        return {};
    // The offset counts from 0; a writer counts characters from 1.
    return messages.Text(MessageKey::FIND_BAD_EXPRESSION)
        .arg(FExpression.errorString())
        .arg(FExpression.patternErrorOffset() + 1);
}

bool TextMatcher::Stands(QStringView text, qsizetype start, qsizetype end) const
{
    // An accent belongs to the letter before it: "e" never matches the start of "é".
    const bool accentAfter = end < text.size() && QChar::isMark(CodePointAt(text, end));
    if (accentAfter)
        return false;
    if (!FOptions.WholeWords)
        return true;
    if (start > 0 && PartOfAWord(CodePointBefore(text, start)))
        return false;
    return end >= text.size() || !QChar::isLetterOrNumber(CodePointAt(text, end));
}

QList<TextMatch> TextMatcher::Matches(const QString& text) const
{
    QList<TextMatch> found;
    if (!FValid)
        return found;
    if (!FOptions.RegularExpression) {
        const qsizetype length = FOptions.Pattern.size();
        qsizetype at = FPlain.indexIn(text, 0);
        while (at >= 0) {
            if (Stands(text, at, at + length)) {
                found.append({ at, length });
                at = FPlain.indexIn(text, at + length);
            } else {
                at = FPlain.indexIn(text, at + 1);
            }
        }
        return found;
    }
    QRegularExpressionMatchIterator matches = FExpression.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const qsizetype start = match.capturedStart();
        const qsizetype end = match.capturedEnd();
        if (end > start && Stands(text, start, end))
            found.append({ start, end - start });
    }
    return found;
}

QString TextMatcher::ReplacementFor(
    const QString& text, const TextMatch& match, const QString& replacement) const
{
    if (!FOptions.RegularExpression || !FValid)
        return replacement;
    const QRegularExpressionMatch found = FExpression.match(text, match.Start,
        QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
    QString result;
    result.reserve(replacement.size());
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        const bool marker = c == '\\' || c == '$';
        if (marker && i + 1 < replacement.size()) {
            const QChar next = replacement[i + 1];
            if (next >= '1' && next <= '9') {
                result += found.captured(next.digitValue());
                ++i;
                continue;
            }
            if (next == c) {
                result += c;
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}
