// Designing in the preview's picture and the lists: picking, dragging, the clipboard, Arrange,
// the keys and Find.
#include <QApplication>
#include <QClipboard>

#include "document/Clipboard.h"
#include "editor/PreviewFixture.h"

namespace tarrox::test {
namespace {

// A dialog at (100, 50) whose children lie from its corner: OK over 110..159 x 60..79, Cancel
// under it at 110..159 x 90..109, a light-up button at 300..359 x 150..179 and a label at
// 200..239 x 200..209.
class DesignTest : public PictureTest {
  protected:
    void SetUp() override {
        PictureTest::SetUp();
        DialogDocument d =
            MakeDocument({{0, "Dialog"}, {2, "OK"}, {2, "Cancel"}, {14, "Lit"}, {9, "Label"}});
        Place(d.ObjectTable[0], 100, 50, 300, 200);
        Place(d.ObjectTable[1], 10, 10, 50, 20);
        Place(d.ObjectTable[2], 10, 40, 50, 20);
        Place(d.ObjectTable[3], 200, 100, 60, 30);
        Place(d.ObjectTable[4], 100, 150, 40, 10);
        OpenPicture(d);
    }
    using Indices = std::vector<int32_t>;
    Indices Picked() { return form->Selected().Objects; }
    // The selection in the order picked, and the list showing the same rows.
    void ExpectPicked(Indices picked) {
        EXPECT_EQ(Picked(), picked);
        Indices rows;
        for (const QListWidgetItem* item : List("objectList")->selectedItems())
            rows.push_back(List("objectList")->row(item));
        std::sort(rows.begin(), rows.end());
        std::sort(picked.begin(), picked.end());
        EXPECT_EQ(rows, picked);
    }
    std::string Texts() {
        std::string out;
        for (int32_t i = 0; i < doc->ObjectCount; ++i)
            out += (i ? " " : "") + doc->StringTable[doc->ObjectTable[i].Text];
        return out;
    }
    std::string Corner(int32_t i) {
        return std::to_string(doc->ObjectTable[i].Left) + "," +
               std::to_string(doc->ObjectTable[i].Top);
    }
    void Key(QWidget* to, Qt::Key key, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        to->window()->show();
        to->window()->activateWindow(); // shortcuts go to the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(to->window()));
        to->setFocus();
        QTest::keyClick(to, key, keys);
    }
};

TEST_F(DesignTest, CopyAndPasteTwoObjectsPickedInThePictureSelectsTheCopies) {
    Click({120, 65});
    Click({120, 95}, Qt::ControlModifier);
    ExpectPicked({1, 2});
    Trigger("editCopy");
    DialogDocument onClipboard;
    std::string error;
    EXPECT_TRUE(BatchFromJson(QApplication::clipboard()->text().toStdString(), onClipboard, error));
    EXPECT_EQ(onClipboard.ObjectCount, 2);
    Trigger("editPaste");
    ExpectPicked({5, 6});
}

TEST_F(DesignTest, CtrlTogglesShiftTakesARangeAndTheRectangleTakesWhatLiesInside) {
    QListWidget* list = List("objectList");
    auto clickRow = [&](int row, Qt::KeyboardModifiers keys) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys,
                          list->visualItemRect(list->item(row)).center());
    };
    clickRow(3, Qt::NoModifier);
    clickRow(1, Qt::ControlModifier);
    ExpectPicked({3, 1});
    EXPECT_EQ(Box("objectLeft")->text(), "200"); // the first picked is shown
    clickRow(4, Qt::ShiftModifier);
    ExpectPicked({3, 1, 2, 4});

