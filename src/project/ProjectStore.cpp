#include "project/ProjectStore.h"

#include "platform/AsciiCase.h"
#include "platform/AtomicWrite.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "messages/ReasonTexts.h"
#include "platform/TextFile.h"
#include "project/CardHistory.h"
#include "project/CardRecord.h"
#include "project/LinkRules.h"
#include "project/ProjectFolder.h"
#include "project/ProjectPaths.h"
#include "project/ProjectState.h"
#include "project/RenameJournal.h"
#include "messages/MessageTable.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>
#include <algorithm>

Q_LOGGING_CATEGORY(lcStore, "nodex.store")

namespace {
/// The extension of a file name in lower case, with its dot; empty when it has none.
QString LowerExtension(const QString& fileName)
{
    const int dot = fileName.lastIndexOf('.');
    return dot < 0 ? QString() : fileName.mid(dot).toLower();
}

/// Makes one folder level when it is missing; false, with the reason, when that cannot be done.
bool EnsureFolder(const QString& folder, const MessageTable& messages, QString& reason)
{
    if (QFileInfo(folder).isDir() || QDir().mkdir(folder))
        return true;
    reason = messages.Text(MessageKey::FOLDER_NOT_CREATED).arg(folder);
    return false;
}
} // namespace

ProjectStore::ProjectStore(ProjectState& project, ProjectModel& model, const MessageTable& messages)
    : FProject(project)
    , FModel(model)
    , FMessages(messages)
{
}

ProjectStore::Opened ProjectStore::OpenProject(const QString& path, const OpenSteps& steps)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath() + "/";
    QString fileName = info.fileName();
    const QString extension = LowerExtension(fileName);
    if (extension.isEmpty())
        fileName += ProjectPaths::ProjectExtension;
    else if (extension != ProjectPaths::ProjectExtension)
        return { OpenResult::Refused, {}, FMessages.Text(MessageKey::ONLY_PROJECTS), {} };
    if (!QFileInfo::exists(folder + fileName))
        return { OpenResult::Refused, {},
            "'" + fileName + "' " + FMessages.Text(MessageKey::DOES_NOT_EXIST), {} };
    if (const auto owner = ProjectLock::OtherOwner(folder + fileName);
        owner && !steps.OpenLocked(fileName, *owner))
        return {};

    FollowMovedLock();
    FProject.ProjectFolder = folder;
    FProject.ProjectFileName = fileName;
    FModel.Clear();
    FStored.clear();
    QString reason;
    const std::optional<WindowPlacement> placement = LoadProject(steps, reason);
    if (!placement) {
        FModel.Clear();
        FStored.clear();
        FLock.Release();
        return { OpenResult::Failed, {}, {},
            { FMessages.Text(MessageKey::ERROR_READING_FILE), reason } };
    }
    FLock.Take(ProjectFilePath());
    FFolder.Hold(FProject.ProjectFolder);
    return { OpenResult::Opened, *placement, {}, {} };
}

std::optional<WindowPlacement> ProjectStore::LoadProject(const OpenSteps& steps, QString& reason)
{
    IniFile projectFile(ProjectFilePath());
    if (!projectFile.Load(reason))
        return std::nullopt;
    const ProjectFileData data = ReadProjectFile(projectFile);
    FProject.WorkspaceSize = data.Size;
    FProject.TargetWordCount = data.TargetWordCount;
    FProject.BoldBaseType = data.BoldBaseType;
    FProject.Zoom = data.Zoom;
    FProject.DailyTarget = data.Goals.DailyTarget;
    FProject.SessionTarget = data.Goals.SessionTarget;
    FProject.Deadline = data.Goals.Deadline;
    steps.ProjectRead(data);

    FinishInterruptedRename(FProject.ProjectFolder);
    RemoveLeftovers();
    // Every card file is read before any card is placed, so that the canvas can first make room
    // for the farthest of them: a project made on a larger screen keeps its layout.
    const QList<CardFileEntry> entries = ListCardFiles(FProject.ProjectFolder);
    QList<CardFileData> records;
    records.reserve(entries.size());
    QPoint farthest;
    for (const CardFileEntry& entry : entries) {
        IniFile cardFile(FProject.ProjectFolder + entry.FileName);
        if (!cardFile.Load(reason))
            return std::nullopt;
        records.append(ReadCardFile(cardFile));
        farthest.rx() = std::max(farthest.x(), records.last().Left);
        farthest.ry() = std::max(farthest.y(), records.last().Top);
    }
    steps.CardsRead(farthest);
    QHash<CardId, QString> successorNames;
    successorNames.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const CardFileData& record = records[i];
        const CardId id = FModel.AddCard(CardFromRecord(record, entries[i].Name, entries[i].FileName,
                                                        steps.StateNamed(record.State)));
        FStored.insert(id, record);
        if (!record.LinkToName.isEmpty())
            successorNames.insert(id, record.LinkToName);
    }
    ResolveStoredLinks(FModel, successorNames);
    FProject.ProjectOnDisk = true;
    FProject.PristineWorkspace = false;
    return data.Window;
}

