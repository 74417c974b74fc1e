// Archives made for a test with the independent smpq client, in the test's own folder, which
// is also the program folder (so data/binlist.txt is the test's name list).
#pragma once

#include <algorithm>

#include "platform/ProgramFolder.h"
#include "support/SmpqArchive.h"
#include "support/TempDir.h"

namespace tarrox::test {

using Names = std::vector<std::string>;

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
    // The test folder's files, sorted: what an update leaves behind shows here.
    Names Folder() const {
        Names out;
        for (const auto& e : std::filesystem::directory_iterator(dir_))
            if (e.path().filename() != "data") out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

} // namespace tarrox::test
