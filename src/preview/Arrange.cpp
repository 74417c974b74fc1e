#include "preview/Arrange.h"

#include "document/DialogDocument.h"

namespace tarrox {

std::vector<IndexedObject> Aligned(const DialogDocument&, const std::vector<int32_t>&, Alignment) {
    return {};
}
std::vector<IndexedObject> Distributed(const DialogDocument&, const std::vector<int32_t>&, bool) {
    return {};
}
std::vector<IndexedObject> SameSize(const DialogDocument&, const std::vector<int32_t>&, bool,
                                    bool) {
    return {};
}
std::vector<IndexedObject> MovedTogether(const DialogDocument&, const std::vector<int32_t>&,
                                         int32_t, int32_t) {
    return {};
}
int32_t SnappedToGrid(int32_t value, int32_t) {
    return value;
}
DragDelta SnappedDrag(const PictureRect&, DragPart, int32_t dx, int32_t dy, int32_t) {
    return {dx, dy};
}
DialogDocument ShiftedForPaste(const DialogDocument&, DialogDocument batch) {
    return batch;
}

} // namespace tarrox
