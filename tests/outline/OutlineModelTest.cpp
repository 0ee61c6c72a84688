#include "outline/OutlineModel.h"

#include "project/ChainEdits.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int Chapter = 1;
constexpr int Scene = 2;

/// A project model with an outline over it, whose texts have as many words as the tests say.
class OutlineModelTest : public testing::Test {
protected:
    OutlineModelTest()
    {
        OutlineModel::Looks looks;
        looks.NotInAChain = "Loose";
        looks.Words = [this](CardId card) { return Words.value(card); };
        looks.TargetWords = [this] { return Target; };
        Outline.SetLooks(looks);
    }

    CardId Add(const QString& name, int type = Scene, qint64 words = 0)
    {
        CardData card;
        card.Name = name;
        card.Type = type;
        const CardId id = Model.AddCard(card);
        Words.insert(id, words);
        return id;
    }
    void Chain(const QList<CardId>& cards)
    {
        for (qsizetype at = 0; at + 1 < cards.size(); ++at)
            Model.SetLink(cards[at], cards[at + 1]);
    }
    /// The rows as the tree shows them: one line each, indented by depth.
    QStringList Shown(const QModelIndex& parent = {}, const QString& indent = {}) const
    {
        QStringList lines;
        for (int row = 0; row < Outline.rowCount(parent); ++row) {
            const QModelIndex index = Outline.index(row, 0, parent);
            lines << indent + index.data().toString();
            lines << Shown(index, indent + "  ");
        }
        return lines;
    }
    QString WordsOf(const QModelIndex& index) const
    {
        return index.siblingAtColumn(OutlineModel::WordsColumn).data().toString();
    }

