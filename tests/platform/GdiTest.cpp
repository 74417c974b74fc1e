#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Gdi.h"

namespace tarrox {
namespace {

TEST(FileNameOf, PartAfterTheLastSeparator) {
    EXPECT_EQ(FileNameOf("rez\\glue\\mainmenu.bin"), "mainmenu.bin");
    EXPECT_EQ(FileNameOf("/home/a/b.bin"), "b.bin");
    EXPECT_EQ(FileNameOf("plain.bin"), "plain.bin");
    EXPECT_EQ(FileNameOf("ends\\"), "");
    EXPECT_EQ(FileNameOf(""), "");
}

TEST(PathExists, OnlyFilesCount) {
    auto dir = std::filesystem::temp_directory_path() / "tarrox-gdi-test";
    std::filesystem::create_directories(dir);
    auto file = dir / "x.bin";
    std::ofstream(file) << "x";
    EXPECT_TRUE(PathExists(file.string()));
    EXPECT_FALSE(PathExists(dir.string()));
    EXPECT_FALSE(PathExists((dir / "missing.bin").string()));
    EXPECT_FALSE(PathExists(""));
    EXPECT_FALSE(PathExists((file / "below-a-file").string()));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace tarrox
