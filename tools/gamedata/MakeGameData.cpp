// Writes the program's own game data: bitmap fonts rendered from DejaVu with FreeType and
// shaded through the eight colour indices like game text, the three font colour tables as
// PCX images, fontindex.dat and fontwidth.dat.
//
//   make_gamedata OUT_DIR [DEJAVU_DIR]
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "GameColors.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Shades of one letter pixel: 0 filler, 1 shadow, 3-4 edges, 5-7 body from bottom to top.
enum Shade : uint8_t { Filler = 0, Shadow = 1, FaintEdge = 3, Edge = 4, Body = 5 };

struct FontRecipe {
    const char* File;
    const char* Face;
    int PixelSize;
    int LineHeight;
};

constexpr FontRecipe Fonts[] = {
    {"font8.fnt", "DejaVuSans.ttf", 9, 11},         {"font10.fnt", "DejaVuSans.ttf", 11, 13},
    {"font14.fnt", "DejaVuSans.ttf", 14, 16},       {"font16.fnt", "DejaVuSans.ttf", 16, 19},
    {"font16x.fnt", "DejaVuSans-Bold.ttf", 16, 19}, {"font32.fnt", "DejaVuSans-Bold.ttf", 31, 36}};

// Bytes 128..159 as the game's Windows code page shows them; 0 where it has no character.
constexpr uint16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t CodePoint(int code) {
    return code >= 128 && code < 160 ? Cp1252High[code - 128] : code;
}

