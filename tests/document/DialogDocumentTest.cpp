#include <gtest/gtest.h>

#include "document/DialogDocument.h"

namespace tarrox {
namespace {

TEST(ControlTypeNames, SplitFromTheLiteralAndUnknownOutsideTheRange) {
    auto names = SplitControlTypeNames();
    EXPECT_EQ(names[0], "Dialog Box");
    EXPECT_EQ(names[8], "Text box");
    EXPECT_EQ(names[14], "Button w/ light-up");
    EXPECT_EQ(ControlTypeName(names, 11), "Label (Right align)");
    EXPECT_EQ(ControlTypeName(names, 15), "Unknown (15)");
    EXPECT_EQ(ControlTypeName(names, -2), "Unknown (-2)");
}

TEST(CheckInvariants, FindsSharedStringsAndBadLinks) {
    DialogDocument d;
    d.ObjectCount = 2;
    d.StringCount = 2;
    d.ObjectTable[0].Text = 0;
    d.ObjectTable[0].SmkLink = -1;
    d.ObjectTable[1].Text = 1;
    d.ObjectTable[1].SmkLink = -1;
    EXPECT_EQ(CheckInvariants(d), "");
    d.ObjectTable[1].Text = 0;
    EXPECT_NE(CheckInvariants(d), "");
    d.ObjectTable[1].Text = 1;
    d.ObjectTable[1].SmkLink = 0;
    EXPECT_NE(CheckInvariants(d), "");
}

} // namespace
} // namespace tarrox
