// Any bytes given to load either refuse cleanly or make a document that prints back to JSON
// which loads to the same document.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/DocumentJson.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarrox;
    DialogDocument doc, again;
    std::string error;
    if (!DocumentFromJson({reinterpret_cast<const char*>(data), size}, doc, error)) {
        if (error.rfind("Error: ", 0) != 0) std::abort();
        return 0;
    }
    const std::string json = DocumentToJson(doc);
    if (!DocumentFromJson(json, again, error) || DocumentToJson(again) != json) std::abort();
    return 0;
}
