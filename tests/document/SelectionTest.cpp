// Commands on several objects, the clipboard's batches and find.
#include <gtest/gtest.h>

#include "document/Clipboard.h"
#include "document/DocumentJson.h"
#include "document/EditHistory.h"
#include "document/Find.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

const auto Sample = test::LinkedSample;

// Every slot of every table, past the counts too: what taking a step back exactly means.
bool Same(const DialogDocument& a, const DialogDocument& b) {
    return a.ObjectTable == b.ObjectTable && a.SmkTable == b.SmkTable &&
           a.StringTable == b.StringTable && a.ObjectCount == b.ObjectCount &&
           a.SmkCount == b.SmkCount && a.StringCount == b.StringCount;
}

std::vector<int32_t> Selected(const EditTarget& t) {
    return t.Indices.empty() ? std::vector<int32_t>{t.Index} : t.Indices;
}

TEST(SelectionCommands, RenumberTargetTheNewRecordsAndTakeThemselvesBackExactly) {
    const DialogDocument sample = Sample();
    DialogObject second = sample.ObjectTable[2], third = sample.ObjectTable[3];
    second.Left = 7;
    struct {
        std::unique_ptr<EditCommand> Command;
        std::string After;
        std::vector<int32_t> Selected;
    } cases[] = {
        // Object 0 and unknown indices are left out; strings close up as one delete does.
        {DeleteObjectsCommand({3, 1, 0, 99}), "0/-1 3/2 | 1/1 2/-1 4/-1 | o0,s0,s1,o2,s2", {-1}},
        // Links and chains go to the new SMK records; shared records are copied once.
        {InsertObjectsCommand(CopyObjects(sample, {3, 1})),
         "0/-1 1/0 4/2 6/1 7/3 8/4 | 2/1 3/-1 5/-1 9/-1 10/3 | o0,o1,s0,s1,o2,s2,o3,o3,o1,s1,s0",
         {4, 5}},
        {InsertObjectsCommand(CopyObjects(sample, {2, 2, 0})),
         "0/-1 1/0 4/2 6/1 7/3 | 2/1 3/-1 5/-1 8/-1 | o0,o1,s0,s1,o2,s2,o3,o2,s2",
         {4}},
        {DrawOrderCommand({1}, DrawOrderMove::BringToFront),
         "0/-1 4/2 6/1 1/0 | 2/1 3/-1 5/-1 | o0,o1,s0,s1,o2,s2,o3",
         {3}},
        {ReplaceObjectsCommand({{3, second}, {2, third}}),
         "0/-1 1/0 6/1 4/2 | 2/1 3/-1 5/-1 | o0,o1,s0,s1,o2,s2,o3",
         {3, 2}},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.After);
        DialogDocument d = sample;
        EditHistory history(d);
        ASSERT_TRUE(history.Apply(std::move(c.Command), "step"));
        ASSERT_TRUE(history.LastApplied());
        EXPECT_EQ(Selected(*history.LastApplied()), c.Selected);
        EXPECT_EQ(test::Summary(d), c.After);
        EXPECT_EQ(CheckInvariants(d), "");
        const DialogDocument applied = d;
        const auto undone = history.Undo();
        EXPECT_TRUE(Same(d, sample));
        const auto redone = history.Redo();
        EXPECT_TRUE(Same(d, applied));
        EXPECT_EQ(Selected(*redone), c.Selected);
        EXPECT_NE(Selected(*undone), std::vector<int32_t>{}); // something to show either way
    }
}

TEST(SelectionCommands, NothingToChangeIsRefused) {
    DialogDocument d = Sample();
    EditHistory history(d);
    EXPECT_FALSE(history.Apply(DeleteObjectsCommand({0, -1, 4}), "Delete"));
    EXPECT_FALSE(history.Apply(DrawOrderCommand({0}, DrawOrderMove::SendToBack), "Order"));
    EXPECT_FALSE(history.Apply(ReplaceObjectsCommand({{4, {}}}), "Move"));
    EXPECT_FALSE(history.Apply(InsertObjectsCommand(CopyObjects(d, {0})), "Paste"));
    // Already on top: applied, but no step.
    EXPECT_TRUE(history.Apply(DrawOrderCommand({3}, DrawOrderMove::BringForward), "Order"));
    EXPECT_EQ(history.StepCount(), 0u);
    EXPECT_FALSE(history.LastApplied()); // nothing new to show
    EXPECT_TRUE(Same(d, Sample()));
}

