#include "preview/ObjectGeometry.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "document/DialogDocument.h"

namespace tarrox {

namespace {

constexpr int32_t FieldMin = INT16_MIN, FieldMax = INT16_MAX;

// One direction of a record: its edges and size.
struct Axis {
    int16_t DialogObject::*Low;
    int16_t DialogObject::*High;
    int16_t DialogObject::*Size;
};
constexpr Axis Horizontal{&DialogObject::Left, &DialogObject::Right, &DialogObject::Width};
constexpr Axis Vertical{&DialogObject::Top, &DialogObject::Bottom, &DialogObject::Height};

// An area of a record, four edges relative to its Left/Top with right/bottom inclusive.
using Area = std::array<int16_t DialogObject::*, 4>;
constexpr Area ResponseArea{&DialogObject::ResponseLeft, &DialogObject::ResponseTop,
                            &DialogObject::ResponseRight, &DialogObject::ResponseBottom};
constexpr Area TextArea{&DialogObject::TextLeft, &DialogObject::TextTop, &DialogObject::TextRight,
                        &DialogObject::TextBottom};

std::array<int32_t, 4> WholeObject(const DialogObject& o) {
    return {0, 0, o.Width - 1, o.Height - 1};
}

bool CoversWholeObject(const DialogObject& o, const Area& area) {
    const auto whole = WholeObject(o);
    for (size_t i = 0; i < area.size(); ++i)
        if (o.*area[i] != whole[i]) return false;
    return true;
}

// Types 7 and unknown draw nothing, so nothing of them can be pointed at.
bool IsDrawn(int32_t type) {
    return type >= 0 && type < ControlTypeCount && type != 7;
}

bool Pickable(const DialogObject& o, bool hiddenToo) {
    return IsDrawn(o.ControlType) && (hiddenToo || (o.Flags & FlagMask(VisibleBit)));
}

// Shifts both edges by one clamped delta, so the shape never changes. The areas are relative
// to the edges and so stay where they are on the object.
void Shift(DialogObject& o, const Axis& a, int32_t delta) {
    int32_t lowest = FieldMin, highest = FieldMax;
    for (auto field : {a.Low, a.High}) {
        lowest = std::max(lowest, FieldMin - o.*field);
        highest = std::min(highest, FieldMax - o.*field);
    }
    delta = std::clamp(delta, lowest, highest);
    for (auto field : {a.Low, a.High}) o.*field = static_cast<int16_t>(o.*field + delta);
}

// Pulls one edge of the drawn box; the size must fit its field, so a span is at most FieldMax.
void Pulled(DialogObject& o, const Axis& a, Pull pull, int32_t delta) {
    if (pull == Pull::None) return;
    int32_t low = o.*a.Low;
    int32_t high =
        std::min({low + std::max<int32_t>(o.*a.Size, 1) - 1, FieldMax, low + FieldMax - 1});
    if (pull == Pull::Low)
        low = std::clamp(low + delta, std::max(FieldMin, high - FieldMax + 1), high);
    else
        high = std::clamp(high + delta, low, std::min(FieldMax, low + FieldMax - 1));
    o.*a.Low = static_cast<int16_t>(low);
    o.*a.High = static_cast<int16_t>(high);
    o.*a.Size = static_cast<int16_t>(high - low + 1);
}

} // namespace

Pull HorizontalPull(DragPart part) {
    switch (part) {
    case DragPart::Left:
    case DragPart::TopLeft:
    case DragPart::BottomLeft:
        return Pull::Low;
    case DragPart::Right:
    case DragPart::TopRight:
    case DragPart::BottomRight:
        return Pull::High;
    default:
        return Pull::None;
    }
}

Pull VerticalPull(DragPart part) {
    switch (part) {
    case DragPart::Top:
    case DragPart::TopLeft:
    case DragPart::TopRight:
        return Pull::Low;
    case DragPart::Bottom:
    case DragPart::BottomLeft:
    case DragPart::BottomRight:
        return Pull::High;
    default:
        return Pull::None;
    }
}

PictureRect ObjectRect(const DialogDocument& doc, int32_t index) {
    if (index < 0 || index >= MaxObjects) return {};
    const DialogObject& o = doc.ObjectTable[index];
    const DialogObject& dialog = doc.ObjectTable[0];
    // As the renderer places it: every object but a dialog from the dialog's corner.
    const bool relative = o.ControlType != 0;
    const int32_t x = (relative ? dialog.Left : 0) + o.Left;
    const int32_t y = (relative ? dialog.Top : 0) + o.Top;
    return {x, y, x + std::max<int32_t>(o.Width, 1) - 1, y + std::max<int32_t>(o.Height, 1) - 1};
}

int32_t ObjectAt(const DialogDocument& doc, int32_t x, int32_t y, bool hiddenToo) {
    const int32_t count = std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
    if (count == 0) return -1;
    for (int32_t i = count - 1; i > 0; --i) {
        if (Pickable(doc.ObjectTable[i], hiddenToo) && ObjectRect(doc, i).Contains(x, y)) return i;
    }
    return 0;
}

std::vector<int32_t> ObjectsWithin(const DialogDocument& doc, const PictureRect& box,
                                   bool hiddenToo) {
    const PictureRect b{std::min(box.Left, box.Right), std::min(box.Top, box.Bottom),
                        std::max(box.Left, box.Right), std::max(box.Top, box.Bottom)};
    std::vector<int32_t> inside;
    for (int32_t i = 1; i < std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects); ++i) {
        if (!Pickable(doc.ObjectTable[i], hiddenToo)) continue;
        const PictureRect r = ObjectRect(doc, i);
        if (b.Contains(r.Left, r.Top) && b.Contains(r.Right, r.Bottom)) inside.push_back(i);
    }
    return inside;
}

