#include <gtest/gtest.h>

#include "archive/ArchiveFixture.h"
#include "archive/LibraryArchive.h"
#include "support/CliRun.h"

namespace tarrox {
namespace {

class ArchiveCliTest : public test::ArchiveTest {
  protected:
    using Run = test::CliRun;
    Run Cli(const std::string& args) { return test::RunCli(args, dir_); }
    static std::string Q(const std::string& s) { return "'" + s + "'"; }
};

// The tool's name list is the one beside it; the test archives carry a (listfile) anyway.
TEST_F(ArchiveCliTest, ListExtractAndPutRoundTrip) {
    std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"},
                                          {"rez\\options.bin", "deutsch", 1031},
                                          {"rez\\notes.txt", "skip"}});
    Run r = Cli("list " + Q(a));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "rez\\glumain.bin\n");
    r = Cli("list " + Q(a) + " --locale -1");
    EXPECT_NE(r.out.find("rez\\options.bin  (1031)\n"), std::string::npos) << r.out;

    r = Cli("extract " + Q(a) + " 'rez\\options.bin' " + Q(Path("de.bin")) + " --locale 1031");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Contents(Path("de.bin")), "deutsch");

    r = Cli("put " + Q(a) + " 'rez\\glumain.bin' " + Q(WriteFile("in.bin", "new main")));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(SmpqExtract(a, "rez\\glumain.bin"), "new main");
    // For the editor: the compaction's progress as lines on stdout.
    r = Cli("put " + Q(a) + " 'rez\\glumain.bin' " + Q(Path("in.bin")) + " --progress");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("progress 0 ", 0), 0u) << r.out;
}

// The save went through; only the space of the replaced file is not reclaimed.
TEST_F(ArchiveCliTest, PutIntoAnArchiveWithUnnamedFilesEndsWithANote) {
    const std::string a = Path("bare.mpq");
    ASSERT_TRUE(
        test::MakeLibraryArchive(a, {{"rez\\glumain.bin", "old"}, {"rez\\x.bin", "x"}}, false, 16));
    Run r = Cli("put " + Q(a) + " 'rez\\glumain.bin' " + Q(WriteFile("in.bin", "new")));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "note: " + a + " not compacted: it holds files whose names are unknown\n");
    EXPECT_EQ(SmpqExtract(a, "rez\\glumain.bin"), "new");
}

TEST_F(ArchiveCliTest, FailuresEndWithAMessageAndStatusOne) {
    std::string text = WriteFile("t.mpq", "plain text");
    Run r = Cli("list " + Q(text));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: " + text + " does not contain an MPQ archive.\n");
    r = Cli("extract " + Q(text) + " 'rez\\glumain.bin' " + Q(Path("o.bin")));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: Could not open archive.\n");
    r = Cli("put " + Q(text) + " 'rez\\glumain.bin' " + Q(Path("missing.bin")));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Contents(text), "plain text");
    r = Cli("list " + Q(text) + " --locale x");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("usage"), std::string::npos);
}

// Archives that once crashed the tool or made it take gigabytes or seconds: every command
// refuses them with a message and leaves the file as it was.
TEST_F(ArchiveCliTest, ArchivesThatOnceFailedAreRefused) {
    const std::filesystem::path folder =
        std::filesystem::path(TARROX_SOURCE_DIR) / "tests/data/regressions";
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("archive-")) continue;
        ++replayed;
        const std::string original = Contents(entry.path().string());
        const std::string a = WriteFile("case.mpq", original);
        const std::string in = WriteFile("in.bin", "new");
        for (const std::string& command :
             {"list " + Q(a), "extract " + Q(a) + " 'rez\\glumain.bin' " + Q(Path("o.bin")),
              "put " + Q(a) + " 'rez\\glumain.bin' " + Q(in)}) {
            const Run r = Cli(command);
            EXPECT_EQ(r.status, 1) << name << ": " << command;
            EXPECT_TRUE(r.err.starts_with("Error: ")) << name << ": " << r.err;
            EXPECT_EQ(Contents(a), original) << name << ": " << command;
        }
    }
    EXPECT_EQ(replayed, 6);
}

} // namespace
} // namespace tarrox
