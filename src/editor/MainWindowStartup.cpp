// The main window's construction, start-up and shutdown.
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

#include "document/DialogCheck.h"
#include "editor/CommandLine.h"
#include "editor/MainWindow.h"
#include "editor/PreviewWindow.h"
#include "editor/Settings.h"
#include "platform/FileAccess.h"
#include "platform/Gdi.h"
#include "platform/ProgramFolder.h"
#include "preview/ColorTables.h"
#include "preview/TextState.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox {

MainWindow::MainWindow(DialogDocument& doc, Settings& settings, Dialogs& dialogs,
                       SettingsStore& store, TextDrawingState& text, QWidget* parent)
    : QMainWindow(parent), doc_(doc), history_(doc), settings_(settings), dialogs_(dialogs),
      store_(store), text_(text) {
    typingKey_ = history_.NewMergeKey();
    fileDialog_.Filter = DialogFileFilter();
    BuildUi();
    ConnectHandlers();
}

MainWindow::~MainWindow() {
    // The preview and the card have no owner; they go with the main window.
    delete preview_.data();
    delete codesCard_.data();
    delete readme_.data();
}

void MainWindow::ConnectHandlers() {
    // A selection, not the current row: a list that gains the keyboard focus makes its first
    // entry current without selecting it, which must not choose a record.
    connect(objectList_, &QListWidget::itemSelectionChanged, this, &MainWindow::ObjectSelected);
    connect(smkList_, &QListWidget::itemSelectionChanged, this, &MainWindow::SmkSelected);
    for (size_t i = 0; i < objectBoxes_.size(); ++i) {
        const auto box = static_cast<ObjectBox>(i);
        connect(objectBoxes_[box], &QLineEdit::textChanged, this,
                [this, box] { ObjectBoxEdited(box); });
    }
    for (int bit = 0; bit < ObjectFlagCount; ++bit)
        connect(objectFlags_[bit], &QCheckBox::toggled, this,
                [this, bit] { ObjectFlagToggled(bit); });
    for (size_t i = 0; i < smkBoxes_.size(); ++i) {
        const auto box = static_cast<SmkBox>(i);
        connect(smkBoxes_[box], &QLineEdit::textChanged, this, [this, box] { SmkBoxEdited(box); });
    }
    // Typing merges into one step per visit to a box.
    for (QLineEdit* box : objectBoxes_) WatchDocumentBox(box);
    for (QLineEdit* box : smkBoxes_) WatchDocumentBox(box);
    for (int bit = 0; bit < SmkFlagCount; ++bit)
        connect(smkFlags_[bit], &QCheckBox::toggled, this, [this, bit] { SmkFlagToggled(bit); });
    connect(controlType_, &QComboBox::currentIndexChanged, this, &MainWindow::ControlTypeChosen);
    connect(objectSmk_, &QComboBox::currentIndexChanged, this, &MainWindow::ObjectSmkChosen);
    connect(nextSmk_, &QComboBox::currentIndexChanged, this, &MainWindow::NextSmkChosen);
    connect(usesSmk_, &QCheckBox::toggled, this, &MainWindow::UsesSmkToggled);
    connect(usesNextSmk_, &QCheckBox::toggled, this, &MainWindow::UsesNextSmkToggled);
    connect(viewObjectSmk_, &QPushButton::clicked, this, &MainWindow::ViewObjectSmk);
    connect(viewNextSmk_, &QPushButton::clicked, this, &MainWindow::ViewNextSmk);
}

void MainWindow::Startup(const std::string& commandLine) {
    controlTypeNames_ = SplitControlTypeNames();
    for (const std::string& name : controlTypeNames_)
        controlType_->addItem(QString::fromLatin1(name));
    controlType_->setCurrentIndex(-1); // nothing is shown until an object is chosen
    settings_ = ReadSettings(store_);
    recent_.Read(store_);
    FillRecentMenu();
    optionsMenu_[OptionsMenu::AutoCalc]->setChecked(settings_.AutoCalc);
    LoadTextDrawingTables();
    OpenFromCommandLine(commandLine);
}

// Game data loaders report failure only by their result: a missing file leaves its table as it
// was and the editor goes on without it.
void MainWindow::LoadTextDrawingTables() {
    const DataFolders dataFolder = GameDataFolders();
    LoadTextTables(text_, dataFolder);
    LoadColorTable(text_, static_cast<uint8_t>(settings_.FontColorSet), dataFolder,
                   settings_.CustomColorFile);
}

void MainWindow::OpenFromCommandLine(const std::string& commandLine) {
    if (commandLine.empty()) return;
    std::string name = FileNameFromCommandLine(commandLine);
    // Without the Open dialog's type box, an archive's extension or its header makes it one.
    if (!HasBinExtension(name) && !HasArchiveExtension(name) &&
        !StartsWithMpqHeader(ReadFileHead(name, 4))) {
        Message("Error: Not a valid file format.", MessageIcon::Exclamation);
        file_.Path.clear();
        return;
    }
    OpenChosenFile(name);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!ConfirmQuit()) {
        event->ignore();
        return;
    }
    event->accept();
    // Every other window goes with the main one.
    QCoreApplication::quit();
}

bool MainWindow::ConfirmQuit() {
    if (unloaded_) return true;
    if (!ConfirmUnsavedWork()) return false;
    unloaded_ = true;
    WriteSettings(store_, settings_);
    RemoveTempFile();
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (IsHistoryShortcut(event)) return true;
    const bool objects = watched == objectList_->viewport();
    if (!objects && watched != smkList_->viewport())
        return QMainWindow::eventFilter(watched, event);
    // A right click opens the list's popup menu and leaves the selection where it was.
    auto type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
        type == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton) return false;
        if (type == QEvent::MouseButtonRelease)
            popups_[objects ? RecordKind::Objects : RecordKind::Smks]->popup(
                mouse->globalPosition().toPoint());
        return true;
    }
    return false;
}

} // namespace tarrox
