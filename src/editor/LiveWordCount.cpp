#include "editor/LiveWordCount.h"

#include "editor/MemoText.h"
#include "editor/WordCount.h"

#include <QTextBlock>
#include <QTextDocument>

LiveWordCount::LiveWordCount(QTextDocument& document, QObject* parent)
    : QObject(parent)
    , FDocument(document)
{
    CountAll();
    connect(&document, &QTextDocument::contentsChange, this,
        [this](int position, int, int added) { Recount(position, added); });
}

LiveWordCount::BlockWords LiveWordCount::Count(const QTextBlock& block, bool afterWord)
{
    BlockWords count;
    bool inWord = afterWord;
    const auto add = [&](QStringView text) {
        for (const QChar c : text) {
            const bool separator = IsWordSeparator(c);
            if (!separator && !inWord)
                ++count.Words;
            inWord = !separator;
        }
    };
    add(StandsForBefore(block));
    add(block.text());
    count.EndsInWord = inWord;
    return count;
}

void LiveWordCount::CountAll()
{
    FBlocks.clear();
    FBlocks.reserve(FDocument.blockCount());
    FWords = 0;
    bool afterWord = false;
    for (QTextBlock block = FDocument.begin(); block.isValid(); block = block.next()) {
        FBlocks.push_back(Count(block, afterWord));
        afterWord = FBlocks.back().EndsInWord;
        FWords += FBlocks.back().Words;
    }
}

void LiveWordCount::Recount(int position, int added)
{
    const qint64 before = FWords;
    const QTextBlock first = FDocument.findBlock(position);
    QTextBlock last = FDocument.findBlock(position + added);
    if (!last.isValid())
        last = FDocument.lastBlock();
    // The blocks after the change are those that were after it before, moved by the blocks the
    // change added or took away.
    const int firstNumber = first.blockNumber();
    const int lastNumber = last.blockNumber();
    const int oldLast = lastNumber - (FDocument.blockCount() - int(FBlocks.size()));
    if (!first.isValid() || oldLast < firstNumber - 1 || oldLast >= int(FBlocks.size())) {
        CountAll();
    } else {
        const auto from = FBlocks.begin() + firstNumber;
        const auto to = FBlocks.begin() + oldLast + 1;
        for (auto old = from; old != to; ++old)
            FWords -= old->Words;
        const int oldBlocks = oldLast + 1 - firstNumber;
        const int newBlocks = lastNumber + 1 - firstNumber;
        if (newBlocks > oldBlocks)
            FBlocks.insert(to, newBlocks - oldBlocks, BlockWords());
        else if (newBlocks < oldBlocks)
            FBlocks.erase(from + newBlocks, to);
        bool afterWord = firstNumber > 0 && FBlocks[firstNumber - 1].EndsInWord;
        int number = firstNumber;
        for (QTextBlock block = first; number <= lastNumber; block = block.next(), ++number) {
            FBlocks[number] = Count(block, afterWord);
            afterWord = FBlocks[number].EndsInWord;
            FWords += FBlocks[number].Words;
        }
        // A block after them counts on whether the text before it ends in a word.
        for (QTextBlock block = last.next(); block.isValid(); block = block.next(), ++number) {
            const BlockWords count = Count(block, afterWord);
            if (count == FBlocks[number])
                break;
            FWords += count.Words - FBlocks[number].Words;
            FBlocks[number] = count;
            afterWord = count.EndsInWord;
        }
    }
    if (FWords != before)
        emit Changed(FWords);
}
