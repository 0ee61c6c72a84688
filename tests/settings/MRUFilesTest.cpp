#include "settings/MRUFiles.h"

#include "platform/IniFile.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

namespace {
/// A File menu with the anchor "&Open..." between two other items.
struct FileMenu {
    FileMenu()
    {
        Menu.addAction("&New...");
        Anchor = Menu.addAction("&Open...");
        Menu.addAction("&Save");
        Recent.SetMenuItem(Anchor);
    }
    QStringList Captions() const
    {
        QStringList captions;
        for (const QAction* item : Menu.actions())
            captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        return captions;
    }
    QMenu Menu;
    QAction* Anchor;
    TMRUFiles Recent;
};
} // namespace

TEST(MRUfiles, NewestFirstNoneTwiceAndTheOldestDropped)
{
    FileMenu file;
    EXPECT_EQ(file.Captions(), (QStringList{"&New...", "&Open...", "&Save"})) << "no entries, no separator";
    for (const char* path : {"/a/One.nodex", "/a/Two.nodex", "/b/Tea & Toast.nodex", "/a/Four.nodex", "/a/Five.nodex"})
        file.Recent.AddFile(path);
    file.Recent.AddFile("/A/ONE.nodex");
    EXPECT_EQ(file.Recent.Files(), (QStringList{"/A/ONE.nodex", "/a/Five.nodex", "/a/Four.nodex", "/b/Tea & Toast.nodex",
                                                "/a/Two.nodex"}))
        << "a name listed in other capitals moves to the top";
    file.Recent.AddFile("/a/Six.nodex");
    EXPECT_EQ(file.Recent.Files().size(), 5);
    EXPECT_EQ(file.Recent.Files().last(), "/b/Tea & Toast.nodex") << "the oldest went";
    EXPECT_EQ(file.Captions(), (QStringList{"&New...", "&Open...", "-", "&1 Six.nodex", "&2 ONE.nodex", "&3 Five.nodex",
                                            "&4 Four.nodex", "&5 Tea && Toast.nodex", "&Save"}));

    QString clicked;
    file.Recent.OnClick = [&](const QString& path) { clicked = path; };
    file.Menu.actions()[4]->trigger();
    EXPECT_EQ(clicked, "/A/ONE.nodex");
    file.Recent.RemoveFile("/a/one.NODEX");
    EXPECT_EQ(file.Captions().size(), 8);
    for (const QString& path : QStringList(file.Recent.Files()))
        file.Recent.RemoveFile(path);
    EXPECT_EQ(file.Captions(), (QStringList{"&New...", "&Open...", "&Save"}));
}

TEST(MRUfiles, LoadsUpToTheFirstGapAndSavesOnlyAChangedList)
{
    IniFile ini;
    ini.LoadFromBytes("[MRUList]\n1=/a/One.nodex\n3=/a/Three.nodex\n[Other]\nKey=1\n");
    FileMenu file;
    file.Recent.LoadFromIni(ini, "MRUList");
    EXPECT_EQ(file.Recent.Files(), QStringList{"/a/One.nodex"});

    ini.LoadFromBytes("[MRUList]\n1 = /a/One.nodex\n[Other]\nKey=1\n");
    file.Recent.SaveToIni(ini, "MRUList");
    EXPECT_FALSE(ini.Changed()) << "an unchanged list keeps its lines";
    file.Recent.AddFile("/a/Two.nodex");
    file.Recent.SaveToIni(ini, "MRUList");
    EXPECT_EQ(ini.ReadString("MRUList", "1", {}), "/a/Two.nodex");
    EXPECT_EQ(ini.ReadString("MRUList", "2", {}), "/a/One.nodex");
    EXPECT_EQ(ini.ReadString("Other", "Key", {}), "1");
}
