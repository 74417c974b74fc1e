// The art view over art made here in the game's formats.
#include <gtest/gtest.h>

#include <filesystem>

#include "document/DialogDocument.h"
#include "platform/FileAccess.h"
#include "platform/Surface.h"
#include "preview/ArtCache.h"
#include "preview/ArtView.h"
#include "support/ArtBuilder.h"
#include "support/BinBuilder.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

const Palette Colors = test::TestPalette();
uint32_t Color(int index) {
    return ColorOf(Colors[size_t(index)]);
}

// 148 frames of their own number, 1 x 1 but for the button's pieces and the option button.
std::vector<uint8_t> ControlFrames() {
    std::vector<test::TestFrame> frames;
    for (int f = 0; f < 148; ++f) {
        const bool piece = f >= 112 && f <= 117;
        const int w = piece ? 8 : f == 7 ? 19 : 1, h = piece ? 28 : f == 7 ? 19 : 1;
        frames.push_back({0, 0, w, h, std::vector<uint8_t>(size_t(w) * h, uint8_t(f))});
    }
    return test::GrpFile(frames, false);
}

// The tile box's nine 8 x 8 frames, 10 + their number; the centre the palette's darkest.
std::vector<uint8_t> TileFrames() {
    std::vector<test::TestFrame> frames;
    for (int f = 0; f < 9; ++f)
        frames.push_back({0, 0, 8, 8, std::vector<uint8_t>(64, uint8_t(f == 4 ? 255 : 10 + f))});
    return test::GrpFile(frames, true, 8, 8);
}

class ArtViewTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        Put("glue/palnl/backgnd.pcx", Picture(640, 480, std::vector<uint8_t>(640 * 480, 3)));
        Put("glue/palnl/tfont.pcx", Picture(48, 1, std::vector<uint8_t>(48, 1)));
        Put("glue/palnl/dlg.grp", ControlFrames());
        Put("dlgs/terran.grp", ControlFrames());
        Put("dlgs/tile.grp", TileFrames());
        Put("game/nconsole.pcx", Picture(1, 1, {1}));
        // 0 5 / 5 0: index 0 is transparent only when the flags say so.
        Put("glue/campaign/pbotl.pcx", Picture(2, 2, {0, 5, 5, 0}));

        doc_.ObjectCount = 6, doc_.StringCount = 3;
        doc_.StringTable = {"", "glue\\campaign\\pBotL.pcx", "glue\\x\\missing.pcx"};
        const DialogObject objects[] = {
            test::Box(0, 0, 640, 480, 0),   test::Box(100, 100, 40, 28),
            test::Box(10, 20, 2, 2, 5),     test::Box(300, 300, 19, 19, 3),
            test::Box(400, 400, 20, 20, 5), test::Box(500, 400, 9, 9, 5)};
        std::copy(std::begin(objects), std::end(objects), doc_.ObjectTable.begin());
        // Two images name the same missing file, which is named once.
        doc_.ObjectTable[2].Text = 1, doc_.ObjectTable[4].Text = doc_.ObjectTable[5].Text = 2;
        doc_.ObjectTable[2].Flags |= FlagMask(TransparentBit);
        doc_.ObjectTable[3].Flags = 0; // hidden
    }
    void Put(const std::string& name, const std::vector<uint8_t>& bytes) {
        Write("art/" + name, bytes);
    }
    static std::vector<uint8_t> Picture(int w, int h, const std::vector<uint8_t>& pixels) {
        return test::EncodePcx(w, h, pixels, Colors);
    }
    std::vector<std::string> Draw(const std::string& folder, int32_t selected = -1) {
        ArtCache art{DataFolders(dir_.string())};
        PreviewCanvas canvas{surface_, settings_, fonts_, text_};
        return RedrawArtView(canvas, doc_, selected, art, {folder, Race::Terran});
    }

    DialogDocument doc_;
    Surface surface_;
    PreviewSettings settings_;
    PreviewFonts fonts_;
    TextDrawingState text_;
};

// The background, the buttons' pieces and hidden or missing controls show in the reviewed
// pictures; what they do not show is checked here.
TEST_F(ArtViewTest, GlueScreenImagesSeeThroughIndexZeroByFlagAndMissingPicturesAreNamed) {
    EXPECT_EQ(Draw("PalNl"), std::vector<std::string>{"glue\\x\\missing.pcx is not imported."});
    EXPECT_EQ(surface_.Pixel(10, 20), Color(3)); // index 0 shows the background
    EXPECT_EQ(surface_.Pixel(11, 20), Color(5));

    // Without the flag index 0 is drawn; the selection lies over everything, hidden or not.
    doc_.ObjectTable[2].Flags = FlagMask(VisibleBit);
    Draw("PalNl", 3);
    EXPECT_EQ(surface_.Pixel(10, 20), Color(0));
    EXPECT_EQ(surface_.Pixel(300, 300), PinkAndBlueScheme.HighlightColor);
    EXPECT_EQ(surface_.Pixel(301, 301), Color(3));
}

TEST_F(ArtViewTest, InGameDialogIsATileBoxWhoseFillShowsWhatIsBehind) {
    doc_.ObjectCount = 2;
    doc_.ObjectTable[0].Left = 16, doc_.ObjectTable[0].Top = 8;
    doc_.ObjectTable[0].Width = 40, doc_.ObjectTable[0].Height = 24;
    EXPECT_TRUE(Draw("").empty());
    EXPECT_EQ(surface_.Pixel(16, 8), Color(10));  // top-left corner
    EXPECT_EQ(surface_.Pixel(55, 31), Color(18)); // bottom-right corner
    EXPECT_EQ(surface_.Pixel(30, 20), 0u);        // the fill: black behind it, darkened
    // Children sit inside the dialog, from its corner.
    EXPECT_EQ(surface_.Pixel(116, 108), Color(115));
    // Without the race's frames or its palette, outlines stand in and the files are named.
    fs::remove(Path("art/dlgs/terran.grp"));
    EXPECT_EQ(Draw(""), std::vector<std::string>{"dlgs\\terran.grp is not imported."});
    EXPECT_EQ(surface_.Pixel(130, 108), PinkAndBlueScheme.NormalColor);
}

} // namespace
} // namespace tarrox
