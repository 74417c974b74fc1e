#include "Controls.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace gameart {

namespace {

// Signed distance to a shape's edge at a point: negative inside.
using Shape = std::function<double(double x, double y)>;

// A box from (x0, y0) to (x1, y1) whose left and right corners have their own radius.
Shape RoundBox(double x0, double y0, double x1, double y1, double leftRadius, double rightRadius) {
    return [=](double x, double y) {
        const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
        const double r = x < cx ? leftRadius : rightRadius;
        const double qx = std::abs(x - cx) - ((x1 - x0) / 2 - r);
        const double qy = std::abs(y - cy) - ((y1 - y0) / 2 - r);
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
               r;
    };
}

Shape Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

// How a shape is shaded, as levels of a ramp: a dark outline, a one-pixel bevel lit from the
// top left (Light where it faces the light, Dark where it faces away; a sunken shape has them
// the other way round), then the face, a vertical gradient or one fixed entry.
struct Look {
    Ramp Colors;
    double Outline = 0.04;
    double Light = 0.85;
    double Dark = 0.2;
    double FaceTop = 0.5;
    double FaceBottom = 0.34;
    int Face = -1; // a fixed entry for the face
    int BevelWidth = 1;
    bool InnerLine = false; // an outline again inside the bevel
};

Look Raised(Ramp colors, double lift = 0) {
    return {colors, 0.04, 0.85 + lift, 0.2, 0.5 + lift, 0.34 + lift};
}

Look Sunken(Ramp colors, int interior, double rim = 0.75) {
    Look look{colors, 0.04, 0.2, rim};
    look.Face = interior;
    return look;
}

Look Pressed(Ramp colors) {
    return {colors, 0.04, 0.15, 0.6, 0.26, 0.36};
}

void Paint(Canvas& c, const Shape& shape, const Look& look) {
    const double lightX = -0.45, lightY = -0.89; // toward the light, top left
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double depth = -shape(px, py);
            if (depth <= 0) continue;
            double level;
            if (depth < 1) {
                level = look.Outline;
            } else if (depth < 1 + look.BevelWidth) {
                const double e = 0.25;
                double nx = shape(px + e, py) - shape(px - e, py);
                double ny = shape(px, py + e) - shape(px, py - e);
                const double length = std::hypot(nx, ny);
                if (length > 0) nx /= length, ny /= length;
                const double facing = length > 0 ? nx * lightX + ny * lightY : 0;
                level = look.Dark + (look.Light - look.Dark) * (facing + 1) / 2;
            } else if (look.InnerLine && depth < 2 + look.BevelWidth) {
                level = look.Outline;
            } else if (look.Face >= 0) {
                c.At(x, y) = uint8_t(look.Face);
                continue;
            } else {
                level = look.FaceTop + (look.FaceBottom - look.FaceTop) * y / (c.Height - 1);
            }
            c.At(x, y) = look.Colors.At(level);
        }
}

Canvas Painted(int w, int h, const Shape& shape, const Look& look) {
    Canvas c(w, h);
    Paint(c, shape, look);
    return c;
}

// A filled triangle pointing up or down, its tip on row `top` (up) or its base there (down),
// centred on x = `centre`; lit on its left side.
void Arrow(Canvas& c, double centre, int top, int rows, bool down, Ramp colors, double level,
           int shift = 0) {
    for (int i = 0; i < rows; ++i) {
        const int half = down ? rows - 1 - i : i;
        for (int x = 0; x < c.Width; ++x) {
            const double away = x + 0.5 - centre - shift;
            if (std::abs(away) > half + 0.5) continue;
            const double lit = away < -half + 0.5 ? 0.15 : away > half - 0.5 ? -0.15 : 0;
            c.At(x, top + i + shift) = colors.At(level + lit);
        }
    }
}

