#pragma once

#include "spelling/ParserIgnoreBase.h"

/// Words holding a digit ("MP3", "4th") are never reported.
class TNumbersIgnore : public TParserIgnoreBase {
public:
    bool WordTest(const QString& word, const ParserPosition& position) const override;
};
