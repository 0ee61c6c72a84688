#include "spelling/QuotedLineIgnore.h"

#include "spelling/ParserPosition.h"

TQuotedLineIgnore::TQuotedLineIgnore(QString quoteChars)
    : FQuoteChars(std::move(quoteChars))
{
}

bool TQuotedLineIgnore::WordTest(const QString&, const ParserPosition& position) const
{
    return LineTest(position.CurrentLine());
}

bool TQuotedLineIgnore::LineTest(QStringView line) const
{
    return !line.isEmpty() && FQuoteChars.contains(line.front());
}
