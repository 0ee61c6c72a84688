#include "ProjectFixture.h"
#include "SmallDisk.h"
#include "platform/NativeName.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QByteArray PlainProject = "[Workspace]\nBoldBaseType=1\n[Theme]\nName=Book.ini\n";
const QByteArray ProjectText
    = "[Application]\nMaximised=0\n\n[AppWindow]\nTop=40\nLeft=50\nWidth=800\n"
      "Height=600\n\n[Workspace]\nTargetWordCount=1000\nBoldBaseType=1\nSize=0\n\n"
      "[Theme]\nName=Book.ini\n\n[Extra]\nOwner=someone else\n";
const QByteArray EditorPlacement
    = "[EditWindow]\nMaximised=0\nTop=12\nLeft=34\nWidth=560\nHeight=780\n";
constexpr auto Opened = ProjectStore::OpenResult::Opened;

void MakeReadOnly(const QString& path)
{
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
}

/// A project file beside the card files that the test writes.
class StoreOpen : public ProjectFixture {
protected:
    void SetUp() override { Projects.Write("Novel.nodex", PlainProject); }
};

/// An opened project with a card "Harbour" whose file keeps keys of others, and a card "Storm".
class StoreSave : public ProjectFixture {
protected:
    void SetUp() override
    {
        Projects.Write("Novel.nodex", ProjectText);
        Projects.Write("Harbour.ndx",
            "[StateData]\nType=1\nState=0\n\n[Position]\nLeft=200\nTop=150\n\n"
            "[Description]\nText=Boats\n\n[LinkTo]\nName=Nowhere\n\n"
                + EditorPlacement);
        WriteCard("Storm", 0, 2, 400, 150);
        ASSERT_EQ(Open("Novel.nodex").Result, Opened);
    }

    void Move(const QString& name, QPoint to) { Model.MoveCards({ { Id(name), to } }); }
    QStringList Headlines(const QList<StoreMessage>& failures)
    {
        QStringList texts;
        for (const StoreMessage& failure : failures)
            texts << failure.Headline;
        return texts;
    }
};
} // namespace

TEST_F(StoreOpen, CardsComeBackWithTheirStoredValues)
{
    WriteCard("Chapter 1", 0, 1, 300, 200, "", "Where it begins");
    WriteCard("Compilation", -1, 0, 500, 200);
    WriteCard("Twelfth", 11, 0, 600, 300);
    Projects.Write("No position.ndx", "[StateData]\nType=1\n");
    ASSERT_EQ(Open("Novel.nodex").Result, Opened);

    const CardData& chapter = Model.Card(Id("Chapter 1"));
    EXPECT_EQ(chapter.Position, QPoint(300, 200));
    EXPECT_EQ(chapter.Type, 1);
    EXPECT_EQ(chapter.State, 1);
    EXPECT_EQ(chapter.Description, "Where it begins");
    EXPECT_EQ(chapter.FileName, "Chapter 1.ndx");
    EXPECT_EQ(Model.Card(Id("Compilation")).Type, 0);
    EXPECT_EQ(Model.Card(Id("Twelfth")).Type, 12);
    EXPECT_EQ(Model.Card(Id("No position")).Position, QPoint(100, 100));

    EXPECT_TRUE(Project.ProjectOnDisk);
    EXPECT_FALSE(Project.PristineWorkspace);
    EXPECT_EQ(Project.ProjectFolder, Projects.Path());
    EXPECT_EQ(Project.ProjectFileName, "Novel.nodex");
}

TEST_F(StoreOpen, CardNamesLongerThanFortyCharactersAreIgnored)
{
    const QString forty(40, 'x');
    WriteCard(forty, 0, 0, 100, 100);
    WriteCard(QString(41, 'y'), 0, 0, 200, 100);
    ASSERT_EQ(Open("Novel.nodex").Result, Opened);
    EXPECT_EQ(CardNames(), QStringList { forty });
}

TEST_F(StoreOpen, LinksResolveByExactName)
{
    WriteCard("A", 0, 0, 100, 100, "B");
    WriteCard("B", 0, 0, 300, 100, "c");
    WriteCard("C", 0, 0, 500, 100, "Nowhere");
    ASSERT_EQ(Open("Novel.nodex").Result, Opened);

    EXPECT_EQ(Model.LinkTo(Id("A")), Id("B"));
    EXPECT_EQ(Model.LinkedFrom(Id("B")), Id("A"));
    EXPECT_EQ(Model.LinkTo(Id("B")), 0) << "names compare with their letter case";
    EXPECT_EQ(Model.LinkTo(Id("C")), 0);
}