TEST(SelectionCommands, DrawOrderMovesTheSelectionAndObjectZeroStaysFirst) {
    const struct {
        std::vector<int32_t> Selection;
        DrawOrderMove Move;
        std::string Order;
        std::vector<int32_t> Selected;
    } cases[] = {
        {{2, 4}, DrawOrderMove::BringToFront, "o0 o1 o3 o5 o2 o4", {4, 5}},
        {{4, 2}, DrawOrderMove::BringForward, "o0 o1 o3 o2 o5 o4", {5, 3}},
        {{3, 4}, DrawOrderMove::BringForward, "o0 o1 o2 o5 o3 o4", {4, 5}},
        {{3, 4}, DrawOrderMove::SendBackward, "o0 o1 o3 o4 o2 o5", {2, 3}},
        {{1, 3}, DrawOrderMove::SendBackward, "o0 o1 o3 o2 o4 o5", {1, 2}},
        {{0, 5, 3}, DrawOrderMove::SendToBack, "o0 o3 o5 o1 o2 o4", {2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Order);
        // Object i links SMK i - 1: the links must travel with their objects.
        const DialogDocument before = test::MakeDocument({-1, 0, 1, 2, 3, 4}, {-1, -1, -1, -1, -1});
        DialogDocument d = before;
        EditHistory history(d);
        ASSERT_TRUE(history.Apply(DrawOrderCommand(c.Selection, c.Move), "Order"));
        std::string order;
        for (int32_t i = 0; i < d.ObjectCount; ++i) {
            const DialogObject& o = d.ObjectTable[i];
            const std::string& text = d.StringTable[o.Text];
            order += (i ? " " : "") + text;
            EXPECT_EQ(o.SmkLink, std::stoi(text.substr(1)) - 1);
        }
        EXPECT_EQ(order, c.Order);
        EXPECT_EQ(
            Selected(*history.Undo()),
            std::vector<int32_t>(c.Selection.begin() + (c.Selection[0] == 0), c.Selection.end()));
        EXPECT_TRUE(Same(d, before));
        EXPECT_EQ(Selected(*history.Redo()), c.Selected);
    }
}

TEST(Paste, IsRefusedWithHowManyFitWhenATableWouldOverflow) {
    const struct {
        int32_t Objects, Smks, PastedObjects, PastedSmks;
        std::string Message;
    } cases[] = {
        {125, 0, 5, 0,
         "Only 3 more objects fit in this dialog (128 at most); the clipboard holds 5."},
        {127, 0, 2, 0,
         "Only 1 more object fits in this dialog (128 at most); the clipboard holds 2."},
        {128, 0, 1, 0, "No more objects fit in this dialog (128 at most); the clipboard holds 1."},
        {3, 126, 3, 3,
         "Only 2 more SMK records fit in this dialog (128 at most); the clipboard holds 3."},
        {123, 123, 5, 5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        DialogDocument d = test::MakeDocument(std::vector<int32_t>(size_t(c.Objects), -1),
                                              std::vector<int32_t>(size_t(c.Smks), -1));
        std::vector<int32_t> links;
        for (int32_t i = 0; i < c.PastedObjects; ++i) links.push_back(i < c.PastedSmks ? i : -1);
        const DialogDocument batch =
            test::MakeDocument(links, std::vector<int32_t>(size_t(c.PastedSmks), -1));
        EXPECT_EQ(BatchDoesNotFit(d, batch), c.Message);
        const DialogDocument before = d;
        EditHistory history(d);
        EXPECT_EQ(history.Apply(InsertObjectsCommand(batch), "Paste"), c.Message.empty());
        EXPECT_TRUE(c.Message.empty() ? CheckInvariants(d).empty() : Same(d, before));
    }
}

TEST(Clipboard, JsonComesBackExactlyAndIsCheckedAsLoadChecksIt) {
    const DialogDocument batch = CopyObjects(Sample(), {3, 1});
    EXPECT_EQ(test::Summary(batch), "0/0 1/1 | 2/-1 3/0 | o3,o1,s1,s0");
    DialogDocument back;
    std::string error;
    ASSERT_TRUE(BatchFromJson(BatchToJson(batch), back, error)) << error;
    EXPECT_TRUE(Same(back, batch));

    // The first object of a batch may link SMK records; a dialog's may not.
    const std::string one = BatchToJson(CopyObjects(Sample(), {2}));
    EXPECT_FALSE(DocumentFromJson(one, back, error));
    EXPECT_EQ(error, "Error: objects[0].SmkLink: must be -1: the dialog box has no SMK list");
    // A link past the batch's own SMK records is refused, the target left as it was.
    back = batch;
    std::string json = one;
    EXPECT_FALSE(BatchFromJson(json.replace(json.find(R"("SmkLink":0)"), 11, R"("SmkLink":1)"),
                               back, error));
    EXPECT_EQ(error, "Error: objects[0].SmkLink: must be -1 or an SMK record from 0 to 0");
    EXPECT_TRUE(Same(back, batch));
}

TEST(Find, MatchesShownTextTypeNameOrControlIdAndWrapsRound) {
    DialogDocument d = test::MakeDocument({-1, -1, -1, -1, -1}, {});
    const std::tuple<std::string, int32_t, int16_t> objects[] = {
        {"Options", 0, 0},   {"\x03OK", 1, 12},         {"Cancel", 2, 120},
        {"Re<play>", 9, 13}, {"\xc9tat \xe9lu", 14, 7},
    };
    for (int32_t i = 0; i < 5; ++i) {
        DialogObject& o = d.ObjectTable[i];
        std::tie(d.StringTable[o.Text], o.ControlType, o.ControlId) = objects[i];
    }
    const struct {
        std::string Query;
        int32_t Start, Found;
    } cases[] = {
        {"ok", 0, 1},       {" <3>OK ", 3, 1},  {"12", 0, 1},       {"12", 1, 1},
        {"13", 4, 3},       {"1", 0, -1},       {"<60>PLAY", 0, 3}, {"button", 1, 2},
        {"button", 2, 4},   {"dialog", 3, 0},   {"\xe9tat", 0, 4},  {"", 0, -1},
        {"options", 99, 0}, {"missing", 0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindObject(d, c.Query, c.Start), c.Found) << c.Query << " from " << c.Start;
}

} // namespace
} // namespace tarrox
