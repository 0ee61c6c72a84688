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
    EXPECT_EQ(LinkCards(*A, *B), LinkResult::Linked);
    EXPECT_EQ(A->LinkTo(), B);
    EXPECT_EQ(A->LinkToName(), "B");
    EXPECT_EQ(B->LinkedFrom(), A);
    EXPECT_TRUE(LineShown(A));
    // From A's centre (124, 124) to B's centre (324, 124).
    EXPECT_EQ(A->Line()->Box(), QRect(124, 124, 200, 3));

    EXPECT_EQ(LinkCards(*A, *B), LinkResult::Unlinked);
    EXPECT_EQ(A->LinkTo(), nullptr);
    EXPECT_EQ(A->LinkToName(), "");
    EXPECT_EQ(B->LinkedFrom(), nullptr);
    EXPECT_FALSE(LineShown(A));
    EXPECT_EQ(A->Line()->Width(), 0);
    EXPECT_EQ(A->Line()->Height(), 0);

    EXPECT_EQ(LinkCards(*A, *B), LinkResult::Linked);
    UnlinkCard(*A);
    EXPECT_EQ(A->LinkTo(), nullptr);
    EXPECT_EQ(B->LinkedFrom(), nullptr);
    EXPECT_FALSE(LineShown(A));
}

TEST_F(LinksTest, LinksThatWouldCloseACycleAreRefused)
{
    ASSERT_EQ(LinkCards(*A, *B), LinkResult::Linked);
    ASSERT_EQ(LinkCards(*B, *C), LinkResult::Linked);

    EXPECT_EQ(LinkCards(*C, *A), LinkResult::Refused);
    EXPECT_EQ(LinkCards(*B, *A), LinkResult::Refused);
    EXPECT_EQ(ChainFrom(A), (QList<TNodex*> { A, B, C }));
    EXPECT_EQ(A->LinkedFrom(), nullptr);
    EXPECT_EQ(B->LinkedFrom(), A);
    EXPECT_EQ(C->LinkedFrom(), B);
    EXPECT_EQ(C->LinkTo(), nullptr);
    EXPECT_TRUE(LineShown(A));
    EXPECT_TRUE(LineShown(B));
    EXPECT_FALSE(LineShown(C));
}

TEST_F(LinksTest, LinkingPastTheNextCardTakesTheTargetOutOfItsChain)
{
    ASSERT_EQ(LinkCards(*A, *B), LinkResult::Linked);
    ASSERT_EQ(LinkCards(*B, *C), LinkResult::Linked);

    EXPECT_EQ(LinkCards(*A, *C), LinkResult::Linked);
    EXPECT_EQ(ChainFrom(A), (QList<TNodex*> { A, C }));
    EXPECT_EQ(C->LinkedFrom(), A);
    EXPECT_EQ(B->LinkedFrom(), nullptr);
    EXPECT_EQ(B->LinkTo(), nullptr);
    EXPECT_EQ(B->LinkToName(), "");
    EXPECT_FALSE(LineShown(B));
    EXPECT_TRUE(LineShown(A));
    // From A's centre (124, 124) down and right to C's centre (324, 324).
    EXPECT_EQ(A->Line()->Box(), QRect(124, 124, 200, 200));
}

TEST_F(LinksTest, LinkingToATargetWithAPredecessorTakesItFromThatCard)
{
    ASSERT_EQ(LinkCards(*A, *B), LinkResult::Linked);
    ASSERT_EQ(LinkCards(*C, *D), LinkResult::Linked);

    // C leaves D behind, and B leaves A.
    EXPECT_EQ(LinkCards(*C, *B), LinkResult::Linked);
    EXPECT_EQ(A->LinkTo(), nullptr);
    EXPECT_EQ(A->LinkToName(), "");
    EXPECT_FALSE(LineShown(A));
    EXPECT_EQ(C->LinkTo(), B);
    EXPECT_EQ(B->LinkedFrom(), C);
    EXPECT_EQ(D->LinkedFrom(), nullptr);
    EXPECT_TRUE(LineShown(C));

    // Each card still has at most one predecessor, and the back links agree.
    for (TNodex* card : Canvas.Cards()) {
        if (card->LinkTo()) {
            EXPECT_EQ(card->LinkTo()->LinkedFrom(), card) << card->Name().toStdString();
        }
    }
}

TEST_F(LinksTest, ChainsStopAtTheirEndOrBeforeAStoredLoopComesRound)
{
    EXPECT_TRUE(ChainFrom(nullptr).isEmpty());
    EXPECT_EQ(ChainFrom(D), QList<TNodex*> { D });

    // A damaged project: A -> B -> C -> A.
    A->SetLinkTo(B);
    B->SetLinkTo(C);
    C->SetLinkTo(A);
    A->SetLinkedFrom(C);
    B->SetLinkedFrom(A);
    C->SetLinkedFrom(B);
    EXPECT_EQ(ChainFrom(B), (QList<TNodex*> { B, C, A }));

    // The cycle test walks the loop once and ends; D is not on it.
    EXPECT_EQ(LinkCards(*D, *A), LinkResult::Linked);
    EXPECT_EQ(D->LinkTo(), A);
    EXPECT_EQ(A->LinkedFrom(), D);
    EXPECT_EQ(C->LinkTo(), nullptr);
    EXPECT_EQ(LinkCards(*C, *A), LinkResult::Refused);
    EXPECT_EQ(ChainFrom(D), (QList<TNodex*> { D, A, B, C }));
}

TEST_F(LinksTest, StoredLinksResolveToTheFirstOtherCardOfThatExactName)
{
    // Canvas order: A, B, C, D, then two cards named "Twin" and one named "twin".
    TNodex* lowerTwin = MakeCard("twin", 500, 100);
    TNodex* firstTwin = MakeCard("Twin", 700, 100);
    TNodex* secondTwin = MakeCard("Twin", 700, 300);
    A->SetLinkToName("Twin");
    firstTwin->SetLinkToName("Twin");
    B->SetLinkToName("TWIN");
    C->SetLinkToName("Nobody");
    D->SetLinkToName("D");

    ResolveStoredLinks(Canvas.Cards());
    EXPECT_EQ(A->LinkTo(), firstTwin);
    EXPECT_EQ(A->LinkToName(), "Twin");
    EXPECT_EQ(firstTwin->LinkTo(), secondTwin);
    EXPECT_EQ(secondTwin->LinkedFrom(), firstTwin);
    EXPECT_EQ(lowerTwin->LinkedFrom(), nullptr);
    EXPECT_EQ(B->LinkTo(), nullptr);
    EXPECT_EQ(C->LinkTo(), nullptr);
    EXPECT_EQ(D->LinkTo(), nullptr);
    EXPECT_EQ(D->LinkedFrom(), nullptr);

    EXPECT_TRUE(LineShown(A));
    EXPECT_TRUE(LineShown(firstTwin));
    EXPECT_FALSE(LineShown(B));
    EXPECT_FALSE(LineShown(D));
    // From A's centre (124, 124) to the first twin's centre (724, 124).
    EXPECT_EQ(A->Line()->scene(), &Canvas);
    EXPECT_EQ(A->Line()->Box(), QRect(124, 124, 600, 3));
}
