#include "backup/AutomaticBackup.h"

#include "AppFixture.h"
#include "app/Main.h"

#include <QStatusBar>

/// The chain project Book open, another project Book beside it, and a clock the test moves on
/// by hand.
class AutomaticBackupTest : public AppFixture {
protected:
    void SetUp() override
    {
        Projects.Write("Other/Book.nodex", "[Theme]\nName=Book.ini\n");
        StartWithChainProject();
        Main().AutomaticBackups().Now = [this] { return Clock; };
    }

    /// The backups of a project, oldest first.
    QStringList Zips(const QString& folder = {}) const
    {
        return AutomaticBackups(
            AutomaticBackupFolder(App.Path("Backups/"), Projects.Path(folder), "Book.nodex"),
            "Book.nodex");
    }
    /// A writer's change on disk, a minute later.
    void Change(const QByteArray& text)
    {
        Projects.Write("Text Files/C.txt", text);
        Clock = Clock.addSecs(60);
    }

    QDateTime Clock = QDateTime(QDate(2026, 12, 5), QTime(13, 40, 57));
};

TEST_F(AutomaticBackupTest, LeavingAProjectBacksItUpWhateverTheWayOut)
{
    // New: the project is left for the unnamed workspace, which is never backed up.
    Main().Commands().New();
    EXPECT_EQ(Zips().size(), 1);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    EXPECT_EQ(Zips().size(), 1);

    // Open of another project.
    Change("Relit.\r\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Other/Book.nodex")));
    EXPECT_EQ(Zips().size(), 2);

    // Closing the window; the other project of the same name keeps its backups apart.
    Clock = Clock.addSecs(60);
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(Zips().size(), 2);
    EXPECT_EQ(Zips("Other/").size(), 1);
}

TEST_F(AutomaticBackupTest, AFailureIsShownWithoutAskingAndClosingGoesOn)
{
    // Where the backups would go stands a file.
    App.Write("Backups", "in the way");
    Main().AutomaticBackups().Tick();
    Clock = Clock.addSecs(60 * 60);
    Main().AutomaticBackups().Tick();
    const QString shown = Main().statusBar()->currentMessage();
    EXPECT_TRUE(shown.startsWith("The automatic backup could not be made: "))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains("File exists")) << shown.toStdString();
    EXPECT_TRUE(Dialogs.History().isEmpty());

    Change("Relit.\r\n");
    EXPECT_TRUE(Main().close());
    EXPECT_EQ(Projects.Read("Text Files/C.txt"), "Relit.\r\n");
}
