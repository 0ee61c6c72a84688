#include "canvas/Links.h"

#include "canvas/NodexObject.h"

#include <QHash>
#include <QSet>

LinkChange LinkCards(TNodex& source, TNodex& target)
{
    if (source.LinkTo() == &target)
        return {LinkResult::Unlinked, UnlinkCard(source)};
    for (TNodex* card : ChainFrom(target.LinkTo()))
        if (card == &source)
            return {LinkResult::Refused, {}};

    LinkChange change{LinkResult::Linked, {}};
    if (TNodex* oldSuccessor = source.LinkTo())
        oldSuccessor->SetLinkedFrom(nullptr);
    if (TNodex* oldPredecessor = target.LinkedFrom()) {
        oldPredecessor->SetLinkTo(nullptr);
        change.LinesChanged << oldPredecessor;
    }
    source.SetLinkTo(&target);
    target.SetLinkedFrom(&source);
    change.LinesChanged << &source;
    return change;
}

QList<TNodex*> UnlinkCard(TNodex& source)
{
    if (TNodex* successor = source.LinkTo())
        successor->SetLinkedFrom(nullptr);
    source.SetLinkTo(nullptr);
    return {&source};
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

QList<TNodex*> ResolveStoredLinks(const QList<TNodex*>& cards)
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

    QList<TNodex*> linked;
    for (TNodex* card : cards) {
        const QString wanted = card->LinkToName();
        if (wanted.isEmpty())
            continue;
        auto found = byName.constFind(wanted);
        // A name written by hand as "Name = Lead" means the card "Lead"; the blanks are kept
        // only so that a card whose name itself begins or ends with one can be found.
        if (found == byName.cend())
            found = byName.constFind(wanted.trimmed());
        if (found == byName.cend())
            continue;
        TNodex* target = found->first != card ? found->first : found->second;
        if (!target)
            continue;
        card->SetLinkTo(target);
        target->SetLinkedFrom(card);
        linked << card;
    }
    return linked;
}
