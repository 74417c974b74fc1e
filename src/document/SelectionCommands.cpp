// The commands that change several objects at once: each is one undo step.
#include <algorithm>
#include <bitset>

#include "document/EditCommands.h"
#include "document/Editing.h"

namespace tarrox {

namespace {

int32_t ObjectsIn(const DialogDocument& doc) {
    return std::clamp<int32_t>(doc.ObjectCount, 0, MaxObjects);
}

// The indices that name an object other than the dialog record, first mention kept, in order.
std::vector<int32_t> ChildIndices(const DialogDocument& doc, const std::vector<int32_t>& indices) {
    std::bitset<MaxObjects> seen;
    std::vector<int32_t> kept;
    for (int32_t i : indices) {
        if (i <= 0 || i >= ObjectsIn(doc) || seen[size_t(i)]) continue;
        seen[size_t(i)] = true;
        kept.push_back(i);
    }
    return kept;
}

std::vector<int32_t> IndicesOf(const std::vector<IndexedObject>& records) {
    std::vector<int32_t> indices;
    indices.reserve(records.size());
    for (const IndexedObject& r : records) indices.push_back(r.Index);
    return indices;
}

EditTarget Objects(std::vector<int32_t> indices) {
    const int32_t first = indices.empty() ? -1 : indices.front();
    return {RecordType::Object, first, std::move(indices)};
}

class ReplaceObjects final : public EditCommand {
  public:
    explicit ReplaceObjects(std::vector<IndexedObject> after) : after_(std::move(after)) {}

    bool Apply(DialogDocument& doc) override {
        for (const IndexedObject& r : after_)
            if (r.Index < 0 || r.Index >= ObjectsIn(doc)) return false;
        before_.resize(after_.size());
        for (size_t i = 0; i < after_.size(); ++i) {
            DialogObject& record = doc.ObjectTable[after_[i].Index];
            before_[i] = record;
            record = after_[i].Record;
        }
        return true;
    }

    // Backwards, so that an index given twice ends as it was.
    void Revert(DialogDocument& doc) override {
        for (size_t i = after_.size(); i-- > 0;) doc.ObjectTable[after_[i].Index] = before_[i];
    }

    bool Absorb(const EditCommand& next) override {
        const auto* later = dynamic_cast<const ReplaceObjects*>(&next);
        if (!later || IndicesOf(later->after_) != IndicesOf(after_)) return false;
        after_ = later->after_;
        return true;
    }

    bool ChangesNothing() const override {
        for (size_t i = 0; i < after_.size(); ++i)
            if (!(before_[i] == after_[i].Record)) return false;
        return true;
    }
    EditTarget Target(bool) const override { return Objects(IndicesOf(after_)); }
    size_t Bytes() const override {
        return sizeof(*this) + after_.capacity() * sizeof(IndexedObject) +
               before_.capacity() * sizeof(DialogObject);
    }

  private:
    std::vector<IndexedObject> after_;
    std::vector<DialogObject> before_;
};

// Deleting renumbers strings all over the tables; the tables as they were are kept whole
// (some 16 KB), which puts back even the slots past their ends.
class DeleteObjects final : public EditCommand {
  public:
    explicit DeleteObjects(std::vector<int32_t> indices) : asked_(std::move(indices)) {}

    bool Apply(DialogDocument& doc) override {
        deleted_ = ChildIndices(doc, asked_);
        if (deleted_.empty()) return false;
        for (int32_t i : deleted_) {
            const int32_t s = doc.ObjectTable[i].Text;
            if (s < 0 || s >= std::min(doc.StringCount, MaxStrings)) return false;
        }
        objects_ = doc.ObjectTable;
        smkNames_.resize(size_t(std::clamp<int32_t>(doc.SmkCount, 0, MaxSmks)));
        for (size_t k = 0; k < smkNames_.size(); ++k) smkNames_[k] = doc.SmkTable[k].FileName;
        strings_.assign(doc.StringTable.begin(), doc.StringTable.end());
        objectCount_ = doc.ObjectCount;
        stringCount_ = doc.StringCount;
        std::vector<int32_t> downwards = deleted_;
        std::sort(downwards.rbegin(), downwards.rend());
        for (int32_t i : downwards) DeleteObject(doc, i);
        return true;
    }

