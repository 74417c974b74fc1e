// The tool's archive commands, and the editor's side of running them in a child.
#include <sys/stat.h>

#include "archive/ArchiveClient.h"
#include "archive/ArchiveFixture.h"
#include "archive/LibraryArchive.h"
#include "archive/Mpq.h"
#include "support/CliRun.h"

namespace tarrox::test {
namespace {

std::string Q(const std::string& s) {
    return "'" + s + "'";
}

class ArchiveChildTest : public ArchiveTest {
  protected:
    CliRun Cli(const std::string& args) { return RunCli(args, dir_); }
    // The tool in the program folder becomes a script that says `said` and ends so.
    void Tool(const std::string& said) {
        WriteFile("tarrox2-cli", "#!/bin/sh\n" + said + "\n");
        ::chmod(Path("tarrox2-cli").c_str(), 0755);
    }
};

TEST_F(ArchiveChildTest, TheToolListsExtractsAndPutsOrEndsWithAMessage) {
    const std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"},
                                                {"rez\\options.bin", "deutsch", 1031},
                                                {"rez\\notes.txt", "skip"}});
    const std::string bare = Path("bare.mpq"), in = WriteFile("in.bin", "new");
    ASSERT_TRUE(
        MakeLibraryArchive(bare, {{"rez\\glumain.bin", "old"}, {"rez\\x.bin", "x"}}, false, 16));
    const std::string text = WriteFile("t.mpq", "plain text"), put = " 'rez\\glumain.bin' " + Q(in);
    const struct {
        std::string args;
        int status;
        std::string out, err;
    } cases[] = {
        {"list " + Q(a), 0, "rez\\glumain.bin\n", ""},
        {"list " + Q(a) + " --locale -1", 0, "rez\\glumain.bin\nrez\\options.bin  (1031)\n", ""},
        {"extract " + Q(a) + " 'rez\\options.bin' " + Q(Path("de.bin")) + " --locale 1031", 0, "",
         ""},
        {"put " + Q(a) + put, 0, "", ""},
        {"put " + Q(bare) + put, 0, "",
         "note: " + bare + " not compacted: it holds files whose names are unknown\n"},
        {"list " + Q(text), 1, "", "Error: " + text + " does not contain an MPQ archive.\n"},
        {"extract " + Q(text) + " 'rez\\glumain.bin' " + Q(Path("o.bin")), 1, "",
         "Error: Could not open archive.\n"},
        {"put " + Q(text) + put, 1, "", "Error: Could not open archive.\n"},
        {"list " + Q(a) + " --locale x", 1, "",
         "Error: usage: tarrox2-cli list ARCHIVE [--locale N]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun r = Cli(c.args);
        EXPECT_EQ(std::tie(r.status, r.out, r.err), std::tie(c.status, c.out, c.err));
    }
    EXPECT_EQ(Contents(Path("de.bin")), "deutsch");
    EXPECT_EQ(SmpqExtract(a, "rez\\glumain.bin") + SmpqExtract(bare, "rez\\glumain.bin"), "newnew");
    EXPECT_EQ(Contents(text), "plain text");
    // For the editor: the compaction's progress as lines on stdout.
    EXPECT_TRUE(Cli("put " + Q(a) + put + " --progress").out.starts_with("progress 0 "));
}

// Archives that once crashed the tool or made it take gigabytes or seconds: every command
// refuses them with a message and leaves the file as it was.
TEST_F(ArchiveChildTest, ArchivesThatOnceFailedAreRefused) {
    int replayed = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(TARROX_SOURCE_DIR "/tests/data/regressions")) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("archive-")) continue;
        ++replayed;
        const std::string original = Contents(entry.path().string());
        const std::string a = WriteFile("case.mpq", original), in = WriteFile("in.bin", "new");
        for (const std::string& command :
             {"list " + Q(a), "extract " + Q(a) + " 'rez\\glumain.bin' " + Q(Path("o.bin")),
              "put " + Q(a) + " 'rez\\glumain.bin' " + Q(in)}) {
            SCOPED_TRACE(name + ": " + command);
            const CliRun r = Cli(command);
            EXPECT_EQ(r.status, 1);
            EXPECT_TRUE(r.err.starts_with("Error: ")) << r.err;
            EXPECT_EQ(Contents(a), original);
        }
    }
    EXPECT_EQ(replayed, 6);
}

