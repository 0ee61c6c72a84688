#pragma once

#include "spelling/ParserIgnoreBase.h"

/// Abbreviations made of single letters and periods ("e.g.", "U.S.A.", "A.") are never reported.
class TAbbreviationsIgnore : public TParserIgnoreBase {
public:
    bool WordTest(const QString& word, const ParserPosition& position) const override;
};
