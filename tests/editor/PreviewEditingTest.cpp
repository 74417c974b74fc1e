// Editing in the preview's picture: clicks select, drags and keys move and resize, zoom maps.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <tuple>

#include "PreviewFixture.h"
#include "editor/PreviewPicture.h"

namespace tarrox::test {
namespace {

// Places an object with its response area over the same box.
void Place(DialogObject& o, int16_t left, int16_t top, int16_t width, int16_t height) {
    o.Left = o.ResponseLeft = left;
    o.Top = o.ResponseTop = top;
    o.Width = o.ResponseWidth = width;
    o.Height = o.ResponseHeight = height;
    o.Right = o.ResponseRight = int16_t(left + width - 1);
    o.Bottom = o.ResponseBottom = int16_t(top + height - 1);
}

class PreviewEditingTest : public PreviewTest {
  protected:
    // A dialog at (100, 50) whose children lie from its corner: a button over 110..159 x
    // 60..79, a label over it at 140..189 x 65..84, and a light-up button at 300..359 x
    // 150..179 with its text offset.
    void Open() {
        DialogDocument d = MakeDocument({{0, "Dialog"}, {2, "OK"}, {9, "Label"}, {14, "Lit"}});
        Place(d.ObjectTable[0], 100, 50, 300, 200);
        Place(d.ObjectTable[1], 10, 10, 50, 20);
        Place(d.ObjectTable[2], 40, 15, 50, 20);
        Place(d.ObjectTable[3], 200, 100, 60, 30);
        d.ObjectTable[3].TextX = 16;
        d.ObjectTable[3].TextY = 4;
        StartWith(d);
        Trigger("viewPreview");
        picture = form->Preview()->findChild<PreviewPicture*>("PreviewPicture");
        ASSERT_NE(picture, nullptr);
    }

