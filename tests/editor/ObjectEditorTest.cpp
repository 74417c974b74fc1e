#include <QMenu>
#include <QTest>

#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

class ObjectEditorTest : public EditorTest {
  protected:
    // Dialog, a button with a chain of three SMKs, an image without SMK.
    void SetUp() override {
        EditorTest::SetUp();
        DialogDocument d = MakeDocument({{0, "Main"}, {2, "\x03Go", 0}, {5, "pic.pcx"}},
                                        {{"a.smk", 1}, {"b.smk", 2}, {"c.smk"}});
        d.ObjectTable[1].Left = 10;
        d.ObjectTable[1].Right = 19;
        d.ObjectTable[1].Width = 7;
        d.ObjectTable[1].Flags = 0x18;
        d.ObjectTable[1].ResponseLeft = -3;
        StartWith(d);
        ASSERT_EQ(doc->SmkCount, 3);
    }
    void Select(int row) { List("objectList")->setCurrentRow(row); }
    const DialogObject& Shown() { return doc->ObjectTable[form->Selected().Object]; }
};

TEST_F(ObjectEditorTest, SelectingFillsEveryControlWithoutMarkingTheTitle) {
    Select(1);
    EXPECT_EQ(form->Selected().Object, 1);
    EXPECT_EQ(Box("objectLeft")->text(), "10");
    EXPECT_EQ(Box("objectRight")->text(), "19");
    EXPECT_EQ(Box("objectWidth")->text(), "7");
    EXPECT_EQ(Box("objectText")->text(), "<3>Go");
    EXPECT_EQ(Box("objectResponseLeft")->text(), "-3");
    EXPECT_EQ(Combo("controlType")->currentIndex(), 2);
    EXPECT_TRUE(Check("objectFlag3")->isChecked());
    EXPECT_TRUE(Check("objectFlag4")->isChecked());
    EXPECT_FALSE(Check("objectFlag5")->isChecked());
    EXPECT_TRUE(Check("usesSmk")->isChecked());
    EXPECT_TRUE(Check("usesSmk")->isEnabled());
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), 0);
    Select(0);
    EXPECT_FALSE(Check("usesSmk")->isEnabled());
    EXPECT_FALSE(Check("usesSmk")->isChecked());
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin]");
    EXPECT_FALSE(form->IsModified());
}

TEST_F(ObjectEditorTest, TypingStoresEveryBoxAndMarksTheTitle) {
    Select(1);
    auto* left = Box("objectLeft");
    left->clear();
    QTest::keyClicks(left, "-");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    EXPECT_EQ(Shown().Left, 10); // a minus alone is no number yet
    QTest::keyClicks(left, "5");
    EXPECT_EQ(Shown().Left, -5);
    EXPECT_EQ(Shown().Width, 7);

    Box("objectText")->setText("<1>Quit<62>");
    EXPECT_EQ(doc->StringTable[Shown().Text], std::string("\x01Quit>"));
    Box("objectTextY")->setText("12.5");
    EXPECT_EQ(Shown().TextY, 12);
    Box("objectTextY")->setText("13.5");
    EXPECT_EQ(Shown().TextY, 14);
}

TEST_F(ObjectEditorTest, ABoxThatDoesNotConvertStopsTheEditThere) {
    Select(1);
    Box("objectControlId")->setText("40000"); // boxes 0..6 are stored, 7 and after are not
    Box("objectTextX")->setText("99");
    EXPECT_EQ(Shown().TextX, 0);
    Box("objectControlId")->setText("-2");
    EXPECT_EQ(Shown().ControlId, -2);
    EXPECT_EQ(Shown().TextX, 99); // a later valid edit stores all sixteen
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ObjectEditorTest, AutoCalcDerivesSizesFromEdgesOnlyWhenOn) {
    Select(1);
    Box("objectLeft")->setText("11");
    EXPECT_EQ(Box("objectWidth")->text(), "7");
    Trigger("optionsAutoCalc");
    EXPECT_TRUE(settings.AutoCalc);
    Box("objectLeft")->setText("10");
    EXPECT_EQ(Box("objectWidth")->text(), "10");
    EXPECT_EQ(Shown().Width, 10);
    Box("objectResponseBottom")->setText("20");
    EXPECT_EQ(Box("objectResponseHeight")->text(), "21"); // top 0 .. bottom 20
    Box("objectWidth")->setText("3");                     // a size never moves an edge
    EXPECT_EQ(Box("objectRight")->text(), "19");
    // Letters in Right leave Width alone and store nothing from Right on.
    Box("objectRight")->setText("abc");
    EXPECT_EQ(Box("objectWidth")->text(), "3");
    EXPECT_EQ(Shown().Right, 19);
    Trigger("optionsAutoCalc");
    EXPECT_FALSE(settings.AutoCalc);
    EXPECT_FALSE(Find<QAction>("optionsAutoCalc")->isChecked());
}

