// Archives made with smpq in the test's folder, also the program folder with its name list.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>

#include "archive/ArchiveFiles.h"
#include "archive/Mpq.h"
#include "platform/ProgramFolder.h"
#include "support/SmpqArchive.h"
#include "support/TempDir.h"

namespace tarrox::test {

using Names = std::vector<std::string>;
using Steps = std::vector<std::pair<uint64_t, uint64_t>>;

// Every step reported; progress never goes back nor past its total.
struct Progress : mpq::CompactProgress {
    std::function<void()> Step = [] {};
    Steps Seen;
    void Update(uint64_t done, uint64_t total) override {
        EXPECT_LE(done, total);
        EXPECT_GE(done, !Seen.empty() && Seen.back().second == total ? Seen.back().first : 0);
        Seen.push_back({done, total});
        Step();
    }
};

inline Names Formatted(const std::vector<ArchiveLine>& lines) {
    Names out;
    for (const ArchiveLine& l : lines) out.push_back(FormatArchiveLine(l));
    return out;
}

// What the user reads when the check before opening refuses the archive at `path`.
inline std::string DamagedArchive(const std::string& path) {
    return "Error: " + path + " is damaged: a file in it lies outside it or is stored in a way " +
           "that cannot be read.";
}

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
