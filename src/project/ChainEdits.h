#pragma once

#include "project/LinkRules.h"
#include "project/ProjectModel.h"

#include <QSet>

/// The type of a chapter card: the cards after it, up to the next chapter card, are its scenes.
constexpr int ChapterType = 1;

/// A place in a chain: next to `Card`, before or after it.
struct ChainPlace {
    enum class Side { Before, After };
    CardId Card = 0;
    Side Where = Side::Before;
};

/// The links that reorder chains, each a plan that a step applies and whose opposite, taken
/// before, undoes it; an empty plan when the edit changes nothing or cannot be made (the card
/// is first or last already, in no chain, or a cycle left by a damaged project is in the way).
/// Each walks only the cards that move and their neighbouring group, never the whole chain,
/// and every walk stops at a card it has seen.
namespace ChainEdits {

/// One place towards the chain's start: a chapter card with its scenes past the chapter group
/// before it (or past the one card before it, ahead of any chapter), any other card past the
/// card before it.
LinkSnapshot PlanMoveUp(const ProjectModel& model, CardId card);
/// One place towards the chain's end: a chapter card with its scenes past the chapter group
/// after it, any other card past the card after it.
LinkSnapshot PlanMoveDown(const ProjectModel& model, CardId card);
/// The card (a chapter card with its scenes) to a place in any chain; a loose card is linked
/// in there. The old neighbours are joined.
LinkSnapshot PlanMoveTo(const ProjectModel& model, CardId card, ChainPlace place);
/// The card (a chapter card with its scenes, which stay linked behind it) out of its chain;
/// the old neighbours are joined.
LinkSnapshot PlanMoveOut(const ProjectModel& model, CardId card);
/// The card alone out of its chain, its neighbours joined: its scenes stay where they are.
LinkSnapshot PlanRemoveFromChain(const ProjectModel& model, CardId card);

/// Whether deleting these cards leaves a chain open: some card that stays links to one that
/// goes, from which the chain leads on to a card that stays.
bool LeavesChainOpen(const ProjectModel& model, const QSet<CardId>& going);

} // namespace ChainEdits