    void Revert(DialogDocument& doc) override {
        doc.ObjectTable = objects_;
        for (size_t k = 0; k < smkNames_.size(); ++k) doc.SmkTable[k].FileName = smkNames_[k];
        std::move(strings_.begin(), strings_.end(), doc.StringTable.begin());
        strings_.clear();
        doc.ObjectCount = objectCount_;
        doc.StringCount = stringCount_;
    }

    bool Absorb(const EditCommand&) override { return false; }
    bool ChangesNothing() const override { return false; }
    EditTarget Target(bool applied) const override {
        return applied ? EditTarget{RecordType::Object, -1, {}} : Objects(deleted_);
    }
    size_t Bytes() const override {
        size_t bytes = sizeof(*this) + smkNames_.capacity() * sizeof(int32_t) +
                       MaxStrings * sizeof(std::string);
        for (const std::string& s : strings_) bytes += s.capacity();
        return bytes;
    }

  private:
    std::vector<int32_t> asked_, deleted_;
    std::array<DialogObject, MaxObjects> objects_{};
    std::vector<int32_t> smkNames_;
    std::vector<std::string> strings_;
    int32_t objectCount_ = 0, stringCount_ = 0;
};

bool LinkFits(int32_t link, int32_t count) {
    return link == -1 || (link >= 0 && link < count);
}

// Adding writes over the slots past the ends of the tables; they are kept to be put back.
class InsertObjects final : public EditCommand {
  public:
    explicit InsertObjects(const DialogDocument& batch) {
        const int32_t n = batch.ObjectCount, m = batch.SmkCount;
        valid_ = n >= 1 && n <= MaxObjects && m >= 0 && m <= MaxSmks;
        if (!valid_) return;
        auto text = [&](int32_t s) {
            valid_ = valid_ && s >= 0 && s < std::min(batch.StringCount, MaxStrings);
            return valid_ ? batch.StringTable[s] : std::string();
        };
        for (int32_t i = 0; i < n; ++i) {
            objects_.push_back(batch.ObjectTable[i]);
            texts_.push_back(text(objects_.back().Text));
            valid_ = valid_ && LinkFits(objects_.back().SmkLink, m);
        }
        for (int32_t k = 0; k < m; ++k) {
            smks_.push_back(batch.SmkTable[k]);
            texts_.push_back(text(smks_.back().FileName));
            valid_ = valid_ && LinkFits(smks_.back().Next, m);
        }
    }

    bool Apply(DialogDocument& doc) override {
        const auto n = int32_t(objects_.size()), m = int32_t(smks_.size());
        if (!valid_ || doc.ObjectCount < 0 || doc.SmkCount < 0 || doc.StringCount < 0 ||
            doc.ObjectCount + n > MaxObjects || doc.SmkCount + m > MaxSmks ||
            doc.StringCount + n + m > MaxStrings)
            return false;
        firstObject_ = doc.ObjectCount, firstSmk_ = doc.SmkCount, firstString_ = doc.StringCount;
        auto relinked = [&](int32_t link) { return link < 0 ? -1 : firstSmk_ + link; };
        objectSlots_.assign(doc.ObjectTable.begin() + firstObject_,
                            doc.ObjectTable.begin() + firstObject_ + n);
        smkSlots_.assign(doc.SmkTable.begin() + firstSmk_, doc.SmkTable.begin() + firstSmk_ + m);
        stringSlots_.clear();
        for (int32_t s = 0; s < n + m; ++s)
            stringSlots_.push_back(std::move(doc.StringTable[firstString_ + s]));
        for (int32_t i = 0; i < n; ++i) {
            DialogObject o = objects_[i];
            o.Text = firstString_ + i;
            o.SmkLink = relinked(o.SmkLink);
            doc.ObjectTable[firstObject_ + i] = o;
        }
        for (int32_t k = 0; k < m; ++k) {
            SmkEntry e = smks_[k];
            e.FileName = firstString_ + n + k;
            e.Next = relinked(e.Next);
            doc.SmkTable[firstSmk_ + k] = e;
        }
        std::copy(texts_.begin(), texts_.end(), doc.StringTable.begin() + firstString_);
        doc.ObjectCount += n, doc.SmkCount += m, doc.StringCount += n + m;
        return true;
    }

