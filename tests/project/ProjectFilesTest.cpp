#include "TempFolder.h"
#include "project/ProjectFiles.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

TEST(ProjectFiles, StoredTypesMapToTypesAndBack)
{
    EXPECT_EQ(StoredTypeToType(-1), 0);
    EXPECT_EQ(StoredTypeToType(0), 1);
    EXPECT_EQ(StoredTypeToType(11), 12);
    EXPECT_EQ(StoredTypeToType(12), 1);
    EXPECT_EQ(StoredTypeToType(-5), 1);

    EXPECT_EQ(TypeToStoredType(0), -1);
    EXPECT_EQ(TypeToStoredType(1), 0);
    EXPECT_EQ(TypeToStoredType(12), 11);
    EXPECT_EQ(TypeToStoredType(13), 0);

    EXPECT_EQ(StateToStored(5), 5);
    EXPECT_EQ(StateToStored(6), 0);
    EXPECT_EQ(StateToStored(-1), 0);
    EXPECT_EQ(WorkspaceSizeFrom(2), 2);
    EXPECT_EQ(WorkspaceSizeFrom(3), 0);
}

TEST(ProjectFiles, CardNameIsTheFileNameWithoutItsFinalCardExtension)
{
    EXPECT_EQ(CardNameOfFile("A.ndx.bak.ndx"), "A.ndx.bak");
    EXPECT_EQ(CardNameOfFile("Upper.NDX"), "Upper");
    EXPECT_EQ(CardNameOfFile("v1.2 notes.ndx"), "v1.2 notes");
    EXPECT_FALSE(IsCardFileName(".ndx"));
    EXPECT_FALSE(IsCardFileName("Card.ndx.AbCdEf"));
}

TEST(ProjectFiles, MissingKeysReadAsTheirDefaults)
{
    IniFile empty;
    const ProjectFileData project = ReadProjectFile(empty);
    EXPECT_FALSE(project.Window.Maximised);
    EXPECT_FALSE(project.Window.HasBounds);
    EXPECT_EQ(project.Window.Width, -1);
    EXPECT_TRUE(project.BoldBaseType);
    EXPECT_EQ(project.ThemeName, "Book.ini");

    const CardFileData card = ReadCardFile(empty);
    EXPECT_EQ(card.StoredType, 0);
    EXPECT_EQ(card.Left, 100);
    EXPECT_EQ(card.Top, 100);
    EXPECT_TRUE(card.LinkToName.isEmpty());
}

TEST(ProjectFiles, MaximisedWindowLeavesTheEarlierBoundsInTheFile)
{
    IniFile file;
    file.LoadFromBytes("[AppWindow]\nTop=10\nLeft=20\nWidth=300\nHeight=400\n");
    ProjectFileData data;
    data.Window = {true, true, 0, 0, 1920, 1080};
    WriteProjectFile(file, data);

    const WindowPlacement back = ReadProjectFile(file).Window;
    EXPECT_TRUE(back.Maximised);
    EXPECT_EQ(back.Top, 10);
    EXPECT_EQ(back.Left, 20);
    EXPECT_EQ(back.Width, 300);
    EXPECT_EQ(back.Height, 400);
}

TEST(ProjectFiles, CardFileWriteKeepsWhatOthersStored)
{
    TempFolder folder;
    const QByteArray editorPlacement = "[EditWindow]\nMaximised=0\nTop=120\nLeft=140\nWidth=600\nHeight=480\n";
    const QByteArray unknown = "[Plugin]\nColour=teal\n";
    const QString path = folder.Write("Scene.ndx",
        "[StateData]\nType=1\nState=0\n\n" + editorPlacement + "\n" + unknown);

    IniFile file(path);
    QString error;
    ASSERT_TRUE(file.Load(error)) << error.toStdString();
    CardFileData data;
    data.StoredType = 4;
    data.State = 2;
    data.Left = 310;
    data.Top = 220;
    data.Description = "Rain on the lamp glass";
    data.LinkToName = "Storm";
    WriteCardFile(file, data);
    ASSERT_TRUE(file.Save(error)) << error.toStdString();

    const QByteArray written = folder.Read("Scene.ndx");
    EXPECT_TRUE(written.contains(editorPlacement)) << written.toStdString();
    EXPECT_TRUE(written.contains(unknown)) << written.toStdString();

    IniFile reread(path);
    ASSERT_TRUE(reread.Load(error));
    const CardFileData back = ReadCardFile(reread);
    EXPECT_EQ(back.StoredType, 4);
    EXPECT_EQ(back.State, 2);
    EXPECT_EQ(back.Left, 310);
    EXPECT_EQ(back.Top, 220);
    EXPECT_EQ(back.Description, "Rain on the lamp glass");
    EXPECT_EQ(back.LinkToName, "Storm");
}

TEST(ProjectFiles, TheZoomIsWrittenOnlyOnceTheCanvasWasZoomed)
{
    // A project never zoomed keeps its bytes; one zoomed before keeps its key, back at 100.
    struct Case {
        QByteArray Before;
        int Zoom;
        bool Written;
    };
    const Case cases[] = {
        {"[Workspace]\nSize=0\n", 100, false},
        {"[Workspace]\nSize=0\n", 50, true},
        {"[Workspace]\nSize=0\nZoom=50\n", 100, true},
    };
    for (const Case& c : cases) {
        IniFile file;
        file.LoadFromBytes(c.Before);
        ProjectFileData data = ReadProjectFile(file);
        data.Zoom = c.Zoom;
        WriteProjectFile(file, data);
        EXPECT_EQ(file.HasKey("Workspace", "Zoom"), c.Written) << c.Before.toStdString() << c.Zoom;
        EXPECT_EQ(ReadProjectFile(file).Zoom, c.Zoom);
    }
}

TEST(ProjectFiles, TheGoalsAreWrittenOnlyOnceOneWasSet)
{
    // A project without goals keeps its bytes; goals set are read back as they were; goals
    // cleared stay written as none, so that the file says they were cleared.
    const ProjectGoals set{750, 300, QDate(2027, 3, 31)};
    struct Case {
        QByteArray Before;
        ProjectGoals Goals;
        bool Written;
    };
    const Case cases[] = {
        {"[Workspace]\nSize=0\n", {}, false},
        {"[Workspace]\nSize=0\n", set, true},
        {"[Goals]\nDailyTarget=750\nSessionTarget=300\nDeadline=2027-03-31\n", {}, true},
    };
    for (const Case& c : cases) {
        IniFile file;
        file.LoadFromBytes(c.Before);
        ProjectFileData data = ReadProjectFile(file);
        data.Goals = c.Goals;
        WriteProjectFile(file, data);
        EXPECT_EQ(file.HasKey("Goals", "Deadline"), c.Written) << c.Before.toStdString();
        EXPECT_EQ(ReadProjectFile(file).Goals, c.Goals) << c.Before.toStdString();
    }
    IniFile damaged;
    damaged.LoadFromBytes("[Goals]\nDailyTarget=-5\nSessionTarget=many\nDeadline=next week\n");
    EXPECT_EQ(ReadProjectFile(damaged).Goals, ProjectGoals{});
}
