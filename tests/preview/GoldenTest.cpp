// The renderer against reviewed pictures in tests/data/golden. Set TARROX_UPDATE_GOLDEN=1 to
// rewrite them (and look at every changed one before committing it).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "PreviewSupport.h"
#include "document/BinWriter.h"
#include "platform/FileAccess.h"
#include "platform/PngFile.h"
#include "platform/Surface.h"
#include "preview/ColorTables.h"
#include "preview/Renderer.h"

namespace tarrox {
namespace {

using test::Bit;

constexpr int HasHotkey = 9, Size10 = 10, Size16 = 11, Size16x = 14, Size14 = 16;
constexpr int CenterText = 21, AlignRight = 22, AlignBottom = 26;

// Every control type once, with text in several sizes and colours.
DialogDocument AllTypes() {
    test::DialogBuilder d(20, 16, 600, 448);
    d.Add(1, 10, 10, 140, 28, "OOK", Bit(HasHotkey))
        .Add(2, 160, 10, 140, 28, "CCancel", Bit(HasHotkey))
        .Add(3, 10, 50, 180, 20, "Option \x03one")
        .Add(4, 200, 50, 150, 20,
             "Check \x04"
             "box")
        .Add(5, 360, 10, 100, 60)
        .Add(6, 10, 80, 200, 12)
        .Add(7, 220, 80, 60, 20, "unknown")
        .Add(8, 290, 80, 160, 20)
        .Add(9, 10, 110, 180, 40, "Left label\nsecond \x02line")
        .Add(10, 200, 110, 180, 40, "Centre \x06label", Bit(Size16))
        .Add(11, 390, 110, 180, 40, "Right label", Bit(Size10) | Bit(AlignBottom))
        .Add(12, 10, 160, 200, 120)
        .Add(13, 220, 160, 180, 20, "Combo box text runs on")
        .Add(14, 220, 190, 180, 30, "LLight-up", Bit(HasHotkey))
        .Add(9, 220, 230, 360, 50,
             "\x05Size 16x \x07red \x0d"
             "blue",
             Bit(Size16x) | Bit(CenterText))
        .Add(9, 10, 290, 570, 60, "Size 14 right \x03green", Bit(Size14) | Bit(AlignRight))
        .Add(9, 10, 360, 570, 60,
             "Codes: \x02two \x03three \x04"
             "four \x05"
             "five \x06six \x07seven \x08"
             "eight");
    d.Last().TextY = 3;
    DialogDocument doc = d.Doc();
    doc.ObjectTable[14].TextX = 30;
    doc.ObjectTable[14].TextY = 4;
    return doc;
}

struct Case {
    const char* name;
    int colors = 1;
    bool fill = true;
    bool showAll = true;
    int select = -1;
    ColorScheme scheme = PinkAndBlueScheme;
};

class GoldenTest : public ::testing::TestWithParam<Case> {};

RgbImage Render(const DialogDocument& doc, const Case& c) {
    const std::string data = test::SourceData();
    TextDrawingState text;
    LoadTextTables(text, data);
    LoadColorTable(text, uint8_t(c.colors), data, "");
    PreviewFonts fonts;
    LoadPreviewFonts(fonts, data);
    PreviewSettings settings{c.showAll, c.fill, c.scheme, c.colors};
    Surface surface;
    PreviewCanvas canvas{surface, settings, fonts, text};
    RedrawPreview(canvas, doc, c.select);
    return {Surface::Width, Surface::Height, surface.Pixels()};
}

int CountDifferences(const RgbImage& a, const RgbImage& b, std::string& where) {
    if (a.Width != b.Width || a.Height != b.Height) return -1;
    int differing = 0;
    for (size_t i = 0; i < a.Pixels.size(); ++i)
        if (a.Pixels[i] != b.Pixels[i] && differing++ == 0)
            where = "first at (" + std::to_string(i % a.Width) + ", " +
                    std::to_string(i / a.Width) + ")";
    return differing;
}

bool ReadPng(const std::string& path, RgbImage& image) {
    std::vector<uint8_t> bytes;
    return ReadFileBytes(path, bytes) == ReadStatus::Ok && DecodePng(bytes, image);
}

TEST_P(GoldenTest, MatchesTheReviewedPicture) {
    const Case& c = GetParam();
    RgbImage image = Render(AllTypes(), c);
    const std::string path = test::GoldenDir() + "/" + c.name + ".png";
    if (std::getenv("TARROX_UPDATE_GOLDEN")) {
        ASSERT_TRUE(WriteFileAtomically(path, EncodePng(image)));
        WriteFileAtomically(test::GoldenDir() + "/alltypes.bin", WriteBinDocument(AllTypes()));
        return;
    }
    RgbImage golden;
    ASSERT_TRUE(ReadPng(path, golden)) << path;
    std::string where;
    EXPECT_EQ(CountDifferences(image, golden, where), 0) << where;
}

// tarrox2-cli render draws the same pictures from the dialog file.
TEST(RenderCommand, DrawsTheReviewedPictures) {
    const auto out = std::filesystem::temp_directory_path() / "tarrox-render.png";
    const std::string bin = test::GoldenDir() + "/alltypes.bin";
    const std::pair<const char*, const char*> runs[] = {
        {"", "glue_filled"},
        {"--no-fill", "glue_hollow"},
        {"--colors 2", "ingame_filled"},
        {"--scheme red --select 12", "red_scheme_selected"},
        {"--current --select 3", "selected_option"}};
    for (auto [options, name] : runs) {
        std::string command = std::string(TARROX_CLI) + " render " + bin + " " + out.string() +
                              " --data " + test::SourceData() + " " + options;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        RgbImage drawn, golden;
        ASSERT_TRUE(ReadPng(out.string(), drawn));
        ASSERT_TRUE(ReadPng(test::GoldenDir() + "/" + name + ".png", golden));
        std::string where;
        EXPECT_EQ(CountDifferences(drawn, golden, where), 0) << options << " " << where;
    }
    std::filesystem::remove(out);
}

TEST(RenderCommand, RefusesBadArgumentsWithoutWritingAPicture) {
    const auto out = std::filesystem::temp_directory_path() / "tarrox-refused.png";
    std::filesystem::remove(out);
    const std::string bin = test::GoldenDir() + "/alltypes.bin";
    for (std::string args :
         {bin + " " + out.string() + " --colors 4", bin + " " + out.string() + " --scheme green",
          bin + " " + out.string() + " --select 40", bin + " " + out.string() + " --select x",
          bin + " " + out.string() + " --bogus", bin, "/nonexistent.bin " + out.string()}) {
        std::string command = std::string(TARROX_CLI) + " render " + args + " 2>/dev/null";
        int raw = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << args;
        EXPECT_FALSE(std::filesystem::exists(out)) << args;
    }
}

Case Selected(const char* name, int index, bool fill = true) {
    return {name, 1, fill, false, index};
}

INSTANTIATE_TEST_SUITE_P(
    Preview, GoldenTest,
    ::testing::Values(Case{"glue_filled"}, Case{"glue_hollow", 1, false}, Case{"title_filled", 0},
                      Case{"ingame_filled", 2},
                      Case{"red_scheme_selected", 1, true, true, 12, RedScheme},
                      Case{"blue_scheme_hollow", 1, false, true, 1, BlueScheme},
                      Case{"current_nothing_selected", 1, true, false, -1},
                      Selected("selected_dialog", 0), Selected("selected_default_button", 1),
                      Selected("selected_button", 2), Selected("selected_option", 3),
                      Selected("selected_check", 4), Selected("selected_image", 5),
                      Selected("selected_slider", 6), Selected("selected_textbox", 8, false),
                      Selected("selected_label", 9, false), Selected("selected_list", 12),
                      Selected("selected_combo", 13), Selected("selected_lightup", 14, false)),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarrox
