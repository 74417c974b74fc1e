// Any bytes read as a dialog must keep the document's invariants, reach every SMK they hold,
// and the compact layout the writer makes from them must read back to the same bytes. The
// shape check walks the same bytes and must end inside them.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "document/BinReader.h"
#include "document/BinWriter.h"
#include "document/DialogCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarrox;
    static DialogDocument first, second;
    first = DialogDocument{};
    std::string error;
    ShapeOfBytes(std::span<const uint8_t>(data, size));
    if (!ReadBinDocument(std::span<const uint8_t>(data, size), first, error)) return 0;
    if (!CheckInvariants(first).empty() || !UnreachableSmks(first).empty()) std::abort();
    auto written = WriteBinDocument(first);
    if (!written) std::abort();
    second = DialogDocument{};
    if (!ReadBinDocument(*written, second, error)) std::abort();
    if (WriteBinDocument(second) != written) std::abort();
    return 0;
}
