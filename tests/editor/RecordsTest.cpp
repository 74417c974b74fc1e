#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

using RecordsTest = EditorTest;

TEST_F(RecordsTest, DeletingObjectTwoOfFiveRenumbersListAndStrings) {
    StartWith(MakeDocument({{0, "d"}, {2, "one"}, {5, "two"}, {9, "three"}, {2, "four"}}));
    List("objectList")->setCurrentRow(2);
    dialogs.Answers = {MessageAnswer::No};
    Trigger("deleteObject");
    EXPECT_EQ(doc->ObjectCount, 5);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "Deleting an existing object may produce unwanted results (i.e., crashing.)\r\n"
              "Are you sure you want to proceed?");
    EXPECT_EQ(dialogs.Messages[0].Title, "Delete Object");
    EXPECT_EQ(dialogs.Messages[0].Buttons, MessageButtons::YesNo);

    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    EXPECT_EQ(doc->ObjectCount, 4);
    EXPECT_EQ(form->Selected().Object, -1);
    EXPECT_EQ(Entries(List("objectList")),
              (std::vector<std::string>{"0 - Dialog Box", "1 - Button", "2 - Label (Left align)",
                                        "3 - Button"}));
    EXPECT_EQ(doc->StringTable[doc->ObjectTable[2].Text], "three");
    EXPECT_EQ(doc->StringTable[doc->ObjectTable[3].Text], "four");
    EXPECT_EQ(CheckInvariants(*doc), "");
    // With nothing chosen the controls show nothing and take no edits.
    EXPECT_EQ(Box("objectText")->text(), "");
    EXPECT_EQ(Combo("controlType")->currentIndex(), -1);
    Box("objectLeft")->setText("77");
    EXPECT_EQ(doc->ObjectTable[2].Left, 0);
}

TEST_F(RecordsTest, DeletingAnObjectLowersTheStringsOfLaterSmks) {
    // Read order: d, one, s0, two, s1: object 1's SMK comes before object 2's string.
    StartWith(MakeDocument({{0, "d"}, {2, "one", 0}, {2, "two", 1}}, {{"s0.smk"}, {"s1.smk"}}));
    ASSERT_EQ(doc->SmkTable[0].FileName, 2);
    ASSERT_EQ(doc->SmkTable[1].FileName, 4);
    List("objectList")->setCurrentRow(2);
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    EXPECT_EQ(doc->SmkTable[0].FileName, 2);
    EXPECT_EQ(doc->SmkTable[1].FileName, 3);
    EXPECT_EQ(doc->StringTable[3], "s1.smk");
    EXPECT_EQ(CheckInvariants(*doc), "");
}

TEST_F(RecordsTest, DeletingSmkOneOfFourFixesLinksChainsAndPickers) {
    StartWith(MakeDocument({{0, "d"}, {2, "a", 0}, {2, "b", 2}},
                           {{"0.smk", 1}, {"1.smk"}, {"2.smk", 3}, {"3.smk"}}));
    // Links the reader cannot produce from disk, set the way the object editor would.
    doc->ObjectTable[1].SmkLink = 1;
    doc->ObjectTable[2].SmkLink = 3;
    List("objectList")->setCurrentRow(2);
    List("smkList")->setCurrentRow(1);
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteSmk");
    EXPECT_EQ(dialogs.Messages.back().Text,
              "Any references to this SMK will be removed.\r\nAre you sure you want to proceed?");
    EXPECT_EQ(doc->SmkCount, 3);
    EXPECT_EQ(form->Selected().Smk, -1);
    EXPECT_EQ(doc->ObjectTable[1].SmkLink, -1);
    EXPECT_EQ(doc->ObjectTable[2].SmkLink, 2);
    EXPECT_EQ(doc->SmkTable[0].Next, -1);
    EXPECT_EQ(doc->SmkTable[1].Next, 2);
    // Nothing reaches 0.smk and 2.smk any more.
    const std::vector<std::string> entries{"0 - 0.smk (unused)", "1 - 2.smk (unused)", "2 - 3.smk"};
    EXPECT_EQ(Entries(List("smkList")), entries);
    EXPECT_EQ(Entries(Combo("objectSmk")), entries);
    EXPECT_EQ(Entries(Combo("nextSmk")), entries);
    // The shown object's picker follows its SMK to the new position.
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), 2);
    EXPECT_TRUE(Check("usesSmk")->isChecked());
    EXPECT_EQ(Combo("nextSmk")->currentIndex(), -1);
    EXPECT_EQ(CheckInvariants(*doc), "");
}

