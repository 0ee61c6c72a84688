#include "AppFixture.h"
#include "app/Main.h"

#include <QAction>
#include <QDir>
#include <QMenu>

using BackupCommandTest = AppFixture;

TEST_F(BackupCommandTest, BacksUpWhatIsOnDiskAndSaysHowItWent)
{
    StartWithChainProject();
    App.MakeFolder("Backups");
    Main().Backups().Now = [] { return QDateTime(QDate(2026, 12, 5), QTime(13, 40, 57)); };
    const auto backUp = [this] {
        emit Main().Menus().mmnuFile->aboutToShow();
        Main().Menus().mnuBackupProject->trigger();
    };
    // A move not yet saved stays out of the backup, and the backup does not save it.
    MoveCard("A", 500, 500);
    backUp();
    EXPECT_EQ(Dialogs.LastText(), "Project backup created successfully.");
    EXPECT_TRUE(App.Read("Backups/Book (05-12-26 @ 01.40.57 PM)/A.ndx").contains("Left=100\n"));
    EXPECT_TRUE(Projects.Read("A.ndx").contains("Left=100\n"));
    EXPECT_TRUE(Main().ProjectModified());

    QDir(App.Path("Backups")).removeRecursively();
    backUp();
    EXPECT_EQ(Dialogs.Last().text, "There was an error creating the backup.");
    EXPECT_EQ(Dialogs.Last().reason, "The folder '" + App.Path("Backups/") + "' does not exist.");
}
