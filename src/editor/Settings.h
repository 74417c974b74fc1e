// The per-user settings: read once at start-up, written once at shutdown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarrox {

class SettingsStore;

// Colours are 0x00BBGGRR.
struct Settings {
    bool AutoCalc = false;
    int32_t MpqLocale = 0;
    bool ShowAll = true;
    bool FillRects = true;
    bool ShowHidden = true;
    bool GameArt = false;
    int32_t ArtRace = 0; // Race: the in-game frames
    // The palette folder chosen per dialog name, "name=Folder" pairs split by ';', "none" for
    // no background; a dialog not named here takes its screen's own folder.
    std::string ArtFolders;
    int32_t HighlightColor = 0x6060F0;
    int32_t HighlightColorDark = 0x4040C0;
    int32_t NormalColor = 0xC08040;
    int32_t NormalColorDark = 0x804000;
    int32_t FontColorSet = 1;
    std::string CustomColorFile;
    // The preview's grid, in picture pixels (1 to 32); 8 is the game's button pieces.
    bool ShowGrid = false;
    bool SnapToGrid = false;
    int32_t GridSize = 8;
};

inline constexpr const char* SettingsSection = "Options";

// The folder chosen for the named dialog, "none" included; nothing when never chosen.
std::optional<std::string> ChosenArtFolder(const Settings& settings, const std::string& dialog);
// Remembers the choice; a name the list cannot hold (with '=' or ';') is not remembered.
void ChooseArtFolder(Settings& settings, const std::string& dialog, const std::string& folder);

// A value that is missing or does not convert keeps its default.
Settings ReadSettings(SettingsStore& store);
void WriteSettings(SettingsStore& store, const Settings& settings);

} // namespace tarrox
