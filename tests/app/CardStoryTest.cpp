#include "AppFixture.h"
#include "app/Main.h"
#include "app/OutlineCommands.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/Nodex.h"
#include "canvas/NodexLabel.h"
#include "editor/Editor.h"
#include "editor/EditorMemo.h"
#include "outline/OutlineModel.h"

#include <QAction>
#include <QTest>

/// The View menu's Descriptions on Cards and Word Counts on Cards, drawn on a real canvas at
/// actual size and zoomed out.
class CardStoryTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        Path = WriteProject("Book.nodex", "[Theme]\nName=Book.ini\n");
        WriteCard("A", 0, 0, 100, 100, {}, "Harbour at dawn");
        WriteCard("B", 0, 0, 400, 100, {}, QString("word ").repeated(80));
        Projects.Write("Text Files/A.txt", "one two three four\r\n");
        ASSERT_TRUE(Program->Start({ Path }));
        Main().resize(1000, 700);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    }

    /// Whether the view shows ink (anything but canvas) in a canvas rectangle.
    bool Inked(const QRectF& canvasRect)
    {
        CanvasView& view = Main().View();
        const QImage shown = view.viewport()->grab().toImage();
        const QColor canvas = Main().Canvas().backgroundBrush().color();
        const QRect rect = view.mapFromScene(canvasRect).boundingRect() & shown.rect();
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (shown.pixelColor(x, y) != canvas)
                    return true;
        return false;
    }
    /// The canvas strip under a card's name where its story is drawn when shown.
    QRectF UnderName(TNodex* card)
    {
        const NodexLabel* label = card->NameLabel();
        return QRectF(
            card->Left() - 30, label->pos().y() + label->NameHeight() + 1, card->Width() + 60, 30);
    }
    void Toggle(QAction* item)
    {
        item->trigger();
        QApplication::processEvents();
    }

    QString Path;
};

TEST_F(CardStoryTest, DescriptionsAndCountsAreDrawnUnderTheNameOnlyWhenShown)
{
    TNodex* a = Card("A");
    const int plainHeight = a->LabelHeight();
    EXPECT_FALSE(Main().Menus().mnuDescriptionsOnCards->isChecked());
    EXPECT_FALSE(Inked(UnderName(a))) << "off by default";

    Toggle(Main().Menus().mnuDescriptionsOnCards);
    EXPECT_EQ(a->NameLabel()->StoryLines(), QStringList { "Harbour at dawn" });
    EXPECT_TRUE(Inked(UnderName(a)));
    EXPECT_GT(a->LabelHeight(), plainHeight) << "the card takes the room its story is drawn in";

    // A long description stops at three lines, the last one cut short.
    const QStringList lines = Card("B")->NameLabel()->StoryLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.last().endsWith(QChar(0x2026)));

    Toggle(Main().Menus().mnuWordCountsOnCards);
    EXPECT_EQ(a->NameLabel()->StoryLines().last(), "4 words");
    EXPECT_EQ(Card("B")->NameLabel()->StoryLines().last(), "0 words") << "a card without a text";
    EXPECT_EQ(Card("B")->NameLabel()->StoryLines().size(), 4);

    // Zoomed out, the overview draws the story where it stands, so that nothing jumps.
    Main().View().RestoreZoom(25);
    EXPECT_TRUE(Inked(UnderName(a)));

    // A saved text is counted again without the file being read for drawing.
    Main().View().RestoreZoom(100);
    QTest::mouseClick(Main().View().viewport(), Qt::LeftButton, {},
        Main().View().mapFromScene(QPointF(110, 110)));
    QTest::mouseDClick(Main().View().viewport(), Qt::LeftButton, {},
        Main().View().mapFromScene(QPointF(110, 110)));
    TfmEditor* editor = Main().CardEditors().Of(a->Id());
    ASSERT_TRUE(editor);
    // The outline keeps its counts as well, and takes the saved one.
    const auto outlineWords = [&] {
        const OutlineModel& outline = Main().Outline().Model();
        return outline.IndexOf(a->Id()).siblingAtColumn(OutlineModel::WordsColumn).data().toString();
    };
    EXPECT_EQ(outlineWords(), "4");
    editor->memEditor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor->memEditor, "five");
    EXPECT_EQ(a->NameLabel()->StoryLines().last(), "4 words") << "counted when saved, not as typed";
    ASSERT_TRUE(editor->SaveText());
    EXPECT_EQ(a->NameLabel()->StoryLines().last(), "5 words");
    EXPECT_EQ(outlineWords(), "5");

    Toggle(Main().Menus().mnuDescriptionsOnCards);
    Toggle(Main().Menus().mnuWordCountsOnCards);
    EXPECT_FALSE(Inked(UnderName(a)));
    EXPECT_EQ(a->LabelHeight(), plainHeight);
}

TEST_F(CardStoryTest, WhatCardsShowIsKeptPerProject)
{
    Toggle(Main().Menus().mnuDescriptionsOnCards);
    Main().CloseProject();
    EXPECT_FALSE(Main().Menus().mnuDescriptionsOnCards->isChecked());

    // Another project is seen as it was: plainly.
    WriteProject("Other/Other.nodex", "[Theme]\nName=Book.ini\n");
    ASSERT_TRUE(Main().OpenProject(Projects.Path("Other/Other.nodex")));
    EXPECT_FALSE(Main().Menus().mnuDescriptionsOnCards->isChecked());

    ASSERT_TRUE(Main().OpenProject(Path));
    EXPECT_TRUE(Main().Menus().mnuDescriptionsOnCards->isChecked());
    EXPECT_FALSE(Main().Menus().mnuWordCountsOnCards->isChecked());
    EXPECT_EQ(Card("A")->NameLabel()->StoryLines(), QStringList { "Harbour at dawn" });
}
