#pragma once

#include "spelling/ParserIgnoreBase.h"

/// Words in capitals ("NASA") are never reported.
class TUppercaseWordIgnore : public TParserIgnoreBase {
public:
    bool WordTest(const QString& word, const ParserPosition& position) const override;
};
