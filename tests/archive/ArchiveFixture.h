// Archives made for a test with the independent smpq client, in the test's own folder, which
// is also the program folder (so data/binlist.txt is the test's name list).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/FileAccess.h"
#include "platform/ProgramFolder.h"
#include "support/SmpqArchive.h"
#include "support/TempDir.h"

namespace tarrox::test {

class ArchiveTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        SetProgramFolder(dir_.string());
        std::filesystem::create_directories(dir_ / "data");
        WriteNameList({"rez\\glumain.bin", "rez\\glusingl.bin", "rez\\options.bin"});
    }

    void WriteNameList(const std::vector<std::string>& names) {
        std::ofstream out(dir_ / "data" / "binlist.txt", std::ios::binary);
        for (const std::string& n : names) out << n << "\r\n";
    }

    // Archives of other shapes come from MakeLibraryArchive.
    std::string MakeArchive(const std::string& name, const std::vector<StoredFile>& files) {
        const std::string archive = Path(name);
        MakeSmpqArchive(archive, files, dir_ / ("stage-" + name));
        return archive;
    }
    std::string SmpqExtract(const std::string& archive, const std::string& name, int locale = 0) {
        return test::SmpqExtract(archive, name, dir_ / "smpq-out", locale);
    }
    static std::string Contents(const std::string& path) { return test::Contents(path); }

    std::string WriteFile(const std::string& name, const std::string& content) {
        std::ofstream(dir_ / name, std::ios::binary) << content;
        return Path(name);
    }

    // Names in the test folder other than the given ones: leftovers of an update.
    std::vector<std::string> Leftovers(const std::vector<std::string>& expected) {
        std::vector<std::string> out;
        for (const auto& e : std::filesystem::directory_iterator(dir_)) {
            std::string n = e.path().filename().string();
            if (n == "data" || n == "smpq-out" ||
                std::find(expected.begin(), expected.end(), n) != expected.end())
                continue;
            out.push_back(n);
        }
        return out;
    }
};

} // namespace tarrox::test