struct Recorded : mpq::CompactProgress {
    std::vector<std::pair<uint64_t, uint64_t>> Steps;
    void Update(uint64_t done, uint64_t total) override { Steps.push_back({done, total}); }
};

TEST_F(ArchiveChildTest, WhatTheToolSaysBecomesTheEditorsOutcome) {
    const struct {
        std::string said;
        bool done;
        std::string message;
        MessageIcon icon;
        decltype(Recorded::Steps) steps;
    } cases[] = {
        {"echo progress 1 4; echo progress 4 4; echo 'note: not compacted' >&2",
         true,
         "",
         MessageIcon::None,
         {{1, 4}, {4, 4}}},
        {"echo 'Error: Could not compact' >&2; exit 1",
         true,
         "Error: Could not compact",
         MessageIcon::None,
         {}},
        {"echo 'Error: Could not add file. 13' >&2; exit 1",
         false,
         "Error: Could not add file.\r\n13",
         MessageIcon::None,
         {}},
        {"echo 'Error: Could not open archive.' >&2; echo 'Error: two' >&2; exit 1",
         false,
         "Error: Could not open archive.\r\nError: two",
         MessageIcon::Critical,
         {}},
        {"echo 'Error: said before the crash' >&2; kill -SEGV $$",
         false,
         "Error: Could not open archive.",
         MessageIcon::Critical,
         {}},
        {"exit 1", false, "Error: Could not open archive.", MessageIcon::Critical, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        Tool(c.said);
        Recorded progress;
        const ArchiveOutcome o =
            PutInChild(Path("a.mpq"), {"rez\\a.bin"}, Path("a.bin"), &progress);
        EXPECT_EQ(std::tie(o.Done, o.Message, progress.Steps),
                  std::tie(c.done, c.message, c.steps));
        EXPECT_EQ(o.Icon, c.message.empty() ? o.Icon : c.icon);
    }
    EXPECT_EQ(ExtractInChild(Path("a.mpq"), {"rez\\a.bin"}, Path("o.bin")).Message,
              "Error: Could not open archive.");
}

TEST_F(ArchiveChildTest, ListingsAreReadBackAndFailuresSorted) {
    using Kind = ArchiveListing::Kind;
    const std::string a = Path("a.mpq"),
                      two = "printf 'rez\\\\a.bin\\nrez\\\\b (x).bin  (1031)\\r\\n'";
    const Names lines = {"rez\\a.bin", "rez\\b (x).bin" + std::string(1, char(31)) + " (1031)"};
    const struct {
        std::string said;
        Kind how;
        Names lines;
    } cases[] = {
        {two, Kind::Listed, lines},
        {"echo 'Error: " + a + " does not contain an MPQ archive.' >&2; exit 1",
         Kind::NotAnArchive,
         {}},
        {two + "; echo 'Error: Could not list " + a + ".' >&2; exit 1", Kind::ListingFailed, lines},
        {two + "; kill -SEGV $$", Kind::Failed, {}},
        // A listing that never ends is stopped by the child's CPU limit.
        {"ulimit -t", Kind::Listed, {"10"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        Tool(c.said);
        const ArchiveListing l = ListInChild(a, -1);
        Names got;
        for (const ArchiveLine& line : l.Lines) got.push_back(FormatArchiveLine(line));
        EXPECT_EQ(l.How, c.how);
        EXPECT_EQ(got, c.lines);
    }
    // Passes the header check yet makes the library abort: the real tool dies in its child.
    std::filesystem::remove(Path("tarrox2-cli"));
    std::filesystem::create_symlink(TARROX_CLI, Path("tarrox2-cli"));
    const ArchiveListing l =
        ListInChild(TARROX_SOURCE_DIR "/tests/data/regressions/child-crash-unnamed-lzma.mpq", 0);
    EXPECT_EQ(std::make_tuple(l.How, l.Message),
              std::make_tuple(Kind::Failed, std::string("Error: Could not open archive.")));
}

} // namespace
} // namespace tarrox::test
