#include <gtest/gtest.h>

#include <functional>

#include "document/Editing.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

using Edit = std::function<bool(DialogDocument&)>;
Edit DelObject(int32_t i) {
    return [=](DialogDocument& d) { return DeleteObject(d, i); };
}
Edit DelSmk(int32_t k) {
    return [=](DialogDocument& d) { return DeleteSmk(d, k); };
}

TEST(Editing, AddsAndDeletesRenumberLinksAndStrings) {
    // Strings in reading order, not table order, as a read file has them.
    const DialogDocument sample =
        test::MakeDocument({-1, 0, 2, 1}, {1, -1, -1}, {0, 1, 4, 6, 2, 3, 5});
    const std::string unchanged = test::Summary(sample);
    ASSERT_EQ(unchanged, "0/-1 1/0 4/2 6/1 | 2/1 3/-1 5/-1 | o0,o1,s0,s1,o2,s2,o3");
    const struct {
        Edit edit;
        std::string after; // empty: refused, nothing changes
    } cases[] = {
        {DelSmk(1), "0/-1 1/0 3/1 5/-1 | 2/-1 4/-1 | o0,o1,s0,o2,s2,o3"},
        {DelSmk(0), "0/-1 1/-1 3/1 5/0 | 2/-1 4/-1 | o0,o1,s1,o2,s2,o3"},
        {DelSmk(2), "0/-1 1/0 4/-1 5/1 | 2/1 3/-1 | o0,o1,s0,s1,o2,o3"},
        {DelObject(1), "0/-1 3/2 5/1 | 1/1 2/-1 4/-1 | o0,s0,s1,o2,s2,o3"},
        {DelObject(0), "0/0 3/2 5/1 | 1/1 2/-1 4/-1 | o1,s0,s1,o2,s2,o3"},
        {DelSmk(3), ""},
        {DelSmk(-1), ""},
        {DelObject(4), ""},
        {[](DialogDocument& d) { return AddSmk(d) && AddObject(d); },
         "0/-1 1/0 4/2 6/1 8/-1 | 2/1 3/-1 5/-1 7/-1 | o0,o1,s0,s1,o2,s2,o3,New,New"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        DialogDocument d = sample;
        EXPECT_EQ(c.edit(d), !c.after.empty());
        EXPECT_EQ(test::Summary(d), c.after.empty() ? unchanged : c.after);
        EXPECT_EQ(CheckInvariants(d), "");
    }
    DialogDocument lone = test::MakeDocument({-1}, {});
    EXPECT_FALSE(DeleteObject(lone, 0)); // a dialog needs its dialog record
}

TEST(Editing, AddsStopWhenTheTableOrTheStringsAreFull) {
    DialogDocument d = test::MakeDocument({-1}, {});
    while (AddObject(d)) {
    }
    while (AddSmk(d)) {
    }
    EXPECT_EQ(std::to_string(d.ObjectCount) + " " + std::to_string(d.SmkCount) + " " +
                  std::to_string(d.StringCount) + CheckInvariants(d),
              "128 128 256");
    --d.ObjectCount; // room among the objects, none among the strings
    EXPECT_FALSE(AddObject(d));
}

} // namespace
} // namespace tarrox