bool OnDialogEdge(const DialogDocument& doc, int32_t x, int32_t y, int32_t band) {
    if (doc.ObjectCount <= 0) return false;
    const PictureRect d = ObjectRect(doc, 0);
    return d.Contains(x, y) &&
           (x < d.Left + band || x > d.Right - band || y < d.Top + band || y > d.Bottom - band);
}

std::array<Handle, 8> Handles(const PictureRect& b) {
    const int32_t midX = b.Left + (b.Right - b.Left) / 2;
    const int32_t midY = b.Top + (b.Bottom - b.Top) / 2;
    return {{{DragPart::TopLeft, b.Left, b.Top},
             {DragPart::Top, midX, b.Top},
             {DragPart::TopRight, b.Right, b.Top},
             {DragPart::Right, b.Right, midY},
             {DragPart::BottomRight, b.Right, b.Bottom},
             {DragPart::Bottom, midX, b.Bottom},
             {DragPart::BottomLeft, b.Left, b.Bottom},
             {DragPart::Left, b.Left, midY}}};
}

DragPart PartAt(const PictureRect& box, int32_t x, int32_t y, int32_t grip) {
    const auto handles = Handles(box);
    // Corners (the even places) before edge middles, which crowd them on a small box.
    for (size_t first : {size_t{0}, size_t{1}}) {
        for (size_t i = first; i < handles.size(); i += 2) {
            if (std::abs(x - handles[i].X) <= grip && std::abs(y - handles[i].Y) <= grip)
                return handles[i].Part;
        }
    }
    return box.Contains(x, y) ? DragPart::Body : DragPart::None;
}

DialogObject Dragged(const DialogObject& before, DragPart part, int32_t dx, int32_t dy) {
    DialogObject after = before;
    if (part == DragPart::Body) {
        Shift(after, Horizontal, dx);
        Shift(after, Vertical, dy);
    } else {
        Pulled(after, Horizontal, HorizontalPull(part), dx);
        Pulled(after, Vertical, VerticalPull(part), dy);
        // An area over the whole object stays over it; one of its own keeps its place.
        for (const Area& area : {ResponseArea, TextArea}) {
            if (!CoversWholeObject(before, area)) continue;
            const auto whole = WholeObject(after);
            for (size_t i = 0; i < area.size(); ++i)
                after.*area[i] = static_cast<int16_t>(whole[i]);
        }
    }
    return after;
}

} // namespace tarrox
