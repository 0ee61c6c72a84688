#include "app/CardStory.h"

#include "app/EditorWindows.h"
#include "app/WordCountCommands.h"
#include "canvas/CanvasFollower.h"
#include "canvas/CanvasScene.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/WordCount.h"
#include "messages/MessageTable.h"
#include "platform/WaitCursor.h"
#include "project/ProjectStore.h"

#include <QTimer>
#include <utility>

CardStory::CardStory(CanvasScene& canvas, CanvasFollower& follower, ProjectStore& store,
    const EditorWindows& editors, const MessageTable& messages)
    : FCanvas(canvas)
    , FFollower(follower)
    , FStore(store)
    , FEditors(editors)
    , FMessages(messages)
{
}

void CardStory::Show(bool descriptions, bool wordCounts)
{
    if (wordCounts) {
        // Each text is read once, the first time counts are shown; saving keeps them current.
        WaitCursor wait;
        for (TNodex* card : FCanvas.Cards())
            if (!FWords.contains(card->Id()))
                Count(*card);
    }
    FCanvas.SetStoryShown(descriptions, wordCounts);
}

void CardStory::Recount(CardId id)
{
    if (!FCanvas.WordCountsShown() && !FWords.contains(id))
        return;
    if (TNodex* card = FFollower.Item(id))
        Count(*card);
}

void CardStory::CountLater(CardId id)
{
    if (FPending.isEmpty())
        QTimer::singleShot(0, &FCanvas, [this] {
            const QList<CardId> pending = std::exchange(FPending, {});
            if (FCanvas.WordCountsShown())
                for (const CardId id : pending)
                    if (!FWords.contains(id))
                        Recount(id);
        });
    FPending << id;
}

void CardStory::Forget()
{
    FWords.clear();
    FPending.clear();
}

void CardStory::Reword()
{
    for (TNodex* card : FCanvas.Cards())
        if (const auto words = FWords.constFind(card->Id()); words != FWords.constEnd())
            ShowCount(*card, *words);
}

void CardStory::Count(TNodex& card)
{
    // An open editor holds the text as the writer sees it; its whole text counts, not a
    // selection.
    const TfmEditor* editor = FEditors.Of(card.Id());
    const qint64 words
        = CountTextWords(CardText(editor, FStore.TextFilePath(card.Id())).value_or(QString()));
    FWords.insert(card.Id(), words);
    ShowCount(card, words);
}

void CardStory::ShowCount(TNodex& card, qint64 words) const
{
    card.SetWordCountText(words == 1
            ? FMessages.Text(MessageKey::CARD_ONE_WORD)
            : FMessages.Text(MessageKey::CARD_WORDS).arg(FormatCount(words)));
}
