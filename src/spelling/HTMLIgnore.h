#pragma once

#include "spelling/ParserIgnoreBase.h"

/// Mark-up: tags (with their names and attribute values), comments, server scripts and
/// processing instructions are skipped, and character entities ("&amp;") never reported.
class THTMLIgnore : public TParserIgnoreBase {
public:
    bool CharacterLevel() const override { return true; }
    bool CharacterTest(char32_t character, ParserPosition& position) override;
    bool WordTest(const QString& word, const ParserPosition& position) const override;
};
