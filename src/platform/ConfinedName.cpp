#include "platform/ConfinedName.h"

bool StaysInFolder(const QString& name)
{
    if (name.isEmpty() || name == "." || name == "..")
        return false;
    for (const QChar c : name)
        if (c == '/' || c == '\\' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}
