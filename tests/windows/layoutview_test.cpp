// The phrase editor's layout view: clicks take the grid's cursor, drags and
// arrow keys move and size phrases as single undo steps, and any change of
// the document repaints the view.

#include "windowfixture.h"

#include "windows/ffwfrazy.h"
#include "windows/layoutpanel.h"
#include "windows/layoutview.h"

#include <QTest>
#include <QUndoStack>

#include <cmath>

namespace wykazki {

namespace {

class LayoutViewTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        start();
        // Two boxes on the first page: a text and a picture (not on disk).
        place(kName, 20, 30.0F, 80, 10);
        place(kEmblem, 120, 60.0F, 30, 30);
        editor().undoStack().clear();
        editor().markSaved();
        context->phraseEditor().showAtRow(0);
        panel().setZoomPercent(100);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&context->phraseEditor()));
    }

    void place(int phrase, std::int16_t x0, float y0, std::int16_t width, std::int16_t height)
    {
        TFra f = doc().phrases()[static_cast<std::size_t>(phrase)];
        f.x0 = x0;
        f.y0 = y0;
        f.width = width;
        f.height = height;
        editor().setPhrases(QStringLiteral("test"), {{static_cast<std::size_t>(phrase), f}});
    }

    LayoutPanel& panel() { return context->phraseEditor().layoutPanel(); }
    LayoutView& view() { return panel().view(); }
    TCellEdi& phraseGrid() { return context->phraseEditor().grid(); }
    const TFra& phrase(int j) { return doc().phrases()[static_cast<std::size_t>(j)]; }
    QPoint centreOf(int j) { return view().outlineOf(static_cast<std::size_t>(j))->center(); }
    QPoint mm(double dx, double dy)
    {
        return {static_cast<int>(std::lround(dx * view().pixelsPerMm())),
                static_cast<int>(std::lround(dy * view().pixelsPerMm()))};
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&view(), Qt::LeftButton, {}, from);
        QTest::mouseMove(&view(), (from + to) / 2);
        QTest::mouseMove(&view(), to);
        QTest::mouseRelease(&view(), Qt::LeftButton, {}, to);
    }
};

TEST_F(LayoutViewTest, aClickPutsTheCursorOnTheBoxsRowAndCtrlClickTakesItIn)
{
    ASSERT_TRUE(view().outlineOf(kName));
    ASSERT_TRUE(view().outlineOf(kEmblem));
    EXPECT_FALSE(view().outlineOf(kMaths)) << "a phrase of another page";
    QTest::mouseClick(&view(), Qt::LeftButton, {}, centreOf(kEmblem));
    EXPECT_EQ(phraseGrid().PozY(), kEmblem);
    EXPECT_EQ(editor().undoStack().count(), 0) << "a click changes nothing";

    QTest::mouseClick(&view(), Qt::LeftButton, Qt::ControlModifier, centreOf(kName));
    const GridRect range = phraseGrid().selectedRange();
    EXPECT_EQ(range.top, kName + 1);
    EXPECT_EQ(range.bottom, kEmblem + 1);
}

TEST_F(LayoutViewTest, aDragMovesTheBoxAsOneStepThatUndoesWhole)
{
    drag(centreOf(kName), centreOf(kName) + mm(10, 10));
    EXPECT_EQ(phrase(kName).x0, 30);
    EXPECT_NEAR(phrase(kName).y0, 40.0F, 0.051);
    ASSERT_EQ(editor().undoStack().count(), 1);
    EXPECT_EQ(editor().undoStack().text(0), LayoutView::kMoveStep);
    EXPECT_TRUE(editor().isModified());
    editor().undoStack().undo();
    EXPECT_EQ(phrase(kName).x0, 20);
    EXPECT_FLOAT_EQ(phrase(kName).y0, 30.0F);
    EXPECT_FALSE(editor().isModified());

    // Selected rows move together; nothing goes below 0.
    phraseGrid().selectRange({1, kName + 1, 1, kEmblem + 1});
    drag(centreOf(kEmblem), centreOf(kEmblem) + mm(-50, -5));
    EXPECT_EQ(phrase(kName).x0, 0);
    EXPECT_EQ(phrase(kEmblem).x0, 70);
    EXPECT_NEAR(phrase(kEmblem).y0, 55.0F, 0.051);
    EXPECT_EQ(editor().undoStack().count(), 1);
}

