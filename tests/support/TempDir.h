// A fresh folder per test, named after the test and the process, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace tarrox::test {

// A path under the system's temporary folder that no other test process uses at the same time.
inline std::filesystem::path UniqueTempPath(const std::string& stem) {
    return std::filesystem::temp_directory_path() /
           ("tarrox-" + stem + "-" + std::to_string(::getpid()));
}

// The current test's own folder name: suite, test and process.
inline std::filesystem::path TestTempPath(const std::string& prefix = "") {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return UniqueTempPath(prefix + info->test_suite_name() + "-" + info->name());
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

    std::filesystem::path dir_;
};

} // namespace tarrox::test
