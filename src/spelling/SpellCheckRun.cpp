#include "spelling/SpellCheckRun.h"

#include "platform/AsciiCase.h"
#include "spelling/ParserPosition.h"
#include "spelling/SpellCharacters.h"
#include "spelling/SpellEngine.h"
#include "spelling/SpellTarget.h"

#include <algorithm>

namespace {
// How much of a word's line a dialog shows on each side of it.
constexpr qsizetype ContextLength = 60;

bool EndsLine(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator;
}

/// The blanks that may stand between a word and its repetition on one line.
bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar::Nbsp;
}
} // namespace

std::optional<QString> DualCapitalsCorrected(const QString& word)
{
    if (word.size() < 3 || !word[0].isUpper() || !word[1].isUpper())
        return std::nullopt;
    const QStringView rest = QStringView(word).sliced(2);
    const bool lowerAfter = std::any_of(rest.begin(), rest.end(), [](QChar c) {
        return c.isLower();
    }) && std::none_of(rest.begin(), rest.end(), [](QChar c) { return c.isUpper(); });
    if (!lowerAfter)
        return std::nullopt;
    QString corrected = word;
    corrected[1] = word[1].toLower();
    return corrected;
}

SpellCheckRun::SpellCheckRun(SpellEngine& engine, SpellTarget& target)
    : FEngine(engine)
    , FTarget(target)
    , FText(target.Text())
    , FRevision(target.Revision())
    , FOriginalCaret(target.CaretPosition())
{
}

const std::optional<SpellProblem>& SpellCheckRun::Next()
{
    FollowWritersEdits();
    FCurrent.reset();
    const WordParser& parser = FEngine.Parser();
    const bool repeated = FEngine.Settings().Options.Has(soRepeated);
    const bool dualCapitals = FEngine.Settings().Options.Has(soDUalCaps);
    for (;;) {
        ParserPosition position(FText, FPosition);
        const auto word = parser.NextWord(position);
        if (!word) {
            FPosition = FText.size();
            return FCurrent;
        }
        FPosition = word->End();
        if (const auto change = FChangeAll.constFind(word->Text); change != FChangeAll.cend()) {
            ReplaceInText(word->Start, word->End(), *change);
            FPosition = word->Start + change->size();
            FPrevious.reset();
            continue;
        }
        if (FEngine.IsCorrect(word->Text, position)) {
            if (repeated && RepeatsPrevious(*word)) {
                FCurrent = Problem(SpellProblem::Repeated, *word);
                return FCurrent;
            }
            FPrevious = word;
            continue;
        }
        if (const auto corrected = dualCapitals ? DualCapitalsCorrected(word->Text) : std::nullopt;
            corrected && FEngine.IsCorrect(*corrected, position)) {
            ReplaceInText(word->Start, word->End(), *corrected);
            FPrevious = ParsedWord { *corrected, word->Start };
            continue;
        }
        FCurrent = Problem(SpellProblem::Misspelled, *word);
        FCurrent->Suggestions = FEngine.Suggestions(word->Text);
        return FCurrent;
    }
}

SpellProblem SpellCheckRun::Problem(SpellProblem::TKind kind, const ParsedWord& word) const
{
    qsizetype from = word.Start;
    while (from > 0 && word.Start - from < ContextLength && !EndsLine(FText[from - 1]))
        --from;
    qsizetype to = word.End();
    while (to < FText.size() && to - word.End() < ContextLength && !EndsLine(FText[to]))
        ++to;
    return { kind, word, {}, FText.sliced(from, word.Start - from),
        FText.sliced(word.End(), to - word.End()) };
}

bool SpellCheckRun::RepeatsPrevious(const ParsedWord& word) const
{
    if (!FPrevious || !SameIgnoringAsciiCase(FPrevious->Text, word.Text)
        || FPrevious->End() >= word.Start)
        return false;
    const QStringView between
        = QStringView(FText).sliced(FPrevious->End(), word.Start - FPrevious->End());
    return std::all_of(between.begin(), between.end(), IsBlank);
}

void SpellCheckRun::FollowWritersEdits()
{
    if (FTarget.Revision() == FRevision)
        return;
    FRevision = FTarget.Revision();
    QString text = FTarget.Text();
    if (text == FText)
        return; // only the look changed: live checking underlined a word
    FText = std::move(text);
    qsizetype caret = std::clamp<qsizetype>(FTarget.CaretPosition(), 0, FText.size());
    while (caret > 0 && IsWordCharacter(FText[caret - 1].unicode()))
        --caret;
    FPosition = caret;
    FPrevious.reset();
    FCurrent.reset();
}

void SpellCheckRun::ReplaceInText(qsizetype from, qsizetype to, const QString& text)
{
    if (QStringView(FText).sliced(from, to - from) == text)
        return;
    if (!FTarget.Replace(from, to, text))
        return;
    FText.replace(from, to - from, text);
    FRevision = FTarget.Revision();
    if (FOriginalCaret >= to)
        FOriginalCaret += text.size() - (to - from);
    else if (FOriginalCaret > from)
        FOriginalCaret = from;
}

void SpellCheckRun::Ignore()
{
    FollowWritersEdits();
    if (!FCurrent)
        return;
    FPrevious = FCurrent->Word;
    FPosition = FCurrent->Word.End();
    FCurrent.reset();
}

void SpellCheckRun::IgnoreAll()
{
    if (FCurrent)
        FEngine.IgnoreAll(FCurrent->Word.Text);
    Ignore();
}

void SpellCheckRun::Change(const QString& replacement)
{
    FollowWritersEdits();
    if (!FCurrent)
        return;
    const ParsedWord word = FCurrent->Word;
    if (replacement == word.Text) {
        Ignore();
        return;
    }
    if (FCurrent->Kind == SpellProblem::Repeated && replacement.isEmpty() && FPrevious) {
        ReplaceInText(FPrevious->End(), word.End(), {});
        FPosition = FPrevious->End();
    } else {
        ReplaceInText(word.Start, word.End(), replacement);
        FPosition = word.Start;
    }
    FCurrent.reset();
}

void SpellCheckRun::ChangeAll(const QString& replacement)
{
    if (FCurrent && FCurrent->Kind == SpellProblem::Misspelled)
        FChangeAll.insert(FCurrent->Word.Text, replacement);
    Change(replacement);
}

bool SpellCheckRun::Add(QString& error)
{
    if (FCurrent && !FEngine.AddWord(FCurrent->Word.Text, error))
        return false;
    Ignore();
    return true;
}