QList<StoreMessage> ProjectStore::SaveProject(
    const WindowPlacement& window, const QString& themeName, const OverwriteQuestion& overwriteChanged)
{
    const QString headline = FMessages.Text(MessageKey::ERROR_WRITING_PROJECT);
    QString reason;
    // Making the folder again would leave a project of only the cards written since.
    if (ProjectFolderGone())
        return { { headline,
            FMessages.Text(MessageKey::PROJECT_FOLDER_GONE).arg(QDir::toNativeSeparators(QDir::cleanPath(FProject.ProjectFolder))) } };
    if (!EnsureFolder(FProject.ProjectFolder, FMessages, reason)
        || !EnsureFolder(Texts().Folder(), FMessages, reason))
        return { { headline, reason } };
    FProject.PristineWorkspace = false;
    if (!WriteProject(window, themeName, reason)) {
        FProject.ProjectOnDisk = false;
        return { { headline, reason } };
    }
    QList<StoreMessage> failures = CarryTexts();
    // One listing of the folder, rather than a look at each of thousands of card files.
    const QStringList fileNames = RegularFileNames(FProject.ProjectFolder);
    const QSet<QString> regularFiles(fileNames.cbegin(), fileNames.cend());
    QList<CardId> changedElsewhere;
    for (const CardId card : FModel.Cards())
        if (auto failure = SaveCard(card, &regularFiles, ChangedFile::Keep, &changedElsewhere))
            failures << *failure;
    if (!changedElsewhere.isEmpty()) {
        QStringList names;
        for (const CardId card : changedElsewhere)
            names << FModel.Card(card).Name;
        const ChangedFile answer = overwriteChanged(names) ? ChangedFile::Overwrite : ChangedFile::Keep;
        for (const CardId card : changedElsewhere)
            if (auto failure = SaveCard(card, &regularFiles, answer))
                failures << *failure;
    }
    FProject.ProjectOnDisk = true;
    RemoveLeftovers();
    FLock.Take(ProjectFilePath());
    if (FFolder.Path() != FProject.ProjectFolder)
        FFolder.Hold(FProject.ProjectFolder);
    return failures;
}

bool ProjectStore::WriteProject(
    const WindowPlacement& window, const QString& themeName, QString& reason)
{
    IniFile file(ProjectFilePath());
    // Read first, so that what others keep in the file survives.
    if (!file.Load(reason))
        return false;
    ProjectFileData data;
    data.Window = window;
    data.TargetWordCount = FProject.TargetWordCount;
    data.BoldBaseType = FProject.BoldBaseType;
    data.Size = FProject.WorkspaceSize;
    data.ThemeName = themeName;
    data.Zoom = FProject.Zoom;
    data.Goals = {FProject.DailyTarget, FProject.SessionTarget, FProject.Deadline};
    WriteProjectFile(file, data);
    return file.Save(reason);
}

std::optional<StoreMessage> ProjectStore::SaveCard(CardId card)
{
    return SaveCard(card, nullptr, ChangedFile::Keep);
}

