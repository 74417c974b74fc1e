#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileAccess.h"
#include "support/BinBuilder.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

class LoadCommandTest : public test::TempDirTest {
  protected:
    test::CliRun Cli(const std::string& args) { return test::RunCli(args, dir_); }
    std::vector<uint8_t> Contents(const std::string& path) {
        std::vector<uint8_t> bytes;
        EXPECT_EQ(ReadFileBytes(path, bytes), ReadStatus::Ok) << path;
        return bytes;
    }
};

// Every dialog the project ships or keeps for tests, and one with the odd shapes a file can
// have: an overlay chain that loops, one reached from two objects, every byte in a string.
std::vector<std::string> Dialogs(const std::string& scratch) {
    std::vector<std::string> paths;
    for (const char* folder : {"samples", "tests/data"})
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(TARROX_SOURCE_DIR) / folder))
            if (entry.path().extension() == ".bin") paths.push_back(entry.path().string());
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    test::BinBuilder b;
    b.Object(0, 0, 2000, 86).Object(86, 172, 1000, 258).Object(172, 0, 0, 288);
    b.Smk(258, 288, 1300).Smk(288, 258, 0).String(1000, all).String(1300, "x.smk");
    b.String(2000, "Dlg");
    paths.push_back(scratch + "/odd.bin");
    EXPECT_TRUE(WriteFileAtomically(paths.back(), b.Bytes()));
    return paths;
}

TEST_F(LoadCommandTest, LoadOfADumpWritesWhatResaveWrites) {
    const std::string json = Path("dump.json"), loaded = Path("load.bin"), resaved = Path("re.bin");
    int compared = 0;
    for (const std::string& dialog : Dialogs(dir_.string())) {
        test::CliRun dump = Cli("dump '" + dialog + "'");
        // Kept hostile inputs may be refused; everything else must read.
        if (dump.status != 0 && dialog.find("/tests/data/regressions/") != std::string::npos)
            continue;
        ASSERT_EQ(dump.status, 0) << dialog << dump.err;
        ASSERT_TRUE(
            WriteFileAtomically(json, std::vector<uint8_t>(dump.out.begin(), dump.out.end())));
        test::CliRun load = Cli("load '" + json + "' '" + loaded + "'");
        ASSERT_EQ(load.status, 0) << dialog << load.err;
        ASSERT_EQ(Cli("resave '" + dialog + "' '" + resaved + "'").status, 0) << dialog;
        EXPECT_EQ(Contents(loaded), Contents(resaved)) << dialog;
        ++compared;
    }
    EXPECT_GE(compared, 3);
}

TEST_F(LoadCommandTest, RefusedAndKeptHostileInputsFailWithTheirMessageAndNoOutput) {
    const std::string out = Path("out.bin");
    ASSERT_TRUE(WriteFileAtomically(Path("bad.json"), std::vector<uint8_t>{'[', ']'}));
    ASSERT_TRUE(WriteFileAtomically(Path("big.json"), {}));
    fs::resize_file(Path("big.json"), (16u << 20) + 1); // sparse, so cheap
    fs::create_directory(Path("folder.json"));
    struct Case {
        std::string args, error;
    };
    std::vector<Case> all = {
        {"load " + Path("bad.json") + " " + out, "Error: the JSON must be an object"},
        {"load " + Path("big.json") + " " + out, "Error: " + Path("big.json") + " is larger"},
        {"load " + Path("folder.json") + " " + out, "Error: Could not open "},
        {"load " + Path("none.json") + " " + out, "Error: Could not open "},
        {"load " + Path("bad.json"), "Error: usage: "},
    };
    for (const auto& entry :
         fs::directory_iterator(fs::path(TARROX_SOURCE_DIR) / "tests/data/regressions"))
        if (entry.path().extension() == ".json")
            all.push_back({"load '" + entry.path().string() + "' " + out, "Error: "});
    for (const Case& c : all) {
        test::CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_EQ(r.err.rfind(c.error, 0), 0u) << r.err;
        EXPECT_FALSE(fs::exists(out)) << c.args;
    }
}

} // namespace
} // namespace tarrox
