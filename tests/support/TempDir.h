// A fresh folder per test, named after the test and the process, removed afterwards; and
// whole files in and out of it.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/FileAccess.h"

namespace tarrox::test {

// A path under the system's temporary folder that no other test process uses at the same time.
inline std::filesystem::path UniqueTempPath(const std::string& stem) {
    return std::filesystem::temp_directory_path() /
           ("tarrox-" + stem + "-" + std::to_string(::getpid()));
}

inline std::filesystem::path TestTempPath(const std::string& prefix = "") {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return UniqueTempPath(prefix + info->test_suite_name() + "-" + info->name());
}

inline std::string Contents(const std::filesystem::path& path) {
    std::vector<uint8_t> bytes;
    if (ReadFileBytes(path.string(), bytes) != ReadStatus::Ok) return "<unreadable>";
    return {bytes.begin(), bytes.end()};
}

class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = TestTempPath();
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    // Writes `bytes` to the test folder's file `name` and gives its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        EXPECT_TRUE(WriteFileAtomically(Path(name), {data, bytes.size()})) << name;
        return Path(name);
    }

    std::filesystem::path dir_;
};

} // namespace tarrox::test
