#include "app/ProjectStore.h"

#include "app/CardRecord.h"
#include "app/ProjectFolder.h"
#include "app/ProjectState.h"
#include "app/RenameJournal.h"
#include "canvas/Canvas.h"
#include "canvas/CanvasState.h"
#include "canvas/CardHint.h"
#include "canvas/Links.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexObject.h"
#include "canvas/ThemeApplier.h"
#include "platform/AsciiCase.h"
#include "platform/AtomicWrite.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"
#include "platform/WaitCursor.h"
#include "settings/MessageTable.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcStore, "nodex.store")

namespace {
const QString ProjectExtension = QStringLiteral(".nodex");
const QString TextFilesFolder = QStringLiteral("Text Files/");
// Room beyond the farthest stored card while cards are placed: more than any icon and label.
constexpr int PlacingSlack = 4096;
// Room kept beyond the farthest card once placed.
constexpr int RoomMargin = 48;
// A card stored farther out than this comes from a damaged file and is brought back in.
constexpr qint64 LargestRoom = 65535;

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

int RoomFor(qint64 extent) { return int(std::clamp<qint64>(extent, 0, LargestRoom)); }

} // namespace

ProjectStore::ProjectStore(ProjectState& project, CanvasState& selection, TCanvas& canvas,
                           Theme& theme, ThemeApplier& themes, Dialogs& dialogs,
                           const MessageTable& messages)
    : FProject(project)
    , FSelection(selection)
    , FCanvas(canvas)
    , FTheme(theme)
    , FThemes(themes)
    , FDialogs(dialogs)
    , FMessages(messages)
{
    connect(&FCanvas, &TCanvas::CardDestroying, this,
            [this](TNodex* card) { FStoredCards.remove(card); });
}

ProjectStore::Opened ProjectStore::OpenProject(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath() + "/";
    QString fileName = info.fileName();
    const QString extension = LowerExtension(fileName);
    if (extension.isEmpty()) {
        fileName += ProjectExtension;
    } else if (extension != ProjectExtension) {
        FDialogs.ShowInformation(FMessages.Text(MessageKey::ONLY_PROJECTS));
        return {};
    }
    if (!QFileInfo::exists(folder + fileName)) {
        FDialogs.ShowInformation("'" + fileName + "' " + FMessages.Text(MessageKey::DOES_NOT_EXIST));
        return {};
    }

    if (const auto owner = ProjectLock::OtherOwner(folder + fileName);
        owner && FDialogs.AskYesNoCancel(ProjectLock::Question(FMessages, fileName, *owner)) != Answer::Yes)
        return {};

    FProject.ProjectFolder = folder;
    FProject.ProjectFileName = fileName;
    QString reason;
    std::optional<WindowPlacement> placement;
    {
        WaitCursor wait;
        ClearCanvas(FCanvas, FSelection);
        placement = LoadProject(reason);
        if (!placement)
            ClearCanvas(FCanvas, FSelection);
    }
    if (!placement) {
        FLock.Release();
        FDialogs.ShowWarning(FMessages.Text(MessageKey::ERROR_READING_FILE), reason);
        return {OpenResult::Failed, {}};
    }
    FLock.Take(ProjectFilePath());
    return {OpenResult::Opened, *placement};
}

