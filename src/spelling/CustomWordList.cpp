#include "spelling/CustomWordList.h"

#include "platform/AtomicWrite.h"
#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QStringEncoder>

namespace {
// A word list is small; anything larger is not one.
constexpr qint64 MaxListBytes = 16 * 1024 * 1024;
const QChar ExcludedMark = u'*';
const QChar CommentMark = u'#';
} // namespace

CustomWordList::CustomWordList(QString path)
    : FPath(std::move(path))
{
}

bool CustomWordList::Load(QString& error)
{
    FBytes.clear();
    FLines.clear();
    FWords.clear();
    FWordSet.clear();
    FExcluded.clear();
    FUnreadable.clear();
    QByteArray bytes;
    switch (ReadFileIfPresent(FPath, bytes, error, MaxListBytes)) {
    case FileRead::Missing:
        error.clear();
        return true;
    case FileRead::Failed:
        FUnreadable = error;
        return false;
    case FileRead::Read:
        break;
    }
    if (!ReadsAsText(bytes)) {
        FUnreadable = error = ReasonText(Reason::NOT_TEXT).arg(ReadableName(FPath));
        return false;
    }
    FBytes = bytes;
    FLines = NormaliseLineEnds(DecodeText(bytes)).split(u'\n');
    if (!FLines.isEmpty() && FLines.last().isEmpty())
        FLines.removeLast();
    for (const QString& line : std::as_const(FLines))
        TakeLine(line);
    return true;
}

void CustomWordList::TakeLine(const QString& line)
{
    const QString word = line.trimmed();
    if (word.startsWith(CommentMark))
        return;
    if (word.startsWith(ExcludedMark)) {
        if (word.size() > 1)
            FExcluded.insert(word.sliced(1));
    } else if (!word.isEmpty() && !FWordSet.contains(word)) {
        FWords.append(word);
        FWordSet.insert(word);
    }
}

bool CustomWordList::Add(const QString& word, QString& error)
{
    if (FWordSet.contains(word))
        return true;
    if (!FUnreadable.isEmpty()) {
        error = ReasonText(Reason::WRITE_UNREAD).arg(ReadableName(FPath));
        return false;
    }
    const QString folder = QFileInfo(FPath).path();
    if (KindOf(folder) == FileKind::Missing && !MakeFolder(folder, error))
        return false;
    // The word goes after the lines as they were read, which keep their bytes: a list written in
    // another encoding or with other line ends by another program stays as it was.
    const QByteArray bytes = FBytes + WordLine(word);
    if (!WriteFileAtomically(FPath, bytes, error))
        return false;
    FBytes = bytes;
    FLines.append(word);
    TakeLine(word);
    return true;
}

QByteArray CustomWordList::WordLine(const QString& word) const
{
    const bool crLf = FBytes.contains("\r\n") || FBytes.contains(QByteArray("\r\0\n\0", 4))
        || FBytes.contains(QByteArray("\0\r\0\n", 4));
    const QString end = crLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString line = word + end;
    if (!FBytes.isEmpty() && !FBytes.endsWith('\n') && !FBytes.endsWith(QByteArray("\n\0", 2)))
        line.prepend(end);
    if (FBytes.startsWith("\xFF\xFE"))
        return QStringEncoder(QStringConverter::Utf16LE).encode(line);
    if (FBytes.startsWith("\xFE\xFF"))
        return QStringEncoder(QStringConverter::Utf16BE).encode(line);
    return line.toUtf8();
}
