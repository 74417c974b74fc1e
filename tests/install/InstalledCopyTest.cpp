// The installed copy, read-only as in a system folder, run from there: the tool's render, list
// and put and the editor's archive round trip find their shipped files and write nothing into
// the install tree.
#include <QListWidget>
#include <QPushButton>
#include <fstream>
#include <map>

#include "archive/qt/ArchiveBrowser.h"
#include "editor/EditorFixture.h"
#include "support/SmpqArchive.h"

namespace tarrox::test {
namespace {

namespace fs = std::filesystem;

class InstalledCopyTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        prefix = dir / "prefix";
        ASSERT_EQ(Shell(std::string("'") + TARROX_CMAKE + "' --install '" + TARROX_BUILD_DIR +
                        "' --prefix '" + prefix.string() + "'"),
                  0);
        ASSERT_EQ(Shell("chmod -R a-w '" + prefix.string() + "'"), 0);
        before = Snapshot();
        SetProgramFolder((prefix / "bin").string());
        ASSERT_FALSE(before.empty());
    }
    void TearDown() override {
        // Root writes through a read-only mode, so the tree is also compared with its start.
        EXPECT_EQ(Snapshot(), before);
        Shell("chmod -R u+w '" + prefix.string() + "'");
        EditorTest::TearDown();
    }
    // Every path in the install tree with its size.
    std::map<std::string, uintmax_t> Snapshot() const {
        std::map<std::string, uintmax_t> out;
        for (const auto& e : fs::recursive_directory_iterator(prefix))
            out[fs::relative(e.path(), prefix).string()] = e.is_regular_file() ? e.file_size() : 0;
        return out;
    }
    // Runs `program` with `args` (quoted as needed); stdout comes back, stderr is dropped.
    static std::pair<int, std::string> Run(const fs::path& program, const std::string& args,
                                           const fs::path& out) {
        int raw = std::system(
            ("'" + program.string() + "' " + args + " >'" + out.string() + "' 2>/dev/null")
                .c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Contents(out.string())};
    }
    static std::string Q(const fs::path& p) { return "'" + p.string() + "'"; }
    static std::string Bytes(const DialogDocument& d) {
        auto b = WriteBinDocument(d).value();
        return {b.begin(), b.end()};
    }

    fs::path prefix;
    std::map<std::string, uintmax_t> before;
};

TEST_F(InstalledCopyTest, TheToolRendersListsAndPutsWithTheInstalledData) {
    const fs::path cli = prefix / "bin" / "tarrox2-cli", out = dir / "out.txt";
    const std::string sample = Q(fs::path(TARROX_SOURCE_DIR) / "samples" / "mainmenu.bin");
    // The shipped fonts draw the text: the same picture as the build tree's, not the bare one.
    EXPECT_EQ(Run(cli, "render " + sample + " " + Q(dir / "a.png"), out).first, 0);
    Run(TARROX_CLI, "render " + sample + " " + Q(dir / "b.png"), out);
    fs::create_directories(dir / "nodata");
    Run(cli, "render " + sample + " " + Q(dir / "c.png") + " --data " + Q(dir / "nodata"), out);
    EXPECT_TRUE(Contents(Path("a.png")) == Contents(Path("b.png")));
    EXPECT_FALSE(Contents(Path("a.png")) == Contents(Path("c.png")));

    // Without a (listfile) only the shipped name list can name the dialogs.
    fs::create_directories(dir / "stage" / "rez");
    std::ofstream(dir / "stage" / "rez" / "glumain.bin") << "main";
    ASSERT_EQ(Shell("cd " + Q(dir / "stage") + " && smpq -c -N -M 1 " + Q(dir / "bare.mpq") +
                    " rez/glumain.bin"),
              0);
    EXPECT_EQ(Run(cli, "list " + Q(dir / "bare.mpq"), out),
              std::make_pair(0, std::string("rez\\glumain.bin\n")));

    MakeSmpqArchive(Path("x.mpq"), {{"rez\\glumain.bin", "main"}}, dir / "stage");
    std::ofstream(dir / "new.bin") << "new main";
    EXPECT_EQ(Run(cli, "put " + Q(dir / "x.mpq") + " 'rez\\glumain.bin' " + Q(dir / "new.bin"), out)
                  .first,
              0);
    EXPECT_EQ(SmpqExtract(Path("x.mpq"), "rez\\glumain.bin", dir / "smpq-out"), "new main");
}

TEST_F(InstalledCopyTest, TheEditorOpensAnArchivedDialogAndSavesItBack) {
    const std::string archive = Path("x.mpq");
    MakeSmpqArchive(archive,
                    {{"rez\\glumain.bin", Bytes(MakeDocument({{0, "Main"}, {2, "Play"}}))}},
                    dir / "stage");
    Start();
    std::vector<std::string> browsed;
    dialogs.FileChoices.push_back(FileChoice{archive, 2});
    WhenModal([&](QWidget* modal) {
        auto* browser = dynamic_cast<ArchiveBrowser*>(modal);
        ASSERT_NE(browser, nullptr);
        auto* list = browser->findChild<QListWidget*>("fileList");
        browsed = Entries(list);
        list->setCurrentRow(0);
        browser->findChild<QPushButton*>("openButton")->click();
    });
    Trigger("fileOpen");
    EXPECT_EQ(browsed, std::vector<std::string>{"rez\\glumain.bin"});
    ASSERT_EQ(doc->ObjectCount, 2);
    EXPECT_EQ(fs::path(form->File().Path).parent_path().parent_path(), fs::temp_directory_path());

    List("objectList")->setCurrentRow(1);
    Box("objectLeft")->setText("77");
    Trigger("fileSave");
    EXPECT_EQ(Title(), "Tarrox II - [x.mpq > glumain.bin]");
    EXPECT_EQ(SmpqExtract(archive, "rez\\glumain.bin", dir / "smpq-out"), Bytes(*doc));
    EXPECT_EQ(doc->ObjectTable[1].Left, 77);
}

} // namespace
} // namespace tarrox::test
