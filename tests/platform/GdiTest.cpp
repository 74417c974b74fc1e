#include <gtest/gtest.h>

#include <fstream>

#include "platform/Gdi.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

TEST(FileNameOf, PartAfterTheLastSeparator) {
    EXPECT_EQ(FileNameOf("rez\\glue\\mainmenu.bin"), "mainmenu.bin");
    EXPECT_EQ(FileNameOf("/home/a/b.bin"), "b.bin");
    EXPECT_EQ(FileNameOf("plain.bin"), "plain.bin");
    EXPECT_EQ(FileNameOf("ends\\"), "");
    EXPECT_EQ(FileNameOf(""), "");
}

class PathExists : public test::TempDirTest {};

TEST_F(PathExists, OnlyFilesCount) {
    std::ofstream(Path("x.bin")) << "x";
    EXPECT_TRUE(tarrox::PathExists(Path("x.bin")));
    EXPECT_FALSE(tarrox::PathExists(dir_.string()));
    EXPECT_FALSE(tarrox::PathExists(Path("missing.bin")));
    EXPECT_FALSE(tarrox::PathExists(""));
    EXPECT_FALSE(tarrox::PathExists(Path("x.bin/below-a-file")));
}

} // namespace
} // namespace tarrox
