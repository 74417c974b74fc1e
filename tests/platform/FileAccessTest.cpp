#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "platform/FileAccess.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using Writer = bool (*)(const std::string&, std::span<const uint8_t>);
const std::pair<const char*, Writer> Writers[] = {{"in place", WriteFileInPlace},
                                                  {"atomically", WriteFileAtomically}};

class FileAccessTest : public test::TempDirTest {
  protected:
    // The file's text, or why not with nothing kept.
    std::string Read(const std::string& path, uint64_t limit = DefaultReadLimit) {
        Bytes out{1};
        const ReadStatus status = ReadFileBytes(path, out, limit);
        if (status == ReadStatus::Ok) return {out.begin(), out.end()};
        if (!out.empty()) return "?";
        return status == ReadStatus::Missing    ? "(missing)"
               : status == ReadStatus::TooLarge ? "(too large)"
                                                : "(refused)";
    }
    // Every name in the folder, sorted, with a symlink's target.
    std::string Listing(const fs::path& dir) {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.insert(e.path().filename().string() +
                         (e.is_symlink() ? "->" + fs::read_symlink(e.path()).string() : "") + " ");
        std::string out;
        for (const std::string& n : names) out += n;
        return out;
    }
};

TEST_F(FileAccessTest, OnlyRegularFilesWithinTheLimitAreRead) {
    // Each of the refused once blocked for ever or read gigabytes before any check.
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    std::ofstream(Path("sparse")).close();
    fs::resize_file(Path("sparse"), DefaultReadLimit + 1);
    std::ofstream(Path("ten")) << "0123456789";
    const std::pair<std::string, std::string> cases[] = {
        {Path("none"), "(missing)"}, {dir_.string(), "(refused)"},    {Path("fifo"), "(refused)"},
        {"/dev/zero", "(refused)"},  {Path("sparse"), "(too large)"},
    };
    for (const auto& [path, read] : cases) EXPECT_EQ(Read(path), read) << path;
    EXPECT_EQ(Read(Path("ten"), 9) + Read(Path("ten"), 10), "(too large)0123456789");
    // A file that says it is empty yet holds more, read without a limit.
    EXPECT_EQ(Read("/proc/self/status", UINT64_MAX).substr(0, 5), "Name:");
}

TEST_F(FileAccessTest, WritingReplacesRegularFilesThroughLinksAndRefusesOthers) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    // A device of our own (root only): a broken check would replace the system's.
    const bool dev = ::mknod(Path("null").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    fs::create_directory(dir_ / "real");
    fs::create_symlink("real/f", Path("link"));
    fs::create_symlink("link", Path("link2"));
    for (auto [how, write] : Writers) {
        SCOPED_TRACE(how);
        std::ofstream(Path("real/f")) << "0123456789";
        ASSERT_TRUE(write(Path("link2"), Bytes{'a', 'b', 'c'}));
        // In place keeps the tail of a longer file; atomically replaces it whole.
        EXPECT_EQ(Read(Path("real/f")), write == WriteFileInPlace ? "abc3456789" : "abc");
        ASSERT_TRUE(write(Path("new"), Bytes{'x'}));
        EXPECT_EQ(Read(Path("new")), "x");
        for (const std::string& target : {Path("fifo"), dev ? Path("null") : Path("fifo"),
                                          dir_.string(), Path("no-such-dir/f")})
            EXPECT_FALSE(write(target, Bytes{'x'})) << target;
        EXPECT_EQ(Listing(dir_),
                  "fifo link->real/f link2->link new " + std::string(dev ? "null " : "") + "real ");
        EXPECT_EQ(Listing(dir_ / "real"), "f ");
        fs::remove(Path("new"));
    }
}

TEST_F(FileAccessTest, AFailedAtomicWriteKeepsTheOldFileAndAGoodOneItsPermissionBits) {
    std::ofstream(Path("f")) << "abc";
    ASSERT_EQ(::chmod(Path("f").c_str(), 0751), 0);
    EXPECT_FALSE(
        test::WithFileSizeLimit(2, [&] { return WriteFileAtomically(Path("f"), Bytes(10, 'x')); }));
    EXPECT_EQ(Read(Path("f")) + " " + Listing(dir_), "abc f "); // and no temporary is left
    ASSERT_TRUE(WriteFileAtomically(Path("f"), Bytes{'n'}));
    struct stat st;
    EXPECT_EQ(::stat(Path("f").c_str(), &st) == 0 ? st.st_mode & 07777 : 0, 0751u);
}

std::vector<std::string> diskSteps;

// A power cut after the rename must find the new bytes on disk, not an empty file.
TEST_F(FileAccessTest, AReplacingFileIsOnDiskBeforeItsRename) {
    WatchDiskSteps([](const std::string& step) { diskSteps.push_back(step); });
    const std::pair<const char*, std::function<bool()>> saves[] = {
        {"a save", [&] { return WriteFileAtomically(Path("f"), Bytes{'n'}); }},
        {"an archive update", [&] {
             std::ofstream(Path("f.new")) << "new";
             return ReplaceFileWith(Path("f"), Path("f.new"));
         }}};
    for (const auto& [what, save] : saves) {
        SCOPED_TRACE(what);
        std::ofstream(Path("f")) << "old";
        diskSteps.clear();
        ASSERT_TRUE(save());
        ASSERT_FALSE(diskSteps.empty());
        const std::string synced = diskSteps[0].substr(diskSteps[0].find(' ') + 1);
        EXPECT_EQ(diskSteps, (std::vector<std::string>{"fsync " + synced,
                                                       "rename " + synced + " -> " + Path("f")}));
    }
    WatchDiskSteps(nullptr);
}

} // namespace
} // namespace tarrox
