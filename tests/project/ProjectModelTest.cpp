#include "project/ProjectModel.h"

#include <gtest/gtest.h>

TEST(ProjectModel, EveryChangeNamesTheCardsWhoseDrawingChangesAndLinksStayMutual)
{
    ProjectModel model;
    QStringList told;
    const auto tell = [&](const char* what) {
        // The card is still there to be read when its removal is told.
        return [&told, &model, what](CardId card) { told << what + (" " + model.Card(card).Name); };
    };
    QObject::connect(&model, &ProjectModel::CardAdded, &model, tell("added"));
    QObject::connect(&model, &ProjectModel::CardChanged, &model, tell("changed"));
    QObject::connect(&model, &ProjectModel::CardLinked, &model, tell("linked"));
    QObject::connect(&model, &ProjectModel::CardRemoved, &model, tell("removed"));
    QObject::connect(&model, &ProjectModel::Cleared, &model, [&] { told << "cleared"; });
    const auto take = [&] { return std::exchange(told, {}).join(", ").toStdString(); };

    CardData data;
    data.Name = "A";
    const CardId a = model.AddCard(data);
    data.Name = "B";
    const CardId b = model.AddCard(data);
    data.Name = "C";
    const CardId c = model.AddCard(data);
    EXPECT_EQ(take(), "added A, added B, added C");

    model.ChangeCard(a, model.Card(a));
    model.MoveCards({ { a, model.Card(a).Position }, { b, { 300, 100 } } });
    EXPECT_EQ(take(), "changed B") << "what does not change is not redrawn";

    model.SetLink(a, c);
    EXPECT_EQ(take(), "linked A");
    model.SetLink(b, c);
    EXPECT_EQ(take(), "linked A, linked B") << "C's old predecessor lets go of it";
    EXPECT_EQ(model.LinkTo(a), 0);
    EXPECT_EQ(model.LinkedFrom(c), b);
    model.SetLink(b, c);
    EXPECT_EQ(take(), "");

    model.RemoveCard(c);
    EXPECT_EQ(take(), "linked B, removed C");
    EXPECT_EQ(model.LinkTo(b), 0);
    model.Clear();
    EXPECT_EQ(take(), "cleared");
    EXPECT_TRUE(model.Cards().isEmpty());
}
