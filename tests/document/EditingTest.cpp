#include <gtest/gtest.h>

#include "document/Editing.h"

namespace tarrox {
namespace {

using Ints = std::vector<int32_t>;
using Names = std::vector<std::string>;

// Objects o0..o3 linking to SMK -1, 0, 2, 1; SMKs s0..s2 chained 0 -> 1. Strings are numbered
// in reading order (o0 o1 s0 s1 o2 s2 o3), not table order, as a read file has them.
DialogDocument Sample() {
    DialogDocument d;
    const Ints links = {-1, 0, 2, 1}, nexts = {1, -1, -1}, objectText = {0, 1, 4, 6},
               smkText = {2, 3, 5};
    d.ObjectCount = 4, d.SmkCount = 3, d.StringCount = 7;
    for (int i = 0; i < 4; ++i) {
        d.ObjectTable[i] = {.Text = objectText[i], .SmkLink = links[i]};
        d.StringTable[objectText[i]] = "o" + std::to_string(i);
    }
    for (int k = 0; k < 3; ++k) {
        d.SmkTable[k] = {.Next = nexts[k], .FileName = smkText[k]};
        d.StringTable[smkText[k]] = "s" + std::to_string(k);
    }
    return d;
}

// Objects' links then SMKs' next links; every record's own name, same order; the string table.
Ints Links(const DialogDocument& d) {
    Ints out;
    for (int i = 0; i < d.ObjectCount; ++i) out.push_back(d.ObjectTable[i].SmkLink);
    for (int k = 0; k < d.SmkCount; ++k) out.push_back(d.SmkTable[k].Next);
    return out;
}
Names RecordNames(const DialogDocument& d) {
    Names out;
    for (int i = 0; i < d.ObjectCount; ++i) out.push_back(d.StringTable[d.ObjectTable[i].Text]);
    for (int k = 0; k < d.SmkCount; ++k) out.push_back(d.StringTable[d.SmkTable[k].FileName]);
    return out;
}
Names Strings(const DialogDocument& d) {
    return Names(d.StringTable.begin(), d.StringTable.begin() + d.StringCount);
}

TEST(Editing, DeletesRenumberLinksAndStringsAndRefuseWhatCannotGo) {
    const struct {
        const char* what;
        bool smk;
        int32_t index;
        Ints links; // after the delete; empty: refused
    } cases[] = {
        {"SMK linked before, at and after", true, 1, {-1, 0, 1, -1, -1, -1}},
        {"first SMK", true, 0, {-1, -1, 1, 0, -1, -1}},
        {"last SMK", true, 2, {-1, 0, -1, 1, 1, -1}},
        {"object between others", false, 1, {-1, 2, 1, 1, -1, -1}},
        {"the dialog box itself", false, 0, {0, 2, 1, 1, -1, -1}},
        {"SMK past the table", true, 3, {}},
        {"SMK -1", true, -1, {}},
        {"object past the table", false, 4, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DialogDocument d = Sample();
        const bool done = c.smk ? DeleteSmk(d, c.index) : DeleteObject(d, c.index);
        ASSERT_EQ(done, !c.links.empty());
        if (!done) {
            EXPECT_EQ(Links(d), Links(Sample()));
            EXPECT_EQ(Strings(d), Strings(Sample()));
            continue;
        }
        EXPECT_EQ(Links(d), c.links);
        // Every record keeps its own name; the string table loses that one string and keeps
        // the reading order of the rest.
        Names names = RecordNames(Sample()), strings = Strings(Sample());
        const std::string gone = names[size_t(c.index + (c.smk ? 4 : 0))];
        std::erase(names, gone);
        std::erase(strings, gone);
        EXPECT_EQ(RecordNames(d), names);
        EXPECT_EQ(Strings(d), strings);
        EXPECT_EQ(CheckInvariants(d), "");
    }
    // A dialog needs its dialog record.
    DialogDocument lone = Sample();
    while (lone.ObjectCount > 1) ASSERT_TRUE(DeleteObject(lone, lone.ObjectCount - 1));
    EXPECT_FALSE(DeleteObject(lone, 0));
    EXPECT_EQ(lone.ObjectCount, 1);
}

TEST(Editing, AddsAppendANewRecordUntilItsTableOrTheStringsAreFull) {
    DialogDocument d = Sample();
    ASSERT_TRUE(AddSmk(d));
    ASSERT_TRUE(AddObject(d));
    EXPECT_EQ(Links(d), (Ints{-1, 0, 2, 1, -1, /* SMKs */ 1, -1, -1, -1}));
    EXPECT_EQ(Strings(d).back(), "New");
    EXPECT_EQ(d.ObjectTable[4].Text, 8);
    EXPECT_EQ(d.SmkTable[3].FileName, 7);
    EXPECT_EQ(CheckInvariants(d), "");
    while (AddObject(d)) {
    }
    EXPECT_EQ(d.ObjectCount, MaxObjects);
    while (AddSmk(d)) {
    }
    EXPECT_EQ(d.SmkCount, MaxSmks);
    EXPECT_EQ(d.StringCount, MaxStrings);
    EXPECT_EQ(CheckInvariants(d), "");
    EXPECT_FALSE(AddSmk(d));
    // A full string table refuses too, even with room among the objects.
    --d.ObjectCount;
    EXPECT_FALSE(AddObject(d));
}

} // namespace
} // namespace tarrox
