// The object and SMK editors, adding and deleting records, undo and redo in the window.
#include <QTest>

#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

class EditorControlsTest : public EditorTest {
  protected:
    // Dialog, a button with a chain of three SMKs, an image without SMK.
    void SetUp() override {
        EditorTest::SetUp();
        DialogDocument d = MakeDocument({{0, "Main"}, {2, "\x03Go", 0}, {5, "pic.pcx"}},
                                        {{"glue\\a.smk", 1}, {"b.smk", 2}, {"c.smk"}});
        d.SmkTable[0].OverlayX = 7;
        d.SmkTable[0].Flags = 255; // every box, nothing above them
        d.SmkTable[1].Flags = 261;
        d.SmkTable[2].Flags = -1; // all bits, but not above 255 as a signed number
        StartWith(d);
        original = Bytes();
    }
    // Types into a box and leaves it, as a user moving on to the next box does.
    void Type(const char* box, const char* typed) {
        QLineEdit* edit = Box(box);
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        emit edit->editingFinished();
    }
    std::vector<uint8_t> Bytes() { return WriteBinDocument(*doc).value(); }
    std::vector<uint8_t> original;
    DialogObject& Shown() { return doc->ObjectTable[form->Selected().Object]; }
    const SmkEntry& ShownSmk() { return doc->SmkTable[form->Selected().Smk]; }
};

// The number boxes ("object" + name) and the fields they show, in the same order.
const char* BoxNames[] = {"Left",        "Top",           "Right",          "Bottom",
                          "Width",       "Height",        "ControlId",      "ResponseLeft",
                          "ResponseTop", "ResponseRight", "ResponseBottom", "TextLeft",
                          "TextTop",     "TextRight",     "TextBottom"};
using D = DialogObject;
int16_t D::*const Fields[] = {
    &D::Left,           &D::Top,       &D::Right,        &D::Bottom,      &D::Width,
    &D::Height,         &D::ControlId, &D::ResponseLeft, &D::ResponseTop, &D::ResponseRight,
    &D::ResponseBottom, &D::TextLeft,  &D::TextTop,      &D::TextRight,   &D::TextBottom};

TEST_F(EditorControlsTest, EachObjectControlShowsAndStoresItsOwnField) {
    const int count = int(std::size(Fields));
    for (int i = 0; i < count; ++i) doc->ObjectTable[1].*Fields[i] = int16_t(-1 - i);
    doc->ObjectTable[1].Flags = 0x18;
    List("objectList")->setCurrentRow(1);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(Box(QString("object") + BoxNames[i])->text().toInt(), -1 - i);
    EXPECT_TRUE(Check("objectFlag3")->isChecked() && !Check("objectFlag5")->isChecked());
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), 0);
    EXPECT_FALSE(form->IsModified());
    for (int i = 0; i < count; ++i)
        Box(QString("object") + BoxNames[i])->setText(QString::number(100 + i));
    for (int i = 0; i < count; ++i) EXPECT_EQ(Shown().*Fields[i], 100 + i) << i;
    Box("objectText")->setText("<1>Quit<62>");
    EXPECT_EQ(doc->StringTable[Shown().Text], std::string("\x01Quit>"));
    Check("objectFlag31")->setChecked(true);
    EXPECT_EQ(uint32_t(Shown().Flags), 0x80000018u);
    Combo("controlType")->setCurrentIndex(5);
    EXPECT_EQ(List("objectList")->item(1)->text(), "1 - Image");
    // A box that does not convert stores nothing until it does.
    Box("objectControlId")->setText("40000");
    Box("objectTextLeft")->setText("99");
    EXPECT_EQ(Shown().TextLeft, 111);
    Box("objectControlId")->setText("-2");
    EXPECT_EQ(Shown().TextLeft, 99);
    List("objectList")->setCurrentRow(0); // object 0's link field is no SMK link
    EXPECT_FALSE(Check("usesSmk")->isEnabled() || Check("usesSmk")->isChecked());
}

// The text area's right and bottom (bytes 74 and 76) are no sizes: Auto-Calc leaves them.
TEST_F(EditorControlsTest, AutoCalcDerivesWidthAndHeightFromTheEdgesOnlyWhenOn) {
    doc->ObjectTable[1].TextRight = 77, doc->ObjectTable[1].TextBottom = 66;
    List("objectList")->setCurrentRow(1);
    Box("objectRight")->setText("19");
    EXPECT_EQ(Shown().Width, 0); // off: no sizes derived
    Trigger("optionsAutoCalc");
    const char* typed[][2] = {{"Left", "10"},          {"Bottom", "20"},  {"ResponseRight", "4"},
                              {"ResponseBottom", "9"}, {"TextLeft", "3"}, {"TextTop", "2"}};
    for (auto [box, value] : typed) Box(QString("object") + box)->setText(value);
    EXPECT_EQ(
        std::vector<int>({Shown().Width, Shown().Height, Shown().TextRight, Shown().TextBottom}),
        std::vector<int>({10, 21, 77, 66}));
    Box("objectWidth")->setText("3"); // a size never moves an edge
    EXPECT_EQ(Box("objectRight")->text(), "19");
    for (const char* edge : {"Left", "Top", "Right", "Bottom"})
        EXPECT_EQ(Box(QString("objectText") + edge)->parent()->objectName(), "TextArea");
}

