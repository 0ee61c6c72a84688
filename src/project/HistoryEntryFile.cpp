#include "project/HistoryEntryFile.h"

#include "project/HistoryDelta.h"

#include <QFile>
#include <QtEndian>
#include <zlib.h>

namespace {
constexpr char WholeText = 'F';
constexpr char Delta = 'D';
// qCompress leads with the payload's length, four bytes with the most significant first.
constexpr qsizetype LengthBytes = 4;

/// Inflates what qCompress made, into no more bytes than its leading length gives and never
/// past MaxHistoryTextBytes: a small damaged file can inflate without end.
bool Uncompress(QByteArrayView compressed, QByteArray& payload)
{
    if (compressed.size() < LengthBytes)
        return false;
    const quint32 length = qFromBigEndian<quint32>(compressed.data());
    if (length > quint64(MaxHistoryTextBytes))
        return false;
    // An empty payload may be stored as its length alone.
    if (length == 0 && compressed.size() == LengthBytes) {
        payload.clear();
        return true;
    }
    // One byte of room more than the length, so that a stream going on past it is seen.
    payload.resize(qsizetype(length) + 1);
    z_stream stream {};
    if (inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data() + LengthBytes));
    stream.avail_in = uInt(compressed.size() - LengthBytes);
    stream.next_out = reinterpret_cast<Bytef*>(payload.data());
    stream.avail_out = uInt(payload.size());
    const int result = inflate(&stream, Z_FINISH);
    const bool whole = result == Z_STREAM_END && stream.total_out == length;
    inflateEnd(&stream);
    payload.resize(whole ? qsizetype(length) : 0);
    return whole;
}
} // namespace

QByteArray EncodeEntryFile(const HistoryEntryFile& entry)
{
    QByteArray bytes(1, entry.Base.isEmpty() ? WholeText : Delta);
    bytes += entry.Base.toLatin1();
    return bytes + qCompress(entry.Payload);
}

bool DecodeEntryFile(const QByteArray& bytes, HistoryEntryFile& entry)
{
    if (bytes.isEmpty() || (bytes[0] != WholeText && bytes[0] != Delta))
        return false;
    const qsizetype baseLength = bytes[0] == Delta ? EntryStampLength : 0;
    QByteArray payload;
    if (bytes.size() < 1 + baseLength
        || !Uncompress(QByteArrayView(bytes).sliced(1 + baseLength), payload))
        return false;
    entry.Base = QString::fromLatin1(bytes.mid(1, baseLength));
    entry.Payload = std::move(payload);
    return true;
}

bool ReadEntryBase(const QString& path, QString& base)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(1 + EntryStampLength);
    if (head.startsWith(WholeText)) {
        base.clear();
        return true;
    }
    if (!head.startsWith(Delta) || head.size() < 1 + EntryStampLength)
        return false;
    base = QString::fromLatin1(head.mid(1));
    return true;
}
