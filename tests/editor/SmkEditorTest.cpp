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
        d.SmkTable[0].OverlayY = 8;
        d.SmkTable[0].Flags = 255; // every box, nothing above them
        d.SmkTable[1].Flags = 261;
        d.SmkTable[2].Flags = -1;
        StartWith(d);
    }
    void Select(int row) { List("smkList")->setCurrentRow(row); }
    const SmkEntry& Shown() { return doc->SmkTable[form->Selected().Smk]; }
};

TEST_F(SmkEditorTest, SelectingFillsTheControlsAndEditsUpdateTheListAndBothPickers) {
    const std::vector<std::string> names = {"0 - a.smk", "1 - b.smk", "2 - c.smk"};
    EXPECT_EQ(Entries(List("smkList")), names);
    EXPECT_EQ(Entries(Combo("objectSmk")), names);
    EXPECT_EQ(Entries(Combo("nextSmk")), names);
    Select(0);
    EXPECT_EQ(Box("smkFileName")->text(), "glue\\a.smk");
    EXPECT_EQ(Box("smkOverlayX")->text(), "7");
    EXPECT_EQ(Box("smkOverlayY")->text(), "8");
    EXPECT_TRUE(Check("usesNextSmk")->isChecked());
    EXPECT_EQ(Combo("nextSmk")->currentIndex(), 1);
    EXPECT_FALSE(form->IsModified());
    EXPECT_TRUE(dialogs.Messages.empty());

    Box("smkOverlayY")->setText("9");
    EXPECT_EQ(Shown().OverlayY, 9);
    Box("smkFileName")->setText("glue\\title\\new.smk");
    EXPECT_EQ(doc->StringTable[Shown().FileName], "glue\\title\\new.smk");
    for (const char* picker : {"objectSmk", "nextSmk"})
        EXPECT_EQ(Combo(picker)->itemText(0), "0 - new.smk");
    EXPECT_EQ(List("smkList")->item(0)->text(), "0 - new.smk");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    // Letters in a coordinate store nothing from that box on.
    Box("smkOverlayX")->setText("x");
    Box("smkOverlayY")->setText("11");
    EXPECT_EQ(Shown().OverlayX, 7);
    EXPECT_EQ(Shown().OverlayY, 9);
}

TEST_F(SmkEditorTest, FlagsAboveBitSevenAreReportedButStillShown) {
    Select(1);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Flag > 7 found, please report: 261");
    EXPECT_EQ(dialogs.Messages[0].Title, "Tarrox II");
    EXPECT_TRUE(Check("smkFlag2")->isChecked());
    EXPECT_FALSE(Check("smkFlag1")->isChecked());
    Check("smkFlag1")->setChecked(true); // the bits without a box stay
    EXPECT_EQ(Shown().Flags, 263);
    Select(2); // -1 is all bits, but not above 255 as a signed number
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    for (int i = 0; i < SmkFlagCount; ++i)
        EXPECT_TRUE(Check(QString("smkFlag%1").arg(i))->isChecked());
}

TEST_F(SmkEditorTest, NextLinkAndViewSmkFollowTheChain) {
    Select(0);
    Find<QPushButton>("viewNextSmk")->click();
    EXPECT_EQ(form->Selected().Smk, 1);
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