    ProjectModel Model;
    OutlineModel Outline { Model };
    /// Checks every change the outline announces against what it then shows.
    std::unique_ptr<QAbstractItemModelTester> Tester = std::make_unique<QAbstractItemModelTester>(
        &Outline, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QHash<CardId, qint64> Words;
    int Target = 0;
};

TEST_F(OutlineModelTest, ChainsGroupTheirScenesUnderChaptersAndLooseCardsComeLast)
{
    const CardId loose = Add("Loose idea", Scene, 7);
    CardData compilation;
    compilation.Name = "Compilation";
    compilation.Type = 0;
    Model.AddCard(compilation);
    const CardId prologue = Add("Prologue", Scene, 10);
    const CardId one = Add("One", Chapter, 100);
    const CardId harbour = Add("Harbour", Scene, 20);
    const CardId storm = Add("Storm", Scene, 30);
    const CardId two = Add("Two", Chapter, 1);
    const CardId ending = Add("Ending", Scene, 2);
    Chain({ prologue, one, harbour, storm, two, ending });
    const CardId aside = Add("Aside", Scene, 5);
    Chain({ aside, Add("Aside end", Scene, 5) });
    Target = 400;

    EXPECT_EQ(Shown(),
        QStringList({ "Prologue", "  Prologue", "  One", "    Harbour", "    Storm", "  Two",
            "    Ending", "Aside", "  Aside", "  Aside end", "Loose", "  Loose idea" }));
    const QModelIndex chain = Outline.index(0, 0);
    EXPECT_EQ(Outline.KindOf(chain), OutlineModel::RowKind::Chain);
    EXPECT_EQ(Outline.CardOf(chain), prologue);
    // A chapter counts its scenes; a chain its every card, against the project's target.
    EXPECT_EQ(WordsOf(Outline.IndexOf(one)), "150");
    EXPECT_EQ(WordsOf(Outline.IndexOf(harbour)), "20");
    EXPECT_EQ(WordsOf(chain), "163 (40.8%)");
    EXPECT_EQ(WordsOf(Outline.index(1, 0)), "10 (2.5%)");
    // Only cards are edited in place; the chain's name is its first card's, edited on that row.
    EXPECT_TRUE(Outline.flags(Outline.IndexOf(one)) & Qt::ItemIsEditable);
    EXPECT_FALSE(Outline.flags(chain) & Qt::ItemIsEditable);
    EXPECT_FALSE(Outline.flags(Outline.index(2, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(Outline.CardOf(Outline.index(2, 0)), 0);
    EXPECT_EQ(Outline.CardOf(Outline.IndexOf(loose)), loose);
}

TEST_F(OutlineModelTest, DamagedLinksListEachCardOnceAndNeverLoop)
{
    const CardId a = Add("A");
    const CardId b = Add("B");
    const CardId c = Add("C");
    Chain({ a, b, c });
    Model.SetLink(c, a); // a loop with no first card
    const CardId d = Add("D");
    const CardId e = Add("E");
    // Two cards name one successor, as a damaged card file can.
    Model.AddStoredLink(d, e);
    const CardId f = Add("F");
    Model.AddStoredLink(f, e);

    EXPECT_EQ(Shown(), QStringList({ "D", "  D", "  E", "F", "  F", "A", "  A", "  B", "  C" }));
}

TEST_F(OutlineModelTest, RowsFollowRenamesLinksTypesAndDeletions)
{
    const CardId one = Add("One", Chapter);
    const CardId scene = Add("Scene");
    const CardId other = Add("Other");
    Chain({ one, scene });
    ASSERT_EQ(Shown(), QStringList({ "One", "  One", "    Scene", "Loose", "  Other" }));

    // A rename changes the card's row and the chain's name in place.
    QSignalSpy changed(&Outline, &QAbstractItemModel::dataChanged);
    CardData renamed = Model.Card(one);
    renamed.Name = "Opening";
    Model.ChangeCard(one, renamed);
    EXPECT_EQ(changed.size(), 2);
    EXPECT_EQ(Shown(), QStringList({ "Opening", "  Opening", "    Scene", "Loose", "  Other" }));

    Model.SetLink(scene, other);
    EXPECT_EQ(Shown(), QStringList({ "Opening", "  Opening", "    Scene", "    Other" }));

    CardData chapter = Model.Card(other);
    chapter.Type = Chapter;
    Model.ChangeCard(other, chapter);
    EXPECT_EQ(Shown(), QStringList({ "Opening", "  Opening", "    Scene", "  Other" }));

    Model.RemoveCard(scene);
    EXPECT_EQ(Shown(), QStringList({ "Loose", "  Opening", "  Other" }));
    Model.Clear();
    EXPECT_TRUE(Shown().isEmpty());
}

TEST_F(OutlineModelTest, AChainEditMovesTheRowsWithTheirCardsAndStartsOverOnlyWhenAChapterEmpties)
{
    const CardId one = Add("One", Chapter, 100);
    const CardId harbour = Add("Harbour", Scene, 20);
    const CardId storm = Add("Storm", Scene, 30);
    const CardId two = Add("Two", Chapter, 1);
    const CardId ending = Add("Ending", Scene, 2);
    Chain({ one, harbour, storm, two, ending });
    ASSERT_EQ(Shown(),
        QStringList({ "One", "  One", "    Harbour", "    Storm", "  Two", "    Ending" }));
    // What a view holds on to: its current row and the rows it keeps open.
    const QPersistentModelIndex current
        = Outline.IndexOf(storm).siblingAtColumn(OutlineModel::WordsColumn);
    const QPersistentModelIndex chapter = Outline.IndexOf(two);
    QSignalSpy resets(&Outline, &QAbstractItemModel::modelReset);
    QSignalSpy layouts(&Outline, &QAbstractItemModel::layoutChanged);

    // Each move is one change of the rows, announced once its links are all in place.
    ApplyLinks(Model, ChainEdits::PlanMoveUp(Model, storm));
    EXPECT_EQ(Shown(),
        QStringList({ "One", "  One", "    Storm", "    Harbour", "  Two", "    Ending" }));
    EXPECT_EQ(current, Outline.IndexOf(storm).siblingAtColumn(OutlineModel::WordsColumn));
    ApplyLinks(Model, ChainEdits::PlanMoveDown(Model, harbour));
    EXPECT_EQ(Shown(),
        QStringList({ "One", "  One", "    Storm", "  Two", "    Harbour", "    Ending" }));
    EXPECT_EQ(WordsOf(Outline.IndexOf(two)), "23");
    EXPECT_EQ(WordsOf(Outline.IndexOf(one)), "130");
    EXPECT_EQ(chapter, Outline.IndexOf(two));
    EXPECT_EQ(layouts.size(), 2);
    EXPECT_EQ(resets.size(), 0);

    // A chapter left without scenes has no rows to keep open: the rows start over.
    ApplyLinks(Model, ChainEdits::PlanMoveDown(Model, storm));
    EXPECT_EQ(Shown(),
        QStringList({ "One", "  One", "  Two", "    Storm", "    Harbour", "    Ending" }));
    EXPECT_EQ(resets.size(), 1);
}

TEST_F(OutlineModelTest, TenThousandCardsInAHundredChainsAreListed)
{
    // The checker walks every row after every change: too slow for ten thousand.
    Tester.reset();
    QList<CardId> last;
    for (int chain = 0; chain < 100; ++chain) {
        QList<CardId> cards;
        for (int card = 0; card < 100; ++card)
            cards << Add(
                QString("%1-%2").arg(chain).arg(card), card % 10 == 0 ? Chapter : Scene, 1);
        Chain(cards);
        last << cards.last();
    }
    ASSERT_EQ(Outline.rowCount(), 100);
    const QModelIndex chain = Outline.index(99, 0);
    EXPECT_EQ(Outline.rowCount(chain), 10);
    EXPECT_EQ(WordsOf(chain), "100");
    const QModelIndex end = Outline.IndexOf(last.last());
    EXPECT_EQ(end.data().toString(), "99-99");
    EXPECT_EQ(end.parent().parent(), chain);
    EXPECT_EQ(end.row(), 8);
}

} // namespace
