#include "FolderDiff.h"
#include "StepsFixture.h"
#include "steps/ChainStep.h"

#include <QDir>
#include <QProcess>
#include <functional>

namespace {

using Maker = std::function<std::unique_ptr<ChainStep>()>;

/// The book Ch1 s1 s2 Ch2 s3 Ch3 (chapters and their scenes), the chain X Y and the loose
/// card L, saved as the store writes them.
class ChainSteps : public StepsFixture {
protected:
    void SetUp() override
    {
        Projects.Write("Book.nodex", "[Theme]\nName=Book.ini\n");
        // Stored type 0 is a chapter, 1 a scene.
        const QList<std::tuple<QString, int, QString>> cards = { { "Ch1", 0, "s1" },
            { "s1", 1, "s2" }, { "s2", 1, "Ch2" }, { "Ch2", 0, "s3" }, { "s3", 1, "Ch3" },
            { "Ch3", 0, "" }, { "X", 1, "Y" }, { "Y", 1, "" }, { "L", 1, "" } };
        int left = 0;
        for (const auto& [name, type, linkTo] : cards)
            WriteCard(name, type, 0, left += 100, 100, linkTo);
        ASSERT_EQ(Open("Book.nodex").Result, ProjectStore::OpenResult::Opened);
        ASSERT_TRUE(Save().isEmpty());
    }

    /// The chains as the card files link them after a save, each from its first card.
    QString ChainsOnDisk()
    {
        EXPECT_TRUE(Save().isEmpty());
        QHash<QString, QString> linkTo;
        QSet<QString> linked;
        for (const QString& file : QDir(Projects.Path()).entryList({ "*.ndx" }, QDir::Files)) {
            const QString target = QString::fromUtf8(Projects.Read(file))
                                       .section("[LinkTo]\nName=", 1)
                                       .section('\n', 0, 0);
            if (!target.isEmpty()) {
                linkTo.insert(file.chopped(4), target);
                linked.insert(target);
            }
        }
        QStringList chains;
        for (auto link = linkTo.cbegin(); link != linkTo.cend(); ++link) {
            if (linked.contains(link.key()))
                continue;
            QStringList chain;
            for (QString card = link.key(); !card.isEmpty() && chain.size() <= linkTo.size();
                 card = linkTo.value(card))
                chain << card;
            chains << chain.join(' ');
        }
        chains.sort();
        return chains.join(" | ");
    }

    ChainPlace Before(const char* name) { return { Id(name), ChainPlace::Side::Before }; }
    ChainPlace After(const char* name) { return { Id(name), ChainPlace::Side::After }; }
};

} // namespace

