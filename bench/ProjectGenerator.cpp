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

Prose::Prose()
    : FRandom(17)
{
    for (int i = 0; i < 4000; ++i) {
        QByteArray word;
        for (int letters = 2 + int(FRandom.bounded(9)); letters > 0; --letters)
            word += char('a' + FRandom.bounded(26));
        FVocabulary.append(word);
    }
}

QByteArray Prose::Word()
{
    return FVocabulary[FRandom.bounded(qsizetype(FVocabulary.size()))];
}

QByteArray Prose::Text(int words)
{
    QByteArray text;
    for (int word = 1; word <= words; ++word)
        text += Word() + (word % 120 == 0 ? "\r\n" : " ");
    return text;
}

void Prose::Edit(QByteArray& text)
{
    const qsizetype at = text.indexOf(' ', FRandom.bounded(text.size()));
    if (at < 0)
        return;
    if (FRandom.bounded(2) == 0)
        text.insert(at, ' ' + Word() + ' ' + Word());
    else
        text.replace(at + 1, text.indexOf(' ', at + 1) - at - 1, Word());
}

void WriteProseTexts(const QString& folder, int words)
{
    Prose prose;
    const QString texts = folder + ProjectPaths::TextFilesFolder;
    for (const QString& name : QDir(texts).entryList(QDir::Files))
        WriteFile(texts + name, prose.Text(words));
}
