#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>

// What the picture decoders share: the limits' messages, and little-endian readers for the
// header fields of bitmaps, icons and metafiles. The readers trust the caller to have checked
// that the bytes at `offset` exist.

/// Whether a decoded picture of this size may be kept: not empty, and within MaxPictureSide.
bool FitsPictureLimit(int width, int height);

/// The reason given for a picture beyond MaxPictureSide.
QString PictureTooLarge();

/// The reason given when the decoded picture cannot be allocated.
QString PictureNoMemory();

/// The reason given for a metafile of more than MaxMetafileRecords records.
QString TooManyRecords();

/// Whether a metafile of `records` records drawn on a picture of this size stays within
/// MaxMetafileWork; otherwise `reason` says why not.
bool WithinDrawingBudget(int records, int width, int height, QString& reason);

inline quint16 Word(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

inline quint32 DoubleWord(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

inline qint32 SignedDoubleWord(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}
