// Arranging several objects: align, distribute, same size, moving together, grid and paste offset.
#include <gtest/gtest.h>

#include "document/Clipboard.h"
#include "document/EditHistory.h"
#include "preview/Arrange.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

using test::Box;

// The dialog at (100, 50); object 3 has areas of its own, which no arrangement may touch.
DialogDocument Sample() {
    DialogDocument d = test::MakeDocument({-1, -1, -1, -1}, {});
    const std::array<DialogObject, 4> boxes{Box(100, 50, 300, 200, 0), Box(10, 10, 50, 20),
                                            Box(100, 40, 30, 30), Box(40, 100, 80, 10)};
    for (size_t i = 0; i < boxes.size(); ++i) {
        const int32_t text = d.ObjectTable[i].Text;
        d.ObjectTable[i] = boxes[i];
        d.ObjectTable[i].Text = text;
    }
    DialogObject& own = d.ObjectTable[3];
    own.ResponseLeft = 2, own.ResponseRight = 70, own.TextTop = 1, own.TextBottom = 5;
    return d;
}

// "Left,Top WidthxHeight" of each record, as a move or resize left it.
std::string Boxes(const std::vector<IndexedObject>& records) {
    std::string out;
    for (const IndexedObject& r : records)
        out += (out.empty() ? "" : " ") + std::to_string(r.Index) + ":" +
               std::to_string(r.Record.Left) + "," + std::to_string(r.Record.Top) + " " +
               std::to_string(r.Record.Width) + "x" + std::to_string(r.Record.Height);
    return out;
}

// The records as `expected` lists them; each box as Width and Height say, whole areas still
// whole, everything else untouched.
void ExpectArranged(const DialogDocument& doc, const std::vector<IndexedObject>& records,
                    const std::string& expected) {
    EXPECT_EQ(Boxes(records), expected);
    for (const IndexedObject& r : records) {
        const DialogObject& before = doc.ObjectTable[r.Index];
        const DialogObject& after = r.Record;
        EXPECT_EQ(after.Right, after.Left + after.Width - 1) << expected;
        EXPECT_EQ(after.Bottom, after.Top + after.Height - 1) << expected;
        DialogObject same = before;
        if (after.Width != before.Width || after.Height != before.Height)
            same = Dragged(before, DragPart::BottomRight, after.Width - before.Width,
                           after.Height - before.Height);
        same.Left = after.Left, same.Top = after.Top;
        same.Right = after.Right, same.Bottom = after.Bottom;
        EXPECT_EQ(after, same) << expected;
    }
}

// In the picture: 1 is 110..159 x 60..79, 2 is 200..229 x 90..119, 3 is 140..219 x 150..159.
TEST(Arrange, AlignAndSameSizeFollowTheFirstSelectedAndNeverChangeTheDialog) {
    const DialogDocument doc = Sample();
    using enum Alignment;
    auto align = [&](std::vector<int32_t> s, Alignment to) { return Aligned(doc, s, to); };
    auto size = [&](std::vector<int32_t> s, bool w, bool h) { return SameSize(doc, s, w, h); };
    const std::pair<std::vector<IndexedObject>, std::string> cases[] = {
        {align({2, 1, 3}, Lefts), "2:100,40 30x30 1:100,10 50x20 3:100,100 80x10"},
        {align({2, 1, 3}, Rights), "2:100,40 30x30 1:80,10 50x20 3:50,100 80x10"},
        {align({2, 1, 3}, Tops), "2:100,40 30x30 1:10,40 50x20 3:40,40 80x10"},
        {align({2, 1, 3}, Bottoms), "2:100,40 30x30 1:10,50 50x20 3:40,60 80x10"},
        {align({2, 1, 3}, HorizontalCentres), "2:100,40 30x30 1:90,10 50x20 3:75,100 80x10"},
        {align({2, 1, 3}, VerticalCentres), "2:100,40 30x30 1:10,45 50x20 3:40,50 80x10"},
        // The dialog as the first: children go to its edge in the picture, their own 0.
        {align({0, 1, 1, 9}, Lefts), "0:100,50 300x200 1:0,10 50x20"},
        {align({1, 0}, Tops), "1:10,10 50x20 0:100,50 300x200"},
        // Same size pulls the right and bottom edges, keeping areas as a resize does.
        {size({2, 1, 3}, true, false), "2:100,40 30x30 1:10,10 30x20 3:40,100 30x10"},
        {size({2, 1, 3}, false, true), "2:100,40 30x30 1:10,10 50x30 3:40,100 80x30"},
        {size({3, 1}, true, true), "3:40,100 80x10 1:10,10 80x10"},
        {size({1, 0}, true, true), "1:10,10 50x20 0:100,50 300x200"},
        {size({0, 2}, true, false), "0:100,50 300x200 2:100,40 300x30"},
    };
    for (const auto& [records, expected] : cases) ExpectArranged(doc, records, expected);
}

