#include <gtest/gtest.h>

#include <sys/stat.h>

#include "document/BinFile.h"
#include "document/BinWriter.h"
#include "document/DocumentJson.h"
#include "support/BinBuilder.h"
#include "support/CliRun.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;
using CliTest = test::CliTest;

using test::Text;

TEST_F(CliTest, CommandsWriteTheirResultOrFailWithStatusOneAndAMessageWritingNothing) {
    DialogDocument doc = test::MakeDocument({-1, -1}, {});
    doc.StringTable[1] = "Menu\x0a";
    const std::string bin = Text(WriteBinDocument(doc).value()), junk(5000, 'j');
    const fs::path was = fs::current_path();
    fs::current_path(dir_); // for short paths in the messages
    Write("in.bin", bin), Write("t.bin", std::string(200, 'x')), Write("bad.json", "[]");
    ::chmod(Write("locked.bin", "123").c_str(), 0444);
    for (const char* big : {"big.json", "big.bin"})
        fs::resize_file(Write(big, ""), (16u << 20) + 1); // sparse, so cheap
    const struct {
        std::string args, err;
        int status = 1;
    } cases[] = {
        {"dump t.bin", "warning: t.bin does not look like a dialog file", 0},
        {"resave in.bin out.bin", "", 0},
        {"dump none.bin", "Error: Could not open none.bin."},
        // A device is not waited on or read.
        {"resave /dev/zero out.bin", "Error: Could not open /dev/zero."},
        {"resave in.bin locked.bin", "Error: locked.bin is read-only."},
        {"load bad.json out.bin",
         "Error: the JSON must be an object with \"objects\" and \"smks\"."},
        {"load big.json out.bin", "Error: big.json is larger than 16 MB."},
        {"dump big.bin", "Error: big.bin is larger than 16 MB."},
        {"load bad.json", "Error: usage: tarrox2-cli load IN.json OUT.bin"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        Write("out.bin", junk);
        const test::CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err.empty() ? "" : c.err + "\n");
        EXPECT_EQ(test::Contents("out.bin"), c.args == "resave in.bin out.bin" ? bin : junk);
    }
    EXPECT_EQ(test::Contents("locked.bin"), "123");
    const test::CliRun nothing = Cli("");
    EXPECT_EQ(nothing.status, 2);
    EXPECT_EQ(nothing.err.rfind("Usage: tarrox2-cli COMMAND ARGS...\n", 0), 0u) << nothing.err;
    const test::CliRun dump = Cli("dump in.bin");
    EXPECT_EQ(dump.out + dump.err, DocumentToJson(doc) + "\n");
    // A script must not take a lost dump for a good one.
    EXPECT_EQ(
        WEXITSTATUS(std::system((std::string(TARROX_CLI) + " dump in.bin >/dev/full 2>e").c_str())),
        1);
    EXPECT_EQ(test::Contents("e"), "Error: Could not write the dump.\n");
    fs::current_path(was);
}

// Every dialog kept, and one with a looping overlay chain shared by two objects and every byte.
TEST_F(CliTest, LoadOfADumpWritesWhatResaveWrites) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    std::vector<std::string> dialogs = {Write(
        "odd.bin", Text(test::Layout({{0, 0, 2000, 86}, {86, 172, 1000, 258}, {172, 0, 0, 288}},
                                     {{258, 288, 1300}, {288, 258, 0}},
                                     {{1000, all}, {1300, "x.smk"}, {2000, "Dlg"}})))};
    for (const char* folder : {"samples", "tests/data"})
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(TARROX_SOURCE_DIR) / folder))
            if (entry.path().extension() == ".bin") dialogs.push_back(entry.path().string());
    for (const std::string& dialog : dialogs) {
        SCOPED_TRACE(dialog);
        const test::CliRun dump = Cli("dump '" + dialog + "'");
        // Kept hostile inputs may be refused; everything else must read.
        if (dump.status != 0 && dialog.find("/tests/data/regressions/") != std::string::npos)
            continue;
        ASSERT_EQ(dump.status, 0) << dump.err;
        Write("dump.json", dump.out);
        ASSERT_EQ(Cli("load " + Path("dump.json") + " " + Path("load.bin")).err, "");
        ASSERT_EQ(Cli("resave '" + dialog + "' " + Path("re.bin")).status, 0);
        EXPECT_EQ(test::Contents(Path("load.bin")), test::Contents(Path("re.bin")));
    }
    EXPECT_GE(dialogs.size(), 4u);
}

// Every kept input that once crashed or hung a command ends in success or an "Error: " line;
// archives that once crashed the tool or took gigabytes or seconds are refused, left as they were.
TEST_F(CliTest, EveryKeptInputEndsWithSuccessOrAnErrorAndKeptArchivesAreRefused) {
    int replayed = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(TARROX_SOURCE_DIR) / "tests/data/regressions")) {
        const std::string in = entry.path().string(), out = " " + Path("out");
        const bool archive = entry.path().filename().string().starts_with("archive-");
        std::vector<std::string> commands; // other kinds are replayed where they are read
        if (archive) {
            const std::string a = Write("case.mpq", test::Contents(in)),
                              name = " 'rez\\glumain.bin'";
            commands = {"list " + a, "extract " + a + name + out,
                        "put " + a + name + " " + Write("in.bin", "new")};
        }
        if (entry.path().extension() == ".bin")
            commands = {"dump " + in, "resave " + in + out, "render " + in + out};
        if (entry.path().extension() == ".json") commands = {"load " + in + out};
        if (entry.path().extension() == ".fnt") {
            // A label drawing 2 MB of letters and newlines with the kept font.
            std::string text;
            for (int i = 0; i < (1 << 20); ++i) text += "A\n";
            test::BinBuilder b;
            b.Object(0, 0, 0, 86).Object(86, 0, 200, 0, {.ControlType = 9}).String(200, text);
            fs::create_directories(dir_ / "data");
            for (const char* name : {"font8", "font10", "font14", "font16", "font16x"})
                fs::copy_file(entry.path(), dir_ / "data" / (std::string(name) + ".fnt"));
            commands = {"render " + Write("long.bin", Text(b.Bytes())) + out + " --data " +
                        Path("data")};
        }
        for (const std::string& command : commands) {
            const test::CliRun r = Cli(command);
            EXPECT_TRUE((r.status == 0 && !archive) ||
                        (r.status == 1 && r.err.starts_with("Error: ")))
                << command << ": " << r.status << " " << r.err;
            EXPECT_TRUE(!archive || test::Contents(Path("case.mpq")) == test::Contents(in))
                << command;
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 23);
}

} // namespace
} // namespace tarrox
