#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "document/BinWriter.h"
#include "document/EditHistory.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

using Bytes = std::vector<uint8_t>;

// Objects 1 and 3 show SMKs 0 and 2; SMK 0 chains to 1.
DialogDocument Sample() {
    return test::MakeDocument({-1, 0, -1, 2}, {1, -1, -1});
}

Bytes Written(const DialogDocument& d) {
    EXPECT_EQ(CheckInvariants(d), "");
    return WriteBinDocument(d).value();
}

using Make = std::function<std::unique_ptr<EditCommand>(const DialogDocument&)>;
template <class F> Make Obj(int32_t i, std::optional<std::string> text, F change) {
    return [=](const DialogDocument& d) {
        DialogObject o = d.ObjectTable[i];
        return change(o), ReplaceObject(i, o, text);
    };
}
template <class F> Make Smk(int32_t k, std::optional<std::string> name, F change) {
    return [=](const DialogDocument& d) {
        SmkEntry e = d.SmkTable[k];
        return change(e), ReplaceSmk(k, e, name);
    };
}

TEST(EditHistory, EveryKindOfChangeRevertsAndRedoesToTheSameBytes) {
    const std::pair<const char*, Make> cases[] = {
        {"fields", Obj(3, {}, [](auto& o) { o.Top += 5, o.Flags |= 8, o.ControlType = 14; })},
        {"link", Obj(2, {}, [](auto& o) { o.SmkLink = 1; })},
        {"unlink", Obj(1, {}, [](auto& o) { o.SmkLink = -1; })},
        {"text", Obj(2, "Go", [](auto&) {})},
        {"smk fields", Smk(1, {}, [](auto& e) { e.OverlayX = 33, e.Flags = 5; })},
        {"smk chain", Smk(2, {}, [](auto& e) { e.Next = 0; })},
        {"smk name", Smk(0, "x.smk", [](auto&) {})},
        {"add object", [](auto&) { return AddObjectCommand(); }},
        {"add smk", [](auto&) { return AddSmkCommand(); }},
        {"delete first object", [](auto&) { return DeleteObjectCommand(0); }},
        {"delete middle object", [](auto&) { return DeleteObjectCommand(1); }},
        {"delete last object", [](auto&) { return DeleteObjectCommand(3); }},
        {"delete linked smk", [](auto&) { return DeleteSmkCommand(0); }},
        {"delete chained smk", [](auto&) { return DeleteSmkCommand(1); }},
        {"delete last smk", [](auto&) { return DeleteSmkCommand(2); }},
    };
    for (const auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        DialogDocument d = Sample();
        EditHistory history(d);
        const Bytes original = Written(d);
        ASSERT_TRUE(history.Apply(make(d), name));
        const Bytes applied = Written(d);
        EXPECT_EQ(history.UndoDescription(), name);
        EXPECT_TRUE(applied != original && history.Undo() && Written(d) == original &&
                    history.Redo() && Written(d) == applied);
    }
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
            const std::string name = "n" + std::to_string(n);
            const Make commands[] = {
                [](auto&) { return AddObjectCommand(); },
                [](auto&) { return AddSmkCommand(); },
                [=](auto&) { return DeleteObjectCommand(i); },
                [=](auto&) { return DeleteSmkCommand(k); },
                Obj(std::max(i, 0), name, [=](auto& o) { o.Left = left, o.SmkLink = k; }),
                Smk(std::max(k, 0), name, [=](auto& e) { e.Next = next; }),
            };
            if (history.Apply(commands[random() % 6](d), "step")) states.push_back(Written(d));
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
    history.Redo(); // undo and redo close merging
    SetLeft(6, drag);
    EXPECT_EQ(history.StepCount(), 2u);
    SetLeft(7, history.NewMergeKey()), SetLeft(8, NoMerge), SetLeft(9, NoMerge);
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
    history.Undo();
    EXPECT_EQ(marks + (history.IsAtSaved() ? "saved" : "-"), "saved - saved -");
}

} // namespace
} // namespace tarrox
