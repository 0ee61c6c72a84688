#include "project/SyncConflict.h"

#include "TempFolder.h"
#include "project/ProjectFolder.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(SyncConflict, ACopyIsKnownByTheMarkSyncToolsGiveItOrByItsOriginalBesideIt)
{
    const QStringList folder
        = { "Lamp.ndx", "lamp.txt", "Old Lamp.v2.ndx", "Act.ndx", "Draft.ndx" };
    const std::pair<const char*, const char*> names[] = {
        { "Lamp.sync-conflict-20240105-093012-ABCDEF7.ndx", "Lamp.ndx" },
        { "Lamp.sync-conflict-20240105-093012.txt", "Lamp.txt" },
        { "Old Lamp.v2.sync-conflict-20240105-093012-ABCDEF7.ndx", "Old Lamp.v2.ndx" },
        { "Lamp (conflicted copy 2024-01-05 093012).txt", "Lamp.txt" },
        { "Lamp (Jane's conflicted copy 2024-01-05).ndx", "Lamp.ndx" },
        // The plainer names count beside their original only, "Case Conflict" in any case.
        { "Lamp (1).ndx", "Lamp.ndx" },
        { "Lamp (12).ndx", "Lamp.ndx" },
        { "Lamp (Case Conflict).txt", "lamp.txt" },
        { "Lamp-LAPTOP.ndx", "Lamp.ndx" },
        { "Lamp-DESKTOP-4F2K9QZ.ndx", "Lamp.ndx" },
        { "Sea (1).ndx", "" },
        { "Sea-LAPTOP.ndx", "" },
        { "Lamp (1).txt", "" },
        // Names a writer gives cards stay cards.
        { "Lamp.ndx", "" },
        { "Lamp (conflicted copy).ndx", "" },
        { "The sync-conflict.ndx", "" },
        { "Lamp.sync-conflict-2024.ndx", "" },
        { "Lamp (one).ndx", "" },
        { "Lamp-laptop.ndx", "" },
        { "Act-II.ndx", "" },
        { "Draft-THE-LONGEST-MACHINE.ndx", "" },
    };
    for (const auto& [name, original] : names)
        EXPECT_EQ(SyncConflictOriginal(name, folder), original) << name;
}

TEST(SyncConflict, CopiesAreListedBesideTheirOriginalsAndNeverLoadedAsCards)
{
    TempFolder project;
    project.Write("Lamp.ndx", "");
    project.Write("Lamp.sync-conflict-20240105-093012-ABCDEF7.ndx", "");
    project.Write("Lamp (1).ndx", "");
    project.Write("Lamp-LAPTOP.ndx", "");
    project.Write("Text Files/Lamp.txt", "");
    project.Write("Text Files/Lamp (conflicted copy 2024-01-05 093012).txt", "");
    project.Write("Text Files/Lamp (Case Conflict).txt", "");
    // A card named like a copy with no card of the shorter name beside it is a card, and so is
    // its text, even beside a text of the shorter name.
    project.Write("Chapter (1).ndx", "");
    project.Write("Text Files/Chapter.txt", "");
    project.Write("Text Files/Chapter (1).txt", "");

    QStringList cards;
    for (const CardFileEntry& card : ListCardFiles(project.Path()))
        cards << card.Name;
    EXPECT_EQ(cards, QStringList({ "Chapter (1)", "Lamp" }));

    const QString folder = project.Path();
    const auto listed = [&](const QList<SyncConflictCopy>& copies) {
        QStringList lines;
        for (const SyncConflictCopy& copy : copies)
            lines << copy.Path.mid(folder.size()) + " -> " + copy.OriginalPath.mid(folder.size());
        return lines.join('\n').toStdString();
    };
    const char* copies
        = "Lamp (1).ndx -> Lamp.ndx\n"
          "Lamp-LAPTOP.ndx -> Lamp.ndx\n"
          "Lamp.sync-conflict-20240105-093012-ABCDEF7.ndx -> Lamp.ndx\n"
          "Text Files/Lamp (Case Conflict).txt -> Text Files/Lamp.txt\n"
          "Text Files/Lamp (conflicted copy 2024-01-05 093012).txt -> Text Files/Lamp.txt";
    EXPECT_EQ(listed(ListSyncConflicts(folder)), copies);
    // The files a sync tool just brought are judged alike.
    QStringList brought;
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name))
        brought << folder + name;
    for (const QString& name : QDir(folder + "Text Files").entryList(QDir::Files, QDir::Name))
        brought << folder + "Text Files/" + name;
    EXPECT_EQ(listed(SyncConflictsAmong(folder, brought)), copies);
}
