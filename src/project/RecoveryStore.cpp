#include "project/RecoveryStore.h"

#include "messages/ReasonTexts.h"
#include "platform/AtomicWrite.h"
#include "platform/FileHandle.h"
#include "platform/NativeName.h"
#include "project/ProjectKey.h"

#include <QCryptographicHash>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray Magic = QByteArrayLiteral("Nodex unsaved text 1\n");
const QString Suffix = QStringLiteral(".unsaved");
/// More than any header holds, a card name of the longest a file system allows included.
constexpr qsizetype HeaderLimit = 16 * 1024;

QByteArray IdentityField(const FileIdentity& identity)
{
    return QByteArray::number(identity.Exists ? 1 : 0) + ',' + QByteArray::number(identity.Size)
        + ',' + QByteArray::number(identity.ModifiedNs) + ',' + QByteArray::number(identity.ChangedNs)
        + ',' + QByteArray::number(identity.Device) + ',' + QByteArray::number(identity.Inode) + ','
        + identity.Hash.toHex();
}

bool ParseIdentity(const QByteArray& field, FileIdentity& identity)
{
    const QList<QByteArray> parts = field.split(',');
    if (parts.size() != 7)
        return false;
    bool ok[6] = {};
    identity.Exists = parts[0].toInt(&ok[0]) == 1;
    identity.Size = parts[1].toLongLong(&ok[1]);
    identity.ModifiedNs = parts[2].toLongLong(&ok[2]);
    identity.ChangedNs = parts[3].toLongLong(&ok[3]);
    identity.Device = parts[4].toULongLong(&ok[4]);
    identity.Inode = parts[5].toULongLong(&ok[5]);
    identity.Hash = QByteArray::fromHex(parts[6]);
    return std::all_of(std::begin(ok), std::end(ok), [](bool each) { return each; });
}

/// Reads the header at the start of a recovery file: the card, the identity, the time and the
/// text's length, and where the text starts. False for anything that is not such a header.
bool ParseHeader(const QByteArray& head, RecoveredText& kept, qint64& length, qsizetype& textStart)
{
    if (!head.startsWith(Magic))
        return false;
    const qsizetype end = head.indexOf("\n\n", Magic.size() - 1);
    if (end < 0)
        return false;
    int found = 0;
    for (const QByteArray& line : head.mid(Magic.size(), end + 1 - Magic.size()).split('\n')) {
        const qsizetype equals = line.indexOf('=');
        const QByteArray key = line.left(equals);
        const QByteArray value = line.mid(equals + 1);
        bool ok = equals > 0;
        if (key == "Card") {
            kept.CardName = PathFromNative(QByteArray::fromPercentEncoding(value));
            ok = ok && !kept.CardName.isEmpty();
        } else if (key == "Read") {
            ok = ok && ParseIdentity(value, kept.TextRead);
        } else if (key == "Written") {
            kept.Written = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
            ok = ok && kept.Written.isValid();
        } else if (key == "Length") {
            length = value.toLongLong(&ok);
            ok = ok && length >= 0;
        } else {
            continue; // a key of a later version
        }
        if (!ok)
            return false;
        ++found;
    }
    textStart = end + 2;
    return found == 4;
}

bool ReadAt(int fd, QByteArray& into, qint64 offset, const QString& path, QString& error)
{
    for (qsizetype done = 0; done < into.size();) {
        const ssize_t got
            = ::pread(fd, into.data() + done, size_t(into.size() - done), offset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = ReasonText(Reason::CANNOT_READ)
                        .arg(ReadableName(path), SystemReason(got < 0 ? errno : EIO));
            return false;
        }
        done += got;
    }
    return true;
}