TEST_F(RecordsTest, DeletingTheSmkTheShownObjectLinksUnlinksIt) {
    StartWith(MakeDocument({{0, "d"}, {2, "a", 0}}, {{"0.smk", 1}, {"1.smk", 2}, {"2.smk"}}));
    doc->ObjectTable[1].SmkLink = 1;
    List("objectList")->setCurrentRow(1);
    ASSERT_EQ(Combo("objectSmk")->currentIndex(), 1);
    List("smkList")->setCurrentRow(1);
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteSmk");
    EXPECT_EQ(doc->ObjectTable[1].SmkLink, -1);
    EXPECT_FALSE(Check("usesSmk")->isChecked());
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), -1);
    // Picking the position again must be a deliberate choice, not a leftover.
    Combo("objectSmk")->setCurrentIndex(1);
    EXPECT_EQ(doc->ObjectTable[1].SmkLink, -1);
}

TEST_F(RecordsTest, AddingAppendsEntriesEverywhereAndShowsTheNewRecord) {
    StartWith(MakeDocument({{0, "d"}, {2, "1"}, {2, "2"}, {2, "3"}, {2, "4"}, {2, "5"}, {2, "6"}}));
    Trigger("addObject");
    EXPECT_EQ(doc->ObjectCount, 8);
    EXPECT_EQ(List("objectList")->item(7)->text(), "7 - Label (Left align)");
    EXPECT_EQ(doc->StringTable[doc->ObjectTable[7].Text], "New");
    EXPECT_EQ(form->Selected().Object, 7);
    EXPECT_EQ(SelectedRow(List("objectList")), 7);
    EXPECT_EQ(Box("objectText")->text(), "New");
    // The first SMK lands in empty pickers without being picked for the shown object.
    List("objectList")->setCurrentRow(1);
    Check("usesSmk")->setChecked(true);
    Trigger("addSmk");
    const std::vector<std::string> unused = {"0 - New (unused)"};
    EXPECT_EQ(Entries(List("smkList")), unused);
    EXPECT_EQ(Entries(Combo("objectSmk")), unused);
    EXPECT_EQ(Entries(Combo("nextSmk")), unused);
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), -1);
    EXPECT_EQ(doc->ObjectTable[1].SmkLink, -1);
    EXPECT_EQ(form->Selected().Smk, 0);
    // A later SMK leaves the shown object's pick as it was.
    Combo("objectSmk")->setCurrentIndex(0);
    Trigger("addSmk");
    EXPECT_EQ(Entries(List("smkList")), (std::vector<std::string>{"0 - New", "1 - New (unused)"}));
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), 0);
    EXPECT_TRUE(Check("usesSmk")->isChecked());
    EXPECT_EQ(doc->ObjectTable[1].SmkLink, 0);
    EXPECT_EQ(SelectedRow(List("smkList")), 1);
    EXPECT_EQ(Box("smkFileName")->text(), "New");
    // An addition is unsaved work like any edit.
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    EXPECT_EQ(CheckInvariants(*doc), "");
}

TEST_F(RecordsTest, FullTablesRefuseAddingButNotDeleting) {
    StartWith(MakeDocument({{0, "d"}}));
    for (int i = 1; i < MaxObjects; ++i) Trigger("addObject");
    for (int i = 0; i < MaxSmks; ++i) Trigger("addSmk");
    ASSERT_EQ(doc->ObjectCount, MaxObjects);
    ASSERT_EQ(doc->SmkCount, MaxSmks);
    Trigger("addObject");
    Trigger("addSmk");
    EXPECT_EQ(List("objectList")->count(), MaxObjects);
    EXPECT_EQ(List("smkList")->count(), MaxSmks);

    List("objectList")->setCurrentRow(127);
    List("smkList")->setCurrentRow(0);
    dialogs.Answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    Trigger("deleteObject");
    Trigger("deleteSmk");
    EXPECT_EQ(doc->ObjectCount, MaxObjects - 1);
    EXPECT_EQ(doc->SmkCount, MaxSmks - 1);
    EXPECT_EQ(List("smkList")->item(0)->text(), "0 - New (unused)");
    EXPECT_EQ(CheckInvariants(*doc), "");
}

TEST_F(RecordsTest, TheLastObjectAndAnEmptyEditorStayAsTheyAre) {
    Start();
    Trigger("addObject"); // no document
    Trigger("addSmk");
    EXPECT_EQ(List("objectList")->count(), 0);
    form.reset();
    StartWith(MakeDocument({{0, "d"}}));
    List("objectList")->setCurrentRow(0);
    Trigger("deleteObject");
    EXPECT_EQ(doc->ObjectCount, 1);
    EXPECT_TRUE(dialogs.Messages.empty());
}

} // namespace
} // namespace tarrox::test
