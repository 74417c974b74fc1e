#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <type_traits>
#include <vector>

#include "document/BinWriter.h"
#include "document/EditHistory.h"

namespace tarrox {
namespace {

using Bytes = std::vector<uint8_t>;

// Four objects and three SMKs: objects 1 and 3 show SMKs 0 and 2, SMK 0 chains to 1.
std::unique_ptr<DialogDocument> Sample() {
    auto d = std::make_unique<DialogDocument>();
    const int32_t links[] = {-1, 0, -1, 2}, nexts[] = {1, -1, -1};
    for (int i = 0; i < 4; ++i) {
        d->ObjectTable[i] = {.Left = int16_t(10 * i), .Text = i, .SmkLink = links[i]};
        d->StringTable[i] = "object " + std::to_string(i);
    }
    for (int k = 0; k < 3; ++k) {
        d->SmkTable[k] = {.Next = nexts[k], .FileName = 4 + k};
        d->StringTable[4 + k] = "glue\\" + std::to_string(k) + ".smk";
    }
    d->ObjectCount = 4, d->SmkCount = 3, d->StringCount = 7;
    return d;
}

Bytes Written(const DialogDocument& d) {
    EXPECT_EQ(CheckInvariants(d), "");
    return WriteBinDocument(d).value();
}

using MakeCommand = std::function<std::unique_ptr<EditCommand>(const DialogDocument&)>;

// Replaces record i with a changed copy of itself.
template <class Record> MakeCommand Change(int32_t i, void (*change)(Record&)) {
    return [=](const DialogDocument& d) {
        if constexpr (std::is_same_v<Record, DialogObject>) {
            DialogObject o = d.ObjectTable[i];
            return change(o), ReplaceObject(i, o);
        } else {
            SmkEntry e = d.SmkTable[i];
            return change(e), ReplaceSmk(i, e);
        }
    };
}

TEST(EditHistory, EveryKindOfChangeRevertsAndRedoesToTheSameBytes) {
    const std::vector<std::pair<const char*, MakeCommand>> cases = {
        {"move", Change<DialogObject>(3, [](auto& o) { o.Top += 5, o.TextY += 5; })},
        {"flag", Change<DialogObject>(1, [](auto& o) { o.Flags |= FlagMask(VisibleBit); })},
        {"control type", Change<DialogObject>(2, [](auto& o) { o.ControlType = 14; })},
        {"link", Change<DialogObject>(2, [](auto& o) { o.SmkLink = 1; })},
        {"unlink", Change<DialogObject>(1, [](auto& o) { o.SmkLink = -1; })},
        {"text", [](const DialogDocument& d) { return ReplaceObject(2, d.ObjectTable[2], "Go"); }},
        {"smk field", Change<SmkEntry>(1, [](auto& e) { e.OverlayX = 33, e.Flags = 5; })},
        {"smk chain", Change<SmkEntry>(2, [](auto& e) { e.Next = 0; })},
        {"smk name", [](const DialogDocument& d) { return ReplaceSmk(0, d.SmkTable[0], "x.smk"); }},
        {"add object", [](const DialogDocument&) { return AddObjectCommand(); }},
        {"add smk", [](const DialogDocument&) { return AddSmkCommand(); }},
        {"delete first object", [](const DialogDocument&) { return DeleteObjectCommand(0); }},
        {"delete middle object", [](const DialogDocument&) { return DeleteObjectCommand(1); }},
        {"delete last object", [](const DialogDocument&) { return DeleteObjectCommand(3); }},
        {"delete linked smk", [](const DialogDocument&) { return DeleteSmkCommand(0); }},
        {"delete chained smk", [](const DialogDocument&) { return DeleteSmkCommand(1); }},
        {"delete last smk", [](const DialogDocument&) { return DeleteSmkCommand(2); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        auto d = Sample();
        EditHistory history(*d);
        const Bytes original = Written(*d);
        ASSERT_TRUE(history.Apply(make(*d), name));
        const Bytes applied = Written(*d);
        EXPECT_NE(applied, original);
        EXPECT_EQ(history.UndoDescription(), name);
        ASSERT_TRUE(history.Undo());
        EXPECT_EQ(Written(*d), original);
        ASSERT_TRUE(history.Redo());
        EXPECT_EQ(Written(*d), applied);
    }
}

TEST(EditHistory, RefusedChangesLeaveNoStep) {
    auto d = Sample();
    d->ObjectCount = 1;
    EditHistory history(*d);
    EXPECT_FALSE(history.Apply(DeleteObjectCommand(0), "the only object"));
    EXPECT_FALSE(history.Apply(DeleteSmkCommand(3), "past the end"));
    EXPECT_FALSE(history.Apply(ReplaceObject(-1, {}), "before the start"));
    EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistory, RandomRunsUndoToTheStartAndRedoToTheEnd) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        auto pick = [&](int32_t count) { return int32_t(random() % uint32_t(count + 1)) - 1; };
        auto d = Sample();
        EditHistory history(*d);
        std::vector<Bytes> states{Written(*d)};
        for (int n = 0; n < 60; ++n) {
            const int32_t i = pick(d->ObjectCount), k = pick(d->SmkCount);
            const auto kind = random() % 6;
            std::unique_ptr<EditCommand> command = kind == 0   ? AddObjectCommand()
                                                   : kind == 1 ? AddSmkCommand()
                                                   : kind == 2 ? DeleteObjectCommand(i)
                                                               : DeleteSmkCommand(k);
            if (kind == 4) {
                DialogObject o = d->ObjectTable[std::max(i, 0)];
                o.Left = int16_t(random()), o.SmkLink = k;
                command = ReplaceObject(i, o, std::to_string(n));
            } else if (kind == 5) {
                SmkEntry e = d->SmkTable[std::max(k, 0)];
                e.Next = pick(d->SmkCount);
                command = ReplaceSmk(k, e, "s" + std::to_string(n));
            }
            if (history.Apply(std::move(command), "step")) states.push_back(Written(*d));
        }
        ASSERT_EQ(history.StepCount() + 1, states.size());
        for (size_t s = states.size() - 1; s-- > 0;) {
            ASSERT_TRUE(history.Undo());
            ASSERT_EQ(Written(*d), states[s]);
        }
        EXPECT_FALSE(history.Undo());
        for (size_t s = 1; s < states.size(); ++s) {
            ASSERT_TRUE(history.Redo());
            ASSERT_EQ(Written(*d), states[s]);
        }
    }
}

struct MergeFixture : ::testing::Test {
    std::unique_ptr<DialogDocument> d = Sample();
    EditHistory history{*d};
    const Bytes original = Written(*d);
    bool SetLeft(int16_t left, MergeKey key, int32_t i = 1, bool keep = false) {
        DialogObject o = d->ObjectTable[i];
        o.Left = left;
        return history.Apply(ReplaceObject(i, o), "Move Object " + std::to_string(i), key, keep);
    }
};

TEST_F(MergeFixture, ASharedKeyMergesUntilMergingCloses) {
    const MergeKey drag = history.NewMergeKey();
    SetLeft(1, drag);
    SetLeft(2, drag);
    SetLeft(3, drag);
    EXPECT_EQ(history.StepCount(), 1u);
    history.CloseMerging();
    SetLeft(4, drag);
    SetLeft(5, history.NewMergeKey());
    SetLeft(6, NoMerge);
    SetLeft(7, NoMerge);
    SetLeft(8, drag, 2); // another key's step is last
    EXPECT_EQ(history.StepCount(), 6u);
    for (int left : {7, 6, 5, 4, 3}) {
        history.Undo();
        EXPECT_EQ(d->ObjectTable[1].Left, left);
    }
    history.Undo();
    EXPECT_EQ(Written(*d), original);
    history.Redo(); // undo and redo close merging
    SetLeft(9, drag);
    EXPECT_EQ(history.StepCount(), 2u);
}

TEST_F(MergeFixture, OnlyOneRecordMergesAndABackAndForthLeavesNoStep) {
    const MergeKey drag = history.NewMergeKey();
    SetLeft(1, drag);
    SetLeft(8, drag, 2); // another record: a step of its own
    EXPECT_EQ(history.StepCount(), 2u);
    SetLeft(20, drag, 2); // back where it began, as when a drag is cancelled
    EXPECT_EQ(history.StepCount(), 1u);
    const MergeKey typing = history.NewMergeKey();
    SetLeft(5, typing, 3, true);
    SetLeft(30, typing, 3, true); // a box visit stays a step even when it changes nothing
    EXPECT_EQ(history.StepCount(), 2u);
    EXPECT_FALSE(SetLeft(0, NoMerge, 9));
    history.Apply(ReplaceObject(2, d->ObjectTable[2]), "nothing");
    EXPECT_EQ(history.StepCount(), 2u);
}

TEST_F(MergeFixture, TheSavedMarkFollowsUndoAndRedo) {
    EXPECT_TRUE(history.IsAtSaved());
    const MergeKey key = history.NewMergeKey();
    SetLeft(1, key);
    EXPECT_FALSE(history.IsAtSaved());
    history.MarkSaved();
    SetLeft(2, key); // not into the saved step
    EXPECT_EQ(history.StepCount(), 2u);
    history.Undo();
    EXPECT_TRUE(history.IsAtSaved());
    history.Undo();
    EXPECT_FALSE(history.IsAtSaved());
    history.Redo();
    EXPECT_TRUE(history.IsAtSaved());
    history.Undo();
    SetLeft(3, NoMerge); // the saved state was on the dropped branch
    history.Undo();
    EXPECT_FALSE(history.IsAtSaved());
}

TEST(EditHistory, TheOldestStepsGoBeyondTheCap) {
    auto d = Sample();
    EditHistory history(*d, 3);
    for (int16_t left = 1; left <= 5; ++left) {
        DialogObject o = d->ObjectTable[0];
        o.Left = left;
        history.Apply(ReplaceObject(0, o), "step");
    }
    EXPECT_EQ(history.StepCount(), 3u);
    for (int n = 0; n < 5; ++n) history.Undo();
    EXPECT_EQ(d->ObjectTable[0].Left, 2);
    EXPECT_FALSE(history.IsAtSaved()); // the saved state is out of reach
}

} // namespace
} // namespace tarrox
