#include "spelling/CustomWordList.h"

#include "platform/AtomicWrite.h"
#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"
#include "platform/TextFile.h"

#include <QFileInfo>

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
    QStringList lines = FLines;
    lines.append(word);
    if (!WriteFileAtomically(FPath, EncodeText(lines.join(u'\n') + u'\n', LineEnds::Lf), error))
        return false;
    FLines = lines;
    TakeLine(word);
    return true;
}
