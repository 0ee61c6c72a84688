#include "AppFixture.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/NodexLabel.h"
#include "canvas/Nodex.h"
#include "messages/MessageTable.h"

#include <QDir>
#include <QScreen>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QByteArray PlainProject = "[Workspace]\nBoldBaseType=1\n[Theme]\nName=Book.ini\n";
}

class OpenProject : public AppFixture {
protected:
    void SetUp() override { StartProgram(); }
};

TEST_F(OpenProject, CardsComeBackWithTheirStoredValues)
{
    const QString path = WriteProject("Novel.nodex", PlainProject);
    WriteCard("Chapter 1", 0, 1, 300, 200, "", "Where <img src=\"/dev/zero\"> begins");
    WriteCard("Compilation", -1, 0, 500, 200);
    WriteCard("Twelfth", 11, 0, 600, 300);
    WriteCard("Too big", 12, 0, 200, 400);
    WriteCard("Negative", -5, 0, 300, 400);
    WriteCard("No position", "[StateData]\nType=1\n");

    ASSERT_TRUE(Main().OpenProject(path));
    EXPECT_TRUE(Dialogs.History().isEmpty());

    TNodex* chapter = Card("Chapter 1");
    ASSERT_TRUE(chapter);
    EXPECT_EQ(chapter->Left(), 300);
    EXPECT_EQ(chapter->Top(), 200);
    EXPECT_EQ(chapter->Type(), 1);
    EXPECT_EQ(chapter->State(), 1);
    EXPECT_EQ(chapter->NameLabel()->isVisible(), true);
    EXPECT_EQ(chapter->Description(), "Where <img src=\"/dev/zero\"> begins");
    EXPECT_FALSE(chapter->HintToolTip().contains("<img")) << "a description never shows as markup";
    EXPECT_TRUE(chapter->isVisible());

    EXPECT_EQ(Card("Compilation")->Type(), 0);
    EXPECT_EQ(Card("Twelfth")->Type(), 12);
    EXPECT_EQ(Card("Too big")->Type(), 1);
    EXPECT_EQ(Card("Negative")->Type(), 1);
    EXPECT_EQ(Card("No position")->Left(), 100);
    EXPECT_EQ(Card("No position")->Top(), 100);

    EXPECT_EQ(Main().windowTitle(), "Nodex Book: 'Novel'");
    EXPECT_TRUE(Main().Project().ProjectOnDisk);
    EXPECT_FALSE(Main().Project().PristineWorkspace);
    EXPECT_FALSE(Main().ProjectModified());
    EXPECT_EQ(Main().Project().ProjectFolder, Projects.Path());
    EXPECT_FALSE(Main().SplashVisible());
}

TEST_F(OpenProject, StatesWithoutANameFallBackToTheFirstState)
{
    const QString path = WriteProject("Novel.nodex", PlainProject);
    WriteCard("Revised", 1, 1, 100, 100);
    WriteCard("Unnamed state", 1, 4, 200, 100);
    WriteCard("Out of range", 1, 9, 300, 100);
    ASSERT_TRUE(Main().OpenProject(path));

    EXPECT_EQ(Card("Revised")->State(), 1);
    EXPECT_EQ(Card("Revised")->NameLabel()->Text(), "Revised (R)");
    EXPECT_EQ(Card("Unnamed state")->State(), 0);
    EXPECT_EQ(Card("Out of range")->State(), 0);
    EXPECT_EQ(Card("Out of range")->NameLabel()->Text(), "Out of range");
}

TEST_F(OpenProject, CardNamesLongerThanFortyCharactersAreIgnored)
{
    const QString path = WriteProject("Novel.nodex", PlainProject);
    const QString forty(40, 'x');
    WriteCard(forty, 0, 0, 100, 100);
    WriteCard(QString(41, 'y'), 0, 0, 200, 100);
    ASSERT_TRUE(Main().OpenProject(path));
    EXPECT_EQ(CardNames(), QStringList{forty});
}

TEST_F(OpenProject, LinksResolveByExactName)
{
    const QString path = WriteProject("Novel.nodex", PlainProject);
    WriteCard("A", 0, 0, 100, 100, "B");
    WriteCard("B", 0, 0, 300, 100, "c");
    WriteCard("C", 0, 0, 500, 100, "Nowhere");
    ASSERT_TRUE(Main().OpenProject(path));

    EXPECT_EQ(Card("A")->LinkTo(), Card("B"));
    EXPECT_EQ(Card("B")->LinkedFrom(), Card("A"));
    EXPECT_EQ(Card("B")->LinkTo(), nullptr) << "names compare with their letter case";
    EXPECT_EQ(Card("C")->LinkTo(), nullptr);
}