TEST_F(StoreOpen, PathWithoutExtensionOpensTheProjectFile)
{
    ASSERT_EQ(Open("Novel").Result, Opened);
    EXPECT_EQ(Project.ProjectFileName, "Novel.nodex");
}

TEST_F(StoreOpen, DamagedCardFilesOpenWithoutHarm)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 37 + 11) % 256));
    Projects.Write("Garbage.ndx", garbage);
    Projects.Write("Long.ndx",
        "[Description]\nText=" + QByteArray(5000, 'w')
            + "\n[Position]\nLeft=" + QByteArray(3000, '9') + "\n");
    // A stored loop and two cards naming the same target.
    WriteCard("Loop A", 0, 0, 100, 300, "Loop B");
    WriteCard("Loop B", 0, 0, 300, 300, "Loop A");
    WriteCard("First", 0, 0, 100, 500, "Shared");
    WriteCard("Second", 0, 0, 300, 500, "Shared");
    WriteCard("Shared", 0, 0, 500, 500);

    ASSERT_EQ(Open("Novel.nodex").Result, Opened);
    EXPECT_EQ(Model.Cards().size(), 7);
    EXPECT_EQ(Model.Card(Id("Long")).Position.x(), 100);
    EXPECT_EQ(Model.LinkTo(Id("Loop A")), Id("Loop B"));
    EXPECT_EQ(Model.LinkTo(Id("Loop B")), Id("Loop A"));
    EXPECT_EQ(Model.LinkedFrom(Id("Shared")), Id("Second")) << "the last one resolved wins";
}

TEST_F(StoreOpen, EncodingsAreReadLineByLineOrByTheirByteOrderMark)
{
    // One Windows-1252 line among UTF-8 lines leaves the UTF-8 lines as they are.
    Projects.Write("Mixed.ndx", "[Description]\nText=Caf\xC3\xA9\n[LinkTo]\nName=No\xEBl\n");
    WriteCard("No\xC3\xABl", 0, 0, 300, 100);
    QByteArray utf16("\xFF\xFE", 2);
    for (const QChar c :
        QString("[StateData]\r\nType=2\r\nState=1\r\n[Description]\r\nText=\u00C9t\u00E9\r\n"))
        utf16 += QByteArray(1, char(c.unicode() & 0xFF)) + QByteArray(1, char(c.unicode() >> 8));
    Projects.Write("Wide.ndx", utf16);
    ASSERT_EQ(Open("Novel.nodex").Result, Opened);

    EXPECT_EQ(Model.Card(Id("Mixed")).Description, "Café");
    EXPECT_EQ(Model.LinkTo(Id("Mixed")), Id("Noël"));
    const CardData& wide = Model.Card(Id("Wide"));
    EXPECT_EQ(wide.Type, 3) << "the first section of a UTF-16 file is read";
    EXPECT_EQ(wide.State, 1);
    EXPECT_EQ(wide.Description, "Été");

    Model.MoveCards({ { Id("Mixed"), { 200, 200 } } });
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_TRUE(
        Projects.Read("Mixed.ndx").contains("Text=Caf\xC3\xA9\n[LinkTo]\nName=No\xC3\xABl\n"));
}

TEST_F(StoreOpen, CardFilesWithUnusualNamesLoadKeepTheirLinksAndStayWhereTheyAre)
{
    // "Upper.NDX" comes from a file system that ignores case, "Caf\xE9.ndx" from an archive
    // made on a system whose names are Windows-1252.
    const QString cafe = PathFromNative("Caf\xE9.ndx");
    Projects.Write(cafe, "[Position]\nLeft=500\nTop=100\n");
    Projects.Write("Upper.NDX", "[Position]\nLeft=300\nTop=100\n[LinkTo]\nName=Caf\xC3\xA9\n");
    WriteCard("Start", 0, 0, 100, 100, "Upper");
    ASSERT_EQ(Open("Novel.nodex").Result, Opened);
    EXPECT_EQ(CardNames(), (QStringList { "Café", "Start", "Upper" }));
    EXPECT_EQ(Model.LinkTo(Id("Start")), Id("Upper"));
    EXPECT_EQ(Model.LinkTo(Id("Upper")), Id("Café"));

    QHash<CardId, QPoint> lower;
    for (const CardId card : Model.Cards())
        lower.insert(card, { Model.Card(card).Position.x(), 300 });
    Model.MoveCards(lower);
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_TRUE(Projects.Read(cafe).contains("Left=500\nTop=300\n"));
    EXPECT_TRUE(Projects.Read("Upper.NDX").contains("Left=300\nTop=300\n"));
    EXPECT_EQ(QDir(Projects.Path()).entryList({ "*.ndx" }, QDir::Files | QDir::CaseSensitive),
        QStringList { "Start.ndx" })
        << "no file is made under another spelling";
}

