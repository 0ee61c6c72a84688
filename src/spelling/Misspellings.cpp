#include "spelling/Misspellings.h"

#include "spelling/ParserPosition.h"
#include "spelling/SpellEngine.h"

QList<ParsedWord> MisspelledWords(SpellEngine& engine, const QString& text, const QString& leadIn)
{
    QList<ParsedWord> misspelled;
    if (!engine.HasDictionary())
        return misspelled;
    const WordParser& parser = engine.Parser();
    ParserPosition position(text);
    position.SetLineLeadIn(leadIn);
    while (auto word = parser.NextWord(position)) {
        if (!engine.IsCorrect(word->Text, position))
            misspelled.append(std::move(*word));
    }
    return misspelled;
}

std::optional<ParsedWord> MisspelledWordAt(
    SpellEngine& engine, const QString& text, qsizetype offset, const QString& leadIn)
{
    for (const ParsedWord& word : MisspelledWords(engine, text, leadIn)) {
        if (word.Start <= offset && offset <= word.End())
            return word;
    }
    return std::nullopt;
}
