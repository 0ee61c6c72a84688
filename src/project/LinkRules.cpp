#include "project/LinkRules.h"

LinkPlan PlanLink(const ProjectModel& model, CardId source, CardId target)
{
    if (model.LinkTo(source) == target)
        return { LinkResult::Unlinked, { { source, 0 } } };
    for (const CardId card : model.ChainFrom(model.LinkTo(target)))
        if (card == source)
            return { LinkResult::Refused, {} };
    LinkPlan plan { LinkResult::Linked, { { source, target } } };
    if (const CardId oldPredecessor = model.LinkedFrom(target))
        plan.After.insert(oldPredecessor, 0);
    return plan;
}

LinkSnapshot CurrentLinks(const ProjectModel& model, const QList<CardId>& sources)
{
    LinkSnapshot links;
    for (const CardId source : sources)
        links.insert(source, model.LinkTo(source));
    return links;
}

void ApplyLinks(ProjectModel& model, const LinkSnapshot& links)
{
    model.BeginLinkChanges();
    for (auto link = links.cbegin(); link != links.cend(); ++link)
        model.SetLink(link.key(), 0);
    for (auto link = links.cbegin(); link != links.cend(); ++link)
        if (link.value())
            model.SetLink(link.key(), link.value());
    model.EndLinkChanges();
}

void ResolveStoredLinks(ProjectModel& model, const QHash<CardId, QString>& successorNames)
{
    // The first two cards of each name in canvas order: a card never links to itself, so when
    // the first is the card asking, the second is its match.
    QHash<QString, std::pair<CardId, CardId>> byName;
    byName.reserve(model.Cards().size());
    for (const CardId card : model.Cards()) {
        auto& firstTwo = byName[model.Card(card).Name];
        if (!firstTwo.first)
            firstTwo.first = card;
        else if (!firstTwo.second)
            firstTwo.second = card;
    }
    for (const CardId card : model.Cards()) {
        const QString wanted = successorNames.value(card);
        if (wanted.isEmpty())
            continue;
        auto found = byName.constFind(wanted);
        // A name written by hand as "Name = Lead" means the card "Lead"; the blanks are kept
        // only so that a card whose name itself begins or ends with one can be found.
        if (found == byName.cend())
            found = byName.constFind(wanted.trimmed());
        if (found == byName.cend())
            continue;
        const CardId target = found->first != card ? found->first : found->second;
        if (target)
            model.AddStoredLink(card, target);
    }
}
