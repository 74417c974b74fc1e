// What the main window has open and what it has chosen in it; the document holds only the
// dialog's content.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarrox {

struct OpenFile {
    // The .bin on disk; for a file from an archive, the temporary copy it was extracted to.
    std::string Path;
    bool IsOpen = false;
    bool FromArchive = false;
    // Where an archived document came from, or where Save As put it.
    std::string ArchivePath;
    std::string ArchivedName;
    // The locale of the archived file, so a save replaces that locale's file and no other.
    int32_t ArchivedLocale = 0;
};

// The records shown in the editors; -1 when none.
struct Selection {
    int32_t Object = -1;
    int32_t Smk = -1;
    // Every selected object in the order they were picked, Object first; commands on several
    // objects act on these and align to the first.
    std::vector<int32_t> Objects;
    bool HasObject(int32_t index) const {
        for (int32_t i : Objects)
            if (i == index) return true;
        return false;
    }
};

} // namespace tarrox
