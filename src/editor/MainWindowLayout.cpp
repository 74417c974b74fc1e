// The main window's controls and groups.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/MainWindow.h"

namespace tarrox {

namespace {

struct BoxInfo {
    const char* Name; // the box's object name
    const char* Caption;
    const char* Tooltip;
};

// Room for a number; the text and file name boxes grow from it.
constexpr int NumberBoxWidth = 64;
constexpr int SmkFileNameMinWidth = 220;
constexpr int RecordListMinWidth = 190;
constexpr int PickerMinChars = 14;
constexpr int ObjectFlagRows = 16;
constexpr int SmkFlagRows = 4;

const EnumArray<BoxInfo, ObjectBox> ObjectBoxes = {{{
    {"objectLeft", "Left:", "Left edge of object"},
    {"objectTop", "Top:", "Top edge of object"},
    {"objectRight", "Right:", "Right edge of object"},
    {"objectBottom", "Bottom:", "Bottom edge of object"},
    {"objectWidth", "Width:", "Object width"},
    {"objectHeight", "Height:", "Object height"},
    {"objectText",
     "Label/Image:", "Name of dialog box, label for buttons and labels, and filename for images"},
    {"objectControlId", "Control ID:",
     "Not completely understood. For buttons seems to be ID. -3 for "
     "cancel/previous/default button?, -2 for ok, and -1 for labels"},
    {"objectResponseLeft", "Left:",
     "Left edge of the area in which mouse hover events are handled for a button w/ light up, "
     "relative to the object's left edge"},
    {"objectResponseTop", "Top:",
     "Top edge of the area in which mouse hover events are handled for a button w/ light up, "
     "relative to the object's top edge"},
    {"objectResponseRight", "Right:",
     "Right edge (inclusive) of the area in which mouse hover events are handled for a button "
     "w/ light up, relative to the object's left edge"},
    {"objectResponseBottom", "Bottom:",
     "Bottom edge (inclusive) of the area in which mouse hover events are handled for a button "
     "w/ light up, relative to the object's top edge"},
    {"objectTextLeft", "Left:",
     "Left edge of the area a button w/ light up places its text in, relative to the object's "
     "left edge. All four zero: the whole object"},
    {"objectTextTop", "Top:",
     "Top edge of the area a button w/ light up places its text in, relative to the object's "
     "top edge. All four zero: the whole object"},
    {"objectTextRight", "Right:",
     "Right edge (inclusive) of the area a button w/ light up places its text in, relative to "
     "the object's left edge. All four zero: the whole object"},
    {"objectTextBottom", "Bottom:",
     "Bottom edge (inclusive) of the area a button w/ light up places its text in, relative to "
     "the object's top edge. All four zero: the whole object"},
}}};

const EnumArray<BoxInfo, SmkBox> SmkBoxes = {{{
    {"smkFileName", "SMK Filename:", "Filename for SMK"},
    {"smkOverlayX", "SMK Overlay X:", "Overlay coordinate X (left edge)"},
    {"smkOverlayY", "SMK Overlay Y:", "Overlay coordinate Y (top edge)"},
}}};

QLineEdit* NumberBox(const BoxInfo& info) {
    auto* box = new QLineEdit;
    box->setObjectName(info.Name);
    box->setToolTip(info.Tooltip);
    box->setFixedWidth(NumberBoxWidth);
    return box;
}

QLabel* CaptionFor(QWidget* buddy, const char* caption) {
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    return label;
}

QComboBox* DropDownList(const char* name, const char* tooltip) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setToolTip(tooltip);
    combo->setMinimumContentsLength(PickerMinChars);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

QPushButton* Button(const char* name, const char* caption, const char* tooltip) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tooltip);
    return button;
}

QCheckBox* CheckBox(const QString& name, const char* caption, const char* tooltip) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    box->setToolTip(tooltip);
    return box;
}

// A group of flag boxes, one per bit, filled column by column.
template <size_t N>
QGroupBox* FlagGroup(const char* caption, const char* name, const char* prefix,
                     const std::array<FlagInfo, N>& info, std::array<QCheckBox*, N>& boxes,
                     int rows) {
    auto* group = new QGroupBox(caption);
    group->setObjectName(name);
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < int(N); ++i) {
        boxes[i] =
            CheckBox(QString("%1%2").arg(prefix).arg(i), info[i].Caption, info[i].Description);
        grid->addWidget(boxes[i], i % rows, i / rows);
    }
    return group;
}

QListWidget* RecordList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setMinimumWidth(RecordListMinWidth);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

void MainWindow::BuildUi() {
    setObjectName("MainWindow");
    setWindowTitle("Tarrox II");
    setAcceptDrops(true);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    // The object half takes three parts of the height, the SMK half one.
    layout->addWidget(BuildObjectHalf(), 3);
    auto* divider = new QFrame;
    divider->setObjectName("Divider");
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    layout->addWidget(divider);
    layout->addWidget(BuildSmkHalf(), 1);
    setCentralWidget(central);
    BuildMenus();
}

