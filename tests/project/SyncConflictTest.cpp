#include "TempFolder.h"
#include "project/ProjectFolder.h"
#include "project/SyncConflict.h"

#include <gtest/gtest.h>

TEST(SyncConflict, ACopyIsKnownByTheMarkSyncToolsGiveItAndLeadsBackToItsOriginal)
{
    const std::pair<const char*, const char*> names[] = {
        {"Lamp.sync-conflict-20240105-093012-ABCDEF7.ndx", "Lamp.ndx"},
        {"Lamp.sync-conflict-20240105-093012.txt", "Lamp.txt"},
        {"Old Lamp.v2.sync-conflict-20240105-093012-ABCDEF7.ndx", "Old Lamp.v2.ndx"},
        {"Lamp (conflicted copy 2024-01-05 093012).txt", "Lamp.txt"},
        {"Lamp (Jane's conflicted copy 2024-01-05).ndx", "Lamp.ndx"},
        // Names a writer gives cards stay cards.
        {"Lamp.ndx", ""},
        {"Lamp (conflicted copy).ndx", ""},
        {"The sync-conflict.ndx", ""},
        {"Lamp.sync-conflict-2024.ndx", ""},
    };
    for (const auto& [name, original] : names)
        EXPECT_EQ(SyncConflictOriginal(name), original) << name;
}

TEST(SyncConflict, CopiesAreListedBesideTheirOriginalsAndNeverLoadedAsCards)
{
    TempFolder project;
    project.Write("Lamp.ndx", "");
    project.Write("Lamp.sync-conflict-20240105-093012-ABCDEF7.ndx", "");
    project.Write("Text Files/Lamp.txt", "");
    project.Write("Text Files/Lamp (conflicted copy 2024-01-05 093012).txt", "");
    project.Write("Text Files/Sea.txt", "");

    const QList<CardFileEntry> cards = ListCardFiles(project.Path());
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(cards[0].Name, "Lamp");

    const QString folder = project.Path() + "/";
    const QList<SyncConflictCopy> copies = ListSyncConflicts(folder);
    ASSERT_EQ(copies.size(), 2);
    EXPECT_EQ(copies[0].Path, folder + "Lamp.sync-conflict-20240105-093012-ABCDEF7.ndx");
    EXPECT_EQ(copies[0].OriginalPath, folder + "Lamp.ndx");
    EXPECT_EQ(copies[1].Path, folder + "Text Files/Lamp (conflicted copy 2024-01-05 093012).txt");
    EXPECT_EQ(copies[1].OriginalPath, folder + "Text Files/Lamp.txt");
}
