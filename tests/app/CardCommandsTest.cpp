#include "AppFixture.h"

#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/NodexLabel.h"
#include "canvas/NodexLine.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "editor/HistoryWindow.h"
#include "project/CardHistory.h"
#include "properties/Properties.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {
/// Types into the properties dialog's name field and presses its OK button.
void TypeNameAndPressOk(QDialog& dialog, const QString& typed)
{
    auto& properties = static_cast<TfmProperties&>(dialog);
    properties.edtName->selectAll();
    QTest::keyClick(properties.edtName, Qt::Key_Backspace);
    QTest::keyClicks(properties.edtName, typed);
    QTest::mouseClick(properties.btnOk, Qt::LeftButton);
}
} // namespace

/// A saved project with the chain A -> B -> C and a card D, each with a text file but B.
class CardCommandsTest : public AppFixture {
protected:
    void SetUp() override { StartWithChainProject(); }

    QWidget* Viewport() { return Main().View().viewport(); }
    void Select(const char* name)
    {
        QTest::mouseClick(Viewport(), Qt::LeftButton, {},
                          Main().View().mapFromScene(QPointF(Card(name)->Left() + 5, Card(name)->Top() + 5)));
    }
    void Trigger(QAction* item) { item->trigger(); }
    TfmProperties& Properties(QDialog& dialog) { return static_cast<TfmProperties&>(dialog); }
};

TEST_F(CardCommandsTest, NewCardsAreMadeAtThePointerThroughThePropertiesDialog)
{
    QCursor::setPos(Viewport()->mapToGlobal(Main().View().mapFromScene(QPointF(500, 400))));
    Dialogs.ExpectModal([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "New Nodex");
        TNodex* shown = Main().Selection().CurrentCard;
        EXPECT_EQ(shown->Width(), 32) << "the new-card icon shows while the dialog is open";
        EXPECT_EQ(shown->Left(), 500 - 16);
        Properties(dialog).cmbNodexType->setCurrentIndex(2);
        TypeNameAndPressOk(dialog, "  Two   Words:? ");
    });
    QTest::keyClick(&Main().View(), Qt::Key_Insert);

    TNodex* made = Card("Two Words");
    ASSERT_TRUE(made);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo New Card");
    EXPECT_EQ(made->Type(), 3);
    EXPECT_EQ(made->Width(), 32) << "the chosen type's icon";
    EXPECT_EQ(Main().Selection().SelectedCards, QList<TNodex*>{made});
    EXPECT_TRUE(Projects.Read("Two Words.ndx").startsWith("[StateData]\nType=2\nState=0\n"));
    EXPECT_FALSE(Projects.Exists("Text Files/Two Words.txt"));

    // The next new card offers the type just chosen; Cancel takes it away again.
    Dialogs.ExpectModal([&](QDialog& dialog) {
        EXPECT_EQ(Properties(dialog).cmbNodexType->currentIndex(), 2);
        QTest::mouseClick(Properties(dialog).btnCancel, Qt::LeftButton);
    });
    Trigger(Main().Menus().pmnuNewNodex);
    EXPECT_EQ(Main().Canvas().CardCount(), 5);
    EXPECT_EQ(Main().Selection().CurrentCard, nullptr);

    // A card whose file cannot be written is still there to be saved.
    Projects.MakeFolder("Stuck.ndx");
    Dialogs.ExpectModal([&](QDialog& dialog) { TypeNameAndPressOk(dialog, "Stuck"); });
    Trigger(Main().Menus().pmnuNewNodex);
    EXPECT_EQ(Dialogs.LastText(), "Error writing nodex file.");
    EXPECT_TRUE(Main().ProjectModified());

    // Without a project on disk no card can be made.
    Main().CloseProject();
    Trigger(Main().Menus().pmnuNewNodex);
    EXPECT_EQ(Dialogs.LastText(), "Please save your project before creating nodexs.");
}

