#include "app/WordCountCommands.h"

#include "canvas/CanvasScene.h"
#include "canvas/CanvasState.h"
#include "canvas/Nodex.h"
#include "canvas/Theme.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/WordCount.h"
#include "platform/NativeName.h"
#include "project/CardTexts.h"
#include "messages/MessageTable.h"

#include <functional>

namespace {
QString CountText(qint64 words, int target) { return FormatCount(words) + FormatPercentage(words, target); }

qint64 Sum(const QList<TNodex*>& cards, const std::function<qint64(const TNodex&)>& words)
{
    qint64 total = 0;
    for (const TNodex* card : cards)
        total += words(*card);
    return total;
}
} // namespace

std::optional<QString> CardText(const TfmEditor* editor, const QString& textFilePath)
{
    if (editor)
        return editor->memEditor->Text();
    if (KindOf(textFilePath) != FileKind::Regular)
        return std::nullopt;
    QString text;
    QString error;
    if (!CardTexts::ReadText(textFilePath, text, error))
        return std::nullopt;
    return text;
}

qint64 CardWords(const TfmEditor* editor, const QString& textFilePath)
{
    // An open editor counts its selection, or all its text.
    if (editor)
        return editor->CountEditorWords();
    return CountTextWords(CardText(nullptr, textFilePath).value_or(QString()));
}

QString CardWordCountMessage(const TNodex& card, qint64 words, int target, const MessageTable& messages)
{
    // Message boxes show text as it is spelt: a name's "&" is no accelerator there.
    return "'" + card.Name() + "' " + messages.Text(MessageKey::WORD_COUNT) + " " + CountText(words, target);
}

QString ProjectWordCountMessage(const CanvasScene& canvas, const CanvasState& selection, const QList<TNodex*>& chain,
                                const Theme& theme,
                                const std::function<qint64(const TNodex&)>& words, int target,
                                const MessageTable& messages)
{
    const TNodex* current = selection.CurrentCard;
    if (!current) {
        QList<TNodex*> firstType;
        for (TNodex* card : canvas.Cards())
            if (card->Type() == 1)
                firstType << card;
        const QString label = QString(theme.TypeNames.value(0)).remove('&');
        return label + " " + messages.Text(MessageKey::COMBINED_COUNT) + " " + CountText(Sum(firstType, words), target);
    }
    if (selection.SelectedCards.size() >= 2)
        return messages.Text(MessageKey::SELECTED_COUNT) + " " + CountText(Sum(selection.SelectedCards, words), target);
    if (!current->LinkTo())
        return CardWordCountMessage(*current, words(*current), target, messages);
    // The chain from the current card on; a loop in a damaged project is walked once.
    return messages.Text(MessageKey::LINKED_COUNT) + " " + CountText(Sum(chain, words), target);
}
