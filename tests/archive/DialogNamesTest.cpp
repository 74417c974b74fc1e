#include <gtest/gtest.h>

#include "ArchiveFixture.h"
#include "LibraryArchive.h"
#include "archive/ArchiveFiles.h"
#include "archive/DialogNames.h"

namespace tarrox::test {
namespace {

std::vector<std::string> Names(const std::vector<ArchiveLine>& lines) {
    std::vector<std::string> out;
    for (const ArchiveLine& l : lines) out.push_back(FormatArchiveLine(l));
    return out;
}

TEST(DialogNames, LinesAreSortedIgnoringCaseAndEachFileListedOnce) {
    std::vector<ArchiveLine> lines = {{"rez\\b.bin"}, {"rez\\A.bin", 1031}, {"rez\\a.bin"},
                                      {"rez\\B.bin"}, {"rez\\a.bin", 1031}, {"rez\\Ab.bin"}};
    SortDialogLines(lines);
    EXPECT_EQ(Names(lines),
              Names({{"rez\\a.bin"}, {"rez\\A.bin", 1031}, {"rez\\Ab.bin"}, {"rez\\b.bin"}}));
}

class ShippedNameListTest : public ArchiveTest {
  protected:
    void SetUp() override {
        ArchiveTest::SetUp();
        std::filesystem::copy_file(std::string(TARROX_SOURCE_DIR) + "/data/binlist.txt",
                                   dir_ / "data" / "binlist.txt",
                                   std::filesystem::copy_options::overwrite_existing);
    }
};

TEST_F(ShippedNameListTest, FindsTheGamesDialogsInAnArchiveWithoutNamesAndKeepsItsOwn) {
    // The game's patch archive has no (listfile): only the shipped list names its dialogs,
    // whatever their case inside the archive.
    std::vector<StoredFile> unnamed;
    for (const char* name : {"MiniMapPreview", "allyfltr", "quitrepl", "statbtnn", "titledlg",
                             "titledlg_mac", "gluCustm"})
        unnamed.push_back({std::string("rez\\") + name + ".bin", name});
    const std::string bare = Path("bare.mpq");
    ASSERT_TRUE(MakeLibraryArchive(bare, unnamed, false, 64));
    std::vector<ArchiveLine> lines;
    ASSERT_EQ(ListDialogFiles(bare, NameListPath(), 0, lines), ListResult::Listed);
    EXPECT_EQ(Names(lines), (std::vector<std::string>{
                                "rez\\allyfltr.bin", "rez\\glucustm.bin", "rez\\minimappreview.bin",
                                "rez\\quitrepl.bin", "rez\\statbtnn.bin", "rez\\titledlg.bin",
                                "rez\\titledlg_mac.bin"}));

    // An archive's own names come too, in its own spelling, sorted in among the game's.
    const std::string named = MakeArchive(
        "named.mpq", {{"rez\\zmine.bin", "z"}, {"rez\\Glumain.bin", "m"}, {"rez\\amine.bin", "a"}});
    ASSERT_EQ(ListDialogFiles(named, NameListPath(), 0, lines), ListResult::Listed);
    EXPECT_EQ(Names(lines),
              (std::vector<std::string>{"rez\\amine.bin", "rez\\Glumain.bin", "rez\\zmine.bin"}));
}

} // namespace
} // namespace tarrox::test
