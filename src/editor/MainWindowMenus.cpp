// The main window's menu bar and the lists' right-click menus.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "editor/MainWindow.h"

namespace tarrox {

void MainWindow::BuildMenus() {
    struct Item {
        const char* Name; // nullptr: a separator
        const char* Caption;
        QKeySequence Shortcut;
        void (MainWindow::*Handler)();
    };
    auto fill = [this](QMenu* menu, auto& actions, std::initializer_list<Item> items) {
        size_t i = 0;
        for (const Item& item : items) {
            QAction* action = item.Name ? menu->addAction(item.Caption) : menu->addSeparator();
            if (item.Name) {
                action->setObjectName(item.Name);
                action->setShortcut(item.Shortcut);
                action->setShortcutContext(Qt::WindowShortcut);
                connect(action, &QAction::triggered, this, item.Handler);
            }
            if (i < actions.size()) actions[i] = action;
            ++i;
        }
    };
    const Item separator{nullptr, nullptr, {}, nullptr};
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu("File");
    file->setObjectName("FileMenu");
    fill(file, fileMenu_,
         {{"fileOpen", "Open", QKeySequence("Ctrl+O"), &MainWindow::OpenFromMenu},
          {"fileSave", "Save", QKeySequence("Ctrl+S"), &MainWindow::SaveFromMenu},
          {"fileSaveAs", "Save As...", QKeySequence("Ctrl+A"), &MainWindow::SaveAsFromMenu},
          {"fileCompactArchive", "Compact Archive...", {}, &MainWindow::CompactArchiveFromMenu},
          separator,
          {"fileExit", "Exit", {}, &MainWindow::ExitFromMenu}});
    recentMenu_ = new QMenu("Recent Files", file);
    recentMenu_->setObjectName("fileRecentFiles");
    file->insertMenu(fileMenu_[FileMenu::Separator], recentMenu_);
    fileMenu_[FileMenu::Save]->setEnabled(false);
    fileMenu_[FileMenu::SaveAs]->setEnabled(false);
    QMenu* edit = bar->addMenu("Edit");
    edit->setObjectName("EditMenu");
    fill(edit, editMenu_,
         {{"editUndo", "Undo", QKeySequence("Ctrl+Z"), &MainWindow::UndoFromMenu},
          {"editRedo", "Redo", QKeySequence("Ctrl+Y"), &MainWindow::RedoFromMenu},
          separator,
          {"editCut", "Cut", QKeySequence("Ctrl+X"), &MainWindow::CutFromMenu},
          {"editCopy", "Copy", QKeySequence("Ctrl+C"), &MainWindow::CopyFromMenu},
          {"editPaste", "Paste", QKeySequence("Ctrl+V"), &MainWindow::PasteFromMenu},
          {"editDuplicate", "Duplicate", QKeySequence("Ctrl+D"), &MainWindow::DuplicateFromMenu},
          {"editDelete", "Delete", QKeySequence(Qt::Key_Delete), &MainWindow::DeleteFromKey},
          {"editInsertObject", "Insert Object", QKeySequence(Qt::Key_Insert),
           &MainWindow::InsertFromKey},
          {"editClearSelection", "Clear Selection", QKeySequence(Qt::Key_Escape),
           &MainWindow::ClearSelectionFromMenu},
          separator,
          {"editFind", "Find...", QKeySequence("Ctrl+Shift+F"), &MainWindow::FindFromMenu},
          {"editFindAgain", "Find Again", QKeySequence(Qt::Key_F3),
           &MainWindow::FindAgainFromMenu}});
    editMenu_[EditMenu::Redo]->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    UpdateEditMenu();
    BuildArrangeMenu();
    std::array<QAction*, 0> unkept{};
    QMenu* view = bar->addMenu("View");
    view->setObjectName("ViewMenu");
    fill(view, unkept,
         {{"viewPreview", "Preview", QKeySequence("Ctrl+P"), &MainWindow::ShowPreview},
          {"viewFormattingCodes", "Formatting Codes", QKeySequence("Ctrl+F"),
           &MainWindow::ShowCodesCard}});
    QMenu* help = bar->addMenu("Help");
    help->setObjectName("HelpMenu");
    fill(help, unkept,
         {{"helpViewReadme", "View Readme", QKeySequence(Qt::Key_F1), &MainWindow::ShowReadme},
          separator,
          {"helpAbout", "About", {}, &MainWindow::ShowAbout}});
    QMenu* options = bar->addMenu("Options");
    options->setObjectName("OptionsMenu");
    fill(options, optionsMenu_,
         {{"optionsAutoCalc", "Auto-Calc Width/Height", {}, &MainWindow::AutoCalcToggled},
          {"optionsSetMpqLocale", "Set MPQ Locale...", {}, &MainWindow::SetMpqLocaleFromMenu},
          separator,
          {"optionsImportGameData", "Import Game Data...", {}, &MainWindow::ImportGameDataFromMenu},
          {"optionsUseBundledData", "Use Bundled Data", {}, &MainWindow::UseBundledDataFromMenu}});
    optionsMenu_[OptionsMenu::AutoCalc]->setCheckable(true);

    // The popup menus are never on the bar; right clicks in the lists show them.
    QMenu* objects = popups_[RecordKind::Objects] = new QMenu("PopupObjects", this);
    objects->setObjectName("PopupObjects");
    fill(objects, unkept,
         {{"addObject", "Add Object", {}, &MainWindow::AddObjectFromMenu},
          {"deleteObject", "Delete Selected Object", {}, &MainWindow::DeleteObjectFromMenu}});
    QMenu* smks = popups_[RecordKind::Smks] = new QMenu("PopupSMKS", this);
    smks->setObjectName("PopupSMKS");
    fill(smks, unkept,
         {{"addSmk", "Add SMK", {}, &MainWindow::AddSmkFromMenu},
          {"deleteSmk", "Delete Selected SMK", {}, &MainWindow::DeleteSmkFromMenu}});
}

} // namespace tarrox