TEST_F(ChainSteps, EachReorderIsWrittenAtTheNextSaveAndUndoneAndRedoneByteForByte)
{
    struct Case {
        const char* Text;
        Maker Make;
        const char* Chains;
    };
    const QList<Case> cases = {
        { "Move 's2' Up", [&] { return ChainStep::MoveUp(Context, Id("s2")); },
            "Ch1 s2 s1 Ch2 s3 Ch3 | X Y" },
        // A scene passes its chapter card into the chapter before.
        { "Move 's3' Up", [&] { return ChainStep::MoveUp(Context, Id("s3")); },
            "Ch1 s1 s2 s3 Ch2 Ch3 | X Y" },
        { "Move 'X' Down", [&] { return ChainStep::MoveDown(Context, Id("X")); },
            "Ch1 s1 s2 Ch2 s3 Ch3 | Y X" },
        // A chapter moves with its scenes past the whole chapter group beside it.
        { "Move 'Ch2' Up", [&] { return ChainStep::MoveUp(Context, Id("Ch2")); },
            "Ch2 s3 Ch1 s1 s2 Ch3 | X Y" },
        { "Move 'Ch1' Down", [&] { return ChainStep::MoveDown(Context, Id("Ch1")); },
            "Ch2 s3 Ch1 s1 s2 Ch3 | X Y" },
        { "Move 'Ch2' Down", [&] { return ChainStep::MoveDown(Context, Id("Ch2")); },
            "Ch1 s1 s2 Ch3 Ch2 s3 | X Y" },
        { "Move 'Ch2'", [&] { return ChainStep::MoveTo(Context, Id("Ch2"), After("X")); },
            "Ch1 s1 s2 Ch3 | X Ch2 s3 Y" },
        { "Move 's1'", [&] { return ChainStep::MoveTo(Context, Id("s1"), Before("Ch1")); },
            "X Y | s1 Ch1 s2 Ch2 s3 Ch3" },
        { "Link 'L' into Chain", [&] { return ChainStep::MoveTo(Context, Id("L"), After("Y")); },
            "Ch1 s1 s2 Ch2 s3 Ch3 | X Y L" },
        { "Remove 'Ch2' from Chain", [&] { return ChainStep::MoveOut(Context, Id("Ch2")); },
            "Ch1 s1 s2 Ch3 | Ch2 s3 | X Y" },
        { "Remove 'Ch2' from Chain", [&] { return ChainStep::RemoveFromChain(Context, Id("Ch2")); },
            "Ch1 s1 s2 s3 Ch3 | X Y" },
    };
    const QStringList history = { ".nodex-history" };
    for (const Case& edit : cases) {
        SCOPED_TRACE(edit.Text);
        const QString before = KeepFolder("before");
        std::unique_ptr<ChainStep> step = edit.Make();
        ASSERT_TRUE(step);
        EXPECT_EQ(step->text(), edit.Text);
        Steps.push(step.release());
        EXPECT_EQ(ChainsOnDisk().toStdString(), edit.Chains);
        const QString after = KeepFolder("after");
        Steps.undo();
        ASSERT_TRUE(Save().isEmpty());
        EXPECT_EQ(FolderDiff(Projects.Path(), before, history).join('\n').toStdString(), "");
        Steps.redo();
        ASSERT_TRUE(Save().isEmpty());
        EXPECT_EQ(FolderDiff(Projects.Path(), after, history).join('\n').toStdString(), "");
        Steps.undo();
        ASSERT_TRUE(Save().isEmpty());
        QProcess::execute("rm", { "-rf", before, after });
    }

    // Nothing to do: first or last already, loose, or a place within the cards that move.
    const QList<Maker> nothing = {
        [&] { return ChainStep::MoveUp(Context, Id("Ch1")); },
        [&] { return ChainStep::MoveDown(Context, Id("Ch3")); },
        [&] { return ChainStep::MoveDown(Context, Id("Y")); },
        [&] { return ChainStep::MoveUp(Context, Id("L")); },
        [&] { return ChainStep::RemoveFromChain(Context, Id("L")); },
        [&] { return ChainStep::MoveTo(Context, Id("Ch2"), Before("s3")); },
        [&] { return ChainStep::MoveTo(Context, Id("Ch2"), After("s3")); },
        [&] { return ChainStep::MoveTo(Context, Id("s1"), After("Ch1")); },
    };
    for (const Maker& make : nothing)
        EXPECT_FALSE(make());
    EXPECT_EQ(ChainsOnDisk(), "Ch1 s1 s2 Ch2 s3 Ch3 | X Y");
}

TEST_F(ChainSteps, CyclesOfADamagedProjectAreWalkedOnce)
{
    // A loop of a chapter and its scenes, and one of scenes that a chain runs into (Q has two
    // predecessors).
    Store.CloseProject();
    Projects.Write("Loop/Loop.nodex", "[Theme]\nName=Book.ini\n");
    const QList<std::tuple<QString, int, QString>> cards = { { "A", 0, "B" }, { "B", 1, "C" },
        { "C", 1, "A" }, { "P", 1, "Q" }, { "Q", 1, "R" }, { "R", 1, "Q" } };
    for (const auto& [name, type, linkTo] : cards)
        WriteCard("Loop/" + name, type, 0, 100, 100, linkTo);
    ASSERT_EQ(Open("Loop/Loop.nodex").Result, ProjectStore::OpenResult::Opened);
    const QStringList shown = ModelShown();
    for (const auto& [name, type, linkTo] : cards) {
        SCOPED_TRACE(name.toStdString());
        const CardId card = Id(name);
        for (const Maker& make : QList<Maker> { [&] { return ChainStep::MoveUp(Context, card); },
                 [&] { return ChainStep::MoveDown(Context, card); },
                 [&] { return ChainStep::MoveOut(Context, card); },
                 [&] { return ChainStep::RemoveFromChain(Context, card); },
                 [&] { return ChainStep::MoveTo(Context, card, After("P")); } }) {
            if (std::unique_ptr<ChainStep> step = make()) {
                Steps.push(step.release());
                Steps.undo();
            }
            EXPECT_EQ(ModelShown().join("\n").toStdString(), shown.join("\n").toStdString());
        }
    }
    EXPECT_TRUE(ChainEdits::LeavesChainOpen(Model, { Id("A"), Id("B") }));
    EXPECT_FALSE(ChainEdits::LeavesChainOpen(Model, { Id("A"), Id("B"), Id("C") }));
}