std::optional<WindowPlacement> ProjectStore::LoadProject(QString& reason)
{
    IniFile projectFile(ProjectFilePath());
    if (!projectFile.Load(reason))
        return std::nullopt;
    const ProjectFileData data = ReadProjectFile(projectFile);
    FProject.WorkspaceSize = data.Size;
    FProject.TargetWordCount = data.TargetWordCount;
    FProject.BoldBaseType = data.BoldBaseType;
    FProject.Zoom = data.Zoom;
    FTheme.ThemeName = data.ThemeName;
    if (!data.ThemeName.isEmpty())
        FThemes.LoadTheme(data.ThemeName);

    FinishInterruptedRename(FProject.ProjectFolder);
    RemoveLeftovers();
    // Every card file is read before any card is placed, so that the canvas can first make room
    // for the farthest of them: a project made on a larger screen keeps its layout.
    const QList<CardFileEntry> entries = ListCardFiles(FProject.ProjectFolder);
    QList<CardFileData> records;
    records.reserve(entries.size());
    for (const CardFileEntry& entry : entries) {
        IniFile cardFile(FProject.ProjectFolder + entry.FileName);
        if (!cardFile.Load(reason))
            return std::nullopt;
        records.append(ReadCardFile(cardFile));
    }
    MakeRoomForCards(records);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        LoadCard(entries[i].Name, records[i]);
        FStoredCards.insert(FCanvas.Cards().last(), {entries[i].FileName, records[i]});
    }
    for (TNodex* card : ResolveStoredLinks(FCanvas.Cards()))
        card->UpdateLine();
    FitRoomToCards();

    FSelection.CurrentCard = nullptr;
    FProject.ProjectOnDisk = true;
    FProject.PristineWorkspace = false;
    FTheme.NextCardType = 1;
    FSelection.DoubleClickPending = false;
    FProject.Modified = false;
    return WindowPlacement{data.Maximised, data.Top != -1, data.Left, data.Top, data.Width, data.Height};
}

void ProjectStore::LoadCard(const QString& name, const CardFileData& data)
{
    TNodex* card = FCanvas.CreateCard();
    // The label is laid out once, when the card is complete.
    card->BeginUpdate();
    card->MoveTo(data.Left, data.Top);
    card->SetName(name);
    card->SetBoldBaseType(FProject.BoldBaseType);
    card->SetType(StoredTypeToType(data.StoredType));
    FThemes.ApplyThemeToCard(*card);
    // A state the theme does not name falls back to the first state.
    const bool namedState = data.State >= 0 && data.State < FTheme.StateNames.size()
        && !FTheme.StateNames[data.State].isEmpty();
    card->SetState(namedState ? data.State : 0);
    card->SetLinkToName(data.LinkToName);
    card->SetDescription(data.Description);
    card->SetHint(BuildCardHint(card->Description()));
    FThemes.ApplyStateMarker(*card);
    card->EndUpdate();
    FCanvas.BringToFront(card);
    card->setVisible(true);
    FCanvas.BringToFront(card->NameLabel());
}

void ProjectStore::MakeRoomForCards(const QList<CardFileData>& records)
{
    qint64 right = 0;
    qint64 bottom = 0;
    for (const CardFileData& record : records) {
        right = std::max<qint64>(right, record.Left);
        bottom = std::max<qint64>(bottom, record.Top);
    }
    FCanvas.SetRoomForCards({RoomFor(right + PlacingSlack), RoomFor(bottom + PlacingSlack)});
}

void ProjectStore::FitRoomToCards()
{
    int right = 0;
    int bottom = 0;
    for (const TNodex* card : FCanvas.Cards()) {
        // The same edges that keep a card inside the canvas.
        right = std::max(right, card->Left() + card->Width() + card->LabelOverhang() + 3);
        bottom = std::max(bottom, card->Top() + card->Height() + card->LabelHeight());
    }
    FCanvas.SetRoomForCards(
        FCanvas.Cards().isEmpty() ? QSize() : QSize(RoomFor(right + RoomMargin), RoomFor(bottom + RoomMargin)));
}

bool ProjectStore::SaveProject(const WindowPlacement& window)
{
    QString reason;
    if (!EnsureFolder(FProject.ProjectFolder, FMessages, reason)
        || !EnsureFolder(FProject.ProjectFolder + TextFilesFolder, FMessages, reason)) {
        FDialogs.ShowWarning(FMessages.Text(MessageKey::ERROR_WRITING_PROJECT), reason);
        return false;
    }
    bool projectWritten = false;
    bool cardsWritten = true;
    {
        WaitCursor wait;
        projectWritten = WriteProject(window, reason);
        if (projectWritten) {
            // One listing of the folder, rather than a look at each of thousands of card files.
            const QStringList fileNames = RegularFileNames(FProject.ProjectFolder);
            const QSet<QString> regularFiles(fileNames.cbegin(), fileNames.cend());
            for (TNodex* card : FCanvas.Cards())
                cardsWritten = SaveCard(*card, &regularFiles) && cardsWritten;
            FProject.ProjectOnDisk = true;
            RemoveLeftovers();
            FLock.Take(ProjectFilePath());
        }
    }
    if (!projectWritten) {
        FDialogs.ShowWarning(FMessages.Text(MessageKey::ERROR_WRITING_PROJECT), reason);
        FProject.ProjectOnDisk = false;
    }
    // What could not be written is still only in memory: keep it marked so closing asks.
    FProject.Modified = !(projectWritten && cardsWritten);
    FProject.PristineWorkspace = false;
    FSelection.DoubleClickPending = false;
    return projectWritten && cardsWritten;
}