TEST_F(EditorControlsTest, SmkEditsUpdateTheListAndBothPickers) {
    List("smkList")->setCurrentRow(0);
    EXPECT_EQ(Box("smkFileName")->text() + Box("smkOverlayX")->text(), "glue\\a.smk7");
    Box("smkOverlayY")->setText("9");
    Box("smkFileName")->setText("glue\\title\\new.smk");
    const Names names = {"0 - new.smk", "1 - b.smk", "2 - c.smk"};
    EXPECT_EQ(Entries(Combo("objectSmk")), names);
    EXPECT_EQ(Entries(Combo("nextSmk")), names);
    Box("smkOverlayX")->setText("x"); // letters store nothing from that box on
    Box("smkOverlayY")->setText("11");
    EXPECT_EQ(ShownSmk().OverlayX * 100 + ShownSmk().OverlayY, 709);
    Find<QPushButton>("viewNextSmk")->click();
    EXPECT_EQ(Messages(), Names{"Flag > 7 found, please report: 261"});
    Check("smkFlag1")->setChecked(true); // the bits without a box stay
    EXPECT_EQ(ShownSmk().Flags, 263);
    // Object and next links: only while ticked, and an SMK may name itself.
    List("objectList")->setCurrentRow(2);
    Check("usesSmk")->setChecked(true);
    EXPECT_EQ(Shown().SmkLink, -1);
    Combo("objectSmk")->setCurrentIndex(2);
    Find<QPushButton>("viewObjectSmk")->click(); // shows c.smk
    Combo("nextSmk")->setCurrentIndex(2);
    Check("usesNextSmk")->setChecked(true);
    Check("usesSmk")->setChecked(false);
    Combo("objectSmk")->setCurrentIndex(1);
    EXPECT_EQ(std::pair(Shown().SmkLink, int(ShownSmk().Next)), std::pair(-1, 2));
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    for (int i = 0; i < SmkFlagCount; ++i)
        EXPECT_TRUE(Check(QString("smkFlag%1").arg(i))->isChecked());
}

TEST_F(EditorControlsTest, TypingIsOneStepPerBoxVisitAndUndoingToTheSavedStateClearsTheMark) {
    List("objectList")->setCurrentRow(1);
    Type("objectLeft", "42");
    Type("objectText", "Run");
    Type("objectLeft", "7");
    Trigger("editUndo");
    EXPECT_EQ(Box("objectLeft")->text(), "42");
    EXPECT_EQ(Find<QAction>("editRedo")->text(), "Redo Edit Left of Object 1");
    Trigger("editUndo");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_FALSE(form->IsModified());
    EXPECT_FALSE(Find<QAction>("editUndo")->isEnabled());
    Trigger("editRedo");
    EXPECT_EQ(doc->ObjectTable[1].Left, 42);
    Trigger("fileSave");
    Type("objectLeft", "2");
    Trigger("editUndo");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin]");
    Trigger("editUndo");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    ASSERT_TRUE(form->OpenBinFile(form->File().Path)); // opening forgets the history
    EXPECT_FALSE(Find<QAction>("editUndo")->isEnabled());
}

TEST_F(EditorControlsTest, AddAndDeleteComeBackWithLinksAndSelection) {
    List("smkList")->setCurrentRow(0);
    dialogs.Answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    Trigger("deleteSmk");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_TRUE(SelectedRow(List("smkList")) == 0 && Check("usesNextSmk")->isChecked());
    List("objectList")->setCurrentRow(1);
    Trigger("deleteObject");
    Trigger("addObject");
    Trigger("editUndo");
    Trigger("editUndo");
    EXPECT_EQ(Bytes(), original);
    EXPECT_TRUE(Box("objectText")->text() == "<3>Go" && Check("usesSmk")->isChecked());
    Trigger("editRedo");
    EXPECT_EQ(form->Selected().Object, -1);
    EXPECT_EQ(Entries(List("objectList")), (Names{"0 - Dialog Box", "1 - Image"}));
    EXPECT_EQ(Entries(List("smkList"))[0], "0 - a.smk (unused)"); // its user is gone
    Box("objectLeft")->setText("77"); // with nothing chosen the controls take no edits
    EXPECT_EQ(doc->ObjectTable[1].Left, 0);
}

using RecordsTest = EditorTest;

// The picker follows its SMK, or shows none when it goes, used (row 1) or left over (row 2).
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
            EXPECT_EQ(Entries(List("smkList")), c.Entries);
            EXPECT_EQ(Entries(Combo("objectSmk")), c.Entries);
            EXPECT_EQ(Combo("objectSmk")->currentIndex(), c.Picked);
            EXPECT_EQ(Check("usesSmk")->isChecked(), row == 1 && c.Picked >= 0);
        }
}

TEST_F(RecordsTest, AddingAppendsEntriesAndShowsTheNewRecordWithoutPickingIt) {
    StartWith(MakeDocument({{0, "d"}, {2, "1"}}));
    Trigger("addObject");
    EXPECT_EQ(SelectedRow(List("objectList")), 2);
    EXPECT_EQ(Box("objectText")->text(), "New");
    // The first SMK lands in empty pickers without being picked; a later one leaves the pick.
    List("objectList")->setCurrentRow(1);
    Check("usesSmk")->setChecked(true);
    Trigger("addSmk");
    EXPECT_EQ(Combo("objectSmk")->currentIndex() + Combo("nextSmk")->currentIndex(), -2);
    Combo("objectSmk")->setCurrentIndex(0);
    Trigger("addSmk");
    EXPECT_EQ(Entries(Combo("objectSmk")), (Names{"0 - New", "1 - New (unused)"}));
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), 0);
    EXPECT_EQ(Box("smkFileName")->text(), "New");
    for (int i = 0; i <= MaxObjects; ++i) Trigger("addObject"); // full tables take no more
    for (int i = 0; i <= MaxSmks; ++i) Trigger("addSmk");
    EXPECT_EQ(List("objectList")->count() * 1000 + List("smkList")->count(),
              MaxObjects * 1000 + MaxSmks);
}

} // namespace
} // namespace tarrox::test
