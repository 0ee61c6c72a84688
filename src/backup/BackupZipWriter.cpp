#include "backup/BackupZipWriter.h"

#include "messages/ReasonTexts.h"
#include "platform/NativeName.h"

#include <QUtf8StringView>

#include <algorithm>
#include <utility>
#include <zlib.h>

namespace {
constexpr quint32 LocalHeader = 0x04034b50;
constexpr quint32 CentralHeader = 0x02014b50;
constexpr quint32 EndOfDirectory = 0x06054b50;
constexpr quint32 EndOfDirectory64 = 0x06064b50;
constexpr quint32 EndLocator64 = 0x07064b50;
constexpr quint16 Stored = 0;
constexpr quint16 Deflated = 8;
constexpr quint16 Utf8Name = 1 << 11;
constexpr quint16 NeedsVersion2 = 20;
constexpr quint16 NeedsVersion45 = 45; // the 64-bit end records
// Made on Unix (3) by version 3.0 of the format, so that readers take the permissions.
constexpr quint16 MadeOnUnix = (3 << 8) | 30;
constexpr quint64 Largest32 = 0xFFFFFFFFu;
constexpr quint64 Largest16 = 0xFFFFu;
constexpr int EndSize = 22;

void Put16(QByteArray& out, quint64 value)
{
    out.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}

void Put32(QByteArray& out, quint64 value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, (value >> 16) & 0xFFFF);
}

void Put64(QByteArray& out, quint64 value)
{
    Put32(out, value & Largest32);
    Put32(out, value >> 32);
}

quint32 Get32(const char* at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
}

quint16 Get16(const char* at)
{
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return quint16(b[0] | b[1] << 8);
}

/// The time as the archive keeps it: local, to two seconds, from 1980 on.
quint32 DosTime(const QDateTime& when)
{
    const QDateTime local = when.toLocalTime();
    const QDate day = local.date();
    if (!local.isValid() || day.year() < 1980)
        return (1 << 5 | 1) << 16; // 1 January 1980, midnight
    const QTime time = local.time();
    const quint32 date = quint32(std::min(day.year(), 2107) - 1980) << 9 | day.month() << 5 | day.day();
    return date << 16 | quint32(time.hour() << 11 | time.minute() << 5 | time.second() / 2);
}

/// Whether a name must be flagged as UTF-8: it is UTF-8, and more than plain ASCII.
bool NeedsUtf8Flag(const QByteArray& name)
{
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return uchar(c) < 0x80; });
    return !ascii && QUtf8StringView(name).isValidUtf8();
}
} // namespace

