#include "search/FindResultsModel.h"

#include <algorithm>

namespace {
// A match row's internal id is its card's row + 1; a card row's is 0.
constexpr quintptr CardRowId = 0;
} // namespace

FindResultsModel::FindResultsModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

void FindResultsModel::SetLooks(const Looks& looks)
{
    FLooks = looks;
    if (!FCards.isEmpty())
        emit dataChanged(index(0, 0), index(CardCount() - 1, 0));
}

void FindResultsModel::Clear()
{
    beginResetModel();
    FCards.clear();
    FMatchCount = 0;
    endResetModel();
}

void FindResultsModel::Append(const QList<CardMatches>& cards)
{
    if (cards.isEmpty())
        return;
    beginInsertRows({}, CardCount(), CardCount() + int(cards.size()) - 1);
    for (const CardMatches& found : cards) {
        FCards.append({ found, QList<bool>(found.Matches.size(), true) });
        FMatchCount += int(found.Matches.size());
    }
    endInsertRows();
}

bool FindResultsModel::MatchAt(const QModelIndex& index, CardId& card, FoundMatch& match) const
{
    if (!index.isValid())
        return false;
    const bool cardRow = index.internalId() == CardRowId;
    const Card& owner = FCards[cardRow ? index.row() : int(index.internalId() - 1)];
    card = owner.Found.Card;
    const int row = cardRow ? 0 : index.row();
    if (row >= owner.Found.Matches.size())
        return false;
    match = owner.Found.Matches[row];
    return true;
}

QString FindResultsModel::CardName(CardId card) const
{
    for (const Card& found : FCards)
        if (found.Found.Card == card)
            return found.Found.Name;
    return {};
}

QList<CardReplacement> FindResultsModel::CheckedReplacements(
    const TextMatcher& matcher, const QString& with) const
{
    QList<CardReplacement> replacements;
    for (const Card& card : FCards) {
        for (ReplacedField field :
            { ReplacedField::Name, ReplacedField::Description, ReplacedField::Text }) {
            CardReplacement replacement { card.Found.Card, field, card.Found.Searched(field), {} };
            for (qsizetype i = 0; i < card.Found.Matches.size(); ++i) {
                const FoundMatch& found = card.Found.Matches[i];
                if (found.Field == field && card.Checked[i])
                    replacement.Edits.append({ found.Match.Start, found.Match.Length,
                        matcher.ReplacementFor(replacement.Searched, found.Match, with) });
            }
            std::sort(replacement.Edits.begin(), replacement.Edits.end(),
                [](const TextReplacement& a, const TextReplacement& b) {
                    return a.Start < b.Start;
                });
            if (!replacement.Edits.isEmpty())
                replacements.append(std::move(replacement));
        }
    }
    return replacements;
}

QModelIndex FindResultsModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < CardCount() ? createIndex(row, 0, CardRowId) : QModelIndex();
    if (parent.internalId() != CardRowId || row >= FCards[parent.row()].Found.Matches.size())
        return {};
    return createIndex(row, 0, quintptr(parent.row()) + 1);
}

QModelIndex FindResultsModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == CardRowId)
        return {};
    return createIndex(int(child.internalId() - 1), 0, CardRowId);
}

int FindResultsModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return CardCount();
    if (parent.internalId() != CardRowId)
        return 0;
    return int(FCards[parent.row()].Found.Matches.size());
}

int FindResultsModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QString FindResultsModel::FieldPrefix(ReplacedField field) const
{
    switch (field) {
    case ReplacedField::Name:
        return FLooks.NameField + ": ";
    case ReplacedField::Description:
        return FLooks.DescriptionField + ": ";
    case ReplacedField::Text:
        break;
    }
    return {};
}

Qt::CheckState FindResultsModel::CardState(const Card& card) const
{
    const auto on = std::count(card.Checked.cbegin(), card.Checked.cend(), true);
    if (on == 0)
        return Qt::Unchecked;
    return on == card.Checked.size() ? Qt::Checked : Qt::PartiallyChecked;
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.internalId() == CardRowId) {
        const Card& card = FCards[index.row()];
        if (role == Qt::DisplayRole) {
            if (!card.Found.Problem.isEmpty())
                return FLooks.Unreadable.arg(card.Found.Name, card.Found.Problem);
            return FLooks.CardRow.arg(card.Found.Name).arg(card.Found.Matches.size());
        }
        if (role == Qt::CheckStateRole && !card.Found.Matches.isEmpty())
            return CardState(card);
        return {};
    }
    const Card& card = FCards[int(index.internalId() - 1)];
    const FoundMatch& match = card.Found.Matches[index.row()];
    const QString prefix = FieldPrefix(match.Field);
    switch (role) {
    case Qt::DisplayRole:
        return prefix + match.Context;
    case Qt::CheckStateRole:
        return card.Checked[index.row()] ? Qt::Checked : Qt::Unchecked;
    case HighlightStartRole:
        return int(prefix.size() + match.InContext.Start);
    case HighlightLengthRole:
        return int(match.InContext.Length);
    default:
        return {};
    }
}

bool FindResultsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole)
        return false;
    const bool on = value.value<Qt::CheckState>() != Qt::Unchecked;
    if (index.internalId() == CardRowId) {
        Card& card = FCards[index.row()];
        card.Checked.fill(on);
        emit dataChanged(index, index, { Qt::CheckStateRole });
        if (!card.Checked.isEmpty())
            emit dataChanged(this->index(0, 0, index),
                this->index(int(card.Checked.size()) - 1, 0, index), { Qt::CheckStateRole });
        return true;
    }
    Card& card = FCards[int(index.internalId() - 1)];
    card.Checked[index.row()] = on;
    emit dataChanged(index, index, { Qt::CheckStateRole });
    const QModelIndex owner = parent(index);
    emit dataChanged(owner, owner, { Qt::CheckStateRole });
    return true;
}

Qt::ItemFlags FindResultsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const bool cardRow = index.internalId() == CardRowId;
    if (!cardRow || !FCards[index.row()].Found.Matches.isEmpty())
        result |= Qt::ItemIsUserCheckable;
    return result;
}
