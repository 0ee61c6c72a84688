#include "AppFixture.h"
#include "app/Main.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "platform/FileSteps.h"

#include <QAction>
#include <QFile>
#include <QTest>
#include <cerrno>

/// A saved project with the chain A -> B -> C and a card D, each with a text file but B.
class DuplicateTest : public AppFixture {
protected:
    void SetUp() override { StartWithChainProject(); }
    void TearDown() override { SetFileStepHook({}); }

    void Click(const char* name, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, keys,
            Main().View().mapFromScene(QPointF(Card(name)->Left() + 5, Card(name)->Top() + 5)));
    }
    QRect Area(const char* name)
    {
        const TNodex* card = Card(name);
        return QRect(
            card->Left(), card->Top(), card->Width(), card->Height() + card->LabelHeight());
    }
    const CardData& Data(const char* name) { return Main().Model().Card(Card(name)->Id()); }
};

TEST_F(DuplicateTest, CtrlDCopiesTheSelectedCardsWithTheirTextsBesideThemUnderFreeNames)
{
    CardData a = Data("A");
    a.Type = 3;
    a.State = 2;
    a.Description = "The harbour at dawn";
    Main().Model().ChangeCard(Card("A")->Id(), a);
    // A text that no card holds keeps its name from the copies.
    Projects.Write("Text Files/D 2.txt", "left behind\r\n");
    Click("A");
    Click("B", Qt::ShiftModifier);
    Click("D", Qt::ShiftModifier);
    QTest::keyClick(Main().View().viewport(), Qt::Key_D, Qt::ControlModifier);

    ASSERT_EQ(CardNames(), (QStringList { "A", "B", "C", "D", "A 2", "B 2", "D 3" }));
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Duplicate 3 Cards");
    const CardData& copy = Data("A 2");
    EXPECT_EQ(std::tie(copy.Type, copy.State, copy.Description),
        std::tie(a.Type, a.State, a.Description));
    EXPECT_EQ(Card("A 2")->LinkTo(), nullptr);
    EXPECT_EQ(Card("A")->LinkTo(), Card("B")) << "the originals keep their links";
    EXPECT_EQ(Card("B")->LinkTo(), Card("C"));
    EXPECT_EQ(Projects.Read("Text Files/A 2.txt"), "A text\r\n");
    EXPECT_EQ(Projects.Read("Text Files/D 3.txt"), "D text\r\n");
    EXPECT_EQ(Projects.Read("Text Files/D 2.txt"), "left behind\r\n");
    EXPECT_FALSE(Projects.Exists("Text Files/B 2.txt")) << "B has no text to copy";
    EXPECT_TRUE(
        Projects.Exists("A 2.ndx") && Projects.Exists("B 2.ndx") && Projects.Exists("D 3.ndx"));

    // Each copy stands to the right of its card, on top of none.
    for (const auto& [original, name] :
        { std::pair { "A", "A 2" }, { "B", "B 2" }, { "D", "D 3" } }) {
        EXPECT_EQ(Card(name)->Top(), Card(original)->Top());
        EXPECT_GT(Card(name)->Left(), Area(original).right()) << name;
        for (const QString& other : CardNames()) {
            if (other != name) {
                EXPECT_FALSE(Area(name).intersects(Area(other.toUtf8().constData())))
                    << name << " on " << other.toStdString();
            }
        }
    }
    QList<TNodex*> copies { Card("A 2"), Card("B 2"), Card("D 3") };
    EXPECT_EQ(Main().Selection().SelectedCards, copies);
    for (TNodex* card : copies)
        EXPECT_TRUE(card->Selected());
    EXPECT_FALSE(Card("A")->Selected());
}

TEST_F(DuplicateTest, UndoRemovesTheCopysFilesAndRedoPutsTheSameBytesBack)
{
    Click("C");
    Main().Menus().pmnuDuplicate->trigger();
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Duplicate 'C'");
    const QByteArray cardFile = Projects.Read("C 2.ndx");
    const QByteArray textFile = Projects.Read("Text Files/C 2.txt");
    const QPoint place(Card("C 2")->Left(), Card("C 2")->Top());

    Main().Menus().mnuUndo->trigger();
    EXPECT_EQ(CardNames(), (QStringList { "A", "B", "C", "D" }));
    EXPECT_FALSE(Projects.Exists("C 2.ndx") || Projects.Exists("Text Files/C 2.txt"));
    EXPECT_EQ(Projects.Read("Text Files/C.txt"), "C text\r\n");

    Main().Menus().mnuRedo->trigger();
    ASSERT_EQ(CardNames(), (QStringList { "A", "B", "C", "D", "C 2" }));
    EXPECT_EQ(Projects.Read("C 2.ndx"), cardFile);
    EXPECT_EQ(Projects.Read("Text Files/C 2.txt"), textFile);
    EXPECT_EQ(QPoint(Card("C 2")->Left(), Card("C 2")->Top()), place);

    // A card file that cannot be removed leaves the copy, and says why; the undo can be tried
    // again.
    const QByteArray copyFile = QFile::encodeName(Projects.Path("C 2.ndx"));
    SetFileStepHook([copyFile](FileStep step, const QByteArray& path) {
        return StepOutcome { step == FileStep::Remove && path == copyFile ? EACCES : 0 };
    });
    Main().Menus().mnuUndo->trigger();
    SetFileStepHook({});
    EXPECT_EQ(Dialogs.LastText(), "The step was not undone.");
    EXPECT_TRUE(Dialogs.Last().reason.contains("Permission denied"))
        << Dialogs.Last().reason.toStdString();
    EXPECT_EQ(Projects.Read("C 2.ndx"), cardFile);
    EXPECT_EQ(CardNames().size(), 5);

    // What was written into the copy since is not thrown away by an undo.
    Projects.Write("Text Files/C 2.txt", "a new scene\r\n");
    Main().Menus().mnuUndo->trigger();
    EXPECT_EQ(Dialogs.LastText(), "The step was not undone.");
    EXPECT_EQ(Dialogs.Last().reason, "'C 2.txt' was changed on disk since.");
    EXPECT_EQ(Projects.Read("Text Files/C 2.txt"), "a new scene\r\n");
    EXPECT_EQ(CardNames().size(), 5);
}

TEST_F(DuplicateTest, AReadOnlyFolderMakesNoCopyAndSaysWhy)
{
    // The texts' folder read-only fails after the first card file was written; the project
    // folder read-only fails at once. Either way nothing is left half made.
    for (const QByteArray& folder :
        { QFile::encodeName(Projects.Path("Text Files/")), QFile::encodeName(Projects.Path("")) }) {
        SetFileStepHook([folder](FileStep step, const QByteArray& path) {
            return StepOutcome { step == FileStep::CreateTemp && path.startsWith(folder) ? EROFS
                                                                                         : 0 };
        });
        Click("A");
        Click("D", Qt::ShiftModifier);
        Main().Menus().mnuDuplicate->trigger();
        EXPECT_EQ(Dialogs.LastText(), "The cards were not duplicated.");
        EXPECT_TRUE(Dialogs.Last().reason.contains("Read-only file system"))
            << Dialogs.Last().reason.toStdString();
        EXPECT_EQ(CardNames(), (QStringList { "A", "B", "C", "D" }));
        EXPECT_FALSE(Projects.Exists("A 2.ndx") || Projects.Exists("D 2.ndx"));
        EXPECT_FALSE(Main().Menus().mnuUndo->isEnabled());
    }
}
