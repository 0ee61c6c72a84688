#include "settings/HelpWindow.h"

#include "HelpFolderFixture.h"
#include "settings/HelpBrowser.h"
#include "messages/MessageTable.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

class HelpWindowTest : public HelpFolderFixture {
protected:
    /// What the reader sees on the page now.
    QString PageText() const { return Window.brwHelp->document()->toRawText(); }
    QString PageName() const { return Window.brwHelp->source().fileName(); }
    /// Clicks the middle of a link's text with the mouse, as a reader follows it.
    void ClickLink(const QString& text)
    {
        HelpBrowser* browser = Window.brwHelp;
        const QTextCursor found = browser->document()->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor middle(browser->document());
        middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
        QTest::mouseClick(
            browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(middle).center());
    }

    MessageTable Messages;
    HelpWindow Window { Help(), Messages };
};

TEST_F(HelpWindowTest, OpensOnTheIndexAndFollowsLinksBackAndForth)
{
    Window.ShowTopic({});
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Window.windowTitle(), "Nodex Help");
    EXPECT_EQ(PageName(), "index.html");
    EXPECT_TRUE(PageText().contains("Welcome to the help"));
    EXPECT_FALSE(Window.actBack->isEnabled());

    ClickLink("Keys");
    EXPECT_EQ(PageName(), "keys.html");
    EXPECT_TRUE(PageText().contains("Working on the canvas"));
    ASSERT_TRUE(Window.actBack->isEnabled());
    Window.actBack->trigger();
    EXPECT_EQ(PageName(), "index.html");
    ASSERT_TRUE(Window.actForward->isEnabled());
    Window.actForward->trigger();
    EXPECT_EQ(PageName(), "keys.html");
    Window.actContents->trigger();
    EXPECT_EQ(PageName(), "index.html");
}

TEST_F(HelpWindowTest, AKeywordBringsItsAnchorToTheTopOfTheView)
{
    Window.ShowTopic("Quick Keys");
    EXPECT_EQ(PageName(), "keys.html");
    QScrollBar* scroll = Window.brwHelp->verticalScrollBar();
    const QTextCursor anchor = Window.brwHelp->document()->find("Quick keys");
    ASSERT_FALSE(anchor.isNull());
    const int anchorTop = int(
        Window.brwHelp->document()->documentLayout()->blockBoundingRect(anchor.block()).top());
    EXPECT_GT(anchorTop, 0);
    EXPECT_EQ(scroll->value(), std::min(anchorTop, scroll->maximum()));

    // Asked again after the reader scrolled away, the help goes back to the keys.
    scroll->setValue(0);
    Window.ShowTopic("Quick Keys");
    EXPECT_EQ(scroll->value(), std::min(anchorTop, scroll->maximum()));
}

TEST_F(HelpWindowTest, LinksOutOfTheHelpFolderShowNothingFromThere)
{
    Window.ShowTopic({});
    ClickLink("Web");
    EXPECT_EQ(PageName(), "index.html") << "a web address opens nothing";

    ClickLink("Secret");
    EXPECT_FALSE(PageText().contains("SECRET"));
    EXPECT_TRUE(PageText().contains("cannot be found"));

    Window.actBack->trigger();
    ClickLink("Gone");
    EXPECT_TRUE(PageText().contains(
        "'" + QDir::toNativeSeparators(Help() + "gone.html") + "' cannot be found"))
        << PageText().toStdString();
    Window.actContents->trigger();
    EXPECT_TRUE(PageText().contains("Welcome to the help"))
        << "a missing page is left like any other";
}

TEST_F(HelpWindowTest, AMissingHelpFolderSaysWhereThePagesShouldBe)
{
    HelpWindow nowhere(Root.Path("Nowhere/"), Messages);
    for (const QString& keyword : { QString(), QString("Quick Keys") }) {
        nowhere.ShowTopic(keyword);
        EXPECT_TRUE(nowhere.brwHelp->document()->toRawText().contains(
            "'" + QDir::toNativeSeparators(Root.Path("Nowhere/index.html")) + "' cannot be found"))
            << keyword.toStdString();
    }
}
