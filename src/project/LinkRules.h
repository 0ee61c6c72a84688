#pragma once

#include "project/ProjectModel.h"

#include <QHash>
#include <QList>

/// What a link gesture does.
enum class LinkResult {
    Linked, ///< the source now links to the target
    Unlinked, ///< the source already linked to the target: the link goes
    Refused, ///< the link would close a cycle: nothing changes
};

/// The successor each card a link operation touches has afterwards (0 for none): a plan that
/// a command applies, and whose opposite, taken before, undoes it.
using LinkSnapshot = QHash<CardId, CardId>;

/// What linking `source` to `target` (two different cards) would do. Linking a pair again
/// removes the link; a link that would close a cycle is refused. The target's old predecessor
/// lets go of it, as a card has one predecessor.
struct LinkPlan {
    LinkResult Result = LinkResult::Refused;
    LinkSnapshot After;
};
LinkPlan PlanLink(const ProjectModel& model, CardId source, CardId target);

/// The successors the given cards have now.
LinkSnapshot CurrentLinks(const ProjectModel& model, const QList<CardId>& sources);

/// Gives the cards the successors of a snapshot: every card in it lets go first, then links,
/// so that a snapshot taken before an operation brings the links back whole. The model
/// announces the links settled once, after the last.
void ApplyLinks(ProjectModel& model, const LinkSnapshot& links);

/// Links the cards as their card files name their successors: each name is matched exactly
/// against the other cards (blanks trimmed when nothing matches as spelt), the first in canvas
/// order wins, and when several cards name one target its predecessor is the last resolved.
/// Names that match no card are dropped at the next save. Linear in the number of cards.
void ResolveStoredLinks(ProjectModel& model, const QHash<CardId, QString>& successorNames);
