// The object editor: List1 and the controls that show and edit ObjectTable(SelObj).
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "document/FormattingCodes.h"
#include "document/NumberText.h"
#include "editor/Form1.h"
#include "editor/Settings.h"

namespace tarrox {

namespace {

// The numeric field that box i edits (box 6 is the text).
int16_t* ObjectField(DialogObject& o, int box) {
    switch (box) {
    case 0:
        return &o.Left;
    case 1:
        return &o.Top;
    case 2:
        return &o.Right;
    case 3:
        return &o.Bottom;
    case 4:
        return &o.Width;
    case 5:
        return &o.Height;
    case 7:
        return &o.ControlId;
    case 8:
        return &o.ResponseLeft;
    case 9:
        return &o.ResponseTop;
    case 10:
        return &o.ResponseRight;
    case 11:
        return &o.ResponseBottom;
    case 12:
        return &o.ResponseWidth;
    case 13:
        return &o.ResponseHeight;
    case 14:
        return &o.TextX;
    case 15:
        return &o.TextY;
    default:
        return nullptr;
    }
}

} // namespace

bool Form1::ObjectEditable() const {
    return ObjLoaded && doc_.SelObj >= 0 && doc_.SelObj < doc_.ObjectCount;
}

void Form1::ClearObjectEditor() {
    ObjLoaded = false;
    doc_.SelObj = -1;
    for (QLineEdit* box : obj) box->clear();
    Combo1->setCurrentIndex(-1);
    for (QCheckBox* box : objFlag) box->setChecked(false);
    Check1->setChecked(false);
    Combo2->setCurrentIndex(-1);
}

void Form1::List1_Click() {
    int row = SelectedRow(List1);
    if (row < 0 || row >= doc_.ObjectCount) return;
    ObjLoaded = false;
    doc_.SelObj = row;
    DialogObject& o = doc_.ObjectTable[row];
    for (int i = 0; i < int(obj.size()); ++i) {
        if (int16_t* field = ObjectField(o, i)) obj[i]->setText(QString::number(*field));
    }
    obj[6]->setText(Latin1(TextToCodes(doc_.StringTable[o.Text])));
    Combo1->setCurrentIndex(o.ControlType >= 0 && o.ControlType < ControlTypeCount ? o.ControlType
                                                                                   : -1);
    for (int i = 0; i < ObjectFlagCount; ++i) objFlag[i]->setChecked((uint32_t(o.Flags) >> i) & 1u);
    if (o.SmkLink < 0) {
        Check1->setChecked(false);
    } else {
        Check1->setChecked(true);
        Combo2->setCurrentIndex(o.SmkLink);
    }
    // Object 0's link field holds the first child's offset on disk.
    Check1->setEnabled(row != 0);
    RedrawPreview(true);
    ObjLoaded = true;
}

void Form1::obj_Change(int index) {
    if (!ObjectEditable()) return;
    SetTitle(true);
    // Width and height follow the edges: left/top (0, 1) and right/bottom (2, 3) give the size
    // in 4, 5; the response area repeats this from box 8. The derived box's own change runs
    // this handler, and a size derives nothing.
    const int base = index < 8 ? 0 : 8, edge = index - base;
    if (settings_.AutoCalc && edge < 4) {
        const int low = base + edge % 2, high = low + 2;
        auto a = ParseRoundedDecimal(obj[low]->text().toStdString(), INT32_MIN / 2, INT32_MAX / 2);
        auto b = ParseRoundedDecimal(obj[high]->text().toStdString(), INT32_MIN / 2, INT32_MAX / 2);
        if (a && b) obj[low + 4]->setText(QString::number(*b - *a + 1));
    }
    DialogObject& o = doc_.ObjectTable[doc_.SelObj];
    for (int i = 0; i < int(obj.size()); ++i) {
        if (i == 6) {
            doc_.StringTable[o.Text] = CodesToText(obj[6]->text().toLatin1().toStdString());
            continue;
        }
        auto value = ParseInt16(obj[i]->text().toStdString());
        if (!value) return; // half-typed numbers are normal; the next keystroke stores all
        *ObjectField(o, i) = *value;
    }
    List1->item(doc_.SelObj)->setText(ObjectListEntry(doc_.SelObj));
    RedrawPreview(false);
}

void Form1::Combo1_Click() {
    if (!ObjectEditable() || Combo1->currentIndex() < 0) return;
    SetTitle(true);
    doc_.ObjectTable[doc_.SelObj].ControlType = Combo1->currentIndex();
    List1->item(doc_.SelObj)->setText(ObjectListEntry(doc_.SelObj));
}

void Form1::Check1_Click() {
    if (ObjectEditable()) StoreLink(doc_.ObjectTable[doc_.SelObj].SmkLink, Check1, Combo2);
}

void Form1::Combo2_Click() {
    if (ObjectEditable() && Check1->isChecked())
        StoreLink(doc_.ObjectTable[doc_.SelObj].SmkLink, Check1, Combo2);
}

void Form1::objFlag_Click(int index) {
    if (!ObjectEditable()) return;
    int32_t& flags = doc_.ObjectTable[doc_.SelObj].Flags;
    flags = int32_t(FlagsFromBox(uint32_t(flags), index, objFlag[index]));
}

// A ticked box without a picked SMK links nothing: the picker's position is then -1.
void Form1::StoreLink(int32_t& link, const QCheckBox* uses, const QComboBox* picker) {
    SetTitle(true);
    link = uses->isChecked() ? picker->currentIndex() : -1;
    RefreshSmkEntries();
}

// Set from the box rather than inverted, so box and bit cannot drift apart.
uint32_t Form1::FlagsFromBox(uint32_t flags, int bit, const QCheckBox* box) {
    SetTitle(true);
    const uint32_t mask = 1u << bit;
    return box->isChecked() ? flags | mask : flags & ~mask;
}

void Form1::Command1_Click() {
    ShowSmk(Combo2->currentIndex());
}

} // namespace tarrox
