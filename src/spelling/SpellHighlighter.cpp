#include "spelling/SpellHighlighter.h"

#include "spelling/ParserPosition.h"
#include "spelling/SpellEngine.h"

#include <QTextBlock>
#include <QTextDocument>

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

SpellHighlighter::SpellHighlighter(QTextDocument* document, SpellEngine& engine, LeadIn leadIn)
    : QSyntaxHighlighter(document)
    , FEngine(engine)
    , FLeadIn(std::move(leadIn))
{
    FMisspelled.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    FMisspelled.setUnderlineColor(Qt::red);
    connect(&engine, &SpellEngine::Changed, this, &QSyntaxHighlighter::rehighlight);
    connect(&engine, &SpellEngine::WordAccepted, this, &SpellHighlighter::RecheckBlocksWith);
}

void SpellHighlighter::CheckBlocks(const QTextBlock& first, const QTextBlock& last)
{
    FFirstInView = first.blockNumber();
    FLastInView = last.blockNumber();
    for (QTextBlock block = first; block.isValid() && block.blockNumber() <= FLastInView;
         block = block.next()) {
        if (block.userState() != Checked)
            rehighlightBlock(block);
    }
}

void SpellHighlighter::highlightBlock(const QString& text)
{
    const int number = currentBlock().blockNumber();
    if (number < FFirstInView || number > FLastInView) {
        setCurrentBlockState(Unchecked); // its underlines go until it is checked in view
        return;
    }
    setCurrentBlockState(Checked);
    const QString leadIn = FLeadIn ? FLeadIn(currentBlock()) : QString();
    for (const ParsedWord& word : MisspelledWords(FEngine, text, leadIn))
        setFormat(int(word.Start), int(word.Text.size()), FMisspelled);
}

void SpellHighlighter::RecheckBlocksWith(const QString& word)
{
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block.userState() == Checked && block.text().contains(word, Qt::CaseInsensitive))
            rehighlightBlock(block);
    }
}
