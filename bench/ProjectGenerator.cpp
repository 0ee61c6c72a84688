#include "ProjectGenerator.h"

#include "project/ProjectPaths.h"

#include <QDir>
#include <QFile>

namespace {
void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QString CardName(int index) { return QString("Card %1").arg(index, 5, 10, QChar('0')); }
} // namespace

QString GenerateProject(const QString& folder, int cardCount, int chainLength, int textWords)
{
    QByteArray text;
    for (int word = 0; word < textWords; ++word)
        text += (word % 12 == 11) ? "lighthouse.\r\n" : "lighthouse ";
    QDir().mkpath(folder + ProjectPaths::TextFilesFolder);
    const QString project = folder + "Scale.nodex";
    WriteFile(project, "[Workspace]\nSize=2\nBoldBaseType=1\n[Theme]\nName=Book.ini\n");
    constexpr int Columns = 100;
    for (int i = 0; i < cardCount; ++i) {
        const bool chained = (i + 1) % chainLength != 0 && i + 1 < cardCount;
        const QByteArray card = QString("[StateData]\nType=%1\nState=%2\n[Position]\nLeft=%3\nTop=%4\n"
                                        "[Description]\nText=Card %5 of the generated project, with a "
                                        "description long enough to wrap its tooltip\n[LinkTo]\nName=%6\n")
                                    .arg(i % 8)
                                    .arg(i % 3)
                                    .arg(20 + (i % Columns) * 40)
                                    .arg(20 + (i / Columns) * 40)
                                    .arg(i)
                                    .arg(chained ? CardName(i + 1) : QString())
                                    .toUtf8();
        WriteFile(folder + CardName(i) + ProjectPaths::CardExtension, card);
        if (textWords > 0)
            WriteFile(ProjectPaths::TextFilePath(folder, CardName(i)), text);
    }
    return project;
}
