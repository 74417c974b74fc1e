#include "document/Find.h"

namespace tarrox {

int32_t FindObject(const DialogDocument&, std::string_view, int32_t) {
    return -1;
}

} // namespace tarrox
