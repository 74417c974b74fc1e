#include "platform/DataFolders.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/ProgramFolder.h"

namespace tarrox {

namespace fs = std::filesystem;

namespace {

std::optional<std::string>& UserFolder() {
    static std::optional<std::string> folder;
    return folder;
}

// What the editor's host reports for a program named "tarrox2" on Linux.
std::string FolderFromEnvironment() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    fs::path base;
    if (xdg && *xdg == '/')
        base = xdg;
    else if (home && *home)
        base = fs::path(home) / ".local/share";
    else
        return {};
    return (base / "tarrox2" / "data").string();
}

} // namespace

std::string DataFolders::File(const std::string& name) const {
    if (!User.empty()) {
        const fs::path mine = fs::path(User) / name;
        std::error_code ec;
        if (fs::exists(mine, ec)) return mine.string();
    }
    return (fs::path(Bundled) / name).string();
}

void SetUserDataFolder(const std::string& folder) {
    UserFolder() = folder;
}

std::string UserDataFolder() {
    if (!UserFolder()) UserFolder() = FolderFromEnvironment();
    return *UserFolder();
}

DataFolders GameDataFolders() {
    return {UserDataFolder(), DataFile("data")};
}

} // namespace tarrox