TEST_F(StoreSave, RoundTripWritesCardsAndKeepsForeignKeys)
{
    Move("Harbour", { 240, 170 });
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_TRUE(Project.ProjectOnDisk);
    EXPECT_TRUE(Projects.Exists("Text Files"));

    const QByteArray harbour = Projects.Read("Harbour.ndx");
    EXPECT_TRUE(harbour.contains("Left=240\nTop=170\n")) << harbour.toStdString();
    EXPECT_TRUE(harbour.contains(EditorPlacement)) << harbour.toStdString();
    EXPECT_TRUE(harbour.contains("[LinkTo]\nName=\n")) << "an unresolved link is dropped";
    EXPECT_TRUE(Projects.Read("Storm.ndx").contains("State=2"));
    EXPECT_TRUE(Projects.Read("Novel.nodex").contains("[Extra]\nOwner=someone else\n"));
}

TEST_F(StoreSave, OneCardThatCannotBeWrittenDoesNotStopTheOthers)
{
    MakeReadOnly(Projects.Path("Harbour.ndx"));
    Move("Storm", { 600, 300 });
    EXPECT_EQ(Headlines(Save()), QStringList { "Error writing nodex file." });
    EXPECT_TRUE(Projects.Read("Storm.ndx").contains("Left=600"));
    EXPECT_TRUE(Project.ProjectOnDisk);
}

TEST_F(StoreSave, MissingFolderThatCannotBeMadeWritesNothing)
{
    Project.ProjectFolder = Projects.Path("no/such/");
    EXPECT_EQ(Headlines(Save()), QStringList { "Error writing project file." });
    EXPECT_FALSE(QDir(Projects.Path("no")).exists());
    EXPECT_TRUE(Project.ProjectOnDisk) << "flags are unchanged";
}

TEST_F(StoreSave, OnlyFilesWhoseContentChangedAreReplaced)
{
    ASSERT_TRUE(Save().isEmpty());
    const auto identity = [&](const QString& name) {
        struct stat status { };
        stat(QFile::encodeName(Projects.Path(name)).constData(), &status);
        return std::pair { status.st_ino, status.st_mtim.tv_nsec };
    };
    const auto projectBefore = identity("Novel.nodex");
    const auto harbourBefore = identity("Harbour.ndx");
    const auto stormBefore = identity("Storm.ndx");

    Move("Storm", { 420, 170 });
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_NE(identity("Storm.ndx"), stormBefore);
    EXPECT_TRUE(Projects.Read("Storm.ndx").contains("Left=420\nTop=170\n"));
    EXPECT_EQ(identity("Harbour.ndx"), harbourBefore) << "an unchanged card file is not touched";
    EXPECT_EQ(identity("Novel.nodex"), projectBefore) << "nor is an unchanged project file";

    // A card file removed behind the program's back is written again.
    QFile::remove(Projects.Path("Harbour.ndx"));
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_TRUE(Projects.Read("Harbour.ndx").contains("Left=200\nTop=150\n"));
}

TEST_F(StoreSave, ACardFileLinkedFromOutsideTheProjectIsNeverWrittenThrough)
{
    TempFolder elsewhere;
    const QByteArray diary = "[StateData]\nType=6\n[Position]\nLeft=300\nTop=300\n";
    ASSERT_TRUE(QFile::link(elsewhere.Write("Diary.ndx", diary), Projects.Path("Diary.ndx")));
    ASSERT_EQ(Open("Novel.nodex").Result, Opened);
    ASSERT_EQ(Model.Card(Id("Diary")).Type, 7) << "it is read like any card";

    Move("Diary", { 500, 500 });
    const QList<StoreMessage> failures = Save();
    ASSERT_EQ(Headlines(failures), QStringList { "Error writing nodex file." });
    EXPECT_TRUE(failures[0].Reason.contains("symbolic link")) << failures[0].Reason.toStdString();
    EXPECT_EQ(elsewhere.Read("Diary.ndx"), diary);
}