TEST_F(CardCommandsTest, ANameInOtherCapitalsMovesTheFilesAndTheLinksFollow)
{
    Select("B");
    const QByteArray card = Projects.Read("B.ndx");
    Dialogs.ExpectModal([&](QDialog& dialog) { TypeNameAndPressOk(dialog, "b"); });
    Trigger(Main().Menus().pmnuProperties);
    EXPECT_EQ(Card("A")->LinkTo()->Name(), "b");
    EXPECT_EQ(Projects.Read("b.ndx"), card);
    EXPECT_FALSE(Projects.Exists("B.ndx"));
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_TRUE(Projects.Read("A.ndx").contains("[LinkTo]\nName=b\n")) << "the link follows on disk at once";
}
TEST_F(CardCommandsTest, ACardsNameInOtherCapitalsIsRefusedWhenAnotherCardHasIt)
{
    // Where the file system tells capitals apart, "a" may be a card beside "A": each keeps its
    // own name, and neither takes the other's.
    WriteCard("a", 0, 0, 100, 300);
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    const QByteArray other = Projects.Read("a.ndx");
    Select("A");
    Dialogs.ExpectModal([&](QDialog& dialog) {
        QTest::keyClicks(Properties(dialog).memDescription, QStringLiteral("Harbour\u00A0lights"));
        QTest::mouseClick(Properties(dialog).btnOk, Qt::LeftButton);
    });
    Trigger(Main().Menus().pmnuProperties);
    EXPECT_EQ(Card("A")->Description(), QStringLiteral("Harbour\u00A0lights")) << "typed as it is spelt";
    Dialogs.ExpectModal([&](QDialog& dialog) {
        TypeNameAndPressOk(dialog, "a");
        QTest::mouseClick(Properties(dialog).btnCancel, Qt::LeftButton);
    });
    Trigger(Main().Menus().pmnuProperties);
    EXPECT_EQ(Dialogs.LastText(), "A nodex with that name already exists.");
    EXPECT_EQ(Projects.Read("a.ndx"), other);
}

TEST_F(CardCommandsTest, ALeftoverTextGoesToACardWithoutTextAndAMissingCardFileIsNoBar)
{
    Projects.Write("Text Files/Stray.txt", "a text a deleted card left behind");
    QFile::remove(Projects.Path("B.ndx"));
    Select("B");
    Dialogs.ExpectModal([&](QDialog& dialog) { TypeNameAndPressOk(dialog, "Stray"); });
    Trigger(Main().Menus().pmnuProperties);
    EXPECT_EQ(Dialogs.Texts(), QStringList{"Nodex Properties"}) << "no message";
    ASSERT_EQ(Card("A")->LinkTo()->Name(), "Stray");
    EXPECT_TRUE(Projects.Read("Stray.ndx").contains("[LinkTo]\nName=C\n"));
    EXPECT_EQ(Projects.Read("Text Files/Stray.txt"), "a text a deleted card left behind");
}

TEST_F(CardCommandsTest, ARenameThatCannotFinishLeavesBothFilesAsTheyWere)
{
    Projects.Write("Text Files/Stray.txt", "a file a deleted card left behind");
    Select("A");
    Dialogs.ExpectModal([&](QDialog& dialog) {
        TypeNameAndPressOk(dialog, "Stray");
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(Properties(dialog).btnCancel, Qt::LeftButton);
    });
    Trigger(Main().Menus().pmnuProperties);
    ASSERT_EQ(Dialogs.Last().kind, ScriptedDialogs::Kind::Warning);
    EXPECT_TRUE(Dialogs.Last().reason.contains("Stray.txt"));
    EXPECT_EQ(Card("A")->Name(), "A");
    EXPECT_TRUE(Projects.Exists("A.ndx"));
    EXPECT_EQ(Projects.Read("Text Files/A.txt"), "A text\r\n");
    EXPECT_FALSE(Projects.Exists("Stray.ndx"));
}

TEST_F(CardCommandsTest, DeleteTakesTheFilesAndEveryLinkIntoTheCards)
{
    // A damaged project: D also names C as its successor, though C's predecessor is B.
    Main().Model().AddStoredLink(Card("D")->Id(), Card("C")->Id());
    Select("B");
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      Main().View().mapFromScene(QPointF(Card("C")->Left() + 5, 105)));
    Dialogs.ExpectYesNoCancel(Answer::No);
    Trigger(Main().Menus().pmnuDelete);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Delete 2 Cards");

    EXPECT_EQ(CardNames(), (QStringList{"A", "D"}));
    EXPECT_FALSE(Projects.Exists("B.ndx") || Projects.Exists("C.ndx"));
    EXPECT_TRUE(Projects.Exists("Text Files/C.txt")) << "No keeps the text files";
    EXPECT_EQ(Card("A")->LinkTo(), nullptr);
    EXPECT_FALSE(Card("A")->Line()->isVisible());
    EXPECT_EQ(Card("D")->LinkTo(), nullptr);
    EXPECT_TRUE(Main().Selection().SelectedCards.isEmpty());
}

