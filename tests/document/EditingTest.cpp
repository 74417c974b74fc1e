#include <gtest/gtest.h>

#include "document/Editing.h"

namespace tarrox {
namespace {

// Objects 0..n-1 own strings named "o<i>"; SMK k owns "s<k>"; strings interleave as `order`
// gives them (a list of 'o'/'s'), like a file whose SMK lists follow their objects.
DialogDocument Build(int objects, int smks, const std::string& order) {
    DialogDocument d;
    d.ObjectCount = objects;
    d.SmkCount = smks;
    int o = 0, s = 0, n = 0;
    for (char c : order) {
        if (c == 'o') {
            d.ObjectTable[o].Text = n;
            d.ObjectTable[o].SmkLink = -1;
            d.StringTable[n++] = "o" + std::to_string(o++);
        } else {
            d.SmkTable[s].FileName = n;
            d.SmkTable[s].Next = -1;
            d.StringTable[n++] = "s" + std::to_string(s++);
        }
    }
    d.StringCount = n;
    return d;
}

std::string ObjText(const DialogDocument& d, int i) {
    return d.StringTable[d.ObjectTable[i].Text];
}
std::string SmkText(const DialogDocument& d, int k) {
    return d.StringTable[d.SmkTable[k].FileName];
}

TEST(DeleteObject, LaterObjectsAndStringsMoveDown) {
    DialogDocument d = Build(5, 0, "ooooo");
    d.ObjectTable[3].Left = 33;
    ASSERT_TRUE(DeleteObject(d, 2));
    EXPECT_EQ(d.ObjectCount, 4);
    EXPECT_EQ(d.StringCount, 4);
    EXPECT_EQ(ObjText(d, 2), "o3");
    EXPECT_EQ(d.ObjectTable[2].Left, 33);
    EXPECT_EQ(ObjText(d, 3), "o4");
    EXPECT_EQ(d.ObjectTable[3].Text, 3);
    EXPECT_EQ(CheckInvariants(d), "");
}

TEST(DeleteObject, OnlySmkStringsAfterTheDeletedOneAreRenumbered) {
    // o0 o1 s0 o2 s1: deleting object 1 lowers s0 and s1; deleting object 2 only s1.
    DialogDocument d = Build(3, 2, "oosos");
    ASSERT_TRUE(DeleteObject(d, 2));
    EXPECT_EQ(d.SmkTable[0].FileName, 2);
    EXPECT_EQ(d.SmkTable[1].FileName, 3);
    EXPECT_EQ(SmkText(d, 1), "s1");
    EXPECT_EQ(CheckInvariants(d), "");
    ASSERT_TRUE(DeleteObject(d, 1));
    EXPECT_EQ(SmkText(d, 0), "s0");
    EXPECT_EQ(SmkText(d, 1), "s1");
    EXPECT_EQ(CheckInvariants(d), "");
}

TEST(DeleteObject, TheLastObjectAndBadIndicesAreRefused) {
    DialogDocument d = Build(1, 0, "o");
    EXPECT_FALSE(DeleteObject(d, 0));
    EXPECT_EQ(d.ObjectCount, 1);
    d = Build(2, 0, "oo");
    EXPECT_FALSE(DeleteObject(d, 2));
    EXPECT_FALSE(DeleteObject(d, -1));
    EXPECT_TRUE(DeleteObject(d, 0)); // the dialog record may go while others remain
    EXPECT_EQ(ObjText(d, 0), "o1");
}

TEST(DeleteSmk, LinksToItEndAndLaterLinksMoveDown) {
    DialogDocument d = Build(4, 4, "oossssoo");
    d.ObjectTable[1].SmkLink = 1;
    d.ObjectTable[2].SmkLink = 3;
    d.ObjectTable[3].SmkLink = 0;
    d.SmkTable[0].Next = 1;
    d.SmkTable[1].Next = 2;
    d.SmkTable[2].Next = 3;
    ASSERT_TRUE(DeleteSmk(d, 1));
    EXPECT_EQ(d.SmkCount, 3);
    EXPECT_EQ(d.ObjectTable[1].SmkLink, -1);
    EXPECT_EQ(d.ObjectTable[2].SmkLink, 2);
    EXPECT_EQ(d.ObjectTable[3].SmkLink, 0);
    EXPECT_EQ(d.SmkTable[0].Next, -1); // was 1
    EXPECT_EQ(d.SmkTable[1].Next, 2);  // old SMK 2, whose Next was 3
    EXPECT_EQ(SmkText(d, 1), "s2");
    EXPECT_EQ(ObjText(d, 2), "o2");
    EXPECT_EQ(d.ObjectTable[2].Text, 5); // objects after the SMK strings move down too
    EXPECT_EQ(CheckInvariants(d), "");
}

TEST(AddRecords, AppendNewRecordsUntilTheTableIsFull) {
    DialogDocument d = Build(2, 1, "oos");
    ASSERT_TRUE(AddObject(d));
    ASSERT_TRUE(AddSmk(d));
    EXPECT_EQ(ObjText(d, 2), "New");
    EXPECT_EQ(d.ObjectTable[2].ControlType, 9);
    EXPECT_EQ(d.ObjectTable[2].Width, 1);
    EXPECT_EQ(d.ObjectTable[2].SmkLink, -1);
    EXPECT_EQ(SmkText(d, 1), "New");
    EXPECT_EQ(d.SmkTable[1].Next, -1);
    EXPECT_EQ(CheckInvariants(d), "");

    while (d.ObjectCount < MaxObjects) ASSERT_TRUE(AddObject(d));
    while (d.SmkCount < MaxSmks) ASSERT_TRUE(AddSmk(d));
    EXPECT_FALSE(AddObject(d));
    EXPECT_FALSE(AddSmk(d));
    EXPECT_EQ(d.StringCount, MaxObjects + MaxSmks);
    // A full table still lets records go.
    EXPECT_TRUE(DeleteSmk(d, 127));
    EXPECT_TRUE(DeleteObject(d, 5));
    EXPECT_EQ(CheckInvariants(d), "");
}

} // namespace
} // namespace tarrox