TEST_F(LayoutViewTest, anEdgeDragSizesTheBox)
{
    const QRect box = *view().outlineOf(kName);
    const QPoint rightEdge(box.x() + box.width(), box.center().y());
    drag(rightEdge, rightEdge + mm(10, 0));
    EXPECT_EQ(phrase(kName).width, 90);
    EXPECT_EQ(phrase(kName).height, 10);
    EXPECT_EQ(editor().undoStack().text(0), LayoutView::kResizeStep);
}

struct ArrowRun {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int presses;
    int dx0;
    double dy0;
};

class LayoutViewArrows : public LayoutViewTest, public ::testing::WithParamInterface<ArrowRun> {};

TEST_P(LayoutViewArrows, aRunOfOneArrowKeyIsOneStep)
{
    const ArrowRun run = GetParam();
    view().setFocus();
    for (int i = 0; i < run.presses; ++i)
        QTest::keyClick(&view(), run.key, run.modifiers);
    EXPECT_EQ(phrase(kName).x0, 20 + run.dx0);
    EXPECT_NEAR(phrase(kName).y0, 30.0 + run.dy0, 0.001);
    EXPECT_EQ(editor().undoStack().count(), 1);
    editor().undoStack().undo();
    EXPECT_EQ(phrase(kName).x0, 20);
    EXPECT_FLOAT_EQ(phrase(kName).y0, 30.0F);
}

INSTANTIATE_TEST_SUITE_P(Keys, LayoutViewArrows,
                         ::testing::Values(ArrowRun{Qt::Key_Down, Qt::ShiftModifier, 1, 0, 0.1},
                                           ArrowRun{Qt::Key_Down, Qt::NoModifier, 3, 0, 3.0},
                                           ArrowRun{Qt::Key_Up, Qt::ShiftModifier, 4, 0, -0.4},
                                           ArrowRun{Qt::Key_Right, Qt::NoModifier, 2, 2, 0.0},
                                           ArrowRun{Qt::Key_Left, Qt::ShiftModifier, 1, -1, 0.0}));

TEST_F(LayoutViewTest, aChangeElsewhereRepaintsTheView)
{
    const QImage before = view().grab().toImage();
    place(kName, 100, 150.0F, 80, 10);  // as the grid or an undo would
    QCoreApplication::processEvents();
    const QImage after = view().grab().toImage();
    EXPECT_NE(before, after);
    const QRect moved = *view().outlineOf(kName);
    EXPECT_NEAR(moved.left(), mm(100, 0).x(), 1);
    // The new box is outlined where it now lies.
    const QColor edge = after.pixelColor(moved.left(), moved.center().y());
    EXPECT_NE(edge, QColor(Qt::white));
}

TEST_F(LayoutViewTest, aTextTooLongForItsBoxIsOutlinedInRed)
{
    ASSERT_EQ(view().pupil(), 0u);
    EXPECT_FALSE(view().overflows(kName));
    std::string lines = "Anna";
    for (int i = 0; i < 8; ++i)
        lines += "\r\nKowalska";
    setText(0, kName, lines);  // 9 lines in 10 mm
    QCoreApplication::processEvents();
    EXPECT_TRUE(view().overflows(kName));
    const QRect box = *view().outlineOf(kName);
    const QColor edge = view().grab().toImage().pixelColor(box.left(), box.center().y());
    EXPECT_GT(edge.red(), 200);
    EXPECT_LT(edge.green(), 60);
    editor().undoStack().undo();
    QCoreApplication::processEvents();
    EXPECT_FALSE(view().overflows(kName));
}

}  // namespace

// The class's scanned form of the shown page lies under the card; another
// page without one shows the plain sheet.
TEST_F(LayoutViewTest, theScannedFormOfThePageIsDrawnUnderTheCard)
{
    QImage scan(210, 297, QImage::Format_RGB32);
    scan.fill(QColor(255, 230, 120));
    ASSERT_TRUE(scan.save(folder.filePath(QStringLiteral("skan.png"))));
    dialogs->openAnswers.push_back(folder.filePath(QStringLiteral("skan.png")));
    context->chooseFormScan(0);
    panel().view().setFormScanSource([this](int page) { return context->formScan(page, nullptr); });
    // A spot of the sheet far from every box: 5 mm, 250 mm.
    const QPoint empty = mm(5, 250) + QPoint(1, 1);
    EXPECT_EQ(view().grab().toImage().pixelColor(empty), QColor(255, 230, 120));
    view().showCard(view().pupil(), 1);
    EXPECT_EQ(view().grab().toImage().pixelColor(empty), QColor(Qt::white));
}

}  // namespace wykazki
