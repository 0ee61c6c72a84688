#include "project/HistoryDelta.h"

#include <QtEndian>
#include <algorithm>

namespace {
constexpr qsizetype HeaderSize = 2 * sizeof(quint64);
}

QByteArray EncodeDelta(const QByteArray& base, const QByteArray& text)
{
    const qsizetype shorter = std::min(base.size(), text.size());
    qsizetype prefix = 0;
    while (prefix < shorter && base[prefix] == text[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix
        && base[base.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;

    QByteArray delta(HeaderSize, '\0');
    qToBigEndian<quint64>(prefix, delta.data());
    qToBigEndian<quint64>(suffix, delta.data() + sizeof(quint64));
    delta += text.mid(prefix, text.size() - prefix - suffix);
    return delta;
}

bool ApplyDelta(const QByteArray& base, const QByteArray& delta, QByteArray& text)
{
    if (delta.size() < HeaderSize)
        return false;
    const quint64 prefix = qFromBigEndian<quint64>(delta.constData());
    const quint64 suffix = qFromBigEndian<quint64>(delta.constData() + sizeof(quint64));
    if (prefix > quint64(base.size()) || suffix > quint64(base.size()) - prefix)
        return false;
    text = base.left(qsizetype(prefix)) + delta.mid(HeaderSize) + base.right(qsizetype(suffix));
    return true;
}
