#pragma once

#include "steps/TextReplacement.h"

#include <QList>
#include <QString>

class TfmMain;

/// What a Replace in Project came to: the cards it changed, and the replacements it did not
/// make, each with the reason.
struct ProjectReplaceResult {
    int CardsChanged = 0;
    QList<RefusedReplacement> Refused;
};

/// Replace in Project: makes the replacements (found searching for `pattern`) as one step on
/// the main window's undo stack, texts open in editors changed there. A name that would be
/// illegal or taken, and a text changed since it was searched, are refused with the reason and
/// the rest are made; when nothing is made no step is pushed.
ProjectReplaceResult ReplaceInProject(
    TfmMain& main, const QString& pattern, const QList<CardReplacement>& records);
