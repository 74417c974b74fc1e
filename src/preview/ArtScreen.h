// Which of the game's art a dialog is drawn with. The dialog files do not say: the game picks
// the palette folder of each screen in its code, so the defaults below are the one place that
// knows, and the user can choose another folder for any dialog.
#pragma once

#include <string>
#include <vector>

#include "platform/DataFolders.h"

namespace tarrox {

enum class Race { Terran, Protoss, Zerg };

struct ArtChoice {
    // A glue palette folder as the game names it ("PalNl"), whose backgnd.pcx lies under the
    // dialog and whose dlg.grp draws its controls. Empty: an in-game dialog, drawn over black
    // with the race's dlgs\*.grp.
    std::string Folder;
    Race InGameRace = Race::Terran;
};

// The dialog's name as the folder table knows it: the file or archived name without folders
// and ".bin", in lower case ("rez\GluCmpgn.bin" -> "glucmpgn").
std::string DialogName(const std::string& path);

// The palette folder the game uses for the named dialog; empty for in-game dialogs and dialogs
// the table does not know.
std::string DefaultArtFolder(const std::string& dialogName);

// The palette folders the data folders hold a background for, the game's twelve first, in the
// game's spelling; a folder found only on disk is named in lower case.
std::vector<std::string> ArtFoldersFound(const DataFolders& folders);

// The files the art view reads for a choice, in the game's form.
std::string BackgroundFile(const ArtChoice& choice);
std::string ControlFramesFile(const ArtChoice& choice); // dlg.grp or dlgs\<race>.grp
std::string TileBoxFile(const ArtChoice& choice);
// Where the colours of the control frames come from: the folder's tfont.pcx, or in game a
// stand-in for the map's tileset palette.
std::string FramePaletteFile(const ArtChoice& choice);

} // namespace tarrox
