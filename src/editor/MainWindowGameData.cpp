// Options > "Import Game Data..." and "Use Bundled Data": the user's own game files in the
// user's data folder, and going back to the bundled ones. The archive library never runs in
// the editor: the tool imports in a child process.
#include <filesystem>

#include "archive/ArchiveClient.h"
#include "archive/qt/ProgressWindow.h"
#include "editor/MainWindow.h"
#include "editor/PreviewWindow.h"
#include "editor/Settings.h"
#include "platform/DataFolders.h"
#include "platform/Gdi.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox {

namespace {

namespace fs = std::filesystem;

// A loose font or table chosen in the dialog stands for the folder it lies in.
std::string ImportSource(const FileDialogState& choice) {
    const fs::path chosen = choice.FileName;
    const std::string extension = LowerCase(chosen.extension().string());
    if (choice.FilterIndex == 2 || extension == ".fnt" || extension == ".pcx")
        return chosen.parent_path().string();
    return chosen.string();
}

} // namespace

void MainWindow::ImportGameDataFromMenu() {
    if (!dialogs_.ShowOpen(gameDataDialog_) || gameDataDialog_.FileName.empty()) return;
    const ArchiveOutcome outcome =
        ImportInChild({ImportSource(gameDataDialog_)}, UserDataFolder(), KeepWindowsPainted);
    ReloadGameData();
    Message(outcome.Message.empty() ? "Error: Could not import the game data." : outcome.Message,
            outcome.Icon, MessageButtons::Ok, "Import Game Data");
}

void MainWindow::UseBundledDataFromMenu() {
    if (Message("The fonts and color tables imported from your game will be forgotten and the "
                "preview will draw with the bundled ones.\r\nDo you want to continue?",
                MessageIcon::Exclamation, MessageButtons::YesNo,
                "Use Bundled Data") != MessageAnswer::Yes)
        return;
    const fs::path folder = UserDataFolder();
    // A file that stays would go on being drawn with: the user must hear of it.
    std::string kept;
    auto forget = [&](const char* name) {
        std::error_code error;
        if (!fs::remove(folder / name, error) && error) kept += "\r\n" + (folder / name).string();
    };
    if (!folder.empty()) {
        for (const char* name : ImportedFontNames) forget(name);
        for (const char* name : ImportedTableNames) forget(name);
        std::error_code error;
        if (fs::remove_all(folder / "art", error) == static_cast<std::uintmax_t>(-1) || error)
            kept += "\r\n" + (folder / "art").string();
    }
    ReloadGameData();
    if (!kept.empty())
        Message("Error: Could not remove these imported files:" + kept, MessageIcon::Critical,
                MessageButtons::Ok, "Use Bundled Data");
}

void MainWindow::ReloadGameData() {
    LoadTextDrawingTables();
    if (preview_) preview_->ReloadFonts();
    if (codesCard_) codesCard_->Redraw(text_, settings_.CustomColorFile);
}

} // namespace tarrox