TEST_F(StoreSave, EveryCardKeepsToItsOwnFile)
{
    // "A.ndx.bak" is a card of its own, not a second card "A".
    WriteCard("A", 0, 0, 100, 400);
    WriteCard("A.ndx.bak", 0, 0, 300, 400);
    ASSERT_EQ(Open("Novel.nodex").Result, Opened);
    Move("A", { 110, 410 });
    Move("A.ndx.bak", { 310, 410 });
    EXPECT_TRUE(Save().isEmpty());
    EXPECT_TRUE(Projects.Read("A.ndx").contains("Left=110\nTop=410"));
    EXPECT_TRUE(Projects.Read("A.ndx.bak.ndx").contains("Left=310\nTop=410"));
}

TEST_F(StoreSave, LeftoversOfKilledWritesGoAndEverythingElseStays)
{
    const QStringList leftovers { ".Storm.ndx.nodex-tmp", ".Novel.nodex.nodex-tmp",
        "Text Files/.Storm.txt.nodex-tmp" };
    // Names a writer or another program may have made, however much they look like ours.
    const QStringList kept { "Storm.ndx.xKqTzP", "Storm.ndx.backup", "Storm.ndx.nodex-tmp",
        ".Storm.ndx.nodex-tmp.bak", "Text Files/Storm.txt.AbCDeF", ".Held.ndx.nodex-tmp" };
    for (const QString& name : leftovers + kept)
        Projects.Write(name, "[StateData]\nType=1\n");
    // A write in progress in another copy of the program holds its temporary file.
    QFile held(Projects.Path(".Held.ndx.nodex-tmp"));
    ASSERT_TRUE(held.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(held.handle(), LOCK_EX), 0);

    ASSERT_EQ(Open("Novel.nodex").Result, Opened);
    EXPECT_EQ(CardNames(), (QStringList { "Harbour", "Storm" }));
    for (const QString& name : leftovers)
        EXPECT_FALSE(Projects.Exists(name)) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(Projects.Exists(name)) << name.toStdString();
}

TEST_F(StoreSave, AFullDiskKeepsTheOldFiles)
{
    const QString disk = Projects.MakeFolder("disk");
    SmallDisk small(disk, 64 * 1024);
    if (!small.Mounted())
        GTEST_SKIP() << "a small file system can only be mounted by the superuser";
    Projects.Write("disk/Tale.nodex", ProjectText);
    Projects.Write("disk/Storm.ndx", "[Description]\nText=" + QByteArray(200, 's') + "\n");
    ASSERT_EQ(Open("disk/Tale.nodex").Result, Opened);
    ASSERT_TRUE(Save().isEmpty());
    const QByteArray project = Projects.Read("disk/Tale.nodex");
    const QByteArray storm = Projects.Read("disk/Storm.ndx");

    small.Fill();
    Move("Storm", { 600, 300 });
    Project.TargetWordCount = 777;
    const QList<StoreMessage> failures = Save();
    ASSERT_EQ(Headlines(failures), QStringList { "Error writing project file." });
    EXPECT_TRUE(failures[0].Reason.contains("No space left on device"));
    EXPECT_EQ(Projects.Read("disk/Tale.nodex"), project);
    EXPECT_EQ(Projects.Read("disk/Storm.ndx"), storm);
}

TEST_F(StoreSave, ACardFileReplacedByAFifoFailsItsWriteWithoutWaiting)
{
    ASSERT_TRUE(QFile::remove(Projects.Path("Storm.ndx")));
    ASSERT_EQ(mkfifo(QFile::encodeName(Projects.Path("Storm.ndx")).constData(), 0644), 0);
    Move("Storm", { 600, 300 });
    const QList<StoreMessage> failures = Save();
    ASSERT_EQ(Headlines(failures), QStringList { "Error writing nodex file." });
    EXPECT_TRUE(failures[0].Reason.contains("not a regular file"));
}
