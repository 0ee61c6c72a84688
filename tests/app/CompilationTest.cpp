#include "AppFixture.h"
#include "HistoryTexts.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "compile/Compile.h"
#include "compile/CompileList.h"
#include "compile/FindAndCompile.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "platform/IniFile.h"
#include "properties/Properties.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {
/// The compilation's lines as the rules lay them out, each ended by CR LF.
QByteArray Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}
} // namespace

/// A saved project with the chain A -> B -> C, a card D on its own, and their files (B's text
/// is empty).
class CompilationTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("A", 0, 0, 100, 100, "B", "The letter arrives");
        WriteCard("B", 0, 0, 250, 100, "C");
        WriteCard("C", 0, 0, 400, 100);
        WriteCard("D", 1, 0, 550, 100, "", "Notes on lamps");
        Projects.Write("Text Files/A.txt", "Dear Ada,\r\nthe lamp is lit.");
        Projects.Write("Text Files/C.txt", "Fog.\n");
        Projects.Write("Text Files/D.txt", "Lamp oil and wicks\r\n");
        // An empty text adds nothing, as no text does.
        Projects.Write("Text Files/B.txt", "");
        ASSERT_TRUE(Program->Start({Projects.Path("Book.nodex")}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
        Compile = Main().findChild<TfmCompile*>("fmCompile");
    }

    /// Compile with no card current only shows the window, with the project's folder.
    void ShowCompileWindow()
    {
        Main().Selection().CurrentCard = nullptr;
        Main().Menus().mnuCompile->trigger();
        ASSERT_TRUE(Compile->isVisible());
    }

    void Select(const char* name, Qt::KeyboardModifiers keys = {})
    {
        const QPoint at = Main().View().mapFromScene(QPointF(Card(name)->Left() + 5, Card(name)->Top() + 5));
        QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, keys, at);
    }
    QByteArray Compilation() { return Projects.Read("Text Files/Compilation.txt"); }

    TfmCompile* Compile = nullptr;
};

TEST_F(CompilationTest, TheChainIsCompiledNameDescriptionAndTextInOrder)
{
    Select("A");
    QTest::keyClick(&Main(), Qt::Key_F8);
    ASSERT_TRUE(Compile->isVisible());
    EXPECT_EQ(Compile->Names(), (QStringList{"A", "B", "C"})) << "the chain from the current card";

    QTest::mouseClick(Compile->btnCreate, Qt::LeftButton);
    const QByteArray first = Compilation();
    // A: name, empty, description, two empty, its two lines, two empty (no final break of its
    // own); B: no description, no text; C: a text with its own final break.
    EXPECT_EQ(first, Lines({"A", "", "The letter arrives", "", "", "Dear Ada,", "the lamp is lit.", "", "",
                                    "B", "", "C", "", "Fog.", "", "", ""}));
    EXPECT_EQ(Dialogs.LastText(), "Compilation file created successfully.");
    TNodex* card = Card("Compilation");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->Type(), 0);
    EXPECT_EQ(QPoint(card->Left(), card->Top()), QPoint(44, 30));
    EXPECT_TRUE(Main().ProjectModified());

    // Content only, and a name listed twice: compiled twice; no second Compilation card.
    Compile->SetNames({"D", "A", "D"});
    Compile->cbDescriptions->setChecked(false);
    QTest::mouseClick(Compile->btnCreate, Qt::LeftButton);
    EXPECT_EQ(Compilation(), Lines({"Lamp oil and wicks", "", "", "", "Dear Ada,", "the lamp is lit.", "", "",
                                    "Lamp oil and wicks", "", "", ""}));
    EXPECT_EQ(Main().Canvas().CardCount(), 5);
    // The compilation replaced is kept in the Compilation card's history, as any card's text.
    EXPECT_EQ(HistoryTexts(Projects.Path(), "Compilation"), QByteArrayList{first});

    // The window's place is kept when the program ends, as it was shown.
    Main().Steps().setClean();
    Program.reset();
    EXPECT_TRUE(App.Read("Nodex.ini").contains("[Compilation]\nTop="));
}

TEST_F(CompilationTest, NothingToCompileWritesNothingAndAFailureKeepsTheLastCompilation)
{
    ShowCompileWindow();
    Compile->SetNames({"B"});
    Compile->cbDescriptions->setChecked(false);
    Dialogs.ClearHistory();
    QTest::mouseClick(Compile->btnCreate, Qt::LeftButton);
    EXPECT_FALSE(Projects.Exists("Text Files/Compilation.txt"));
    EXPECT_TRUE(Dialogs.History().isEmpty());
    EXPECT_EQ(Main().Canvas().CardCount(), 4);

    Projects.Write("Text Files/Compilation.txt", "the last compilation");
    Compile->SetNames({"A"});
    // A text that cannot be read: a folder stands in its place.
    QFile::remove(Projects.Path("Text Files/A.txt"));
    Projects.MakeFolder("Text Files/A.txt");
    QTest::mouseClick(Compile->btnCreate, Qt::LeftButton);
    EXPECT_EQ(Dialogs.LastText(), "There was an error creating the Compilation.");
    EXPECT_EQ(Compilation(), "the last compilation");
    EXPECT_EQ(Main().Canvas().CardCount(), 4) << "no Compilation card after a failure";

    // A writer's own card of that name, brought from another project, keeps its text.
    WriteCard("Compilation", 0, 0, 300, 300);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    ShowCompileWindow();
    Compile->SetNames({"D"});
    QTest::mouseClick(Compile->btnCreate, Qt::LeftButton);
    EXPECT_EQ(Dialogs.LastText(), "There was an error creating the Compilation.");
    EXPECT_TRUE(Dialogs.Last().reason.contains("'Compilation' is not the Compilation nodex"));
    EXPECT_EQ(Compilation(), "the last compilation");
    EXPECT_EQ(Main().Canvas().CardCount(), 5);
}

