// alltypes.bin rendered with each line of tests/data/golden/cases.txt against its reviewed
// picture. TARROX_UPDATE_GOLDEN=1 redraws them: look at every changed one before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

#include "platform/FileAccess.h"
#include "platform/PngFile.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

const std::string Golden = std::string(TARROX_SOURCE_DIR) + "/tests/data/golden/";

bool ReadPng(const std::string& path, RgbImage& image) {
    std::vector<uint8_t> bytes;
    return ReadFileBytes(path, bytes) == ReadStatus::Ok && DecodePng(bytes, image);
}

int Render(const std::string& out, const std::string& options,
           const std::string& dialog = Golden + "alltypes.bin") {
    const std::string command = std::string(TARROX_CLI) + " render '" + dialog + "' " + out +
                                " --data " + TARROX_SOURCE_DIR + "/data " + options +
                                " 2>/dev/null";
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::vector<std::string> Cases() {
    std::vector<std::string> cases;
    std::ifstream in(Golden + "cases.txt");
    for (std::string line; std::getline(in, line);) cases.push_back(line);
    return cases;
}

class GoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, MatchesTheReviewedPicture) {
    const std::string name = GetParam().substr(0, GetParam().find(' '));
    const std::string options = GetParam().substr(name.size());
    const std::string golden = Golden + name + ".png";
    if (std::getenv("TARROX_UPDATE_GOLDEN")) {
        EXPECT_EQ(Render(golden, options), 0);
        return;
    }
    const std::string out = test::UniqueTempPath(name).string() + ".png";
    ASSERT_EQ(Render(out, options), 0);
    RgbImage drawn, expected;
    ASSERT_TRUE(ReadPng(out, drawn) && ReadPng(golden, expected)) << golden;
    EXPECT_TRUE(drawn.Pixels == expected.Pixels) << "differs from " << golden;
    std::filesystem::remove(out);
}

INSTANTIATE_TEST_SUITE_P(Preview, GoldenTest, ::testing::ValuesIn(Cases()),
                         [](const auto& c) { return c.param.substr(0, c.param.find(' ')); });

TEST(RenderCommand, RefusesBadOptionsWithoutWritingAPicture) {
    const std::string out = test::UniqueTempPath("refused.png").string();
    for (const char* options : {"--colors 4", "--scheme green", "--select 40", "--select x",
                                "--compression 10", "--bogus"}) {
        EXPECT_EQ(Render(out, options), 1) << options;
        EXPECT_FALSE(std::filesystem::exists(out)) << options;
    }
}

} // namespace
} // namespace tarrox