void PutU32(Bytes& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

// One letter record: header and pixel bytes, or empty when the face lacks the character.
Bytes MakeLetter(FT_Face face, int code, int lineHeight, int ascent, int& width) {
    uint32_t cp = CodePoint(code);
    if (cp == 0 || FT_Get_Char_Index(face, cp) == 0) return {};
    if (FT_Load_Char(face, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT)) return {};
    const FT_Bitmap& bm = face->glyph->bitmap;
    const int rows = lineHeight + 1;
    const int left = std::max(0, face->glyph->bitmap_left);
    const int advance = int((face->glyph->advance.x + 32) >> 6);
    const int columns = std::max(advance, left + int(bm.width) + 1) + 2;
    // Raster column k is drawn at pen x + k - 1: the ink sits one pixel left of the bearing.
    std::vector<int> coverage(size_t(rows) * columns, 0);
    for (unsigned r = 0; r < bm.rows; ++r)
        for (unsigned c = 0; c < bm.width; ++c) {
            int y = ascent - face->glyph->bitmap_top + int(r), k = left + int(c);
            if (y >= 0 && y < rows - 1 && k < columns)
                coverage[y * columns + k] = bm.buffer[r * bm.pitch + c];
        }
    std::vector<int> shade(coverage.size(), -1);
    int top = rows, bottom = -1, right = 0;
    for (int i = 0; i < int(coverage.size()); ++i)
        if (coverage[i] >= 40)
            top = std::min(top, i / columns), bottom = std::max(bottom, i / columns);
    for (int y = 0; y < rows; ++y)
        for (int k = 0; k < columns; ++k) {
            int c = coverage[y * columns + k];
            if (c >= 170) {
                int third = 3 * (y - top) / std::max(1, bottom - top + 1);
                shade[y * columns + k] = Body + 2 - std::min(third, 2);
            } else if (c >= 90) {
                shade[y * columns + k] = Edge;
            } else if (c >= 40) {
                shade[y * columns + k] = FaintEdge;
            }
        }
    for (int y = rows - 1; y > 0; --y)
        for (int k = columns - 1; k > 0; --k)
            if (shade[y * columns + k] < 0 && shade[(y - 1) * columns + k - 1] >= FaintEdge)
                shade[y * columns + k] = Shadow;
    for (int i = 0; i < int(shade.size()); ++i)
        if (shade[i] >= 0) right = std::max(right, i % columns);
    // The shadow may widen a letter past the face's advance; no extra spacing is needed.
    width = std::max(advance, right + 1);

    // Pixel positions in a raster `width` wide; long gaps need a filler pixel every 32.
    std::vector<std::pair<int, int>> pixels;
    for (int y = 0; y < rows; ++y)
        for (int k = 0; k < width; ++k)
            if (shade[y * columns + k] >= 0)
                pixels.push_back({y * width + k, shade[y * columns + k]});
    Bytes record = {uint8_t(width), uint8_t(rows), 1, 1};
    if (pixels.empty()) return record;
    record[2] = uint8_t(pixels[0].first % width);
    record[3] = uint8_t(pixels[0].first / width + 1);
    int at = pixels[0].first - 1;
    for (auto [pos, v] : pixels) {
        for (; pos - at - 1 > 31; at += 32) record.push_back(uint8_t(31 << 3 | Filler));
        record.push_back(uint8_t((pos - at - 1) << 3 | v));
        at = pos;
    }
    return record;
}

Bytes MakeFont(FT_Library ft, const std::string& faceDir, const FontRecipe& recipe,
               int& spaceWidth) {
    FT_Face face;
    if (FT_New_Face(ft, (faceDir + "/" + recipe.Face).c_str(), 0, &face)) return {};
    FT_Set_Pixel_Sizes(face, 0, recipe.PixelSize);
    const int ascent = int((face->size->metrics.ascender + 32) >> 6);
    constexpr int Low = 32, High = 255;
    Bytes out(12 + 4 * (High - Low), 0);
    std::copy_n("FONT", 4, out.begin());
    out[4] = Low;
    out[5] = High;
    out[7] = uint8_t(recipe.LineHeight);
    int maxWidth = 0;
    for (int code = Low + 1; code <= High; ++code) {
        int width = 0;
        Bytes letter = MakeLetter(face, code, recipe.LineHeight, ascent, width);
        if (letter.empty()) continue; // offset 0: no letter, as in the game's fonts
        PutU32(out, 12 + 4 * (code - Low - 1), uint32_t(out.size()));
        out.insert(out.end(), letter.begin(), letter.end());
        maxWidth = std::max(maxWidth, width);
    }
    out[6] = uint8_t(maxWidth);
    FT_Load_Char(face, ' ', FT_LOAD_DEFAULT);
    spaceWidth = int((face->glyph->advance.x + 32) >> 6);
    FT_Done_Face(face);
    return out;
}

// An 8 x 24 PCX whose pixel i is i, so the palette holds the colour table in order.
Bytes MakeColorTable(std::span<const gamedata::RowColor> colors) {
    Bytes out(128, 0);
    out[0] = 10;  // manufacturer
    out[1] = 5;   // version
    out[2] = 1;   // run-length encoded
    out[3] = 8;   // bits per pixel
    out[8] = 7;   // x max
    out[10] = 23; // y max
    out[12] = out[14] = 72;
    out[65] = 1; // planes
    out[66] = 8; // bytes per line
    out[68] = 1; // colour palette
    for (int i = 0; i < 192; ++i) {
        if (i >= 0xC0) out.push_back(0xC1); // values this high must travel as runs
        out.push_back(uint8_t(i));
    }
    out.push_back(12);
    Bytes palette(768, 0);
    auto setRow = [&](int row, gamedata::Rgb c) {
        for (int v = 0; v < 8; ++v) {
            const gamedata::Rgb shade = gamedata::RowShade(c, v);
            const size_t at = size_t(row * 8 + v) * 3;
            palette[at] = shade.R, palette[at + 1] = shade.G, palette[at + 2] = shade.B;
        }
    };
    for (const auto& rc : colors) setRow(gamedata::CodeRows[rc.Code], rc.Color);
    out.insert(out.end(), palette.begin(), palette.end());
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_gamedata OUT_DIR [DEJAVU_DIR]\n");
        return 2;
    }
    const std::string outDir = argv[1];
    const std::string faceDir = argc > 2 ? argv[2] : "/usr/share/fonts/truetype/dejavu";
    FT_Library ft;
    if (FT_Init_FreeType(&ft)) return 1;
    bool ok = true;
    int spaces[6] = {};
    for (int i = 0; i < 6; ++i) {
        Bytes font = MakeFont(ft, faceDir, Fonts[i], spaces[i]);
        ok = ok && !font.empty() && WriteFile(outDir + "/" + Fonts[i].File, font);
    }
    FT_Done_FreeType(ft);
    ok = ok && WriteFile(outDir + "/tfonttitle.pcx", MakeColorTable(gamedata::TitleColors)) &&
         WriteFile(outDir + "/tfontglu.pcx", MakeColorTable(gamedata::GlueColors)) &&
         WriteFile(outDir + "/tfontgam.pcx", MakeColorTable(gamedata::InGameColors)) &&
         WriteFile(outDir + "/fontindex.dat",
                   Bytes(gamedata::CodeRows.begin(), gamedata::CodeRows.end()));
    // Slots 1..5 use font10, font14, font14, font16 and font16x: letters carry their own
    // spacing, and a space is as wide as the face's own. Slot 0 (font8) comes last, in the
    // two bytes a 10-byte file from elsewhere lacks.
    const int slotFont[6] = {1, 2, 2, 3, 4, 0};
    Bytes widths;
    for (int f : slotFont) widths.insert(widths.end(), {0, uint8_t(spaces[f])});
    ok = ok && WriteFile(outDir + "/fontwidth.dat", widths);
    if (!ok) std::fprintf(stderr, "make_gamedata: could not write the game data\n");
    return ok ? 0 : 1;
}
