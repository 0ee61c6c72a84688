#pragma once

#include <QByteArray>
#include <QString>

/// What one history entry file holds: a whole text, or a delta against a newer entry of the same
/// card that it names, so that no entry depends on which files happen to lie beside it.
struct HistoryEntryFile {
    QString Base; ///< the stamp of the entry a delta is made against; empty for a whole text
    QByteArray Payload; ///< the text, or the delta
};

/// The file's bytes: a kind byte, the base's stamp for a delta, then the payload compressed.
QByteArray EncodeEntryFile(const HistoryEntryFile& entry);

/// False when the bytes are not a whole entry file (damaged, cut short, or of another kind), or
/// when it would hold more than MaxHistoryTextBytes.
bool DecodeEntryFile(const QByteArray& bytes, HistoryEntryFile& entry);

/// The base an entry file names, read from its first bytes only; false when it cannot be read.
bool ReadEntryBase(const QString& path, QString& base);

/// The stamp an entry file's name gives it ("yyyyMMdd-HHmmss-zzz", in UTC).
constexpr int EntryStampLength = 19;
