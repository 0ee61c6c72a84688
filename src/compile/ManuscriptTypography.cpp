#include "compile/ManuscriptTypography.h"

#include <array>

namespace {
constexpr QChar LeftDouble = u'\u201C';
constexpr QChar RightDouble = u'\u201D';
constexpr QChar LeftSingle = u'\u2018';
constexpr QChar RightSingle = u'\u2019';
constexpr QChar EmDash = u'\u2014';

/// Whether a quote after `c` opens: at the start, after a blank, an opening bracket, a dash or
/// another opening quote.
bool OpensAfter(QChar c)
{
    return c.isNull() || c.isSpace() || c == u'(' || c == u'[' || c == u'{' || c == EmDash
        || c == u'\u2013' || c == u'-' || c == LeftDouble || c == LeftSingle || c == u'/';
}

/// Words whose first letters the apostrophe stands for: "'tis", "'em", "'cause".
bool IsElision(QStringView after)
{
    static constexpr std::array<QStringView, 8> Words
        = { u"tis", u"twas", u"em", u"cause", u"til", u"n", u"round", u"bout" };
    qsizetype end = 0;
    while (end < after.size() && after[end].isLetter())
        ++end;
    const QStringView word = after.first(end);
    return std::any_of(Words.begin(), Words.end(),
        [word](QStringView w) { return word.compare(w, Qt::CaseInsensitive) == 0; });
}
} // namespace

namespace ManuscriptTypography {

QString Curled(QStringView text, QChar before)
{
    QString out;
    out.reserve(text.size());
    QChar previous = before;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        const QStringView after = text.sliced(i + 1);
        if (c == u'"') {
            // A quote with nothing after it closes, as does one right after an opening one.
            const bool opens = OpensAfter(previous) && previous != LeftDouble && !after.isEmpty()
                && !after[0].isSpace();
            c = opens ? LeftDouble : RightDouble;
        } else if (c == u'\'') {
            const bool opens = OpensAfter(previous) && !after.isEmpty() && !after[0].isDigit()
                && !IsElision(after) && !after[0].isSpace();
            c = opens ? LeftSingle : RightSingle;
        } else if (c == u'-' && after.startsWith(u'-')) {
            // "--" and "---" within a line are the dash of a typewriter.
            c = EmDash;
            ++i;
            if (text.sliced(i + 1).startsWith(u'-'))
                ++i;
        }
        out += c;
        previous = c;
    }
    return out;
}

void Curl(QList<StyledRun>& runs)
{
    QChar previous;
    for (StyledRun& run : runs) {
        run.Text = Curled(run.Text, previous);
        if (!run.Text.isEmpty())
            previous = run.Text.back();
    }
}

} // namespace ManuscriptTypography
