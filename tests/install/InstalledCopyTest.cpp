// The installed copy, read-only as in a system folder, run from there: the tool and the editor
// find their shipped files and write nothing into the install tree.
#include <QListWidget>
#include <QPushButton>
#include <fstream>

#include "archive/qt/ArchiveBrowser.h"
#include "editor/EditorFixture.h"
#include "support/SmpqArchive.h"

namespace tarrox::test {
namespace {

namespace fs = std::filesystem;

using InstalledCopyTest = EditorTest;

TEST_F(InstalledCopyTest, TheToolAndTheEditorRunFromAReadOnlyPrefix) {
    const auto Q = [](const fs::path& p) { return "'" + p.string() + "'"; };
    const fs::path prefix = dir / "prefix", cli = prefix / "bin" / "tarrox2-cli";
    ASSERT_EQ(
        Shell(Q(TARROX_CMAKE) + " --install " + Q(TARROX_BUILD_DIR) + " --prefix " + Q(prefix)), 0);
    ASSERT_EQ(Shell("chmod -R a-w " + Q(prefix)), 0);
    std::ofstream(dir / "installed"); // root writes through a read-only mode: compare times too
    struct Writable {
        fs::path p;
        ~Writable() { Shell("chmod -R u+w '" + p.string() + "'"); }
    } writable{prefix};
    auto run = [&](const fs::path& program, const std::string& args) {
        EXPECT_EQ(std::system((Q(program) + " " + args + " >" + Q(dir / "out.txt")).c_str()), 0);
        return Contents((dir / "out.txt").string());
    };
    // The shipped fonts draw the text: the build tree's picture, not the bare one.
    const std::string sample = Q(fs::path(TARROX_SOURCE_DIR) / "samples" / "mainmenu.bin");
    fs::create_directories(dir / "nodata");
    run(cli, "render " + sample + " " + Q(dir / "a.png"));
    run(TARROX_CLI, "render " + sample + " " + Q(dir / "b.png"));
    run(cli, "render " + sample + " " + Q(dir / "c.png") + " --data " + Q(dir / "nodata"));
    EXPECT_TRUE(Contents(Path("a.png")) == Contents(Path("b.png")));
    EXPECT_FALSE(Contents(Path("a.png")) == Contents(Path("c.png")));
    // Without a (listfile) only the shipped name list names the dialog.
    const std::string archive = Path("x.mpq");
    fs::create_directories(dir / "stage" / "rez");
    Write("stage/rez/glumain.bin", MakeDocument({{0, "Main"}, {2, "Play"}}));
    ASSERT_EQ(Shell("cd " + Q(dir / "stage") + " && smpq -c -N -M 1 ../x.mpq rez/glumain.bin"), 0);
    EXPECT_EQ(run(cli, "list " + Q(archive)), "rez\\glumain.bin\n");
    const std::string put = "put " + Q(dir / "new.mpq") + " 'rez\\glumain.bin' " + sample;
    EXPECT_TRUE(run(cli, put + " --progress").starts_with("progress 0 "));
    // The editor opens it through the installed tool and saves it back.
    SetProgramFolder((prefix / "bin").string());
    Start();
    dialogs.FileChoices.push_back(FileChoice{archive, 2});
    WhenModal([&](QWidget* modal) {
        ASSERT_NE(dynamic_cast<ArchiveBrowser*>(modal), nullptr);
        auto* list = modal->findChild<QListWidget*>("fileList");
        EXPECT_EQ(Entries(list), std::vector<std::string>{"rez\\glumain.bin"});
        list->setCurrentRow(0);
        modal->findChild<QPushButton*>("openButton")->click();
    });
    Trigger("fileOpen");
    ASSERT_EQ(doc->ObjectCount, 2);
    List("objectList")->setCurrentRow(1);
    Box("objectLeft")->setText("77");
    Trigger("fileSave");
    EXPECT_EQ(Title(), "Tarrox II - [x.mpq > glumain.bin]");
    EXPECT_EQ(SmpqExtract(archive, "rez\\glumain.bin", dir / "smpq-out"),
              Contents(Write("saved.bin", *doc)));
    EXPECT_EQ(doc->ObjectTable[1].Left, 77);
    EXPECT_EQ(run("find", Q(prefix) + " -newer " + Q(dir / "installed")), "");
}

} // namespace
} // namespace tarrox::test
