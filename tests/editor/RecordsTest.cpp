// Adding and deleting records as the window shows it; the renumbering itself is the core's.
#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

using RecordsTest = EditorTest;

TEST_F(RecordsTest, DeletingAnObjectAsksThenRefillsTheListsAndClearsTheEditor) {
    StartWith(MakeDocument({{0, "d"}, {2, "one"}, {5, "two", 0}, {9, "three"}}, {{"s.smk"}}));
    List("objectList")->setCurrentRow(2);
    Trigger("deleteObject"); // No
    EXPECT_EQ(List("objectList")->count(), 4);
    EXPECT_EQ(Messages(), Names{"Deleting an existing object may produce unwanted results (i.e., "
                                "crashing.)\r\nAre you sure you want to proceed?"});
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    EXPECT_EQ(Entries(List("objectList")),
              (Names{"0 - Dialog Box", "1 - Button", "2 - Label (Left align)"}));
    EXPECT_EQ(Entries(List("smkList")), Names{"0 - s.smk (unused)"}); // its user is gone
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    EXPECT_EQ(Box("objectText")->text(), ""); // with nothing chosen the controls take no edits
    Box("objectLeft")->setText("77");
    EXPECT_EQ(doc->ObjectTable[2].Left, 0);
}

// The shown object's picker keeps pointing at the same SMK, or at none when that one goes,
// whether the object uses it (row 1) or the pick is only left over from before (row 2).
TEST_F(RecordsTest, DeletingAnSmkRefillsListAndPickersAndThePickFollowsItsSmk) {
    const struct {
        int Deleted, Picked;
        Names Entries;
    } cases[] = {{0, 0, {"0 - 1.smk", "1 - 2.smk"}},
                 {1, -1, {"0 - 0.smk (unused)", "1 - 2.smk (unused)"}},
                 {2, 1, {"0 - 0.smk (unused)", "1 - 1.smk"}}};
    for (const auto& c : cases)
        for (int row : {1, 2}) {
            SCOPED_TRACE(testing::Message() << c.Deleted << " " << row);
            form.reset();
            StartWith(MakeDocument({{0, "d"}, {2, "a", 0}, {2, "b"}},
                                   {{"0.smk", 1}, {"1.smk", 2}, {"2.smk"}}));
            doc->ObjectTable[1].SmkLink = 1;
            List("objectList")->setCurrentRow(1);
            List("objectList")->setCurrentRow(row);
            List("smkList")->setCurrentRow(c.Deleted);
            dialogs.Answers = {MessageAnswer::Yes};
            Trigger("deleteSmk");
            EXPECT_EQ(form->Selected().Smk, -1);
            EXPECT_EQ(Entries(List("smkList")), c.Entries);
            EXPECT_EQ(Entries(Combo("objectSmk")), c.Entries);
            EXPECT_EQ(Entries(Combo("nextSmk")), c.Entries);
            EXPECT_EQ(Combo("objectSmk")->currentIndex(), c.Picked);
            EXPECT_EQ(Check("usesSmk")->isChecked(), row == 1 && c.Picked >= 0);
            EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
        }
}

TEST_F(RecordsTest, AddingAppendsEntriesAndShowsTheNewRecordWithoutPickingIt) {
    StartWith(MakeDocument({{0, "d"}, {2, "1"}}));
    Trigger("addObject");
    EXPECT_EQ(List("objectList")->item(2)->text(), "2 - Label (Left align)");
    EXPECT_EQ(SelectedRow(List("objectList")), 2);
    EXPECT_EQ(Box("objectText")->text(), "New");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    // The first SMK lands in empty pickers without being picked; a later one leaves the pick.
    List("objectList")->setCurrentRow(1);
    Check("usesSmk")->setChecked(true);
    Trigger("addSmk");
    EXPECT_EQ(std::pair(Combo("objectSmk")->currentIndex(), Combo("nextSmk")->currentIndex()),
              std::pair(-1, -1));
    Combo("objectSmk")->setCurrentIndex(0);
    Trigger("addSmk");
    EXPECT_EQ(Entries(Combo("objectSmk")), (Names{"0 - New", "1 - New (unused)"}));
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), 0);
    EXPECT_EQ(SelectedRow(List("smkList")), 1);
    EXPECT_EQ(Box("smkFileName")->text(), "New");
    for (int i = 0; i <= MaxObjects; ++i) Trigger("addObject"); // full tables take no more
    for (int i = 0; i <= MaxSmks; ++i) Trigger("addSmk");
    EXPECT_EQ(std::pair(List("objectList")->count(), List("smkList")->count()),
              std::pair(MaxObjects, MaxSmks));
}

} // namespace
} // namespace tarrox::test
