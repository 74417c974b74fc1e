// The SMK editor: List2 and the controls that show and edit SmkTable(SelSmk).
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "document/FormattingCodes.h"
#include "document/NumberText.h"
#include "editor/Form1.h"

namespace tarrox {

bool Form1::SmkEditable() const {
    return SmkLoaded && doc_.SelSmk >= 0 && doc_.SelSmk < doc_.SmkCount;
}

void Form1::ClearSmkEditor() {
    SmkLoaded = false;
    doc_.SelSmk = -1;
    for (QLineEdit* box : smk) box->clear();
    for (QCheckBox* box : smkFlag) box->setChecked(false);
    Check2->setChecked(false);
    Combo3->setCurrentIndex(-1);
}

void Form1::List2_Click() {
    int row = SelectedRow(List2);
    if (row < 0 || row >= doc_.SmkCount) return;
    SmkLoaded = false;
    doc_.SelSmk = row;
    const SmkEntry& e = doc_.SmkTable[row];
    smk[0]->setText(Latin1(TextToCodes(doc_.StringTable[e.FileName])));
    smk[1]->setText(QString::number(e.OverlayX));
    smk[2]->setText(QString::number(e.OverlayY));
    for (int i = 0; i < SmkFlagCount; ++i) smkFlag[i]->setChecked((uint16_t(e.Flags) >> i) & 1u);
    if (e.Flags > 255) Message("Flag > 7 found, please report: " + std::to_string(e.Flags));
    if (e.Next < 0) {
        Check2->setChecked(false);
    } else {
        Check2->setChecked(true);
        Combo3->setCurrentIndex(e.Next);
    }
    SmkLoaded = true;
}

void Form1::smk_Change(int) {
    if (!SmkEditable()) return;
    SetTitle(true);
    SmkEntry& e = doc_.SmkTable[doc_.SelSmk];
    std::string name = CodesToText(smk[0]->text().toLatin1().toStdString());
    doc_.StringTable[e.FileName] = name;
    auto x = ParseInt16(smk[1]->text().toStdString());
    if (!x) return;
    e.OverlayX = *x;
    auto y = ParseInt16(smk[2]->text().toStdString());
    if (!y) return;
    e.OverlayY = *y;
    QString entry = SmkListEntry(doc_.SelSmk);
    List2->item(doc_.SelSmk)->setText(entry);
    Combo2->setItemText(doc_.SelSmk, entry);
    Combo3->setItemText(doc_.SelSmk, entry);
}

void Form1::smkFlag_Click(int index) {
    if (!SmkEditable()) return;
    int16_t& flags = doc_.SmkTable[doc_.SelSmk].Flags;
    flags = int16_t(FlagsFromBox(uint16_t(flags), index, smkFlag[index]));
}

void Form1::Check2_Click() {
    if (SmkEditable()) StoreLink(doc_.SmkTable[doc_.SelSmk].Next, Check2, Combo3);
}

void Form1::Combo3_Click() {
    if (SmkEditable() && Check2->isChecked())
        StoreLink(doc_.SmkTable[doc_.SelSmk].Next, Check2, Combo3);
}

void Form1::Command2_Click() {
    ShowSmk(Combo3->currentIndex());
}

// With no SMK picked the editor keeps what it shows. Showing the SMK must run even when the
// list already has it selected.
void Form1::ShowSmk(int row) {
    if (row < 0) return;
    if (SelectedRow(List2) == row)
        List2_Click();
    else
        List2->setCurrentRow(row);
}

} // namespace tarrox
