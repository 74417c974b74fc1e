#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <utility>

#include "archive/ArchiveClient.h"
#include "archive/ArchiveFixture.h"
#include "archive/Mpq.h"

namespace tarrox {
namespace {

class ArchiveClientTest : public test::ArchiveTest {
  protected:
    // The tool in the program folder becomes a script that says `said` and ends so.
    void Tool(const std::string& said) {
        const std::string path = Path("tarrox2-cli");
        std::ofstream(path) << "#!/bin/sh\n" << said << "\n";
        ::chmod(path.c_str(), 0755);
    }
};

struct Recorded : mpq::CompactProgress {
    std::vector<std::pair<uint64_t, uint64_t>> Steps;
    void Update(uint64_t done, uint64_t total) override { Steps.push_back({done, total}); }
};

TEST_F(ArchiveClientTest, WhatTheToolSaysBecomesTheEditorsOutcome) {
    struct Case {
        std::string said;
        bool done;
        std::string message;
        MessageIcon icon;
    } cases[] = {
        {"echo progress 1 4; echo progress 4 4; echo 'note: not compacted' >&2", true, "",
         MessageIcon::None},
        {"echo 'Error: Could not compact' >&2; exit 1", true, "Error: Could not compact",
         MessageIcon::None},
        {"echo 'Error: Could not add file. 13' >&2; exit 1", false,
         "Error: Could not add file.\r\n13", MessageIcon::None},
        {"echo 'Error: Could not open archive.' >&2; echo 'Error: two' >&2; exit 1", false,
         "Error: Could not open archive.\r\nError: two", MessageIcon::Critical},
        {"echo 'Error: said before the crash' >&2; kill -SEGV $$", false,
         "Error: Could not open archive.", MessageIcon::Critical},
        {"exit 1", false, "Error: Could not open archive.", MessageIcon::Critical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        Tool(c.said);
        Recorded progress;
        ArchiveOutcome o = PutInChild(Path("a.mpq"), {"rez\\a.bin", 0}, Path("a.bin"), &progress);
        EXPECT_EQ(o.Done, c.done);
        EXPECT_EQ(o.Message, c.message);
        if (!c.message.empty()) {
            EXPECT_EQ(o.Icon, c.icon);
        }
        if (&c == &cases[0]) {
            EXPECT_EQ(progress.Steps, (decltype(progress.Steps){{1, 4}, {4, 4}}));
        }
    }
    Tool("kill -SEGV $$");
    EXPECT_EQ(ExtractInChild(Path("a.mpq"), {"rez\\a.bin", 0}, Path("o.bin")).Message,
              "Error: Could not open archive.");
}

TEST_F(ArchiveClientTest, ListingsAreReadBackAndFailuresSorted) {
    using Kind = ArchiveListing::Kind;
    const std::string a = Path("a.mpq");
    const std::string lines = "printf 'rez\\\\a.bin\\nrez\\\\b (x).bin  (1031)\\r\\n'";
    struct Case {
        std::string said;
        Kind how;
        size_t lines;
    } cases[] = {
        {lines, Kind::Listed, 2},
        {"echo 'Error: " + a + " does not contain an MPQ archive.' >&2; exit 1", Kind::NotAnArchive,
         0},
        {lines + "; echo 'Error: Could not list " + a + ".' >&2; exit 1", Kind::ListingFailed, 2},
        {lines + "; kill -SEGV $$", Kind::Failed, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        Tool(c.said);
        ArchiveListing l = ListInChild(a, -1);
        EXPECT_EQ(l.How, c.how);
        ASSERT_EQ(l.Lines.size(), c.lines);
        if (c.lines == 0) continue;
        EXPECT_EQ(l.Lines[0].Name, "rez\\a.bin");
        EXPECT_EQ(l.Lines[0].Locale, 0);
        EXPECT_EQ(l.Lines[1].Name, "rez\\b (x).bin");
        EXPECT_EQ(l.Lines[1].Locale, 1031);
    }
}

// An archive that passes the check but still makes the library abort (an encrypted file of
// unknown name): the real tool dies in its child, the editor hears the usual message.
TEST_F(ArchiveClientTest, AnArchiveThatKillsTheToolCostsTheEditorNothing) {
    std::filesystem::create_symlink(TARROX_CLI, Path("tarrox2-cli"));
    const std::string crasher =
        std::string(TARROX_SOURCE_DIR) + "/tests/data/regressions/child-crash-unnamed-lzma.mpq";
    ArchiveListing l = ListInChild(crasher, 0);
    EXPECT_EQ(l.How, ArchiveListing::Kind::Failed);
    EXPECT_EQ(l.Message, "Error: Could not open archive.");
}

} // namespace
} // namespace tarrox
