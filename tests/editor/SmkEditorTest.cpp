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
        d.SmkTable[0].Flags = 255; // every box, nothing above them
        d.SmkTable[1].Flags = 261;
        d.SmkTable[2].Flags = -1; // all bits, but not above 255 as a signed number
        StartWith(d);
    }
    void Select(int row) { List("smkList")->setCurrentRow(row); }
    const SmkEntry& Shown() { return doc->SmkTable[form->Selected().Smk]; }
};

TEST_F(SmkEditorTest, EditsUpdateTheListAndBothPickers) {
    Select(0);
    EXPECT_EQ(std::pair(Box("smkFileName")->text(), Box("smkOverlayX")->text()),
              std::pair(QString("glue\\a.smk"), QString("7")));
    EXPECT_EQ(Combo("nextSmk")->currentIndex(), 1);
    Box("smkOverlayY")->setText("9");
    Box("smkFileName")->setText("glue\\title\\new.smk");
    EXPECT_EQ(doc->StringTable[Shown().FileName], "glue\\title\\new.smk");
    const Names names = {"0 - new.smk", "1 - b.smk", "2 - c.smk"};
    EXPECT_EQ(Entries(List("smkList")), names);
    EXPECT_EQ(Entries(Combo("objectSmk")), names);
    EXPECT_EQ(Entries(Combo("nextSmk")), names);
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    Box("smkOverlayX")->setText("x"); // letters store nothing from that box on
    Box("smkOverlayY")->setText("11");
    EXPECT_EQ(Shown().OverlayX * 100 + Shown().OverlayY, 709);
    // The next link: only while ticked, and an SMK may name itself.
    Select(2);
    Combo("nextSmk")->setCurrentIndex(-1);
    Check("usesNextSmk")->setChecked(true);
    EXPECT_EQ(Shown().Next, -1);
    Combo("nextSmk")->setCurrentIndex(2);
    EXPECT_EQ(Shown().Next, 2);
    Check("usesNextSmk")->setChecked(false);
    EXPECT_EQ(Shown().Next, -1);
    Select(0);
    Find<QPushButton>("viewNextSmk")->click();
    EXPECT_EQ(Box("smkFileName")->text(), "b.smk");
}

TEST_F(SmkEditorTest, FlagsAboveBitSevenAreReportedButStillShown) {
    Select(1);
    EXPECT_EQ(Messages(), Names{"Flag > 7 found, please report: 261"});
    EXPECT_TRUE(Check("smkFlag2")->isChecked() && !Check("smkFlag1")->isChecked());
    Check("smkFlag1")->setChecked(true); // the bits without a box stay
    EXPECT_EQ(Shown().Flags, 263);
    Select(2);
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    for (int i = 0; i < SmkFlagCount; ++i)
        EXPECT_TRUE(Check(QString("smkFlag%1").arg(i))->isChecked());
}

} // namespace
} // namespace tarrox::test
