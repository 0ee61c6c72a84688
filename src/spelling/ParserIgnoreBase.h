#pragma once

#include <QString>
#include <QStringView>

class ParserPosition;

/// A rule that keeps some words from ever being reported. The word parser asks its rules in the
/// order of their lists; a rule takes part at character level (it may skip text before a word
/// starts, or after one ends) and at line level when its flags say so, and at word level always.
/// Every answer of the base is false.
class TParserIgnoreBase {
public:
    virtual ~TParserIgnoreBase() = default;

    /// Whether the rule joins the character-level list.
    virtual bool CharacterLevel() const { return false; }
    /// Whether the rule joins the line-level list.
    virtual bool LineLevel() const { return false; }
    /// Before a word starts: true when the rule has skipped text, having moved the position.
    virtual bool CharacterTest(char32_t /*character*/, ParserPosition& /*position*/)
    {
        return false;
    }
    /// After a word ends, the position on the character after it: true when the word and what
    /// follows are skipped, the position moved past them.
    virtual bool WordEndTest(const QString& /*word*/, ParserPosition& /*position*/)
    {
        return false;
    }
    /// True when the word is never reported.
    virtual bool WordTest(const QString& /*word*/, const ParserPosition& /*position*/) const
    {
        return false;
    }
    /// True when no word of the line is reported.
    virtual bool LineTest(QStringView /*line*/) const { return false; }
};
