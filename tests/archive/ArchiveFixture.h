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
#include "support/TempDir.h"

namespace tarrox::test {

struct StoredFile {
    std::string Name; // with "\" as the archive writes it
    std::string Content;
    int Locale = 0;
};

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

    static int Shell(const std::string& command) {
        int raw = std::system((command + " >/dev/null 2>&1").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }

    // Makes a version-1 archive of PKWARE-compressed files. `extra` goes to every smpq call
    // ("-N" leaves out the (listfile), "-m 8" fixes the room for files).
    std::string MakeArchive(const std::string& name, const std::vector<StoredFile>& files,
                            const std::string& extra = "") {
        const std::string archive = Path(name);
        const auto stage = dir_ / ("stage-" + name);
        bool first = true;
        for (const StoredFile& f : files) {
            std::filesystem::remove_all(stage);
            std::string relative = f.Name;
            for (char& c : relative)
                if (c == '\\') c = '/';
            auto file = stage / relative;
            std::filesystem::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary) << f.Content;
            std::string command = "cd '" + stage.string() + "' && smpq " +
                                  (first ? "-c -M 1" : "-a") + " -f -C PKWARE -O " +
                                  std::to_string(f.Locale) + " " + extra + " '" + archive + "' '" +
                                  relative + "'";
            EXPECT_EQ(Shell(command), 0) << command;
            first = false;
        }
        std::filesystem::remove_all(stage);
        return archive;
    }

    // The archived file as smpq extracts it, or "<missing>".
    std::string SmpqExtract(const std::string& archive, const std::string& name, int locale = 0) {
        const auto out = dir_ / "smpq-out";
        std::filesystem::remove_all(out);
        std::filesystem::create_directories(out);
        std::string slashed = name;
        for (char& c : slashed)
            if (c == '\\') c = '/';
        if (Shell("cd '" + out.string() + "' && smpq -x -O " + std::to_string(locale) + " '" +
                  archive + "' '" + slashed + "'") != 0)
            return "<missing>";
        return Contents((out / slashed).string());
    }

    static std::string Contents(const std::string& path) {
        std::vector<uint8_t> bytes;
        if (ReadFileBytes(path, bytes) != ReadStatus::Ok) return "<unreadable>";
        return {bytes.begin(), bytes.end()};
    }

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
