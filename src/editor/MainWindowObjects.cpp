// The object editor: the object list and the boxes that show and edit the chosen object.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

#include "document/FormattingCodes.h"
#include "document/NumberText.h"
#include "editor/MainWindow.h"
#include "editor/RecordBoxes.h"
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
    &DialogObject::TextLeft,
    &DialogObject::TextTop,
    &DialogObject::TextRight,
    &DialogObject::TextBottom,
}}};

// What an undo step calls each box.
constexpr EnumArray<const char*, ObjectBox> ObjectBoxNames{
    {{"Left", "Top", "Right", "Bottom", "Width", "Height", "Text", "Control ID", "Response Left",
      "Response Top", "Response Right", "Response Bottom", "Text Area Left", "Text Area Top",
      "Text Area Right", "Text Area Bottom"}}};

std::string ObjectName(int32_t index) {
    return "Object " + std::to_string(index);
}

// Width and height follow the edges: each edge box with the opposite edge and the size it
// gives. The response and text areas have no size fields.
struct EdgePair {
    ObjectBox Low, High, Size;
};
constexpr std::array<EdgePair, 2> EdgePairs{{
    {ObjectBox::Left, ObjectBox::Right, ObjectBox::Width},
    {ObjectBox::Top, ObjectBox::Bottom, ObjectBox::Height},
}};

} // namespace

bool MainWindow::ObjectEditable() const {
    return objectShown_ && selected_.Object >= 0 && selected_.Object < doc_.ObjectCount;
}

void MainWindow::ClearObjectEditor() {
    objectShown_ = false;
    selected_.Object = -1;
    selected_.Objects.clear();
    for (QLineEdit* box : objectBoxes_) box->clear();
    controlType_->setCurrentIndex(-1);
    for (QCheckBox* box : objectFlags_) box->setChecked(false);
    usesSmk_->setChecked(false);
    objectSmk_->setCurrentIndex(-1);
}

// Rows picked earlier keep their place at the front; newly picked ones follow in list order.
void MainWindow::ObjectSelected() {
    std::vector<int32_t> rows;
    for (const QListWidgetItem* item : objectList_->selectedItems()) {
        const int row = objectList_->row(item);
        if (row >= 0 && row < doc_.ObjectCount) rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    if (rows.empty()) {
        // Taking the last one off selects the dialog, as Escape does.
        if (!selected_.Objects.empty()) SelectObjects({});
        return;
    }
    std::vector<int32_t> order;
    for (int32_t i : selected_.Objects)
        if (std::binary_search(rows.begin(), rows.end(), i)) order.push_back(i);
    for (int32_t i : rows)
        if (std::find(order.begin(), order.end(), i) == order.end()) order.push_back(i);
    ShowSelection(std::move(order));
}

void MainWindow::ShowObjectFields(int row) {
    objectShown_ = false;
    const DialogObject& o = doc_.ObjectTable[row];
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
    objectShown_ = true;
}

void MainWindow::ObjectBoxEdited(ObjectBox edited) {
    if (!ObjectEditable()) return;
    // The derived size box is set quietly: this handler stores every box anyway.
    if (settings_.AutoCalc) {
        for (const EdgePair& pair : EdgePairs) {
            if (edited != pair.Low && edited != pair.High) continue;
            auto number = [this](ObjectBox box) {
                return ParseRoundedDecimal(objectBoxes_[box]->text().toStdString(), INT32_MIN / 2,
                                           INT32_MAX / 2);
            };
            auto low = number(pair.Low), high = number(pair.High);
            QSignalBlocker quiet(objectBoxes_[pair.Size]);
            if (low && high) objectBoxes_[pair.Size]->setText(QString::number(*high - *low + 1));
        }
    }
    const int32_t index = selected_.Object;
    DialogObject after = doc_.ObjectTable[index];
    std::optional<std::string> text;
    const bool complete = ReadRecordBoxes(objectBoxes_, ObjectFields, after, text);
    Commit(ReplaceObject(index, after, std::move(text)),
           std::string("Edit ") + ObjectBoxNames[edited] + " of " + ObjectName(index), typingKey_,
           true);
    if (!complete) return;
    objectList_->item(index)->setText(ObjectListEntry(index));
    RedrawPreview(false);
}

void MainWindow::ControlTypeChosen() {
    if (!ObjectEditable() || controlType_->currentIndex() < 0) return;
    const int32_t index = selected_.Object;
    DialogObject after = doc_.ObjectTable[index];
    after.ControlType = controlType_->currentIndex();
    Commit(ReplaceObject(index, after), "Change Control Type of " + ObjectName(index));
    objectList_->item(index)->setText(ObjectListEntry(index));
}

void MainWindow::UsesSmkToggled() {
    if (!ObjectEditable()) return;
    const int32_t index = selected_.Object;
    DialogObject after = doc_.ObjectTable[index];
    after.SmkLink = LinkFromBoxes(usesSmk_, objectSmk_);
    Commit(ReplaceObject(index, after), "Change SMK of " + ObjectName(index));
    RefreshSmkEntries();
}

void MainWindow::ObjectSmkChosen() {
    if (usesSmk_->isChecked()) UsesSmkToggled();
}

void MainWindow::ObjectFlagToggled(int bit) {
    if (!ObjectEditable()) return;
    const int32_t index = selected_.Object;
    DialogObject after = doc_.ObjectTable[index];
    after.Flags = int32_t(FlagsFromBox(uint32_t(after.Flags), bit, objectFlags_[bit]));
    Commit(ReplaceObject(index, after),
           FlagStepName(ObjectFlagInfo[bit].Caption, objectFlags_[bit]->isChecked(),
                        ObjectName(index)));
}

int32_t MainWindow::LinkFromBoxes(const QCheckBox* uses, const QComboBox* picker) {
    return uses->isChecked() ? picker->currentIndex() : -1;
}

// Set from the box rather than inverted, so box and bit cannot drift apart.
uint32_t MainWindow::FlagsFromBox(uint32_t flags, int bit, const QCheckBox* box) {
    const uint32_t mask = 1u << bit;
    return box->isChecked() ? flags | mask : flags & ~mask;
}

std::string MainWindow::FlagStepName(const char* caption, bool set, const std::string& record) {
    return std::string(set ? "Set " : "Clear ") + caption + " of " + record;
}

void MainWindow::ViewObjectSmk() {
    ShowSmk(objectSmk_->currentIndex());
}

} // namespace tarrox
