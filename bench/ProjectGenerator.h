#pragma once

#include <QString>

/// Writes a project of `cardCount` cards into `folder` (which ends with "/"): a grid of cards of
/// every type, chained in runs of `chainLength`, each with a description and, when `textWords`
/// is not 0, a text of that many words. Returns the project file's path.
QString GenerateProject(const QString& folder, int cardCount, int chainLength = 10, int textWords = 0);
