#include "platform/NativeName.h"

#include "TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(NativeName, NamesComeBackAsTheBytesTheyWere)
{
    const QByteArray names[] = {
        "plain.ndx", "Caf\xC3\xA9.ndx", "Caf\xE9.ndx", "\xFF\xFE", "\xED\xA0\x80.ndx",
        // A byte-order mark in a name is part of the name, at its start or anywhere else.
        "\xEF\xBB\xBF"
        "mark.ndx",
        "a\xEF\xBB\xBF\xE9.ndx",
    };
    for (const QByteArray& name : names)
        EXPECT_EQ(NativePath(PathFromNative(name)), name) << name.toHex().toStdString();
    EXPECT_EQ(PathFromNative("\xEF\xBB\xBF"
                             "mark"),
              QChar(0xFEFF) + QString("mark"));
}

TEST(NativeName, OnlyRegularFilesAndLinksToThemAreListed)
{
    TempFolder folder;
    const QString card = folder.Write("card.ndx", "[A]\n");
    const QString inner = folder.MakeFolder("folder.ndx");
    ASSERT_TRUE(QFile::link(card, folder.Path("link.ndx")));
    ASSERT_TRUE(QFile::link(inner, folder.Path("folder link.ndx")));
    ASSERT_TRUE(QFile::link(folder.Path("nowhere"), folder.Path("dangling.ndx")));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.Path("fifo.ndx")).constData(), 0644), 0);

    QStringList names = RegularFileNames(folder.Path());
    names.sort();
    EXPECT_EQ(names, (QStringList{"card.ndx", "link.ndx"}));
    EXPECT_TRUE(RegularFileNames(folder.Path("missing")).isEmpty());
}
