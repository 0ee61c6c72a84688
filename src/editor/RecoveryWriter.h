#pragma once

#include "platform/FileIdentity.h"
#include "project/RecoveryStore.h"

#include <QDateTime>
#include <QString>

#include <functional>

class QObject;

/// Encodes and writes the recovery files of open editors on one worker thread, in the order they
/// were asked for, so that encoding and flushing a long text never hold up the window.
namespace RecoveryWriter {
/// Encodes `text` as a save would and writes it under `cardName` in `store`'s folder. `done`
/// runs later on `context`'s thread with why the write failed, empty when it was written.
/// `context` must wait for the writes (WaitForAll) before it goes.
void Write(const RecoveryStore& store, const QString& cardName, const QString& text,
    const FileIdentity& textRead, const QDateTime& when, QObject* context,
    std::function<void(const QString& error)> done);

/// Returns once every write asked for so far is on the disk or has failed, with the worker
/// thread ended: a recovery file is then what the last write left, ready to read or remove.
void WaitForAll();
} // namespace RecoveryWriter
