#include "platform/TextFile.h"

#include "platform/AtomicWrite.h"
#include "platform/FileIdentity.h"
#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five bytes that 1252 leaves
// undefined keep their Latin-1 code points, so no byte is ever lost.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}


QString DecodeByMarkOrLines(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE).decode(view);
    if (view.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE).decode(view);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);

    // Stateless, so that a sequence cut off at the end counts as an error. Nearly every file is
    // valid UTF-8 as a whole and is decoded in this one call.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;

    // No UTF-8 sequence spans a line break, so each line can be judged on its own.
    text.clear();
    text.reserve(view.size());
    for (qsizetype start = 0; start < view.size();) {
        qsizetype end = start;
        while (end < view.size() && view[end] != '\n' && view[end] != '\r')
            ++end;
        while (end < view.size() && (view[end] == '\n' || view[end] == '\r'))
            ++end;
        const QByteArrayView line = view.sliced(start, end - start);
        QStringDecoder lineDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString decoded = lineDecoder.decode(line);
        text += lineDecoder.hasError() ? DecodeWindows1252(line) : decoded;
        start = end;
    }
    return text;
}
} // namespace

QString DecodeText(const QByteArray& bytes)
{
    QString text = DecodeByMarkOrLines(bytes);
    // A byte-order mark repeated after the first is no text either: kept, it would be written
    // back as a UTF-8 mark and read as one, and the file would change on every save.
    qsizetype marks = 0;
    while (marks < text.size() && text[marks] == QChar(0xFEFF))
        ++marks;
    text.remove(0, marks);
    return text;
}

QString NormaliseLineEnds(QString text)
{
    // The text only shrinks, so it is done in place, in one pass: a long text is read often.
    qsizetype at = text.indexOf(u'\r');
    if (at < 0)
        return text;
    QChar* data = text.data();
    qsizetype kept = at;
    for (; at < text.size(); ++at) {
        if (data[at] != u'\r') {
            data[kept++] = data[at];
            continue;
        }
        data[kept++] = u'\n';
        if (at + 1 < text.size() && data[at + 1] == u'\n')
            ++at;
    }
    text.truncate(kept);
    return text;
}

QByteArray EncodeText(QStringView text, LineEnds lineEnds)
{
    // Encoded line by line straight into one buffer: no copy of a long text is made on the way.
    const QByteArrayView lineEnd = lineEnds == LineEnds::CrLf ? "\r\n" : "\n";
    QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QByteArray bytes(
        utf8.requiredSpace(text.size()) + text.count(u'\n') + text.count(u'\r'), Qt::Uninitialized);
    char* out = bytes.data();
    qsizetype start = 0;
    // An editor's text holds no CR: its line ends are then found by the library's fast search.
    const bool anyCr = text.contains(u'\r');
    const auto nextLineEnd = [&](qsizetype from) {
        if (!anyCr)
            return text.indexOf(u'\n', from);
        for (; from < text.size(); ++from)
            if (text[from] == u'\r' || text[from] == u'\n')
                return from;
        return qsizetype(-1);
    };
    for (qsizetype at = nextLineEnd(0); at >= 0; at = nextLineEnd(start)) {
        out = utf8.appendToBuffer(out, text.sliced(start, at - start));
        out = std::copy(lineEnd.begin(), lineEnd.end(), out);
        if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n')
            ++at;
        start = at + 1;
    }
    out = utf8.appendToBuffer(out, text.sliced(start));
    bytes.truncate(out - bytes.data());
    return bytes;
}


void AppendCrLfText(QByteArray& out, const QByteArray& fileBytes)
{
    QByteArrayView text(fileBytes);
    // UTF-8 without marks decodes to exactly its own bytes, and CR and LF bytes are never part
    // of a longer sequence: such a text needs only its line ends changed. Any other text (a
    // UTF-16 mark is never UTF-8) takes the way every text file is read.
    QByteArray decoded;
    while (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    if (!text.isValidUtf8()) {
        decoded = DecodeText(fileBytes).toUtf8();
        text = decoded;
    }
    // Written straight into the output, which each line end can at most double; grown by at
    // least half again, so that a long compilation is not copied at every text.
    const qsizetype before = out.size();
    const qsizetype room = before + 2 * text.size();
    if (out.capacity() < room)
        out.reserve(std::max(room, out.capacity() + out.capacity() / 2));
    out.resize(room);
    char* to = out.data() + before;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const auto* lf = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)));
        const char* lineEnd = lf ? lf : end;
        if (const auto* cr = static_cast<const char*>(std::memchr(at, '\r', size_t(lineEnd - at))))
            lineEnd = cr;
        std::memcpy(to, at, size_t(lineEnd - at));
        to += lineEnd - at;
        if (lineEnd == end)
            break;
        *to++ = '\r';
        *to++ = '\n';
        at = lineEnd + (lineEnd[0] == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n' ? 2 : 1);
    }
    out.resize(to - out.constData());
}

