#pragma once

#include "project/SyncConflict.h"

#include <QObject>
#include <QSet>

class Dialogs;
class MessageTable;
class QWidget;

/// Tells the writer, once for each, of the copies sync tools left where a file was changed on
/// two machines at once, and on request shows each beside the file it copies.
class SyncConflictNotice : public QObject {
    Q_OBJECT
public:
    /// Compare windows belong to `window`.
    SyncConflictNotice(Dialogs& dialogs, const MessageTable& messages, QWidget& window);

    /// Tells of the copies not told of before.
    void Tell(const QList<SyncConflictCopy>& copies);

private:
    void Compare(const SyncConflictCopy& copy);

    Dialogs& FDialogs;
    const MessageTable& FMessages;
    QWidget& FWindow;
    QSet<QString> FTold; ///< the copies' paths
};
