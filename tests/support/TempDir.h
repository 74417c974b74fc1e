// A fresh folder per test, named after the test and the process, removed afterwards; and
// whole files in and out of it.
#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "platform/FileAccess.h"

namespace tarrox::test {

// A path under the system's temporary folder that no other test process uses at the same time.
inline std::filesystem::path UniqueTempPath(const std::string& stem) {
    return std::filesystem::temp_directory_path() /
           ("tarrox-" + stem + "-" + std::to_string(::getpid()));
}

inline std::string Text(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

inline std::string Contents(const std::filesystem::path& path) {
    std::vector<uint8_t> bytes;
    if (ReadFileBytes(path.string(), bytes) != ReadStatus::Ok) return "<unreadable>";
    return Text(bytes);
}

// Runs `act` with files limited to `bytes`, as on a disk that fills.
template <class Act> auto WithFileSizeLimit(rlim_t bytes, Act act) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{bytes, saved.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto result = act();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return result;
}

class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = UniqueTempPath(std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    // Writes `bytes` to the test folder's file `name`, making its folders, and gives its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        return Write(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::filesystem::create_directories(std::filesystem::path(Path(name)).parent_path());
        EXPECT_TRUE(WriteFileAtomically(Path(name), bytes)) << name;
        return Path(name);
    }

    std::filesystem::path dir_;
};

} // namespace tarrox::test
