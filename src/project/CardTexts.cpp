#include "project/CardTexts.h"

#include "platform/ConfinedFolder.h"
#include "platform/FileIdentity.h"
#include "messages/ReasonTexts.h"
#include "platform/NativeName.h"
#include "project/CardHistory.h"
#include "project/ProjectPaths.h"

#include <QLoggingCategory>
#include <utility>

Q_LOGGING_CATEGORY(lcTexts, "nodex.texts")

CardTexts::CardTexts(QString projectFolder)
    : FProjectFolder(std::move(projectFolder))
{
}

QString CardTexts::Folder() const
{
    return FProjectFolder + ProjectPaths::TextFilesFolder;
}

bool CardTexts::IsTextFileName(const QString& fileName)
{
    return fileName.endsWith(ProjectPaths::TextExtension, Qt::CaseInsensitive);
}

CardTextFile CardTexts::Of(const QString& cardName) const
{
    return { cardName, ProjectPaths::TextFilePath(FProjectFolder, cardName) };
}

CardTextFile CardTexts::Of(const QString& cardName, const QString& path) const
{
    return path.isEmpty() ? Of(cardName) : CardTextFile { cardName, path };
}

FileRead CardTexts::Read(
    const QString& path, QByteArray& bytes, FileIdentity& identity, QString& error)
{
    return ReadFileIdentified(path, bytes, identity, error);
}

FileRead CardTexts::ReadIfPresent(const QString& path, QByteArray& bytes, QString& error)
{
    return ReadFileIfPresent(path, bytes, error);
}

bool CardTexts::ReadText(const QString& path, QString& text, QString& error)
{
    return ReadTextFile(path, text, error);
}

GuardedWrite CardTexts::WriteIfUnchanged(const CardTextFile& text, const QByteArray& bytes,
    FileIdentity& known, QString& error, QString& historyProblem) const
{
    KeepBeforeWriting(text, bytes, historyProblem);
    return WriteFileIfUnchanged(text.Path, bytes, known, error);
}

GuardedWrite CardTexts::WriteOverTheirs(
    const CardTextFile& text, const QByteArray& bytes, FileIdentity& known, QString& error) const
{
    return KeepTheirs(text, known, error) ? WriteFileIfUnchanged(text.Path, bytes, known, error)
                                          : GuardedWrite::Failed;
}

bool CardTexts::Write(const CardTextFile& text, const QByteArray& bytes, QString& error,
    QString& historyProblem) const
{
    KeepBeforeWriting(text, bytes, historyProblem);
    return WriteFileAtomically(text.Path, bytes, error);
}

bool CardTexts::KeepTheirs(const CardTextFile& text, FileIdentity& known, QString& error) const
{
    QByteArray theirs;
    FileIdentity found;
    const FileRead read = ReadFileIdentified(text.Path, theirs, found, error);
    if (read == FileRead::Failed
        || (read == FileRead::Read && !KeepInHistory(text.CardName, theirs, error)))
        return false;
    known = found;
    return true;
}

bool CardTexts::KeepInHistory(
    const QString& cardName, const QByteArray& bytes, QString& error) const
{
    return CardHistory(FProjectFolder)
        .AddEntry(cardName, bytes, QDateTime::currentDateTimeUtc(), error);
}

void CardTexts::KeepBeforeWriting(
    const CardTextFile& text, const QByteArray& bytes, QString& historyProblem) const
{
    // A history entry that cannot be kept is no reason to leave the text unwritten.
    historyProblem.clear();
    if (!KeepReplacedText(text, bytes, QDateTime::currentDateTimeUtc(), historyProblem))
        qCWarning(lcTexts, "History entry not kept: %s", qUtf8Printable(historyProblem));
}

bool CardTexts::KeepReplacedText(const CardTextFile& text, const QByteArray& replacement,
    const QDateTime& now, QString& error) const
{
    QByteArray current;
    const FileRead read = ReadFileIfPresent(text.Path, current, error);
    if (read == FileRead::Failed)
        return false;
    error.clear();
    // An empty text holds no word to keep, and an unchanged one is not replaced.
    if (read == FileRead::Missing || current.isEmpty() || current == replacement)
        return true;
    return CardHistory(FProjectFolder).AddEntry(text.CardName, current, now, error);
}

bool CardTexts::Restore(const CardHistoryEntry& entry, const QDateTime& now, QString& error) const
{
    CardHistory history(FProjectFolder);
    QByteArray restored;
    const CardTextFile text = Of(entry.CardName);
    return history.Read(entry, restored, error) && KeepReplacedText(text, restored, now, error)
        && WriteFileAtomically(text.Path, restored, error);
}

bool CardTexts::CopyTo(const QString& destination, const QString& fileName, QString& reason) const
{
    const QString text = ProjectPaths::TextFilesFolder + fileName + ProjectPaths::TextExtension;
    const ConfinedFolder::Entry source
        = ConfinedFolder(FProjectFolder).Check(FProjectFolder + text);
    const ConfinedFolder there(destination);
    const QString folderThere = CardTexts(destination).Folder();
    if (source == ConfinedFolder::Entry::LeadsOut)
        reason = ReasonText(Reason::COPY_LINK_OUT).arg(ReadableName(FProjectFolder + text));
    else if (there.Check(folderThere.chopped(1)) == ConfinedFolder::Entry::LeadsOut)
        reason = ReasonText(Reason::COPY_LINK_OUT).arg(ReadableName(folderThere));
    if (source != ConfinedFolder::Entry::Inside || !there.HoldsFolder(folderThere)
        || NameTaken(destination + text))
        return false;
    QByteArray bytes;
    return ReadFileBytes(FProjectFolder + text, bytes, reason)
        && CreateFileAtomically(destination + text, bytes, reason);
}

bool CardTexts::TextInTheWay(const QString& oldName, const QString& newName) const
{
    const QString oldText = Of(oldName).Path;
    const QString newText = Of(newName).Path;
    return KindOf(oldText) != FileKind::Missing && !SameFile(oldText, newText)
        && KindOf(newText) != FileKind::Missing;
}

bool CardTexts::FollowRename(const QString& oldName, const QString& newName, QString& reason) const
{
    const QString oldText = Of(oldName).Path;
    const QString newText = Of(newName).Path;
    return KindOf(oldText) == FileKind::Missing || KindOf(newText) != FileKind::Missing
        || MoveFile(oldText, newText, reason);
}

bool CardTexts::Remove(const QString& cardName, QString& reason) const
{
    return RemoveFile(Of(cardName).Path, reason);
}

void CardTexts::RemoveLeftovers() const
{
    RemoveWriteLeftovers(Folder());
}
