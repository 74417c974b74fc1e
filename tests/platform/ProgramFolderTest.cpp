#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/FileAccess.h"
#include "platform/ProgramFolder.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

using ProgramFolderTest = test::TempDirTest;

// A build tree keeps the files beside the program; an installed copy in share/tarrox2.
TEST_F(ProgramFolderTest, ShippedFilesAreFoundBesideTheProgramFirstThenInTheShareFolder) {
    const fs::path bin = dir_ / "bin", share = dir_ / "share" / "tarrox2";
    struct Case {
        bool beside, shared;
        fs::path expected;
    } cases[] = {{true, false, bin / "TarroxII.htm"},
                 {false, true, share / "TarroxII.htm"},
                 {true, true, bin / "TarroxII.htm"},
                 {false, false, bin / "TarroxII.htm"}};
    SetProgramFolder(bin.string());
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.beside << c.shared);
        fs::remove_all(bin);
        fs::remove_all(share);
        fs::create_directories(bin);
        fs::create_directories(share);
        if (c.beside) std::ofstream(bin / "TarroxII.htm") << "x";
        if (c.shared) std::ofstream(share / "TarroxII.htm") << "x";
        EXPECT_EQ(DataFile("TarroxII.htm"), c.expected.string());
    }
    fs::create_directories(share / "data");
    EXPECT_EQ(DataFile("data"), (share / "data").string());
    EXPECT_EQ(ProgramFile("tarrox2-cli"), (bin / "tarrox2-cli").string());
}

// Runs `body` in a child process with TMPDIR set to `tmp`; returns the working copy's path the
// child wrote into `report` and leaves the child's wait status in `status`.
template <class Body>
std::string InChild(const fs::path& tmp, const fs::path& report, int& status, Body body) {
    pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("TMPDIR", tmp.c_str(), 1);
        const std::string path = TempFilePath();
        std::ofstream(report) << path;
        body(path);
        std::exit(0);
    }
    ::waitpid(pid, &status, 0);
    std::ifstream in(report);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Two editors at once never share a working copy, and neither leaves one behind, whether it
// ends normally or is told to stop.
TEST_F(ProgramFolderTest, EachProcessHasItsOwnPrivateWorkingCopyGoneAtExit) {
    SetProgramFolder(dir_.string());
    const std::string mine = TempFilePath();
    for (int signal : {0, SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        int status = 0;
        const std::string theirs =
            InChild(dir_, dir_ / "report.txt", status, [&](const std::string& path) {
                struct stat st {};
                if (::stat(fs::path(path).parent_path().c_str(), &st) != 0 ||
                    (st.st_mode & 0777) != 0700)
                    std::_Exit(3);
                const uint8_t bytes[] = {1, 2, 3};
                if (!WriteFileAtomically(path, bytes)) std::_Exit(4);
                if (signal) std::raise(signal);
            });
        if (signal)
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        else
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        ASSERT_FALSE(theirs.empty());
        EXPECT_EQ(fs::path(theirs).parent_path().parent_path(), dir_);
        EXPECT_NE(fs::path(theirs).parent_path(), fs::path(mine).parent_path());
        EXPECT_FALSE(fs::exists(fs::path(theirs).parent_path()));
    }
    // Removing it makes a fresh folder on the next use.
    RemoveTempFile();
    EXPECT_FALSE(fs::exists(fs::path(mine).parent_path()));
    EXPECT_NE(TempFilePath(), mine);
    EXPECT_TRUE(fs::is_directory(fs::path(TempFilePath()).parent_path()));
}

} // namespace
} // namespace tarrox