    // Mouse events at picture pixels, placed in the middle of the pixel on the screen.
    void Mouse(QEvent::Type type, QPoint at) {
        const int zoom = picture->Zoom();
        const QPointF pos(at.x() * zoom + zoom / 2.0, at.y() * zoom + zoom / 2.0);
        const bool move = type == QEvent::MouseMove;
        QMouseEvent e(type, pos, picture->mapToGlobal(pos), move ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(picture, &e);
    }
    void Click(QPoint at) {
        Mouse(QEvent::MouseButtonPress, at);
        Mouse(QEvent::MouseButtonRelease, at);
    }
    // Presses at `from` and moves in steps to `from + by`, leaving the button down.
    void DragBy(QPoint from, QPoint by) {
        Mouse(QEvent::MouseButtonPress, from);
        Mouse(QEvent::MouseMove, from + by / 2);
        Mouse(QEvent::MouseMove, from + by);
    }
    int Selected() { return SelectedRow(List("objectList")); }

    PreviewPicture* picture = nullptr;
};

TEST_F(PreviewEditingTest, AClickSelectsTheTopmostObjectAndTabStepsThroughThem) {
    Open();
    const struct {
        QPoint At;
        int Expected;
    } clicks[] = {{{115, 65}, 1},  {{145, 70}, 2}, {{159, 79}, 2}, {{300, 150}, 3},
                  {{250, 120}, 0}, {{5, 5}, 0},    {{110, 60}, 1}};
    for (const auto& c : clicks) {
        Click(c.At);
        EXPECT_EQ(Selected(), c.Expected) << c.At.x() << "," << c.At.y();
    }
    EXPECT_EQ(Box("objectLeft")->text(), "10"); // shown as a click on its entry shows it
    DragBy({115, 65}, {1, 1});                  // a click's tremor is no drag
    Mouse(QEvent::MouseButtonRelease, {116, 66});
    EXPECT_EQ(Box("objectLeft")->text(), "10");
    EXPECT_FALSE(form->IsModified()) << "selecting is not an edit";
    const std::vector<std::pair<Qt::Key, int>> steps = {
        {Qt::Key_Tab, 2}, {Qt::Key_Tab, 3}, {Qt::Key_Tab, 0}, {Qt::Key_Backtab, 3}};
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(picture, key);
        EXPECT_EQ(Selected(), expected);
    }
}

TEST_F(PreviewEditingTest, ADragMovesEdgesAndResponseAreaOnlyAndTheBoxesFollowLive) {
    Open();
    const DialogObject before = doc->ObjectTable[3];
    DragBy({310, 160}, {10, 5});
    EXPECT_EQ(Selected(), 3) << "a press on an object selects it and drags it at once";
    EXPECT_EQ(Box("objectLeft")->text(), "210") << "while the button is still down";
    Mouse(QEvent::MouseButtonRelease, {320, 165});
    DialogObject expected = before;
    for (int16_t* field :
         {&expected.Left, &expected.Right, &expected.ResponseLeft, &expected.ResponseRight})
        *field = int16_t(*field + 10);
    for (int16_t* field :
         {&expected.Top, &expected.Bottom, &expected.ResponseTop, &expected.ResponseBottom})
        *field = int16_t(*field + 5);
    EXPECT_EQ(doc->ObjectTable[3], expected); // Text X/Y are offsets inside the box
    EXPECT_EQ(Box("objectResponseBottom")->text(), "134");
    EXPECT_TRUE(form->IsModified());
    EXPECT_EQ(picture->cursor().shape(), Qt::SizeAllCursor);

    // The whole drag is one step, and the preview's own Ctrl+Z and Ctrl+Y reach the history.
    EXPECT_EQ(Find<QAction>("editUndo")->text(), "Undo Move Object 3");
    form->Preview()->activateWindow(); // shortcuts go to the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Preview()));
    QTest::keyClick(form->Preview(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc->ObjectTable[3], before);
    EXPECT_EQ(Box("objectLeft")->text(), "200");
    EXPECT_FALSE(form->IsModified());
    QTest::keyClick(form->Preview(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc->ObjectTable[3], expected);
}

TEST_F(PreviewEditingTest, HandlesResizeArrowKeysNudgeAndEscapePutsADragBack) {
    Open();
    Click({300, 150});          // the light-up button's top-left corner is also its handle
    DragBy({359, 179}, {6, 4}); // the bottom-right handle
    Mouse(QEvent::MouseButtonRelease, {365, 183});
    DialogObject& o = doc->ObjectTable[3];
    EXPECT_EQ(std::vector<int>({o.Left, o.Top, o.Right, o.Bottom, o.Width, o.Height}),
              std::vector<int>({200, 100, 265, 133, 66, 34}));
    EXPECT_EQ(Box("objectWidth")->text(), "66");

    const DialogObject resized = o;
    DragBy({330, 150}, {0, -7}); // the top edge's handle
    EXPECT_EQ(picture->cursor().shape(), Qt::SizeVerCursor);
    EXPECT_EQ(o.Top, 93);
    QTest::keyClick(picture, Qt::Key_Escape);
    EXPECT_EQ(o, resized) << "Escape puts the record back as it was before the drag";
    Mouse(QEvent::MouseButtonRelease, {330, 143});
    EXPECT_EQ(o, resized) << "the release after Escape changes nothing";

    // Key, Shift held, then Left and Top after it.
    const std::vector<std::tuple<Qt::Key, bool, int, int>> keys = {{Qt::Key_Right, false, 201, 100},
                                                                   {Qt::Key_Down, true, 201, 108},
                                                                   {Qt::Key_Left, true, 193, 108},
                                                                   {Qt::Key_Up, false, 193, 107}};
    for (const auto& [key, shift, left, top] : keys) {
        QTest::keyClick(picture, key, shift ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(std::pair(int(o.Left), int(o.Top)), std::pair(left, top));
        EXPECT_EQ(o.Right - o.Left + 1, 66);
    }
}

TEST_F(PreviewEditingTest, ZoomScalesThePictureAndMapsPointsBackToTheirPixel) {
    Open();
    EXPECT_EQ(picture->size(), QSize(640, 480));
    const std::vector<std::pair<const char*, int>> steps = {
        {"zoomIn", 2}, {"zoomIn", 3}, {"zoomIn", 3}, {"zoomOut", 2}, {"zoom1", 1}, {"zoom3", 3}};
    for (const auto& [action, zoom] : steps) {
        form->Preview()->findChild<QAction*>(action)->trigger();
        ASSERT_EQ(picture->Zoom(), zoom);
        EXPECT_EQ(picture->size(), QSize(640 * zoom, 480 * zoom));
        EXPECT_TRUE(form->Preview()->findChild<QAction*>(QString("zoom%1").arg(zoom))->isChecked());
        // The button's first pixel starts at 110 * zoom; the screen pixel before it is not it.
        EXPECT_EQ(picture->PictureAt(QPointF(110 * zoom, 60 * zoom)), QPoint(110, 60));
        EXPECT_EQ(picture->PictureAt(QPointF(110 * zoom - 1, 60 * zoom)), QPoint(109, 60));
        Click({5, 5}); // the dialog: then a point beside the button is on none of its handles
        Click({109, 65});
        EXPECT_EQ(Selected(), 0);
        Click({110, 65});
        EXPECT_EQ(Selected(), 1);
    }
    // A drag at 3x moves by picture pixels, not screen pixels.
    Click({310, 160});
    DragBy({310, 160}, {10, 5});
    Mouse(QEvent::MouseButtonRelease, {320, 165});
    EXPECT_EQ(doc->ObjectTable[3].Left, 210);
    EXPECT_EQ(doc->ObjectTable[3].Top, 105);
}

} // namespace
} // namespace tarrox::test
