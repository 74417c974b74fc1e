// Every kept input that once crashed, hung or blew up something goes again through the
// commands that met it; each must end with success or an "Error: " line.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileAccess.h"
#include "support/BinBuilder.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

class RegressionsTest : public test::TempDirTest {
  protected:
    // A dialog and a label drawing 2 MB of letters and newlines with the fonts in `data`.
    std::string LongTextDialog() {
        std::string text;
        for (int i = 0; i < (1 << 20); ++i) text += "A\n";
        DialogObject label;
        label.ControlType = 9;
        test::BinBuilder b;
        b.Object(0, 0, 0, 86).Object(86, 0, 200, 0, label).String(200, text);
        const std::string path = Path("long.bin");
        EXPECT_TRUE(WriteFileAtomically(path, b.Bytes()));
        return path;
    }

    std::vector<std::string> Commands(const fs::path& input) {
        const std::string in = input.string(), out = " " + Path("out");
        if (input.extension() == ".bin")
            return {"dump " + in, "resave " + in + out, "render " + in + out};
        if (input.extension() == ".fnt") {
            fs::create_directories(dir_ / "data");
            for (const char* name : {"font8", "font10", "font14", "font16", "font16x"})
                fs::copy_file(input, dir_ / "data" / (std::string(name) + ".fnt"),
                              fs::copy_options::overwrite_existing);
            return {"render " + LongTextDialog() + out + " --data " + Path("data")};
        }
        return {}; // other kinds are replayed where they are read
    }
};

TEST_F(RegressionsTest, EveryKeptInputEndsWithSuccessOrAnError) {
    int replayed = 0;
    for (const auto& entry :
         fs::directory_iterator(fs::path(TARROX_SOURCE_DIR) / "tests/data/regressions")) {
        for (const std::string& command : Commands(entry.path())) {
            test::CliRun r = test::RunCli(command, dir_);
            EXPECT_TRUE(r.status == 0 || (r.status == 1 && r.err.rfind("Error: ", 0) == 0))
                << command << ": " << r.status << " " << r.err;
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 4);
}

} // namespace
} // namespace tarrox
