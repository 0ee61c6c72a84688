#include "project/ProjectModel.h"

#include <QSet>

ProjectModel::ProjectModel(QObject* parent)
    : QObject(parent)
{
}

CardId ProjectModel::AddCard(const CardData& card, CardId id, int index)
{
    if (id <= 0 || FCards.contains(id))
        id = ++FLastId;
    else
        FLastId = std::max(FLastId, id);
    FCards.insert(id, card);
    if (index < 0 || index > FOrder.size())
        FOrder.append(id);
    else
        FOrder.insert(index, id);
    emit CardAdded(id);
    return id;
}

void ProjectModel::RemoveCard(CardId id)
{
    if (!FCards.contains(id))
        return;
    Unlink(id);
    // After a damaged project loaded, several cards may link to this one.
    QList<CardId> sources;
    if (FExtraLinks > 0) {
        for (auto link = FLinkTo.cbegin(); link != FLinkTo.cend(); ++link)
            if (link.value() == id)
                sources << link.key();
    } else if (const CardId predecessor = FLinkedFrom.value(id)) {
        sources << predecessor;
    }
    for (const CardId source : sources)
        Unlink(source);
    emit CardRemoved(id);
    FCards.remove(id);
    FOrder.removeOne(id);
}

void ProjectModel::Clear()
{
    FCards.clear();
    FOrder.clear();
    FLinkTo.clear();
    FLinkedFrom.clear();
    FExtraLinks = 0;
    emit Cleared();
}

void ProjectModel::ChangeCard(CardId id, const CardData& card)
{
    auto found = FCards.find(id);
    if (found == FCards.end() || *found == card)
        return;
    *found = card;
    emit CardChanged(id);
}

void ProjectModel::MoveCards(const QHash<CardId, QPoint>& positions)
{
    for (auto position = positions.cbegin(); position != positions.cend(); ++position) {
        auto found = FCards.find(position.key());
        if (found == FCards.end() || found->Position == position.value())
            continue;
        found->Position = position.value();
        emit CardChanged(position.key());
    }
}

void ProjectModel::SetLink(CardId source, CardId target)
{
    if (!FCards.contains(source) || (target && !FCards.contains(target))
        || FLinkTo.value(source) == target)
        return;
    Unlink(source);
    if (!target)
        return;
    if (const CardId oldPredecessor = FLinkedFrom.value(target))
        Unlink(oldPredecessor);
    FLinkTo.insert(source, target);
    FLinkedFrom.insert(target, source);
    FLinksChanged = true;
    emit CardLinked(source);
}

void ProjectModel::EndLinkChanges()
{
    if (--FLinkChanges > 0 || !FLinksChanged)
        return;
    FLinksChanged = false;
    emit LinksSettled();
}

void ProjectModel::AddStoredLink(CardId source, CardId target)
{
    if (!FCards.contains(source) || !FCards.contains(target) || source == target)
        return;
    Unlink(source);
    if (FLinkedFrom.contains(target))
        ++FExtraLinks;
    FLinkTo.insert(source, target);
    FLinkedFrom.insert(target, source);
    FLinksChanged = true;
    emit CardLinked(source);
}

void ProjectModel::Unlink(CardId source)
{
    const CardId target = FLinkTo.take(source);
    if (!target)
        return;
    if (FLinkedFrom.value(target) == source)
        FLinkedFrom.remove(target);
    FLinksChanged = true;
    emit CardLinked(source);
}

const CardData& ProjectModel::Card(CardId id) const
{
    static const CardData None;
    const auto found = FCards.constFind(id);
    return found == FCards.cend() ? None : *found;
}

QList<CardId> ProjectModel::ChainFrom(CardId first) const
{
    QList<CardId> chain;
    QSet<CardId> seen;
    for (CardId card = first; card && !seen.contains(card); card = FLinkTo.value(card)) {
        seen.insert(card);
        chain.append(card);
    }
    return chain;
}

CardId ProjectModel::FindByName(const QString& name) const
{
    for (const CardId id : FOrder)
        if (FCards.value(id).Name == name)
            return id;
    return 0;
}