namespace {
/// ReadFileIfPresent, giving also the status of the file as it was opened, before any byte was
/// read: a change made while it is read then shows as a change later on.
FileRead ReadWithStatus(const QString& path, QByteArray& bytes, QString& error, qint64 maxBytes,
                        struct stat& status)
{
    // Emptied, not freed: a caller reading many files keeps one buffer.
    bytes.resize(0);
    error.clear();
    // Opened without waiting, so that a FIFO in a file's place cannot block, and checked on the
    // open handle, so that nothing can be swapped in between the check and the read.
    const int handle = ::open(NativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        const int reason = errno;
        error = ReasonText(Reason::CANNOT_OPEN).arg(ReadableName(path), SystemReason(reason));
        return reason == ENOENT || reason == ENOTDIR ? FileRead::Missing : FileRead::Failed;
    }
    const auto fail = [&](const QString& why) {
        error = ReasonText(Reason::CANNOT_READ).arg(ReadableName(path), why);
        bytes.clear();
        ::close(handle);
        return FileRead::Failed;
    };
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode))
        return fail(ReasonText(Reason::NOT_A_REGULAR_FILE));
    if (maxBytes >= 0 && status.st_size > maxBytes)
        return fail(ReasonText(Reason::LARGER_THAN)
                        .arg(QLocale::c().formattedDataSize(maxBytes, 0, QLocale::DataSizeTraditionalFormat)));
    // Room for one byte more than the file holds: a read that leaves it empty has reached the
    // end, so a file costs one read, not a second one to find its end.
    const qsizetype expected = qsizetype(status.st_size);
    bytes.resize(expected + 1);
    qsizetype size = 0;
    for (;;) {
        if (size == bytes.size())
            bytes.resize(size * 2);
        const ssize_t got = ::read(handle, bytes.data() + size, size_t(bytes.size() - size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(SystemReason(errno));
        size += got;
        if (got == 0 || (size == expected && size < bytes.size()))
            break;
    }
    ::close(handle);
    bytes.resize(size);
    return FileRead::Read;
}
} // namespace

FileRead ReadFileIfPresent(const QString& path, QByteArray& bytes, QString& error, qint64 maxBytes)
{
    struct stat status {};
    return ReadWithStatus(path, bytes, error, maxBytes, status);
}

FileRead ReadFileIdentified(const QString& path, QByteArray& bytes, FileIdentity& identity, QString& error,
                            qint64 maxBytes)
{
    struct stat status {};
    const FileRead read = ReadWithStatus(path, bytes, error, maxBytes, status);
    identity = read == FileRead::Read ? IdentityOf(status, bytes) : FileIdentity{};
    // A file that is there but could not be read is not the absence of one.
    identity.Exists = read != FileRead::Missing;
    return read;
}

bool ReadFileBytes(const QString& path, QByteArray& bytes, QString& error, qint64 maxBytes)
{
    return ReadFileIfPresent(path, bytes, error, maxBytes) == FileRead::Read;
}

bool ReadTextFile(const QString& path, QString& text, QString& error)
{
    text.clear();
    QByteArray bytes;
    if (!ReadFileBytes(path, bytes, error))
        return false;
    text = NormaliseLineEnds(DecodeText(bytes));
    return true;
}

bool WriteTextFile(const QString& path, const QString& text, LineEnds lineEnds, QString& error)
{
    return WriteFileAtomically(path, EncodeText(text, lineEnds), error);
}

bool ReadsAsText(const QByteArray& bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || !bytes.contains('\0');
}
