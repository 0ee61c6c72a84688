#include "AppFixture.h"

#include "app/Main.h"
#include "app/Splash.h"
#include "app/WorkspaceSize.h"
#include "canvas/CanvasScene.h"
#include "canvas/Nodex.h"
#include "settings/About.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

class MainWindow : public AppFixture {
protected:
    void SetUp() override { StartProgram(); }
    MainMenus& Menus() { return Main().Menus(); }
};

TEST_F(MainWindow, FreshStartShowsTheUnnamedWorkspace)
{
    ASSERT_TRUE(Program->Start({}));
    EXPECT_TRUE(Main().isVisible());
    for (QAction* item : {Menus().mnuNewProject, Menus().mnuSaveProject, Menus().mnuBackupProject,
                          Menus().mnuExploreProject, Menus().mnuCompile, Menus().mnuFindAndCompile,
                          Menus().mnuWordCount, Menus().mnuCopyToProject})
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    EXPECT_TRUE(Menus().mnuSaveProjectAs->isEnabled());
    EXPECT_TRUE(Main().SplashVisible());
    EXPECT_EQ(Main().SplashPicture().size(), QSize(260, 140)) << "the splash's own picture";
    EXPECT_EQ(Main().CurrentTheme().TypeNames.first(), "&Chapter") << "the built-in theme";
}

TEST_F(MainWindow, ThemeFileInTheProgramFolderIsLoadedAtStart)
{
    Program.reset();
    App.Write("Themes/Book.ini", "[Theme]\nLine_Colour=0000FF\n");
    StartProgram();
    EXPECT_TRUE(Main().CurrentTheme().ThemeLoaded);
    EXPECT_EQ(Main().CurrentTheme().TypeNames.first(), "Chapter");
}

TEST_F(MainWindow, CaptionNamesThemeAndShortensLongProjectNamesAndMarksChanges)
{
    const QString sixty(60, 'n');
    WriteProject(sixty + ".nodex", "[Theme]\nName=Dark.ini\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path(sixty + ".nodex")));
    EXPECT_EQ(Main().windowTitle(), "Nodex Dark: '" + QString(50, 'n') + "...'");

    MakeAChange();
    Main().UpdateCaption();
    EXPECT_TRUE(Main().windowTitle().endsWith("...' *"));
    EXPECT_TRUE(Menus().mnuSaveProject->isEnabled());
    EXPECT_FALSE(Menus().mnuSaveProjectAs->isEnabled());
    EXPECT_TRUE(Menus().mnuNewProject->isEnabled());
    EXPECT_TRUE(Menus().mnuBackupProject->isEnabled());
    EXPECT_FALSE(Menus().mnuCompile->isEnabled()) << "no card on the canvas";
}

TEST_F(MainWindow, CommandLineTakesAtMostOneExistingProject)
{
    EXPECT_FALSE(Program->Start({"a.nodex", "b.nodex"}));
    ASSERT_EQ(Dialogs.Texts(), QStringList{"Nodex opens only one dropped file at a time."});
    EXPECT_EQ(Dialogs.History()[0].kind, ScriptedDialogs::Kind::Information);
    EXPECT_FALSE(Program->Start({Projects.Path("gone.nodex")}));

    WriteProject("Story.nodex", "[Theme]\nName=Book.ini\n");
    EXPECT_TRUE(Program->Start({Projects.Path("Story.nodex")}));
    EXPECT_EQ(Main().windowTitle(), "Nodex Book: 'Story'");
}

TEST_F(MainWindow, ClosingAModifiedWorkspaceAsksFirst)
{
    ASSERT_TRUE(Program->Start({}));
    MakeAChange();

    Dialogs.ExpectYesNoCancel(Answer::Cancel);
    EXPECT_FALSE(Main().close());
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Dialogs.ExpectSaveFileName({});
    EXPECT_FALSE(Main().close()) << "an unnamed workspace stays open to be saved as";
    EXPECT_EQ(Dialogs.Texts().count("Save changes to current project workspace?"), 2);

    Dialogs.ExpectYesNoCancel(Answer::No);
    EXPECT_TRUE(Main().close());
}

TEST_F(MainWindow, ClosingANamedProjectWithYesSavesIt)
{
    WriteProject("Story.nodex", "[Theme]\nName=Book.ini\n");
    WriteCard("Lamp", 0, 0, 100, 100);
    ASSERT_TRUE(Program->Start({Projects.Path("Story.nodex")}));
    MoveCard("Lamp", 333, 222);

    Dialogs.ExpectYesNoCancel(Answer::Yes);
    EXPECT_TRUE(Main().close());
    EXPECT_TRUE(Projects.Read("Lamp.ndx").contains("Left=333\nTop=222\n"));
    EXPECT_EQ(Main().Canvas().CardCount(), 0) << "closing destroys the cards";
}

TEST_F(MainWindow, ExploreCommandsOpenTheirFolders)
{
    WriteProject("Story.nodex", "[Theme]\nName=Book.ini\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Story.nodex")));
    for (QAction* item : {Menus().mnuExploreProject, Menus().mnuExploreTemplates,
             Menus().mnuExploreBackups, Menus().mnuExploreThemes,
             Menus().mnuExploreDictionaries, Menus().mnuExploreThesaurus})
        item->trigger();
    EXPECT_EQ(Shell.ExploredFolders,
              QStringList({Projects.Path("Text Files/"), App.Path("Templates/"), App.Path("Backups/"),
                           App.Path("Themes/"), App.Path("Spelling/"), App.Path("Thesaurus/")}));
}

