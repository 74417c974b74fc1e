// Form1's construction, start-up and shutdown.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextBrowser>

#include "editor/CommandLine.h"
#include "editor/Form1.h"
#include "editor/Form2.h"
#include "editor/Settings.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"
#include "preview/ColorTables.h"
#include "preview/TextState.h"
#include "reference/Form5.h"

namespace tarrox {

Form1::Form1(DialogDocument& doc, Settings& settings, Dialogs& dialogs, SettingsStore& store,
             TextDrawingState& text, QWidget* parent)
    : QMainWindow(parent), doc_(doc), settings_(settings), dialogs_(dialogs), store_(store),
      text_(text) {
    CommonDialog1.Filter = "Bin Files (*.bin)|*.bin|Mpq Archives "
                           "(*.mpq;*.exe;*.snp;*.scm;*.scx;*.w3m)|*.mpq;*.exe;*.scm;*.scx";
    BuildUi();
    ConnectHandlers();
}

Form1::~Form1() {
    // The preview and the card have no owner; they go with the main window.
    delete form2_.data();
    delete form5_.data();
    delete readme_.data();
}

void Form1::ConnectHandlers() {
    // A selection, not the current row: a list that gains the keyboard focus makes its first
    // entry current without selecting it, which must not choose a record.
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] { List1_Click(); });
    connect(List2, &QListWidget::itemSelectionChanged, this, [this] { List2_Click(); });
    for (int i = 0; i < int(obj.size()); ++i)
        connect(obj[i], &QLineEdit::textChanged, this, [this, i] { obj_Change(i); });
    for (int i = 0; i < int(objFlag.size()); ++i)
        connect(objFlag[i], &QCheckBox::toggled, this, [this, i] { objFlag_Click(i); });
    for (int i = 0; i < int(smk.size()); ++i)
        connect(smk[i], &QLineEdit::textChanged, this, [this, i] { smk_Change(i); });
    for (int i = 0; i < int(smkFlag.size()); ++i)
        connect(smkFlag[i], &QCheckBox::toggled, this, [this, i] { smkFlag_Click(i); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::currentIndexChanged, this, [this] { Combo2_Click(); });
    connect(Combo3, &QComboBox::currentIndexChanged, this, [this] { Combo3_Click(); });
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Form1::Form_Load(const std::string& commandLine) {
    ControlTypeNames = SplitControlTypeNames();
    for (const std::string& name : ControlTypeNames) Combo1->addItem(QString::fromLatin1(name));
    Combo1->setCurrentIndex(-1); // nothing is shown until an object is chosen
    settings_ = ReadSettings(store_);
    Menu4[0]->setChecked(settings_.AutoCalc);
    LoadTextDrawingTables();
    OpenFromCommandLine(commandLine);
}

// Game data loaders report failure only by their result: a missing file leaves its table as it
// was and the editor goes on without it.
void Form1::LoadTextDrawingTables() {
    const std::string data = DataFile("data");
    LoadTextTables(text_, data);
    LoadColorTable(text_, static_cast<uint8_t>(settings_.FontColorSet), data,
                   settings_.CustomColorFile);
}

void Form1::OpenFromCommandLine(const std::string& commandLine) {
    if (commandLine.empty()) return;
    std::string name = FileNameFromCommandLine(commandLine);
    if (!HasBinExtension(name)) {
        Message("Error: Not a valid file format.", MessageIcon::Exclamation);
        doc_.Filename.clear();
        return;
    }
    OpenDiskFile(name);
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
    // Every other window goes with the main one.
    QCoreApplication::quit();
}

bool Form1::Form_Unload() {
    if (unloaded_) return true;
    if (!ConfirmUnsavedWork()) return false;
    unloaded_ = true;
    WriteSettings(store_, settings_);
    RemoveTempFile();
    return true;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const bool objects = watched == List1->viewport();
    if (!objects && watched != List2->viewport()) return QMainWindow::eventFilter(watched, event);
    // A right click opens the list's popup menu and leaves the selection where it was.
    auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
        type == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) return false;
        if (type == QEvent::MouseButtonRelease)
            Popup[objects ? 0 : 1]->popup(mouse->globalPosition().toPoint());
        return true;
    }
    return false;
}

} // namespace tarrox
