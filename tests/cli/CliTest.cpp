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
    std::vector<uint8_t> Contents(const std::string& path) {
        std::vector<uint8_t> bytes;
        ReadFileBytes(path, bytes);
        return bytes;
    }
};

TEST_F(CliTest, DumpPrintsTheDocumentAndResaveReplacesTheTarget) {
    test::BinBuilder b;
    b.Object(0, 0, 500, 300).Object(300, 0, 510, 0).String(500, "Dlg").String(510, "Menu\x0a");
    const std::string in = Write("in.bin", b.Bytes());
    test::CliRun r = Cli("dump " + in);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"objects\":[{\"Left\":0,", 0), 0u);
    EXPECT_NE(r.out.find("\"Text\":\"Menu<10>\""), std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
    const std::string out = Write("out.bin", std::vector<uint8_t>(5000, 7));
    ASSERT_EQ(Cli("resave " + in + " " + out).status, 0);
    EXPECT_EQ(Contents(out).size(), 2u * 86 + 4 + 6); // compact, and the old tail gone
    // A script must not take a lost dump for a good one.
    const std::string err = Path("err.txt");
    const std::string full = std::string(TARROX_CLI) + " dump " + in + " >/dev/full 2>" + err;
    EXPECT_EQ(WEXITSTATUS(std::system(full.c_str())), 1);
    const std::vector<uint8_t> message = Contents(err);
    EXPECT_EQ(std::string(message.begin(), message.end()), "Error: Could not write the dump.\n");
}

TEST_F(CliTest, FailuresEndWithStatusOneAndAMessageAndWriteNothing) {
    test::BinBuilder big;
    big.Object(0, 0, 0, 86);
    for (int i = 1; i <= 130; ++i) big.Object(i * 86, (i + 1) * 86, 0, 0);
    const std::string in = Write("in.bin", test::BinBuilder().Object(0, 0, 0, 0).Bytes());
    const std::string locked = Write("locked.bin", {1, 2, 3}), out = Path("out.bin");
    ::chmod(locked.c_str(), 0444);
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    const struct {
        std::string args, err;
    } cases[] = {
        {"resave " + Write("big.bin", big.Bytes()) + " " + out,
         "Error: The file has more than 128 objects."},
        {"dump " + Path("none.bin"), "Error: Could not open " + Path("none.bin") + "."},
        // Neither a device nor a FIFO is waited on or read.
        {"resave /dev/zero " + out, "Error: Could not open /dev/zero."},
        {"resave " + Path("fifo") + " " + out, "Error: Could not open " + Path("fifo") + "."},
        {"resave " + in + " " + locked, "Error: " + locked + " is read-only."},
    };
    for (const auto& c : cases) {
        test::CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_EQ(r.err, c.err + "\n");
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
    }
    EXPECT_EQ(Contents(locked), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(CliTest, DumpAndResaveWarnOfAFileThatIsNoDialogButCarryOn) {
    const std::string dialog = Write("d.bin", test::BinBuilder().Object(0, 0, 0, 0).Bytes());
    const std::string text = Write("t.bin", std::vector<uint8_t>(200, 'x'));
    for (const std::string command : {"dump ", "resave "}) {
        const std::string out = command == "dump " ? "" : " " + Path("out.bin");
        test::CliRun r = Cli(command + text + out);
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_EQ(r.err, "warning: " + text + " does not look like a dialog file\n") << command;
        EXPECT_EQ(Cli(command + dialog + out).err, "") << command;
    }
}

} // namespace
} // namespace tarrox
