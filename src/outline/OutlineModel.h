#pragma once

#include "project/ChainEdits.h"
#include "project/ProjectModel.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QIcon>
#include <QList>
#include <functional>
#include <optional>

/// The book at a glance: the project's chains as a tree, each chain a row named by its first
/// card, a chapter card starting a row that holds the cards after it up to the next chapter, and
/// the cards in no chain last. An adapter over the project model, whose signals it follows: it
/// keeps only the rows' shape, never a second copy of a card's fields.
class OutlineModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { NameColumn, StateColumn, WordsColumn, DescriptionColumn, ColumnCount };
    /// What a row stands for.
    enum class RowKind { Chain, Chapter, Card, Loose };

    /// What the outline asks of the program: the captions of its own rows, the type icons and
    /// state captions of the theme, the words of a card's text and the project's target.
    struct Looks {
        QStringList Headers; ///< Name, State, Words, Description
        QString NotInAChain;
        std::function<QIcon(int type)> TypeIcon;
        std::function<QString(int state)> StateName;
        std::function<qint64(CardId)> Words;
        std::function<int()> TargetWords;
    };

    explicit OutlineModel(const ProjectModel& model, QObject* parent = nullptr);

    void SetLooks(Looks looks);
    /// A name or description typed in place, for the program to change as the properties dialog
    /// does (one undoable step, its refusals): false when it refused.
    std::function<bool(CardId, const CardData& after)> ChangeRequested;
    /// A card's row (a chapter's with its scenes) dropped next to a card of a chain, or among
    /// the loose cards (no place), for the program to move as one undoable step: the rows follow
    /// the project model, never the drop. False when it refused.
    std::function<bool(CardId, std::optional<ChainPlace> place)> MoveRequested;

    /// The card a row shows (a chain row its first card); 0 for the loose cards' row.
    CardId CardOf(const QModelIndex& index) const;
    RowKind KindOf(const QModelIndex& index) const;
    /// The row of a card (its own row, never the chain's), in the name column.
    QModelIndex IndexOf(CardId card) const;
    /// The words of a card's text were changed outside the project model (its editor saved):
    /// its row and the totals above it count again.
    void RefreshWords(CardId card);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
        const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
        const QModelIndex& parent) override;

private:
    struct Row {
        CardId Card = 0;
        RowKind Kind = RowKind::Card;
        int Parent = -1; ///< -1 at the top
        int Position = 0; ///< among its parent's children
        QList<int> Children;
    };

    /// The rows are made again only when asked for after a change of the chains: opening a
    /// project adds thousands of cards one by one.
    void Invalidate();
    void Build() const;
    /// The rows made again after an edit of links (a card moved within its chains): when the
    /// same chains and chapters still hold rows, every row, the view's open, selected and
    /// current ones with it, follows its card to its new place; otherwise the rows start over.
    void Relink();
    int AddRow(CardId card, RowKind kind, int parent) const;
    const Row& RowAt(const QModelIndex& index) const { return FRows[int(index.internalId())]; }
    QModelIndex IndexOfRow(int row, int column) const;
    void CardChanged(CardId id);
    /// The words of a row: a card's own, a chapter's with its scenes, a chain's all.
    qint64 WordsOf(int row) const;
    qint64 CardWords(CardId card) const;
    QString WordsText(int row) const;
    /// What a drop means: the card dragged, and the place in a chain it goes to (none: out of
    /// every chain); no card when the drop would change nothing.
    struct Drop {
        CardId Card = 0;
        std::optional<ChainPlace> Place;
    };
    /// A drop as the view reports it: before the child `row` of `parent`, after its last child
    /// (`row` past the end), or onto `parent` (`row` -1).
    Drop DropOf(const QMimeData* data, int row, const QModelIndex& parent) const;

    const ProjectModel& FModel;
    Looks FLooks;
    mutable bool FBuilt = false;
    CardId FRemoved = 0; ///< the card being removed, which the model still holds
    bool FRelink = false; ///< links changed in an edit that has not settled yet
    mutable QList<Row> FRows;
    mutable QList<int> FTop;
    mutable QHash<CardId, int> FRowOf; ///< each listed card's row; -1 where it has none
    mutable QHash<CardId, qint64> FWords;
};
