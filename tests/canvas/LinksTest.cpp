#include "canvas/Links.h"

#include "canvas/Canvas.h"
#include "canvas/NodexLine.h"
#include "canvas/NodexObject.h"

#include <gtest/gtest.h>

namespace {

/// Cards A, B, C and D on a 1000 x 700 canvas, in that canvas order, 200 pixels apart.
class LinksTest : public testing::Test {
protected:
    void SetUp() override
    {
        Canvas.SetCanvasSize(1000, 700);
        A = MakeCard("A", 100, 100);
        B = MakeCard("B", 300, 100);
        C = MakeCard("C", 300, 300);
        D = MakeCard("D", 100, 300);
    }

    TNodex* MakeCard(const QString& name, int left, int top)
    {
        TNodex* card = Canvas.CreateCard();
        card->MoveTo(left, top);
        card->SetName(name);
        card->setVisible(true);
        return card;
    }

    /// Links as the canvas does: the link, then the lines it reports.
    LinkResult Link(TNodex* source, TNodex* target)
    {
        const LinkChange change = LinkCards(*source, *target);
        for (TNodex* card : change.LinesChanged)
            card->RefreshLine();
        return change.Result;
    }

    static bool LineShown(const TNodex* card) { return card->Line()->isVisible(); }

    TCanvas Canvas;
    TNodex* A = nullptr;
    TNodex* B = nullptr;
    TNodex* C = nullptr;
    TNodex* D = nullptr;
};

} // namespace

TEST_F(LinksTest, LinkingAnExistingPairAgainRemovesTheLink)
{
    const LinkChange linked = LinkCards(*A, *B);
    EXPECT_EQ(linked.Result, LinkResult::Linked);
    EXPECT_EQ(linked.LinesChanged, QList<TNodex*>{A});
    EXPECT_FALSE(LineShown(A)) << "the link itself draws nothing";
    A->RefreshLine();
    EXPECT_EQ(A->LinkToName(), "B");
    EXPECT_EQ(B->LinkedFrom(), A);
    // From A's centre (124, 124) to B's centre (324, 124).
    EXPECT_EQ(A->Line()->Box(), QRect(124, 124, 200, 3));

    EXPECT_EQ(Link(A, B), LinkResult::Unlinked);
    EXPECT_EQ(A->LinkTo(), nullptr);
    EXPECT_EQ(A->LinkToName(), "");
    EXPECT_EQ(B->LinkedFrom(), nullptr);
    EXPECT_FALSE(LineShown(A));
    EXPECT_EQ(A->Line()->Width(), 0);
}

TEST_F(LinksTest, LinksThatWouldCloseACycleAreRefused)
{
    ASSERT_EQ(Link(A, B), LinkResult::Linked);
    ASSERT_EQ(Link(B, C), LinkResult::Linked);

    for (auto [source, target] : {std::pair{C, A}, std::pair{B, A}}) {
        const LinkChange change = LinkCards(*source, *target);
        EXPECT_EQ(change.Result, LinkResult::Refused);
        EXPECT_TRUE(change.LinesChanged.isEmpty());
    }
    EXPECT_EQ(ChainFrom(A), (QList<TNodex*>{A, B, C}));
    EXPECT_EQ(A->LinkedFrom(), nullptr);
    EXPECT_EQ(C->LinkedFrom(), B);
}

TEST_F(LinksTest, ATargetLeavesTheChainOfItsOldPredecessor)
{
    // Linking past the next card: A -> B -> C, then A -> C.
    ASSERT_EQ(Link(A, B), LinkResult::Linked);
    ASSERT_EQ(Link(B, C), LinkResult::Linked);
    const LinkChange change = LinkCards(*A, *C);
    EXPECT_EQ(change.LinesChanged, (QList<TNodex*>{B, A}));
    for (TNodex* card : change.LinesChanged)
        card->RefreshLine();
    EXPECT_EQ(ChainFrom(A), (QList<TNodex*>{A, C}));
    EXPECT_EQ(C->LinkedFrom(), A);
    EXPECT_EQ(B->LinkedFrom(), nullptr);
    EXPECT_EQ(B->LinkToName(), "");
    EXPECT_FALSE(LineShown(B));
    EXPECT_EQ(A->Line()->Box(), QRect(124, 124, 200, 200));

    // D -> C takes C from A; every remaining link agrees with its back link.
    EXPECT_EQ(Link(D, C), LinkResult::Linked);
    EXPECT_EQ(A->LinkTo(), nullptr);
    EXPECT_FALSE(LineShown(A));
    for (TNodex* card : Canvas.Cards()) {
        if (card->LinkTo()) {
            EXPECT_EQ(card->LinkTo()->LinkedFrom(), card) << card->Name().toStdString();
        }
    }
}

TEST_F(LinksTest, ChainsStopAtTheirEndOrBeforeAStoredLoopComesRound)
{
    EXPECT_TRUE(ChainFrom(nullptr).isEmpty());
    EXPECT_EQ(ChainFrom(D), QList<TNodex*>{D});

    // A damaged project: A -> B -> C -> A.
    A->SetLinkTo(B);
    B->SetLinkTo(C);
    C->SetLinkTo(A);
    A->SetLinkedFrom(C);
    B->SetLinkedFrom(A);
    C->SetLinkedFrom(B);
    EXPECT_EQ(ChainFrom(B), (QList<TNodex*>{B, C, A}));

    // The cycle test walks the loop once and ends; D is not on it.
    EXPECT_EQ(Link(D, A), LinkResult::Linked);
    EXPECT_EQ(C->LinkTo(), nullptr);
    EXPECT_EQ(Link(C, A), LinkResult::Refused);
    EXPECT_EQ(ChainFrom(D), (QList<TNodex*>{D, A, B, C}));
}

TEST_F(LinksTest, StoredLinksResolveToTheFirstOtherCardOfThatExactName)
{
    // Canvas order: A, B, C, D, then two cards named "Twin", one "twin" and one " Lead".
    TNodex* lowerTwin = MakeCard("twin", 500, 100);
    TNodex* firstTwin = MakeCard("Twin", 700, 100);
    TNodex* secondTwin = MakeCard("Twin", 700, 300);
    TNodex* lead = MakeCard(" Lead", 500, 500);
    A->SetLinkToName("Twin");
    firstTwin->SetLinkToName("Twin");
    B->SetLinkToName("TWIN");
    C->SetLinkToName(" Lead");
    D->SetLinkToName(" B ");
    lowerTwin->SetLinkToName("twin");

    EXPECT_EQ(ResolveStoredLinks(Canvas.Cards()), (QList<TNodex*>{A, C, D, firstTwin}));
    EXPECT_EQ(A->LinkTo(), firstTwin);
    EXPECT_EQ(firstTwin->LinkTo(), secondTwin);
    EXPECT_EQ(C->LinkTo(), lead) << "a name beginning with a blank is kept as stored";
    EXPECT_EQ(D->LinkTo(), B) << "blanks written around a name are not part of it";
    EXPECT_EQ(lowerTwin->LinkTo(), nullptr) << "a card never links to itself";
    EXPECT_EQ(lowerTwin->LinkedFrom(), nullptr);
    EXPECT_EQ(B->LinkTo(), nullptr);
}