// A mark drawn along line segments, `width` pixels thick.
void Stroke(Canvas& c, const std::vector<std::pair<double, double>>& points, double width,
            uint8_t index) {
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x)
            for (size_t i = 1; i < points.size(); ++i) {
                const auto [ax, ay] = points[i - 1];
                const auto [bx, by] = points[i];
                const double px = x + 0.5 - ax, py = y + 0.5 - ay, dx = bx - ax, dy = by - ay;
                const double t = std::clamp((px * dx + py * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                if (std::hypot(px - t * dx, py - t * dy) <= width / 2) c.At(x, y) = index;
            }
}

// The picture cut into `count` equal columns, left to right (or rows, top to bottom).
std::vector<Canvas> Slices(const Canvas& whole, int count, bool rows = false) {
    std::vector<Canvas> pieces;
    for (int i = 0; i < count; ++i) {
        const int w = rows ? whole.Width : whole.Width / count;
        const int h = rows ? whole.Height / count : whole.Height;
        pieces.push_back(whole.Cut(rows ? 0 : i * w, rows ? i * h : 0, w, h));
    }
    return pieces;
}

void Place(std::vector<Canvas>& frames, int first, const std::vector<Canvas>& pieces) {
    std::copy(pieces.begin(), pieces.end(), frames.begin() + first);
}

// Push-button pieces 8 x 28: left end, middle, right end for disabled, normal and pressed.
void Buttons(std::vector<Canvas>& frames, int first, const ControlColors& colors, bool roundLeft,
             bool roundRight) {
    constexpr double Radius = 7;
    const Shape shape = RoundBox(0, 0, 24, 28, roundLeft ? Radius : 0, roundRight ? Radius : 0);
    const Look looks[] = {Raised(colors.Disabled, -0.18), Raised(colors.Face),
                          Pressed(colors.Face)};
    for (int state = 0; state < 3; ++state)
        Place(frames, first + 3 * state, Slices(Painted(24, 28, shape, looks[state]), 3));
}

void OptionButtons(std::vector<Canvas>& frames, const ControlColors& colors) {
    const Shape socket = Circle(9.5, 9.5, 9.5);
    auto dot = [&](Canvas c, double level) {
        Paint(c, Circle(9.5, 9.5, 3.6), {colors.Accent, level - 0.3, 1, level - 0.2, level, level});
        return c;
    };
    const Canvas off = Painted(19, 19, socket, Sunken(colors.Face, colors.Interior));
    const Canvas pressed = Painted(19, 19, socket, Sunken(colors.Face, colors.Face.At(0.22)));
    frames[6] = Painted(19, 19, socket, Sunken(colors.Disabled, colors.Interior, 0.5));
    frames[7] = off;
    frames[8] = Painted(19, 19, socket, Sunken(colors.Face, colors.Interior, 1)); // lit rim
    frames[9] = dot(off, 0.8);
    frames[10] = dot(pressed, 0.4);
}

void CheckBoxes(std::vector<Canvas>& frames, const ControlColors& colors) {
    const Shape box = RoundBox(0, 0, 16, 16, 1.5, 1.5);
    auto check = [&](Canvas c, double level) {
        Stroke(c, {{4.5, 8}, {7, 11}, {11.5, 4.5}}, 2.2, colors.Accent.At(level));
        return c;
    };
    const Canvas unchecked = Painted(16, 16, box, Sunken(colors.Face, colors.Interior));
    const Canvas pressed = Painted(16, 16, box, Sunken(colors.Face, colors.Face.At(0.22)));
    frames[11] = Painted(16, 16, box, Sunken(colors.Disabled, colors.Interior, 0.5));
    frames[12] = unchecked;
    frames[13] = check(pressed, 0.5);
    frames[14] = check(unchecked, 0.9);
    frames[15] = pressed;
}

void ScrollArrows(std::vector<Canvas>& frames, const ControlColors& colors) {
    const Shape box = RoundBox(0, 0, 16, 16, 2, 2);
    for (int down = 0; down < 2; ++down) {
        Canvas disabled = Painted(16, 16, box, Raised(colors.Disabled, -0.18));
        Canvas normal = Painted(16, 16, box, Raised(colors.Face));
        Canvas pressed = Painted(16, 16, box, Pressed(colors.Face));
        Arrow(disabled, 8, 6, 4, down, colors.Disabled, 0.6);
        Arrow(normal, 8, 6, 4, down, colors.Accent, 0.8);
        Arrow(pressed, 8, 6, 4, down, colors.Accent, 0.6, 1);
        Place(frames, 16 + 3 * down, {disabled, normal, pressed});
    }
}

void ListScrollBar(std::vector<Canvas>& frames, const ControlColors& colors) {
    Canvas thumb = Painted(14, 14, RoundBox(0, 0, 14, 14, 3, 3), Raised(colors.Face));
    for (int y : {4, 6, 8}) // grip
        for (int x = 4; x < 10; ++x)
            thumb.At(x, y) = colors.Face.At(0.2), thumb.At(x, y + 1) = colors.Face.At(0.75);
    frames[28] = thumb;
    const Canvas track =
        Painted(16, 24, RoundBox(0, 0, 16, 24, 4, 4), Sunken(colors.Face, colors.Interior, 0.55));
    Place(frames, 29, Slices(track, 3, true));
}

void ComboBoxes(std::vector<Canvas>& frames, const ControlColors& colors) {
    Canvas arrows[3] = {Canvas(13, 7), Canvas(13, 7), Canvas(13, 7)};
    Arrow(arrows[0], 6.5, 0, 7, true, colors.Accent, 0.75);
    Arrow(arrows[1], 6.5, 0, 7, true, colors.Accent, 1);
    Arrow(arrows[2], 6.5, 0, 7, true, colors.Disabled, 0.6);
    Place(frames, 50, {arrows[0], arrows[1], arrows[2]});
    const Shape field = RoundBox(0, 0, 48, 16, 2, 2);
    Place(frames, 53, Slices(Painted(48, 16, field, Sunken(colors.Face, colors.Interior)), 3));
    Look hover = Sunken(colors.Face, colors.Interior, 1);
    hover.Outline = 0.3;
    Place(frames, 56, Slices(Painted(48, 16, field, hover), 3));
}

void Sliders(std::vector<Canvas>& frames, const ControlColors& colors) {
    const Ramp ramps[] = {colors.Disabled, colors.Face};
    for (int state = 0; state < 2; ++state) {
        const Ramp r = ramps[state];
        Canvas track(24, 3);
        for (int x = 0; x < 24; ++x) {
            const bool end = x == 0 || x == 23;
            track.At(x, 0) = end ? 0 : r.At(0.1);
            track.At(x, 1) = end ? r.At(0.1) : colors.Interior;
            track.At(x, 2) = end ? 0 : r.At(0.7);
        }
        Place(frames, 91 + 3 * state, Slices(track, 3));
        Canvas notch(5, 7); // a pointer: a block, then a tip
        for (int y = 0; y < 7; ++y) {
            const int half = y < 4 ? 2 : y < 6 ? 1 : 0;
            for (int x = 2 - half; x <= 2 + half; ++x)
                notch.At(x, y) = r.At(x == 2 - half ? 0.8 : x == 2 + half ? 0.3 : 0.55);
        }
        frames[97 + state] = notch;
    }
    const Shape knob = RoundBox(0, 0, 11, 11, 3, 3);
    frames[99] = Painted(11, 11, knob, Raised(colors.Disabled, -0.18));
    frames[100] = Painted(11, 11, knob, Raised(colors.Face));
    frames[101] = Painted(11, 11, knob, Raised(colors.Face, 0.12));
    frames[102] = Painted(11, 11, knob, Pressed(colors.Face));
}

} // namespace

