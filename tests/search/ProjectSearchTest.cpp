#include "search/ProjectSearch.h"

#include "TempFolder.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

/// Runs a search to its end and gathers every card it found, in the order they came.
QList<CardMatches> SearchAll(
    const QList<SearchedCard>& cards, const SearchOptions& options, const SearchScope& scope = {})
{
    ProjectSearch search;
    QList<CardMatches> found;
    QObject::connect(&search, &ProjectSearch::Found, &search,
        [&](const QList<CardMatches>& batch, int) { found += batch; });
    QSignalSpy finished(&search, &ProjectSearch::Finished);
    search.Start(cards, options, scope);
    EXPECT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_FALSE(finished.first().first().toBool());
    return found;
}

QStringList Shown(const CardMatches& card)
{
    QStringList shown;
    for (const FoundMatch& match : card.Matches) {
        const QString found = card.Searched(match.Field).mid(match.Match.Start, match.Match.Length);
        EXPECT_EQ(match.Context.mid(match.InContext.Start, match.InContext.Length), found);
        shown << match.Context;
    }
    return shown;
}

} // namespace

TEST(ProjectSearch, FindsNamesDescriptionsAndTextsAsTheWriterSeesThem)
{
    TempFolder project;
    const QString longLine = QString(60, 'a') + " a a Nell b " + QString(80, 'b');
    project.Write("Text Files/Harbour.txt", "Nell rows.\r\n\r\n" + longLine.toUtf8() + "\r\n");
    project.Write("Text Files/Open.txt", "Nell on disk\r\n");
    project.Write("Text Files/Mill.txt", "Nobody\r\n");
    const QList<SearchedCard> cards = {
        { 1, "Harbour", "", project.Path("Text Files/Harbour.txt"), false, {} },
        { 2, "Nell's Cove", "Where Nell waits", project.Path("Text Files/Cove.txt"), false, {} },
        // An open editor's unsaved text is searched, not its file.
        { 3, "Open", "", project.Path("Text Files/Open.txt"), true, "Unsaved, no one" },
        { 4, "Mill", "", project.Path("Text Files/Mill.txt"), true, "Nell typed" },
    };
    const QList<CardMatches> found = SearchAll(cards, { "nell", false, true, false });
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found[0].Card, 1);
    // The CRLF file is searched as LF; a long line is cut short around its match, between words.
    EXPECT_EQ(found[0].Matches[1].Match.Start, 77);
    EXPECT_EQ(Shown(found[0]),
        QStringList({ "Nell rows.", QString(u'\u2026') + "a a Nell b" + u'\u2026' }));
    // A card without a text file is no failure.
    EXPECT_EQ(found[1].Card, 2);
    EXPECT_TRUE(found[1].Problem.isEmpty());
    EXPECT_EQ(Shown(found[1]), QStringList({ "Nell's Cove", "Where Nell waits" }));
    EXPECT_EQ(found[1].Matches[0].Field, ReplacedField::Name);
    EXPECT_EQ(found[1].Matches[1].Field, ReplacedField::Description);
    EXPECT_EQ(found[2].Card, 4);
    EXPECT_EQ(found[2].Text, "Nell typed");

    // Names only: the texts and descriptions are left alone.
    const QList<CardMatches> names
        = SearchAll(cards, { "nell", false, true, false }, { true, false, false });
    ASSERT_EQ(names.size(), 1);
    EXPECT_EQ(Shown(names[0]), QStringList({ "Nell's Cove" }));
}

TEST(ProjectSearch, StopAndANewSearchEndTheOneRunning)
{
    QList<SearchedCard> cards;
    for (int card = 1; card <= 2000; ++card)
        cards.append(
            { card, QString("Card %1").arg(card), {}, {}, true, QString("Nell ").repeated(200) });
    ProjectSearch search;
    QSignalSpy found(&search, &ProjectSearch::Found);
    QSignalSpy finished(&search, &ProjectSearch::Finished);

    search.Start(cards, { "Nell", true, false, false }, {});
    search.Stop();
    EXPECT_FALSE(search.Running());
    ASSERT_EQ(finished.size(), 1);
    EXPECT_TRUE(finished.first().first().toBool());
    QCoreApplication::processEvents();
    EXPECT_EQ(found.size(), 0) << "nothing of a stopped search arrives";

    // A search started over one running leaves only its own results.
    search.Start(cards, { "Nell", true, false, false }, {});
    search.Start(cards.mid(0, 3), { "Card 2", true, false, false }, {});
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(finished.last().first().toBool());
    int cardsFound = 0;
    for (const QList<QVariant>& batch : found)
        for (const CardMatches& card : batch.first().value<QList<CardMatches>>()) {
            EXPECT_EQ(card.Card, 2);
            ++cardsFound;
        }
    EXPECT_EQ(cardsFound, 1);
}
