#include "platform/TextFile.h"

#include "platform/AtomicWrite.h"
#include "platform/NativeName.h"

#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

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
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] != u'\r' && text[at] != u'\n')
            continue;
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

bool ReadFileBytes(const QString& path, QByteArray& bytes, QString& error, qint64 maxBytes)
{
    bytes.clear();
    error.clear();
    // Opened without waiting, so that a FIFO in a file's place cannot block, and checked on the
    // open handle, so that nothing can be swapped in between the check and the read.
    const int handle = ::open(NativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        error = QStringLiteral("Cannot open '%1': %2").arg(ReadableName(path), SystemReason(errno));
        return false;
    }
    QFile file;
    file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat status {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = QStringLiteral("Cannot read '%1': not a regular file.").arg(ReadableName(path));
        return false;
    }
    if (maxBytes >= 0 && status.st_size > maxBytes) {
        error = QStringLiteral("Cannot read '%1': it is larger than %2, more than such a file ever holds.")
                    .arg(ReadableName(path), QLocale::c().formattedDataSize(maxBytes, 0, QLocale::DataSizeTraditionalFormat));
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read '%1': %2").arg(ReadableName(path), file.errorString());
        bytes.clear();
        return false;
    }
    return true;
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
