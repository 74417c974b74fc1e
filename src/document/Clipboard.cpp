#include "document/Clipboard.h"

#include <algorithm>
#include <bitset>

#include "document/DocumentJson.h"

namespace tarrox {

namespace {

const std::string& TextOf(const DialogDocument& doc, int32_t number) {
    static const std::string none;
    return number >= 0 && number < std::min(doc.StringCount, MaxStrings) ? doc.StringTable[number]
                                                                         : none;
}

} // namespace

DialogDocument CopyObjects(const DialogDocument& doc, const std::vector<int32_t>& indices) {
    const int32_t objects = std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
    const int32_t smks = std::clamp<int32_t>(doc.SmkCount, 0, MaxSmks);
    DialogDocument batch;
    std::bitset<MaxObjects> taken;
    // Each SMK record's place in the batch, -1 until a chain reaches it.
    std::array<int32_t, MaxSmks> place;
    place.fill(-1);
    std::vector<int32_t> reached;
    auto placed = [&](int32_t link) { return link >= 0 && link < smks ? place[size_t(link)] : -1; };
    for (int32_t i : indices) {
        if (i <= 0 || i >= objects || taken[size_t(i)]) continue;
        taken[size_t(i)] = true;
        // A chain ends at -1, at a bad link or where it meets a record already reached.
        for (int32_t s = doc.ObjectTable[i].SmkLink; s >= 0 && s < smks && place[size_t(s)] < 0;
             s = doc.SmkTable[s].Next) {
            place[size_t(s)] = int32_t(reached.size());
            reached.push_back(s);
        }
        DialogObject& o = batch.ObjectTable[batch.ObjectCount];
        o = doc.ObjectTable[i];
        batch.StringTable[batch.ObjectCount] = TextOf(doc, o.Text);
        o.Text = batch.ObjectCount++;
        o.SmkLink = placed(o.SmkLink);
    }
    for (int32_t s : reached) {
        SmkEntry& e = batch.SmkTable[batch.SmkCount];
        e = doc.SmkTable[s];
        e.FileName = batch.ObjectCount + batch.SmkCount++;
        batch.StringTable[e.FileName] = TextOf(doc, doc.SmkTable[s].FileName);
        e.Next = placed(e.Next);
    }
    batch.StringCount = batch.ObjectCount + batch.SmkCount;
    return batch;
}

std::string BatchToJson(const DialogDocument& batch) {
    return DocumentToJson(batch);
}

bool BatchFromJson(std::string_view json, DialogDocument& out, std::string& error) {
    return DocumentFromJson(json, out, error, JsonRecords::Batch);
}

bool OverlapsOriginals(const DialogDocument& doc, const DialogDocument& batch) {
    const int32_t objects = std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
    for (int32_t b = 0; b < std::clamp<int32_t>(batch.ObjectCount, 0, MaxObjects); ++b) {
        const DialogObject& pasted = batch.ObjectTable[b];
        for (int32_t i = 1; i < objects; ++i) {
            const DialogObject& o = doc.ObjectTable[i];
            if (o.Left == pasted.Left && o.Top == pasted.Top && o.Right == pasted.Right &&
                o.Bottom == pasted.Bottom && TextOf(doc, o.Text) == TextOf(batch, pasted.Text))
                return true;
        }
    }
    return false;
}

} // namespace tarrox
