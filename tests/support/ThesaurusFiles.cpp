#include "ThesaurusFiles.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <algorithm>
#include <utility>

namespace {
void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}
} // namespace

void WriteThesaurus(const QString& folder, const QString& name,
    const QList<ThesaurusEntry>& entries, const QByteArray& encoding)
{
    QDir().mkpath(folder);
    QStringEncoder encode(encoding.constData());
    QByteArray data = encoding + "\n";
    QList<std::pair<QByteArray, qsizetype>> index;
    for (const ThesaurusEntry& entry : entries) {
        const QByteArray word = encode(entry.Word);
        index.append({ word, data.size() });
        data += word + "|" + QByteArray::number(entry.Meanings.size()) + "\n";
        for (const QString& meaning : entry.Meanings)
            data += encode(meaning) + "\n";
    }
    std::sort(index.begin(), index.end());
    QByteArray idx = encoding + "\n" + QByteArray::number(index.size()) + "\n";
    for (const auto& [word, offset] : index)
        idx += word + "|" + QByteArray::number(offset) + "\n";
    WriteFile(folder + "/" + name + ".idx", idx);
    WriteFile(folder + "/" + name + ".dat", data);
}