    const struct {
        QPoint From, To;
        Qt::KeyboardModifiers Keys;
        Indices Picked;
    } picks[] = {
        {{120, 65}, {120, 65}, Qt::NoModifier, {1}},
        {{310, 160}, {310, 160}, Qt::ShiftModifier, {1, 2, 3}},
        {{120, 95}, {120, 95}, Qt::ControlModifier, {1, 3}},
        {{190, 140}, {370, 220}, Qt::NoModifier, {3, 4}}, // a rectangle from an empty part
        {{90, 40}, {165, 115}, Qt::ControlModifier, {3, 4, 1, 2}},
        {{250, 120}, {250, 120}, Qt::NoModifier, {0}}, // a click on an empty part
    };
    for (const auto& p : picks) {
        SCOPED_TRACE(testing::Message() << p.From.x() << "," << p.From.y());
        Drag(p.From, p.To - p.From, p.Keys);
        ExpectPicked(p.Picked);
    }
    // The picture outlines every selected object, and no other.
    form->SelectObjects({3, 4});
    const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto marked = [&](int x, int top, int bottom) {
        int n = 0;
        for (int y = top; y <= bottom; ++y) n += shown.pixel(x, y) != picture->Image().pixel(x, y);
        return n;
    };
    EXPECT_GT(marked(199, 200, 209), 0); // the label's left side
    EXPECT_EQ(marked(109, 91, 108), 0);  // Cancel's
    Key(picture, Qt::Key_Escape);
    EXPECT_EQ(Picked(), (Indices{0}));
}

TEST_F(DesignTest, ADragMovesTheSelectionLiveAsOneStepOnTheGridUnlessAltIsHeld) {
    DragBy({310, 160}, {10, 5});                 // a press selects and drags at once
    EXPECT_EQ(Box("objectLeft")->text(), "210"); // while the button is still down
    Mouse(QEvent::MouseButtonRelease, {320, 165});
    Key(picture, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Corner(3), "200,100");
    Key(picture, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Corner(3), "210,105");
    Drag({115, 65}, {1, 1}); // a click's tremor is no drag
    EXPECT_EQ(Corner(1), "10,10");

    form->SelectObjects({1, 3});
    Choose("viewSnapToGrid");
    // OK's corner lands on the grid (112, 64 in the picture); Lit keeps its distance.
    Drag({120, 65}, {5, 3});
    EXPECT_EQ(Corner(1) + " " + Corner(3), "12,14 212,109");
    Drag({122, 69}, {5, 3}, Qt::AltModifier);
    EXPECT_EQ(Corner(1) + " " + Corner(3), "17,17 217,112");
    Key(picture, Qt::Key_Right); // arrows move the selection too
    EXPECT_EQ(Corner(1) + " " + Corner(3), "18,17 218,112");
    dialogs.InputAnswers = {"40", "16"};
    Choose("viewGridSize");
    Choose("viewGridSize");
    EXPECT_EQ(Messages(), Names{"Error: The grid size must be a whole number from 1 to 32."});
    EXPECT_EQ(settings.GridSize, 16);
    Choose("viewShowGrid");
    EXPECT_TRUE(settings.ShowGrid && Checked("viewShowGrid"));
}