TEST(Arrange, DistributesWithEqualGapsBetweenTheOutermostTwo) {
    DialogDocument d = test::MakeDocument({-1, -1, -1, -1, -1}, {});
    d.ObjectTable[0] = Box(0, 0, 640, 480, 0);
    // Along one axis: lefts 0, 15, 50, 101 and sizes 10, 20, 10, 15; listed out of order.
    const std::array<std::array<int16_t, 2>, 4> spans{{{50, 10}, {0, 10}, {101, 15}, {15, 20}}};
    const struct {
        bool Horizontally;
        std::vector<int32_t> Selection;
        std::string After;
    } cases[] = {
        // 61 pixels of room for three gaps: the odd one goes to the first.
        {true, {1, 2, 3, 4}, "1:71,7 10x5 2:0,7 10x5 3:101,7 15x5 4:31,7 20x5"},
        {false, {0, 4, 3, 2, 1}, "0:0,0 640x480 4:7,31 5x20 3:7,101 5x15 2:7,0 5x10 1:7,71 5x10"},
        // Two besides the dialog: nothing to spread.
        {true, {0, 1, 2}, "0:0,0 640x480 1:50,7 10x5 2:0,7 10x5"},
    };
    for (const auto& c : cases) {
        for (size_t i = 0; i < spans.size(); ++i) {
            const auto [low, size] = spans[i];
            d.ObjectTable[i + 1] = c.Horizontally ? Box(low, 7, size, 5) : Box(7, low, 5, size);
        }
        ExpectArranged(d, Distributed(d, c.Selection, c.Horizontally), c.After);
    }
}

TEST(Arrange, MovingTogetherKeepsTheGroupsShapeAndChildrenFollowTheDialog) {
    DialogDocument doc = Sample();
    doc.ObjectTable[3].ControlType = 0; // a second dialog-type record, placed on its own
    DialogDocument far = doc;
    far.ObjectTable[2].Left = 32700, far.ObjectTable[2].Right = 32729;
    const std::pair<std::vector<IndexedObject>, std::string> cases[] = {
        {MovedTogether(doc, {1, 2}, 5, -3), "1:15,7 50x20 2:105,37 30x30"},
        // With the dialog, its children move with it already and are left where they are.
        {MovedTogether(doc, {1, 0, 3}, 5, -3), "1:10,10 50x20 0:105,47 300x200 3:45,97 80x10"},
        // The farthest edge stops the whole group.
        {MovedTogether(far, {1, 2}, 100, 1), "1:48,11 50x20 2:32738,41 30x30"},
    };
    for (const auto& [records, expected] : cases) ExpectArranged(doc, records, expected);
}

TEST(Grid, SnapsValuesAndTheDraggedEdgesOnly) {
    const struct {
        int32_t Value, Grid, Snapped;
    } values[] = {
        {0, 8, 0},   {3, 8, 0},   {4, 8, 8},     {-4, 8, 0},   {-5, 8, -8},
        {13, 1, 13}, {13, 0, 13}, {20, 100, 32}, {47, 32, 32}, {48, 32, 64},
    };
    for (const auto& v : values)
        EXPECT_EQ(SnappedToGrid(v.Value, v.Grid), v.Snapped) << v.Value << " on " << v.Grid;

    // 10..59 x 20..39: a right or bottom edge lands with its outer side on a line.
    const PictureRect box{10, 20, 59, 39};
    const struct {
        DragPart Part;
        int32_t Dx, Dy, Grid;
        DragDelta Snapped;
    } drags[] = {
        {DragPart::Body, 3, 0, 8, {6, 4}},   {DragPart::Body, 0, 0, 1, {0, 0}},
        {DragPart::Right, 1, 5, 8, {4, 5}},  {DragPart::BottomLeft, -3, 2, 8, {-2, 0}},
        {DragPart::Top, 5, -9, 8, {5, -12}}, {DragPart::TopRight, 9, 9, 32, {4, 12}},
        {DragPart::None, 3, 3, 8, {3, 3}},
    };
    for (const auto& d : drags)
        EXPECT_EQ(SnappedDrag(box, d.Part, d.Dx, d.Dy, d.Grid), d.Snapped)
            << int(d.Part) << " " << d.Dx << "," << d.Dy;
}

TEST(Paste, LandsOffsetInTheSameDialogAndInPlaceInAnother) {
    DialogDocument doc = Sample();
    const DialogDocument batch = CopyObjects(doc, {1, 3});
    auto lefts = [](const DialogDocument& b) {
        return Boxes({{0, b.ObjectTable[0]}, {1, b.ObjectTable[1]}});
    };
    EXPECT_EQ(lefts(ShiftedForPaste(test::MakeDocument({-1}, {}), batch)),
              "0:10,10 50x20 1:40,100 80x10");
    EXPECT_EQ(lefts(ShiftedForPaste(doc, batch)), "0:18,18 50x20 1:48,108 80x10");
    // A second paste fans out past the first.
    EditHistory history(doc);
    ASSERT_TRUE(history.Apply(InsertObjectsCommand(ShiftedForPaste(doc, batch)), "Paste"));
    EXPECT_EQ(lefts(ShiftedForPaste(doc, batch)), "0:26,26 50x20 1:56,116 80x10");
}

} // namespace
} // namespace tarrox
