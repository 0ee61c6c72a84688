#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

/// A card's stable identity within an open project; 0 is no card.
using CardId = int;

/// What the project keeps of one card.
struct CardData {
    QString Name;
    int Type = 1; ///< 0 the Compilation card, 1 to 12 the theme's types
    int State = 0; ///< revision state, 0 to 5
    QString Description;
    QPoint Position { 100, 100 }; ///< top-left, in whole canvas pixels
    QString FileName; ///< its card file in the project folder; empty until written

    bool operator==(const CardData&) const = default;
};

/// The project's cards and links, without any window: each card by a stable id, in creation
/// order ("canvas order"), and each link from a card to its successor. Every change announces
/// itself, so that the canvas draws what the model holds and commands change only the model.
class ProjectModel : public QObject {
    Q_OBJECT
public:
    explicit ProjectModel(QObject* parent = nullptr);

    /// Adds a card at the end of the canvas order, or at `index` (a card brought back by an
    /// undo returns to its place); `id` 0 takes a new id. Returns the card's id.
    CardId AddCard(const CardData& card, CardId id = 0, int index = -1);
    /// Removes a card and every link to or from it.
    void RemoveCard(CardId id);
    /// Removes every card; ids are not reused.
    void Clear();

    /// Changes a card's fields (its links stay).
    void ChangeCard(CardId id, const CardData& card);
    /// Moves cards to new positions.
    void MoveCards(const QHash<CardId, QPoint>& positions);

    /// Links `source` to `target` as its successor; 0 removes the source's link. A card that
    /// linked to `target` before lets go of it, as a card has one predecessor.
    void SetLink(CardId source, CardId target);
    /// Links as a card file says, even where a damaged project names one successor for several
    /// cards: each keeps its link, and the last becomes the successor's predecessor.
    void AddStoredLink(CardId source, CardId target);

    bool Contains(CardId id) const { return FCards.contains(id); }
    /// The card's fields; an empty record for an unknown id.
    const CardData& Card(CardId id) const;
    CardId LinkTo(CardId id) const { return FLinkTo.value(id); }
    CardId LinkedFrom(CardId id) const { return FLinkedFrom.value(id); }
    /// Every card, in canvas order.
    const QList<CardId>& Cards() const { return FOrder; }
    int IndexOf(CardId id) const { return int(FOrder.indexOf(id)); }
    /// The chain from `first` along the successor links, `first` included; a loop from a
    /// damaged project is walked once.
    QList<CardId> ChainFrom(CardId first) const;
    /// The first card of that name in canvas order; 0 when none.
    CardId FindByName(const QString& name) const;

    /// Several links change as one edit (a step's links): CardLinked still announces each
    /// link, and LinksSettled follows the last, so that a follower that makes something of all
    /// the links (the outline's rows) does it once, from the links as they end up. Nests.
    void BeginLinkChanges()
    {
        if (FLinkChanges++ == 0)
            FLinksChanged = false;
    }
    void EndLinkChanges();
    bool ChangingLinks() const { return FLinkChanges > 0; }

signals:
    void CardAdded(CardId id);
    void CardChanged(CardId id);
    void CardRemoved(CardId id);
    /// The card's successor changed: its outgoing line follows.
    void CardLinked(CardId source);
    void Cleared();
    /// The links changed between BeginLinkChanges and EndLinkChanges have all changed.
    void LinksSettled();

private:
    void Unlink(CardId source);

    QHash<CardId, CardData> FCards;
    QList<CardId> FOrder;
    QHash<CardId, CardId> FLinkTo;
    QHash<CardId, CardId> FLinkedFrom;
    CardId FLastId = 0;
    /// Links that a damaged project's cards make to a card that already has a predecessor:
    /// while there are none, a card's predecessor is the one card linking to it.
    int FExtraLinks = 0;
    int FLinkChanges = 0;
    bool FLinksChanged = false; ///< a link changed since BeginLinkChanges
};
