#include "AppFixture.h"
#include "app/Main.h"
#include "canvas/CanvasScene.h"
#include "canvas/CanvasView.h"
#include "canvas/NodexLabel.h"
#include "canvas/Nodex.h"

#include <QAction>
#include <QCursor>
#include <QDialog>
#include <QDateTime>
#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

/// A project on a canvas four screens large, with a row of cards near its origin and one card
/// far out, driven with real mouse, wheel and key events at several scales.
class ZoomedCanvasTest : public AppFixture {
protected:
    void SetUp() override
    {
        StartProgram();
        Path = WriteProject("Book.nodex", "[Workspace]\nSize=2\n[Theme]\nName=Book.ini\n");
        int left = 100;
        for (const char* name : { "A", "B", "C" }) {
            WriteCard(name, 0, 0, left, 100);
            left += 150;
        }
        WriteCard("Far", 0, 0, 2500, 1800);
        ASSERT_TRUE(Program->Start({ Path }));
        Main().resize(1000, 700);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    }

    CanvasView& View() { return Main().View(); }
    QWidget* Viewport() { return View().viewport(); }
    /// A point on the view inside a card, near its top-left corner.
    QPoint At(TNodex* card)
    {
        return View().mapFromScene(QPointF(card->Left() + 10, card->Top() + 10));
    }
    QRectF Visible() { return View().mapToScene(Viewport()->rect()).boundingRect(); }

    void Wheel(QPoint at, int notches, Qt::KeyboardModifiers keys = Qt::ControlModifier)
    {
        QWheelEvent wheel(at, Viewport()->mapToGlobal(at), {}, QPoint(0, notches * 120),
            Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Viewport(), &wheel);
    }

    QString Path;
};

TEST_F(ZoomedCanvasTest, AClickAtHalfScaleSelectsTheCardUnderThePointer)
{
    View().RestoreZoom(50);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(Card("B")));
    EXPECT_EQ(Main().Selection().SelectedCards, QList<TNodex*> { Card("B") });

    // Where B stands at actual size there is only canvas now.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, QPoint(260, 110));
    EXPECT_TRUE(Main().Selection().SelectedCards.isEmpty());

    // The card menu and a double click find the card at the pointer's canvas point as well.
    QSignalSpy editor(&Main(), &TfmMain::CardEditorRequested);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(Card("C")));
    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, At(Card("C")));
    ASSERT_EQ(editor.size(), 1);
    EXPECT_EQ(editor.first().first().value<TNodex*>(), Card("C"));
}

TEST_F(ZoomedCanvasTest, ADragAtDoubleScaleMovesTheCardByThePointersDistanceOverTheScale)
{
    View().RestoreZoom(200);
    TNodex* b = Card("B");
    const QPoint from = At(b);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step)
        QTest::mouseMove(Viewport(), from + QPoint(60, 100) * step / 4);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, from + QPoint(60, 100));
    EXPECT_EQ(QPoint(b->Left(), b->Top()), QPoint(280, 150));

    // Shift-click builds a group at any scale; pushed past the canvas's corner, the group stops
    // at the edges.
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier, At(Card("A")));
    const QPoint grab = At(Card("A"));
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::ShiftModifier, grab);
    QTest::mouseMove(Viewport(), grab - QPoint(300, 300));
    QTest::mouseMove(Viewport(), grab - QPoint(600, 600));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::ShiftModifier, grab - QPoint(600, 600));
    EXPECT_EQ(QPoint(Card("A")->Left(), Card("A")->Top()), QPoint(2, 2));
    EXPECT_EQ(QPoint(Card("B")->Left(), Card("B")->Top()), QPoint(182, 52));
}

