#include "AppFixture.h"
#include "HistoryTexts.h"
#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "editor/EditorMemo.h"

#include <QAction>
#include <QDir>
#include <QTest>
#include <algorithm>

namespace {
/// Opens a card's editor with a double-click on its card, and gives it the keyboard.
TfmEditor* OpenEditor(TfmMain& main, const QString& name)
{
    for (TNodex* card : main.Canvas().Cards()) {
        if (card->Name() != name)
            continue;
        const QPoint at = main.View().mapFromScene(QPointF(card->Left() + 5, card->Top() + 5));
        QTest::mouseClick(main.View().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(main.View().viewport(), Qt::LeftButton, {}, at);
        TfmEditor* editor = main.CardEditors().Of(card->Id());
        if (editor) {
            editor->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
        }
        return editor;
    }
    ADD_FAILURE() << "no card named " << name.toStdString();
    return nullptr;
}

/// Types at the start of the text, as a writer does in the window they have come back to.
void Type(TfmEditor& editor, const QString& text)
{
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    editor.memEditor->moveCursor(QTextCursor::Start);
    QTest::keyClicks(editor.memEditor, text);
}

void Save(TfmEditor& editor)
{
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    QTest::keyClick(editor.memEditor, Qt::Key_S, Qt::ControlModifier);
}

void TypeAndSave(TfmEditor& editor, const QString& text)
{
    Type(editor, text);
    Save(editor);
}
} // namespace

/// Two copies of the program on one project folder, standing in for two machines that share it
/// through a sync tool.
class TwoMachinesTest : public AppFixture {
protected:
    void StartBoth()
    {
        StartWithChainProject();
        Other = std::make_unique<NodexProgram>(ProgramFolders::Portable(App.Path()), Dialogs, Shell, 0);
        // Both run in this process, so the lock takes the second for the first.
        ASSERT_TRUE(Other->Start({Projects.Path("Book.nodex")}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Other->Main()));
    }
    ~TwoMachinesTest() override
    {
        if (Other)
            Other->Main().Steps().setClean();
        Other.reset();
    }
    /// The other copy moves card A from (100, 100) to (120, 400) and saves the project.
    void OtherMovesAAndSaves()
    {
        const QList<TNodex*> cards = Other->Main().Canvas().Cards();
        const auto a = std::find_if(cards.cbegin(), cards.cend(), [](const TNodex* card) { return card->Name() == "A"; });
        ASSERT_NE(a, cards.cend());
        const CardId id = (*a)->Id();
        Other->Main().Cards().MoveCards({{id, {100, 100}}}, {{id, {120, 400}}});
        Other->Main().Menus().mnuSaveProject->trigger();
    }
    QByteArrayList KeptVersions(const QString& card) const { return HistoryTexts(Projects.Path(), card); }

