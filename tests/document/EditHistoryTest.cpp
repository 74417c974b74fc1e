#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "document/BinWriter.h"
#include "document/EditHistory.h"
#include "document/Editing.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

using Bytes = std::vector<uint8_t>;

// Strings in reading order, not table order, as a read file has them.
DialogDocument Sample() {
    return test::MakeDocument({-1, 0, 2, 1}, {1, -1, -1}, {0, 1, 4, 6, 2, 3, 5});
}

Bytes Written(const DialogDocument& d) {
    EXPECT_EQ(CheckInvariants(d), "");
    return WriteBinDocument(d).value();
}

// Deletes renumber every link and string; each goes back and comes again.
TEST(EditHistory, DeletesRenumberAndRevertToTheSameBytes) {
    const std::pair<std::function<std::unique_ptr<EditCommand>()>, std::string> cases[] = {
        {[] { return DeleteObjectCommand(0); }, "0/0 3/2 5/1 | 1/1 2/-1 4/-1 | o1,s0,s1,o2,s2,o3"},
        {[] { return DeleteObjectCommand(1); }, "0/-1 3/2 5/1 | 1/1 2/-1 4/-1 | o0,s0,s1,o2,s2,o3"},
        {[] { return DeleteSmkCommand(0); }, "0/-1 1/-1 3/1 5/0 | 2/-1 4/-1 | o0,o1,s1,o2,s2,o3"},
        {[] { return DeleteSmkCommand(1); }, "0/-1 1/0 3/1 5/-1 | 2/-1 4/-1 | o0,o1,s0,o2,s2,o3"},
        {[] { return DeleteSmkCommand(2); }, "0/-1 1/0 4/-1 5/1 | 2/1 3/-1 | o0,o1,s0,s1,o2,o3"},
    };
    for (const auto& [make, after] : cases) {
        SCOPED_TRACE(after);
        DialogDocument d = Sample();
        EditHistory history(d);
        const Bytes original = Written(d);
        ASSERT_TRUE(history.Apply(make(), "Delete"));
        EXPECT_EQ(test::Summary(d), after);
        const Bytes applied = Written(d);
        EXPECT_TRUE(history.Undo() && Written(d) == original && history.Redo() &&
                    Written(d) == applied);
    }
}

TEST(Editing, TheDialogRecordStaysAndAddsStopWhenTheTableOrTheStringsAreFull) {
    DialogDocument d = test::MakeDocument({-1}, {});
    EXPECT_FALSE(DeleteObject(d, 0));
    while (AddObject(d)) {
    }
    while (AddSmk(d)) {
    }
    EXPECT_EQ(std::tuple(d.ObjectCount, d.SmkCount, d.StringCount, CheckInvariants(d)),
              std::tuple(128, 128, 256, ""));
    --d.ObjectCount; // room among the objects, none among the strings
    EXPECT_FALSE(AddObject(d));
}

// Refused changes (indices of -1, the only object) must leave no step either.
TEST(EditHistory, RandomRunsUndoToTheStartAndRedoToTheEnd) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        auto pick = [&](int32_t count) { return int32_t(random() % uint32_t(count + 1)) - 1; };
        DialogDocument d = Sample();
        EditHistory history(d);
        std::vector<Bytes> states{Written(d)};
        for (int n = 0; n < 60; ++n) {
            const int32_t i = pick(d.ObjectCount), k = pick(d.SmkCount), next = pick(d.SmkCount);
            const auto left = int16_t(random());
            const std::string name = std::string("n").append(std::to_string(n));
            DialogObject o = d.ObjectTable[std::max(i, 0)];
            SmkEntry e = d.SmkTable[std::max(k, 0)];
            o.Left = left, o.SmkLink = k, e.Next = next;
            const std::function<std::unique_ptr<EditCommand>()> commands[] = {
                [] { return AddObjectCommand(); },
                [] { return AddSmkCommand(); },
                [=] { return DeleteObjectCommand(i); },
                [=] { return DeleteSmkCommand(k); },
                [=] { return ReplaceObject(std::max(i, 0), o, name); },
                [=] { return ReplaceSmk(std::max(k, 0), e, name); },
            };
            if (history.Apply(commands[random() % 6](), "step")) states.push_back(Written(d));
        }
        ASSERT_EQ(history.StepCount() + 1, states.size());
        for (size_t s = states.size() - 1; s-- > 0;)
            ASSERT_TRUE(history.Undo() && Written(d) == states[s]);
        EXPECT_FALSE(history.Undo());
        for (size_t s = 1; s < states.size(); ++s)
            ASSERT_TRUE(history.Redo() && Written(d) == states[s]);
    }
}

struct Merging : ::testing::Test {
    DialogDocument d = Sample();
    EditHistory history{d, 4};
    bool SetLeft(int16_t left, MergeKey key, int32_t i = 1, bool keep = false) {
        DialogObject o = d.ObjectTable[i];
        o.Left = left;
        return history.Apply(ReplaceObject(i, o), "Move", key, keep);
    }
    // Undoes every step, giving object 1's Left after each.
    std::string UndoAll() {
        std::string lefts;
        while (history.Undo()) lefts += std::to_string(d.ObjectTable[1].Left) + " ";
        return lefts;
    }
};

TEST_F(Merging, ASharedKeyMergesOneRecordUntilMergingCloses) {
    const MergeKey drag = history.NewMergeKey();
    SetLeft(1, drag), SetLeft(2, drag), SetLeft(3, drag);
    history.CloseMerging();
    SetLeft(4, drag), SetLeft(5, drag);
    SetLeft(8, drag, 2); // another record: a step of its own
    EXPECT_EQ(history.StepCount(), 3u);
    SetLeft(0, drag, 2); // back where it began, as when a drag is cancelled: no step
    EXPECT_EQ(history.StepCount(), 2u);
    EXPECT_EQ(UndoAll(), "3 0 ");
    history.Redo();
    SetLeft(6, drag);
    EXPECT_EQ(history.StepCount(), 2u);
    history.Undo(), history.Redo(); // undo and redo close merging
    SetLeft(7, drag), SetLeft(8, history.NewMergeKey()), SetLeft(9, NoMerge);
    EXPECT_EQ(history.StepCount(), 4u); // the cap: the oldest step goes
    EXPECT_EQ(UndoAll(), "8 7 6 3 ");
    EXPECT_FALSE(history.IsAtSaved()); // the saved state is out of reach
}

TEST_F(Merging, KeptVisitsAndTheSavedMark) {
    const MergeKey typing = history.NewMergeKey();
    SetLeft(5, typing, 3, true), SetLeft(0, typing, 3, true); // a visit stays a step
    EXPECT_FALSE(SetLeft(0, NoMerge, 9));
    EXPECT_EQ(history.StepCount(), 1u);
    history.MarkSaved();
    SetLeft(2, typing, 3, true); // not into the saved step
    EXPECT_EQ(history.StepCount(), 2u);
    std::string marks;
    for (auto step : {&EditHistory::Undo, &EditHistory::Undo, &EditHistory::Redo})
        (history.*step)(), marks += history.IsAtSaved() ? "saved " : "- ";
    history.Undo();
    SetLeft(3, NoMerge); // the saved state was on the dropped branch
    marks += history.IsAtSaved() ? "saved " : "- ";
    history.Undo();
    EXPECT_EQ(marks + (history.IsAtSaved() ? "saved" : "-"), "saved - saved - -");
}

} // namespace
} // namespace tarrox