std::optional<StoreMessage> ProjectStore::SaveCard(
    CardId card, const QSet<QString>* regularFiles, ChangedFile changed, QList<CardId>* kept)
{
    const QString fileName = CardFileName(card);
    SetFileName(card, fileName);
    const CardFileData record = CardFileRecord(FModel, card);
    const bool present = regularFiles ? regularFiles->contains(fileName)
                                      : KindOf(FProject.ProjectFolder + fileName) == FileKind::Regular;
    const std::optional<CardFileData> known = FStored.value(card);
    // Thousands of cards are saved at once: a file already holding the record stays untouched.
    // One removed or replaced behind the program's back is written again.
    if (known == record && present)
        return std::nullopt;
    const QString headline = FMessages.Text(MessageKey::ERROR_WRITING_NODEX);
    // A file that no longer holds what was read here was changed by another program (a sync
    // tool, another copy of Nodex); a removed one loses nothing when it is written again.
    const bool guarded = changed == ChangedFile::Keep && present && known;
    QString reason;
    switch (WriteCard(FProject.ProjectFolder + fileName, record, guarded ? known : std::nullopt, reason)) {
    case CardWrite::Failed:
        return StoreMessage { headline, reason };
    case CardWrite::ChangedElsewhere:
        if (kept) {
            kept->append(card);
            return std::nullopt;
        }
        return StoreMessage { headline, ReasonText(Reason::CHANGED_ON_DISK).arg(fileName) };
    case CardWrite::Written:
        break;
    }
    FStored.insert(card, record);
    return std::nullopt;
}

ProjectStore::CardWrite ProjectStore::WriteCard(const QString& path, const CardFileData& record,
    const std::optional<CardFileData>& unlessChangedFrom, QString& reason) const
{
    IniFile file(path);
    // Read first, so that what others keep in the card file (an editor's placement) survives.
    if (!file.Load(reason))
        return CardWrite::Failed;
    if (unlessChangedFrom && ReadCardFile(file) != *unlessChangedFrom)
        return CardWrite::ChangedElsewhere;
    WriteCardFile(file, record);
    return file.Save(reason) ? CardWrite::Written : CardWrite::Failed;
}

ProjectStore::OutsideCards ProjectStore::TakeOutsideCardFiles(const QStringList& fileNames, const OutsideSteps& steps)
{
    OutsideCards taken;
    if (!FProject.ProjectOnDisk)
        return taken;
    QHash<QString, CardId> byFile;
    byFile.reserve(FModel.Cards().size());
    for (const CardId card : FModel.Cards())
        byFile.insert(CardFileName(card), card);
    QHash<CardId, QString> successorNames;
    const QStringList folderNames = RegularFileNames(FProject.ProjectFolder);
    for (const QString& fileName : fileNames) {
        const std::optional<CardFileEntry> entry = CardFileEntryOf(fileName, folderNames);
        if (!entry)
            continue;
        const CardId card = byFile.value(fileName);
        QByteArray bytes;
        QString reason;
        const FileRead read = ReadFileIfPresent(FProject.ProjectFolder + fileName, bytes, reason);
        if (read == FileRead::Failed) {
            qCWarning(lcStore).noquote() << reason;
            continue;
        }
        std::optional<CardFileData> record;
        if (read == FileRead::Read) {
            IniFile file;
            file.LoadFromBytes(bytes);
            record = ReadCardFile(file);
        }
        // The program's own writes, and files that hold what was read before, change nothing.
        if (card && record == FStored.value(card))
            continue;
        // What the writer did here and has not saved stays; the save that would replace the
        // other program's file asks first.
        if (card && (FStored.value(card) != CardFileRecord(FModel, card) || (!record && steps.HoldsUnsavedText(card)))) {
            taken.KeptUnsaved << card;
            continue;
        }
        if (!record) {
            if (card) {
                FModel.RemoveCard(card);
                FStored.remove(card);
                taken.Followed << card;
            }
            continue;
        }
        const CardData data = CardFromRecord(*record, entry->Name, fileName, steps.StateNamed(record->State));
        const CardId id = card ? card : FModel.AddCard(data);
        if (card) {
            FModel.ChangeCard(card, data);
            FModel.SetLink(card, 0);
        }
        FStored.insert(id, record);
        if (!record->LinkToName.isEmpty())
            successorNames.insert(id, record->LinkToName);
        taken.Followed << id;
    }
    ResolveStoredLinks(FModel, successorNames);
    return taken;
}

