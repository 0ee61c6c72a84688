#include "FolderDiff.h"
#include "StepsFixture.h"
#include "platform/FileSteps.h"
#include "steps/ChainStep.h"
#include "steps/ChangeCardStep.h"
#include "steps/DeleteCardsStep.h"
#include "steps/LinkCardsStep.h"
#include "steps/MergeStep.h"
#include "steps/MoveCardsStep.h"
#include "steps/NewCardStep.h"

#include <QDir>
#include <QProcess>
#include <cerrno>
#include <functional>
#include <memory>

namespace {

/// One kind of step, as the commands push it.
struct StepCase {
    const char* Name;
    std::function<void()> Do;
};

/// Pushes each kind of step as the card commands push it.
class UndoSteps : public StepsFixture {
protected:
    /// Revision state or properties; a new name moves the files first, as the dialog does.
    void Change(
        const QString& name, const QString& text, const std::function<void(CardData&)>& edit)
    {
        const CardId card = Id(name);
        const CardData before = Model.Card(card);
        CardData after = before;
        edit(after);
        const bool renames = after.Name != before.Name;
        QString reason;
        if (renames) {
            ASSERT_TRUE(Store.RenameCardFiles(card, after.Name, reason)) << reason.toStdString();
        }
        Steps.push(new ChangeCardStep(Context, text, card, before, after, renames));
    }
    void Delete(const QStringList& names, bool withText)
    {
        QList<DeleteCardsStep::Going> going;
        for (const QString& name : names)
            going.append({ Id(name), withText });
        Steps.push(new DeleteCardsStep(Context, "Delete", going));
    }
    void NewCard(const QString& name)
    {
        CardData data;
        data.Name = name;
        data.Position = { 484, 384 };
        const CardId card = Model.AddCard(data);
        Steps.push(new NewCardStep(Context, card, data, Model.IndexOf(card), true));
    }
    /// Merges the chain from A into A's text, deleting the merged cards when `deleteMerged`.
    void Merge(bool deleteMerged)
    {
        auto step = std::make_unique<MergeStep>(Context, Id("A"), "A text\n\nC text\n\n");
        QString reason;
        ASSERT_TRUE(step->WriteMergedText(reason)) << reason.toStdString();
        if (deleteMerged)
            new DeleteCardsStep(
                Context, step->text(), { { Id("B"), true }, { Id("C"), true } }, step.get());
        Steps.push(step.release());
    }
};

} // namespace

