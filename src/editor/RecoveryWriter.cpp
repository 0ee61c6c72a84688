#include "editor/RecoveryWriter.h"

#include "editor/EditorText.h"

#include <QMetaObject>
#include <QObject>
#include <QThreadPool>

namespace {
/// One thread: writes never overtake each other.
QThreadPool& Worker()
{
    static QThreadPool pool;
    [[maybe_unused]] static const bool oneThread = (pool.setMaxThreadCount(1), true);
    return pool;
}
} // namespace

void RecoveryWriter::Write(const RecoveryStore& store, const QString& cardName, const QString& text,
    const FileIdentity& textRead, const QDateTime& when, QObject* context,
    std::function<void(const QString& error)> done)
{
    // The text is shared, not copied: the editor's next edits make a copy of their own.
    Worker().start([store, cardName, text, textRead, when, context, done = std::move(done)] {
        QString error;
        if (store.Write(cardName, EditorText::Encoded(text), textRead, when, error))
            error.clear();
        QMetaObject::invokeMethod(context, [done, error] { done(error); }, Qt::QueuedConnection);
    });
}

void RecoveryWriter::WaitForAll()
{
    Worker().waitForDone();
}
