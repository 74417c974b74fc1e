#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "document/BinFile.h"
#include "platform/FileAccess.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

class FileAccessTest : public test::TempDirTest {
  protected:
    static std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
    static std::vector<uint8_t> Contents(const std::string& path) {
        std::vector<uint8_t> out;
        EXPECT_EQ(ReadFileBytes(path, out), ReadStatus::Ok);
        return out;
    }
};

TEST_F(FileAccessTest, OnlyRegularFilesWithinTheLimitAreRead) {
    std::vector<uint8_t> missing{1};
    EXPECT_EQ(ReadFileBytes(Path("none"), missing), ReadStatus::Missing);
    EXPECT_TRUE(missing.empty());
    // Each of these once blocked for ever or read gigabytes before any check.
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    std::ofstream(Path("sparse")).close();
    fs::resize_file(Path("sparse"), DefaultReadLimit + 1);
    std::ofstream(Path("ten")) << "0123456789";
    const struct {
        std::string path;
        uint64_t limit;
    } refused[] = {{dir_.string(), DefaultReadLimit},
                   {Path("fifo"), DefaultReadLimit},
                   {"/dev/zero", DefaultReadLimit},
                   {Path("sparse"), DefaultReadLimit},
                   {Path("ten"), 9}};
    for (const auto& r : refused) {
        std::vector<uint8_t> out{1};
        EXPECT_EQ(ReadFileBytes(r.path, out, r.limit), ReadStatus::Failed) << r.path;
        EXPECT_TRUE(out.empty()) << r.path;
    }
    EXPECT_EQ(Contents(Path("ten")), Bytes("0123456789"));
}

TEST_F(FileAccessTest, InPlaceWriteKeepsTheTailOfALongerFile) {
    std::ofstream(Path("f")) << "0123456789";
    ASSERT_TRUE(WriteFileInPlace(Path("f"), Bytes("abc")));
    EXPECT_EQ(Contents(Path("f")), Bytes("abc3456789"));
    ASSERT_TRUE(WriteFileInPlace(Path("new"), Bytes("xy")));
    EXPECT_EQ(Contents(Path("new")), Bytes("xy"));
    EXPECT_FALSE(WriteFileInPlace(dir_.string(), Bytes("xy")));
    EXPECT_FALSE(WriteFileInPlace(Path("no-such-dir/f"), Bytes("xy")));
}

size_t Entries(const fs::path& dir) {
    return size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST_F(FileAccessTest, AtomicWriteReplacesWholeOrNothing) {
    std::ofstream(Path("f")) << "0123456789";
    ASSERT_TRUE(WriteFileAtomically(Path("f"), Bytes("abc")));
    EXPECT_EQ(Contents(Path("f")), Bytes("abc"));
    EXPECT_FALSE(WriteFileAtomically(Path("no-such-dir/f"), Bytes("xy")));
    // A write that fails half-way (here: over the file size limit) keeps the old file and
    // leaves no temporary behind.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 2;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = WriteFileAtomically(Path("f"), Bytes("0123456789"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(Contents(Path("f")), Bytes("abc"));
    EXPECT_EQ(Entries(dir_), 1u);
}

using Writer = bool (*)(const std::string&, std::span<const uint8_t>);
const std::pair<const char*, Writer> Writers[] = {{"in place", WriteFileInPlace},
                                                  {"atomically", WriteFileAtomically}};

TEST_F(FileAccessTest, SavingThroughASymlinkWritesItsFileAndKeepsTheLink) {
    fs::create_directory(dir_ / "real");
    fs::create_symlink("real/f", Path("link"));
    fs::create_symlink("link", Path("link2"));
    for (auto [how, write] : Writers) {
        std::ofstream(Path("real/f")) << "old";
        ASSERT_TRUE(write(Path("link2"), Bytes("new"))) << how;
        EXPECT_TRUE(fs::is_symlink(Path("link2")) && fs::is_symlink(Path("link"))) << how;
        EXPECT_EQ(Contents(Path("real/f")), Bytes("new")) << how;
        EXPECT_EQ(Entries(dir_ / "real"), 1u) << how;
        EXPECT_EQ(Entries(dir_), 3u) << how;
    }
}

TEST_F(FileAccessTest, SavingRefusesTargetsThatAreNotRegularFiles) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    for (auto [how, write] : Writers) {
        for (const std::string& target : {Path("fifo"), std::string("/dev/null"), dir_.string()})
            EXPECT_FALSE(write(target, Bytes("xy"))) << how << " " << target;
        EXPECT_TRUE(fs::is_fifo(Path("fifo")));
        EXPECT_TRUE(fs::is_character_file("/dev/null"));
        EXPECT_EQ(Entries(dir_), 1u) << how;
    }
}

TEST_F(FileAccessTest, ReplacingKeepsPermissionBitsAndOwner) {
    const bool root = ::geteuid() == 0;
    for (mode_t mode : {0600, 0640, 0755}) {
        std::ofstream(Path("f")) << "old";
        ASSERT_EQ(::chmod(Path("f").c_str(), mode), 0);
        if (root) {
            ASSERT_EQ(::chown(Path("f").c_str(), 1234, 1235), 0);
        }
        ASSERT_TRUE(WriteFileAtomically(Path("f"), Bytes("new")));
        struct stat st;
        ASSERT_EQ(::stat(Path("f").c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        if (root) {
            EXPECT_EQ(st.st_uid * 10000 + st.st_gid, 1234u * 10000 + 1235);
        }
    }
    EXPECT_FALSE(IsReadOnlyFile(Path("f")));
    EXPECT_FALSE(IsReadOnlyFile(Path("none")));
    ::chmod(Path("f").c_str(), 0444);
    EXPECT_TRUE(IsReadOnlyFile(Path("f")));
}

// A dialog saved over a larger file keeps its tail and still reads as itself.
TEST_F(FileAccessTest, LoadingAndSavingDialogs) {
    std::ofstream(Path("d.bin")) << std::string(500, '\xff');
    DialogDocument d;
    d.ObjectCount = d.StringCount = 1;
    d.ObjectTable[0].SmkLink = -1;
    d.StringTable[0] = "name 0";
    ASSERT_TRUE(SaveBinFileInPlace(Path("d.bin"), d));
    EXPECT_EQ(Contents(Path("d.bin")).size(), 500u);
    DialogDocument back;
    std::string error;
    ASSERT_TRUE(LoadBinFile(Path("d.bin"), back, error));
    EXPECT_EQ(back.StringTable[0], "name 0");

    // A missing file is a new, blank dialog, unless the caller needs the file.
    EXPECT_TRUE(LoadBinFile(Path("none.bin"), d, error));
    EXPECT_EQ(d.StringTable[0], "");
    EXPECT_FALSE(LoadBinFile(Path("none.bin"), d, error, MissingFile::IsAnError));
    EXPECT_EQ(error, "Error: Could not open " + Path("none.bin") + ".");
}

} // namespace
} // namespace tarrox