TEST_F(CardCommandsTest, RevisionStateAndRemoveLinksChangeOnlyMemory)
{
    Select("A");
    Trigger(Main().Menus().pmnuState[2]);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Revision State");
    EXPECT_EQ(Card("A")->NameLabel()->Text(), "A (C)");
    Trigger(Main().Menus().pmnuState[0]);
    EXPECT_EQ(Card("A")->NameLabel()->Text(), "A");

    Select("B");
    Trigger(Main().Menus().pmnuRemoveLinks);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Remove Links");
    EXPECT_EQ(Card("A")->LinkTo(), Card("B")) << "the link into the current card stays";
    EXPECT_EQ(Card("B")->LinkTo(), nullptr);
    EXPECT_EQ(Card("C")->LinkedFrom(), nullptr);
    EXPECT_TRUE(Main().ProjectModified());
    EXPECT_TRUE(Projects.Read("B.ndx").contains("Name=C")) << "nothing is written before Save";
}

TEST_F(CardCommandsTest, MergeJoinsTheChainsTextsAndAfterYesDeletesTheMergedCards)
{
    Select("A");
    Dialogs.ExpectYesNoCancel(Answer::No);
    Trigger(Main().Menus().pmnuMerge);
    // B has no text and adds nothing; each text is followed by a line break.
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Merge");
    EXPECT_EQ(Projects.Read("Text Files/A.txt"), "A text\r\n\r\nC text\r\n\r\n");
    EXPECT_EQ(Dialogs.LastText(), "Nodexs merged successfully.");
    EXPECT_EQ(Main().Canvas().CardCount(), 4);

    Projects.Write("Text Files/A.txt", "A\n");
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Trigger(Main().Menus().pmnuMerge);
    EXPECT_EQ(Projects.Read("Text Files/A.txt"), "A\r\n\r\nC text\r\n\r\n");
    EXPECT_EQ(CardNames(), (QStringList{"A", "D"}));
    EXPECT_FALSE(Projects.Exists("B.ndx") || Projects.Exists("C.ndx") || Projects.Exists("Text Files/C.txt"));
    EXPECT_EQ(Card("A")->LinkTo(), nullptr);
    EXPECT_FALSE(Card("A")->Line()->isVisible());

    // Two cards of one name ("Dup.ndx" and "Dup.NDX") share one text: it is merged once, and
    // deleting the merged card leaves the merged text.
    WriteCard("Dup", 0, 0, 100, 300, "Dup");
    Projects.Write("Dup.NDX", Projects.Read("D.ndx"));
    Projects.Write("Text Files/Dup.txt", "shared\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Book.nodex")));
    for (TNodex* card : Main().Canvas().Cards())
        if (card->Name() == "Dup" && card->LinkTo())
            Main().Selection().CurrentCard = card;
    ASSERT_TRUE(Main().Selection().CurrentCard);
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Trigger(Main().Menus().pmnuMerge);
    EXPECT_EQ(Projects.Read("Text Files/Dup.txt"), "shared\r\n\r\n");
    EXPECT_EQ(CardNames().count("Dup"), 1);
}

