#include "document/Clipboard.h"

#include "document/DocumentJson.h"

namespace tarrox {

DialogDocument CopyObjects(const DialogDocument&, const std::vector<int32_t>&) {
    return {};
}
std::string BatchToJson(const DialogDocument& batch) {
    return DocumentToJson(batch);
}
bool BatchFromJson(std::string_view, DialogDocument&, std::string& error) {
    error = "not yet";
    return false;
}
bool OverlapsOriginals(const DialogDocument&, const DialogDocument&) {
    return false;
}

} // namespace tarrox
