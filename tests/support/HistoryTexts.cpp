#include "HistoryTexts.h"

#include "project/CardHistory.h"

#include <gtest/gtest.h>

QByteArrayList HistoryTexts(const QString& projectFolder, const QString& cardName)
{
    const CardHistory history(projectFolder);
    QByteArrayList texts;
    for (const CardHistoryEntry& entry : history.Entries(cardName)) {
        QByteArray bytes;
        QString error;
        EXPECT_TRUE(history.Read(entry, bytes, error)) << error.toStdString();
        texts << bytes;
    }
    return texts;
}