TEST_F(ZoomedCanvasTest, PanningAndLinkingAndInsertWorkInCanvasPointsAtAnyScale)
{
    View().RestoreZoom(25);
    // Ctrl-click links at a quarter scale.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(Card("A")));
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ControlModifier, At(Card("Far")));
    EXPECT_EQ(Card("A")->LinkTo(), Card("Far"));

    // Insert places the new card at the pointer's canvas point (the command is cancelled).
    Dialogs.ExpectModal([](QDialog& dialog) { dialog.reject(); });
    QSignalSpy newCard(&View(), &CanvasView::NewCardRequested);
    QCursor::setPos(Viewport()->mapToGlobal(QPoint(200, 100)));
    QTest::keyClick(&View(), Qt::Key_Insert);
    ASSERT_EQ(newCard.size(), 1);
    EXPECT_EQ(newCard.first().first().toPoint(), QPoint(800, 400));
    // Beyond the canvas's edge, shown grey when zoomed out, it needs a selected card.
    const QPoint beyond = View().mapFromScene(QPointF(Main().Canvas().CanvasWidth() + 40, 100));
    ASSERT_TRUE(Viewport()->rect().contains(beyond));
    QCursor::setPos(Viewport()->mapToGlobal(beyond));
    QTest::keyClick(&View(), Qt::Key_Insert);
    EXPECT_EQ(newCard.size(), 1);

    // The canvas follows the hand in view pixels whatever the scale.
    View().RestoreZoom(200);
    QScrollBar* horizontal = View().horizontalScrollBar();
    horizontal->setValue(300);
    const QPoint start(400, 300);
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::ShiftModifier, start);
    QTest::mouseMove(Viewport(), start + QPoint(-50, 0));
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::ShiftModifier, start + QPoint(-50, 0));
    EXPECT_EQ(horizontal->value(), 350);
}

TEST_F(ZoomedCanvasTest, ZoomedOutTheCanvasShowsEveryCardSimply)
{
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(Card("B")));
    View().RestoreZoom(25);
    const QImage shown = Viewport()->grab().toImage();
    const QColor canvas = Main().Canvas().backgroundBrush().color();
    const auto pixel
        = [&](QPointF canvasPoint) { return shown.pixelColor(View().mapFromScene(canvasPoint)); };
    // Whether a canvas rectangle shows any pixel for which `test` holds.
    const auto any = [&](const QRectF& canvasRect, auto test) {
        const QRect rect = View().mapFromScene(canvasRect).boundingRect();
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (test(shown.pixelColor(x, y)))
                    return true;
        return false;
    };

    // Each icon is drawn where its card stands, and a bar in the name's colour where the name
    // stands: the selected card's in the selection colour.
    for (TNodex* card : Main().Canvas().Cards()) {
        const QRectF icon(card->Left(), card->Top(), card->Width(), card->Height());
        EXPECT_TRUE(any(icon, [&](QColor colour) { return colour != canvas; }))
            << card->Name().toStdString();
        const NodexLabel* name = card->NameLabel();
        EXPECT_TRUE(any(QRectF(name->pos(), QSizeF(name->Width(), name->Height())),
            [&](QColor colour) { return colour == name->TextColour(); }))
            << card->Name().toStdString();
    }
    EXPECT_NE(Card("B")->NameLabel()->TextColour(), Card("A")->NameLabel()->TextColour());
    EXPECT_EQ(pixel(QPointF(1000, 1000)), canvas) << "empty canvas";
    // Beyond the canvas's edge the view is no canvas, and looks it.
    EXPECT_NE(pixel(QPointF(Main().Canvas().CanvasWidth() + 40, 100)), canvas);
}

TEST_F(ZoomedCanvasTest, CtrlWheelZoomsAroundThePointerWithinTheLimits)
{
    const QPoint pointer = At(Card("C"));
    const QPointF under = View().mapToScene(pointer);
    Wheel(pointer, 2);
    EXPECT_EQ(View().ZoomPercent(), 125);
    EXPECT_NEAR(View().mapToScene(pointer).x(), under.x(), 1.0)
        << "the point under the pointer stays";
    EXPECT_NEAR(View().mapToScene(pointer).y(), under.y(), 1.0);
    EXPECT_EQ(View().transform().m11(), 1.25);

    Wheel(pointer, 40);
    EXPECT_EQ(View().ZoomPercent(), 400);
    Wheel(pointer, -40);
    EXPECT_EQ(View().ZoomPercent(), 10);

    // Without Ctrl the wheel scrolls and leaves the scale alone.
    View().RestoreZoom(100);
    Wheel(pointer, -1, Qt::NoModifier);
    EXPECT_EQ(View().ZoomPercent(), 100);
    EXPECT_GT(View().verticalScrollBar()->value(), 0);
}

