#include "outline/OutlineModel.h"

#include <QLocale>
#include <QMimeData>
#include <QSet>
#include <utility>

namespace {
/// The card that compilation writes: not a card of the book.
constexpr int CompilationType = 0;
/// A dragged row: the card it shows. Only this outline reads it: the view takes drops from
/// itself alone.
const QString CardMimeType = QStringLiteral("application/x-nodex-outline-card");
} // namespace

OutlineModel::OutlineModel(const ProjectModel& model, QObject* parent)
    : QAbstractItemModel(parent)
    , FModel(model)
{
    connect(&model, &ProjectModel::CardAdded, this, [this](CardId id) {
        // A card nobody links to and that links nowhere only joins the loose cards; but a card
        // brought back by an undo takes its canvas place among them, so the rows are made again.
        Q_UNUSED(id);
        Invalidate();
    });
    // The model announces a removal while it still holds the card, so that its followers can
    // let go of it: rows made from now on leave it out.
    connect(&model, &ProjectModel::CardRemoved, this, [this](CardId id) {
        FRemoved = id;
        FWords.remove(id);
        Invalidate();
    });
    // A card's words stay what they were when the chains change: a chain's count is the sum of
    // its cards' kept counts, and no text is read again for a card that moved. The links of
    // one edit are followed once they have all changed; until then the rows stay as they were
    // announced, each still a card of the project.
    connect(&model, &ProjectModel::CardLinked, this, [this] {
        if (FModel.ChangingLinks() && FBuilt)
            FRelink = true;
        else
            Invalidate();
    });
    connect(&model, &ProjectModel::LinksSettled, this, [this] {
        if (std::exchange(FRelink, false) && FBuilt)
            Relink();
    });
    connect(&model, &ProjectModel::Cleared, this, [this] {
        FWords.clear();
        Invalidate();
    });
    connect(&model, &ProjectModel::CardChanged, this, &OutlineModel::CardChanged);
}

void OutlineModel::SetLooks(Looks looks)
{
    beginResetModel();
    FLooks = std::move(looks);
    FWords.clear();
    endResetModel();
}

void OutlineModel::Invalidate()
{
    if (!FBuilt)
        return;
    beginResetModel();
    FBuilt = false;
    FRows.clear();
    FTop.clear();
    FRowOf.clear();
    endResetModel();
}

int OutlineModel::AddRow(CardId card, RowKind kind, int parent) const
{
    Row row;
    row.Card = card;
    row.Kind = kind;
    row.Parent = parent;
    const int at = int(FRows.size());
    FRows.append(row);
    // Taken after the append, which may move the rows.
    QList<int>& siblings = parent < 0 ? FTop : FRows[parent].Children;
    FRows[at].Position = int(siblings.size());
    siblings.append(at);
    if (kind != RowKind::Chain && card)
        FRowOf.insert(card, at);
    return at;
}

void OutlineModel::Build() const
{
    FBuilt = true;
    FRows.clear();
    FTop.clear();
    FRowOf.clear();
    const QList<CardId>& cards = FModel.Cards();
    FRows.reserve(cards.size() + cards.size() / 8 + 1);
    // Every card listed so far has an entry, -1 for those that have no row (the compilation,
    // a card being removed).
    FRowOf.reserve(cards.size());
    const auto addChain = [&](CardId first) {
        int chain = -1;
        int chapter = -1;
        // A damaged project may link two cards to one successor or close a loop: each card is
        // listed once, in the first chain that reaches it.
        for (CardId card = first; card && !FRowOf.contains(card); card = FModel.LinkTo(card)) {
            const int type = FModel.Card(card).Type;
            if (card == FRemoved || type == CompilationType) {
                FRowOf.insert(card, -1);
                continue;
            }
            if (chain < 0)
                chain = AddRow(card, RowKind::Chain, -1);
            if (type == ChapterType)
                chapter = AddRow(card, RowKind::Chapter, chain);
            else
                AddRow(card, RowKind::Card, chapter >= 0 ? chapter : chain);
        }
    };
    for (const CardId card : cards)
        if (!FModel.LinkedFrom(card) && FModel.LinkTo(card))
            addChain(card);
    // What is linked but not yet listed lies on a loop: each loop starts at its first card in
    // canvas order.
    for (const CardId card : cards)
        if (!FRowOf.contains(card) && (FModel.LinkTo(card) || FModel.LinkedFrom(card)))
            addChain(card);
    int loose = -1;
    for (const CardId card : cards) {
        if (FRowOf.contains(card) || card == FRemoved || FModel.Card(card).Type == CompilationType)
            continue;
        if (loose < 0)
            loose = AddRow(0, RowKind::Loose, -1);
        AddRow(card, RowKind::Card, loose);
    }
}