QWidget* MainWindow::BuildObjectHalf() {
    for (size_t i = 0; i < objectBoxes_.size(); ++i) objectBoxes_[i] = NumberBox(ObjectBoxes[i]);
    QLineEdit* text = objectBoxes_[ObjectBox::Text];
    text->setMinimumWidth(NumberBoxWidth);
    text->setMaximumWidth(QWIDGETSIZE_MAX);
    objectList_ = RecordList("objectList");
    // Ctrl+click toggles an object, Shift+click takes a range.
    objectList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    objectList_->viewport()->installEventFilter(this);
    controlType_ = DropDownList("controlType", "Type of object. Note: Dialog Box/Object 0 use "
                                               "values differently than other objects");
    usesSmk_ = CheckBox("usesSmk", "Uses SMK", "Object uses an SMK reference");
    objectSmk_ = DropDownList("objectSmk", "SMK object to use");
    viewObjectSmk_ = Button("viewObjectSmk", "View SMK", "Select SMK for editing/viewing");

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel("Form Objects:"));
    listColumn->addWidget(objectList_, 1);
    auto* smkData = new QGroupBox("SMK Data");
    smkData->setObjectName("ObjectSmkData");
    auto* smkLayout = new QGridLayout(smkData);
    smkLayout->addWidget(usesSmk_, 0, 0);
    smkLayout->addWidget(viewObjectSmk_, 0, 1);
    smkLayout->addWidget(objectSmk_, 1, 0, 1, 2);
    listColumn->addWidget(smkData);

    auto place = [&](QGridLayout* grid, ObjectBox box, int row, int col, int span = 1) {
        QLabel* label = CaptionFor(objectBoxes_[box], ObjectBoxes[box].Caption);
        grid->addWidget(label, row, col);
        grid->addWidget(objectBoxes_[box], row, col + 1, 1, span);
        return label;
    };
    // Left and top in the first pair of columns, right and bottom beside them, then the sizes
    // where there are any.
    auto edgeGrid = [&](QGridLayout* grid, ObjectBox first, int count) {
        const int base = static_cast<int>(first);
        for (int k = 0; k < count; ++k)
            place(grid, static_cast<ObjectBox>(base + k), k % 2, k / 2 * 2);
    };
    auto* appearance = new QGroupBox("Appearance");
    appearance->setObjectName("Appearance");
    auto* grid = new QGridLayout(appearance);
    edgeGrid(grid, ObjectBox::Left, 6);
    place(grid, ObjectBox::Text, 2, 0, 5);
    place(grid, ObjectBox::ControlId, 3, 0);
    grid->addWidget(CaptionFor(controlType_, "Control Type:"), 3, 2);
    grid->addWidget(controlType_, 3, 3, 1, 3);

    auto areaGroup = [&](const char* title, const char* name, const char* tooltip,
                         ObjectBox first) {
        auto* group = new QGroupBox(title);
        group->setObjectName(name);
        group->setToolTip(tooltip);
        edgeGrid(new QGridLayout(group), first, 4);
        return group;
    };
    auto* response = areaGroup("Mouse Response Area", "MouseResponseArea",
                               "Where a button w/ light up handles the mouse: edges relative to "
                               "the object's left and top, right and bottom inclusive",
                               ObjectBox::ResponseLeft);
    auto* textArea = areaGroup("Text Area", "TextArea",
                               "Where a button w/ light up places its text: edges relative to the "
                               "object's left and top, right and bottom inclusive; all four zero "
                               "means the whole object",
                               ObjectBox::TextLeft);
    auto* fieldColumn = new QVBoxLayout;
    fieldColumn->addWidget(appearance);
    fieldColumn->addWidget(response);
    fieldColumn->addWidget(textArea);
    fieldColumn->addStretch(1);

    auto* flags =
        FlagGroup("Flags", "Flags", "objectFlag", ObjectFlagInfo, objectFlags_, ObjectFlagRows);

    auto* half = new QWidget;
    auto* row = new QHBoxLayout(half);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(listColumn);
    row->addLayout(fieldColumn);
    row->addWidget(flags);
    return half;
}

QWidget* MainWindow::BuildSmkHalf() {
    smkList_ = RecordList("smkList");
    smkList_->viewport()->installEventFilter(this);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel("SMK Objects:"));
    listColumn->addWidget(smkList_, 1);

    auto* smkData = new QGroupBox("SMK Data");
    smkData->setObjectName("SmkData");
    auto* grid = new QGridLayout(smkData);
    for (size_t i = 0; i < smkBoxes_.size(); ++i) {
        const int row = static_cast<int>(i);
        smkBoxes_[i] = NumberBox(SmkBoxes[i]);
        QLabel* label = CaptionFor(smkBoxes_[i], SmkBoxes[i].Caption);
        label->setToolTip(SmkBoxes[i].Tooltip);
        grid->addWidget(label, row, 0);
        // The file name runs under the next-SMK controls beside the coordinates.
        grid->addWidget(smkBoxes_[i], row, 1, 1, i == 0 ? 3 : 1);
    }
    smkBoxes_[SmkBox::FileName]->setMaximumWidth(QWIDGETSIZE_MAX);
    smkBoxes_[SmkBox::FileName]->setMinimumWidth(SmkFileNameMinWidth);
    usesNextSmk_ = CheckBox("usesNextSmk", "Uses Next SMK", "Object uses an SMK overlay");
    nextSmk_ = DropDownList("nextSmk", "SMK object to use");
    viewNextSmk_ = Button("viewNextSmk", "View SMK", "Select SMK for editing/viewing");
    grid->addWidget(usesNextSmk_, 1, 2);
    grid->addWidget(viewNextSmk_, 1, 3);
    grid->addWidget(nextSmk_, 2, 2, 1, 2);

    auto* flags =
        FlagGroup("SMK Flags", "SmkFlags", "smkFlag", SmkFlagInfo, smkFlags_, SmkFlagRows);

    auto* half = new QWidget;
    auto* row = new QHBoxLayout(half);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(listColumn);
    auto* dataColumn = new QVBoxLayout;
    dataColumn->addWidget(smkData);
    dataColumn->addStretch(1);
    row->addLayout(dataColumn, 1);
    row->addWidget(flags);
    return half;
}

} // namespace tarrox
