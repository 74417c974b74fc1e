// Where game data files are found: the user's own copies of the game's files first, then the
// program's bundled ones, file by file.
#pragma once

#include <string>

namespace tarrox {

struct DataFolders {
    std::string User;    // imported files; empty for none
    std::string Bundled; // the program's data folder, or the one folder a caller names

    // One folder and nothing else, as `render --data DIR` asks.
    DataFolders(const std::string& only) : Bundled(only) {}
    DataFolders(const char* only) : Bundled(only) {}
    DataFolders(std::string user, std::string bundled)
        : User(std::move(user)), Bundled(std::move(bundled)) {}

    // `name` in the user's folder when it exists there, else in the bundled folder.
    std::string File(const std::string& name) const;
};

// The names the user's folder may hold: what importing writes and "Use Bundled Data" removes.
inline constexpr const char* ImportedFontNames[] = {"font8.fnt",  "font10.fnt",  "font14.fnt",
                                                    "font16.fnt", "font16x.fnt", "font32.fnt"};
inline constexpr const char* ImportedTableNames[] = {"tfontgam.pcx", "tfontglu.pcx",
                                                     "tfonttitle.pcx"};

// The user's data folder. The editor sets it from the host's per-user application data
// folder; otherwise it is the same place worked out from the environment (XDG on Linux).
void SetUserDataFolder(const std::string& folder);
std::string UserDataFolder();

// The user's folder, then the bundled data beside the program.
DataFolders GameDataFolders();

} // namespace tarrox
