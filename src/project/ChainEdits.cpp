#include "project/ChainEdits.h"

namespace ChainEdits {
namespace {

bool IsChapter(const ProjectModel& model, CardId card)
{
    return model.Card(card).Type == ChapterType;
}

/// The cards that move together, from the first to the last, in chain order.
struct Block {
    CardId First = 0;
    CardId Last = 0;
    QSet<CardId> Cards;
};

/// A card alone, or a chapter card with the cards after it up to the next chapter card.
Block BlockOf(const ProjectModel& model, CardId card)
{
    Block block { card, card, { card } };
    if (!IsChapter(model, card))
        return block;
    for (CardId next = model.LinkTo(card);
         next && !IsChapter(model, next) && !block.Cards.contains(next);
         next = model.LinkTo(next)) {
        block.Cards.insert(next);
        block.Last = next;
    }
    return block;
}

/// The block taken out from between its neighbours and put between `left` and `right`
/// (0 for a chain's end), which must be linked now. Empty when it stays where it is, or when a
/// damaged project's cycle makes the place part of the block or a card two neighbours at once.
LinkSnapshot Splice(const ProjectModel& model, const Block& block, CardId left, CardId right)
{
    const CardId prev = model.LinkedFrom(block.First);
    const CardId next = model.LinkTo(block.Last);
    if (block.Cards.contains(left) || block.Cards.contains(right)
        || (left == prev && right == next))
        return {};
    // A card that several cards of a damaged project link to would lose the others' links for
    // good: the model knows one predecessor, which an undo gives back.
    if ((next && model.LinkedFrom(next) != block.Last)
        || (right && model.LinkedFrom(right) != left))
        return {};
    const QList<CardId> sources = { prev, left, block.Last };
    const QList<CardId> targets = { next, block.First, right };
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            if ((sources[i] && sources[i] == sources[j])
                || (targets[i] && targets[i] == targets[j]))
                return {};
    LinkSnapshot links;
    if (prev)
        links.insert(prev, next);
    if (left)
        links.insert(left, block.First);
    links.insert(block.Last, right);
    return links;
}

} // namespace

LinkSnapshot PlanMoveUp(const ProjectModel& model, CardId card)
{
    const CardId previous = model.LinkedFrom(card);
    if (!model.Contains(card) || !previous)
        return {};
    const Block block = BlockOf(model, card);
    // The chapter group before: back to its chapter card. Cards ahead of every chapter are
    // passed one by one.
    CardId groupFirst = previous;
    if (IsChapter(model, card)) {
        QSet<CardId> seen { previous };
        for (CardId back = previous; !IsChapter(model, back);) {
            back = model.LinkedFrom(back);
            if (!back || seen.contains(back) || block.Cards.contains(back))
                break;
            seen.insert(back);
            if (IsChapter(model, back))
                groupFirst = back;
        }
    }
    return Splice(model, block, model.LinkedFrom(groupFirst), groupFirst);
}

LinkSnapshot PlanMoveDown(const ProjectModel& model, CardId card)
{
    if (!model.Contains(card))
        return {};
    const Block block = BlockOf(model, card);
    const CardId next = model.LinkTo(block.Last);
    if (!next || block.Cards.contains(next))
        return {};
    const Block following
        = IsChapter(model, card) ? BlockOf(model, next) : Block { next, next, { next } };
    return Splice(model, block, following.Last, model.LinkTo(following.Last));
}

LinkSnapshot PlanMoveTo(const ProjectModel& model, CardId card, ChainPlace place)
{
    if (!model.Contains(card) || !model.Contains(place.Card))
        return {};
    const Block block = BlockOf(model, card);
    if (place.Where == ChainPlace::Side::Before)
        return Splice(model, block, model.LinkedFrom(place.Card), place.Card);
    return Splice(model, block, place.Card, model.LinkTo(place.Card));
}

LinkSnapshot PlanMoveOut(const ProjectModel& model, CardId card)
{
    if (!model.Contains(card))
        return {};
    return Splice(model, BlockOf(model, card), 0, 0);
}

LinkSnapshot PlanRemoveFromChain(const ProjectModel& model, CardId card)
{
    if (!model.Contains(card))
        return {};
    return Splice(model, Block { card, card, { card } }, 0, 0);
}

bool LeavesChainOpen(const ProjectModel& model, const QSet<CardId>& going)
{
    // From each card that goes with a predecessor that stays, along the cards that go: each
    // card is walked once at most, as a run begins at its one predecessor that stays.
    for (const CardId card : going) {
        const CardId previous = model.LinkedFrom(card);
        if (!previous || going.contains(previous))
            continue;
        QSet<CardId> seen;
        CardId next = card;
        while (next && going.contains(next) && !seen.contains(next)) {
            seen.insert(next);
            next = model.LinkTo(next);
        }
        if (next && !going.contains(next))
            return true;
    }
    return false;
}

} // namespace ChainEdits
