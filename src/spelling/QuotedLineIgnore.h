#pragma once

#include "spelling/ParserIgnoreBase.h"

/// Quoted lines: no word of a line that begins with one of the quote characters (">" in a reply)
/// is reported.
class TQuotedLineIgnore : public TParserIgnoreBase {
public:
    explicit TQuotedLineIgnore(QString quoteChars);

    bool LineLevel() const override { return true; }
    bool WordTest(const QString& word, const ParserPosition& position) const override;
    bool LineTest(QStringView line) const override;

private:
    QString FQuoteChars;
};
