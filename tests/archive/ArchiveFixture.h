// Archives made with smpq in the test's folder, also the program folder with its name list.
#pragma once

#include <algorithm>
#include <cstring>

#include "platform/ProgramFolder.h"
#include "support/SmpqArchive.h"
#include "support/TempDir.h"

namespace tarrox::test {

using Names = std::vector<std::string>;

// The archive with its first file's first sector's method byte set: both makers store that
// file compressed right after the 32-byte header, starting with its sector table.
inline std::string WithFirstSectorMethod(std::string archive, uint8_t method) {
    constexpr size_t FirstFile = 32;
    uint32_t firstSector = 0;
    std::memcpy(&firstSector, archive.data() + FirstFile, 4);
    archive.at(FirstFile + firstSector) = char(method);
    return archive;
}

class ArchiveTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        SetProgramFolder(dir_.string());
        std::filesystem::create_directories(dir_ / "data");
        Write("data/binlist.txt", "rez\\glumain.bin\r\nrez\\glusingl.bin\r\nrez\\options.bin\r\n");
    }
    std::string MakeArchive(const std::string& name, const std::vector<StoredFile>& files) {
        MakeSmpqArchive(Path(name), files, dir_ / "stage");
        return Path(name);
    }
    static std::string Q(const std::string& s) { return "'" + s + "'"; }
    std::string SmpqExtract(const std::string& archive, const std::string& name, int locale = 0) {
        return test::SmpqExtract(archive, name, dir_ / "smpq-out", locale);
    }
    // The test folder's files, sorted: what an update leaves behind.
    Names Folder() const {
        Names out;
        for (const auto& e : std::filesystem::directory_iterator(dir_))
            if (e.path().filename() != "data") out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

} // namespace tarrox::test