    void Revert(DialogDocument& doc) override {
        doc.ObjectCount = firstObject_, doc.SmkCount = firstSmk_, doc.StringCount = firstString_;
        std::copy(objectSlots_.begin(), objectSlots_.end(), doc.ObjectTable.begin() + firstObject_);
        std::copy(smkSlots_.begin(), smkSlots_.end(), doc.SmkTable.begin() + firstSmk_);
        std::move(stringSlots_.begin(), stringSlots_.end(), doc.StringTable.begin() + firstString_);
    }

    bool Absorb(const EditCommand&) override { return false; }
    bool ChangesNothing() const override { return false; }
    EditTarget Target(bool applied) const override {
        if (!applied) return {RecordType::Object, -1, {}};
        std::vector<int32_t> added(objects_.size());
        for (size_t i = 0; i < added.size(); ++i) added[i] = firstObject_ + int32_t(i);
        return Objects(std::move(added));
    }
    size_t Bytes() const override {
        size_t bytes = sizeof(*this) +
                       (objects_.capacity() + objectSlots_.capacity()) * sizeof(DialogObject) +
                       (smks_.capacity() + smkSlots_.capacity()) * sizeof(SmkEntry);
        for (const auto* list : {&texts_, &stringSlots_})
            for (const std::string& s : *list) bytes += sizeof(s) + s.capacity();
        return bytes;
    }

  private:
    bool valid_ = false;
    std::vector<DialogObject> objects_, objectSlots_;
    std::vector<SmkEntry> smks_, smkSlots_;
    std::vector<std::string> texts_, stringSlots_; // objects' texts, then SMK file names
    int32_t firstObject_ = 0, firstSmk_ = 0, firstString_ = 0;
};

// The new draw order as the old index at each place; object 0 keeps place 0.
std::vector<int32_t> Reordered(int32_t count, const std::bitset<MaxObjects>& moved,
                               DrawOrderMove move) {
    std::vector<int32_t> order(size_t(std::max(count, 1)));
    for (int32_t p = 0; p < int32_t(order.size()); ++p) order[size_t(p)] = p;
    auto isMoved = [&](size_t p) { return moved[size_t(order[p])]; };
    switch (move) {
    case DrawOrderMove::BringToFront:
    case DrawOrderMove::SendToBack: {
        const bool front = move == DrawOrderMove::BringToFront;
        std::stable_partition(order.begin() + 1, order.end(),
                              [&](int32_t i) { return moved[size_t(i)] != front; });
        break;
    }
    case DrawOrderMove::BringForward:
        for (size_t p = order.size() - 1; p-- > 1;)
            if (isMoved(p) && !isMoved(p + 1)) std::swap(order[p], order[p + 1]);
        break;
    case DrawOrderMove::SendBackward:
        for (size_t p = 2; p < order.size(); ++p)
            if (isMoved(p) && !isMoved(p - 1)) std::swap(order[p], order[p - 1]);
        break;
    }
    return order;
}

class DrawOrder final : public EditCommand {
  public:
    DrawOrder(std::vector<int32_t> indices, DrawOrderMove move)
        : asked_(std::move(indices)), move_(move) {}

