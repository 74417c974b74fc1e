#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "document/BinFile.h"
#include "platform/FileAccess.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Contents(const fs::path& path) {
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadFileBytes(path.string(), bytes), ReadStatus::Ok) << path;
    return bytes;
}

TEST(Samples, CommittedFilesMatchTheirGenerator) {
    const fs::path dir = test::UniqueTempPath("samples");
    fs::remove_all(dir);
    fs::create_directories(dir);
    ASSERT_EQ(std::system((std::string(TARROX_MAKE_SAMPLES) + " " + dir.string()).c_str()), 0);
    for (const char* name : {"mainmenu.bin", "options.bin"})
        EXPECT_EQ(Contents(dir / name), Contents(fs::path(TARROX_SOURCE_DIR) / "samples" / name))
            << name << ": run make_samples samples/ and commit the result";
    fs::remove_all(dir);
}

TEST(Samples, MainMenuHasEveryTypeSharedOverlaysAndCodes) {
    DialogDocument d;
    std::string error;
    ASSERT_TRUE(LoadBinFile(std::string(TARROX_SOURCE_DIR) + "/samples/mainmenu.bin", d, error));
    EXPECT_TRUE(CheckInvariants(d).empty());
    std::vector<bool> types(15, false);
    int32_t alignments = 0;
    for (int i = 0; i < d.ObjectCount; ++i) {
        const DialogObject& o = d.ObjectTable[i];
        if (o.ControlType >= 0 && o.ControlType < 15) types[o.ControlType] = true;
        alignments |= o.Flags & (7 << 24);
    }
    EXPECT_EQ(std::count(types.begin(), types.end(), true), 15);
    EXPECT_EQ(alignments, 7 << 24);
    // The overlay that two objects share in the file is held once per object.
    EXPECT_EQ(d.StringTable[d.SmkTable[7].FileName], d.StringTable[d.SmkTable[8].FileName]);
}

} // namespace
} // namespace tarrox
