// The preview as tarrox2-cli render draws it, against reviewed pictures in tests/data/golden.
// Set TARROX_UPDATE_GOLDEN=1 to redraw them, and look at every changed one before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "PreviewSupport.h"
#include "document/BinWriter.h"
#include "platform/FileAccess.h"
#include "platform/PngFile.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

using namespace test;

// Every control type once, with text in several sizes and colours.
DialogDocument AllTypes() {
    DialogBuilder d(20, 16, 600, 448);
    d.Add(1, 10, 10, 140, 28, "OOK", FlagMask(HasHotkeyBit))
        .Add(2, 160, 10, 140, 28, "CCancel", FlagMask(HasHotkeyBit))
        .Add(3, 10, 50, 180, 20, "Option \x03one")
        .Add(4, 200, 50, 150, 20, "Check \x04 box")
        .Add(5, 360, 10, 100, 60)
        .Add(6, 10, 80, 200, 12)
        .Add(7, 220, 80, 60, 20, "unknown")
        .Add(8, 290, 80, 160, 20)
        .Add(9, 10, 110, 180, 40, "Left label\nsecond \x02line")
        .Add(10, 200, 110, 180, 40, "Centre \x06label", FlagMask(Size16Bit))
        .Add(11, 390, 110, 180, 40, "Right label", FlagMask(Size10Bit) | FlagMask(AlignBottomBit))
        .Add(12, 10, 160, 200, 120)
        .Add(13, 220, 160, 180, 20, "Combo box text runs on")
        .Add(14, 220, 190, 180, 30, "LLight-up", FlagMask(HasHotkeyBit))
        .Add(9, 220, 230, 360, 50, "\x05Size 16x \x07red \x0d blue",
             FlagMask(Size16xBit) | FlagMask(CenterTextBit))
        .Add(9, 10, 290, 570, 60, "Size 14 right \x03green",
             FlagMask(Size14Bit) | FlagMask(AlignRightBit))
        .Add(9, 10, 360, 570, 60,
             "Codes: \x02two \x03three \x04 four \x05 five \x06six \x07seven \x08 eight");
    d.Last().TextY = 3;
    d.Doc.ObjectTable[14].TextX = 30;
    d.Doc.ObjectTable[14].TextY = 4;
    return d.Doc;
}

// Pictures drawn by tarrox2-cli render from AllTypes with the given options.
struct Case {
    const char* name;
    const char* options;
};

class GoldenTest : public ::testing::TestWithParam<Case> {};

bool ReadPng(const std::string& path, RgbImage& image) {
    std::vector<uint8_t> bytes;
    return ReadFileBytes(path, bytes) == ReadStatus::Ok && DecodePng(bytes, image);
}

int Render(const std::string& out, const std::string& options) {
    const auto bin = test::UniqueTempPath("alltypes.bin");
    if (!WriteFileAtomically(bin.string(), WriteBinDocument(AllTypes()).value())) return -1;
    const std::string command = std::string(TARROX_CLI) + " render " + bin.string() + " " + out +
                                " --data " + SourceData() + " " + options + " 2>/dev/null";
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST_P(GoldenTest, MatchesTheReviewedPicture) {
    const Case& c = GetParam();
    const std::string golden =
        std::string(TARROX_SOURCE_DIR) + "/tests/data/golden/" + c.name + ".png";
    if (std::getenv("TARROX_UPDATE_GOLDEN")) {
        ASSERT_EQ(Render(golden, c.options), 0);
        return;
    }
    const std::string out = test::UniqueTempPath(c.name).string() + ".png";
    ASSERT_EQ(Render(out, c.options), 0);
    RgbImage drawn, expected;
    ASSERT_TRUE(ReadPng(out, drawn) && ReadPng(golden, expected)) << golden;
    ASSERT_EQ(drawn.Pixels.size(), expected.Pixels.size());
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < drawn.Pixels.size(); ++i)
        if (drawn.Pixels[i] != expected.Pixels[i] && differing++ == 0) first = i;
    EXPECT_EQ(differing, 0u) << "first at (" << first % 640 << ", " << first / 640 << ")";
    std::filesystem::remove(out);
}

INSTANTIATE_TEST_SUITE_P(
    Preview, GoldenTest,
    ::testing::Values(Case{"glue_filled", ""}, Case{"glue_hollow", "--no-fill"},
                      Case{"title_filled", "--colors 0"}, Case{"ingame_filled", "--colors 2"},
                      Case{"red_scheme_selected", "--scheme red --select 12"},
                      Case{"blue_scheme_hollow", "--scheme blue --no-fill --select 1"},
                      Case{"current_nothing_selected", "--current"},
                      Case{"selected_dialog", "--current --select 0"},
                      Case{"selected_default_button", "--current --select 1"},
                      Case{"selected_button", "--current --select 2"},
                      Case{"selected_option", "--current --select 3"},
                      Case{"selected_check", "--current --select 4"},
                      Case{"selected_image", "--current --select 5"},
                      Case{"selected_slider", "--current --select 6"},
                      Case{"selected_textbox", "--current --select 8 --no-fill"},
                      Case{"selected_label", "--current --select 9 --no-fill"},
                      Case{"selected_list", "--current --select 12"},
                      Case{"selected_combo", "--current --select 13"},
                      Case{"selected_lightup", "--current --select 14 --no-fill"}),
    [](const ::testing::TestParamInfo<Case>& c) { return std::string(c.param.name); });

TEST(RenderCommand, RefusesBadOptionsWithoutWritingAPicture) {
    const std::string out = test::UniqueTempPath("refused.png").string();
    for (const char* options :
         {"--colors 4", "--scheme green", "--select 40", "--select x", "--bogus"}) {
        EXPECT_EQ(Render(out, options), 1) << options;
        EXPECT_FALSE(std::filesystem::exists(out)) << options;
    }
}

} // namespace
} // namespace tarrox