TEST_F(MainWindow, OpeningAMenuHidesTheSplashForGood)
{
    ASSERT_TRUE(Program->Start({}));
    emit Menus().mmnuHelp->aboutToShow();
    EXPECT_FALSE(Main().SplashVisible());
    Main().hide();
    Main().show();
    EXPECT_FALSE(Main().SplashVisible());
}

TEST(Splash, RandomDrawPicksThePictureAndItStandsNearTheMiddle)
{
    for (auto [draw, choice] : {std::pair{10, SplashChoice::Own}, {11, SplashChoice::Logo1},
                                {20, SplashChoice::Logo1}, {21, SplashChoice::Logo2}})
        EXPECT_EQ(ChooseSplash(draw), choice) << draw;
    EXPECT_EQ(SplashPosition({961, 701}, {260, 140}), QPoint(480 - 130 - 20, 350 - 70 - 30));
}

TEST(Workspace, CanvasSizeFollowsTheScreen)
{
    EXPECT_EQ(WorkspaceCanvasSize(2, {1024, 768}, {10, 60}), QSize(4096, 3072));
    EXPECT_EQ(WorkspaceCanvasSize(1, {1024, 768}, {10, 60}), QSize(2048, 1536));
    EXPECT_EQ(WorkspaceCanvasSize(0, {1024, 768}, {10, 60}), QSize(1018, 712));
    EXPECT_EQ(WorkspaceCanvasSize(7, {1024, 768}, {0, 0}), QSize(1028, 772));
}

TEST_F(MainWindow, F1AsksTheDesktopForTheHelpIndexAndAboutShowsTheBoxModally)
{
    ASSERT_TRUE(Program->Start({}));
    QApplication::setActiveWindow(&Main());
    QTest::keyClick(&Main(), Qt::Key_F1);
    EXPECT_EQ(Shell.HelpRequests, QStringList{QString()}) << "context 0, the index";

    Dialogs.ExpectModal([](QDialog& dialog) {
        auto* about = qobject_cast<TfmAbout*>(&dialog);
        ASSERT_TRUE(about);
        EXPECT_TRUE(about->tmrAbout->isActive());
        EXPECT_EQ(about->lblDate->text(), "6.09.26 ");
        QTest::keyClick(about, Qt::Key_Escape);
        EXPECT_FALSE(about->isVisible());
    });
    Menus().mnuAbout->trigger();
    EXPECT_EQ(Dialogs.LastText(), "About Nodex");
}
