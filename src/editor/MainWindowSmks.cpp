// The SMK editor: the SMK list and the boxes that show and edit the chosen SMK.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "document/FormattingCodes.h"
#include "editor/MainWindow.h"
#include "editor/RecordBoxes.h"

namespace tarrox {

namespace {
// The eight bits the flag boxes show.
constexpr int16_t MaxSmkFlags = (1 << SmkFlagCount) - 1;

// The numeric field each SMK box edits; the file name box edits a string instead.
constexpr EnumArray<int16_t SmkEntry::*, SmkBox> SmkFields{
    {{nullptr, &SmkEntry::OverlayX, &SmkEntry::OverlayY}}};
constexpr EnumArray<const char*, SmkBox> SmkBoxNames{{{"File Name", "Overlay X", "Overlay Y"}}};

std::string SmkName(int32_t index) {
    return "SMK " + std::to_string(index);
}
} // namespace

bool MainWindow::SmkEditable() const {
    return smkShown_ && selected_.Smk >= 0 && selected_.Smk < doc_.SmkCount;
}

void MainWindow::ClearSmkEditor() {
    smkShown_ = false;
    selected_.Smk = -1;
    for (QLineEdit* box : smkBoxes_) box->clear();
    for (QCheckBox* box : smkFlags_) box->setChecked(false);
    usesNextSmk_->setChecked(false);
    nextSmk_->setCurrentIndex(-1);
}

void MainWindow::SmkSelected() {
    int row = SelectedRow(smkList_);
    if (row < 0 || row >= doc_.SmkCount) return;
    history_.CloseMerging();
    smkShown_ = false;
    selected_.Smk = row;
    const SmkEntry& e = doc_.SmkTable[row];
    for (size_t i = 0; i < smkBoxes_.size(); ++i) {
        if (SmkFields[i]) smkBoxes_[i]->setText(QString::number(e.*SmkFields[i]));
    }
    smkBoxes_[SmkBox::FileName]->setText(Latin1(TextToCodes(doc_.StringTable[e.FileName])));
    for (int i = 0; i < SmkFlagCount; ++i) smkFlags_[i]->setChecked((uint16_t(e.Flags) >> i) & 1u);
    if (e.Flags > MaxSmkFlags) Message("Flag > 7 found, please report: " + std::to_string(e.Flags));
    if (e.Next < 0) {
        usesNextSmk_->setChecked(false);
    } else {
        usesNextSmk_->setChecked(true);
        nextSmk_->setCurrentIndex(e.Next);
    }
    smkShown_ = true;
}

void MainWindow::SmkBoxEdited(SmkBox edited) {
    if (!SmkEditable()) return;
    const int32_t index = selected_.Smk;
    SmkEntry after = doc_.SmkTable[index];
    std::optional<std::string> fileName;
    const bool complete = ReadRecordBoxes(smkBoxes_, SmkFields, after, fileName);
    Commit(ReplaceSmk(index, after, std::move(fileName)),
           std::string("Edit ") + SmkBoxNames[edited] + " of " + SmkName(index), typingKey_, true);
    if (!complete) return;
    QString entry = SmkListEntry(index, UnusedSmks());
    smkList_->item(index)->setText(entry);
    objectSmk_->setItemText(index, entry);
    nextSmk_->setItemText(index, entry);
}

void MainWindow::SmkFlagToggled(int bit) {
    if (!SmkEditable()) return;
    const int32_t index = selected_.Smk;
    SmkEntry after = doc_.SmkTable[index];
    after.Flags = int16_t(FlagsFromBox(uint16_t(after.Flags), bit, smkFlags_[bit]));
    Commit(ReplaceSmk(index, after),
           FlagStepName(SmkFlagInfo[bit].Caption, smkFlags_[bit]->isChecked(), SmkName(index)));
}

void MainWindow::UsesNextSmkToggled() {
    if (!SmkEditable()) return;
    const int32_t index = selected_.Smk;
    SmkEntry after = doc_.SmkTable[index];
    after.Next = LinkFromBoxes(usesNextSmk_, nextSmk_);
    Commit(ReplaceSmk(index, after), "Change Next SMK of " + SmkName(index));
    RefreshSmkEntries();
}

void MainWindow::NextSmkChosen() {
    if (usesNextSmk_->isChecked()) UsesNextSmkToggled();
}

void MainWindow::ViewNextSmk() {
    ShowSmk(nextSmk_->currentIndex());
}

// With no SMK picked the editor keeps what it shows. Showing the SMK must run even when the
// list already has it selected.
void MainWindow::ShowSmk(int row) {
    if (row < 0) return;
    if (SelectedRow(smkList_) == row)
        SmkSelected();
    else
        smkList_->setCurrentRow(row);
}

} // namespace tarrox
