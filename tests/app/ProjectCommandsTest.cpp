#include "AppFixture.h"

#include "app/Main.h"
#include "project/ProjectLock.h"
#include "canvas/CanvasScene.h"
#include "canvas/Nodex.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QSysInfo>
#include <QTest>
#include <QUrl>

class ProjectCommandsTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Novel.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("Harbour", 0, 0, 200, 150);
        ASSERT_TRUE(Program->Start({}));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    }

};

TEST_F(ProjectCommandsTest, NewAsksTheSaveQuestionFirst)
{
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    MakeAChange();
    Dialogs.ExpectYesNoCancel(Answer::Cancel);
    Main().Menus().mnuNewProject->trigger();
    EXPECT_EQ(Main().Canvas().CardCount(), 1) << "Cancel changes nothing";

    Dialogs.ExpectYesNoCancel(Answer::No);
    Main().Menus().mnuNewProject->trigger();
    EXPECT_EQ(Dialogs.Texts(), QStringList(2, "Save changes to current project workspace?"));
    EXPECT_EQ(Main().Canvas().CardCount(), 0);
    EXPECT_EQ(Main().windowTitle(), "Nodex Book: 'unnamed'");
}

TEST_F(ProjectCommandsTest, ASaveThatFailsInTheQuestionKeepsTheProject)
{
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    MoveCard("Harbour", 300, 300);
    QFile::setPermissions(Projects.Path("Harbour.ndx"), QFile::ReadOwner);
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Main().Menus().mnuNewProject->trigger();
    EXPECT_EQ(Dialogs.LastText(), "Error writing nodex file.");
    EXPECT_EQ(Main().Canvas().CardCount(), 1) << "the moved card is still there to be saved";
    EXPECT_TRUE(Main().ProjectModified());
}

TEST_F(ProjectCommandsTest, SaveAsGivesAnUnnamedWorkspaceItsFolderAndName)
{
    // Marked modified (by the options, say), then New with Yes: Save As runs first, in the
    // writer's own folder rather than the program's.
    MakeAChange();
    Main().UpdateCaption();
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Dialogs.ExpectSaveFileName(Projects.Path("New/unnamed.nodex"));
    Main().Menus().mnuNewProject->trigger();
    EXPECT_EQ(Dialogs.LastText(), "Please enter a unique name for the project.");
    EXPECT_TRUE(Main().Project().IsUnnamed());
    const QString started = Dialogs.History()[1].reason;
    EXPECT_TRUE(started.startsWith(QDir::homePath()) && !started.startsWith(App.Path())) << started.toStdString();

    QDir().mkpath(Projects.Path("New"));
    Dialogs.ExpectSaveFileName(Projects.Path("New/UNNAMED.NODEX"));
    Main().Menus().mnuSaveProjectAs->trigger();
    EXPECT_TRUE(Projects.Exists("New/UNNAMED.NODEX")) << "a name of its own, in capitals";
    EXPECT_TRUE(Dialogs.History().last().text.contains("A project is a folder")) << "the dialog says so";

    // One folder, one project: beside another project, a project gets a folder of its own,
    // also when it takes that project's very name, and the other keeps every byte.
    Main().CloseProject();
    const QByteArray novel = Projects.Read("Novel.nodex");
    Dialogs.ExpectSaveFileName(Projects.Path("Novel"));
    Main().Menus().mnuSaveProjectAs->trigger();
    EXPECT_TRUE(Projects.Exists("Novel/Novel.nodex") && Projects.Exists("Novel/Text Files"));
    EXPECT_EQ(Projects.Read("Novel.nodex"), novel);
    EXPECT_EQ(Main().statusBar()->currentMessage(), "Saved in the new folder 'Novel'");
    Main().CloseProject();
    Dialogs.ExpectSaveFileName(Projects.Path("Novel.nodex"));
    Main().Menus().mnuSaveProjectAs->trigger();
    EXPECT_TRUE(Dialogs.LastText().startsWith("The folder '" + QDir::toNativeSeparators(Projects.Path("Novel"))));
    EXPECT_TRUE(Main().Project().IsUnnamed());

    Dialogs.ExpectSaveFileName(Projects.Path("New/Saga v1.2"));
    Main().Menus().mnuSaveProjectAs->trigger();
    EXPECT_EQ(Main().Project().ProjectFileName, "Saga v1.2.nodex") << "a project that opens again";
    EXPECT_TRUE(Projects.Exists("New/Saga v1.2/Saga v1.2.nodex") && Projects.Exists("New/Saga v1.2/Text Files"));
    EXPECT_TRUE(Main().Project().ProjectOnDisk);
}

