#pragma once

#include "spelling/ParserIgnoreBase.h"

/// Internet addresses: a word followed by a scheme's colon ("http:"), an e-mail address from the
/// word before its "@", and an address begun with "www." and a slash are skipped up to the next
/// blank, quotation mark or bracket; a word begun with "www." is never reported.
class TURLIgnore : public TParserIgnoreBase {
public:
    bool CharacterLevel() const override { return true; }
    bool WordEndTest(const QString& word, ParserPosition& position) override;
    bool WordTest(const QString& word, const ParserPosition& position) const override;
};