TEST_F(ZoomedCanvasTest, ZoomKeysAndZoomToFitShowEveryCard)
{
    // The pointer is away from the canvas: the keys zoom around the view's middle.
    QCursor::setPos(Main().mapToGlobal(QPoint(-50, -50)));
    View().horizontalScrollBar()->setValue(500);
    View().verticalScrollBar()->setValue(500);
    const QPointF middle = Visible().center();
    QTest::keyClick(&Main(), '-', Qt::ControlModifier);
    EXPECT_EQ(View().ZoomPercent(), 90);
    EXPECT_NEAR(Visible().center().x(), middle.x(), 2.0);
    EXPECT_NEAR(Visible().center().y(), middle.y(), 2.0);
    // "+" of its own key (as on German keyboards), and "=", the same key without Shift.
    QTest::keyClick(&Main(), '+', Qt::ControlModifier);
    QTest::keyClick(&Main(), '=', Qt::ControlModifier);
    EXPECT_EQ(View().ZoomPercent(), 110);
    QTest::keyClick(&Main(), '0', Qt::ControlModifier);
    EXPECT_EQ(View().ZoomPercent(), 100);

    ASSERT_FALSE(Visible().contains(QPointF(Card("Far")->Left(), Card("Far")->Top())));
    QTest::keyClick(&Main(), '9', Qt::ControlModifier);
    EXPECT_LT(View().ZoomPercent(), 100);
    for (TNodex* card : Main().Canvas().Cards()) {
        const QRectF withLabel(card->Left() - card->LabelOverhang(), card->Top(),
            card->Width() + 2 * card->LabelOverhang(), card->Height() + card->LabelHeight());
        EXPECT_TRUE(Visible().contains(withLabel)) << card->Name().toStdString();
    }
    // Looking closer or farther is no change to the work.
    EXPECT_FALSE(Main().ProjectModified());
}

TEST_F(ZoomedCanvasTest, TheViewIsKeptWithoutASaveAndTheNewerZoomWins)
{
    const QByteArray project = Projects.Read("Book.nodex");
    Main().Menus().mnuZoomOut->trigger();
    Main().Menus().mnuZoomOut->trigger();
    ASSERT_EQ(View().ZoomPercent(), 75);
    View().horizontalScrollBar()->setValue(600);
    View().verticalScrollBar()->setValue(300);
    ASSERT_EQ(View().ShownCorner(), QPoint(800, 400));
    ASSERT_FALSE(Main().ProjectModified());

    // Left unsaved, as looking is no change to the project.
    Main().CloseProject();
    EXPECT_EQ(Projects.Read("Book.nodex"), project);
    EXPECT_EQ(View().ZoomPercent(), 100) << "the empty workspace is shown at actual size";
    ASSERT_TRUE(Main().OpenProject(Path));
    EXPECT_EQ(View().ZoomPercent(), 75);
    EXPECT_EQ(View().transform().m11(), 0.75);
    EXPECT_EQ(View().ShownCorner(), QPoint(800, 400));

    // Saved with the project too, for where this view is not kept.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(Card("A")));
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ControlModifier, At(Card("B")));
    Main().SaveProject();
    EXPECT_TRUE(Projects.Read("Book.nodex").contains("Zoom=75"));
    Main().CloseProject();

    // The project saved since the view was kept (on another machine, say) brings the newer zoom.
    QByteArray saved = Projects.Read("Book.nodex").replace("Zoom=75", "Zoom=150");
    Projects.Write("Book.nodex", saved);
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    ASSERT_TRUE(Main().OpenProject(Path));
    EXPECT_EQ(View().ZoomPercent(), 150);
}