bool ProjectStore::WriteProject(const WindowPlacement& window, QString& reason)
{
    IniFile file(ProjectFilePath());
    // Read first, so that what others keep in the file survives.
    if (!file.Load(reason))
        return false;
    ProjectFileData data;
    data.Maximised = window.Maximised;
    data.Top = window.Top;
    data.Left = window.Left;
    data.Width = window.Width;
    data.Height = window.Height;
    data.TargetWordCount = FProject.TargetWordCount;
    data.BoldBaseType = FProject.BoldBaseType;
    data.Size = FProject.WorkspaceSize;
    data.ThemeName = FTheme.ThemeName;
    data.Zoom = FProject.Zoom;
    WriteProjectFile(file, data);
    return file.Save(reason);
}

bool ProjectStore::SaveCard(TNodex& card) { return SaveCard(card, nullptr); }

bool ProjectStore::SaveCard(TNodex& card, const QSet<QString>* regularFiles)
{
    StoredCard& stored = FStoredCards[&card];
    if (stored.FileName.isEmpty())
        stored.FileName = card.Name() + CardExtension;
    const CardFileData record = CardFileRecord(card);
    // Thousands of cards are saved at once: a file already holding the record stays untouched.
    // One removed or replaced behind the program's back is written again.
    if (stored.Stored == record
        && (regularFiles ? regularFiles->contains(stored.FileName)
                         : KindOf(FProject.ProjectFolder + stored.FileName) == FileKind::Regular))
        return true;
    const QString path = FProject.ProjectFolder + stored.FileName;
    QString reason;
    if (!WriteCard(path, record, reason)) {
        FDialogs.ShowWarning(FMessages.Text(MessageKey::ERROR_WRITING_NODEX), reason);
        return false;
    }
    stored.Stored = record;
    return true;
}

bool ProjectStore::WriteCard(const QString& path, const CardFileData& record, QString& reason) const
{
    IniFile file(path);
    // Read first, so that what others keep in the card file (an editor's placement) survives.
    if (!file.Load(reason))
        return false;
    WriteCardFile(file, record);
    return file.Save(reason);
}

QString ProjectStore::CardFilePath(const TNodex& card) const
{
    const QString fileName = FStoredCards.value(&card).FileName;
    return FProject.ProjectFolder + (fileName.isEmpty() ? card.Name() + CardExtension : fileName);
}

void ProjectStore::RemoveLeftovers() const
{
    RemoveWriteLeftovers(FProject.ProjectFolder);
    RemoveWriteLeftovers(FProject.ProjectFolder + TextFilesFolder);
}

QString ProjectStore::ProjectFilePath() const
{
    return FProject.ProjectFolder + FProject.ProjectFileName;
}

QString ProjectStore::TextFilePath(const QString& cardName) const
{
    return FProject.ProjectFolder + TextFilesFolder + cardName + ".txt";
}

QString ProjectStore::TextFilePath(const TNodex& card) const
{
    const QString fileName = FStoredCards.value(&card).FileName;
    return TextFilePath(fileName.isEmpty() ? card.Name() : CardNameOfFile(fileName));
}

bool ProjectStore::CardFileExists(const QString& cardName, const TNodex* self) const
{
    const QString wanted = cardName + CardExtension;
    if (self) {
        const QString path = FProject.ProjectFolder + wanted;
        return KindOf(path) != FileKind::Missing && !SameFile(path, CardFilePath(*self));
    }
    const QStringList names = RegularFileNames(FProject.ProjectFolder);
    return std::any_of(names.begin(), names.end(), [&](const QString& name) {
        return SameIgnoringAsciiCase(ReadableName(name), wanted);
    });
}