    bool Apply(DialogDocument& doc) override {
        moved_ = ChildIndices(doc, asked_);
        if (moved_.empty()) return false;
        std::bitset<MaxObjects> moved;
        for (int32_t i : moved_) moved[size_t(i)] = true;
        order_ = Reordered(ObjectsIn(doc), moved, move_);
        const auto before = doc.ObjectTable;
        for (size_t p = 0; p < order_.size(); ++p) doc.ObjectTable[p] = before[size_t(order_[p])];
        return true;
    }

    void Revert(DialogDocument& doc) override {
        const auto after = doc.ObjectTable;
        for (size_t p = 0; p < order_.size(); ++p) doc.ObjectTable[size_t(order_[p])] = after[p];
    }

    bool Absorb(const EditCommand&) override { return false; }
    bool ChangesNothing() const override {
        for (size_t p = 0; p < order_.size(); ++p)
            if (order_[p] != int32_t(p)) return false;
        return true;
    }
    EditTarget Target(bool applied) const override {
        if (!applied) return Objects(moved_);
        std::vector<int32_t> places;
        for (int32_t i : moved_)
            places.push_back(int32_t(std::find(order_.begin(), order_.end(), i) - order_.begin()));
        return Objects(std::move(places));
    }
    size_t Bytes() const override {
        return sizeof(*this) +
               (asked_.capacity() + moved_.capacity() + order_.capacity()) * sizeof(int32_t);
    }

  private:
    std::vector<int32_t> asked_, moved_, order_;
    DrawOrderMove move_;
};

// "Only 3 more objects fit in this dialog (128 at most); the clipboard holds 5."
std::string NoRoom(int32_t free, int32_t most, int32_t wanted, const std::string& one,
                   const std::string& many, std::string_view holder) {
    std::string room = free <= 0   ? "No more " + many + " fit"
                       : free == 1 ? "Only 1 more " + one + " fits"
                                   : "Only " + std::to_string(free) + " more " + many + " fit";
    return room + " in this dialog (" + std::to_string(most) + " at most); " + std::string(holder) +
           " holds " + std::to_string(wanted) + ".";
}

} // namespace

std::unique_ptr<EditCommand> ReplaceObjectsCommand(std::vector<IndexedObject> after) {
    return std::make_unique<ReplaceObjects>(std::move(after));
}

std::unique_ptr<EditCommand> DeleteObjectsCommand(std::vector<int32_t> indices) {
    return std::make_unique<DeleteObjects>(std::move(indices));
}

std::unique_ptr<EditCommand> InsertObjectsCommand(const DialogDocument& batch) {
    return std::make_unique<InsertObjects>(batch);
}

std::string BatchDoesNotFit(const DialogDocument& doc, const DialogDocument& batch,
                            std::string_view holder) {
    if (batch.ObjectCount < 1)
        return "Nothing to paste: " + std::string(holder) + " holds no objects.";
    if (doc.ObjectCount + batch.ObjectCount > MaxObjects)
        return NoRoom(MaxObjects - doc.ObjectCount, MaxObjects, batch.ObjectCount, "object",
                      "objects", holder);
    if (doc.SmkCount + batch.SmkCount > MaxSmks)
        return NoRoom(MaxSmks - doc.SmkCount, MaxSmks, batch.SmkCount, "SMK record", "SMK records",
                      holder);
    const int32_t strings = batch.ObjectCount + batch.SmkCount;
    if (doc.StringCount + strings > MaxStrings)
        return NoRoom(MaxStrings - doc.StringCount, MaxStrings, strings, "string", "strings",
                      holder);
    return {};
}

std::unique_ptr<EditCommand> DrawOrderCommand(std::vector<int32_t> indices, DrawOrderMove move) {
    return std::make_unique<DrawOrder>(std::move(indices), move);
}

} // namespace tarrox
