#pragma once

#include <QList>
#include <QStringList>

/// The indexes of the lines of `lines` that appear nowhere in `other`: what one version of a
/// text has that the other lacks, found in one pass however long the texts are.
QList<int> LinesApart(const QStringList& lines, const QStringList& other);
