#include "project/HistoryEntryFile.h"

#include <QFile>

namespace {
constexpr char WholeText = 'F';
constexpr char Delta = 'D';
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
    const QByteArray compressed = bytes.mid(1 + baseLength);
    // qCompress leads with the payload's length: an empty result for a payload that was not
    // empty means the entry is damaged.
    const bool wasEmpty = compressed.size() > 4 && compressed.startsWith(QByteArray(4, '\0'));
    QByteArray payload = qUncompress(compressed);
    if (bytes.size() < 1 + baseLength || (payload.isEmpty() && !wasEmpty))
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
