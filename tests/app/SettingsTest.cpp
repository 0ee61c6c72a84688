#include "AppFixture.h"

#include "settings/FileTypes.h"
#include "app/Main.h"

#include <QFileInfo>
#include <QImage>

#include <sys/stat.h>

class SettingsTest : public AppFixture {
protected:
    QByteArray Settings() { return App.Read("Nodex.ini"); }
};

TEST_F(SettingsTest, FirstStartTakesTheDefaultsAndClosingWritesEveryKey)
{
    StartProgram();
    EXPECT_EQ(Main().Settings().Language, "English.ini");
    EXPECT_EQ(Main().Settings().EditorFontSize, 11);
    EXPECT_EQ(Main().pos(), QPoint(50, 50));
    Main().close();
    EXPECT_EQ(Settings(), "[Application]\nLanguage=English.ini\nDefaultTheme=Book.ini\nSelectNextLink=1\n"
                          "DescriptiveHints=0\nEditMemory=1\nAutoSave=0\nAutoSaveInterval=15\nAutomaticBackups=10\n\n"
                          "[Editor]\n"
                          "StayOnTop=0\nFontName=" + Main().Settings().EditorFontName.toUtf8() + "\nFontSize=11\n\n"
                          "[AppWindow]\nMaximised=0\nTop=50\nLeft=50\nWidth=700\nHeight=500\n");
}

TEST_F(SettingsTest, StoredValuesAreReadMappedAndWrittenBackKeyByKey)
{
    App.Write("Nodex.ini", "; written by hand\n[Application]\nEditMemory=7\nLanguage = English.ini\n"
                           "DefaultTheme=../../../../etc/hostname\n"
                           "SelectNextLink=0\nAutoSaveInterval=0\n[AppWindow]\nTop=120\nLeft=140\nWidth=640\n"
                           "Height=480\n[MRUList]\nFile1=/somewhere/Novel.nodex\n[EditWindow]\nTop=9\n");
    StartProgram();
    EXPECT_EQ(Main().Settings().EditorPlacement, EditMemory::None) << "anything but 0 or 1 is 2";
    EXPECT_FALSE(Main().Settings().SelectNextLink);
    EXPECT_EQ(Main().Settings().AutoSaveInterval, 1) << "no save without pause";
    EXPECT_EQ(Main().CurrentTheme().DefaultTheme, "Book.ini") << "a theme outside the Themes folder is none";
    EXPECT_EQ(Main().pos(), QPoint(140, 120));

    // With a project open the window's bounds are the project's, not the settings'.
    WriteProject("Novel.nodex", "[AppWindow]\nTop=30\nLeft=30\nWidth=500\nHeight=400\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    Main().close();
    const QByteArray written = Settings();
    EXPECT_TRUE(written.startsWith("; written by hand\n[Application]\nEditMemory=2\nLanguage = English.ini\n"
                                   "DefaultTheme=Book.ini\n")) << "an unchanged value keeps its line";
    EXPECT_TRUE(written.contains("[AppWindow]\nTop=120\nLeft=140\nWidth=640\nHeight=480\nMaximised=0\n"));
    EXPECT_TRUE(written.contains("[EditWindow]\nTop=9\n\n[MRUList]\n1=" + Projects.Path("Novel.nodex").toUtf8() + "\n"))
        << "the opened project heads the recent files";
}

TEST_F(SettingsTest, ASettingsFileTooLargeToBeOneIsLeftAsItIs)
{
    const QByteArray huge = "[Application]\nEditMemory=0\n" + QByteArray(2 * 1024 * 1024, ';') + "\n";
    App.Write("Nodex.ini", huge);
    StartProgram();
    EXPECT_EQ(Main().Settings().EditorPlacement, EditMemory::Single) << "the defaults";
    Main().close();
    EXPECT_EQ(Settings(), huge);
}

TEST_F(SettingsTest, FileTypesAreRegisteredOnceAndFollowAMovedProgram)
{
    qputenv("XDG_DATA_HOME", DataHome.Path().toUtf8());
    for (const char* icon : {"project.ico", "nodex.ico"})
        ASSERT_TRUE(QImage(QSize(32, 32), QImage::Format_ARGB32).save(App.Path(icon), "ICO"));
    const FileTypePaths paths = FileTypeLocations();
    RegisterFileTypes(App.Path(), "/opt/nodex/nodex", Shell);
    const QByteArray mime = DataHome.Read("mime/packages/nodex.xml");
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-nodex-project\">\n    <comment>Nodex Project</comment>\n    <icon name=\"application-x-nodex-project\"/>\n    <glob pattern=\"*.nodex\"/>"));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-nodex-card\">\n    <comment>Nodex File</comment>\n    <icon name=\"application-x-nodex-card\"/>\n    <glob pattern=\"*.ndx\"/>"));
    for (const char* icon : {"application-x-nodex-project", "application-x-nodex-card"})
        EXPECT_EQ(QImage(DataHome.Path(QString("icons/hicolor/32x32/mimetypes/%1.png").arg(icon))).size(), QSize(32, 32));
    EXPECT_TRUE(DataHome.Read("applications/nodex.desktop").contains("\nExec=\"/opt/nodex/nodex\" %f\n"));

    // A second start of the same program changes nothing.
    const auto identity = [](const QString& path) {
        struct stat status {};
        stat(QFile::encodeName(path).constData(), &status);
        return std::pair{status.st_ino, status.st_mtim.tv_nsec};
    };
    const auto entryBefore = identity(paths.DesktopEntry);
    const QStringList started = Shell.Started;
    RegisterFileTypes(App.Path(), "/opt/nodex/nodex", Shell);
    EXPECT_EQ(identity(paths.DesktopEntry), entryBefore);
    EXPECT_EQ(Shell.Started, started);

    // After a move only the command changes; a line the user added stays.
    DataHome.Write("applications/nodex.desktop", DataHome.Read("applications/nodex.desktop") + "NoDisplay=true\n");
    RegisterFileTypes(App.Path(), "/home/ada/Nodex/nodex", Shell);
    const QByteArray entry = DataHome.Read("applications/nodex.desktop");
    EXPECT_TRUE(entry.contains("\nExec=\"/home/ada/Nodex/nodex\" %f\n"));
    EXPECT_TRUE(entry.endsWith("NoDisplay=true\n"));
    EXPECT_EQ(DataHome.Read("mime/packages/nodex.xml"), mime);

    // A program folder whose name means something to the desktop's command line is quoted so
    // that it means nothing; an entry that is a link is not written through.
    EXPECT_EQ(DesktopExecLine("/home/ada/My $HOME 100%/a\"b`c\\d/nodex"),
              "Exec=\"/home/ada/My \\\\$HOME 100%%/a\\\\\"b\\\\`c\\\\\\\\d/nodex\" %f");
    const QString elsewhere = DataHome.Write("elsewhere.txt", "Exec=keep me\n");
    QFile::remove(paths.DesktopEntry);
    ASSERT_TRUE(QFile::link(elsewhere, paths.DesktopEntry));
    RegisterFileTypes(App.Path(), "/opt/nodex/nodex", Shell);
    EXPECT_EQ(DataHome.Read("elsewhere.txt"), "Exec=keep me\n");
}
