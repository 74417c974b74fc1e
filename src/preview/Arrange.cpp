#include "preview/Arrange.h"

#include <algorithm>
#include <bitset>

#include "document/Clipboard.h"
#include "document/DialogDocument.h"

namespace tarrox {

namespace {

constexpr int32_t FieldMin = INT16_MIN, FieldMax = INT16_MAX;

int32_t FloorDiv(int32_t a, int32_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The indices that name an object, first mention kept, in order.
std::vector<int32_t> Kept(const DialogDocument& doc, const std::vector<int32_t>& indices) {
    const int32_t count = std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
    std::bitset<MaxObjects> seen;
    std::vector<int32_t> kept;
    for (int32_t i : indices) {
        if (i < 0 || i >= count || seen[size_t(i)]) continue;
        seen[size_t(i)] = true;
        kept.push_back(i);
    }
    return kept;
}

std::vector<IndexedObject> Unchanged(const DialogDocument& doc, const std::vector<int32_t>& kept) {
    std::vector<IndexedObject> records;
    records.reserve(kept.size());
    for (int32_t i : kept) records.push_back({i, doc.ObjectTable[i]});
    return records;
}

// Narrows a move so that both edges of each direction stay within their fields.
void Narrow(const DialogObject& o, int32_t& dx, int32_t& dy) {
    dx = std::clamp(dx, FieldMin - std::min(o.Left, o.Right), FieldMax - std::max(o.Left, o.Right));
    dy = std::clamp(dy, FieldMin - std::min(o.Top, o.Bottom), FieldMax - std::max(o.Top, o.Bottom));
}

int32_t Width(const PictureRect& r) {
    return r.Right - r.Left + 1;
}
int32_t Height(const PictureRect& r) {
    return r.Bottom - r.Top + 1;
}

} // namespace

std::vector<IndexedObject> Aligned(const DialogDocument& doc, const std::vector<int32_t>& indices,
                                   Alignment alignment) {
    const std::vector<int32_t> kept = Kept(doc, indices);
    std::vector<IndexedObject> records = Unchanged(doc, kept);
    if (kept.empty()) return records;
    const PictureRect to = ObjectRect(doc, kept.front());
    for (IndexedObject& r : records) {
        if (r.Index == kept.front() || r.Index == 0) continue;
        const PictureRect from = ObjectRect(doc, r.Index);
        int32_t dx = 0, dy = 0;
        switch (alignment) {
        case Alignment::Lefts:
            dx = to.Left - from.Left;
            break;
        case Alignment::Rights:
            dx = to.Right - from.Right;
            break;
        case Alignment::Tops:
            dy = to.Top - from.Top;
            break;
        case Alignment::Bottoms:
            dy = to.Bottom - from.Bottom;
            break;
        case Alignment::HorizontalCentres:
            dx = FloorDiv(to.Left + to.Right - from.Left - from.Right, 2);
            break;
        case Alignment::VerticalCentres:
            dy = FloorDiv(to.Top + to.Bottom - from.Top - from.Bottom, 2);
            break;
        }
        r.Record = Dragged(r.Record, DragPart::Body, dx, dy);
    }
    return records;
}

std::vector<IndexedObject> Distributed(const DialogDocument& doc,
                                       const std::vector<int32_t>& indices, bool horizontally) {
    const std::vector<int32_t> kept = Kept(doc, indices);
    std::vector<IndexedObject> records = Unchanged(doc, kept);
    struct Item {
        size_t Record;
        int32_t Low, Size;
    };
    std::vector<Item> items;
    for (size_t r = 0; r < records.size(); ++r) {
        if (records[r].Index == 0) continue;
        const PictureRect box = ObjectRect(doc, records[r].Index);
        items.push_back(horizontally ? Item{r, box.Left, Width(box)}
                                     : Item{r, box.Top, Height(box)});
    }
    if (items.size() < 3) return records;
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.Low < b.Low; });
    // The first and the last stay; the room between them is shared out, the odd pixels to the
    // first gaps.
    int32_t sizes = 0;
    for (const Item& item : items) sizes += item.Size;
    const int32_t gaps = int32_t(items.size()) - 1;
    const int32_t room = items.back().Low + items.back().Size - items.front().Low - sizes;
    const int32_t gap = FloorDiv(room, gaps), extra = room - gap * gaps;
    int32_t place = items.front().Low;
    for (int32_t n = 0; n <= gaps; ++n) {
        const Item& item = items[size_t(n)];
        DialogObject& o = records[item.Record].Record;
        const int32_t delta = place - item.Low;
        o = Dragged(o, DragPart::Body, horizontally ? delta : 0, horizontally ? 0 : delta);
        place += item.Size + gap + (n < extra ? 1 : 0);
    }
    return records;
}

