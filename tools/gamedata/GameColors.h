// The colour sets, the colour row of each formatting code and the slot widths the generated
// game data carries. Rows follow the game's own tables, so a user's copies of them drop in:
// row 0 is light blue (codes 1, 2, 13 and 26), rows 1-5 are codes 3-7, and the in-game table
// carries the player colours from row 8 on. A row a set does not name stays black.
#pragma once

#include <array>
#include <cstdint>

namespace gamedata {

struct Rgb {
    uint8_t R, G, B;
};

inline constexpr int RowCount = 24;

// Shade v (0-7) of a colour row: black up to the colour itself, then a highlight toward white.
inline Rgb RowShade(Rgb c, int v) {
    static constexpr double Level[8] = {0.0, 0.22, 0.38, 0.55, 0.72, 0.86, 1.0, 1.0};
    auto channel = [&](uint8_t base) {
        double value = base * Level[v];
        if (v == 7) value += (255 - base) * 0.45;
        return uint8_t(value > 254.5 ? 255 : value + 0.5);
    };
    return {channel(c.R), channel(c.G), channel(c.B)};
}

// fontindex.dat. Entry 0 is what codes 11 and 20 would select; they draw nothing, whatever it
// names. Codes without a colour of their own keep row 0.
inline constexpr std::array<uint8_t, 32> CodeRows = {0,  0,  0,  1,  2,  3,  4,  5,  8,  0, 0,
                                                     0,  0,  0,  9,  10, 11, 12, 0,  0,  0, 13,
                                                     14, 15, 16, 17, 0,  18, 19, 20, 21, 23};

struct RowColor {
    int Code; // the row is the code's row in CodeRows
    Rgb Color;
};

constexpr Rgb LightBlue{110, 170, 255}, White{250, 250, 250}, Grey{150, 150, 150},
    Green{40, 200, 60}, Red{230, 40, 40}, Orange{255, 150, 30}, Yellow{250, 230, 60};

inline constexpr RowColor TitleColors[] = {
    {2, LightBlue}, {3, Orange}, {4, White}, {5, Grey}, {6, Green}};

inline constexpr RowColor GlueColors[] = {{2, LightBlue}, {3, Green}, {4, {150, 255, 130}},
                                          {5, Grey},      {6, White}, {7, Red}};

inline constexpr RowColor InGameColors[] = {{2, LightBlue},
                                            {3, Yellow},
                                            {4, White},
                                            {5, Grey},
                                            {6, Red},
                                            {7, Green},
                                            {8, {244, 4, 4}},
                                            {14, {12, 72, 204}},
                                            {15, {44, 180, 148}},
                                            {16, {136, 64, 156}},
                                            {17, {248, 140, 20}},
                                            {21, {112, 48, 20}},
                                            {22, {204, 224, 208}},
                                            {23, {252, 252, 56}},
                                            {24, {8, 128, 8}},
                                            {25, {252, 208, 80}},
                                            {27, {236, 196, 176}},
                                            {28, {0, 128, 255}},
                                            {29, {128, 128, 72}},
                                            {30, {150, 180, 220}},
                                            {31, {0, 230, 230}}};

} // namespace gamedata
