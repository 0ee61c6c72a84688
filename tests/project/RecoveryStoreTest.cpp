#include "project/RecoveryStore.h"

#include "TempFolder.h"
#include "platform/FileIdentity.h"
#include "platform/NativeName.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QDateTime Typed(QDate(2026, 3, 1), QTime(21, 4, 5, 120), Qt::UTC);
} // namespace

TEST(RecoveryStore, KeepsEachCardsBytesNameIdentityAndTimeApartForTwoProjectsOfOneName)
{
    TempFolder folders;
    const QString here = folders.MakeFolder("Here");
    const QString there = folders.MakeFolder("There");
    folders.Write("Here/Book.nodex", "");
    folders.Write("There/Book.nodex", "");
    const QString recovery = folders.MakeFolder("Recovery");
    const RecoveryStore store(RecoveryStore::FolderOf(recovery, here, "Book.nodex"));
    const RecoveryStore other(RecoveryStore::FolderOf(recovery, there, "Book.nodex"));
    ASSERT_NE(store.Folder(), other.Folder());

    // Past the hashed size: the file is known by its times, the change time included.
    const QString textFile = folders.Write("Here/Text Files/Lamp.txt", QByteArray(HashedFileBytes + 1, 'L'));
    const FileIdentity read = CurrentIdentity(textFile);
    // Bytes as a save writes them, and some no save would: they come back all the same.
    const QByteArray text("The lamp\r\nis lit \xc3\xa9\0 \xe9\r\n\r\n", 26);
    const QString oddName = PathFromNative("Caf\xe9 \xe2\x80\x94 one");
    QString error;
    ASSERT_TRUE(store.Write("Lamp", "first", read, Typed, error)) << error.toStdString();
    ASSERT_TRUE(store.Write("Lamp", text, read, Typed, error)) << error.toStdString();
    ASSERT_TRUE(store.Write(oddName, "", FileIdentity {}, Typed, error)) << error.toStdString();
    ASSERT_TRUE(other.Write("Lamp", "the other project's", read, Typed, error));

    const QList<RecoveredText> kept = store.List();
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0].CardName, oddName);
    EXPECT_EQ(kept[1].CardName, "Lamp");
    EXPECT_EQ(kept[1].Written, Typed);
    EXPECT_EQ(kept[1].File, store.FileOf("Lamp"));
    QByteArray back;
    ASSERT_TRUE(store.Read(kept[1], back, error));
    EXPECT_EQ(back, text);
    ASSERT_TRUE(store.Read(kept[0], back, error));
    EXPECT_EQ(back, "");
    ASSERT_TRUE(other.Read(other.List().value(0), back, error));
    EXPECT_EQ(back, "the other project's");

    // The kept text is older than a file changed since it was read, or made since.
    EXPECT_FALSE(kept[1].FileChangedSince(textFile));
    folders.Write("Here/Text Files/Lamp.txt", "Lamp, changed\r\n");
    EXPECT_TRUE(kept[1].FileChangedSince(textFile));
    EXPECT_FALSE(kept[0].FileChangedSince(folders.Path("Here/Text Files/None.txt")));
    EXPECT_TRUE(kept[0].FileChangedSince(textFile));

    EXPECT_TRUE(store.Discard("Lamp", error));
    EXPECT_TRUE(store.Discard("Lamp", error));
    EXPECT_EQ(store.List().size(), 1);
    EXPECT_EQ(other.List().size(), 1);
}

TEST(RecoveryStore, PassesOverDamagedAndForeignFilesWithoutWaitingAndNeverRemovesThem)
{
    TempFolder folders;
    const RecoveryStore store(folders.MakeFolder("Recovery/Book (0)"));
    QString error;
    ASSERT_TRUE(store.Write("Lamp", "lamp", {}, Typed, error));
    ASSERT_TRUE(store.Write("Sea", "the sea", {}, Typed, error));
    QFile lamp(store.FileOf("Lamp"));
    ASSERT_TRUE(lamp.open(QIODevice::ReadOnly));
    const QByteArray ours = lamp.readAll();
    // Cut short, foreign, under another card's name, a link to one of ours, a FIFO.
    QFile::resize(store.FileOf("Sea"), QFileInfo(store.FileOf("Sea")).size() - 1);
    folders.Write("Recovery/Book (0)/" + QFileInfo(store.FileOf("Fog")).fileName(), "Fog\n\nfog");
    folders.Write("Recovery/Book (0)/" + QFileInfo(store.FileOf("Rain")).fileName(), ours);
    folders.Write("Ours.unsaved", ours);
    ASSERT_EQ(::symlink(QFile::encodeName(folders.Path("Ours.unsaved")).constData(),
                  QFile::encodeName(store.FileOf("Link")).constData()),
        0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(store.FileOf("Pipe")).constData(), 0644), 0);

    const QList<RecoveredText> kept = store.List();
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(kept[0].CardName, "Lamp");
    for (const char* name : { "Sea", "Fog", "Rain", "Link", "Pipe" }) {
        EXPECT_TRUE(store.Discard(name, error)) << name;
        EXPECT_TRUE(NameTaken(store.FileOf(name))) << name;
    }
    // A link or a FIFO in a card's place fails its writes at once, with the reason.
    EXPECT_FALSE(store.Write("Link", "typed", {}, Typed, error));
    EXPECT_NE(error.indexOf("link"), -1) << error.toStdString();
    EXPECT_FALSE(store.Write("Pipe", "typed", {}, Typed, error));
    EXPECT_NE(error.indexOf("not a regular file"), -1) << error.toStdString();
    EXPECT_EQ(folders.Read("Ours.unsaved"), ours);

    // A file where the project's folder would be made: nothing is kept, and the reason says why.
    folders.Write("Recovery/Taken", "");
    EXPECT_FALSE(
        RecoveryStore(folders.Path("Recovery/Taken/")).Write("Lamp", "lamp", {}, Typed, error));
    EXPECT_FALSE(error.isEmpty());
}
