#include "platform/NativeName.h"

#include "platform/FileSteps.h"
#include "messages/ReasonTexts.h"
#include "platform/TextFile.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
constexpr char16_t EscapeBase = 0xDC00;

bool IsEscaped(QChar c) { return c.unicode() >= EscapeBase + 0x80 && c.unicode() <= EscapeBase + 0xFF; }

/// Length of the valid UTF-8 sequence at `at`, or 0 when the bytes there are not one.
qsizetype Utf8SequenceAt(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (qsizetype i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < least || code > 0x10FFFF || surrogate ? 0 : length;
}
} // namespace

QString PathFromNative(QByteArrayView native)
{
    // A byte-order mark inside a name is part of it, not a mark to drop.
    const auto decode = [](QByteArrayView utf8) -> QString {
        return QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless
                                  | QStringConverter::Flag::ConvertInitialBom)
            .decode(utf8);
    };
    if (native.isValidUtf8())
        return decode(native);
    QString path;
    path.reserve(native.size());
    qsizetype at = 0;
    while (at < native.size()) {
        const qsizetype length = Utf8SequenceAt(native, at);
        if (length == 0) {
            path += QChar(char16_t(EscapeBase + static_cast<unsigned char>(native[at])));
            ++at;
        } else {
            path += decode(native.sliced(at, length));
            at += length;
        }
    }
    return path;
}

QByteArray NativePath(const QString& path)
{
    if (!HoldsRawBytes(path))
        return path.toUtf8();
    QByteArray native;
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!IsEscaped(path[i]))
            continue;
        native += QStringView(path).sliced(start, i - start).toUtf8();
        native += char(path[i].unicode() - EscapeBase);
        start = i + 1;
    }
    native += QStringView(path).sliced(start).toUtf8();
    return native;
}

bool HoldsRawBytes(const QString& path)
{
    for (const QChar c : path)
        if (IsEscaped(c))
            return true;
    return false;
}

QString ReadableName(const QString& name)
{
    if (!HoldsRawBytes(name))
        return name;
    QByteArray bytes;
    for (const QChar c : name)
        bytes += IsEscaped(c) ? QByteArray(1, char(c.unicode() - EscapeBase)) : QString(c).toUtf8();
    // The escaped bytes are exactly the ones that are not UTF-8: decoded as one line, the name
    // reads as Windows-1252.
    return DecodeText(bytes);
}

QStringList RegularFileNames(const QString& folder)
{
    QStringList names;
    DIR* dir = ::opendir(NativePath(folder).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        // The listing tells a regular file by itself; only links, and file systems that do not
        // say, need a look at the file.
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status {};
            regular = ::fstatat(::dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
        }
        if (regular)
            names << PathFromNative(name);
    }
    ::closedir(dir);
    return names;
}

QString SystemReason(int errorNumber) { return QString::fromLocal8Bit(std::strerror(errorNumber)); }

FileKind KindOf(const QString& path)
{
    struct stat status {};
    if (::stat(NativePath(path).constData(), &status) != 0)
        return FileKind::Missing;
    if (S_ISREG(status.st_mode))
        return FileKind::Regular;
    return S_ISDIR(status.st_mode) ? FileKind::Folder : FileKind::Other;
}

bool NameTaken(const QString& path)
{
    struct stat status {};
    return ::lstat(NativePath(path).constData(), &status) == 0;
}

bool SameFile(const QString& a, const QString& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(NativePath(a).constData(), &first) == 0 && ::stat(NativePath(b).constData(), &second) == 0
        && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool MoveFile(const QString& from, const QString& to, QString& reason)
{
    if (KindOf(to) != FileKind::Missing && !SameFile(from, to)) {
        reason = ReasonText(Reason::MOVE_TARGET_EXISTS).arg(ReadableName(from), ReadableName(to));
        return false;
    }
    const StepOutcome outcome = PassFileStep(FileStep::Move, NativePath(to));
    if (outcome.ErrorNumber || ::rename(NativePath(from).constData(), NativePath(to).constData()) != 0) {
        reason = ReasonText(Reason::CANNOT_MOVE)
                     .arg(ReadableName(from), SystemReason(outcome.ErrorNumber ? outcome.ErrorNumber : errno));
        return false;
    }
    return true;
}

bool RemoveFile(const QString& path, QString& reason)
{
    const QByteArray native = NativePath(path);
    const StepOutcome outcome = PassFileStep(FileStep::Remove, native);
    if (!outcome.ErrorNumber && (::unlink(native.constData()) == 0 || errno == ENOENT))
        return true;
    reason = ReasonText(Reason::CANNOT_REMOVE).arg(ReadableName(path), SystemReason(outcome.ErrorNumber ? outcome.ErrorNumber : errno));
    return false;
}

bool MakeFolder(const QString& path, QString& reason)
{
    const QByteArray native = NativePath(path);
    const int failed = PassFileStep(FileStep::MakeFolder, native).ErrorNumber;
    if (!failed && ::mkdir(native.constData(), 0777) == 0)
        return true;
    reason = ReasonText(Reason::CANNOT_CREATE)
                 .arg(ReadableName(path), SystemReason(failed ? failed : errno));
    return false;
}
