#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// Builds a zip archive in memory, as the office formats (ODT, DOCX) are packed: members in the
/// order they are added, each stored or deflated. A member added first and stored, such as an
/// ODT's "mimetype", stands at the archive's very start where readers look for it.
class ZipWriter {
public:
    enum class Packing { Stored, Deflated };

    void Add(const QString& name, const QByteArray& data, Packing packing = Packing::Deflated);
    /// The archive: the members, then the central directory.
    QByteArray Finish() const;

private:
    struct Entry {
        QByteArray Name;
        quint32 Crc = 0;
        quint32 Size = 0;
        quint32 PackedSize = 0;
        quint16 Method = 0;
        quint32 Offset = 0;
    };

    QByteArray FMembers;
    QList<Entry> FEntries;
};
