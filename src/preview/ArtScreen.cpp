#include "preview/ArtScreen.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "platform/Gdi.h"

namespace tarrox {

namespace {

// Every main palette folder of the game's glue screens.
constexpr std::array<const char*, 12> GameFolders = {"PalCs", "PalMm", "PalNl", "PalPd",
                                                     "PalPv", "PalRp", "PalRt", "PalRz",
                                                     "PalTd", "PalTv", "PalZd", "PalZv"};

struct DialogFolder {
    const char* Dialog;
    const char* Folder;
};

// The game's screens and their folders. The score screen changes with the race and the
// outcome; a Terran victory stands for all of them. The title screen's own picture is not a
// palette folder's background; its folder's is the nearest match.
constexpr DialogFolder KnownScreens[] = {
    {"glumain", "PalMm"},  {"glugamemode", "PalMm"}, {"titledlg", "PalMm"},
    {"glucmpgn", "PalCs"}, {"gluexpcmpgn", "PalCs"}, {"gluconn", "PalNl"},
    {"glucreat", "PalNl"}, {"glucustm", "PalNl"},    {"gluchat", "PalNl"},
    {"glulogin", "PalNl"}, {"glunewch", "PalNl"},    {"gluload", "PalNl"},
    {"glujoin", "PalNl"},  {"glurdyt", "PalRt"},     {"glurdyz", "PalRz"},
    {"glurdyp", "PalRp"},  {"gluscore", "PalTv"},
};

constexpr const char* RaceNames[] = {"terran", "protoss", "zerg"};

} // namespace

std::string DialogName(const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    name = LowerCase(name);
    if (name.size() > 4 && name.ends_with(".bin")) name.resize(name.size() - 4);
    return name;
}

std::string DefaultArtFolder(const std::string& dialogName) {
    for (const DialogFolder& known : KnownScreens)
        if (dialogName == known.Dialog) return known.Folder;
    return {};
}

std::vector<std::string> ArtFoldersFound(const DataFolders& folders) {
    std::vector<std::string> found;
    auto has = [&](const std::string& folder) {
        return std::filesystem::is_regular_file(
            folders.File("art/glue/" + LowerCase(folder) + "/backgnd.pcx"));
    };
    for (const char* folder : GameFolders)
        if (has(folder)) found.push_back(folder);
    for (const std::string& root : {folders.User, folders.Bundled}) {
        if (root.empty()) continue;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(root + "/art/glue", error)) {
            const std::string name = entry.path().filename().string();
            const bool known = std::any_of(found.begin(), found.end(), [&](const std::string& f) {
                return LowerCase(f) == name;
            });
            if (!known && has(name)) found.push_back(name);
        }
    }
    return found;
}

std::string BackgroundFile(const ArtChoice& choice) {
    return choice.Folder.empty() ? std::string() : "glue\\" + choice.Folder + "\\backgnd.pcx";
}

std::string ControlFramesFile(const ArtChoice& choice) {
    if (choice.Folder.empty())
        return std::string("dlgs\\") + RaceNames[static_cast<int>(choice.InGameRace)] + ".grp";
    return "glue\\" + choice.Folder + "\\dlg.grp";
}

std::string TileBoxFile(const ArtChoice& choice) {
    return choice.Folder.empty() ? "dlgs\\tile.grp" : "glue\\" + choice.Folder + "\\tile.grp";
}

std::string FramePaletteFile(const ArtChoice& choice) {
    return choice.Folder.empty() ? "game\\nconsole.pcx" : "glue\\" + choice.Folder + "\\tfont.pcx";
}

} // namespace tarrox
