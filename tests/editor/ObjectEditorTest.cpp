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
    {"objectTextY", &DialogObject::TextY}};

TEST_F(ObjectEditorTest, EachControlShowsAndStoresItsOwnFieldAndOnlyEditsMarkTheTitle) {
    const int count = int(std::size(NumberBoxes));
    for (int i = 0; i < count; ++i) doc->ObjectTable[1].*NumberBoxes[i].second = int16_t(-1 - i);
    doc->ObjectTable[1].Flags = 0x18;
    List("objectList")->setCurrentRow(1);
    for (int i = 0; i < count; ++i) EXPECT_EQ(Box(NumberBoxes[i].first)->text().toInt(), -1 - i);
    EXPECT_EQ(Box("objectText")->text(), "<3>Go");
    EXPECT_EQ(Combo("controlType")->currentIndex(), 2);
    EXPECT_TRUE(Check("objectFlag3")->isChecked() && !Check("objectFlag5")->isChecked());
    EXPECT_EQ(Combo("objectSmk")->currentIndex(), 0);
    EXPECT_FALSE(form->IsModified());
    for (int i = 0; i < count; ++i) Box(NumberBoxes[i].first)->setText(QString::number(100 + i));
    for (int i = 0; i < count; ++i) EXPECT_EQ(Shown().*NumberBoxes[i].second, 100 + i) << i;
    Box("objectText")->setText("<1>Quit<62>");
    EXPECT_EQ(doc->StringTable[Shown().Text], std::string("\x01Quit>"));
    EXPECT_EQ(Title(), "Tarrox II - [dialog.bin *]");
    Check("objectFlag31")->setChecked(true);
    EXPECT_EQ(uint32_t(Shown().Flags), 0x80000018u);
    Combo("controlType")->setCurrentIndex(5);
    EXPECT_EQ(List("objectList")->item(1)->text(), "1 - Image");
    // A box that does not convert stores nothing from there on; a later valid edit stores all.
    Box("objectControlId")->setText("40000");
    Box("objectTextX")->setText("99");
    EXPECT_EQ(Shown().TextX, 113);
    Box("objectControlId")->setText("-2");
    EXPECT_EQ(Shown().TextX, 99);
    List("objectList")->setCurrentRow(0); // object 0's link field is no SMK link
    EXPECT_FALSE(Check("usesSmk")->isEnabled() || Check("usesSmk")->isChecked());
}

TEST_F(ObjectEditorTest, AutoCalcDerivesSizesFromEdgesOnlyWhenOn) {
    List("objectList")->setCurrentRow(1);
    Box("objectRight")->setText("19");
    EXPECT_EQ(Box("objectWidth")->text(), "0");
    Trigger("optionsAutoCalc");
    Box("objectLeft")->setText("10");
    EXPECT_EQ(Shown().Width, 10);
    Box("objectResponseBottom")->setText("20");
    Box("objectResponseRight")->setText("4");
    EXPECT_EQ(Shown().ResponseWidth * 100 + Shown().ResponseHeight, 521);
    Box("objectWidth")->setText("3"); // a size never moves an edge
    EXPECT_EQ(Box("objectRight")->text(), "19");
    Trigger("optionsAutoCalc");
    EXPECT_FALSE(settings.AutoCalc);
}

TEST_F(ObjectEditorTest, TheSmkPickerLinksOnlyWhileTickedAndViewShowsTheSmk) {
    List("objectList")->setCurrentRow(2);
    Check("usesSmk")->setChecked(true);
    EXPECT_EQ(Shown().SmkLink, -1); // a tick without a picked SMK links nothing
    Combo("objectSmk")->setCurrentIndex(2);
    EXPECT_EQ(Shown().SmkLink, 2);
    Find<QPushButton>("viewObjectSmk")->click();
    EXPECT_EQ(Box("smkFileName")->text(), "c.smk");
    Check("usesSmk")->setChecked(false);
    Combo("objectSmk")->setCurrentIndex(1);
    EXPECT_EQ(Shown().SmkLink, -1);
}

// Right-clicking opens the popup without choosing; a list gaining the focus makes its first
// entry current, which must not choose a record nor report an SMK's odd flags.
TEST_F(ObjectEditorTest, ARightClickOrTheFocusChoosesNothing) {
    doc->SmkTable[0].Flags = 300;
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (const char* name : {"objectList", "smkList"}) List(name)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(std::pair(form->Selected().Object, form->Selected().Smk), std::pair(-1, -1));
    auto* list = List("objectList");
    const QPoint row2 = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, row2);
    EXPECT_EQ(form->Selected().Object, -1);
    Find<QMenu>("PopupObjects")->close();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row2);
    EXPECT_EQ(form->Selected().Object, 2);
    EXPECT_TRUE(dialogs.Messages.empty());
}

} // namespace
} // namespace tarrox::test
