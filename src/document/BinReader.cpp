#include "document/BinReader.h"

#include <algorithm>
#include <array>
#include <vector>

#include "document/BinFormat.h"

namespace tarrox {

namespace {

constexpr const char* TooManyObjects = "Error: The file has more than 128 objects.";
constexpr const char* TooManySmks = "Error: The file has more than 128 SMK records.";
constexpr const char* TooMuchText = "Error: The file's texts come to more than 8 MB.";

// Random access to the file where every byte past the end reads as 0.
class PaddedBytes {
  public:
    explicit PaddedBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    template <size_t N> std::array<uint8_t, N> Record(int64_t offset) const {
        std::array<uint8_t, N> out{};
        if (offset < 0 || offset >= static_cast<int64_t>(bytes_.size())) return out;
        size_t available = bytes_.size() - static_cast<size_t>(offset);
        std::copy_n(bytes_.begin() + offset, std::min(N, available), out.begin());
        return out;
    }

    int32_t I32(int64_t offset) const { return bin::GetI32(Record<4>(offset).data()); }

  private:
    std::span<const uint8_t> bytes_;
};

bool Contains(const std::vector<int32_t>& offsets, int32_t offset) {
    return std::find(offsets.begin(), offsets.end(), offset) != offsets.end();
}

// A link is followed only while its value is above 1.
bool IsLink(int32_t value) {
    return value > 1;
}

// Counts objects and SMK records along the same paths the reading pass takes, refusing a file
// that would not fit the tables before anything is stored.
bool CountRecords(const PaddedBytes& file, int32_t& objects, int32_t& smks, std::string& error) {
    objects = 1;
    smks = 0;
    std::vector<int32_t> children;
    std::vector<int32_t> chain;
    for (int32_t p = file.I32(bin::ObjFirstLink); IsLink(p) && !Contains(children, p);
         p = file.I32(p + int64_t{bin::ObjNext})) {
        if (objects == MaxObjects) {
            error = TooManyObjects;
            return false;
        }
        children.push_back(p);
        ++objects;
        chain.clear();
        for (int32_t s = file.I32(p + int64_t{bin::ObjFirstLink}); IsLink(s) && !Contains(chain, s);
             s = file.I32(s + int64_t{bin::SmkNext})) {
            if (smks == MaxSmks) {
                error = TooManySmks;
                return false;
            }
            chain.push_back(s);
            ++smks;
        }
    }
    return true;
}

// The string at `offset`, looking at no more than `max` bytes of it.
std::string StringAt(std::span<const uint8_t> bytes, int32_t offset, size_t max) {
    if (offset <= 0 || static_cast<size_t>(offset) >= bytes.size()) return {};
    auto start = bytes.begin() + offset;
    auto stop = start + static_cast<ptrdiff_t>(std::min(max, bytes.size() - size_t(offset)));
    return std::string(start, std::find(start, stop, uint8_t{0}));
}

} // namespace

std::string GetString(std::span<const uint8_t> bytes, int32_t offset) {
    return StringAt(bytes, offset, bytes.size());
}

bool ReadBinDocument(std::span<const uint8_t> bytes, DialogDocument& out, std::string& error) {
    const PaddedBytes file(bytes);
    int32_t objectCount = 0;
    int32_t smkCount = 0;
    if (!CountRecords(file, objectCount, smkCount, error)) return false;

    int32_t n = 0; // next string number
    int32_t k = 0; // next SMK index
    // Records sharing one string each get a copy, so the text is bounded as it is copied; a
    // string is never scanned further than the text still allowed.
    int64_t textLeft = bin::MaxStringBytes;
    auto takeString = [&](int32_t offset) {
        if (textLeft >= 0) {
            std::string s = StringAt(bytes, offset, static_cast<size_t>(textLeft) + 1);
            textLeft -= static_cast<int64_t>(s.size());
            if (textLeft >= 0) out.StringTable[n] = std::move(s);
        }
        return n++;
    };

    DialogObject dialog = bin::DecodeObject(file.Record<bin::ObjectSize>(0));
    int32_t p = dialog.SmkLink; // the dialog's field 66 is its first child
    dialog.SmkLink = -1;
    dialog.Text = takeString(dialog.Text);
    out.ObjectTable[0] = dialog;

    std::vector<int32_t> chain;
    for (int32_t f = 1; f < objectCount; ++f) {
        DialogObject object = bin::DecodeObject(file.Record<bin::ObjectSize>(p));
        int32_t s = object.SmkLink;
        object.SmkLink = IsLink(s) ? k : -1;
        object.Text = takeString(object.Text);
        out.ObjectTable[f] = object;
        p = object.Next;

        // Each object's list is read afresh, so a record two objects share becomes two copies.
        chain.clear();
        const int32_t chainStart = k;
        while (IsLink(s)) {
            SmkEntry smk = bin::DecodeSmk(file.Record<bin::SmkSize>(s));
            chain.push_back(s);
            const int32_t x = smk.Next;
            s = 0;
            if (!IsLink(x)) {
                smk.Next = -1;
            } else if (auto seen = std::find(chain.begin(), chain.end(), x); seen != chain.end()) {
                // A chain that loops back keeps its loop and ends here.
                smk.Next = chainStart + static_cast<int32_t>(seen - chain.begin());
            } else {
                smk.Next = k + 1;
                s = x;
            }
            smk.FileName = takeString(smk.FileName);
            out.SmkTable[k++] = smk;
        }
    }

    if (textLeft < 0) {
        error = TooMuchText;
        return false;
    }
    out.ObjectCount = objectCount;
    out.SmkCount = k;
    out.StringCount = n;
    return true;
}

} // namespace tarrox