void OutlineModel::Relink()
{
    // The rows the views know stay in place until the views are told.
    QList<Row> shown = std::move(FRows);
    QList<int> shownTop = std::move(FTop);
    QHash<CardId, int> shownRowOf = std::move(FRowOf);
    Build();
    QList<Row> made = std::exchange(FRows, std::move(shown));
    QList<int> madeTop = std::exchange(FTop, std::move(shownTop));
    QHash<CardId, int> madeRowOf = std::exchange(FRowOf, std::move(shownRowOf));
    // The rows that hold others, by what they stand for: a chain by its first card.
    const auto parents = [](const QList<Row>& rows) {
        QSet<quint64> keys;
        for (const Row& row : rows)
            if (!row.Children.isEmpty())
                keys.insert(quint64(row.Kind) << 32 | quint32(row.Card));
        return keys;
    };
    const auto takeMade = [&] {
        FRows = std::move(made);
        FTop = std::move(madeTop);
        FRowOf = std::move(madeRowOf);
    };
    if (parents(FRows) != parents(made)) {
        // Rows to open that were not there, or open ones gone: the view starts over, opening
        // every row.
        beginResetModel();
        takeMade();
        endResetModel();
        return;
    }
    emit layoutAboutToBeChanged();
    QHash<CardId, int> chains;
    int loose = -1;
    for (int at = 0; at < made.size(); ++at)
        if (made[at].Kind == RowKind::Chain)
            chains.insert(made[at].Card, at);
        else if (made[at].Kind == RowKind::Loose)
            loose = at;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from) {
        const Row& row = FRows[int(index.internalId())];
        const int now = row.Kind == RowKind::Chain ? chains.value(row.Card, -1)
            : row.Kind == RowKind::Loose           ? loose
                                                   : madeRowOf.value(row.Card, -1);
        to << (now < 0 ? QModelIndex()
                       : createIndex(made[now].Position, index.column(), quintptr(now)));
    }
    takeMade();
    changePersistentIndexList(from, to);
    emit layoutChanged();
}

void OutlineModel::CardChanged(CardId id)
{
    FWords.remove(id);
    if (!FBuilt)
        return;
    const int row = FRowOf.value(id, -1);
    const int type = FModel.Card(id).Type;
    const bool chained = FModel.LinkTo(id) || FModel.LinkedFrom(id);
    // A card that becomes or stops being a chapter, or the compilation, changes the tree.
    if (row < 0 ? type != CompilationType
                : type == CompilationType
                || (chained && (FRows[row].Kind == RowKind::Chapter) != (type == ChapterType))) {
        Invalidate();
        return;
    }
    if (row < 0)
        return;
    // The totals and the chain's name above the card change with it.
    for (int at = row; at >= 0; at = FRows[at].Parent)
        emit dataChanged(IndexOfRow(at, 0), IndexOfRow(at, ColumnCount - 1));
}

void OutlineModel::RefreshWords(CardId card)
{
    FWords.remove(card);
    if (!FBuilt)
        return;
    for (int at = FRowOf.value(card, -1); at >= 0; at = FRows[at].Parent) {
        const QModelIndex words = IndexOfRow(at, WordsColumn);
        emit dataChanged(words, words);
    }
}

CardId OutlineModel::CardOf(const QModelIndex& index) const
{
    return index.isValid() ? RowAt(index).Card : 0;
}

OutlineModel::RowKind OutlineModel::KindOf(const QModelIndex& index) const
{
    return index.isValid() ? RowAt(index).Kind : RowKind::Loose;
}

QModelIndex OutlineModel::IndexOf(CardId card) const
{
    if (!FBuilt)
        Build();
    const int row = FRowOf.value(card, -1);
    return row < 0 ? QModelIndex() : IndexOfRow(row, NameColumn);
}

QModelIndex OutlineModel::IndexOfRow(int row, int column) const
{
    return createIndex(FRows[row].Position, column, quintptr(row));
}

QModelIndex OutlineModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!FBuilt)
        Build();
    const QList<int>& children = parent.isValid() ? RowAt(parent).Children : FTop;
    if (row < 0 || row >= children.size() || column < 0 || column >= ColumnCount)
        return {};
    return createIndex(row, column, quintptr(children[row]));
}

QModelIndex OutlineModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const int parent = RowAt(child).Parent;
    return parent < 0 ? QModelIndex() : IndexOfRow(parent, 0);
}

int OutlineModel::rowCount(const QModelIndex& parent) const
{
    if (!FBuilt)
        Build();
    if (!parent.isValid())
        return int(FTop.size());
    return parent.column() == 0 ? int(RowAt(parent).Children.size()) : 0;
}

int OutlineModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

qint64 OutlineModel::CardWords(CardId card) const
{
    if (!FLooks.Words)
        return 0;
    auto kept = FWords.constFind(card);
    if (kept != FWords.constEnd())
        return *kept;
    return *FWords.insert(card, FLooks.Words(card));
}

qint64 OutlineModel::WordsOf(int row) const
{
    const Row& at = FRows[row];
    qint64 words = at.Kind == RowKind::Chain ? 0 : CardWords(at.Card);
    for (const int child : at.Children)
        words += WordsOf(child);
    return words;
}