TEST_F(UndoSteps, EveryStepUndoneAndRedoneLeavesFilesAndModelAsTheyWere)
{
    const QList<StepCase> steps = {
        { "Move Card",
            [&] {
                Steps.push(new MoveCardsStep(
                    Context, { { Id("D"), { 550, 100 } } }, { { Id("D"), { 590, 160 } } }));
            } },
        { "Link", [&] { Link("D", "A", "Link"); } },
        { "Unlink", [&] { Link("A", "B", "Unlink"); } },
        { "Link into a chain", [&] { Link("A", "C", "Link"); } },
        { "Remove Links",
            [&] {
                LinkSnapshot after;
                for (const CardId card : Model.ChainFrom(Id("A")))
                    if (Model.LinkTo(card))
                        after.insert(card, 0);
                Steps.push(new LinkCardsStep(
                    Context, "Remove Links", CurrentLinks(Model, after.keys()), after));
            } },
        { "Revision State",
            [&] { Change("D", "Revision State", [](CardData& data) { data.State = 2; }); } },
        { "New Card", [&] { NewCard("E"); } },
        { "Properties",
            [&] {
                Change("C", "Properties", [](CardData& data) {
                    data.Name = "Sea";
                    data.Description = "Waves";
                });
            } },
        { "Delete Card", [&] { Delete({ "C" }, true); } },
        { "Delete 2 Cards",
            [&] {
                Delete({ "A", "D" }, false);
            } },
        { "Merge and delete", [&] { Merge(true); } },
        { "Merge", [&] { Merge(false); } },
    };
    for (const StepCase& step : steps) {
        SCOPED_TRACE(step.Name);
        const QStringList modelBefore = ModelShown();
        const QString before = KeepFolder("before");
        step.Do();
        const QStringList modelAfter = ModelShown();
        const QString after = KeepFolder("after");
        ASSERT_TRUE(modelAfter != modelBefore || !FolderDiff(before, after).isEmpty());

        // The history keeps what a step replaced even once the step is undone.
        const QStringList history = { ".nodex-history" };
        Steps.undo();
        EXPECT_EQ(ModelShown().join('\n').toStdString(), modelBefore.join('\n').toStdString());
        EXPECT_EQ(FolderDiff(Projects.Path(), before, history).join('\n').toStdString(), "");
        Steps.redo();
        EXPECT_EQ(ModelShown().join('\n').toStdString(), modelAfter.join('\n').toStdString());
        EXPECT_EQ(FolderDiff(Projects.Path(), after, history).join('\n').toStdString(), "");
        Steps.undo();
        EXPECT_EQ(FolderDiff(Projects.Path(), before, history).join('\n').toStdString(), "");
        QProcess::execute("rm", { "-rf", before, after });
    }
    EXPECT_TRUE(Dialogs.Texts().isEmpty()) << Dialogs.Texts().join('\n').toStdString();
}

TEST_F(UndoSteps, AStepWhoseFilesChangedOnDiskSinceIsRefusedWithItsReason)
{
    struct Case {
        const char* File;
        std::function<void()> Do;
        bool Undo;
        const char* Reason;
    };
    const QList<Case> cases = {
        // The merged text is edited outside the program: undoing would lose that.
        { "Text Files/A.txt", [&] { Merge(false); }, true, "'A.txt' was changed on disk since." },
        // A deleted card's text file made again under its name is not overwritten.
        { "Text Files/D.txt", [&] { Delete({ "D" }, true); }, true, "'D.txt' exists again." },
        // A new card's file that another program wrote to is not taken away, nor one it made
        // where the card's own could not be written.
        { "E.ndx", [&] { NewCard("E"); }, true, "'E.ndx' was changed on disk since." },
        { "G.ndx",
            [&] {
                SetFileStepHook([](FileStep step, const QByteArray&) {
                    return StepOutcome { step == FileStep::CreateTemp ? ENOSPC : 0 };
                });
                NewCard("G");
                SetFileStepHook({});
            },
            true, "'G.ndx' was changed on disk since." },
        // What is written outside the program after an undo is neither overwritten by the
        // merged text nor deleted with its card.
        { "Text Files/A.txt",
            [&] {
                Merge(true);
                Steps.undo();
            },
            false, "'A.txt' was changed on disk since." },
        { "Text Files/B.txt",
            [&] {
                Delete({ "B" }, true);
                Steps.undo();
            },
            false, "'B.txt' was changed on disk since." },
        // A file made under a new card's name after the undo is not taken for the card's own.
        { "F.ndx",
            [&] {
                NewCard("F");
                Steps.undo();
            },
            false, "'F.ndx' exists again." },
        // A step within a step refuses for the whole: the merge's deleting of C.
        { "Text Files/C.txt",
            [&] {
                Merge(true);
                Steps.undo();
            },
            false, "'C.txt' was changed on disk since." },
        // A card file changed elsewhere does not get this program's link back at the next save.
        { "B.ndx", [&] { Steps.push(ChainStep::RemoveFromChain(Context, Id("B")).release()); },
            true, "'B.ndx' was changed on disk since." },
    };
    for (const Case& unsafe : cases) {
        SCOPED_TRACE(unsafe.File);
        unsafe.Do();
        // Each time another text, so that none is what a step put back.
        const QByteArray edited = "Edited elsewhere " + QByteArray::number(Steps.index()) + "\r\n";
        Projects.Write(unsafe.File, edited);
        const QStringList shown = ModelShown();
        const int index = Steps.index();
        QString reason;
        EXPECT_FALSE(unsafe.Undo ? ProjectStep::UndoTop(Steps, reason)
                                 : ProjectStep::RedoNext(Steps, reason));
        EXPECT_EQ(reason, unsafe.Reason);
        EXPECT_EQ(Steps.index(), index);
        EXPECT_EQ(ModelShown(), shown);
        EXPECT_EQ(Projects.Read(unsafe.File), edited);
    }
}