std::vector<Canvas> DialogFrames(const ControlColors& colors, bool inGame) {
    std::vector<Canvas> frames(DialogFrameCount, Canvas(1, 1));
    OptionButtons(frames, colors);
    CheckBoxes(frames, colors);
    ScrollArrows(frames, colors);
    ListScrollBar(frames, colors);
    // Frames whose use is not known, at the game's sizes: small raised boxes.
    const int boxHeight = inGame ? 18 : 16;
    const Canvas box =
        Painted(16, boxHeight, RoundBox(0, 0, 16, boxHeight, 2, 2), Raised(colors.Face));
    for (int f = 35; f <= 49; ++f) frames[f] = box;
    for (int f = 136; f <= 138; ++f) frames[f] = box;
    ComboBoxes(frames, colors);
    Sliders(frames, colors);
    Buttons(frames, 103, colors, false, true); // flat left end: the rightmost of a row
    Buttons(frames, 112, colors, true, true);
    Buttons(frames, 121, colors, true, false); // flat right end: the leftmost of a row
    return frames;
}

std::vector<Canvas> TileFrames(const Ramp& border, uint8_t fill) {
    Look look{border, 0.04, 0.85, 0.25};
    look.Face = fill;
    look.BevelWidth = 2;
    look.InnerLine = true;
    const Canvas box = Painted(24, 24, RoundBox(0, 0, 24, 24, 3, 3), look);
    std::vector<Canvas> frames;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) frames.push_back(box.Cut(8 * col, 8 * row, 8, 8));
    return frames;
}

Canvas GlueBackgroundPicture(const Ramp& background) {
    constexpr int W = 640, H = 480, Inset = 8;
    Canvas c(W, H);
    for (int y = 0; y < H; ++y) {
        // A soft glow across the lower middle, dark toward the top and the bottom.
        const double glow = std::exp(-std::pow((y / double(H) - 0.62) / 0.32, 2));
        double level = 0.12 + 0.6 * glow;
        if (y % 4 == 3) level -= 0.04; // faint scan lines
        const bool frameRow = y == Inset || y == H - 1 - Inset;
        for (int x = 0; x < W; ++x) {
            const bool frameColumn =
                (x == Inset || x == W - 1 - Inset) && y > Inset && y < H - 1 - Inset;
            const bool onFrame = (frameRow && x >= Inset && x <= W - 1 - Inset) || frameColumn;
            c.At(x, y) = background.At(onFrame ? level + 0.25 : level);
        }
    }
    return c;
}

Canvas PaletteSwatch() {
    Canvas c(16, 16);
    for (int i = 0; i < 256; ++i) c.At(i % 16, i / 16) = uint8_t(i);
    return c;
}

} // namespace gameart
