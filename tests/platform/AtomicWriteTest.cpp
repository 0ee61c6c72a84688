#include "platform/AtomicWrite.h"

#include "TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(AtomicWrite, ReplacesTheWholeFile)
{
    TempFolder folder;
    const QString path = folder.Write("card.ndx", "a much longer old content\n");
    QString error;
    ASSERT_TRUE(WriteFileAtomically(path, "new\n", error)) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(folder.Read("card.ndx"), QByteArray("new\n"));

    ASSERT_TRUE(WriteFileAtomically(folder.Path("fresh.txt"), "", error));
    EXPECT_TRUE(folder.Exists("fresh.txt"));
}

TEST(AtomicWrite, FailureKeepsTheOldFileAndSaysWhy)
{
    TempFolder folder;
    const QString path = folder.Write("locked.ndx", "old bytes");
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QString error;
    EXPECT_FALSE(WriteFileAtomically(path, "new bytes", error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(folder.Read("locked.ndx"), QByteArray("old bytes"));

    const QString missing = folder.Path("No Such Folder/card.ndx");
    error.clear();
    EXPECT_FALSE(WriteFileAtomically(missing, "x", error));
    EXPECT_TRUE(error.contains(missing)) << error.toStdString();
    EXPECT_FALSE(folder.Exists("No Such Folder"));
}
