#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "document/BinWriter.h"
#include "platform/FileAccess.h"
#include "support/BinBuilder.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun RunCli(const std::string& args, const fs::path& dir) {
    const fs::path out = dir / "stdout.txt", err = dir / "stderr.txt";
    std::string command =
        std::string(TARROX_CLI) + " " + args + " >" + out.string() + " 2>" + err.string();
    int raw = std::system(command.c_str());
    auto slurp = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    };
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
}

class CliTest : public test::TempDirTest {
  protected:
    std::string Write(const char* name, const std::vector<uint8_t>& bytes) {
        std::string path = Path(name);
        EXPECT_TRUE(WriteFileAtomically(path, bytes));
        return path;
    }
};

TEST_F(CliTest, DumpPrintsTheDocument) {
    test::BinBuilder b;
    b.Object(0, 0, 200, 86).Object(86, 0, 0, 0).String(200, "Menu\x0a");
    CliRun r = RunCli("dump " + Write("a.bin", b.Bytes()), dir_);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"objects\":[{\"Left\":0,", 0), 0u);
    EXPECT_NE(r.out.find("\"Text\":\"Menu<10>\""), std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
}

TEST_F(CliTest, ResaveWritesTheCompactLayoutAndReplacesTheTarget) {
    test::BinBuilder c;
    c.Object(0, 0, 500, 300).Object(300, 0, 510, 0).String(500, "Dlg").String(510, "Btn");
    std::string out = Write("out.bin", std::vector<uint8_t>(5000, 7));
    CliRun r = RunCli("resave " + Write("in.bin", c.Bytes()) + " " + out, dir_);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(ReadFileBytes(out, bytes), ReadStatus::Ok);
    EXPECT_EQ(bytes.size(), 2u * 86 + 4 + 4);
}

TEST_F(CliTest, RefusedAndMissingFilesFailWithoutOutput) {
    test::BinBuilder b;
    b.Object(0, 0, 0, 86);
    for (int i = 1; i <= 130; ++i) b.Object(i * 86, (i + 1) * 86, 0, 0);
    const std::string out = (dir_ / "out.bin").string();
    CliRun r = RunCli("resave " + Write("big.bin", b.Bytes()) + " " + out, dir_);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: The file has more than 128 objects.\n");
    EXPECT_FALSE(fs::exists(out));

    CliRun missing = RunCli("dump " + (dir_ / "none.bin").string(), dir_);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("Error: Could not open ", 0), 0u);
    EXPECT_TRUE(missing.out.empty());
}

} // namespace
} // namespace tarrox
