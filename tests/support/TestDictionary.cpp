#include "TestDictionary.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <gtest/gtest.h>

QString WriteDictionary(const QString& folder, const QString& name, const QStringList& words,
    const QByteArray& encoding)
{
    QDir().mkpath(folder);
    QStringEncoder encoder(encoding == "UTF-8" ? QStringConverter::Utf8 : QStringConverter::Latin1);
    QFile affix(folder + name + ".aff");
    EXPECT_TRUE(affix.open(QIODevice::WriteOnly));
    affix.write("SET " + encoding + "\nTRY esianrtolcdugmfphbyvkw\n");
    QFile list(folder + name + ".dic");
    EXPECT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(QByteArray::number(words.size()) + "\n");
    for (const QString& word : words)
        list.write(QByteArray(encoder.encode(word)) + "\n");
    return folder;
}

QStringList EnglishTestWords()
{
    return { "the", "keeper", "lamp", "lit", "colour", "tide", "see", "now", "mail", "today",
        "visit", "here", "go", "fish", "hello", "world", "bold", "and", "said", "she", "he",
        "Paris", "café", "receive", "storm", "rocks", "of", "with", "at", "a", "in", "cf.", "Prof." };
}
