#include "canvas/Links.h"

#include "canvas/NodexObject.h"

#include <QHash>
#include <QSet>

LinkResult LinkCards(TNodex& source, TNodex& target)
{
    if (source.LinkTo() == &target) {
        UnlinkCard(source);
        return LinkResult::Unlinked;
    }
    for (TNodex* card : ChainFrom(target.LinkTo()))
        if (card == &source)
            return LinkResult::Refused;

    if (TNodex* oldSuccessor = source.LinkTo())
        oldSuccessor->SetLinkedFrom(nullptr);
    if (TNodex* oldPredecessor = target.LinkedFrom()) {
        oldPredecessor->HideLine();
        oldPredecessor->SetLinkTo(nullptr);
    }
    source.SetLinkTo(&target);
    target.SetLinkedFrom(&source);
    source.UpdateLine();
    return LinkResult::Linked;
}

void UnlinkCard(TNodex& source)
{
    source.HideLine();
    if (TNodex* successor = source.LinkTo())
        successor->SetLinkedFrom(nullptr);
    source.SetLinkTo(nullptr);
}

QList<TNodex*> ChainFrom(TNodex* first)
{
    QList<TNodex*> chain;
    QSet<TNodex*> seen;
    for (TNodex* card = first; card && !seen.contains(card); card = card->LinkTo()) {
        seen.insert(card);
        chain.append(card);
    }
    return chain;
}

void ResolveStoredLinks(const QList<TNodex*>& cards)
{
    // The first two cards of each name in canvas order: a card never links to itself, so when
    // the first is the card asking, the second is its match.
    QHash<QString, std::pair<TNodex*, TNodex*>> byName;
    byName.reserve(cards.size());
    for (TNodex* card : cards) {
        auto& firstTwo = byName[card->Name()];
        if (!firstTwo.first)
            firstTwo.first = card;
        else if (!firstTwo.second)
            firstTwo.second = card;
    }

    for (TNodex* card : cards) {
        const QString wanted = card->LinkToName();
        if (wanted.isEmpty())
            continue;
        const auto found = byName.constFind(wanted);
        if (found == byName.cend())
            continue;
        TNodex* target = found->first != card ? found->first : found->second;
        if (!target)
            continue;
        card->SetLinkToName(QString());
        card->SetLinkTo(target);
        target->SetLinkedFrom(card);
        card->UpdateLine();
    }
}
