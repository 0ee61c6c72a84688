#include "AppFixture.h"
#include "KilledProcess.h"

#include "app/Main.h"
#include "canvas/CanvasState.h"
#include "canvas/Nodex.h"
#include "compile/Compile.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "platform/FileSteps.h"
#include "properties/Properties.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QByteArray TextA = "Dear Ada,\r\nthe lamp is lit.\r\n";
const QByteArray TextB = "Fog rolls in.\r\n";
const QByteArray TextC = "The keeper waits.\r\n";
} // namespace

/// The chain A -> B -> C, each with a text, opened fresh before every killed operation.
class KilledWritesTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        ASSERT_TRUE(Program->Start({}));
    }

    void OpenFreshProject()
    {
        for (const QString& name : QDir(Projects.Path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(Projects.Path(name));
        QDir(Projects.Path("Text Files")).removeRecursively();
        WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("A", 0, 0, 100, 100, "B");
        WriteCard("B", 0, 0, 250, 100, "C");
        WriteCard("C", 0, 0, 400, 100);
        Projects.Write("Text Files/A.txt", TextA);
        Projects.Write("Text Files/B.txt", TextB);
        Projects.Write("Text Files/C.txt", TextC);
        ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    }

    /// Kills `operation` before each of its file steps in turn, opens the project afresh after
    /// each kill and hands it to `check`; ends when the operation runs through.
    void KillAtEveryStep(const std::function<void()>& operation, const std::function<void(int step)>& check)
    {
        for (int step = 1; step < 100; ++step) {
            OpenFreshProject();
            const bool killed = KilledBeforeStep(step, operation);
            ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
            check(step);
            EXPECT_EQ(Leftovers().join(", ").toStdString(), "") << "step " << step;
            if (!killed)
                return;
        }
        ADD_FAILURE() << "the operation never ran through";
    }

    /// Files that are neither the project's own nor the writer's.
    QStringList Leftovers()
    {
        QStringList found;
        QDirIterator files(Projects.Path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString name = QFileInfo(files.next()).fileName();
            if (name.endsWith(".nodex-tmp") || name == ".nodex-rename")
                found << name;
        }
        return found;
    }

    QByteArray Text(const QString& card) { return Projects.Read("Text Files/" + card + ".txt"); }

    void Select(const char* name)
    {
        Main().Selection().CurrentCard = Card(name);
        Main().Selection().SelectedCards = {Card(name)};
    }
};

TEST_F(KilledWritesTest, ARenameIsEitherNotDoneOrDoneWithItsTextAndLinks)
{
    KillAtEveryStep(
        [&] {
            Select("B");
            Dialogs.ExpectModal([](QDialog& dialog) {
                auto& properties = static_cast<TfmProperties&>(dialog);
                properties.edtName->setText("Bee");
                QTest::mouseClick(properties.btnOk, Qt::LeftButton);
            });
            Main().Menus().pmnuProperties->trigger();
        },
        [&](int step) {
            const QStringList names = CardNames();
            ASSERT_TRUE(names == (QStringList{"A", "B", "C"}) || names == (QStringList{"A", "Bee", "C"}))
                << names.join('|').toStdString() << " step " << step;
            const QString renamed = names[1];
            EXPECT_EQ(Text(renamed), TextB) << "step " << step;
            EXPECT_EQ(Card("A")->LinkTo(), Card(renamed)) << "step " << step;
            EXPECT_EQ(Card(renamed)->LinkTo(), Card("C")) << "step " << step;
        });
}

TEST_F(KilledWritesTest, TextSavesCompilationsAndMergesLeaveEachFileOldOrNew)
{
    const QByteArray typed = "typed\r\n" + TextA;
    KillAtEveryStep(
        [&] {
            Select("A");
            Main().OpenCardEditor(Card("A"));
            auto* editor = Main().CardEditors().Of(Card("A")->Id());
            QTest::keyClicks(editor->memEditor, "typed\n");
            editor->SaveText();
        },
        [&](int step) { EXPECT_TRUE(Text("A") == TextA || Text("A") == typed) << "step " << step; });

    const QByteArray compiled = TextA + "\r\n\r\n\r\n" + TextB + "\r\n\r\n\r\n";
    KillAtEveryStep(
        [&] {
            auto* compile = Main().findChild<TfmCompile*>("fmCompile");
            compile->SetNames({"A", "B"});
            compile->cbDescriptions->setChecked(false);
            compile->btnCreateClick();
        },
        [&](int step) {
            const QByteArray compilation = Text("Compilation");
            EXPECT_TRUE(compilation.isEmpty() || compilation == compiled) << "step " << step;
        });

    // Merging with Yes: the merged text is written before any merged card goes, and a merged
    // card's file goes before its text, so that no card is ever left without its text.
    const QByteArray merged = TextA + "\r\n" + TextB + "\r\n" + TextC + "\r\n";
    KillAtEveryStep(
        [&] {
            Select("A");
            Dialogs.ExpectYesNoCancel(Answer::Yes);
            Main().Menus().pmnuMerge->trigger();
        },
        [&](int step) {
            EXPECT_TRUE(Text("A") == TextA || Text("A") == merged) << "step " << step;
            for (const QString& name : CardNames())
                EXPECT_TRUE(Projects.Exists("Text Files/" + name + ".txt")) << name.toStdString() << " step " << step;
            if (Text("A") == TextA) {
                EXPECT_EQ(CardNames(), (QStringList{"A", "B", "C"})) << "step " << step;
            }
        });
}
