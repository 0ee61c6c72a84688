#include "settings/HelpWindow.h"

#include "HelpFolderFixture.h"
#include "settings/HelpBrowser.h"
#include "messages/MessageTable.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {
/// A small picture of one colour, as PNG bytes.
QByteArray Png(Qt::GlobalColor colour)
{
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

/// Whether a pixel of exactly this colour is on the screen.
bool Shows(const QImage& screen, QColor colour)
{
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (screen.pixelColor(x, y) == colour)
                return true;
    return false;
}
} // namespace

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

TEST_F(HelpWindowTest, PicturesAndStyleSheetsComeOnlyFromTheHelpFolderAndWithinBounds)
{
    Root.Write("outside.png", Png(Qt::red));
    Root.Write("outside.css", "p { color: #ff0000; background-color: #ff0000 }");
    Root.Write("Help/inside.png", Png(Qt::blue));
    // A picture in the folder, but larger than any help picture is.
    Root.Write("Help/large.png", Png(Qt::green) + QByteArray(HelpTopics::ResourceReadLimit, 0));
    Root.Write("Help/pictures.html",
        "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"../outside.css\"></head>"
        "<body><p>Pictures <img src=\"../outside.png\"> <img src=\""
            + Root.Path("outside.png").toUtf8()
            + "\"> <img src=\"inside.png\"> <img src=\"large.png\"></p></body></html>");
    Window.ShowTopic({});
    Window.brwHelp->setSource(QUrl::fromLocalFile(Help() + "pictures.html"));
    ASSERT_TRUE(PageText().contains("Pictures"));
    const QImage screen = Window.brwHelp->viewport()->grab().toImage();
    EXPECT_TRUE(Shows(screen, Qt::blue)) << "the picture in the folder is shown";
    EXPECT_FALSE(Shows(screen, Qt::red)) << "nothing from outside the folder is shown";
    EXPECT_FALSE(Shows(screen, Qt::green)) << "an oversized picture is not read";

    // A page nested deeper than the layout can bear is refused before it is laid out.
    QByteArray deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<table><tr><td>";
    Root.Write("Help/deep.html", "<html><body>" + deep + "deep</body></html>");
    Window.brwHelp->setSource(QUrl::fromLocalFile(Help() + "deep.html"));
    EXPECT_TRUE(PageText().contains("is nested too deeply")) << PageText().toStdString();
    Window.actBack->trigger();
    EXPECT_EQ(PageName(), "pictures.html");
}
