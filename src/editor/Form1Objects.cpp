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

QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

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
    if (settings_.AutoCalc) {
        // Width and height follow the edges; the derived box's own change runs this handler.
        auto derive = [this](int size, int low, int high) {
            auto a =
                ParseRoundedDecimal(obj[low]->text().toStdString(), INT32_MIN / 2, INT32_MAX / 2);
            auto b =
                ParseRoundedDecimal(obj[high]->text().toStdString(), INT32_MIN / 2, INT32_MAX / 2);
            if (a && b) obj[size]->setText(QString::number(*b - *a + 1));
        };
        switch (index) {
        case 0:
        case 2:
            derive(4, 0, 2);
            break;
        case 1:
        case 3:
            derive(5, 1, 3);
            break;
        case 8:
        case 10:
            derive(12, 8, 10);
            break;
        case 9:
        case 11:
            derive(13, 9, 11);
            break;
        default:
            break;
        }
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
    if (!ObjectEditable()) return;
    SetTitle(true);
    doc_.ObjectTable[doc_.SelObj].SmkLink = Check1->isChecked() ? Combo2->currentIndex() : -1;
}

void Form1::Combo2_Click() {
    if (!ObjectEditable() || !Check1->isChecked()) return;
    SetTitle(true);
    doc_.ObjectTable[doc_.SelObj].SmkLink = Combo2->currentIndex();
}

void Form1::objFlag_Click(int index) {
    if (!ObjectEditable()) return;
    // Set from the box rather than inverted, so box and bit cannot drift apart.
    uint32_t flags = uint32_t(doc_.ObjectTable[doc_.SelObj].Flags);
    uint32_t bit = 1u << index;
    flags = objFlag[index]->isChecked() ? (flags | bit) : (flags & ~bit);
    doc_.ObjectTable[doc_.SelObj].Flags = int32_t(flags);
    SetTitle(true);
}

void Form1::Command1_Click() {
    ShowSmk(Combo2->currentIndex());
}

} // namespace tarrox