TEST_F(OpenProject, PathWithoutExtensionOpensTheProjectFile)
{
    WriteProject("Novel.nodex", PlainProject);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel")));
    EXPECT_EQ(Main().Project().ProjectFileName, "Novel.nodex");
}

TEST_F(OpenProject, RefusalsBeforeLoadingLeaveTheWorkspaceAlone)
{
    const QString text = Projects.Write("Notes.txt", "not a project");
    EXPECT_FALSE(Main().OpenProject(text));
    EXPECT_FALSE(Main().OpenProject(Projects.Path("Missing.nodex")));

    ASSERT_EQ(Dialogs.History().size(), 2);
    EXPECT_EQ(Dialogs.History()[0].kind, ScriptedDialogs::Kind::Information);
    EXPECT_EQ(Dialogs.History()[0].text, "Nodex opens only Nodex project files.");
    EXPECT_EQ(Dialogs.History()[1].text, "'Missing.nodex' file does not exist.");
    EXPECT_EQ(Main().Project().ProjectFileName, "unnamed");
    EXPECT_EQ(Main().windowTitle(), "Nodex Book: 'unnamed'");
}

TEST_F(OpenProject, WindowBoundsComeFromTheProjectFittedToTheScreen)
{
    const QRect screen = Main().screen()->availableGeometry();
    ASSERT_TRUE(Main().OpenProject(WriteProject("Top.nodex", "[AppWindow]\nTop=150\n")));
    EXPECT_EQ(Main().y(), 150);
    EXPECT_EQ(Main().x(), screen.left()) << "a missing Left is -1, just off the screen";

    // Bounds from a damaged or foreign file never make the window leave or outgrow the screen.
    ASSERT_TRUE(Main().OpenProject(WriteProject(
        "Huge.nodex", "[AppWindow]\nTop=2147483000\nLeft=-2147483000\nWidth=100000\nHeight=100000\n")));
    EXPECT_TRUE(screen.contains(Main().frameGeometry()));
}

TEST_F(OpenProject, DamagedCardFilesOpenWithoutHarm)
{
    const QString path = WriteProject("Novel.nodex", PlainProject);
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 37 + 11) % 256));
    WriteCard("Garbage", garbage);
    WriteCard("Long", "[Description]\nText=" + QByteArray(5000, 'w') + "\n[Position]\nLeft="
                          + QByteArray(3000, '9') + "\n");
    WriteCard("Huge position", 0, 0, 2147483647, -2147483647);
    // A stored loop and two cards naming the same target.
    WriteCard("Loop A", 0, 0, 100, 300, "Loop B");
    WriteCard("Loop B", 0, 0, 300, 300, "Loop A");
    WriteCard("First", 0, 0, 100, 500, "Shared");
    WriteCard("Second", 0, 0, 300, 500, "Shared");
    WriteCard("Shared", 0, 0, 500, 500);

    ASSERT_TRUE(Main().OpenProject(path));
    EXPECT_EQ(Main().Canvas().CardCount(), 8);
    EXPECT_EQ(Card("Long")->Description().size(), 255);
    EXPECT_EQ(Card("Long")->Left(), 100);
    TNodex* huge = Card("Huge position");
    EXPECT_LE(huge->Left() + huge->Width(), Main().Canvas().CanvasWidth());
    EXPECT_GE(huge->Top(), 2);
    EXPECT_EQ(Card("Loop A")->LinkTo(), Card("Loop B"));
    EXPECT_EQ(Card("Loop B")->LinkTo(), Card("Loop A"));
    EXPECT_EQ(Card("Shared")->LinkedFrom(), Card("Second")) << "the last one resolved wins";
}

TEST_F(OpenProject, UnreadableProjectLeavesAnEmptyUnnamedWorkspace)
{
    WriteProject("Old.nodex", PlainProject);
    WriteCard("Kept", 0, 0, 100, 100);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Old.nodex")));
    // A folder where the project file should be cannot be read as one.
    ASSERT_TRUE(QDir().mkpath(Projects.Path("Broken.nodex")));

    EXPECT_FALSE(Main().OpenProject(Projects.Path("Broken.nodex")));
    ASSERT_EQ(Dialogs.History().size(), 1);
    EXPECT_EQ(Dialogs.History()[0].kind, ScriptedDialogs::Kind::Warning);
    EXPECT_EQ(Dialogs.History()[0].text, "Error reading from project or nodex files.");
    EXPECT_EQ(Main().Canvas().CardCount(), 0);
    EXPECT_EQ(Main().Project().ProjectFileName, "unnamed");
    EXPECT_FALSE(Main().Project().ProjectOnDisk);
    EXPECT_EQ(Main().windowTitle(), "Nodex Book: 'unnamed'");
}