TEST_F(CompilationTest, StoredBoundsAreFittedToTheScreen)
{
    App.Write("Nodex.ini", "[Compilation]\nLeft=2147483647\nTop=2147483647\nHeight=100000\n");
    ShowCompileWindow();
    const QRect screen = Compile->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(Compile->geometry())) << Compile->geometry().bottom();
    Program.reset();
    IniFile settings(App.Path("Nodex.ini"));
    QString error;
    ASSERT_TRUE(settings.Load(error));
    EXPECT_LE(settings.ReadInteger("Compilation", "Top", 0) + settings.ReadInteger("Compilation", "Height", 0),
              screen.bottom() + 1);
}

TEST_F(CompilationTest, TheListIsReorderedByKeysDragsAndItsMenu)
{
    ShowCompileWindow();
    Compile->SetNames({"A", "B", "C", "D"});
    CompileList* list = Compile->lbCompile;
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(list, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Compile->Names(), (QStringList{"B", "A", "C", "D"}));
    EXPECT_EQ(list->currentRow(), 1) << "the moved entry stays selected";
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(Compile->Names(), (QStringList{"B", "C", "D"}));

    // A drop lands the dragged entry at the index of the entry under it, or at the end.
    list->MoveEntry(0, list->count());
    EXPECT_EQ(Compile->Names(), (QStringList{"C", "D", "B"}));
    list->MoveEntry(2, 0);
    EXPECT_EQ(Compile->Names(), (QStringList{"B", "C", "D"}));

    Compile->pmnuClearAll->trigger();
    EXPECT_TRUE(Compile->Names().isEmpty());
    EXPECT_FALSE(Compile->btnCreate->isEnabled());
    EXPECT_FALSE(Compile->pmnuDelete->isEnabled());

    // The two options cannot both be off.
    Compile->cbDescriptions->setChecked(false);
    Compile->cbContent->setChecked(false);
    EXPECT_TRUE(Compile->cbContent->isChecked());
}

TEST_F(CompilationTest, TheListFollowsRenamesDeletesAndProjects)
{
    Compile->SetNames({"D", "C", "D"});
    Select("D");
    Dialogs.ExpectYesNoCancel(Answer::No);
    Main().Menus().pmnuDelete->trigger();
    EXPECT_EQ(Compile->Names(), (QStringList{"C", "D"})) << "only the first entry leaves";

    Select("C");
    Main().Menus().pmnuToCompilation->trigger();
    EXPECT_EQ(Compile->Names(), (QStringList{"C", "D"})) << "a listed card is not listed again";

    Dialogs.ExpectModal([](QDialog& dialog) {
        auto& properties = static_cast<TfmProperties&>(dialog);
        properties.edtName->setText("Fog Bank");
        QTest::mouseClick(properties.btnOk, Qt::LeftButton);
    });
    Main().Menus().pmnuProperties->trigger();
    EXPECT_EQ(Compile->Names(), (QStringList{"Fog Bank", "D"}));
    Main().CloseProject();
    EXPECT_TRUE(Compile->Names().isEmpty());
}

TEST_F(CompilationTest, FindAndCompileSearchesOpenEditorsFirstThenTextFiles)
{
    auto* find = Main().findChild<TfmFindAndCompile*>("fmFindAndCompile");
    Select("C");
    QTest::mouseDClick(Main().View().viewport(), Qt::LeftButton, {},
                       Main().View().mapFromScene(QPointF(Card("C")->Left() + 5, 105)));
    auto* editor = Main().CardEditors().Of(Card("C")->Id());
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor->memEditor, "The LAMP ");
    Projects.Write("Text Files/Compilation.txt", "lamp");

    Main().Menus().mnuFindAndCompile->trigger();
    ASSERT_TRUE(find->isVisible());
    find->edtFind->setText("lamp");
    QTest::mouseClick(find->btnFind, Qt::LeftButton);
    EXPECT_EQ(Compile->Names(), (QStringList{"A", "C", "D"}));

    find->cbClearCompiler->setChecked(false);
    find->cbMatchCase->setChecked(true);
    find->edtFind->setText("LAMP");
    QTest::mouseClick(find->btnFind, Qt::LeftButton);
    EXPECT_EQ(Compile->Names(), (QStringList{"A", "C", "D", "C"}));

    find->edtFind->clear();
    Compile->hide();
    QTest::mouseClick(find->btnFind, Qt::LeftButton);
    EXPECT_FALSE(Compile->isVisible()) << "an empty search does nothing";
    editor->memEditor->document()->setModified(false);
}
