#include <gtest/gtest.h>

#include "document/EditHistory.h"
#include "document/Editing.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

const auto Sample = test::LinkedSample;

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
