#include "AppFixture.h"
#include "app/Main.h"
#include "app/MainMenus.h"
#include "app/ProjectReplace.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"

#include <QAction>
#include <QDir>
#include <QMap>
#include <QTest>

namespace {

/// The chain Harbour -> Nell -> Storm and a card Nora; "Nell" in every text, in Nell's name and
/// in Harbour's description. Nell's text has CR LF line ends, Harbour's LF and letters beyond
/// ASCII, Storm's is Windows-1252.
class ReplaceInProjectTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("Harbour", 0, 0, 100, 100, "Nell", "Nell waits at the quay");
        WriteCard("Nell", 0, 0, 250, 100, "Storm");
        WriteCard("Storm", 0, 0, 400, 100);
        WriteCard("Nora", 0, 0, 550, 100);
        Projects.Write("Text Files/Nell.txt", "Nell ran.\r\n\r\nNell's boat, not Nellie's.\r\n");
        Projects.Write("Text Files/Harbour.txt", "Die Straße, İzmir, café: Nell.\n");
        Projects.Write("Text Files/Storm.txt", "Caf\xe9 Nell\r\n");
        ASSERT_TRUE(Program->Start({ Projects.Path("Book.nodex") }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
        Main().SaveProject();
    }

    CardId Id(const char* name) { return Card(name) ? Card(name)->Id() : 0; }
    /// Every "Nell" of `searched` that stands as a whole word made `with`, as the search hands
    /// its matches over.
    static CardReplacement Record(
        CardId card, ReplacedField field, const QString& searched, const QString& with = "Mara")
    {
        CardReplacement record { card, field, searched, {} };
        for (qsizetype at = 0; (at = searched.indexOf("Nell", at)) >= 0; at += 4)
            if (at + 4 == searched.size() || !searched[at + 4].isLetter())
                record.Edits.append({ at, 4, with });
        return record;
    }
    /// The card files and text files, by name.
    QMap<QString, QByteArray> Files() const
    {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(Projects.Path()).entryList({ "*.ndx" }, QDir::Files))
            files.insert(name, Projects.Read(name));
        for (const QString& name : QDir(Projects.Path("Text Files")).entryList(QDir::Files))
            files.insert("Text Files/" + name, Projects.Read("Text Files/" + name));
        return files;
    }
    /// Ctrl+Z (with Shift: Ctrl+Shift+Z) in a window brought to the front first, as the writer
    /// clicks into it: a window's keys reach only the active window.
    static void Keys(QWidget* target, Qt::KeyboardModifiers keys)
    {
        target->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(target->window()));
        QTest::keyClick(target, Qt::Key_Z, keys, 10);
    }
    TfmEditor* OpenEditor(const char* name)
    {
        const QPoint at
            = Main().View().mapFromScene(QPointF(Card(name)->Left() + 5, Card(name)->Top() + 5));
        QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Main().View().viewport(), Qt::LeftButton, {}, at);
        return Main().CardEditors().Of(Card(name)->Id());
    }
};

} // namespace

TEST_F(ReplaceInProjectTest, TextsNameAndDescriptionAreOneStepThatUndoAndRedoPutBackByteForByte)
{
    const QMap<QString, QByteArray> before = Files();
    const ProjectReplaceResult result = ReplaceInProject(Main(), "Nell",
        { Record(Id("Nell"), ReplacedField::Text, "Nell ran.\n\nNell's boat, not Nellie's.\n"),
            Record(Id("Harbour"), ReplacedField::Text, "Die Straße, İzmir, café: Nell.\n"),
            Record(Id("Storm"), ReplacedField::Text, "Café Nell\n"),
            Record(Id("Nell"), ReplacedField::Name, "Nell"),
            Record(Id("Harbour"), ReplacedField::Description, "Nell waits at the quay") });
    EXPECT_EQ(result.CardsChanged, 3);
    EXPECT_TRUE(result.Refused.isEmpty());
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Replace 'Nell' in 3 cards");
    EXPECT_EQ(CardNames(), (QStringList { "Harbour", "Mara", "Nora", "Storm" }));
    Main().SaveProject();
    const QMap<QString, QByteArray> after = Files();
    // Written as the editor writes a text; the name's files and the link into it follow.
    EXPECT_EQ(
        after.value("Text Files/Mara.txt"), "Mara ran.\r\n\r\nMara's boat, not Nellie's.\r\n");
    EXPECT_EQ(after.value("Text Files/Storm.txt"), "Café Mara\r\n");
    EXPECT_FALSE(after.contains("Nell.ndx") || after.contains("Text Files/Nell.txt"));
    EXPECT_TRUE(after.value("Harbour.ndx").contains("Mara waits at the quay"));
    EXPECT_TRUE(after.value("Harbour.ndx").contains("Name=Mara"));

    Keys(&Main(), Qt::ControlModifier);
    Main().SaveProject();
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(
        Main().Cards().Context().Model.Card(Id("Harbour")).Description, "Nell waits at the quay");
    Keys(&Main(), Qt::ControlModifier | Qt::ShiftModifier);
    Main().SaveProject();
    EXPECT_EQ(Files(), after);

    // A text changed on disk since: the undo is refused with the reason, and nothing of it is done.
    Projects.Write("Text Files/Storm.txt", "Café Mara, rewritten\r\n");
    const QMap<QString, QByteArray> changed = Files();
    Keys(&Main(), Qt::ControlModifier);
    EXPECT_EQ(Dialogs.LastText(), "The step was not undone.");
    EXPECT_EQ(Dialogs.Last().reason, "'Storm.txt' was changed on disk since.");
    Main().SaveProject();
    EXPECT_EQ(Files(), changed);
    EXPECT_EQ(CardNames(), (QStringList { "Harbour", "Mara", "Nora", "Storm" }));
}

