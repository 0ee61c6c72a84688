#include "platform/ZipWriter.h"

#include <QtEndian>
#include <zlib.h>

namespace {
constexpr quint32 LocalHeaderSignature = 0x04034b50;
constexpr quint32 CentralHeaderSignature = 0x02014b50;
constexpr quint32 EndSignature = 0x06054b50;
constexpr quint16 NeededVersion = 20;
constexpr quint16 MethodStored = 0;
constexpr quint16 MethodDeflated = 8;
/// Bit 11: the names are UTF-8.
constexpr quint16 Utf8Names = 1 << 11;
/// 1 January 1980, the earliest time a zip can hold: the members carry no time of their own,
/// so that the same manuscript gives the same bytes.
constexpr quint16 DosDate = (0 << 9) | (1 << 5) | 1;
// qCompress gives a four-byte length, a two-byte zlib header and a four-byte Adler-32 trailer
// around the raw deflate stream that zip holds.
constexpr int ZlibLead = 6;
constexpr int ZlibTrail = 4;

void Put16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void Put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}
} // namespace

void ZipWriter::Add(const QString& name, const QByteArray& data, Packing packing)
{
    Entry entry;
    entry.Name = name.toUtf8();
    entry.Crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
    entry.Size = quint32(data.size());
    entry.Offset = quint32(FMembers.size());
    QByteArray packed;
    // qCompress gives no zlib stream at all for nothing, which is stored as it is.
    if (packing == Packing::Deflated && !data.isEmpty()) {
        const QByteArray zlib = qCompress(data, 9);
        packed = zlib.mid(ZlibLead, zlib.size() - ZlibLead - ZlibTrail);
        entry.Method = MethodDeflated;
    } else {
        packed = data;
        entry.Method = MethodStored;
    }
    entry.PackedSize = quint32(packed.size());

    Put32(FMembers, LocalHeaderSignature);
    Put16(FMembers, NeededVersion);
    Put16(FMembers, Utf8Names);
    Put16(FMembers, entry.Method);
    Put16(FMembers, 0); // time
    Put16(FMembers, DosDate);
    Put32(FMembers, entry.Crc);
    Put32(FMembers, entry.PackedSize);
    Put32(FMembers, entry.Size);
    Put16(FMembers, quint16(entry.Name.size()));
    Put16(FMembers, 0); // no extra field
    FMembers += entry.Name;
    FMembers += packed;
    FEntries << entry;
}

QByteArray ZipWriter::Finish() const
{
    QByteArray out = FMembers;
    const quint32 directoryStart = quint32(out.size());
    for (const Entry& entry : FEntries) {
        Put32(out, CentralHeaderSignature);
        Put16(out, NeededVersion); // made by
        Put16(out, NeededVersion);
        Put16(out, Utf8Names);
        Put16(out, entry.Method);
        Put16(out, 0);
        Put16(out, DosDate);
        Put32(out, entry.Crc);
        Put32(out, entry.PackedSize);
        Put32(out, entry.Size);
        Put16(out, quint16(entry.Name.size()));
        Put16(out, 0); // extra field
        Put16(out, 0); // comment
        Put16(out, 0); // disk
        Put16(out, 0); // internal attributes
        Put32(out, 0); // external attributes
        Put32(out, entry.Offset);
        out += entry.Name;
    }
    const quint32 directorySize = quint32(out.size()) - directoryStart;
    Put32(out, EndSignature);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, quint16(FEntries.size()));
    Put16(out, quint16(FEntries.size()));
    Put32(out, directorySize);
    Put32(out, directoryStart);
    Put16(out, 0);
    return out;
}