QList<StoreMessage> ProjectStore::CarryTexts()
{
    if (!FFolder.IsHeld() || FFolder.Path() == FProject.ProjectFolder)
        return {};
    const bool moved = FFolder.Gone();
    const QString from = moved ? FFolder.WhereNow() : FFolder.Path();
    if (from.isEmpty())
        return {};
    // The lock went with the moved folder: it is released there when the new one is taken.
    if (moved)
        FollowMovedLock();
    QList<StoreMessage> failures;
    const CardTexts texts(from);
    for (const CardId card : FModel.Cards()) {
        QString reason;
        if (!texts.CopyTo(FProject.ProjectFolder, TextName(card), reason) && !reason.isEmpty())
            failures << StoreMessage { FMessages.Text(MessageKey::ERROR_WRITING_PROJECT), reason };
    }
    return failures;
}

bool ProjectStore::ProjectFolderGone() const
{
    return FFolder.IsHeld() && FFolder.Path() == FProject.ProjectFolder && FFolder.Gone();
}

void ProjectStore::FollowMovedLock()
{
    if (FFolder.Gone())
        if (const QString now = FFolder.WhereNow(); !now.isEmpty())
            FLock.FolderMoved(now);
}

void ProjectStore::CloseProject()
{
    FollowMovedLock();
    FLock.Release();
    FFolder.LetGo();
    FStored.clear();
}

QString ProjectStore::CardFileName(CardId card) const
{
    const CardData& data = FModel.Card(card);
    return data.FileName.isEmpty() ? data.Name + ProjectPaths::CardExtension : data.FileName;
}

void ProjectStore::SetFileName(CardId card, const QString& fileName)
{
    CardData data = FModel.Card(card);
    data.FileName = fileName;
    FModel.ChangeCard(card, data);
}

void ProjectStore::SetStoredRecord(CardId card, const std::optional<CardFileData>& record)
{
    if (record)
        FStored.insert(card, record);
    else
        FStored.remove(card);
}

QString ProjectStore::CardFilePath(CardId card) const
{
    return FProject.ProjectFolder + CardFileName(card);
}

void ProjectStore::RemoveLeftovers() const
{
    RemoveWriteLeftovers(FProject.ProjectFolder);
    Texts().RemoveLeftovers();
    CardHistory(FProject.ProjectFolder).RemoveLeftovers();
}

QString ProjectStore::ProjectFilePath() const
{
    return FProject.ProjectFolder + FProject.ProjectFileName;
}

const QString& ProjectStore::ProjectFolder() const
{
    return FProject.ProjectFolder;
}

CardTexts ProjectStore::Texts() const
{
    return CardTexts(FProject.ProjectFolder);
}

QString ProjectStore::TextName(CardId card) const
{
    return CardNameOfFile(CardFileName(card));
}

bool ProjectStore::CardFileExists(const QString& cardName, CardId self) const
{
    const QString wanted = cardName + ProjectPaths::CardExtension;
    if (self) {
        const QString path = FProject.ProjectFolder + wanted;
        return KindOf(path) != FileKind::Missing && !SameFile(path, CardFilePath(self));
    }
    const QStringList names = RegularFileNames(FProject.ProjectFolder);
    return std::any_of(names.begin(), names.end(),
        [&](const QString& name) { return SameIgnoringAsciiCase(ReadableName(name), wanted); });
}

