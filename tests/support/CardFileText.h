#pragma once

#include <QByteArray>
#include <QString>

/// The text of a card file with the keys a card keeps: its stored type, state, position,
/// description and link.
inline QByteArray CardFileText(int storedType, int state, int left, int top,
    const QString& linkTo = {}, const QString& description = {})
{
    return QString("[StateData]\nType=%1\nState=%2\n[Position]\nLeft=%3\nTop=%4\n"
                   "[Description]\nText=%5\n[LinkTo]\nName=%6\n")
        .arg(storedType)
        .arg(state)
        .arg(left)
        .arg(top)
        .arg(description, linkTo)
        .toUtf8();
}