TEST_F(ObjectEditorTest, FlagsTypeAndSmkPickerWriteThrough) {
    Select(2);
    Check("objectFlag31")->setChecked(true);
    EXPECT_EQ(uint32_t(Shown().Flags), 0x80000000u);
    Check("objectFlag31")->setChecked(false);
    EXPECT_EQ(Shown().Flags, 0);
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");

    Combo("controlType")->setCurrentIndex(2);
    EXPECT_EQ(Shown().ControlType, 2);
    EXPECT_EQ(List("objectList")->item(2)->text(), "2 - Button");

    // A tick without a picked SMK links nothing.
    Combo("objectSmk")->setCurrentIndex(-1);
    Check("usesSmk")->setChecked(true);
    EXPECT_EQ(Shown().SmkLink, -1);
    Combo("objectSmk")->setCurrentIndex(2);
    EXPECT_EQ(Shown().SmkLink, 2);
    // View SMK shows the picked SMK.
    Find<QPushButton>("viewObjectSmk")->click();
    EXPECT_EQ(form->Selected().Smk, 2);
    EXPECT_EQ(List("smkList")->currentRow(), 2);
    EXPECT_EQ(Box("smkFileName")->text(), "c.smk");
    Check("usesSmk")->setChecked(false);
    EXPECT_EQ(Shown().SmkLink, -1);
    Combo("objectSmk")->setCurrentIndex(1); // ignored while unticked
    EXPECT_EQ(Shown().SmkLink, -1);
}

TEST_F(ObjectEditorTest, ARightClickOpensThePopupWithoutMovingTheSelection) {
    form->show();
    Select(1);
    auto* list = List("objectList");
    QRect row2 = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, row2.center());
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(form->Selected().Object, 1);
    auto* popup = Find<QMenu>("PopupObjects");
    EXPECT_TRUE(popup->isVisible());
    popup->close();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2.center());
    EXPECT_EQ(form->Selected().Object, 2);
}

// A list gaining the focus makes its first entry current: that must not choose a record, nor
// bring up the message of an SMK's odd flags.
TEST_F(ObjectEditorTest, FocusingAListChoosesNothing) {
    doc->SmkTable[0].Flags = 300;
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (const char* name : {"objectList", "smkList"}) List(name)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form->Selected().Object, -1);
    EXPECT_EQ(form->Selected().Smk, -1);
    EXPECT_TRUE(dialogs.Messages.empty());
    // The entry made current that way is still chosen by a click on it.
    auto* list = List("objectList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(form->Selected().Object, 0);
}

TEST_F(ObjectEditorTest, EditsReachTheSavedFile) {
    Select(1);
    Box("objectTop")->setText("42");
    Combo("controlType")->setCurrentIndex(14);
    Check("objectFlag0")->setChecked(true);
    Trigger("fileSave");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin]");
    EXPECT_TRUE(dialogs.Messages.empty());
    DialogDocument saved = Reload(form->File().Path);
    EXPECT_EQ(saved.ObjectTable[1].Top, 42);
    EXPECT_EQ(saved.ObjectTable[1].ControlType, 14);
    EXPECT_EQ(saved.ObjectTable[1].Flags, 0x19);
    EXPECT_EQ(saved.StringTable[saved.ObjectTable[1].Text], "\x03Go");
}

} // namespace
} // namespace tarrox::test
