#include "app/SyncConflictNotice.h"

#include "editor/CompareWindow.h"
#include "platform/Dialogs.h"
#include "platform/NativeName.h"
#include "platform/TextFile.h"
#include "messages/MessageTable.h"

#include <QFileInfo>

namespace {
// A sync tool that went wrong may leave hundreds: the writer is not buried in windows.
constexpr int MostWindows = 10;

/// A file's text for reading beside another; an empty text when it is gone.
QString TextOf(const QString& path)
{
    QString text;
    QString error;
    if (!ReadTextFile(path, text, error))
        return {};
    return text;
}
} // namespace

SyncConflictNotice::SyncConflictNotice(Dialogs& dialogs, const MessageTable& messages, QWidget& window)
    : QObject(&window)
    , FDialogs(dialogs)
    , FMessages(messages)
    , FWindow(window)
{
}

void SyncConflictNotice::Tell(const QList<SyncConflictCopy>& copies)
{
    QList<SyncConflictCopy> fresh;
    QStringList names;
    for (const SyncConflictCopy& copy : copies) {
        if (FTold.contains(copy.Path))
            continue;
        FTold.insert(copy.Path);
        fresh << copy;
        names << "'" + ReadableName(QFileInfo(copy.Path).fileName()) + "'";
    }
    if (fresh.isEmpty())
        return;
    const int choice = FDialogs.AskChoice(FMessages.Text(MessageKey::SYNC_CONFLICT_COPIES).arg(names.join(", ")),
                                          {FMessages.Text(MessageKey::COMPARE), FMessages.Text(MessageKey::NOT_NOW)});
    if (choice != 0)
        return;
    for (qsizetype i = 0; i < fresh.size() && i < MostWindows; ++i)
        Compare(fresh[i]);
}

void SyncConflictNotice::Compare(const SyncConflictCopy& copy)
{
    const QString copyName = ReadableName(QFileInfo(copy.Path).fileName());
    auto* window = new CompareWindow(FMessages.Text(MessageKey::COMPARE_TITLE).arg(copyName), copyName, TextOf(copy.Path),
                                  ReadableName(QFileInfo(copy.OriginalPath).fileName()), TextOf(copy.OriginalPath),
                                  &FWindow);
    window->show();
}
