#include "project/LinkRules.h"

#include <gtest/gtest.h>

namespace {

/// Cards A, B, C and D in that canvas order, none linked.
class LinkRulesTest : public testing::Test {
protected:
    void SetUp() override
    {
        A = Add("A");
        B = Add("B");
        C = Add("C");
        D = Add("D");
    }

    CardId Add(const QString& name)
    {
        CardData data;
        data.Name = name;
        return Model.AddCard(data);
    }

    /// Links as a command does: the plan, applied.
    LinkResult Link(CardId source, CardId target)
    {
        const LinkPlan plan = PlanLink(Model, source, target);
        ApplyLinks(Model, plan.After);
        return plan.Result;
    }

    /// Every link agrees with its back link.
    void ExpectConsistent()
    {
        for (const CardId card : Model.Cards())
            if (const CardId successor = Model.LinkTo(card)) {
                EXPECT_EQ(Model.LinkedFrom(successor), card) << Model.Card(card).Name.toStdString();
            }
    }

    ProjectModel Model;
    CardId A = 0;
    CardId B = 0;
    CardId C = 0;
    CardId D = 0;
};

} // namespace

TEST_F(LinkRulesTest, LinkingAPairAgainRemovesTheLinkAndCyclesAreRefused)
{
    EXPECT_EQ(Link(A, B), LinkResult::Linked);
    EXPECT_EQ(Model.LinkedFrom(B), A);
    EXPECT_EQ(Link(A, B), LinkResult::Unlinked);
    EXPECT_EQ(Model.LinkTo(A), 0);
    EXPECT_EQ(Model.LinkedFrom(B), 0);

    ASSERT_EQ(Link(A, B), LinkResult::Linked);
    ASSERT_EQ(Link(B, C), LinkResult::Linked);
    for (auto [source, target] : { std::pair { C, A }, std::pair { B, A } }) {
        const LinkPlan plan = PlanLink(Model, source, target);
        EXPECT_EQ(plan.Result, LinkResult::Refused);
        EXPECT_TRUE(plan.After.isEmpty());
    }
    EXPECT_EQ(Model.ChainFrom(A), (QList<CardId> { A, B, C }));
}

TEST_F(LinkRulesTest, ATargetLeavesTheChainOfItsOldPredecessorAndASnapshotBringsItBack)
{
    ASSERT_EQ(Link(A, B), LinkResult::Linked);
    ASSERT_EQ(Link(B, C), LinkResult::Linked);
    // Linking past the next card: A -> B -> C, then A -> C.
    const LinkPlan plan = PlanLink(Model, A, C);
    EXPECT_EQ(plan.After, (LinkSnapshot { { A, C }, { B, 0 } }));
    const LinkSnapshot before = CurrentLinks(Model, plan.After.keys());
    ApplyLinks(Model, plan.After);
    EXPECT_EQ(Model.ChainFrom(A), (QList<CardId> { A, C }));
    EXPECT_EQ(Model.LinkedFrom(B), 0);
    ExpectConsistent();

    ApplyLinks(Model, before);
    EXPECT_EQ(Model.ChainFrom(A), (QList<CardId> { A, B, C }));
    ExpectConsistent();
}

TEST_F(LinkRulesTest, ChainsStopBeforeAStoredLoopComesRound)
{
    EXPECT_TRUE(Model.ChainFrom(0).isEmpty());
    EXPECT_EQ(Model.ChainFrom(D), QList<CardId> { D });
    // A damaged project: A -> B -> C -> A.
    Model.AddStoredLink(A, B);
    Model.AddStoredLink(B, C);
    Model.AddStoredLink(C, A);
    EXPECT_EQ(Model.ChainFrom(B), (QList<CardId> { B, C, A }));
    // The cycle test walks the loop once and ends; D is not on it.
    EXPECT_EQ(Link(D, A), LinkResult::Linked);
    EXPECT_EQ(Model.LinkTo(C), 0);
    EXPECT_EQ(Link(C, A), LinkResult::Refused);
    EXPECT_EQ(Model.ChainFrom(D), (QList<CardId> { D, A, B, C }));
}

TEST_F(LinkRulesTest, RemovingACardLetsGoOfEveryLinkIntoIt)
{
    // A damaged project: A and D both name C, whose predecessor is the last, D.
    Model.AddStoredLink(A, C);
    Model.AddStoredLink(D, C);
    Model.AddStoredLink(C, B);
    EXPECT_EQ(Model.LinkedFrom(C), D);
    Model.RemoveCard(C);
    EXPECT_EQ(Model.LinkTo(A), 0);
    EXPECT_EQ(Model.LinkTo(D), 0);
    EXPECT_EQ(Model.LinkedFrom(B), 0);
    EXPECT_EQ(Model.Cards(), (QList<CardId> { A, B, D }));

    // A card brought back keeps its id and its place in the canvas order.
    CardData c;
    c.Name = "C";
    EXPECT_EQ(Model.AddCard(c, C, 2), C);
    EXPECT_EQ(Model.Cards(), (QList<CardId> { A, B, C, D }));
    EXPECT_GT(Add("E"), D) << "ids are never reused";
}

TEST_F(LinkRulesTest, StoredLinksResolveToTheFirstOtherCardOfThatExactName)
{
    // Canvas order: A, B, C, D, then two cards named "Twin", one "twin" and one " Lead".
    const CardId lowerTwin = Add("twin");
    const CardId firstTwin = Add("Twin");
    const CardId secondTwin = Add("Twin");
    const CardId lead = Add(" Lead");
    ResolveStoredLinks(Model,
        { { A, "Twin" }, { firstTwin, "Twin" }, { B, "TWIN" }, { C, " Lead" }, { D, " B " },
            { lowerTwin, "twin" } });
    EXPECT_EQ(Model.LinkTo(A), firstTwin);
    EXPECT_EQ(Model.LinkTo(firstTwin), secondTwin);
    EXPECT_EQ(Model.LinkTo(C), lead) << "a name beginning with a blank is kept as stored";
    EXPECT_EQ(Model.LinkTo(D), B) << "blanks written around a name are not part of it";
    EXPECT_EQ(Model.LinkTo(lowerTwin), 0) << "a card never links to itself";
    EXPECT_EQ(Model.LinkTo(B), 0);
}
