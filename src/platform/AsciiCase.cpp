#include "platform/AsciiCase.h"

QString FoldedAsciiCase(QStringView text)
{
    QString folded = text.toString();
    for (QChar& c : folded)
        c = FoldAsciiCase(c);
    return folded;
}

bool SameIgnoringAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i]))
            return false;
    }
    return true;
}
