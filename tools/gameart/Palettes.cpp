#include "Palettes.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace gameart {

namespace {

using gamedata::Rgb;

uint8_t Channel(double v) {
    return uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {Channel(a.R + (b.R - a.R) * t), Channel(a.G + (b.G - a.G) * t),
            Channel(a.B + (b.B - a.B) * t)};
}

// Level t of a colour: from a dim tinted near-black up to the colour at 0.7, then toward
// white. Never black, so the see-through entry stays the only one.
Rgb Shade(Rgb base, double t) {
    constexpr Rgb White{255, 255, 255};
    constexpr Rgb Floor{6, 6, 8};
    if (t < 0.7) return Mix(Floor, base, t / 0.7);
    return Mix(base, White, (t - 0.7) / 0.3 * 0.75);
}

void FillRamp(Palette& p, Ramp ramp, const std::function<Rgb(double)>& color) {
    for (int i = 0; i < ramp.Count; ++i) p[ramp.First + i] = color(i / double(ramp.Count - 1));
}

constexpr Rgb Black{0, 0, 0}, White{255, 255, 255}, Steel{150, 155, 165};

// Glue layout: text 1-47, face 48-111, greys 112-143, accent 144-175, background 176-239,
// muted tint 240-253, see-through black 254, white 255.
constexpr Ramp GlueFace{48, 64}, GlueGreys{112, 32}, GlueAccent{144, 32}, GlueMuted{240, 14};

// In-game layout: greys 1-32, race accents 33-40 / 234-241 / 242-249, see-through 41, race
// faces 42-105 / 106-169 / 170-233, spare greys 250-253, 254 near-black, white 255.
constexpr Ramp InGameGreys{1, 32};
constexpr Ramp RaceFaces[] = {{42, 64}, {106, 64}, {170, 64}};
constexpr Ramp RaceAccents[] = {{33, 8}, {234, 8}, {242, 8}};
constexpr Rgb RaceTints[] = {{70, 110, 170}, {190, 150, 60}, {150, 50, 110}};
constexpr Rgb RaceAccentColors[] = {{120, 230, 255}, {255, 230, 120}, {255, 120, 200}};

} // namespace

uint8_t Ramp::At(double t) const {
    return uint8_t(First + std::lround(std::clamp(t, 0.0, 1.0) * (Count - 1)));
}

const std::vector<GlueFolder>& GlueFolders() {
    static const std::vector<GlueFolder> folders = {
        {"PalCs", {80, 120, 190}, {120, 220, 255}}, {"PalMm", {60, 80, 180}, {140, 200, 255}},
        {"PalNl", {40, 150, 140}, {140, 255, 170}}, {"PalPd", {140, 100, 40}, {255, 200, 90}},
        {"PalPv", {200, 160, 50}, {255, 240, 140}}, {"PalRp", {180, 130, 50}, {255, 220, 110}},
        {"PalRt", {60, 110, 200}, {120, 230, 255}}, {"PalRz", {150, 40, 100}, {255, 120, 200}},
        {"PalTd", {90, 100, 120}, {200, 210, 230}}, {"PalTv", {50, 150, 200}, {150, 240, 255}},
        {"PalZd", {120, 40, 50}, {255, 110, 90}},   {"PalZv", {160, 60, 180}, {255, 150, 255}}};
    return folders;
}

Palette GluePalette(const GlueFolder& folder) {
    Palette p{};
    // Text rows in the glue tables' order; shade 0 is never drawn and gets a dim stand-in.
    for (const gamedata::RowColor& rc : gamedata::GlueColors) {
        const int row = gamedata::CodeRows[rc.Code];
        for (int v = 0; v < 8; ++v)
            if (row * 8 + v > 0)
                p[row * 8 + v] = v ? gamedata::RowShade(rc.Color, v) : Shade(rc.Color, 0.05);
    }
    FillRamp(p, GlueFace, [&](double t) { return Shade(folder.Tint, t); });
    FillRamp(p, GlueGreys, [&](double t) { return Shade(Steel, t); });
    FillRamp(p, GlueAccent, [&](double t) { return Shade(folder.Accent, 0.3 + 0.7 * t); });
    FillRamp(p, GlueBackground, [&](double t) { return Shade(folder.Tint, 0.03 + 0.3 * t); });
    FillRamp(p, GlueMuted, [&](double t) { return Shade(Mix(folder.Tint, Steel, 0.5), t); });
    p[GlueSeeThrough] = Black;
    p[255] = White;
    return p;
}

ControlColors GlueControls() {
    return {GlueFace, GlueGreys, GlueAccent, GlueSeeThrough};
}

Canvas GlueColorTable() {
    Canvas table(48, 1);
    for (int i = 0; i < 48; ++i) table.At(i, 0) = uint8_t(i % 8 ? i : 0);
    return table;
}

Palette InGamePalette() {
    Palette p{};
    FillRamp(p, InGameGreys, [&](double t) { return Shade(Steel, t); });
    for (int r = 0; r < 3; ++r) {
        FillRamp(p, RaceFaces[r], [&](double t) { return Shade(RaceTints[r], t); });
        FillRamp(p, RaceAccents[r],
                 [&](double t) { return Shade(RaceAccentColors[r], 0.6 + 0.4 * t); });
    }
    FillRamp(p, {250, 4}, [&](double t) { return Shade(Steel, 0.2 + 0.6 * t); });
    p[InGameSeeThrough] = Black;
    p[254] = {10, 10, 12};
    p[255] = White;
    return p;
}

ControlColors InGameControls(Race race) {
    const int r = int(race);
    return {RaceFaces[r], InGameGreys, RaceAccents[r], RaceFaces[r].At(0.03)};
}

ControlColors InGameBox() {
    return {InGameGreys, InGameGreys, InGameGreys, uint8_t(InGameSeeThrough)};
}

} // namespace gameart
