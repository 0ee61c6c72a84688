#include "project/RenameJournal.h"

#include "project/CardTexts.h"
#include "project/ProjectFiles.h"
#include "project/ProjectFolder.h"
#include "platform/AtomicWrite.h"
#include "platform/IniFile.h"
#include "platform/NativeName.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcRename, "nodex.rename")

namespace {
const QString JournalName = QStringLiteral(".nodex-rename");
const QString Section = QStringLiteral("Rename");

// File names are kept as their bytes, percent-encoded, so that a name that is not UTF-8 comes
// back as the very same file.
QString Encode(const QString& fileName) { return QString::fromLatin1(NativePath(fileName).toPercentEncoding()); }
QString Decode(const QString& stored) { return PathFromNative(QByteArray::fromPercentEncoding(stored.toLatin1())); }

/// Points every card file of the folder that links to `oldName` at `newName`.
bool RelinkCardFiles(const QString& projectFolder, const QString& oldName, const QString& newName, QString& reason)
{
    const QList<CardFileEntry> entries = ListCardFiles(projectFolder);
    return std::all_of(entries.begin(), entries.end(), [&](const CardFileEntry& entry) {
        return RelinkCardFile(projectFolder + entry.FileName, oldName, newName, reason);
    });
}

/// Whether a name read back from the journal is a plain file name of the folder.
bool IsPlainFileName(const QString& name) { return !name.isEmpty() && !name.contains('/') && name != "." && name != ".."; }
} // namespace

QString RenameJournalPath(const QString& projectFolder) { return projectFolder + JournalName; }

bool BeginCardRename(const QString& projectFolder, const CardRename& rename, QString& reason)
{
    const QByteArray text = "[" + Section.toLatin1() + "]\nFrom=" + Encode(rename.OldCardFile).toLatin1()
        + "\nTo=" + Encode(rename.NewCardFile).toLatin1() + "\n";
    return WriteFileAtomically(RenameJournalPath(projectFolder), text, reason);
}

void EndCardRename(const QString& projectFolder)
{
    QString reason;
    if (!RemoveFile(RenameJournalPath(projectFolder), reason))
        qCWarning(lcRename).noquote() << reason;
}

bool RelinkCardFile(const QString& path, const QString& oldName, const QString& newName, QString& reason)
{
    IniFile file(path);
    if (!file.Load(reason))
        return false;
    if (ReadCardFile(file).LinkToName != oldName)
        return true;
    file.WriteString("LinkTo", "Name", newName);
    return file.Save(reason);
}

void FinishInterruptedRename(const QString& projectFolder)
{
    const QString journalPath = RenameJournalPath(projectFolder);
    if (KindOf(journalPath) == FileKind::Missing)
        return;
    IniFile journal(journalPath);
    QString reason;
    journal.Load(reason);
    const QString from = Decode(journal.ReadString(Section, "From", {}));
    const QString to = Decode(journal.ReadString(Section, "To", {}));
    // Only once the new card file is in place has anything moved: then the rename goes through.
    if (IsPlainFileName(from) && IsPlainFileName(to) && KindOf(projectFolder + to) == FileKind::Regular) {
        const bool ok = CardTexts(projectFolder).FollowRename(CardNameOfFile(from), CardNameOfFile(to), reason)
            && RelinkCardFiles(projectFolder, ReadableName(CardNameOfFile(from)), ReadableName(CardNameOfFile(to)), reason)
            && (SameFile(projectFolder + from, projectFolder + to) || RemoveFile(projectFolder + from, reason));
        if (!ok) {
            // The journal stays, so that the next open tries again.
            qCWarning(lcRename).noquote() << "An interrupted rename could not be finished:" << reason;
            return;
        }
    }
    EndCardRename(projectFolder);
}
