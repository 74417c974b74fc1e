#include <QPushButton>

#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

class SmkEditorTest : public EditorTest {
  protected:
    // Object 1 shows a chain of three SMKs.
    void SetUp() override {
        EditorTest::SetUp();
        DialogDocument d = MakeDocument({{0, "Main"}, {2, "Go", 0}},
                                        {{"glue\\a.smk", 1}, {"b.smk", 2}, {"c.smk"}});
        d.SmkTable[0].OverlayX = 7;
        d.SmkTable[1].Flags = 261;
        d.SmkTable[2].Flags = -1;
        StartWith(d);
    }
    void Select(int row) { List("smkList")->setCurrentRow(row); }
    const SmkEntry& Shown() { return doc->SmkTable[form->Selected().Smk]; }
};

TEST_F(SmkEditorTest, SelectingFillsTheControlsWithoutMarkingTheTitle) {
    EXPECT_EQ(Entries(List("smkList")),
              (std::vector<std::string>{"0 - a.smk", "1 - b.smk", "2 - c.smk"}));
    EXPECT_EQ(Entries(Combo("objectSmk")), Entries(List("smkList")));
    EXPECT_EQ(Entries(Combo("nextSmk")), Entries(List("smkList")));
    Select(0);
    EXPECT_EQ(Box("smkFileName")->text(), "glue\\a.smk");
    EXPECT_EQ(Box("smkOverlayX")->text(), "7");
    EXPECT_TRUE(Check("usesNextSmk")->isChecked());
    EXPECT_EQ(Combo("nextSmk")->currentIndex(), 1);
    EXPECT_FALSE(form->IsModified());
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(SmkEditorTest, FlagsAboveBitSevenAreReportedButStillShown) {
    Select(1);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Flag > 7 found, please report: 261");
    EXPECT_EQ(dialogs.Messages[0].Title, "Tarrox II");
    EXPECT_TRUE(Check("smkFlag0")->isChecked());
    EXPECT_FALSE(Check("smkFlag1")->isChecked());
    EXPECT_TRUE(Check("smkFlag2")->isChecked());
    // Editing a flag keeps the bits that have no box.
    Check("smkFlag1")->setChecked(true);
    EXPECT_EQ(Shown().Flags, 263);

    Select(2); // -1 is all bits, but not above 255 as a signed number
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    for (int i = 0; i < SmkFlagCount; ++i)
        EXPECT_TRUE(Check(QString("smkFlag%1").arg(i))->isChecked());
}

TEST_F(SmkEditorTest, AFileNameWithAPathUpdatesTheListAndBothPickers) {
    Select(1);
    Box("smkFileName")->setText("glue\\title\\new.smk");
    EXPECT_EQ(doc->StringTable[Shown().FileName], "glue\\title\\new.smk");
    EXPECT_EQ(List("smkList")->item(1)->text(), "1 - new.smk");
    EXPECT_EQ(Combo("objectSmk")->itemText(1), "1 - new.smk");
    EXPECT_EQ(Combo("nextSmk")->itemText(1), "1 - new.smk");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
}

TEST_F(SmkEditorTest, LettersInOverlayXStoreTheNameButNoCoordinate) {
    Select(0);
    Box("smkOverlayY")->setText("9");
    EXPECT_EQ(Shown().OverlayY, 9);
    Box("smkOverlayX")->setText("x");
    Box("smkFileName")->setText("z.smk");
    Box("smkOverlayY")->setText("11");
    EXPECT_EQ(doc->StringTable[Shown().FileName], "z.smk");
    EXPECT_EQ(Shown().OverlayX, 7);
    EXPECT_EQ(Shown().OverlayY, 9);
    EXPECT_EQ(List("smkList")->item(0)->text(), "0 - a.smk");
}

TEST_F(SmkEditorTest, NextLinkAndViewSmkFollowTheChain) {
    Select(0);
    Find<QPushButton>("viewNextSmk")->click();
    EXPECT_EQ(form->Selected().Smk, 1);
    EXPECT_EQ(List("smkList")->currentRow(), 1);
    EXPECT_EQ(Box("smkFileName")->text(), "b.smk");

    Select(2);
    Combo("nextSmk")->setCurrentIndex(-1);
    Check("usesNextSmk")->setChecked(true);
    EXPECT_EQ(Shown().Next, -1); // ticked without a picked SMK
    Combo("nextSmk")->setCurrentIndex(2);
    EXPECT_EQ(Shown().Next, 2); // an SMK may name itself
    Check("usesNextSmk")->setChecked(false);
    EXPECT_EQ(Shown().Next, -1);
}

} // namespace
} // namespace tarrox::test
