#include "project/SyncConflict.h"

#include "platform/NativeName.h"
#include "project/ProjectPaths.h"

#include <QRegularExpression>

#include <algorithm>

QString SyncConflictOriginal(const QString& fileName)
{
    // The name before the marker and the extension after it make the original's name.
    static const QRegularExpression markers[] = {
        QRegularExpression(QStringLiteral(R"(^(.+)\.sync-conflict-\d{8}-\d{6}(?:-[A-Z0-9]{7})?(\.[^.]*)?$)")),
        QRegularExpression(QStringLiteral(R"(^(.+) \([^()]*conflicted copy \d{4}-\d{2}-\d{2}[^()]*\)(\.[^.]*)?$)")),
    };
    for (const QRegularExpression& marker : markers) {
        const QRegularExpressionMatch match = marker.match(fileName);
        if (match.hasMatch())
            return match.captured(1) + match.captured(2);
    }
    return {};
}

QList<SyncConflictCopy> ListSyncConflicts(const QString& projectFolder)
{
    QList<SyncConflictCopy> copies;
    for (const QString& folder : {projectFolder, projectFolder + ProjectPaths::TextFilesFolder}) {
        QStringList names = RegularFileNames(folder);
        std::sort(names.begin(), names.end());
        for (const QString& name : names) {
            const QString original = SyncConflictOriginal(name);
            if (!original.isEmpty())
                copies.append({folder + name, folder + original});
        }
    }
    return copies;
}
