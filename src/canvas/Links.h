#pragma once

#include <QList>

class TNodex;

/// What a link gesture did.
enum class LinkResult {
    Linked,   ///< the source now links to the target
    Unlinked, ///< the source already linked to the target: the link was removed
    Refused,  ///< the link would have closed a cycle: nothing changed
};

/// What a link operation did, and which cards' outgoing lines no longer match their links.
struct LinkChange {
    LinkResult Result = LinkResult::Refused;
    /// Cards whose successor changed; the caller lays their lines out again (RefreshLine).
    QList<TNodex*> LinesChanged;
};

// The link relation is graph data: these functions change only LinkTo and LinkedFrom and say
// whose lines must follow, so that the caller decides when lines are drawn.

/// Links `source` to `target` (two different cards, neither the Compilation card). Linking an
/// existing pair again removes the link; a link that would close a cycle is refused. The target
/// leaves its old predecessor's chain, and the source's old successor loses its predecessor.
LinkChange LinkCards(TNodex& source, TNodex& target);

/// Removes the link from `source` to its successor; returns the card whose line changed.
QList<TNodex*> UnlinkCard(TNodex& source);

/// The cards of a chain from `first` along the successor links, `first` included. A damaged
/// project can hold a loop; the walk stops before any card comes round a second time.
QList<TNodex*> ChainFrom(TNodex* first);

/// Resolves the successor names read from card files: each name is matched exactly against the
/// other cards, the first in canvas order wins, and when several cards name the same target its
/// predecessor is the last one resolved. Names that match no card are dropped at the next save.
/// Returns the cards that were linked. Linear in the number of cards.
QList<TNodex*> ResolveStoredLinks(const QList<TNodex*>& cards);