TEST_F(ReplaceInProjectTest, AnOpenEditorsUnsavedTextIsReplacedThereAndItsUndoesFollowIt)
{
    TfmEditor* editor = OpenEditor("Storm");
    ASSERT_TRUE(editor);
    EditorMemo* memo = editor->memEditor;
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, "Nell waits.");
    const QString typed = "Café Nell\nNell waits.";
    ASSERT_EQ(memo->Text(), typed);

    const ProjectReplaceResult result
        = ReplaceInProject(Main(), "Nell", { Record(Id("Storm"), ReplacedField::Text, typed) });
    EXPECT_EQ(result.CardsChanged, 1);
    EXPECT_EQ(Main().Menus().mnuUndo->text(), "&Undo Replace 'Nell' in 1 card");
    EXPECT_EQ(memo->Text(), "Café Mara\nMara waits.");
    EXPECT_TRUE(editor->IsModified());
    EXPECT_EQ(Projects.Read("Text Files/Storm.txt"), "Caf\xe9 Nell\r\n")
        << "saved as the editor saves";
    // One edit of the editor: its own undo and redo take it back and forth whole.
    Keys(memo, Qt::ControlModifier);
    EXPECT_EQ(memo->Text(), typed);
    Keys(memo, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo->Text(), "Café Mara\nMara waits.");

    Keys(&Main(), Qt::ControlModifier);
    EXPECT_EQ(memo->Text(), typed);
    Keys(&Main(), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(memo->Text(), "Café Mara\nMara waits.");

    // Typed since: the main window's undo leaves the editor's text alone and says why.
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, " Later.");
    ASSERT_EQ(memo->Text(), "Café Mara\nMara waits. Later.");
    Keys(&Main(), Qt::ControlModifier);
    EXPECT_EQ(Dialogs.Last().reason, "'Storm' was edited since the replace.");
    EXPECT_EQ(memo->Text(), "Café Mara\nMara waits. Later.");
    EXPECT_TRUE(Main().Menus().mnuUndo->isEnabled());
}

TEST_F(ReplaceInProjectTest,
    ANameIllegalOrTakenOrATextChangedSinceItWasSearchedIsRefusedTheRestReplaced)
{
    Projects.Write("Text Files/Harbour.txt", "Rewritten since the search.\n");
    const ProjectReplaceResult result = ReplaceInProject(Main(), "Nell",
        { Record(Id("Nell"), ReplacedField::Name, "Nell", "Nora"),
            Record(Id("Harbour"), ReplacedField::Text, "Die Straße, İzmir, café: Nell.\n"),
            { Id("Storm"), ReplacedField::Name, "Storm", { { 1, 1, "/" } } },
            Record(Id("Storm"), ReplacedField::Text, "Café Nell\n") });
    EXPECT_EQ(result.CardsChanged, 1);
    ASSERT_EQ(result.Refused.size(), 3);
    EXPECT_EQ(result.Refused[0].Reason, "'Harbour' was changed since it was searched.");
    EXPECT_EQ(result.Refused[1].Reason, "A nodex with that name already exists.");
    EXPECT_EQ(result.Refused[1].Card, Id("Nell"));
    EXPECT_TRUE(result.Refused[2].Reason.contains("'/'")) << result.Refused[2].Reason.toStdString();
    EXPECT_EQ(CardNames(), (QStringList { "Harbour", "Nell", "Nora", "Storm" }));
    EXPECT_EQ(Projects.Read("Text Files/Storm.txt"), "Café Mara\r\n");
    EXPECT_EQ(Projects.Read("Text Files/Harbour.txt"), "Rewritten since the search.\n");

    // Nothing left to do: no step.
    const int steps = Main().Steps().count();
    EXPECT_EQ(ReplaceInProject(
                  Main(), "Nell", { Record(Id("Nell"), ReplacedField::Name, "Nell", "Nora") })
                  .CardsChanged,
        0);
    EXPECT_EQ(Main().Steps().count(), steps);
}
