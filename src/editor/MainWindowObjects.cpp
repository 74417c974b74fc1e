// The object editor: the object list and the boxes that show and edit the chosen object.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "document/FormattingCodes.h"
#include "document/NumberText.h"
#include "editor/MainWindow.h"
#include "editor/Settings.h"

namespace tarrox {

namespace {

// The numeric field each object box edits; the text box edits a string instead.
constexpr EnumArray<int16_t DialogObject::*, ObjectBox> ObjectFields{{{
    &DialogObject::Left,
    &DialogObject::Top,
    &DialogObject::Right,
    &DialogObject::Bottom,
    &DialogObject::Width,
    &DialogObject::Height,
    nullptr,
    &DialogObject::ControlId,
    &DialogObject::ResponseLeft,
    &DialogObject::ResponseTop,
    &DialogObject::ResponseRight,
    &DialogObject::ResponseBottom,
    &DialogObject::ResponseWidth,
    &DialogObject::ResponseHeight,
    &DialogObject::TextX,
    &DialogObject::TextY,
}}};

// Width and height follow the edges: the edge boxes of the appearance and the response area,
// each with the opposite edge and the size it gives.
struct EdgePair {
    ObjectBox Low, High, Size;
};
constexpr std::array<EdgePair, 4> EdgePairs{{
    {ObjectBox::Left, ObjectBox::Right, ObjectBox::Width},
    {ObjectBox::Top, ObjectBox::Bottom, ObjectBox::Height},
    {ObjectBox::ResponseLeft, ObjectBox::ResponseRight, ObjectBox::ResponseWidth},
    {ObjectBox::ResponseTop, ObjectBox::ResponseBottom, ObjectBox::ResponseHeight},
}};

} // namespace

bool MainWindow::ObjectEditable() const {
    return objectShown_ && selected_.Object >= 0 && selected_.Object < doc_.ObjectCount;
}

void MainWindow::ClearObjectEditor() {
    objectShown_ = false;
    selected_.Object = -1;
    for (QLineEdit* box : objectBoxes_) box->clear();
    controlType_->setCurrentIndex(-1);
    for (QCheckBox* box : objectFlags_) box->setChecked(false);
    usesSmk_->setChecked(false);
    objectSmk_->setCurrentIndex(-1);
}

void MainWindow::ObjectSelected() {
    int row = SelectedRow(objectList_);
    if (row < 0 || row >= doc_.ObjectCount) return;
    objectShown_ = false;
    selected_.Object = row;
    DialogObject& o = doc_.ObjectTable[row];
    for (size_t i = 0; i < objectBoxes_.size(); ++i) {
        if (ObjectFields[i]) objectBoxes_[i]->setText(QString::number(o.*ObjectFields[i]));
    }
    objectBoxes_[ObjectBox::Text]->setText(Latin1(TextToCodes(doc_.StringTable[o.Text])));
    controlType_->setCurrentIndex(
        o.ControlType >= 0 && o.ControlType < ControlTypeCount ? o.ControlType : -1);
    for (int i = 0; i < ObjectFlagCount; ++i)
        objectFlags_[i]->setChecked((uint32_t(o.Flags) >> i) & 1u);
    if (o.SmkLink < 0) {
        usesSmk_->setChecked(false);
    } else {
        usesSmk_->setChecked(true);
        objectSmk_->setCurrentIndex(o.SmkLink);
    }
    // Object 0's link field holds the first child's offset on disk.
    usesSmk_->setEnabled(row != 0);
    RedrawPreview(true);
    objectShown_ = true;
}

void MainWindow::ObjectBoxEdited(ObjectBox edited) {
    if (!ObjectEditable()) return;
    SetTitle(true);
    // The derived size box's own change runs this handler again, and a size derives nothing.
    if (settings_.AutoCalc) {
        for (const EdgePair& pair : EdgePairs) {
            if (edited != pair.Low && edited != pair.High) continue;
            auto number = [this](ObjectBox box) {
                return ParseRoundedDecimal(objectBoxes_[box]->text().toStdString(), INT32_MIN / 2,
                                           INT32_MAX / 2);
            };
            auto low = number(pair.Low), high = number(pair.High);
            if (low && high) objectBoxes_[pair.Size]->setText(QString::number(*high - *low + 1));
        }
    }
    DialogObject& o = doc_.ObjectTable[selected_.Object];
    for (size_t i = 0; i < objectBoxes_.size(); ++i) {
        if (!ObjectFields[i]) {
            doc_.StringTable[o.Text] =
                CodesToText(objectBoxes_[i]->text().toLatin1().toStdString());
            continue;
        }
        auto value = ParseInt16(objectBoxes_[i]->text().toStdString());
        if (!value) return; // half-typed numbers are normal; the next keystroke stores all
        o.*ObjectFields[i] = *value;
    }
    objectList_->item(selected_.Object)->setText(ObjectListEntry(selected_.Object));
    RedrawPreview(false);
}

void MainWindow::ControlTypeChosen() {
    if (!ObjectEditable() || controlType_->currentIndex() < 0) return;
    SetTitle(true);
    doc_.ObjectTable[selected_.Object].ControlType = controlType_->currentIndex();
    objectList_->item(selected_.Object)->setText(ObjectListEntry(selected_.Object));
}

void MainWindow::UsesSmkToggled() {
    if (ObjectEditable())
        StoreLink(doc_.ObjectTable[selected_.Object].SmkLink, usesSmk_, objectSmk_);
}

void MainWindow::ObjectSmkChosen() {
    if (ObjectEditable() && usesSmk_->isChecked())
        StoreLink(doc_.ObjectTable[selected_.Object].SmkLink, usesSmk_, objectSmk_);
}

void MainWindow::ObjectFlagToggled(int bit) {
    if (!ObjectEditable()) return;
    int32_t& flags = doc_.ObjectTable[selected_.Object].Flags;
    flags = int32_t(FlagsFromBox(uint32_t(flags), bit, objectFlags_[bit]));
}

void MainWindow::StoreLink(int32_t& link, const QCheckBox* uses, const QComboBox* picker) {
    SetTitle(true);
    link = uses->isChecked() ? picker->currentIndex() : -1;
    RefreshSmkEntries();
}

// Set from the box rather than inverted, so box and bit cannot drift apart.
uint32_t MainWindow::FlagsFromBox(uint32_t flags, int bit, const QCheckBox* box) {
    SetTitle(true);
    const uint32_t mask = 1u << bit;
    return box->isChecked() ? flags | mask : flags & ~mask;
}

void MainWindow::ViewObjectSmk() {
    ShowSmk(objectSmk_->currentIndex());
}

} // namespace tarrox
