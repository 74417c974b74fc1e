#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Surface.h"
#include "preview/ArtCache.h"
#include "preview/ArtDrawing.h"
#include "support/ArtBuilder.h"
#include "support/FontBuilder.h"
#include "support/TempDir.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

class ArtCacheTest : public test::TempDirTest {
  protected:
    static std::vector<uint8_t> Picture(int w, int h) {
        const std::vector<uint8_t> pixels(size_t(w) * h, 7);
        return test::EncodePcx(w, h, pixels, test::TestPalette());
    }
};

template <typename Art> std::string Found(const ArtFile<Art>& file, std::string what) {
    return file.Art ? what : file.Problem;
}

TEST_F(ArtCacheTest, FindsArtByItsGameNameUserFilesFirstAndNamesWhatIsMissing) {
    Write("user/art/glue/palcs/backgnd.pcx", Picture(3, 2));
    Write("bundled/art/glue/palcs/backgnd.pcx", Picture(1, 1));
    Write("bundled/art/glue/palcs/dlg.grp", test::GrpFile({{0, 0, 1, 1, {5}}}, false));
    Write("bundled/art/tileset/jungle.wpe", std::vector<uint8_t>(1024, 9));
    Write("bundled/art/glue/broken.pcx", "\1\2\3");
    ArtCache cache({Path("user"), Path("bundled")});
    auto pcx = [&](const std::string& name) {
        const auto file = cache.Pcx(name);
        return Found(file, file.Art ? std::to_string(file.Art->Image.Width) : "");
    };
    auto grp = [&](const std::string& name) {
        const auto file = cache.Grp(name);
        return Found(file, file.Art ? std::to_string(file.Art->Frames.size()) + " frame" : "");
    };
    const std::string notAName = " is not a file name of the game's art.";
    const std::pair<std::string, std::string> cases[] = {
        {pcx("GLUE\\PalCs\\BackGnd.PCX"), "3"},
        {pcx("glue/palcs/backgnd.pcx"), "3"},
        {grp("glue\\PalCs\\dlg.grp"), "1 frame"},
        {Found(cache.TilesetPalette("Tileset\\Jungle.wpe"), "palette"), "palette"},
        {pcx("glue\\campaign\\pBotL.pcx"), "glue\\campaign\\pbotl.pcx is not imported."},
        {pcx("glue\\broken.pcx"), "glue\\broken.pcx cannot be drawn: it has no PCX header."},
        // A picture asked for as frames, then as a picture again.
        {grp("glue\\palcs\\backgnd.pcx"),
         "glue\\palcs\\backgnd.pcx cannot be drawn: its table of 1290 frames runs past the end "
         "of the file."},
        {pcx("glue\\palcs\\backgnd.pcx"), "3"},
        // Names in a dialog are untrusted: none may lead out of the art folder.
        {pcx("..\\..\\etc\\passwd"), "..\\..\\etc\\passwd" + notAName},
        {pcx("glue\\.\\x.pcx"), "glue\\.\\x.pcx" + notAName},
        {pcx("c:\\x.pcx"), "c:\\x.pcx" + notAName},
        {pcx("/etc/passwd"), "\\etc\\passwd" + notAName},
        {pcx(""), notAName},
    };
    for (const auto& [found, expected] : cases) EXPECT_EQ(found, expected);
}

TEST_F(ArtCacheTest, KeepsTheMostRecentlyUsedWithinItsBound) {
    for (const char* name : {"a", "b", "c"})
        Write(std::string("art/") + name + ".pcx", Picture(64, 64));
    size_t one = 0;
    {
        ArtCache measure(Path(""));
        measure.Pcx("a.pcx");
        one = measure.Bytes();
    }
    ArtCache cache(Path(""), one * 5 / 2);
    for (const char* name : {"a.pcx", "b.pcx", "a.pcx", "c.pcx"}) ASSERT_TRUE(cache.Pcx(name).Art);
    EXPECT_EQ(cache.Bytes(), 2 * one);
    // Off the disk, what the cache kept still draws; "b", least recently used, went.
    fs::remove_all(dir_ / "art");
    EXPECT_TRUE(cache.Pcx("a.pcx").Art && cache.Pcx("c.pcx").Art);
    EXPECT_EQ(cache.Pcx("b.pcx").Problem, "b.pcx is not imported.");
    cache.Clear();
    EXPECT_EQ(cache.Bytes(), 0u);
    EXPECT_FALSE(cache.Pcx("a.pcx").Art);
}

// Every pixel unlike the grey background, as "=i" for palette index i, "=half" for it darkened.
std::string Changed(const Surface& s, const Palette& palette) {
    return test::PixelList(s, [&](uint32_t c) -> std::string {
        for (int i = 0; i < 4; ++i)
            if (c == ColorOf(palette[i])) return "=" + std::to_string(i);
        return c == 0x808080 ? "-" : c == 0x404040 ? "=half" : "=?";
    });
}

TEST(ArtDrawing, ClipsToTheSurfaceSkipsIndexZeroAndDarkensUnderTheTranslucentIndex) {
    Palette palette;
    for (int i = 0; i < 4; ++i) palette[i] = {uint8_t(i), 0, 0};
    const IndexedImage image{3, 2, {1, 2, 0, 0, 3, 2}};
    const GrpFrame frame{2, 1, image};
    const struct {
        int64_t X, Y;
        IndexedDrawing How;
        std::string Expected;
    } cases[] = {
        {-1, 1, {}, "0,1=2 1,1=0 0,2=3 1,2=2"},
        {638, 478, {true, 2}, "638,478=1 639,478=half 639,479=3"},
        {-3, 0, {}, ""},
        {0, 480, {}, ""},
        {INT32_MIN, INT32_MAX, {}, ""},
    };
    for (const auto& c : cases) {
        Surface s;
        s.Fill(0x808080);
        DrawIndexed(s, image, palette, c.X, c.Y, c.How);
        EXPECT_EQ(Changed(s, palette), c.Expected) << c.X << "," << c.Y;
    }
    Surface s;
    s.Fill(0x808080);
    DrawGrpFrame(s, frame, palette, 10, 20);
    EXPECT_EQ(Changed(s, palette), "12,21=1 13,21=2 13,22=3 14,22=2");
}

} // namespace
} // namespace tarrox
