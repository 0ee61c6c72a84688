#include "settings/HelpTopics.h"

#include "HelpFolderFixture.h"

#include <QFile>

class HelpTopicsTest : public HelpFolderFixture { };

TEST_F(HelpTopicsTest, LinksReachOnlyExistingFilesInsideTheHelpFolder)
{
    Root.Write("Help/pictures/canvas.png", "png");
    Root.Write("Help2/index.html", "a folder whose name only starts like the Help folder's");
    ASSERT_TRUE(QFile::link(Root.Path("secret.html"), Root.Path("Help/link.html")));
    const HelpTopics topics(Help());

    const struct {
        QUrl Link;
        bool Inside;
    } links[] = {
        { QUrl::fromLocalFile(Help() + "index.html"), true },
        { QUrl::fromLocalFile(Help() + "pictures/canvas.png"), true },
        { QUrl::fromLocalFile(Help() + "pictures/../keys.html"), true },
        { QUrl::fromLocalFile(Help() + "../secret.html"), false },
        { QUrl::fromLocalFile(Root.Path("secret.html")), false },
        { QUrl::fromLocalFile(Help() + "link.html"), false },
        { QUrl::fromLocalFile(Root.Path("Help2/index.html")), false },
        { QUrl::fromLocalFile(Help() + "gone.html"), false },
        { QUrl::fromLocalFile(Help() + "pictures"), false },
        { QUrl("http://example.org/index.html"), false },
        { QUrl("keys.html"), false },
    };
    for (const auto& link : links)
        EXPECT_EQ(!topics.ConfinedFile(link.Link).isEmpty(), link.Inside)
            << link.Link.toString().toStdString();
}

TEST_F(HelpTopicsTest, AKeywordLeadsToThePageHoldingItsAnchorAndOtherwiseToTheIndex)
{
    Root.Write("Help/notes.txt", "<a name=\"Notes\">not a page</a>");
    Root.Write("outside.html", "<a name=\"Outside\">outside the help</a>");
    ASSERT_TRUE(QFile::link(Root.Path("outside.html"), Root.Path("Help/outside.html")));
    const HelpTopics topics(Help());

    const struct {
        QString Keyword;
        QString Page;
        QString Anchor;
    } requests[] = {
        { "", "index.html", "" },
        { "Quick Keys", "keys.html", "Quick Keys" },
        { "quick KEYS", "keys.html", "Quick Keys" },
        { "Quick", "index.html", "" },
        { "Notes", "index.html", "" },
        { "../secret", "index.html", "" },
        { "Outside", "index.html", "" },
    };
    for (const auto& request : requests) {
        const QUrl topic = topics.KeywordTopic(request.Keyword);
        EXPECT_EQ(topic.adjusted(QUrl::RemoveFragment), QUrl::fromLocalFile(Help() + request.Page))
            << request.Keyword.toStdString();
        EXPECT_EQ(topic.fragment(), request.Anchor) << request.Keyword.toStdString();
    }
}
