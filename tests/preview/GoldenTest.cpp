// The preview as tarrox2-cli render draws it, against reviewed pictures in tests/data/golden.
// Set TARROX_UPDATE_GOLDEN=1 to redraw them, and look at every changed one before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "document/BinWriter.h"
#include "document/DialogDocument.h"
#include "platform/FileAccess.h"
#include "platform/PngFile.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

// A dialog of objects added in order, each with its own string.
struct DialogBuilder {
    DialogDocument Doc;
    DialogBuilder& Add(int32_t type, int16_t left, int16_t top, int16_t width, int16_t height,
                       const std::string& text = "",
                       std::initializer_list<ObjectFlagBit> bits = {}) {
        DialogObject& o = Doc.ObjectTable[Doc.ObjectCount] = {};
        o.ControlType = type, o.Left = left, o.Top = top, o.Width = width, o.Height = height;
        o.Right = int16_t(left + width - 1), o.Bottom = int16_t(top + height - 1);
        for (ObjectFlagBit b : bits) o.Flags |= FlagMask(b);
        o.Text = Doc.ObjectCount, o.SmkLink = -1;
        Doc.StringTable[Doc.ObjectCount] = text;
        Doc.StringCount = ++Doc.ObjectCount;
        return *this;
    }
};

const std::string Data = std::string(TARROX_SOURCE_DIR) + "/data";

// Every control type, with text in several sizes and colours; the last row holds flags that
// contend (right over centre, top over middle, the later size bit) and hotkeys kept or dropped.
DialogDocument AllTypes() {
    DialogBuilder d;
    d.Add(0, 20, 16, 600, 448)
        .Add(1, 10, 10, 140, 28, "OOK", {HasHotkeyBit})
        .Add(2, 160, 10, 140, 28, "CCancel", {HasHotkeyBit})
        .Add(3, 10, 50, 180, 20, "Option \x03one")
        .Add(4, 200, 50, 150, 20, "CCheck \x04 box", {HasHotkeyBit})
        .Add(5, 360, 10, 100, 60)
        .Add(6, 10, 80, 200, 12)
        .Add(7, 220, 80, 60, 20, "unknown")
        .Add(8, 290, 80, 160, 20)
        .Add(9, 10, 110, 180, 40, "Left label\nsecond \x02line")
        .Add(10, 200, 110, 180, 40, "Centre \x06label", {Size16Bit})
        .Add(11, 390, 110, 180, 40, "Right label", {Size10Bit, AlignBottomBit})
        .Add(12, 10, 160, 200, 120)
        .Add(13, 220, 160, 180, 20, "Combo box text runs on")
        .Add(14, 220, 190, 180, 30, "LLight-up", {HasHotkeyBit})
        .Add(9, 220, 230, 360, 50, "\x05Size 16x \x07red \x0d blue",
             {Size16Bit, Size16xBit, CenterTextBit})
        .Add(9, 10, 290, 570, 60, "Size 14 right \x03green", {Size14Bit, AlignRightBit})
        .Add(9, 10, 360, 570, 40,
             "Codes: \x02two \x03three \x04 four \x05 five \x06six \x07seven \x08 eight")
        .Add(9, 10, 405, 150, 25, "XRight",
             {HasHotkeyBit, CenterTextBit, AlignRightBit, Size10Bit, Size14Bit})
        .Add(9, 170, 405, 120, 25, "Top", {AlignTopBit, AlignMiddleBit, Size10Bit, Size16Bit})
        .Add(3, 300, 406, 120, 25, "XOption", {HasHotkeyBit, Size16Bit})
        .Add(13, 430, 405, 150, 24, "XCombo", {HasHotkeyBit})
        .Add(5, -40, 160, 45, 30)                     // cut by the surface's left edge
        .Add(3, 470, -30, 100, 40, "Top edge")        // and its top
        .Add(15, 470, 10, 100, 50, "unknown")         // no such type: nothing
        .Add(-1, 470, 10, 100, 50, "unknown")         // nor here
        .Add(12, INT16_MAX - 10, 100, INT16_MAX, 100) // far off, on the surface if sums wrapped
        .Add(6, INT16_MAX - 10, 50, INT16_MAX, 12)
        .Add(13, 100, INT16_MAX - 10, 100, INT16_MAX, "text")
        .Add(9, 470, 10, 100, 50, "text");
    d.Doc.ObjectTable[29].Text = 300; // no such string: the box alone
    d.Doc.ObjectTable[17].TextY = 3;
    d.Doc.ObjectTable[26].Right = d.Doc.ObjectTable[26].Bottom = INT16_MAX;
    d.Doc.ObjectTable[14].TextX = 30;
    d.Doc.ObjectTable[14].TextY = 4;
    return d.Doc;
}

bool ReadPng(const std::string& path, RgbImage& image) {
    std::vector<uint8_t> bytes;
    return ReadFileBytes(path, bytes) == ReadStatus::Ok && DecodePng(bytes, image);
}

int Render(const std::string& out, const std::string& options) {
    const auto bin = test::UniqueTempPath("alltypes.bin");
    if (!WriteFileAtomically(bin.string(), WriteBinDocument(AllTypes()).value())) return -1;
    const std::string command = std::string(TARROX_CLI) + " render " + bin.string() + " " + out +
                                " --data " + Data + " " + options + " 2>/dev/null";
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Each picture's name, then the render options that draw it.
class GoldenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenTest, MatchesTheReviewedPicture) {
    const std::string name = std::string(GetParam()).substr(0, std::string(GetParam()).find(' '));
    const std::string options = GetParam() + name.size();
    const std::string golden =
        std::string(TARROX_SOURCE_DIR) + "/tests/data/golden/" + name + ".png";
    if (std::getenv("TARROX_UPDATE_GOLDEN")) {
        EXPECT_EQ(Render(golden, options), 0);
        return;
    }
    const std::string out = test::UniqueTempPath(name).string() + ".png";
    ASSERT_EQ(Render(out, options), 0);
    RgbImage drawn, expected;
    ASSERT_TRUE(ReadPng(out, drawn) && ReadPng(golden, expected)) << golden;
    ASSERT_EQ(drawn.Pixels.size(), expected.Pixels.size());
    const size_t at = size_t(
        std::mismatch(drawn.Pixels.begin(), drawn.Pixels.end(), expected.Pixels.begin()).first -
        drawn.Pixels.begin());
    EXPECT_EQ(at, drawn.Pixels.size())
        << "first difference at (" << at % 640 << ", " << at / 640 << ")";
    std::filesystem::remove(out);
}

INSTANTIATE_TEST_SUITE_P(
    Preview, GoldenTest,
    ::testing::Values("glue_filled", "glue_hollow --no-fill", "title_filled --colors 0",
                      "ingame_filled --colors 2", "red_scheme_selected --scheme red --select 12",
                      "blue_scheme_hollow --scheme blue --no-fill --select 1",
                      "current_nothing_selected --current", "selected_dialog --current --select 0",
                      "selected_default_button --current --select 1",
                      "selected_button --current --select 2",
                      "selected_option --current --select 3", "selected_check --current --select 4",
                      "selected_image --current --select 5", "selected_slider --current --select 6",
                      "selected_textbox --current --select 8 --no-fill",
                      "selected_label --current --select 9 --no-fill",
                      "selected_list --current --select 12", "selected_combo --current --select 13",
                      "selected_lightup --current --select 14 --no-fill"),
    [](const auto& c) { return std::string(c.param).substr(0, std::string(c.param).find(' ')); });

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
