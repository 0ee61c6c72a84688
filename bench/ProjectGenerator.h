#pragma once

#include <QString>

/// Writes a project of `cardCount` cards into `folder` (which ends with "/"): a grid of cards of
/// every type, chained in runs of ten, each with a description. Returns the project file's path.
QString GenerateProject(const QString& folder, int cardCount);
