#include "settings/HelpTopics.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

const QString Shipped = QStringLiteral(NODEX_HELP_FOLDER);

/// A help page read as the help window reads it, remembering every picture and style sheet
/// the page asks for, every link it holds and every anchor it names.
class ShippedPage : public QTextDocument {
public:
    explicit ShippedPage(const QString& name)
    {
        QFile file(Shipped + name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        setBaseUrl(QUrl::fromLocalFile(Shipped));
        setHtml(QString::fromUtf8(file.readAll()));
        for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                if (format.isImageFormat())
                    Resources << format.toImageFormat().name();
                if (format.isAnchor() && !format.anchorHref().isEmpty())
                    Links << format.anchorHref();
                for (const QString& anchor : format.anchorNames())
                    Anchors << anchor;
            }
        }
    }

    QStringList Resources; ///< the pictures and the style sheet
    QStringList Links;
    QSet<QString> Anchors;

protected:
    QVariant loadResource(int type, const QUrl& name) override
    {
        Resources << name.toString();
        return QTextDocument::loadResource(type, name);
    }
};

} // namespace

TEST(ShippedHelp, EveryPageThePagesLinkToAndEveryPictureTheyShowIsInTheHelpFolder)
{
    const HelpTopics topics(Shipped);
    QStringList toVisit { HelpTopics::IndexPage };
    QSet<QString> visited;
    QList<QUrl> linksWithAnchors;
    while (!toVisit.isEmpty()) {
        const QString name = toVisit.takeFirst();
        if (visited.contains(name))
            continue;
        visited << name;
        const ShippedPage page(name);
        QFile source(Shipped + name);
        EXPECT_TRUE(source.open(QIODevice::ReadOnly));
        EXPECT_FALSE(HelpTopics::NestsTooDeeply(source.readAll())) << name.toStdString();
        for (const QString& resource : page.Resources)
            EXPECT_FALSE(topics.ConfinedFile(QUrl::fromLocalFile(Shipped).resolved(QUrl(resource)))
                             .isEmpty())
                << name.toStdString() << " shows " << resource.toStdString();
        for (const QString& link : page.Links) {
            const QUrl url(link);
            ASSERT_TRUE(url.isRelative() && !link.contains(".."))
                << name.toStdString() << " links to " << link.toStdString();
            const QString target = url.adjusted(QUrl::RemoveFragment).path();
            ASSERT_FALSE(topics.ConfinedFile(QUrl::fromLocalFile(Shipped + target)).isEmpty())
                << name.toStdString() << " links to " << link.toStdString();
            toVisit << target;
            if (url.hasFragment())
                linksWithAnchors << url;
        }
    }
    for (const QUrl& link : linksWithAnchors)
        EXPECT_TRUE(ShippedPage(link.path()).Anchors.contains(link.fragment()))
            << link.toString().toStdString();

    const QStringList pages = QDir(Shipped).entryList({ "*.html" }, QDir::Files);
    for (const QString& page : pages)
        EXPECT_TRUE(visited.contains(page))
            << page.toStdString() << " is not reached from the index";
}

TEST(ShippedHelp, TheQuickKeysLeadToTheirOwnPage)
{
    const QUrl topic = HelpTopics(Shipped).KeywordTopic("Quick Keys");
    EXPECT_NE(topic.fileName(), HelpTopics::IndexPage);
    EXPECT_EQ(topic.fragment(), "Quick Keys");
}