BackupZipWriter::BackupZipWriter()
    : FStream(std::make_unique<z_stream_s>())
{
    if (deflateInit2(FStream.get(), Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        FStream.reset();
}

BackupZipWriter::~BackupZipWriter()
{
    if (FStream)
        deflateEnd(FStream.get());
}

bool BackupZipWriter::Add(const QByteArray& name, const QByteArray& bytes,
    const QDateTime& modified, unsigned permissions, QString& reason)
{
    const quint64 offset = quint64(FArchive.size());
    if (quint64(bytes.size()) >= Largest32 || offset >= Largest32) {
        reason = ReasonText(Reason::BACKUP_TOO_LARGE).arg(ReadableName(PathFromNative(name)));
        return false;
    }
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));

    // Deflated straight behind the header, which is filled in once the size is known.
    const qsizetype headerSize = 30 + name.size();
    const qsizetype dataAt = FArchive.size() + headerSize;
    quint16 method = Stored;
    qsizetype packedSize = bytes.size();
    const uLong bound = FStream ? deflateBound(FStream.get(), uLong(bytes.size())) : 0;
    if (FStream && !bytes.isEmpty() && bound < Largest32) {
        FArchive.resize(dataAt + qsizetype(bound));
        deflateReset(FStream.get());
        FStream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
        FStream->avail_in = uInt(bytes.size());
        FStream->next_out = reinterpret_cast<Bytef*>(FArchive.data() + dataAt);
        FStream->avail_out = uInt(bound);
        if (deflate(FStream.get(), Z_FINISH) == Z_STREAM_END && FStream->total_out < uLong(bytes.size())) {
            method = Deflated;
            packedSize = qsizetype(FStream->total_out);
        }
    }
    if (method == Deflated) {
        FArchive.resize(dataAt + packedSize);
    } else {
        FArchive.resize(dataAt);
        FArchive.append(bytes);
    }
    if (quint64(FArchive.size()) >= Largest32) {
        FArchive.resize(qsizetype(offset));
        reason = ReasonText(Reason::BACKUP_TOO_LARGE).arg(ReadableName(PathFromNative(name)));
        return false;
    }

    const quint16 flags = NeedsUtf8Flag(name) ? Utf8Name : 0;
    const quint32 time = DosTime(modified);
    // What the local header and the central directory's entry share, from the version on.
    QByteArray common;
    Put16(common, NeedsVersion2);
    Put16(common, flags);
    Put16(common, method);
    Put32(common, time);
    Put32(common, crc);
    Put32(common, quint64(packedSize));
    Put32(common, quint64(bytes.size()));
    Put16(common, quint64(name.size()));
    Put16(common, 0); // no extra field

    QByteArray header;
    Put32(header, LocalHeader);
    header.append(common).append(name);
    std::copy(header.begin(), header.end(), FArchive.begin() + offset);

    Put32(FDirectory, CentralHeader);
    Put16(FDirectory, MadeOnUnix);
    FDirectory.append(common);
    Put16(FDirectory, 0); // no comment
    Put16(FDirectory, 0); // first disk
    Put16(FDirectory, 0); // binary
    Put32(FDirectory, quint64(0100000 | (permissions & 07777)) << 16); // a regular file
    Put32(FDirectory, offset);
    FDirectory.append(name);
    ++FCount;
    return true;
}

QByteArray BackupZipWriter::Finish(const QByteArray& comment)
{
    const quint64 directoryAt = quint64(FArchive.size());
    const quint64 directorySize = quint64(FDirectory.size());
    FArchive.append(FDirectory);
    FDirectory.clear();
    const bool large = FCount > Largest16 || directoryAt >= Largest32 || directorySize >= Largest32;
    if (large) {
        const quint64 recordAt = quint64(FArchive.size());
        Put32(FArchive, EndOfDirectory64);
        Put64(FArchive, 44); // the size of the rest of this record
        Put16(FArchive, MadeOnUnix);
        Put16(FArchive, NeedsVersion45);
        Put32(FArchive, 0);
        Put32(FArchive, 0);
        Put64(FArchive, FCount);
        Put64(FArchive, FCount);
        Put64(FArchive, directorySize);
        Put64(FArchive, directoryAt);
        Put32(FArchive, EndLocator64);
        Put32(FArchive, 0);
        Put64(FArchive, recordAt);
        Put32(FArchive, 1);
    }
    const QByteArray kept = comment.left(qsizetype(Largest16));
    Put32(FArchive, EndOfDirectory);
    Put16(FArchive, 0);
    Put16(FArchive, 0);
    Put16(FArchive, std::min(FCount, Largest16));
    Put16(FArchive, std::min(FCount, Largest16));
    Put32(FArchive, std::min(directorySize, Largest32));
    Put32(FArchive, std::min(directoryAt, Largest32));
    Put16(FArchive, quint64(kept.size()));
    FArchive.append(kept);
    FCount = 0;
    return std::exchange(FArchive, {});
}

QByteArray BackupZipWriter::Comment(const QByteArray& tail)
{
    // The end record is the last one whose comment reaches exactly to the end.
    for (qsizetype at = tail.size() - EndSize; at >= 0; --at) {
        if (Get32(tail.constData() + at) == EndOfDirectory
            && at + EndSize + Get16(tail.constData() + at + 20) == tail.size())
            return tail.mid(at + EndSize);
    }
    return {};
}
