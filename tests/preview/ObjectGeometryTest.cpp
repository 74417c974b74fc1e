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
    doc.ObjectCount = 0;
    EXPECT_EQ(ObjectAt(doc, 115, 65), -1);
}

TEST(Dragged, MovesRigidlyResizesByTheDrawnBoxAndStaysInTheFields) {
    DialogObject offset = Box(10, 20, 50, 20);
    offset.ResponseLeft = 0; // a response area of its own does not follow a resize
    DialogObject far = Box(32000, -32760, 700, 10);
    DialogObject wrongRight = Box(10, 20, 50, 20);
    wrongRight.Right = 5; // the drawn box goes by Width, not Right
    const DialogObject plain = Box(10, 20, 50, 20);
    // Left, Top, Right, Bottom, Width, Height, then the six response fields after the drag.
    // clang-format off
    const struct { DialogObject Before; DragPart Part; int32_t Dx, Dy; std::array<int16_t, 12> Expected; } cases[] = {
        {plain, DragPart::Body, 10, 5, {20, 25, 69, 44, 50, 20, 20, 25, 69, 44, 50, 20}},
        {plain, DragPart::TopLeft, -5, -6, {5, 14, 59, 39, 55, 26, 5, 14, 59, 39, 55, 26}},
        {plain, DragPart::Left, 100, 9, {59, 20, 59, 39, 1, 20, 59, 20, 59, 39, 1, 20}},
        {offset, DragPart::BottomRight, 1, 1, {10, 20, 60, 40, 51, 21, 0, 20, 59, 40, 50, 21}},
        {wrongRight, DragPart::Right, 1, 0, {10, 20, 60, 39, 51, 20, 10, 20, 59, 39, 50, 20}},
        // At the ends of the 16-bit range a move stops whole and a size still fits its field.
        {far, DragPart::Body, 5000, -50,
         {32068, -32768, 32767, -32759, 700, 10, 32068, -32768, 32767, -32759, 700, 10}},
        {far, DragPart::Left, -70000, 0,
         {-67, -32760, 32699, -32751, 32767, 10, -67, -32760, 32699, -32751, 32767, 10}},
    };
    // clang-format on
    // These twelve and nothing else change: not Text X/Y, not the flags.
    for (const auto& c : cases) {
        DialogObject expected = c.Before;
        std::tie(expected.Left, expected.Top, expected.Right, expected.Bottom, expected.Width,
                 expected.Height, expected.ResponseLeft, expected.ResponseTop,
                 expected.ResponseRight, expected.ResponseBottom, expected.ResponseWidth,
                 expected.ResponseHeight) = std::tuple_cat(c.Expected);
        SCOPED_TRACE(::testing::Message() << int(c.Part) << " " << c.Dx << "," << c.Dy);
        EXPECT_EQ(Dragged(c.Before, c.Part, c.Dx, c.Dy), expected);
    }
}

} // namespace
} // namespace tarrox