TEST_F(OpenProject, CardsStoredBeyondTheScreenKeepTheirPlaces)
{
    // Made on a larger screen: the canvas grows to hold the farthest card, which never moves.
    const QString path = WriteProject("Wide.nodex", PlainProject);
    WriteCard("Far", 0, 0, 3000, 2500);
    const QByteArray stored = Projects.Read("Far.ndx");
    ASSERT_TRUE(Main().OpenProject(path));
    EXPECT_EQ(Card("Far")->Left(), 3000);
    EXPECT_EQ(Card("Far")->Top(), 2500);

    Main().SaveProject();
    EXPECT_EQ(Projects.Read("Far.ndx"), stored);
    // Once the project is closed the canvas is screen-sized again.
    Main().CloseProject();
    EXPECT_LT(Main().Canvas().CanvasWidth(), 3000);
}

TEST_F(OpenProject, EncodingsAreReadLineByLineOrByTheirByteOrderMark)
{
    const QString path = WriteProject("Novel.nodex", PlainProject);
    // One Windows-1252 line among UTF-8 lines leaves the UTF-8 lines as they are.
    WriteCard("Mixed", "[Description]\nText=Caf\xC3\xA9\n[LinkTo]\nName=No\xEBl\n");
    WriteCard("No\xC3\xABl", 0, 0, 300, 100);
    QByteArray utf16("\xFF\xFE", 2);
    for (const QChar c : QString("[StateData]\r\nType=2\r\nState=1\r\n[Description]\r\nText=\u00C9t\u00E9\r\n"))
        utf16 += QByteArray(1, char(c.unicode() & 0xFF)) + QByteArray(1, char(c.unicode() >> 8));
    WriteCard("Wide", utf16);
    ASSERT_TRUE(Main().OpenProject(path));

    EXPECT_EQ(Card("Mixed")->Description(), "Café");
    EXPECT_EQ(Card("Mixed")->LinkTo(), Card("Noël"));
    EXPECT_EQ(Card("Wide")->Type(), 3) << "the first section of a UTF-16 file is read";
    EXPECT_EQ(Card("Wide")->State(), 1);
    EXPECT_EQ(Card("Wide")->Description(), "Été");

    MoveCard("Mixed", 200, 200);
    Main().SaveProject();
    EXPECT_TRUE(Projects.Read("Mixed.ndx").contains("Text=Caf\xC3\xA9\n[LinkTo]\nName=No\xC3\xABl\n"));
}

TEST_F(OpenProject, CardFilesWithUnusualNamesLoadKeepTheirLinksAndStayWhereTheyAre)
{
    // "Upper.NDX" comes from a file system that ignores case, "Caf\xE9.ndx" from an archive
    // made on a system whose names are Windows-1252.
    const QString path = WriteProject("Novel.nodex", PlainProject);
    const QByteArray rawName = QFile::encodeName(Projects.Path()) + "Caf\xE9.ndx";
    const auto writeRaw = [&](const QByteArray& text) {
        const int file = ::open(rawName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_EQ(::write(file, text.constData(), size_t(text.size())), text.size());
        ::close(file);
    };
    writeRaw("[Position]\nLeft=500\nTop=100\n");
    Projects.Write("Upper.NDX", "[Position]\nLeft=300\nTop=100\n[LinkTo]\nName=Caf\xC3\xA9\n");
    WriteCard("Start", 0, 0, 100, 100, "Upper");
    ASSERT_TRUE(Main().OpenProject(path));
    EXPECT_EQ(CardNames(), (QStringList{"Café", "Start", "Upper"}));
    EXPECT_EQ(Card("Start")->LinkTo(), Card("Upper"));
    EXPECT_EQ(Card("Upper")->LinkTo(), Card("Café"));

    QHash<CardId, QPoint> lower;
    for (const TNodex* card : Main().Canvas().Cards())
        lower.insert(card->Id(), {card->Left(), 300});
    Main().Model().MoveCards(lower);
    Main().SaveProject();
    QFile raw;
    const int handle = ::open(rawName.constData(), O_RDONLY);
    ASSERT_TRUE(raw.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    EXPECT_TRUE(raw.readAll().contains("Left=500\nTop=300\n"));
    EXPECT_TRUE(Projects.Read("Upper.NDX").contains("Left=300\nTop=300\n"));
    EXPECT_EQ(QDir(Projects.Path()).entryList({"*.ndx"}, QDir::Files | QDir::CaseSensitive),
              QStringList{"Start.ndx"})
        << "no file is made under another spelling";
    // Qt cannot remove what it cannot spell.
    ::unlink(rawName.constData());
}