/// Reads a recovery file, the header alone or with its text, never through a link and never
/// anything but a regular file (a FIFO would block). False for a file that is not whole and ours.
bool ReadOurs(const QString& path, RecoveredText& kept, QByteArray* text, QString& error)
{
    const QString shown = ReadableName(path);
    FileHandle file(
        ::open(NativePath(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status { };
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0) {
        error = ReasonText(Reason::CANNOT_OPEN).arg(shown, SystemReason(errno));
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        error = ReasonText(Reason::CANNOT_OPEN).arg(shown, ReasonText(Reason::NOT_A_REGULAR_FILE));
        return false;
    }
    QByteArray head(qsizetype(std::min<off_t>(status.st_size, HeaderLimit)), '\0');
    if (!ReadAt(file.Get(), head, 0, path, error))
        return false;
    qint64 length = 0;
    qsizetype textStart = 0;
    if (!ParseHeader(head, kept, length, textStart) || textStart + length != status.st_size) {
        error = ReasonText(Reason::CANNOT_READ).arg(shown, SystemReason(EBADMSG));
        return false;
    }
    kept.File = path;
    if (!text)
        return true;
    text->resize(qsizetype(length));
    return ReadAt(file.Get(), *text, textStart, path, error);
}
} // namespace

bool RecoveredText::FileChangedSince(const QString& path) const
{
    return ChangedSince(TextRead, CurrentIdentity(path));
}

RecoveryStore::RecoveryStore(const QString& folder)
    : FFolder(folder)
{
}

QString RecoveryStore::FolderOf(
    const QString& recoveryFolder, const QString& projectFolder, const QString& projectFileName)
{
    return recoveryFolder + ProjectKey(projectFolder, projectFileName) + "/";
}

QString RecoveryStore::FileOf(const QString& cardName) const
{
    const QByteArray hash
        = QCryptographicHash::hash(NativePath(cardName), QCryptographicHash::Sha256);
    return FFolder + QString::fromLatin1(hash.toHex().left(16)) + Suffix;
}

bool RecoveryStore::Write(const QString& cardName, const QByteArray& text,
    const FileIdentity& textRead, const QDateTime& when, QString& error) const
{
    const QString folder = FFolder.chopped(1);
    if (KindOf(folder) != FileKind::Folder && !MakeFolder(folder, error))
        return false;
    QByteArray bytes;
    bytes.reserve(text.size() + 512);
    bytes += Magic;
    bytes += "Card=" + NativePath(cardName).toPercentEncoding() + '\n';
    bytes += "Read=" + IdentityField(textRead) + '\n';
    bytes += "Written=" + when.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    bytes += "Length=" + QByteArray::number(text.size()) + "\n\n";
    bytes += text;
    return WriteFileAtomically(FileOf(cardName), bytes, error);
}

QList<RecoveredText> RecoveryStore::List() const
{
    QList<RecoveredText> found;
    for (const QString& name : RegularFileNames(FFolder)) {
        if (!name.endsWith(Suffix) || IsWriteTempName(name))
            continue;
        RecoveredText kept;
        QString ignored;
        // A file under another card's name was not written here: it is not ours to offer.
        if (ReadOurs(FFolder + name, kept, nullptr, ignored) && IsFileOf(kept.File, kept.CardName))
            found << kept;
    }
    std::sort(found.begin(), found.end(),
        [](const RecoveredText& a, const RecoveredText& b) { return a.CardName < b.CardName; });
    return found;
}

bool RecoveryStore::Read(const RecoveredText& kept, QByteArray& text, QString& error) const
{
    RecoveredText now;
    return ReadOurs(kept.File, now, &text, error);
}

bool RecoveryStore::Discard(const RecoveredText& kept, QString& error) const
{
    RecoveredText now;
    QString ignored;
    if (!ReadOurs(kept.File, now, nullptr, ignored) || now.CardName != kept.CardName
        || !IsFileOf(kept.File, kept.CardName))
        return true;
    return RemoveFile(kept.File, error);
}

bool RecoveryStore::Discard(const QString& cardName, QString& error) const
{
    RecoveredText kept;
    kept.File = FileOf(cardName);
    kept.CardName = cardName;
    return Discard(kept, error);
}

bool RecoveryStore::SetAside(const QString& cardName, QString& error) const
{
    const QString path = FileOf(cardName);
    RecoveredText kept;
    QString ignored;
    if (!ReadOurs(path, kept, nullptr, ignored) || kept.CardName != cardName)
        return true;
    QString aside;
    for (int number = 1; aside.isEmpty() || NameTaken(aside); ++number)
        aside = path.chopped(Suffix.size()) + "." + QString::number(number) + Suffix;
    return MoveFile(path, aside, error);
}

bool RecoveryStore::IsFileOf(const QString& path, const QString& cardName) const
{
    const QString file = FileOf(cardName);
    const QString stem = file.chopped(Suffix.size());
    return path == file || (path.startsWith(stem + ".") && path.endsWith(Suffix));
}
