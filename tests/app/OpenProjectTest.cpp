#include "AppFixture.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/NodexLabel.h"
#include "canvas/Nodex.h"
#include "messages/MessageTable.h"

#include <QDir>
#include <QScreen>

namespace {
const QByteArray PlainProject = "[Workspace]\nBoldBaseType=1\n[Theme]\nName=Book.ini\n";
}

class OpenProject : public AppFixture {
protected:
    void SetUp() override { StartProgram(); }
};

TEST_F(OpenProject, AnOpenedProjectShowsItsCardsInTheWindow)
{
    const QString path = WriteProject("Novel.nodex", PlainProject);
    WriteCard("Chapter 1", 0, 1, 300, 200, "", "Where <img src=\"/dev/zero\"> begins");
    ASSERT_TRUE(Main().OpenProject(path));
    EXPECT_TRUE(Dialogs.History().isEmpty());

    TNodex* chapter = Card("Chapter 1");
    ASSERT_TRUE(chapter);
    EXPECT_EQ(QPoint(chapter->Left(), chapter->Top()), QPoint(300, 200));
    EXPECT_TRUE(chapter->isVisible());
    EXPECT_TRUE(chapter->NameLabel()->isVisible());
    EXPECT_FALSE(chapter->HintToolTip().contains("<img")) << "a description never shows as markup";
    EXPECT_EQ(Main().windowTitle(), "Nodex Book: 'Novel'");
    EXPECT_FALSE(Main().ProjectModified());
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

TEST_F(OpenProject, DamagedCardFilesStayWithinTheCanvas)
{
    const QString path = WriteProject("Novel.nodex", PlainProject);
    WriteCard("Long", "[Description]\nText=" + QByteArray(5000, 'w') + "\n");
    WriteCard("Huge position", 0, 0, 2147483647, -2147483647);
    ASSERT_TRUE(Main().OpenProject(path));
    EXPECT_EQ(Card("Long")->Description().size(), 255);
    TNodex* huge = Card("Huge position");
    EXPECT_LE(huge->Left() + huge->Width(), Main().Canvas().CanvasWidth());
    EXPECT_GE(huge->Top(), 2);
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


TEST_F(OpenProject, TwoProjectsInOneFolderAreToldOnceThatTheyShareTheirCards)
{
    const QString novel = WriteProject("Novel.nodex", PlainProject);
    WriteProject("Saga.nodex", PlainProject);
    ASSERT_TRUE(Main().OpenProject(novel));
    EXPECT_EQ(Dialogs.Texts(), QStringList{"This folder also holds the project 'Saga.nodex'. Projects in one folder "
                                           "share their cards: a card deleted in one is gone from the other. Save "
                                           "one of them in a folder of its own."});
    ASSERT_TRUE(Main().OpenProject(novel));
    EXPECT_EQ(Dialogs.History().size(), 1) << "told once";
    WriteProject("Epic.nodex", PlainProject);
    ASSERT_TRUE(Main().OpenProject(novel));
    EXPECT_TRUE(Dialogs.LastText().contains("'Epic.nodex', 'Saga.nodex'")) << "a new one is told again";
}
