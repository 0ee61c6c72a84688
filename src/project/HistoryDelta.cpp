#include "project/HistoryDelta.h"

#include <QHash>
#include <algorithm>
#include <cstring>

namespace {
// The base is looked up in blocks of this many bytes: long enough that a match is rarely by
// chance, short enough that a change between two matches costs little.
constexpr qsizetype Block = 32;
constexpr quint64 Multiplier = 1099511628211ULL;

quint64 Power()
{
    quint64 power = 1;
    for (qsizetype i = 1; i < Block; ++i)
        power *= Multiplier;
    return power;
}

quint64 BlockHash(const char* bytes)
{
    quint64 hash = 0;
    for (qsizetype i = 0; i < Block; ++i)
        hash = hash * Multiplier + quint8(bytes[i]);
    return hash;
}

void AppendNumber(QByteArray& out, quint64 number)
{
    do {
        const quint8 low = number & 0x7f;
        number >>= 7;
        out += char(number ? low | 0x80 : low);
    } while (number);
}

bool ReadNumber(const QByteArray& in, qsizetype& at, quint64& number)
{
    number = 0;
    for (int shift = 0; shift < 64 && at < in.size(); shift += 7) {
        const quint8 byte = quint8(in[at++]);
        number |= quint64(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

/// One step of a delta: `literal` new bytes, then `length` bytes of the base from `offset`.
void AppendStep(QByteArray& delta, const char* literal, qsizetype literalSize, qsizetype offset,
    qsizetype length)
{
    AppendNumber(delta, quint64(literalSize));
    delta.append(literal, literalSize);
    AppendNumber(delta, quint64(offset));
    AppendNumber(delta, quint64(length));
}
} // namespace

QByteArray EncodeDelta(const QByteArray& base, const QByteArray& text)
{
    QHash<quint64, qsizetype> blocks;
    blocks.reserve(base.size() / Block);
    // Backwards, so that of two blocks with the same bytes the earlier one is found.
    for (qsizetype at = (base.size() / Block - 1) * Block; at >= 0; at -= Block)
        blocks.insert(BlockHash(base.constData() + at), at);

    const char* in = text.constData();
    const qsizetype size = text.size();
    const quint64 power = Power();
    // The text's size first, so that a delta cut short at a step's end is not taken for a text.
    QByteArray delta;
    AppendNumber(delta, quint64(size));
    qsizetype literalStart = 0;
    qsizetype at = 0;
    quint64 hash = size >= Block ? BlockHash(in) : 0;
    while (at + Block <= size) {
        const auto found = blocks.constFind(hash);
        if (found != blocks.cend() && std::memcmp(base.constData() + *found, in + at, Block) == 0) {
            qsizetype from = *found;
            qsizetype length = Block;
            while (from + length < base.size() && at + length < size
                && base[from + length] == in[at + length])
                ++length;
            // The block grid of the base seldom starts where the shared stretch does.
            while (at > literalStart && from > 0 && base[from - 1] == in[at - 1]) {
                --at;
                --from;
                ++length;
            }
            AppendStep(delta, in + literalStart, at - literalStart, from, length);
            at += length;
            literalStart = at;
            if (at + Block <= size)
                hash = BlockHash(in + at);
            continue;
        }
        if (at + Block < size)
            hash = (hash - quint8(in[at]) * power) * Multiplier + quint8(in[at + Block]);
        ++at;
    }
    if (literalStart < size)
        AppendStep(delta, in + literalStart, size - literalStart, 0, 0);
    return delta;
}

bool ApplyDelta(const QByteArray& base, const QByteArray& delta, QByteArray& text)
{
    qsizetype at = 0;
    quint64 size = 0;
    // The size is checked before anything is made: a few bytes of delta can repeat its base
    // without end.
    if (!ReadNumber(delta, at, size) || size > quint64(MaxHistoryTextBytes))
        return false;
    QByteArray rebuilt;
    rebuilt.reserve(qsizetype(size));
    while (at < delta.size()) {
        quint64 literal = 0, offset = 0, length = 0;
        if (!ReadNumber(delta, at, literal) || literal > quint64(delta.size() - at)
            || literal > size - quint64(rebuilt.size()))
            return false;
        rebuilt.append(delta.constData() + at, qsizetype(literal));
        at += qsizetype(literal);
        if (!ReadNumber(delta, at, offset) || !ReadNumber(delta, at, length)
            || offset > quint64(base.size()) || length > quint64(base.size()) - offset
            || length > size - quint64(rebuilt.size()))
            return false;
        rebuilt.append(base.constData() + offset, qsizetype(length));
    }
    if (quint64(rebuilt.size()) != size)
        return false;
    text = rebuilt;
    return true;
}
