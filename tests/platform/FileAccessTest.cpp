#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document/BinFile.h"
#include "document/BinReader.h"
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

TEST_F(FileAccessTest, ReadTellsMissingFromUnreadable) {
    std::vector<uint8_t> out{1};
    EXPECT_EQ(ReadFileBytes(Path("none"), out), ReadStatus::Missing);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(ReadFileBytes(dir_.string(), out), ReadStatus::Failed);
    std::ofstream(Path("f")) << "abc";
    EXPECT_EQ(Contents(Path("f")), Bytes("abc"));
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

TEST_F(FileAccessTest, AtomicWriteReplacesWholeOrNothing) {
    std::ofstream(Path("f")) << "0123456789";
    ASSERT_TRUE(WriteFileAtomically(Path("f"), Bytes("abc")));
    EXPECT_EQ(Contents(Path("f")), Bytes("abc"));
    EXPECT_FALSE(WriteFileAtomically(Path("no-such-dir/f"), Bytes("xy")));
    EXPECT_FALSE(WriteFileAtomically(dir_.string(), Bytes("xy")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileAccessTest, ADialogSavedOverALargerFileReadsBackAsItself) {
    std::ofstream(Path("d.bin")) << std::string(500, '\xff');
    DialogDocument small;
    small.ObjectCount = small.StringCount = 1;
    small.ObjectTable[0].SmkLink = -1;
    small.StringTable[0] = "name 0";
    ASSERT_TRUE(SaveBinFileInPlace(Path("d.bin"), small));
    EXPECT_EQ(Contents(Path("d.bin")).size(), 500u);
    DialogDocument back;
    std::string error;
    ASSERT_TRUE(LoadBinFile(Path("d.bin"), back, error));
    EXPECT_EQ(back.ObjectCount, 1);
    EXPECT_EQ(back.StringTable[0], "name 0");
}

TEST_F(FileAccessTest, LoadingMissingOrUnreadableFiles) {
    DialogDocument d;
    std::string error;
    EXPECT_TRUE(LoadBinFile(Path("none.bin"), d, error));
    EXPECT_EQ(d.ObjectCount, 1);
    EXPECT_FALSE(LoadBinFile(Path("none.bin"), d, error, MissingFile::IsAnError));
    EXPECT_EQ(error, "Error: Could not open " + Path("none.bin") + ".");
    EXPECT_FALSE(LoadBinFile(dir_.string(), d, error));
    EXPECT_EQ(error, "Error: Could not open " + dir_.string() + ".");
}

} // namespace
} // namespace tarrox