bool ProjectStore::RenameCardFiles(const TNodex& card, const QString& newName, QString& reason)
{
    const QString folder = FProject.ProjectFolder;
    StoredCard& stored = FStoredCards[&card];
    const QString oldFile = stored.FileName.isEmpty() ? card.Name() + CardExtension : stored.FileName;
    const QString newFile = newName + CardExtension;
    const QString oldText = TextFilePath(card);
    const QString newText = TextFilePath(newName);
    // On a file system that ignores case both names are one file: a plain move changes its
    // capitals, where writing the new name and removing the old one would remove both.
    const bool sameCardFile = SameFile(folder + oldFile, folder + newFile);
    const bool sameTextFile = SameFile(oldText, newText);
    const bool hasText = KindOf(oldText) != FileKind::Missing;
    if (!sameCardFile && KindOf(folder + newFile) != FileKind::Missing) {
        reason = FMessages.Text(MessageKey::CARD_FILE_EXISTS).arg(newFile);
        return false;
    }
    // A text left behind by a deleted card is taken by a card that brings none of its own.
    if (hasText && !sameTextFile && KindOf(newText) != FileKind::Missing) {
        reason = FMessages.Text(MessageKey::TEXT_FILE_TAKEN).arg(newName + ".txt");
        return false;
    }
    if (!BeginCardRename(folder, {oldFile, newFile}, reason))
        return false;
    if (!WriteRenamedCardFile(card, oldFile, newFile, sameCardFile, reason)) {
        EndCardRename(folder);
        return false;
    }
    // From here on the rename goes through; a crash is finished at the next open.
    if (hasText && !sameTextFile && !MoveFile(oldText, newText, reason)) {
        QString ignored;
        RemoveFile(folder + newFile, ignored);
        EndCardRename(folder);
        return false;
    }
    stored.FileName = newFile;
    RelinkStoredCards(card.Name(), newName);
    QString notRemoved;
    if (!sameCardFile && !RemoveFile(folder + oldFile, notRemoved)) {
        // The journal stays: the next open removes the old card file.
        qCWarning(lcStore).noquote() << notRemoved;
        return true;
    }
    EndCardRename(folder);
    return true;
}

bool ProjectStore::WriteRenamedCardFile(const TNodex& card, const QString& oldFile, const QString& newFile,
                                        bool sameFile, QString& reason)
{
    const QString folder = FProject.ProjectFolder;
    if (sameFile)
        return MoveFile(folder + oldFile, folder + newFile, reason);
    // The old file's bytes keep what others keep in it (an editor's placement); a card whose
    // file is missing takes its place with the card as it is.
    if (KindOf(folder + oldFile) == FileKind::Missing) {
        const CardFileData record = CardFileRecord(card);
        if (!WriteCard(folder + newFile, record, reason))
            return false;
        FStoredCards[&card].Stored = record;
        return true;
    }
    QByteArray bytes;
    return ReadFileBytes(folder + oldFile, bytes, reason) && WriteFileAtomically(folder + newFile, bytes, reason);
}

void ProjectStore::RelinkStoredCards(const QString& oldName, const QString& newName)
{
    // The files that link to the card on disk, as last read or written, follow it; one that
    // cannot be written now is written by the next save, as its record then differs.
    for (auto stored = FStoredCards.begin(); stored != FStoredCards.end(); ++stored) {
        if (!stored->Stored || stored->Stored->LinkToName != oldName)
            continue;
        QString reason;
        if (RelinkCardFile(FProject.ProjectFolder + stored->FileName, oldName, newName, reason))
            stored->Stored->LinkToName = newName;
        else
            qCWarning(lcStore).noquote() << reason;
    }
}

void ProjectStore::DeleteCardFiles(const TNodex& card, bool withText)
{
    // A file that cannot be deleted is skipped, as the writer asked for the cards to go.
    QString reason;
    if (!RemoveFile(CardFilePath(card), reason))
        qCInfo(lcStore).noquote() << reason;
    if (withText && !RemoveFile(TextFilePath(card), reason))
        qCInfo(lcStore).noquote() << reason;
    FStoredCards.remove(&card);
}