TEST_F(ProjectCommandsTest, DroppedFilesAreOpenedOrRefusedByTheirExtension)
{
    const QString text = Projects.Write("Notes.TXT", "notes");
    Drop({text, Projects.Path("Novel.nodex")});
    Drop({Projects.Path("Harbour.ndx")});
    Drop({Projects.Write("Letter.docx", "")});
    Drop({text});
    EXPECT_EQ(Dialogs.Texts(), (QStringList{"Nodex opens only one dropped file at a time.",
                                            "Nodexs only open with a project.", "Nodex imports only txt/rtf files.",
                                            "Please save your project before auto-creating nodexs."}));
    EXPECT_FALSE(Main().SplashVisible());
    EXPECT_GE(Shell.BroughtToFront, 4);

    // A project file opens, after the save question.
    MakeAChange();
    Dialogs.ExpectYesNoCancel(Answer::No);
    Drop({Projects.Path("Novel.nodex")});
    EXPECT_EQ(Main().windowTitle(), "Nodex Book: 'Novel'");
}

TEST_F(ProjectCommandsTest, AProjectOpenElsewhereOpensOnlyWhenTheWriterSaysSo)
{
    const QString project = Projects.Path("Novel.nodex");
    const QString lock = ProjectLock::LockPathFor(project);
    const QString host = QSysInfo::machineHostName();
    const auto writeLock = [&](const QString& owner, qint64 process) {
        Projects.Write(QFileInfo(lock).fileName(), QString("[Lock]\nHost=%1\nProcess=%2\n").arg(owner, QString::number(process)).toUtf8());
    };

    // Another copy on this computer, still running (process 1 always is).
    writeLock(host, 1);
    Dialogs.ExpectYesNoCancel(Answer::No);
    EXPECT_FALSE(Main().OpenProject(project));
    EXPECT_TRUE(Dialogs.LastText().contains(".~lock.Novel.nodex"));
    EXPECT_TRUE(Main().Project().IsUnnamed());

    // A copy on another computer that shares the folder: its process cannot be seen, so the
    // lock is never taken for stale.
    writeLock("laptop %1 %2", 999999999);
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    ASSERT_TRUE(Main().OpenProject(project));
    EXPECT_TRUE(Dialogs.LastText().contains("'laptop %1 %2' (process 999999999)")) << Dialogs.LastText().toStdString();
    EXPECT_TRUE(Projects.Read(QFileInfo(lock).fileName()).contains("Host=" + host.toUtf8())) << "the lock is ours now";
    EXPECT_EQ(Main().Canvas().CardCount(), 1) << "and not a card";

    // Closing removes our own lock, and leaves one that another copy took since.
    Main().CloseProject();
    EXPECT_FALSE(QFileInfo::exists(lock));
    ASSERT_TRUE(Main().OpenProject(project));
    writeLock(host, 1);
    Main().CloseProject();
    EXPECT_TRUE(QFileInfo::exists(lock));

    // A stale lock of this computer is replaced without a question.
    writeLock(host, 999999999);
    Dialogs.ClearHistory();
    ASSERT_TRUE(Main().OpenProject(project));
    EXPECT_TRUE(Dialogs.History().isEmpty());
}

TEST_F(ProjectCommandsTest, RecentProjectsReopenFromTheFileMenu)
{
    WriteProject("Other.nodex", "[Theme]\nName=Book.ini\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Other.nodex")));
    const auto captions = [&] {
        QStringList texts;
        for (const QAction* item : Main().Menus().mmnuFile->actions())
            texts << item->text();
        return texts.mid(3, 3);
    };
    EXPECT_EQ(captions(), (QStringList{"", "&1 Other.nodex", "&2 Novel.nodex"}));

    // A project that is gone is reported and leaves the list.
    QFile::remove(Projects.Path("Novel.nodex"));
    Main().Menus().mmnuFile->actions()[5]->trigger();
    EXPECT_EQ(Dialogs.LastText(), "'Novel.nodex' file does not exist.");
    EXPECT_EQ(Main().RecentFiles().Files(), QStringList{Projects.Path("Other.nodex")});

    // A project saved under a new name joins the list when the writer leaves through Exit.
    Main().CloseProject();
    QDir().mkpath(Projects.Path("New"));
    Dialogs.ExpectSaveFileName(Projects.Path("New/Fresh"));
    Main().Menus().mnuSaveProjectAs->trigger();
    Main().Menus().mnuExit->trigger();
    EXPECT_EQ(Main().RecentFiles().Files().first(), Projects.Path("New/Fresh.nodex"));
}