TEST_F(CardCommandsTest, ACardsHistoryFollowsItsNameKeepsWhatAMergeReplacedAndOutlivesADelete)
{
    CardHistory history(Projects.Path() + '/');
    QString error;
    ASSERT_TRUE(history.AddEntry("A", "A before\r\n", QDateTime::currentDateTimeUtc(), error));
    const auto kept = [&](const QString& card) {
        QList<QByteArray> texts;
        for (const CardHistoryEntry& entry : history.Entries(card)) {
            QByteArray bytes;
            EXPECT_TRUE(history.Read(entry, bytes, error)) << error.toStdString();
            texts.append(bytes);
        }
        return texts;
    };

    Select("A");
    Dialogs.ExpectModal([&](QDialog& dialog) { TypeNameAndPressOk(dialog, "Alpha"); });
    Trigger(Main().Menus().pmnuProperties);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Properties");
    EXPECT_EQ(kept("Alpha"), QList<QByteArray> { "A before\r\n" });
    EXPECT_FALSE(Projects.Exists(".nodex-history/A"));

    Dialogs.ExpectYesNoCancel(Answer::No);
    Trigger(Main().Menus().pmnuMerge);
    EXPECT_EQ(kept("Alpha"), (QList<QByteArray> { "A text\r\n", "A before\r\n" }));

    // Deleted with its text, the card leaves its history, where its undo finds it again.
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Trigger(Main().Menus().pmnuDelete);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Delete Card");
    EXPECT_FALSE(Projects.Exists("Text Files/Alpha.txt"));
    EXPECT_EQ(kept("Alpha").size(), 2);
}

TEST_F(CardCommandsTest, TheCardMenuOpensTheCardsHistoryAndARestoreReachesItsOpenEditor)
{
    QString error;
    ASSERT_TRUE(CardHistory(Projects.Path() + '/').AddEntry(
        "C", "C before\r\n", QDateTime::currentDateTimeUtc(), error));
    Select("C");
    Trigger(Main().Menus().pmnuEdit);
    TfmEditor* editor = Main().CardEditors().Of(Card("C")->Id());
    ASSERT_TRUE(editor);
    Trigger(Main().Menus().pmnuHistory);
    auto* window = Main().findChild<HistoryWindow*>();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->windowTitle(), "History of C");
    ASSERT_EQ(window->lstEntries->topLevelItemCount(), 1);
    QTest::mouseClick(window->btnRestore, Qt::LeftButton);
    EXPECT_EQ(Projects.Read("Text Files/C.txt"), "C before\r\n");
    EXPECT_EQ(editor->memEditor->Text(), "C before\n");
}

TEST_F(CardCommandsTest, AMergeThatCannotWriteDeletesNothing)
{
    QFile::setPermissions(Projects.Path("Text Files/A.txt"), QFile::ReadOwner);
    Select("A");
    Dialogs.ExpectYesNoCancel(Answer::Yes);
    Trigger(Main().Menus().pmnuMerge);
    ASSERT_EQ(Dialogs.LastText(), "There was an error during merging.");
    EXPECT_TRUE(Dialogs.Last().reason.contains("read-only"));
    EXPECT_EQ(Main().Canvas().CardCount(), 4);
    EXPECT_TRUE(Projects.Exists("Text Files/C.txt"));
    EXPECT_EQ(Card("B")->LinkTo(), Card("C"));
}

TEST_F(CardCommandsTest, RemoveFromChainJoinsTheNeighboursAndDeleteSaysItLeavesAGap)
{
    MainMenus& menus = Main().Menus();
    const QString question = "Delete the text files as well as the nodexs?";
    Select("D");
    emit menus.pmnuNodex->aboutToShow();
    EXPECT_FALSE(menus.pmnuRemoveFromChain->isEnabled()) << "D stands in no chain";

    Select("B");
    emit menus.pmnuNodex->aboutToShow();
    ASSERT_TRUE(menus.pmnuRemoveFromChain->isEnabled());
    Dialogs.ExpectYesNoCancel(Answer::Cancel);
    Trigger(menus.pmnuDelete);
    EXPECT_EQ(Dialogs.LastText(), question + "\nDeleting leaves a gap in the chain: the nodexs on "
                                             "either side are not linked to each other.");

    Trigger(menus.pmnuRemoveFromChain);
    EXPECT_EQ(menus.mnuUndo->text(), "&Undo Remove 'B' from Chain");
    EXPECT_EQ(Card("A")->LinkTo(), Card("C"));
    EXPECT_FALSE(Card("B")->LinkTo() || Card("B")->LinkedFrom());
    Dialogs.ExpectYesNoCancel(Answer::Cancel);
    Trigger(menus.pmnuDelete);
    EXPECT_EQ(Dialogs.LastText(), question) << "B leaves no chain open now";
}
