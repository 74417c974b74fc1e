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

// Two editors never share a working copy, and none is left behind, even after a signal.
TEST_F(ProgramFolderTest, EachProcessHasItsOwnPrivateWorkingCopyGoneAtExit) {
    const std::string mine = TempFilePath();
    for (int signal : {0, SIGTERM, SIGINT}) {
        const pid_t pid = ::fork();
        if (pid == 0) { // reports its copy's path, then ends as told; 3: the copy was not private
            ::setenv("TMPDIR", dir_.c_str(), 1);
            const std::string path = TempFilePath();
            std::ofstream(Path("report")) << path;
            struct stat st {};
            const uint8_t bytes[] = {1, 2, 3};
            if (::stat(fs::path(path).parent_path().c_str(), &st) != 0 ||
                (st.st_mode & 0777) != 0700 || !WriteFileAtomically(path, bytes))
                std::_Exit(3);
            if (signal) std::raise(signal);
            std::exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status), signal);
        std::ifstream in(Path("report"));
        const fs::path theirs = std::string(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(theirs.parent_path().parent_path(), dir_) << signal;
        EXPECT_FALSE(fs::exists(theirs.parent_path())) << signal;
    }
    RemoveTempFile(); // then the next use makes a fresh folder
    EXPECT_FALSE(fs::exists(fs::path(mine).parent_path()));
    EXPECT_NE(TempFilePath(), mine);
    EXPECT_TRUE(fs::is_directory(fs::path(TempFilePath()).parent_path()));
}

} // namespace
} // namespace tarrox
