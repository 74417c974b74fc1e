#include <sys/stat.h>

#include "archive/ArchiveClient.h"
#include "archive/ArchiveFixture.h"
#include "support/CliRun.h"

namespace tarrox::test {
namespace {

const std::string NotOpened = "Error: Could not open archive.";

class ArchiveChildTest : public ArchiveTest {
  protected:
    static std::string Err(const std::string& line) { return "echo " + Q(line) + " >&2; "; }
    // The tool in the program folder becomes a script that says `said` and ends so.
    void Tool(const std::string& said) {
        Write("tarrox2-cli", "#!/bin/sh\n" + said + "\n");
        ::chmod(Path("tarrox2-cli").c_str(), 0755);
    }
};

// Its one file once came out as whatever the process had in memory, with success.
TEST_F(ArchiveChildTest, ADamagedFileIsRefusedByTheToolAndTheEditor) {
    const std::string a = Write(
        "a.mpq", Contents(TARROX_SOURCE_DIR "/tests/data/regressions/damaged-sector-method.mpq"));
    const std::string out = Path("o.bin"),
                      damaged = "Error: rez\\glumain.bin in " + a + " is damaged.";
    const CliRun r = RunCli("extract " + Q(a) + " 'rez\\glumain.bin' " + Q(out), dir_);
    EXPECT_EQ(std::tie(r.status, r.err), std::make_tuple(1, damaged + "\n"));
    std::filesystem::create_symlink(TARROX_CLI, Path("tarrox2-cli"));
    const ArchiveOutcome o = ExtractInChild(a, {"rez\\glumain.bin"}, out);
    EXPECT_EQ(std::tie(o.Done, o.Message), std::make_tuple(false, damaged));
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ArchiveChildTest, WhatTheToolSaysBecomesTheEditorsOutcome) {
    const MessageIcon Plain = MessageIcon::None, Stop = MessageIcon::Critical;
    const std::string compact = "Error: Could not compact", add = "Error: Could not add file.";
    const std::tuple<std::string, bool, std::string, MessageIcon, Steps> cases[] = {
        {"echo progress 1 4; echo progress 4 4; echo note >&2", true, "", Plain, {{1, 4}, {4, 4}}},
        {Err(compact) + "exit 1", true, compact, Plain, {}},
        {Err(add + " 13") + "exit 1", false, add + "\r\n13", Plain, {}},
        {Err(NotOpened) + Err("Error: 2") + "exit 1", false, NotOpened + "\r\nError: 2", Stop, {}},
        {Err("Error: said before the crash") + "kill -SEGV $$", false, NotOpened, Stop, {}},
    };
    for (const auto& [said, done, message, icon, steps] : cases) {
        SCOPED_TRACE(said);
        Tool(said);
        Progress progress;
        const ArchiveOutcome o =
            PutInChild(Path("a.mpq"), {"rez\\a.bin"}, Path("a.bin"), &progress);
        EXPECT_EQ(std::tie(o.Done, o.Message, progress.Seen), std::tie(done, message, steps));
        EXPECT_EQ(o.Icon, message.empty() ? o.Icon : icon);
    }
    EXPECT_EQ(ExtractInChild(Path("a.mpq"), {"rez\\a.bin"}, Path("o.bin")).Message, NotOpened);
}

#ifdef TARROX_STORMLIB_SONAME
// StormLib is loaded only when an archive is opened: where it cannot be, the archive commands
// say so and touch nothing, and render, which needs no archive, still works.
TEST_F(ArchiveChildTest, WithoutAUsableStormLibOnlyTheArchiveCommandsFail) {
    const std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"}});
    const std::string archived = Contents(a);
    Write("in.bin", std::string(86, '\0'));
    Write("libs/" TARROX_STORMLIB_SONAME, "not a library");
    const std::string noLibrary = "LD_LIBRARY_PATH=" + Q(Path("libs"));
    // A command that reached the library unloaded would end with the same line, so only those
    // that write before they read are listed.
    const std::string commands[] = {
        "put " + Q(a) + " 'rez\\new.bin' " + Q(Path("in.bin")),
        "import-data " + Q(a) + " --to " + Q(Path("imported")),
    };
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        const CliRun r = RunCli(command, dir_, noLibrary);
        EXPECT_TRUE(
            r.status == 1 &&
            r.err.starts_with("Error: Could not load StormLib (" TARROX_STORMLIB_SONAME "): ") &&
            std::count(r.err.begin(), r.err.end(), '\n') == 1)
            << r.err;
    }
    const CliRun render = RunCli("render " TARROX_SOURCE_DIR "/samples/mainmenu.bin " +
                                     Q(Path("in.png")) + " --data " TARROX_SOURCE_DIR "/data",
                                 dir_, noLibrary);
    EXPECT_EQ(std::tie(render.status, render.err), std::tuple(0, std::string()));
    EXPECT_EQ(Contents(a), archived);
    EXPECT_EQ(Folder(), (Names{"a.mpq", "in.bin", "in.png", "libs"}));
}
#endif

TEST_F(ArchiveChildTest, ListingsAreReadBackAndFailuresSorted) {
    using Kind = ArchiveListing::Kind;
    const std::string a = Path("a.mpq"),
                      two = "printf 'rez\\\\a.bin\\nrez\\\\b (x).bin  (1031)\\r\\n'; ";
    const Names lines = {"rez\\a.bin", "rez\\b (x).bin" + std::string(1, char(31)) + " (1031)"};
    const std::tuple<std::string, Kind, Names> cases[] = {
        {two, Kind::Listed, lines},
        {Err("Error: " + a + " does not contain an MPQ archive.") + "exit 1",
         Kind::NotAnArchive,
         {}},
        {two + Err("Error: Could not list " + a + ".") + "exit 1", Kind::ListingFailed, lines},
        {two + "kill -SEGV $$", Kind::Failed, {}},
        {"ulimit -t", Kind::Listed, {"10"}}, // a listing that never ends meets the CPU limit
    };
    for (const auto& [said, how, expected] : cases) {
        SCOPED_TRACE(said);
        Tool(said);
        const ArchiveListing l = ListInChild(a, -1);
        EXPECT_EQ(std::make_tuple(l.How, Formatted(l.Lines)), std::tie(how, expected));
    }
    // Passes the header check yet makes the library abort: the real tool dies in its child.
    std::filesystem::remove(Path("tarrox2-cli"));
    std::filesystem::create_symlink(TARROX_CLI, Path("tarrox2-cli"));
    const ArchiveListing l =
        ListInChild(TARROX_SOURCE_DIR "/tests/data/regressions/child-crash-unnamed-lzma.mpq", 0);
    EXPECT_EQ(std::tie(l.How, l.Message), std::make_tuple(Kind::Failed, NotOpened));
}

} // namespace
} // namespace tarrox::test
