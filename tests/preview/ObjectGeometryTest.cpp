// Pointing at objects in the picture and what a drag does to a record.
#include <gtest/gtest.h>

#include "document/DialogDocument.h"
#include "preview/ObjectGeometry.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

DialogObject Box(int16_t left, int16_t top, int16_t width, int16_t height, int32_t type = 2) {
    DialogObject o{.ControlType = type};
    test::Place(o, left, top, width, height);
    return o;
}

TEST(ObjectAt, FindsTheTopmostDrawnObjectAndFallsBackToTheDialog) {
    DialogDocument doc;
    // Children lie from the dialog's corner at (100, 50); the dialog itself does not.
    doc.ObjectTable[0] = Box(100, 50, 300, 200, 0);
    doc.ObjectTable[1] = Box(10, 10, 50, 20);     // 110..159 x 60..79
    doc.ObjectTable[2] = Box(40, 15, 50, 20, 9);  // 140..189 x 65..84, over object 1
    doc.ObjectTable[3] = Box(0, 0, 300, 200, 7);  // draws nothing
    doc.ObjectTable[4] = Box(0, 0, 300, 200, 40); // unknown type, draws nothing
    doc.ObjectTable[5] = Box(200, 100, 0, -3, 5); // empty box: still one pixel to point at
    doc.ObjectCount = 6;
    const struct {
        int32_t X, Y, Expected;
    } cases[] = {
        {115, 65, 1}, {145, 70, 2}, {189, 84, 2},  {159, 79, 2},  {110, 79, 1},
        {190, 85, 0}, {5, 5, 0},    {300, 150, 5}, {301, 150, 0}, {-40000, 70000, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ObjectAt(doc, c.X, c.Y), c.Expected) << c.X << "," << c.Y;
    // A selection rectangle takes what lies wholly inside, drawn either way round; the dialog
    // moves by a band inside its edges.
    const struct {
        PictureRect Band;
        std::vector<int32_t> Inside;
    } bands[] = {
        {{100, 50, 399, 249}, {1, 2, 5}},
        {{190, 85, 109, 59}, {1, 2}},
        {{110, 60, 188, 84}, {1}},
        {{0, 0, 99, 49}, {}},
    };
    for (const auto& b : bands) EXPECT_EQ(ObjectsWithin(doc, b.Band), b.Inside) << b.Band.Left;
    EXPECT_TRUE(OnDialogEdge(doc, 107, 150, 8));
    EXPECT_TRUE(OnDialogEdge(doc, 250, 242, 8));
    EXPECT_FALSE(OnDialogEdge(doc, 108, 150, 8));
    EXPECT_FALSE(OnDialogEdge(doc, 99, 150, 8));
    doc.ObjectCount = 0;
    EXPECT_EQ(ObjectAt(doc, 115, 65), -1);
    EXPECT_FALSE(OnDialogEdge(doc, 100, 50, 8));
}

// A box with areas of its own: the response area (54-61), then the text area (70-77).
DialogObject WithAreas(DialogObject o, std::array<int16_t, 8> areas) {
    std::tie(o.ResponseLeft, o.ResponseTop, o.ResponseRight, o.ResponseBottom, o.TextLeft,
             o.TextTop, o.TextRight, o.TextBottom) = std::tuple_cat(areas);
    return o;
}

TEST(Dragged, MovesTheEdgesOnlyAndAResizeKeepsOnlyWholeObjectAreasWhole) {
    const DialogObject ok = Box(480, 430, 138, 30); // both areas 0, 0, 137, 29
    // Areas of their own: Terran's, and a text area of all zeros beside a whole response area.
    const DialogObject terran =
        WithAreas(Box(162, 4, 356, 278), {78, 30, 226, 253, 105, 235, 210, 277});
    const DialogObject zeros = WithAreas(Box(10, 20, 50, 20), {0, 0, 49, 19, 0, 0, 0, 0});
    const DialogObject far = Box(32000, -32760, 700, 10);
    DialogObject wrongRight = Box(10, 20, 50, 20);
    wrongRight.Right = 5; // the drawn box goes by Width, not Right
    // Left, Top, Right, Bottom, Width, Height, and the response and text areas after the drag.
    // clang-format off
    const struct { DialogObject Before; DragPart Part; int32_t Dx, Dy; std::array<int16_t, 6> Edges; std::array<int16_t, 8> Areas; } cases[] = {
        {ok, DragPart::Body, -40, -40, {440, 390, 577, 419, 138, 30}, {0, 0, 137, 29, 0, 0, 137, 29}},
        {terran, DragPart::Body, 8, -1, {170, 3, 525, 280, 356, 278}, {78, 30, 226, 253, 105, 235, 210, 277}},
        {ok, DragPart::TopLeft, -5, -6, {475, 424, 617, 459, 143, 36}, {0, 0, 142, 35, 0, 0, 142, 35}},
        {ok, DragPart::Left, 200, 9, {617, 430, 617, 459, 1, 30}, {0, 0, 0, 29, 0, 0, 0, 29}},
        {terran, DragPart::BottomRight, -6, 2, {162, 4, 511, 283, 350, 280}, {78, 30, 226, 253, 105, 235, 210, 277}},
        {zeros, DragPart::Right, 1, 0, {10, 20, 60, 39, 51, 20}, {0, 0, 50, 19, 0, 0, 0, 0}},
        {wrongRight, DragPart::Right, 1, 0, {10, 20, 60, 39, 51, 20}, {0, 0, 50, 19, 0, 0, 50, 19}},
        // At the ends of the 16-bit range a move stops whole and a size still fits its field.
        {far, DragPart::Body, 5000, -50, {32068, -32768, 32767, -32759, 700, 10}, {0, 0, 699, 9, 0, 0, 699, 9}},
        {far, DragPart::Left, -70000, 0, {-67, -32760, 32699, -32751, 32767, 10}, {0, 0, 32766, 9, 0, 0, 32766, 9}},
    };
    // clang-format on
    for (const auto& c : cases) {
        DialogObject expected = WithAreas(c.Before, c.Areas);
        std::tie(expected.Left, expected.Top, expected.Right, expected.Bottom, expected.Width,
                 expected.Height) = std::tuple_cat(c.Edges);
        SCOPED_TRACE(::testing::Message() << int(c.Part) << " " << c.Dx << "," << c.Dy);
        EXPECT_EQ(Dragged(c.Before, c.Part, c.Dx, c.Dy), expected);
    }
}

} // namespace
} // namespace tarrox
