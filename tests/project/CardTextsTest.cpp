#include "project/CardTexts.h"

#include "HistoryTexts.h"
#include "TempFolder.h"
#include "project/CardHistory.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
const QDateTime Now(QDate(2024, 5, 10), QTime(12, 0), Qt::UTC);
} // namespace

TEST(CardTexts, RestoreKeepsTheReplacedTextAsAnEntryButNeverAnEmptyOne)
{
    TempFolder project;
    const QString text = project.Write("Text Files/Scene.txt", "Now\r\n");
    const CardTexts texts(project.Path());
    CardHistory history(project.Path());
    QString error;
    ASSERT_TRUE(history.AddEntry("Scene", "Then\r\n", Now.addSecs(-1800), error));

    ASSERT_TRUE(texts.Restore(history.Entries("Scene")[0], Now, error)) << error.toStdString();
    EXPECT_EQ(project.Read("Text Files/Scene.txt"), "Then\r\n");
    EXPECT_EQ(HistoryTexts(project.Path(), "Scene"), (QByteArrayList { "Now\r\n", "Then\r\n" }));

    // A text file that went missing, or that is empty, is written again without an empty entry.
    const CardHistoryEntry now = history.Entries("Scene")[0];
    QFile::remove(text);
    ASSERT_TRUE(texts.Restore(now, Now.addSecs(1), error));
    EXPECT_EQ(project.Read("Text Files/Scene.txt"), "Now\r\n");
    project.Write("Text Files/Scene.txt", "");
    ASSERT_TRUE(texts.Restore(now, Now.addSecs(2), error));
    EXPECT_EQ(project.Read("Text Files/Scene.txt"), "Now\r\n");
    EXPECT_EQ(history.Entries("Scene").size(), 2);
}
