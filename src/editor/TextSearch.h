#pragma once

#include <QStringView>

/// Where `needle` first stands in `text` from `from` on, or -1. Without `matchCase` only the
/// letters A to Z are taken as a to z: accented letters must match exactly.
qsizetype FindForward(QStringView text, qsizetype from, QStringView needle, bool matchCase);

/// Whether a selection is the text searched for, by the same rule.
bool MatchesSearch(QStringView selection, QStringView needle, bool matchCase);
