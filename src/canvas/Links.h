#pragma once

#include <QList>

class TNodex;

/// What a link gesture did.
enum class LinkResult {
    Linked,   ///< the source now links to the target
    Unlinked, ///< the source already linked to the target: the link was removed
    Refused,  ///< the link would have closed a cycle: nothing changed
};

/// Links `source` to `target` (two different cards, neither the Compilation card). Linking an
/// existing pair again removes the link; a link that would close a cycle is refused. The target
/// leaves its old predecessor's chain, and the source's old successor loses its predecessor.
LinkResult LinkCards(TNodex& source, TNodex& target);

/// Removes the link from `source` to its successor, hiding its line.
void UnlinkCard(TNodex& source);

/// The cards of a chain from `first` along the successor links, `first` included. A damaged
/// project can hold a loop; the walk stops before any card comes round a second time.
QList<TNodex*> ChainFrom(TNodex* first);

/// Resolves the successor names read from card files: each name is matched exactly against the
/// other cards, the first in canvas order wins, and when several cards name the same target its
/// predecessor is the last one resolved. Lines are laid out for every link made; names that
/// match no card are dropped at the next save. Linear in the number of cards.
void ResolveStoredLinks(const QList<TNodex*>& cards);
