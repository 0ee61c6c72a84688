#include "editor/LinesApart.h"

#include <QSet>

QList<int> LinesApart(const QStringList& lines, const QStringList& other)
{
    const QSet<QString> known(other.cbegin(), other.cend());
    QList<int> apart;
    for (int line = 0; line < lines.size(); ++line)
        if (!known.contains(lines[line]))
            apart << line;
    return apart;
}