QString OutlineModel::WordsText(int row) const
{
    const qint64 words = WordsOf(row);
    QString text = QLocale().toString(words);
    const int target = FLooks.TargetWords ? FLooks.TargetWords() : 0;
    if (FRows[row].Kind == RowKind::Chain && target > 0)
        text += QStringLiteral(" (%1%)").arg(
            QLocale().toString(100.0 * double(words) / target, 'f', 1));
    return text;
}

QVariant OutlineModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int at = int(index.internalId());
    const Row& row = FRows[at];
    if (row.Kind == RowKind::Loose) {
        if (index.column() == NameColumn && (role == Qt::DisplayRole || role == Qt::EditRole))
            return FLooks.NotInAChain;
        return {};
    }
    const CardData& card = FModel.Card(row.Card);
    const bool chain = row.Kind == RowKind::Chain;
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case NameColumn:
            return card.Name;
        case StateColumn:
            if (chain)
                return {};
            return FLooks.StateName ? FLooks.StateName(card.State) : QString::number(card.State);
        case WordsColumn:
            return role == Qt::EditRole ? QVariant(WordsOf(at)) : QVariant(WordsText(at));
        case DescriptionColumn:
            return chain ? QVariant() : QVariant(card.Description);
        }
    }
    if (role == Qt::DecorationRole && index.column() == NameColumn && FLooks.TypeIcon)
        return FLooks.TypeIcon(card.Type);
    if (role == Qt::TextAlignmentRole && index.column() == WordsColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags OutlineModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // A chain row stands for the chain: its first card is renamed on its own row.
    const RowKind kind = RowAt(index).Kind;
    if ((kind == RowKind::Card || kind == RowKind::Chapter)
        && (index.column() == NameColumn || index.column() == DescriptionColumn))
        flags |= Qt::ItemIsEditable;
    // A card's row is dragged, a chain's is not; whether a drop means anything, the drop says.
    if (kind == RowKind::Card || kind == RowKind::Chapter)
        flags |= Qt::ItemIsDragEnabled;
    return flags | Qt::ItemIsDropEnabled;
}

bool OutlineModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || !ChangeRequested)
        return false;
    const CardId card = RowAt(index).Card;
    CardData after = FModel.Card(card);
    if (index.column() == NameColumn)
        after.Name = value.toString();
    else
        after.Description = value.toString();
    return ChangeRequested(card, after);
}

QVariant OutlineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < FLooks.Headers.size())
        return FLooks.Headers[section];
    return {};
}

QStringList OutlineModel::mimeTypes() const
{
    return { CardMimeType };
}

QMimeData* OutlineModel::mimeData(const QModelIndexList& indexes) const
{
    for (const QModelIndex& index : indexes) {
        if (!(flags(index) & Qt::ItemIsDragEnabled))
            continue;
        auto* data = new QMimeData;
        data->setData(CardMimeType, QByteArray::number(CardOf(index)));
        return data;
    }
    return nullptr;
}

OutlineModel::Drop OutlineModel::DropOf(
    const QMimeData* data, int row, const QModelIndex& parent) const
{
    if (!data || !parent.isValid() || !FBuilt)
        return {};
    bool number = false;
    const CardId card = data->data(CardMimeType).toInt(&number);
    if (!number || !FRowOf.contains(card))
        return {};
    const int onto = int(parent.internalId());
    const Row& at = FRows[onto];
    if (at.Kind == RowKind::Loose || (at.Parent >= 0 && FRows[at.Parent].Kind == RowKind::Loose))
        return ChainEdits::PlanMoveOut(FModel, card).isEmpty() ? Drop()
                                                               : Drop { card, std::nullopt };
    // Between rows: before the row below. Onto a card: after it. Onto a chain, or below the last
    // row of a chain or a chapter: after the last card there.
    ChainPlace place { 0, ChainPlace::Side::After };
    if (row >= 0 && row < at.Children.size()) {
        place = { FRows[at.Children[row]].Card, ChainPlace::Side::Before };
    } else {
        int last = onto;
        if (row >= 0 || at.Kind == RowKind::Chain)
            while (!FRows[last].Children.isEmpty())
                last = FRows[last].Children.last();
        place.Card = FRows[last].Card;
    }
    return ChainEdits::PlanMoveTo(FModel, card, place).isEmpty() ? Drop() : Drop { card, place };
}

bool OutlineModel::canDropMimeData(
    const QMimeData* data, Qt::DropAction, int row, int, const QModelIndex& parent) const
{
    return DropOf(data, row, parent).Card != 0;
}

bool OutlineModel::dropMimeData(
    const QMimeData* data, Qt::DropAction, int row, int, const QModelIndex& parent)
{
    const Drop drop = DropOf(data, row, parent);
    return drop.Card && MoveRequested && MoveRequested(drop.Card, drop.Place);
}
