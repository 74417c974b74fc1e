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
        StartWith(MakeDocument({{0, "Main"}, {2, "\x03Go", 0}, {5, "pic.pcx"}},
                               {{"a.smk", 1}, {"b.smk", 2}, {"c.smk"}}));
    }
    void Select(int row) { List("objectList")->setCurrentRow(row); }
    DialogObject& Shown() { return doc->ObjectTable[form->Selected().Object]; }
};

const std::pair<const char*, int16_t DialogObject::*> NumberBoxes[] = {
    {"objectLeft", &DialogObject::Left},
    {"objectTop", &DialogObject::Top},
    {"objectRight", &DialogObject::Right},
    {"objectBottom", &DialogObject::Bottom},
    {"objectWidth", &DialogObject::Width},
    {"objectHeight", &DialogObject::Height},
    {"objectControlId", &DialogObject::ControlId},
    {"objectResponseLeft", &DialogObject::ResponseLeft},
    {"objectResponseTop", &DialogObject::ResponseTop},
    {"objectResponseRight", &DialogObject::ResponseRight},
    {"objectResponseBottom", &DialogObject::ResponseBottom},
    {"objectResponseWidth", &DialogObject::ResponseWidth},
    {"objectResponseHeight", &DialogObject::ResponseHeight},
    {"objectTextX", &DialogObject::TextX},
    {"objectTextY", &DialogObject::TextY},
};

TEST_F(ObjectEditorTest, EachBoxShowsAndStoresItsOwnFieldAndOnlyEditsMarkTheTitle) {
    int16_t n = 0;
    for (const auto& [name, field] : NumberBoxes) doc->ObjectTable[1].*field = --n;
    doc->ObjectTable[1].Flags = 0x18;
    Select(1);
    n = 0;
    for (const auto& [name, field] : NumberBoxes) EXPECT_EQ(Box(name)->text().toInt(), --n) << name;
    EXPECT_EQ(Box("objectText")->text(), "<3>Go");
    EXPECT_EQ(Combo("controlType")->currentIndex(), 2);
    EXPECT_TRUE(Check("objectFlag3")->isChecked() && Check("objectFlag4")->isChecked());
    EXPECT_FALSE(Check("objectFlag5")->isChecked());
    EXPECT_TRUE(Check("usesSmk")->isChecked());
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), 0);
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin]");
    n = 0;
    for (const auto& [name, field] : NumberBoxes) Box(name)->setText(QString::number(++n + 100));
    n = 0;
    for (const auto& [name, field] : NumberBoxes) EXPECT_EQ(Shown().*field, ++n + 100) << name;
    Box("objectText")->setText("<1>Quit<62>");
    EXPECT_EQ(doc->StringTable[Shown().Text], std::string("\x01Quit>"));
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    // Object 0's link field is no SMK link.
    Select(0);
    EXPECT_FALSE(Check("usesSmk")->isEnabled());
    EXPECT_FALSE(Check("usesSmk")->isChecked());
}

TEST_F(ObjectEditorTest, ABoxThatDoesNotConvertStopsTheEditThere) {
    doc->ObjectTable[1].Left = 10;
    Select(1);
    auto* left = Box("objectLeft");
    left->clear();
    QTest::keyClicks(left, "-");
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    EXPECT_EQ(Shown().Left, 10); // a minus alone is no number yet
    QTest::keyClicks(left, "5");
    EXPECT_EQ(Shown().Left, -5);
    Box("objectControlId")->setText("40000"); // boxes before it are stored, after it not
    Box("objectTextX")->setText("99");
    EXPECT_EQ(Shown().TextX, 0);
    Box("objectControlId")->setText("-2");
    EXPECT_EQ(Shown().TextX, 99); // a later valid edit stores all sixteen
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(ObjectEditorTest, AutoCalcDerivesSizesFromEdgesOnlyWhenOn) {
    Select(1);
    Box("objectRight")->setText("19");
    EXPECT_EQ(Box("objectWidth")->text(), "0");
    Trigger("optionsAutoCalc");
    EXPECT_TRUE(settings.AutoCalc);
    Box("objectLeft")->setText("10");
    EXPECT_EQ(Shown().Width, 10);
    Box("objectResponseBottom")->setText("20");
    EXPECT_EQ(Box("objectResponseHeight")->text(), "21"); // top 0 .. bottom 20
    Box("objectWidth")->setText("3");                     // a size never moves an edge
    EXPECT_EQ(Box("objectRight")->text(), "19");
    Box("objectRight")->setText("abc");
    EXPECT_EQ(Box("objectWidth")->text(), "3");
    Trigger("optionsAutoCalc");
    EXPECT_FALSE(settings.AutoCalc);
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

    Combo("objectSmk")->setCurrentIndex(-1);
    Check("usesSmk")->setChecked(true);
    EXPECT_EQ(Shown().SmkLink, -1); // a tick without a picked SMK links nothing
    Combo("objectSmk")->setCurrentIndex(2);
    EXPECT_EQ(Shown().SmkLink, 2);
    Find<QPushButton>("viewObjectSmk")->click();
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
    auto* list = List("objectList"); // the entry made current is still chosen by a click
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(form->Selected().Object, 0);
}

} // namespace
} // namespace tarrox::test
