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

TEST(AdoptContent, ReplacesTablesAndResetsSelectionButKeepsFileState) {
    DialogDocument open;
    open.Filename = "a.bin";
    open.FileIsMPQ = true;
    open.ArchivePath = "x.mpq";
    open.SelObj = 3;
    open.SelSmk = 1;
    DialogDocument read;
    read.ObjectCount = 1;
    read.StringCount = 1;
    read.StringTable[0] = "new";
    AdoptContent(open, read);
    EXPECT_EQ(open.StringTable[0], "new");
    EXPECT_EQ(open.SelObj, -1);
    EXPECT_EQ(open.SelSmk, -1);
    EXPECT_TRUE(open.FileIsOpen);
    EXPECT_EQ(open.Filename, "a.bin");
    EXPECT_TRUE(open.FileIsMPQ);
    EXPECT_EQ(open.ArchivePath, "x.mpq");
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