TEST_F(UndoSteps, ARenameWhoseFilesCannotMoveBackIsNotUndoneAtAll)
{
    Change("C", "Properties", [](CardData& data) { data.Name = "Sea"; });
    // The rename journal's name is taken, so the files cannot be moved.
    Projects.MakeFolder(".nodex-rename");
    const QStringList shown = ModelShown();
    QString reason;
    EXPECT_FALSE(ProjectStep::UndoTop(Steps, reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(Steps.index(), 1);
    EXPECT_EQ(ModelShown(), shown) << "the card keeps its name and its incoming link";
    EXPECT_TRUE(Projects.Exists("Sea.ndx") && Projects.Exists("Text Files/Sea.txt"));
    EXPECT_TRUE(Dialogs.Texts().isEmpty()) << "the caller says why";

    // Once the way is free the rename is undone and redone.
    QDir(Projects.Path(".nodex-rename")).removeRecursively();
    ASSERT_TRUE(ProjectStep::UndoTop(Steps, reason)) << reason.toStdString();
    EXPECT_EQ(Model.Card(Model.LinkTo(Id("B"))).Name, "C");
    EXPECT_TRUE(Projects.Exists("C.ndx") && !Projects.Exists("Sea.ndx"));
    ASSERT_TRUE(ProjectStep::RedoNext(Steps, reason)) << reason.toStdString();
    EXPECT_EQ(ModelShown(), shown);
    EXPECT_TRUE(Projects.Exists("Sea.ndx") && !Projects.Exists("C.ndx"));
}

TEST_F(UndoSteps, ARenameCutShortLeavesNoSecondCardAndIsFinishedAtTheNextOpen)
{
    const auto failing = [](FileStep failed, const char* file) {
        SetFileStepHook([=](FileStep step, const QByteArray& path) {
            return step == failed && path.endsWith(file) ? StepOutcome { EACCES } : StepOutcome {};
        });
    };
    // A text that cannot move takes back the new card file: it would open as a card of its own,
    // without a text.
    failing(FileStep::Move, "Text Files/Sea.txt");
    QString reason;
    EXPECT_FALSE(Store.RenameCardFiles(Id("C"), "Sea", reason));
    SetFileStepHook({});
    EXPECT_TRUE(reason.contains("Permission denied")) << reason.toStdString();
    EXPECT_FALSE(Projects.Exists("Sea.ndx") || Projects.Exists(".nodex-rename"));
    EXPECT_EQ(Projects.Read("Text Files/C.txt"), "C text\r\n");

    // A card without a text whose old card file stays: the next open finishes the rename.
    failing(FileStep::Remove, "/B.ndx");
    EXPECT_TRUE(Store.RenameCardFiles(Id("B"), "Bee", reason)) << reason.toStdString();
    SetFileStepHook({});
    Store.CloseProject();
    ASSERT_EQ(Open("Book.nodex").Result, ProjectStore::OpenResult::Opened);
    EXPECT_EQ(CardNames(), (QStringList { "A", "Bee", "C", "D" }));
    EXPECT_EQ(Model.LinkTo(Id("A")), Id("Bee"));
    EXPECT_FALSE(Projects.Exists("B.ndx") || Projects.Exists(".nodex-rename"));
}
