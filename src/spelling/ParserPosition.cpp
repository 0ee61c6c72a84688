#include "spelling/ParserPosition.h"

#include <algorithm>

namespace {
bool EndsLine(QChar c)
{
    return c == u'\r' || c == u'\n';
}
} // namespace

ParserPosition::ParserPosition(QStringView text, qsizetype start, qsizetype endLimit)
    : FText(text)
    , FIndex(std::clamp<qsizetype>(start, 0, text.size()))
    , FLimit(endLimit < 0 ? text.size() : std::min(endLimit, text.size()))
{
}

char32_t ParserPosition::Current() const
{
    if (FIndex >= FText.size())
        return 0;
    const QChar unit = FText[FIndex];
    if (unit.isHighSurrogate() && FIndex + 1 < FText.size() && FText[FIndex + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(unit, FText[FIndex + 1]);
    if (unit.isLowSurrogate() && FIndex > 0 && FText[FIndex - 1].isHighSurrogate())
        return QChar::surrogateToUcs4(FText[FIndex - 1], unit);
    return unit.unicode();
}

QChar ParserPosition::Unit() const
{
    return FIndex < FText.size() ? FText[FIndex] : QChar();
}

bool ParserPosition::Forward()
{
    if (FIndex >= FLimit)
        return false;
    ++FIndex;
    return true;
}

void ParserPosition::Back()
{
    if (FIndex > 0)
        --FIndex;
}

void ParserPosition::MoveTo(qsizetype index)
{
    FIndex = std::clamp<qsizetype>(index, 0, FText.size());
}

void ParserPosition::SetLineLeadIn(const QString& leadIn)
{
    FLeadIn = leadIn;
    FLineStart = FLineEnd = -1;
}

QStringView ParserPosition::CurrentLine() const
{
    const qsizetype anchor = std::max<qsizetype>(FIndex - 1, 0);
    if (FLineStart < 0 || anchor < FLineStart || anchor > FLineEnd) {
        FLineStart = anchor;
        while (FLineStart > 0 && !EndsLine(FText[FLineStart - 1]))
            --FLineStart;
        FLineEnd = anchor;
        while (FLineEnd < FText.size() && !EndsLine(FText[FLineEnd]))
            ++FLineEnd;
        if (FLineStart == 0 && !FLeadIn.isEmpty())
            FFirstLine = FLeadIn + FText.first(FLineEnd).toString();
    }
    if (FLineStart == 0 && !FLeadIn.isEmpty())
        return QStringView(FFirstLine).first(std::min(FFirstLine.size(), MaxLineLength));
    return FText.sliced(FLineStart, std::min(FLineEnd - FLineStart, MaxLineLength));
}