std::vector<IndexedObject> SameSize(const DialogDocument& doc, const std::vector<int32_t>& indices,
                                    bool width, bool height) {
    const std::vector<int32_t> kept = Kept(doc, indices);
    std::vector<IndexedObject> records = Unchanged(doc, kept);
    if (kept.empty() || (!width && !height)) return records;
    const PictureRect to = ObjectRect(doc, kept.front());
    const DragPart part = !height  ? DragPart::Right
                          : !width ? DragPart::Bottom
                                   : DragPart::BottomRight;
    for (IndexedObject& r : records) {
        if (r.Index == kept.front() || r.Index == 0) continue;
        const PictureRect from = ObjectRect(doc, r.Index);
        r.Record = Dragged(r.Record, part, Width(to) - Width(from), Height(to) - Height(from));
    }
    return records;
}

std::vector<IndexedObject> MovedTogether(const DialogDocument& doc,
                                         const std::vector<int32_t>& indices, int32_t dx,
                                         int32_t dy) {
    const std::vector<int32_t> kept = Kept(doc, indices);
    std::vector<IndexedObject> records = Unchanged(doc, kept);
    const bool withDialog = std::find(kept.begin(), kept.end(), 0) != kept.end();
    auto moves = [&](const IndexedObject& r) {
        return !withDialog || r.Index == 0 || r.Record.ControlType == 0;
    };
    for (const IndexedObject& r : records)
        if (moves(r)) Narrow(r.Record, dx, dy);
    for (IndexedObject& r : records)
        if (moves(r)) r.Record = Dragged(r.Record, DragPart::Body, dx, dy);
    return records;
}

int32_t SnappedToGrid(int32_t value, int32_t grid) {
    grid = std::clamp(grid, MinGrid, MaxGrid);
    return FloorDiv(value + grid / 2, grid) * grid;
}

namespace {

// A right or bottom edge is inclusive: its outer side is what lies on a grid line.
int32_t SnappedAxis(int32_t low, int32_t high, Pull pull, bool move, int32_t delta, int32_t grid) {
    if (move || pull == Pull::Low) return SnappedToGrid(low + delta, grid) - low;
    if (pull == Pull::High) return SnappedToGrid(high + 1 + delta, grid) - (high + 1);
    return delta;
}

} // namespace

DragDelta SnappedDrag(const PictureRect& box, DragPart part, int32_t dx, int32_t dy, int32_t grid) {
    if (part == DragPart::None) return {dx, dy};
    const bool move = part == DragPart::Body;
    return {SnappedAxis(box.Left, box.Right, HorizontalPull(part), move, dx, grid),
            SnappedAxis(box.Top, box.Bottom, VerticalPull(part), move, dy, grid)};
}

DialogDocument ShiftedForPaste(const DialogDocument& doc, DialogDocument batch) {
    const int32_t count = std::clamp<int32_t>(batch.ObjectCount, 0, MaxObjects);
    for (int32_t step = 0; step < MaxObjects && OverlapsOriginals(doc, batch); ++step) {
        int32_t dx = PasteOffset, dy = PasteOffset;
        for (int32_t i = 0; i < count; ++i) Narrow(batch.ObjectTable[i], dx, dy);
        if (dx == 0 && dy == 0) break;
        for (int32_t i = 0; i < count; ++i)
            batch.ObjectTable[i] = Dragged(batch.ObjectTable[i], DragPart::Body, dx, dy);
    }
    return batch;
}

} // namespace tarrox