bool ProjectStore::RenameCardFiles(CardId card, const QString& newName, QString& reason)
{
    const QString folder = FProject.ProjectFolder;
    const QString oldFile = CardFileName(card);
    const QString newFile = newName + ProjectPaths::CardExtension;
    // On a file system that ignores case both names are one file: a plain move changes its
    // capitals, where writing the new name and removing the old one would remove both.
    const bool sameCardFile = SameFile(folder + oldFile, folder + newFile);
    if (!CanRenameCardFiles(card, newName, reason))
        return false;
    if (!BeginCardRename(folder, { oldFile, newFile }, reason))
        return false;
    if (!WriteRenamedCardFile(card, oldFile, newFile, sameCardFile, reason)) {
        EndCardRename(folder);
        return false;
    }
    // From here on the rename goes through; a crash is finished at the next open.
    if (!Texts().FollowRename(TextName(card), newName, reason)) {
        QString ignored;
        RemoveFile(folder + newFile, ignored);
        EndCardRename(folder);
        return false;
    }
    // The card's earlier texts go with it; left behind they are kept all the same, under the old
    // name, so that a failure here is no reason to stop the rename.
    QString historyReason;
    if (!CardHistory(folder).RenameCard(FModel.Card(card).Name, newName, historyReason))
        qCWarning(lcStore).noquote() << historyReason;
    SetFileName(card, newFile);
    RelinkStoredCards(FModel.Card(card).Name, newName);
    QString notRemoved;
    if (!sameCardFile && !RemoveFile(folder + oldFile, notRemoved)) {
        // The journal stays: the next open removes the old card file.
        qCWarning(lcStore).noquote() << notRemoved;
        return true;
    }
    EndCardRename(folder);
    return true;
}

bool ProjectStore::CanRenameCardFiles(CardId card, const QString& newName, QString& reason) const
{
    const QString oldFile = FilePath(CardFileName(card));
    const QString newFile = newName + ProjectPaths::CardExtension;
    if (!SameFile(oldFile, FilePath(newFile)) && KindOf(FilePath(newFile)) != FileKind::Missing) {
        reason = FMessages.Text(MessageKey::CARD_FILE_EXISTS).arg(newFile);
        return false;
    }
    // A text left behind by a deleted card is taken by a card that brings none of its own.
    if (Texts().TextInTheWay(TextName(card), newName)) {
        reason = FMessages.Text(MessageKey::TEXT_FILE_TAKEN)
                     .arg(newName + ProjectPaths::TextExtension);
        return false;
    }
    return true;
}

QString ProjectStore::FilePath(const QString& fileName) const
{
    return FProject.ProjectFolder + fileName;
}

bool ProjectStore::WriteRenamedCardFile(
    CardId card, const QString& oldFile, const QString& newFile, bool sameFile, QString& reason)
{
    const QString folder = FProject.ProjectFolder;
    if (sameFile)
        return MoveFile(folder + oldFile, folder + newFile, reason);
    // The old file's bytes keep what others keep in it (an editor's placement); a card whose
    // file is missing takes its place with the card as it is.
    if (KindOf(folder + oldFile) == FileKind::Missing) {
        const CardFileData record = CardFileRecord(FModel, card);
        if (WriteCard(folder + newFile, record, std::nullopt, reason) != CardWrite::Written)
            return false;
        FStored.insert(card, record);
        return true;
    }
    QByteArray bytes;
    return ReadFileBytes(folder + oldFile, bytes, reason)
        && WriteFileAtomically(folder + newFile, bytes, reason);
}

void ProjectStore::RelinkStoredCards(const QString& oldName, const QString& newName)
{
    // The files that link to the card on disk, as last read or written, follow it; one that
    // cannot be written now is written by the next save, as its record then differs.
    for (auto stored = FStored.begin(); stored != FStored.end(); ++stored) {
        if (!*stored || (*stored)->LinkToName != oldName || !FModel.Contains(stored.key()))
            continue;
        QString reason;
        if (RelinkCardFile(CardFilePath(stored.key()), oldName, newName, reason))
            (*stored)->LinkToName = newName;
        else
            qCWarning(lcStore).noquote() << reason;
    }
}

bool ProjectStore::RemoveCardFile(CardId card, QString& reason) const
{
    return RemoveFile(CardFilePath(card), reason);
}

void ProjectStore::DeleteCardFiles(CardId card, bool withText)
{
    // A file that cannot be deleted is skipped, as the writer asked for the cards to go.
    QString reason;
    if (!RemoveFile(CardFilePath(card), reason))
        qCInfo(lcStore).noquote() << reason;
    if (withText && !Texts().Remove(TextName(card), reason))
        qCInfo(lcStore).noquote() << reason;
    FStored.remove(card);
}
