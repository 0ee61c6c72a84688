#include "backup/CardCopy.h"

#include "TempFolder.h"
#include "platform/FileSteps.h"
#include "platform/NativeName.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {
const QByteArray HarbourText = "Boats\u00A0at dusk.\r\n";
const QByteArray CafeText = "caf\xE9\r\n";
const QByteArray OtherProject = "[Theme]\nName=Book.ini\n";
const QString Cafe = PathFromNative("Caf\xE9");
} // namespace

/// The project "Novel" with texts for its cards Harbour, Lamp and one whose name is not UTF-8
/// (but none for Keeper), and another project, "Other", beside it.
class CardCopyTest : public testing::Test {
protected:
    void SetUp() override
    {
        Projects.Write("Text Files/Harbour.txt", HarbourText);
        Projects.Write("Text Files/Lamp.txt", "Lit.\r\n");
        Projects.Write("Text Files/" + Cafe + ".txt", CafeText);
        MakeOtherProject();
    }

    void MakeOtherProject()
    {
        QDir(Projects.Path("Other")).removeRecursively();
        Projects.Write("Other/Other.nodex", OtherProject);
        Projects.MakeFolder("Other/Text Files");
    }

    /// Copies the cards of these names from Novel into Other: Harbour linked and with keys of
    /// its own, the others at (800, 100).
    CardCopyOutcome CopyTo(const QStringList& names)
    {
        QList<CardToCopy> cards;
        for (const QString& name : names)
            cards.append({ name,
                name == "Harbour" ? CardFileData { 2, 1, 300, 260, "Boats", "Lamp" }
                                  : CardFileData { 0, 0, 800, 100, {}, {} } });
        return CopyCardsToProject(cards, Projects.Path(), Projects.Path("Other/"));
    }

    /// The files of the other project and of its "Text Files/" folder, one a line.
    std::string OtherFiles() const
    {
        const auto filter = QDir::Files | QDir::Hidden | QDir::System;
        QStringList files = QDir(Projects.Path("Other")).entryList(filter);
        for (const QString& text : QDir(Projects.Path("Other/Text Files")).entryList(filter))
            files << "Text Files/" + text;
        return files.join('\n').toStdString();
    }

    TempFolder Projects;
};

TEST_F(CardCopyTest, CopiedCardsArriveUnlinkedWithTheirOwnKeysAndTexts)
{
    const CardCopyOutcome outcome = CopyTo({ "Harbour", Cafe });
    EXPECT_TRUE(outcome.AllCopied);
    EXPECT_EQ(outcome.Reason, "");
    EXPECT_EQ(Projects.Read("Other/Harbour.ndx"),
        "[StateData]\nType=2\nState=1\n\n[Position]\nLeft=300\nTop=260\n\n[Description]\nText="
        "Boats\n");
    EXPECT_EQ(Projects.Read("Other/Text Files/Harbour.txt"), HarbourText);
    EXPECT_TRUE(Projects.Read("Other/" + Cafe + ".ndx").contains("Left=800\n"));
    EXPECT_EQ(Projects.Read("Other/Text Files/" + Cafe + ".txt"), CafeText);
    EXPECT_EQ(Projects.Read("Other/Other.nodex"), OtherProject);
}

TEST_F(CardCopyTest, NothingThereIsEverReplacedAndTheFirstNameTakenEndsTheCopy)
{
    struct Case {
        const char* What;
        QStringList Names;
        std::function<void()> Prepare;
        QStringList Expected; ///< the other project's files afterwards
        QString Reason;
        const char* Kept = nullptr; ///< a file there before the copy, which keeps its bytes
    };
    const QString outside = Projects.MakeFolder("Elsewhere");
    const TempFolder far; ///< out of this project
    const Case cases[] = {
        { "the second card's name is taken, in other letter case", { "Harbour", "Lamp", "Keeper" },
            [&] { Projects.Write("Other/lamp.ndx", "x"); },
            { "Harbour.ndx", "lamp.ndx", "Other.nodex", "Text Files/Harbour.txt" }, {},
            "Other/lamp.ndx" },
        { "a card without a text", { "Keeper" }, {}, { "Keeper.ndx", "Other.nodex" }, {} },
        { "the text's name is taken", { "Lamp" },
            [&] { Projects.Write("Other/Text Files/Lamp.txt", "x"); },
            { "Lamp.ndx", "Other.nodex", "Text Files/Lamp.txt" }, {}, "Other/Text Files/Lamp.txt" },
        { "no Text Files folder there", { "Lamp" },
            [&] { QDir(Projects.Path("Other/Text Files")).removeRecursively(); },
            { "Lamp.ndx", "Other.nodex" }, {} },
        { "a link stands at the card's name", { "Lamp" },
            [&] { QFile::link(outside + "Lamp.ndx", Projects.Path("Other/Lamp.ndx")); },
            { "Lamp.ndx", "Other.nodex" }, {} },
        { "the Text Files folder leads out", { "Lamp" },
            [&] {
                QDir(Projects.Path("Other/Text Files")).removeRecursively();
                QFile::link(outside, Projects.Path("Other/Text Files"));
            },
            { "Lamp.ndx", "Other.nodex" },
            "Cannot copy '" + Projects.Path("Other/Text Files/")
                + "': it is a link that leads out of the project folder." },
        { "a full disk", { "Lamp", "Harbour" },
            [] {
                SetFileStepHook([](FileStep step, const QByteArray& path) {
                    return step == FileStep::Write && path.endsWith(".Lamp.ndx.nodex-tmp")
                        ? StepOutcome { ENOSPC, false }
                        : StepOutcome {};
                });
            },
            { "Other.nodex" },
            "Cannot write '" + Projects.Path("Other/Lamp.ndx") + "': No space left on device" },
        { "the text leads out of this project", { "Lamp" },
            [&] {
                QFile::remove(Projects.Path("Text Files/Lamp.txt"));
                QFile::link(far.Write("Lamp.txt", "private"), Projects.Path("Text Files/Lamp.txt"));
            },
            { "Lamp.ndx", "Other.nodex" },
            "Cannot copy '" + Projects.Path("Text Files/Lamp.txt")
                + "': it is a link that leads out of the project folder." },
    };
    for (const Case& c : cases) {
        MakeOtherProject();
        if (c.Prepare)
            c.Prepare();
        const CardCopyOutcome outcome = CopyTo(c.Names);
        SetFileStepHook({});
        EXPECT_EQ(OtherFiles(), c.Expected.join('\n').toStdString()) << c.What;
        EXPECT_FALSE(outcome.AllCopied) << c.What;
        EXPECT_EQ(outcome.Reason, c.Reason) << c.What;
        EXPECT_TRUE(!c.Kept || Projects.Read(c.Kept) == "x") << c.What;
    }
    EXPECT_TRUE(QDir(outside).isEmpty()) << "nothing was written through a link";
}