TEST_F(DesignTest, HandlesResizeKeysNudgeEscapePutsADragBackAndZoomMapsToPicturePixels) {
    auto lit = [&] {
        const DialogObject& o = doc->ObjectTable[3];
        return std::vector<int>{o.Left, o.Top, o.Right, o.Bottom, o.Width, o.Height};
    };
    Click({300, 150});        // the top-left corner is also its handle
    Drag({359, 179}, {6, 4}); // the bottom-right handle
    EXPECT_EQ(lit(), (std::vector<int>{200, 100, 265, 133, 66, 34}));
    DragBy({330, 150}, {0, -7}); // the top edge's handle
    EXPECT_EQ(lit()[1], 93);
    QTest::keyClick(picture, Qt::Key_Escape);
    Mouse(QEvent::MouseButtonRelease, {330, 143});
    EXPECT_EQ(lit(), (std::vector<int>{200, 100, 265, 133, 66, 34}));
    // A key moves by a pixel, with Shift by eight.
    const std::pair<Qt::Key, bool> nudges[] = {
        {Qt::Key_Right, false}, {Qt::Key_Down, true}, {Qt::Key_Left, true}, {Qt::Key_Up, false}};
    for (auto [key, shift] : nudges)
        QTest::keyClick(picture, key, shift ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_EQ(lit(), (std::vector<int>{193, 107, 258, 140, 66, 34}));
    // The zoom each item leaves; zooming in stops at 3.
    const std::pair<const char*, int> zooms[] = {{"zoomIn", 2},  {"zoomIn", 3}, {"zoomIn", 3},
                                                 {"zoomOut", 2}, {"zoom1", 1},  {"zoom3", 3}};
    for (auto [action, zoom] : zooms) {
        Choose(action);
        EXPECT_EQ(picture->size(), QSize(640 * zoom, 480 * zoom));
        EXPECT_EQ(picture->PictureAt(QPointF(110 * zoom - 1, 60 * zoom)), QPoint(109, 60));
    }
    Drag({300, 160}, {10, 5});
    EXPECT_EQ(lit()[0] * 1000 + lit()[1], 203112);
}

TEST_F(DesignTest, ArrangeAndDrawOrderActOnTheSelectionAndUndoAsOneStep) {
    form->SelectObjects({3, 1, 4});
    Trigger("arrangeAlignLefts");
    EXPECT_EQ(Corner(1) + " " + Corner(4), "200,10 200,150");
    EXPECT_EQ(Find<QAction>("editUndo")->text(), "Undo Align Lefts");
    Trigger("editUndo");
    EXPECT_EQ(Corner(1) + " " + Corner(4), "10,10 100,150");
    EXPECT_EQ(Picked(), (Indices{3, 1, 4}));

    form->SelectObjects({2, 1});
    Trigger("arrangeBringToFront"); // the moved objects stay selected where they went
    EXPECT_EQ(Picked(), (Indices{4, 3}));
}

TEST_F(DesignTest, DeleteAsksFirstInsertAddsAndTheBoxesKeepTheirOwnKeys) {
    form->SelectObjects({1, 3});
    Key(Box("objectLeft"), Qt::Key_Delete); // deletes a character, not objects
    EXPECT_EQ(Messages(), Names{});
    dialogs.Answers = {MessageAnswer::No, MessageAnswer::Yes};
    Key(List("objectList"), Qt::Key_Delete);
    EXPECT_EQ(doc->ObjectCount, 5);
    Trigger("editDelete");
    EXPECT_EQ(Texts(), "Dialog Cancel Label");
    EXPECT_EQ(Messages().size(), 2u);
    Trigger("editUndo");
    EXPECT_EQ(Picked(), (Indices{1, 3}));
    Key(List("objectList"), Qt::Key_Insert);
    EXPECT_EQ(doc->ObjectCount, 6);
    EXPECT_EQ(Picked(), (Indices{5}));
}

TEST_F(DesignTest, PasteLandsInPlaceInAnotherDialogOrSaysHowManyFit) {
    form->SelectObjects({1, 2});
    Trigger("editCut");
    EXPECT_EQ(Texts(), "Dialog Lit Label");
    std::vector<ObjectRow> many(127, ObjectRow{});
    ASSERT_TRUE(form->OpenBinFile(Write("full.bin", MakeDocument(many))));
    Trigger("editPaste"); // refused, with the count said
    EXPECT_EQ(Messages().size(), 1u);
    ASSERT_TRUE(form->OpenBinFile(Write("other.bin", MakeDocument({{0, "Other"}}))));
    Trigger("editPaste");
    EXPECT_EQ(Texts(), "Other OK Cancel");
    Trigger("editDuplicate");
    EXPECT_EQ(Corner(3) + " " + Corner(4), "18,18 18,48");
}

TEST_F(DesignTest, FindSelectsTheNextMatchAndF3FindsAgain) {
    dialogs.InputAnswers = {"Label", "missing"};
    Trigger("editFind"); // nothing selected yet: from the start
    EXPECT_EQ(Picked(), (Indices{4}));
    Trigger("editFindAgain");
    EXPECT_EQ(Picked(), (Indices{4})); // the only match, found again
    Trigger("editFind");
    EXPECT_EQ(Messages(), Names{"No object matches \"missing\"."});
    EXPECT_EQ(Picked(), (Indices{4}));
}

} // namespace
} // namespace tarrox::test
