#pragma once

#include "search/ProjectSearch.h"

#include <QAbstractItemModel>

/// The results of a search as a tree: each card with its match count, under it each match as
/// its line of context, every row with a check box (all on). A card's box checks its matches;
/// the checked matches become the replacements.
class FindResultsModel : public QAbstractItemModel {
    Q_OBJECT
public:
    /// Where a match row's match stands in its text, for drawing it bold.
    enum Roles { HighlightStartRole = Qt::UserRole + 1, HighlightLengthRole };

    explicit FindResultsModel(QObject* parent = nullptr);

    /// The captions of a card row ("%1 (%2)": name, count), of a card whose text could not be
    /// read ("%1: %2": name, reason) and the words before a name's or a description's match.
    struct Looks {
        QString CardRow = QStringLiteral("%1 (%2)");
        QString Unreadable = QStringLiteral("%1: %2");
        QString NameField = QStringLiteral("Name");
        QString DescriptionField = QStringLiteral("Description");
    };
    void SetLooks(const Looks& looks);

    void Clear();
    /// Adds the cards of a batch at the end.
    void Append(const QList<CardMatches>& cards);
    int CardCount() const { return int(FCards.size()); }
    int MatchCount() const { return FMatchCount; }
    /// The name of a card in the results as it was searched; empty for one not there.
    QString CardName(CardId card) const;

    /// The card of a row, and the match of a match row (or the card's first for a card row);
    /// false for a row without a match.
    bool MatchAt(const QModelIndex& index, CardId& card, FoundMatch& match) const;
    /// The checked matches as replacements, per card and field, ascending, `with` expanded
    /// for each match as the matcher expands it.
    QList<CardReplacement> CheckedReplacements(
        const TextMatcher& matcher, const QString& with) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Card {
        CardMatches Found;
        QList<bool> Checked;
    };
    /// The prefix a match row shows before its context.
    QString FieldPrefix(ReplacedField field) const;
    Qt::CheckState CardState(const Card& card) const;

    QList<Card> FCards;
    int FMatchCount = 0;
    Looks FLooks;
};
