// The installed tool, read-only as in a system folder, finds its files and writes nothing there.
#include <fstream>

#include "editor/EditorFixture.h"
#include "support/SmpqArchive.h"

namespace tarrox::test {
namespace {

namespace fs = std::filesystem;

using InstalledCopyTest = EditorTest;

TEST_F(InstalledCopyTest, TheToolRunsFromAReadOnlyPrefix) {
    const auto Q = [](const fs::path& p) { return std::string("'").append(p.string()) + "'"; };
    const fs::path prefix = dir_ / "prefix", cli = prefix / "bin" / "tarrox2-cli";
    ASSERT_EQ(
        Shell(Q(TARROX_CMAKE) + " --install " + Q(TARROX_BUILD_DIR) + " --prefix " + Q(prefix)), 0);
    ASSERT_EQ(Shell("chmod -R a-w " + Q(prefix)), 0);
    std::ofstream(dir_ / "installed"); // root writes through a read-only mode: compare times too
    struct Writable {
        fs::path p;
        ~Writable() { Shell("chmod -R u+w '" + p.string() + "'"); }
    } writable{prefix};
    auto run = [&](const fs::path& program, const std::string& args) {
        EXPECT_EQ(std::system((Q(program) + " " + args + " >" + Q(dir_ / "out.txt")).c_str()), 0);
        return Contents((dir_ / "out.txt").string());
    };
    // The shipped fonts draw the text: the build tree's picture, not the bare one.
    const std::string sample = Q(fs::path(TARROX_SOURCE_DIR) / "samples" / "mainmenu.bin");
    fs::create_directories(dir_ / "nodata");
    run(cli, "render " + sample + " " + Q(dir_ / "a.png"));
    run(TARROX_CLI, "render " + sample + " " + Q(dir_ / "b.png"));
    run(cli, "render " + sample + " " + Q(dir_ / "c.png") + " --data " + Q(dir_ / "nodata"));
    EXPECT_TRUE(Contents(Path("a.png")) == Contents(Path("b.png")));
    EXPECT_FALSE(Contents(Path("a.png")) == Contents(Path("c.png")));
    // Without a (listfile) only the shipped name list names the dialog.
    Write("stage/rez/glumain.bin", MakeDocument({{0, "Main"}, {2, "Play"}}));
    ASSERT_EQ(Shell("cd " + Q(dir_ / "stage") + " && smpq -c -N -M 1 ../x.mpq rez/glumain.bin"), 0);
    EXPECT_EQ(run(cli, "list " + Q(dir_ / "x.mpq")), "rez\\glumain.bin\n");
    const std::string put = "put " + Q(dir_ / "new.mpq") + " 'rez\\glumain.bin' " + sample;
    EXPECT_TRUE(run(cli, put + " --progress").starts_with("progress 0 "));
    EXPECT_EQ(run("find", Q(prefix) + " -newer " + Q(dir_ / "installed")), "");
}

} // namespace
} // namespace tarrox::test
