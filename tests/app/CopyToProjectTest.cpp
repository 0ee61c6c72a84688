#include "AppFixture.h"
#include "app/Main.h"
#include "canvas/CanvasState.h"
#include "canvas/Nodex.h"
#include "platform/FileSteps.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace {
const QByteArray HarbourText = "Boats\xC2\xA0"
                               "at dusk.\r\n";
const QByteArray LampText = "Lit.\r\n";
const QByteArray CafeText = "caf\xE9\r\n";
const QByteArray OtherProject = "[Theme]\nName=Book.ini\n";
const QString CopyOk = "Nodexs copied. Reopen other project to see changes.";
const QString CopyNotOk = "Some nodexs/text files not copied due to duplicate names.";

/// The bytes of a file whose name need not be UTF-8; empty when it is missing.
QByteArray ReadRaw(const QByteArray& path)
{
    QFile file;
    const int handle = ::open(path.constData(), O_RDONLY);
    if (handle < 0 || !file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    return file.readAll();
}

void WriteRaw(const QByteArray& path, const QByteArray& bytes)
{
    const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_EQ(::write(file, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(file);
}
} // namespace

/// The open project "Novel" with a linked card, a card with a text, one without, the
/// Compilation card and a card whose name is not UTF-8; and another project, "Other", beside it.
class CopyToProject : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Novel.nodex", OtherProject);
        WriteCard("Harbour",
            "[StateData]\nType=2\nState=1\n[Position]\nLeft=200\nTop=150\n[Description]\n"
            "Text=Boats\n[LinkTo]\nName=Lamp\n[EditWindow]\nTop=12\n");
        WriteCard("Lamp", 0, 0, 400, 150);
        WriteCard("Keeper", 0, 0, 600, 150);
        WriteCard("Compilation", -1, 0, 44, 30);
        Projects.Write("Text Files/Harbour.txt", HarbourText);
        Projects.Write("Text Files/Lamp.txt", LampText);
        Projects.Write("Text Files/Compilation.txt", "compiled\r\n");
        WriteRaw(Raw("Caf\xE9.ndx"), "[Position]\nLeft=800\nTop=150\n");
        WriteRaw(Raw("Text Files/Caf\xE9.txt"), CafeText);
        MakeOtherProject();
        ASSERT_TRUE(Program->Start({}));
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Novel.nodex")));
    }

    // Qt cannot remove what it cannot spell.
    void TearDown() override
    {
        for (const char* name : { "Caf\xE9.ndx", "Text Files/Caf\xE9.txt", "Other/Caf\xE9.ndx",
                 "Other/Text Files/Caf\xE9.txt" })
            ::unlink(Raw(name).constData());
    }

    QByteArray Raw(const QByteArray& relative) const
    {
        return QFile::encodeName(Projects.Path()) + relative;
    }

    void MakeOtherProject()
    {
        QDir(Projects.Path("Other")).removeRecursively();
        Projects.Write("Other/Other.nodex", OtherProject);
        Projects.MakeFolder("Other/Text Files");
    }

    /// Copies the cards of these names through the File menu into the project the writer chose.
    void CopyTo(const QStringList& names, const QString& chosen)
    {
        QList<TNodex*> cards;
        for (const QString& name : names)
            cards << Card(name);
        Main().Selection().SelectedCards = cards;
        Dialogs.ExpectSaveFileName(chosen);
        emit Main().Menus().mmnuFile->aboutToShow();
        Main().Menus().mnuCopyToProject->trigger();
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
};

TEST_F(CopyToProject, CopiedCardsArriveUnlinkedWithTheirOwnKeysAndTexts)
{
    // What the card holds now counts, saved or not.
    MoveCard("Harbour", 300, 260);
    CopyTo({ "Harbour", "Lamp", "Café" }, Projects.Path("Other/Other.nodex"));

    ASSERT_EQ(Dialogs.History().size(), 2);
    EXPECT_EQ(Dialogs.History()[0].text, "Copy Nodexs To Another Project");
    EXPECT_EQ(Dialogs.History()[0].reason, Projects.Path());
    EXPECT_EQ(Dialogs.LastText(), CopyOk);
    EXPECT_EQ(Projects.Read("Other/Harbour.ndx"),
        "[StateData]\nType=2\nState=1\n\n[Position]\nLeft=300\nTop=260\n\n[Description]\nText="
        "Boats\n");
    EXPECT_EQ(Projects.Read("Other/Text Files/Harbour.txt"), HarbourText);
    EXPECT_EQ(Projects.Read("Other/Text Files/Lamp.txt"), LampText);
    EXPECT_TRUE(ReadRaw(Raw("Other/Caf\xE9.ndx")).contains("Left=800\n"));
    EXPECT_EQ(ReadRaw(Raw("Other/Text Files/Caf\xE9.txt")), CafeText);
    EXPECT_EQ(Projects.Read("Other/Other.nodex"), OtherProject);
    // The copy changes nothing of the open project.
    EXPECT_EQ(Card("Harbour")->LinkTo(), Card("Lamp"));
    EXPECT_TRUE(Projects.Read("Harbour.ndx").contains("Left=200\n"));
}

TEST_F(CopyToProject, NothingThereIsEverReplacedAndTheFirstNameTakenEndsTheCopy)
{
    struct Case {
        const char* What;
        QStringList Names;
        std::function<void()> Prepare;
        QStringList Expected; ///< the other project's files afterwards
        QString Message;
        QString Reason;
        const char* Kept = nullptr; ///< a file there before the copy, which keeps its bytes
    };
    const QString outside = App.MakeFolder("Elsewhere");
    const Case cases[] = {
        { "the second card's name is taken, in other letter case", { "Harbour", "Lamp", "Keeper" },
            [&] { Projects.Write("Other/lamp.ndx", "x"); },
            { "Harbour.ndx", "lamp.ndx", "Other.nodex", "Text Files/Harbour.txt" }, CopyNotOk, {},
            "Other/lamp.ndx" },
        { "a card without a text", { "Keeper" }, {}, { "Keeper.ndx", "Other.nodex" }, CopyNotOk,
            {} },
        { "only the Compilation card", { "Compilation" }, {}, { "Other.nodex" }, CopyOk, {} },
        { "the text's name is taken", { "Lamp" },
            [&] { Projects.Write("Other/Text Files/Lamp.txt", "x"); },
            { "Lamp.ndx", "Other.nodex", "Text Files/Lamp.txt" }, CopyNotOk, {},
            "Other/Text Files/Lamp.txt" },
        { "no Text Files folder there", { "Lamp" },
            [&] { QDir(Projects.Path("Other/Text Files")).removeRecursively(); },
            { "Lamp.ndx", "Other.nodex" }, CopyNotOk, {} },
        { "a link stands at the card's name", { "Lamp" },
            [&] { QFile::link(outside + "Lamp.ndx", Projects.Path("Other/Lamp.ndx")); },
            { "Lamp.ndx", "Other.nodex" }, CopyNotOk, {} },
        { "the Text Files folder leads out", { "Lamp" },
            [&] {
                QDir(Projects.Path("Other/Text Files")).removeRecursively();
                QFile::link(outside, Projects.Path("Other/Text Files"));
            },
            { "Lamp.ndx", "Other.nodex" }, CopyNotOk, {} },
        { "a full disk", { "Lamp", "Harbour" },
            [] {
                SetFileStepHook([](FileStep step, const QByteArray& path) {
                    return step == FileStep::Write && path.endsWith(".Lamp.ndx.nodex-tmp")
                        ? StepOutcome { ENOSPC, false }
                        : StepOutcome {};
                });
            },
            { "Other.nodex" }, CopyNotOk,
            "Cannot write '" + Projects.Path("Other/Lamp.ndx") + "': No space left on device" },
    };
    for (const Case& c : cases) {
        MakeOtherProject();
        if (c.Prepare)
            c.Prepare();
        CopyTo(c.Names, Projects.Path("Other/Other.nodex"));
        SetFileStepHook({});
        EXPECT_EQ(OtherFiles(), c.Expected.join('\n').toStdString()) << c.What;
        EXPECT_EQ(Dialogs.Last().text, c.Message) << c.What;
        EXPECT_EQ(Dialogs.Last().reason, c.Reason) << c.What;
        if (c.Kept) {
            EXPECT_EQ(Projects.Read(c.Kept), "x") << c.What;
        }
    }
    EXPECT_TRUE(QDir(outside).isEmpty()) << "nothing was written through a link";
}

TEST_F(CopyToProject, OnlyAnExistingProjectFileIsADestination)
{
    struct Case {
        QString Chosen;
        QString Message;
    };
    Projects.Write("Other/notes.txt", "not a project");
    Projects.Write("Other/Loud.NODEX", OtherProject);
    const Case cases[] = {
        { Projects.Path("Other/Missing.nodex"), "Error reading from project or nodex files." },
        { Projects.Path("Other/notes.txt"), "Error reading from project or nodex files." },
        { Projects.Path("Other/Loud.NODEX"), CopyOk },
        // The open project holds every card already.
        { Projects.Path("Novel.nodex"), CopyNotOk },
    };
    for (const Case& c : cases) {
        QFile::remove(Projects.Path("Other/Lamp.ndx"));
        QFile::remove(Projects.Path("Other/Text Files/Lamp.txt"));
        CopyTo({ "Lamp" }, c.Chosen);
        EXPECT_EQ(Dialogs.LastText(), c.Message) << c.Chosen.toStdString();
    }
    EXPECT_EQ(Projects.Read("Lamp.ndx"),
        "[StateData]\nType=0\nState=0\n[Position]\nLeft=400\nTop=150\n"
        "[Description]\nText=\n[LinkTo]\nName=\n");
}