    std::unique_ptr<NodexProgram> Other;
};

TEST_F(TwoMachinesTest, NoTextIsLostAndNeitherCopyOverwritesTheOtherSilently)
{
    StartBoth();
    // Each edits a card of its own: nothing to ask.
    TfmEditor* mineA = OpenEditor(Main(), "A");
    TfmEditor* theirsC = OpenEditor(Other->Main(), "C");
    ASSERT_TRUE(mineA && theirsC);
    TypeAndSave(*mineA, "mine ");
    TypeAndSave(*theirsC, "theirs ");
    EXPECT_EQ(Projects.Read("Text Files/A.txt"), "mine A text\r\n");
    EXPECT_EQ(Projects.Read("Text Files/C.txt"), "theirs C text\r\n");

    // Both edit the same card; this copy saves first.
    TfmEditor* mineD = OpenEditor(Main(), "D");
    TfmEditor* theirsD = OpenEditor(Other->Main(), "D");
    ASSERT_TRUE(mineD && theirsD);
    Type(*theirsD, "theirs ");
    const qsizetype asked = Dialogs.History().size();
    Dialogs.ExpectChoice(0);
    TypeAndSave(*mineD, "mine ");
    EXPECT_EQ(Projects.Read("Text Files/D.txt"), "mine D text\r\n");

    // The other copy sees the change under its unsaved text and asks; it keeps its own.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Dialogs.History().size() > asked; }, 5000));
    EXPECT_TRUE(Dialogs.LastText().contains("changed the text of 'D'")) << Dialogs.LastText().toStdString();
    // This copy's save kept the text it replaced; the other copy keeps the text it writes over.
    EXPECT_EQ(KeptVersions("D"), QByteArrayList({"mine D text\r\n", "D text\r\n"}));
    Save(*theirsD);
    EXPECT_EQ(Projects.Read("Text Files/D.txt"), "theirs D text\r\n");

    // This copy's editor, unchanged since its save, follows.
    EXPECT_TRUE(QTest::qWaitFor([&] { return mineD->memEditor->Text() == "theirs D text\n"; }, 5000));
    EXPECT_FALSE(mineD->IsModified());
    EXPECT_EQ(KeptVersions("D").size(), 2) << "a text already kept is not kept again";
}

TEST_F(TwoMachinesTest, CardFilesChangedElsewhereAreTakenInWithoutMarkingTheProject)
{
    StartBoth();
    // This copy has a move of its own that is not saved yet.
    MoveCard("D", 600, 300);
    ASSERT_TRUE(Main().ProjectModified());

    // The other copy moves A and saves; a sync tool brings a new card E and takes B away.
    OtherMovesAAndSaves();
    WriteCard("E", 1, 0, 300, 300, "C", "A new scene");
    ASSERT_TRUE(QFile::remove(Projects.Path("B.ndx")));

    ASSERT_TRUE(QTest::qWaitFor([&] { return CardNames() == QStringList({"A", "C", "D", "E"}); }, 5000))
        << CardNames().join(", ").toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Card("A")->Top() == 400; }, 5000));
    EXPECT_EQ(Card("E")->Description(), "A new scene");
    EXPECT_EQ(Main().Model().LinkTo(Card("E")->Id()), Card("C")->Id());
    EXPECT_EQ(Main().Model().LinkTo(Card("A")->Id()), 0);
    // The unsaved move stays, and stays marked; no step could now undo over the new files.
    EXPECT_EQ(Card("D")->Top(), 300);
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_FALSE(Main().Steps().canUndo());

    // Saved here, the project is unmarked, and stays so while it follows the other copy again.
    Main().Menus().mnuSaveProject->trigger();
    ASSERT_FALSE(Main().ProjectModified());
    // There the link from E was taken away too: it goes here, and no save writes it back.
    WriteCard("E", 1, 0, 350, 500, "", "A new scene");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Card("E")->Top() == 500; }, 5000));
    EXPECT_FALSE(Main().ProjectModified());
    EXPECT_EQ(Main().Model().LinkTo(Card("E")->Id()), 0);
    MoveCard("D", 620, 300);
    Main().Menus().mnuSaveProject->trigger();
    EXPECT_TRUE(Projects.Read("E.ndx").endsWith("[LinkTo]\nName=\n")) << Projects.Read("E.ndx").toStdString();

    // A card whose editor holds unsaved text is not taken away with its file.
    TfmEditor* editorC = OpenEditor(Main(), "C");
    ASSERT_TRUE(editorC);
    Type(*editorC, "unsaved ");
    ASSERT_TRUE(QFile::remove(Projects.Path("C.ndx")));
    ASSERT_TRUE(QFile::remove(Projects.Path("E.ndx")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return CardNames() == QStringList({"A", "C", "D"}); }, 5000))
        << CardNames().join(", ").toStdString();
    EXPECT_EQ(editorC->memEditor->Text(), "unsaved C text\n");
    editorC->memEditor->document()->setModified(false);
}

TEST_F(TwoMachinesTest, ACardChangedInBothCopiesIsWrittenOverOnlyWhenTheWriterSaysSo)
{
    StartBoth();
    MoveCard("A", 300, 500);
    OtherMovesAAndSaves();
    const QByteArray theirs = Projects.Read("A.ndx");
    ASSERT_TRUE(theirs.contains("Top=400"));
    // This copy's move is unsaved, so the card keeps it while their file comes in.
    Main().Outside().Recheck();
    ASSERT_EQ(Card("A")->Top(), 500);

    Dialogs.ClearHistory();
    Dialogs.ExpectOkCancel(false);
    Main().Menus().mnuSaveProject->trigger();
    ASSERT_EQ(Dialogs.History().size(), 2);
    EXPECT_TRUE(Dialogs.History()[0].text.contains("changed these cards since they were read here: A."))
        << Dialogs.History()[0].text.toStdString();
    EXPECT_TRUE(Dialogs.History()[1].reason.contains("A.ndx")) << "the card left unsaved is told";
    EXPECT_EQ(Projects.Read("A.ndx"), theirs);
    EXPECT_TRUE(Main().ProjectModified());

    Dialogs.ExpectOkCancel(true);
    Main().Menus().mnuSaveProject->trigger();
    EXPECT_TRUE(Projects.Read("A.ndx").contains("Top=500"));
    EXPECT_FALSE(Main().ProjectModified());
}
