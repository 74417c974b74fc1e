// The colour sets, the colour row of each formatting code and the slot widths the generated
// game data carries. Each listed code gets its own row (2 and 13 share one: they are light
// blue in every set); a row a set does not name stays black.
#pragma once

#include <array>
#include <cstdint>

namespace gamedata {

struct Rgb {
    uint8_t R, G, B;
};

inline constexpr int RowCount = 24;
inline constexpr int InvisibleRow = 23;

// fontindex.dat: entry 0 is the row of the "invisible" codes 11 and 20.
inline constexpr std::array<uint8_t, 32> CodeRows = {
    InvisibleRow, 0,  1, 2, 3, 4,  5,  6,  7,  0,  0,  0,  0,  1,  8,  9,
    10,           11, 0, 0, 0, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22};

struct RowColor {
    int Code; // -1 for row 0, the object default
    Rgb Color;
};

constexpr Rgb LightBlue{110, 170, 255}, White{250, 250, 250}, Grey{150, 150, 150},
    Green{40, 200, 60}, Red{230, 40, 40}, Orange{255, 150, 30}, Yellow{250, 230, 60};

inline constexpr RowColor TitleColors[] = {
    {-1, {190, 200, 230}}, {2, LightBlue}, {3, Orange}, {4, White}, {5, Grey}, {6, Green},
    {13, LightBlue},       {26, LightBlue}};

inline constexpr RowColor GlueColors[] = {{-1, {220, 220, 130}},
                                          {2, LightBlue},
                                          {3, Green},
                                          {4, {150, 255, 130}},
                                          {5, Grey},
                                          {6, White},
                                          {7, Red},
                                          {13, LightBlue},
                                          {26, LightBlue}};

inline constexpr RowColor InGameColors[] = {{-1, {215, 225, 215}},
                                            {2, LightBlue},
                                            {3, Yellow},
                                            {4, White},
                                            {5, Grey},
                                            {6, Red},
                                            {7, Green},
                                            {13, LightBlue},
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
                                            {26, {90, 160, 240}},
                                            {28, {0, 128, 255}},
                                            {29, {128, 128, 72}},
                                            {30, {150, 180, 220}},
                                            {31, {0, 230, 230}}};

} // namespace gamedata
