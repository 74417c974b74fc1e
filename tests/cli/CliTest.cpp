#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/FileAccess.h"
#include "support/BinBuilder.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

class CliTest : public test::TempDirTest {
  protected:
    test::CliRun Cli(const std::string& args) { return test::RunCli(args, dir_); }
    std::string Write(const char* name, const std::vector<uint8_t>& bytes) {
        std::string path = Path(name);
        EXPECT_TRUE(WriteFileAtomically(path, bytes));
        return path;
    }
};

TEST_F(CliTest, DumpPrintsTheDocumentAndFailsWhenItCannotBeWritten) {
    test::BinBuilder b;
    b.Object(0, 0, 200, 86).Object(86, 0, 0, 0).String(200, "Menu\x0a");
    const std::string in = Write("a.bin", b.Bytes());
    test::CliRun r = Cli("dump " + in);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"objects\":[{\"Left\":0,", 0), 0u);
    EXPECT_NE(r.out.find("\"Text\":\"Menu<10>\""), std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
    // A script must not take a lost dump for a good one.
    const std::string err = Path("err.txt");
    const std::string full = std::string(TARROX_CLI) + " dump " + in + " >/dev/full 2>" + err;
    EXPECT_EQ(WEXITSTATUS(std::system(full.c_str())), 1);
    std::vector<uint8_t> message;
    ReadFileBytes(err, message);
    EXPECT_EQ(std::string(message.begin(), message.end()), "Error: Could not write the dump.\n");
}

TEST_F(CliTest, ResaveWritesTheCompactLayoutAndReplacesTheTarget) {
    test::BinBuilder c;
    c.Object(0, 0, 500, 300).Object(300, 0, 510, 0).String(500, "Dlg").String(510, "Btn");
    std::string out = Write("out.bin", std::vector<uint8_t>(5000, 7));
    test::CliRun r = Cli("resave " + Write("in.bin", c.Bytes()) + " " + out);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadFileBytes(out, bytes), ReadStatus::Ok);
    EXPECT_EQ(bytes.size(), 2u * 86 + 4 + 4);
}

TEST_F(CliTest, RefusedAndMissingFilesFailWithoutOutput) {
    test::BinBuilder b;
    b.Object(0, 0, 0, 86);
    for (int i = 1; i <= 130; ++i) b.Object(i * 86, (i + 1) * 86, 0, 0);
    const std::string out = Path("out.bin");
    test::CliRun r = Cli("resave " + Write("big.bin", b.Bytes()) + " " + out);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: The file has more than 128 objects.\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    test::CliRun missing = Cli("dump " + Path("none.bin"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("Error: Could not open ", 0), 0u);
    EXPECT_TRUE(missing.out.empty());

    // Neither a device nor a FIFO is waited on or read.
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    for (const std::string& in : {std::string("/dev/zero"), Path("fifo")}) {
        test::CliRun refused = Cli("resave " + in + " " + out);
        EXPECT_EQ(refused.err, "Error: Could not open " + in + ".\n");
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST_F(CliTest, ResaveLeavesAReadOnlyTargetAlone) {
    test::BinBuilder b;
    b.Object(0, 0, 0, 0);
    const std::string locked = Write("locked.bin", {1, 2, 3});
    ::chmod(locked.c_str(), 0444);
    test::CliRun r = Cli("resave " + Write("in.bin", b.Bytes()) + " " + locked);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: " + locked + " is read-only.\n");
    std::vector<uint8_t> kept;
    ASSERT_EQ(ReadFileBytes(locked, kept), ReadStatus::Ok);
    EXPECT_EQ(kept, (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(CliTest, DumpAndResaveWarnOfAFileThatIsNoDialogButCarryOn) {
    test::BinBuilder b;
    b.Object(0, 0, 0, 0);
    const std::string dialog = Write("d.bin", b.Bytes());
    const std::string text = Write("t.bin", std::vector<uint8_t>(200, 'x'));
    for (const std::string command : {"dump ", "resave "}) {
        const std::string out = command == "dump " ? "" : " " + Path("out.bin");
        test::CliRun r = Cli(command + text + out);
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_EQ(r.err, "warning: " + text + " does not look like a dialog file\n") << command;
        r = Cli(command + dialog + out);
        EXPECT_EQ(r.err, "") << command;
    }
}

} // namespace
} // namespace tarrox
