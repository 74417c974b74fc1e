// Form1's controls, groups and menus.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/Form1.h"

namespace tarrox {

namespace {

struct BoxInfo {
    const char* Caption;
    const char* Tooltip;
};

const std::array<BoxInfo, 16> ObjBoxes = {{
    {"Left:", "Left edge of object"},
    {"Top:", "Top edge of object"},
    {"Right:", "Right edge of object"},
    {"Bottom:", "Bottom edge of object"},
    {"Width:", "Object width"},
    {"Height:", "Object height"},
    {"Label/Image:", "Name of dialog box, label for buttons and labels, and filename for images"},
    {"Control ID:", "Not completely understood. For buttons seems to be ID. -3 for "
                    "cancel/previous/default button?, -2 for ok, and -1 for labels"},
    {"Left:", "Left edge of area in which mouse hover events will be handled for button w/ "
              "light up"},
    {"Top:", "Top edge of area in which mouse hover events will be handled for button w/ "
             "light up"},
    {"Right:", "Right edge of area in which mouse hover events will be handled for button w/ "
               "light up"},
    {"Bottom:", "Bottom edge of area in which mouse hover events will be handled for button "
                "w/ light up"},
    {"Width:", "Width of area in which mouse hover events will be handled for button w/ light "
               "up"},
    {"Height:", "Height of area in which mouse hover events will be handled for button w/ "
                "light up"},
    {"Text X:", "Text coordinate X for button w/ light up (left edge)"},
    {"Text Y:", "Text coordinate Y for button w/ light up (top edge)"},
}};

const std::array<BoxInfo, 3> SmkBoxes = {{
    {"SMK Filename:", "Filename for SMK"},
    {"SMK Overlay X:", "Overlay coordinate X (left edge)"},
    {"SMK Overlay Y:", "Overlay coordinate Y (top edge)"},
}};

QLineEdit* NumberBox(const QString& name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setFixedWidth(64);
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
    combo->setMinimumContentsLength(14);
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
    list->setMinimumWidth(190);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

void Form1::BuildUi() {
    setObjectName("Form1");
    setWindowTitle("Tarrox II");
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
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

QWidget* Form1::BuildObjectHalf() {
    for (int i = 0; i < 16; ++i) {
        obj[i] = NumberBox(QString("obj%1").arg(i));
        obj[i]->setToolTip(ObjBoxes[i].Tooltip);
    }
    obj[6]->setMinimumWidth(64);
    obj[6]->setMaximumWidth(QWIDGETSIZE_MAX);
    List1 = RecordList("List1");
    List1->viewport()->installEventFilter(this);
    Combo1 = DropDownList("Combo1", "Type of object. Note: Dialog Box/Object 0 use values "
                                    "differently than other objects");
    Check1 = CheckBox("Check1", "Uses SMK", "Object uses an SMK reference");
    Combo2 = DropDownList("Combo2", "SMK object to use");
    Command1 = Button("Command1", "View SMK", "Select SMK for editing/viewing");

    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel("Form Objects:"));
    listColumn->addWidget(List1, 1);
    auto* smkData = new QGroupBox("SMK Data");
    smkData->setObjectName("ObjectSmkData");
    auto* smkLayout = new QGridLayout(smkData);
    smkLayout->addWidget(Check1, 0, 0);
    smkLayout->addWidget(Command1, 0, 1);
    smkLayout->addWidget(Combo2, 1, 0, 1, 2);
    listColumn->addWidget(smkData);

    // Edges in the first pair of columns, the opposite edges beside them, sizes last.
    auto edgeGrid = [&](QGridLayout* grid, int first) {
        const int order[6][3] = {{0, 0, 0}, {1, 1, 0}, {2, 0, 2}, {3, 1, 2}, {4, 0, 4}, {5, 1, 4}};
        for (const auto& [box, row, col] : order) {
            grid->addWidget(CaptionFor(obj[first + box], ObjBoxes[first + box].Caption), row, col);
            grid->addWidget(obj[first + box], row, col + 1);
        }
    };
    auto* appearance = new QGroupBox("Appearance");
    appearance->setObjectName("Appearance");
    auto* grid = new QGridLayout(appearance);
    edgeGrid(grid, 0);
    grid->addWidget(CaptionFor(obj[6], ObjBoxes[6].Caption), 2, 0);
    grid->addWidget(obj[6], 2, 1, 1, 5);
    grid->addWidget(CaptionFor(obj[7], ObjBoxes[7].Caption), 3, 0);
    grid->addWidget(obj[7], 3, 1);
    grid->addWidget(CaptionFor(Combo1, "Control Type:"), 3, 2);
    grid->addWidget(Combo1, 3, 3, 1, 3);
    for (int i = 14; i <= 15; ++i) {
        QLabel* label = CaptionFor(obj[i], ObjBoxes[i].Caption);
        label->setToolTip(i == 14 ? "Text coordinate X for button w/ light up"
                                  : "Text coordinate Y for button w/ light up");
        grid->addWidget(label, 4, (i - 14) * 2);
        grid->addWidget(obj[i], 4, (i - 14) * 2 + 1);
    }

    auto* response = new QGroupBox("Mouse Response Area");
    response->setObjectName("MouseResponseArea");
    auto* responseGrid = new QGridLayout(response);
    // Boxes 8..13 follow the same order as the edges and sizes of boxes 0..5.
    edgeGrid(responseGrid, 8);

    auto* fieldColumn = new QVBoxLayout;
    fieldColumn->addWidget(appearance);
    fieldColumn->addWidget(response);
    fieldColumn->addStretch(1);

    auto* flags = FlagGroup("Flags", "Flags", "objFlag", ObjectFlagInfo, objFlag, 16);

    auto* half = new QWidget;
    auto* row = new QHBoxLayout(half);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(listColumn);
    row->addLayout(fieldColumn);
    row->addWidget(flags);
    return half;
}

QWidget* Form1::BuildSmkHalf() {
    List2 = RecordList("List2");
    List2->viewport()->installEventFilter(this);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(new QLabel("SMK Objects:"));
    listColumn->addWidget(List2, 1);

    auto* data = new QGroupBox("SMK Data");
    data->setObjectName("SmkData");
    auto* grid = new QGridLayout(data);
    for (int i = 0; i < 3; ++i) {
        smk[i] = NumberBox(QString("smk%1").arg(i));
        smk[i]->setToolTip(SmkBoxes[i].Tooltip);
        QLabel* label = CaptionFor(smk[i], SmkBoxes[i].Caption);
        label->setToolTip(SmkBoxes[i].Tooltip);
        grid->addWidget(label, i, 0);
        grid->addWidget(smk[i], i, 1, 1, i == 0 ? 3 : 1);
    }
    smk[0]->setMaximumWidth(QWIDGETSIZE_MAX);
    smk[0]->setMinimumWidth(220);
    Check2 = CheckBox("Check2", "Uses Next SMK", "Object uses an SMK overlay");
    Combo3 = DropDownList("Combo3", "SMK object to use");
    Command2 = Button("Command2", "View SMK", "Select SMK for editing/viewing");
    grid->addWidget(Check2, 1, 2);
    grid->addWidget(Command2, 1, 3);
    grid->addWidget(Combo3, 2, 2, 1, 2);

    auto* flags = FlagGroup("SMK Flags", "SmkFlags", "smkFlag", SmkFlagInfo, smkFlag, 4);

    auto* half = new QWidget;
    auto* row = new QHBoxLayout(half);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(listColumn);
    auto* dataColumn = new QVBoxLayout;
    dataColumn->addWidget(data);
    dataColumn->addStretch(1);
    row->addLayout(dataColumn, 1);
    row->addWidget(flags);
    return half;
}

void Form1::BuildMenus() {
    struct Item {
        const char* Caption; // nullptr: a separator
        QKeySequence Shortcut;
    };
    auto fill = [this](QMenu* menu, const char* prefix, auto& actions,
                       std::initializer_list<Item> items, auto handler) {
        int i = 0;
        for (const Item& item : items) {
            QAction* action = item.Caption ? menu->addAction(item.Caption) : menu->addSeparator();
            action->setObjectName(QString("%1_%2").arg(prefix).arg(i));
            action->setShortcut(item.Shortcut);
            action->setShortcutContext(Qt::WindowShortcut);
            actions[i] = action;
            if (item.Caption)
                connect(action, &QAction::triggered, this, [=, this] { (this->*handler)(i); });
            ++i;
        }
    };
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu("File");
    file->setObjectName("FileMenu");
    fill(file, "Menu1", Menu1,
         {{"Open", QKeySequence("Ctrl+O")},
          {"Save", QKeySequence("Ctrl+S")},
          {"Save As...", QKeySequence("Ctrl+A")},
          {nullptr, {}},
          {"Exit", {}}},
         &Form1::Menu1_Click);
    Menu1[1]->setEnabled(false);
    Menu1[2]->setEnabled(false);
    QMenu* view = bar->addMenu("View");
    view->setObjectName("ViewMenu");
    fill(view, "Menu2", Menu2,
         {{"Preview", QKeySequence("Ctrl+P")}, {"Formatting Codes", QKeySequence("Ctrl+F")}},
         &Form1::Menu2_Click);
    QMenu* help = bar->addMenu("Help");
    help->setObjectName("HelpMenu");
    fill(help, "Menu3", Menu3,
         {{"View Readme", QKeySequence(Qt::Key_F1)}, {nullptr, {}}, {"About", {}}},
         &Form1::Menu3_Click);
    QMenu* options = bar->addMenu("Options");
    options->setObjectName("OptionsMenu");
    fill(options, "Menu4", Menu4, {{"Auto-Calc Width/Height", {}}, {"Set MPQ Locale...", {}}},
         &Form1::Menu4_Click);
    Menu4[0]->setCheckable(true);

    // The popup menus are never on the bar; right clicks in the lists show them.
    Popup[0] = new QMenu("PopupObjects", this);
    Popup[0]->setObjectName("PopupObjects");
    fill(Popup[0], "Menu5", Menu5, {{"Add Object", {}}, {"Delete Selected Object", {}}},
         &Form1::Menu5_Click);
    Popup[1] = new QMenu("PopupSMKS", this);
    Popup[1]->setObjectName("PopupSMKS");
    fill(Popup[1], "Menu6", Menu6, {{"Add SMK", {}}, {"Delete Selected SMK", {}}},
         &Form1::Menu6_Click);
}

} // namespace tarrox
