// Test archives made and read with the independent smpq client.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace tarrox::test {

struct StoredFile {
    std::string Name; // with "\" as the archive writes it
    std::string Content;
    int Locale = 0;
};

inline int Shell(const std::string& command) {
    int raw = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

inline std::string Slashed(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

// A version-1 archive of PKWARE-compressed files; `stage` is a scratch folder.
inline void MakeSmpqArchive(const std::string& archive, const std::vector<StoredFile>& files,
                            const std::filesystem::path& stage) {
    for (const StoredFile& f : files) {
        const bool first = &f == &files.front();
        std::filesystem::remove_all(stage);
        const std::string relative = Slashed(f.Name);
        auto file = stage / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << f.Content;
        std::string command = "cd '" + stage.string() + "' && smpq " + (first ? "-c -M 1" : "-a") +
                              " -f -C PKWARE -O " + std::to_string(f.Locale) + " '" + archive +
                              "' '" + relative + "'";
        EXPECT_EQ(Shell(command), 0) << command;
    }
    std::filesystem::remove_all(stage);
}

// The archived file as smpq extracts it, or "<missing>".
inline std::string SmpqExtract(const std::string& archive, const std::string& name,
                               const std::filesystem::path& scratch, int locale = 0) {
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    if (Shell("cd '" + scratch.string() + "' && smpq -x -O " + std::to_string(locale) + " '" +
              archive + "' '" + Slashed(name) + "'") != 0)
        return "<missing>";
    std::string out = Contents(scratch / Slashed(name));
    std::filesystem::remove_all(scratch);
    return out;
}

} // namespace tarrox::test
