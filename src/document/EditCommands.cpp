#include "document/EditCommands.h"

#include <algorithm>
#include <bitset>

#include "document/Editing.h"

namespace tarrox {

namespace {

// What the commands need to know about each kind of record.
struct ObjectRecords {
    using Record = DialogObject;
    static constexpr RecordType Type = RecordType::Object;
    static constexpr int32_t Record::*String = &Record::Text;
    static auto& Table(DialogDocument& d) { return d.ObjectTable; }
    static int32_t& Count(DialogDocument& d) { return d.ObjectCount; }
    static bool Add(DialogDocument& d) { return AddObject(d); }
    static bool Delete(DialogDocument& d, int32_t i) { return DeleteObject(d, i); }
};

struct SmkRecords {
    using Record = SmkEntry;
    static constexpr RecordType Type = RecordType::Smk;
    static constexpr int32_t Record::*String = &Record::FileName;
    static auto& Table(DialogDocument& d) { return d.SmkTable; }
    static int32_t& Count(DialogDocument& d) { return d.SmkCount; }
    static bool Add(DialogDocument& d) { return AddSmk(d); }
    static bool Delete(DialogDocument& d, int32_t i) { return DeleteSmk(d, i); }
};

template <class T> class Replace final : public EditCommand {
  public:
    using Record = typename T::Record;
    Replace(int32_t index, const Record& after, std::optional<std::string> text)
        : index_(index), textIndex_(after.*T::String), after_(after), textAfter_(std::move(text)) {}

    bool Apply(DialogDocument& doc) override {
        if (index_ < 0 || index_ >= T::Count(doc)) return false;
        if (textAfter_ && (textIndex_ < 0 || textIndex_ >= doc.StringCount)) return false;
        Record& record = T::Table(doc)[index_];
        before_ = record;
        record = after_;
        if (textAfter_) {
            textBefore_ = doc.StringTable[textIndex_];
            doc.StringTable[textIndex_] = *textAfter_;
        }
        return true;
    }

    void Revert(DialogDocument& doc) override {
        T::Table(doc)[index_] = before_;
        if (textAfter_) doc.StringTable[textIndex_] = textBefore_;
    }

    bool Absorb(const EditCommand& next) override {
        const auto* later = dynamic_cast<const Replace*>(&next);
        if (!later || later->index_ != index_) return false;
        if (textAfter_ && later->textAfter_ && later->textIndex_ != textIndex_) return false;
        after_ = later->after_;
        if (later->textAfter_) {
            if (!textAfter_) {
                textIndex_ = later->textIndex_;
                textBefore_ = later->textBefore_;
            }
            textAfter_ = later->textAfter_;
        }
        return true;
    }

    bool ChangesNothing() const override {
        return before_ == after_ && (!textAfter_ || *textAfter_ == textBefore_);
    }
    EditTarget Target(bool) const override { return {T::Type, index_, {}}; }
    size_t Bytes() const override {
        return sizeof(*this) + textBefore_.capacity() + (textAfter_ ? textAfter_->capacity() : 0);
    }

  private:
    int32_t index_;
    int32_t textIndex_;
    Record before_{};
    Record after_;
    std::string textBefore_;
    std::optional<std::string> textAfter_;
};

// Adding writes over the slots past the ends of the tables; they are kept to be put back.
template <class T> class Add final : public EditCommand {
  public:
    bool Apply(DialogDocument& doc) override {
        const int32_t n = T::Count(doc);
        if (n < 0 || n >= int32_t(T::Table(doc).size()) || doc.StringCount < 0 ||
            doc.StringCount >= MaxStrings)
            return false;
        slot_ = T::Table(doc)[n];
        stringSlot_ = doc.StringTable[doc.StringCount];
        if (!T::Add(doc)) return false;
        index_ = n;
        return true;
    }

    void Revert(DialogDocument& doc) override {
        const int32_t n = --T::Count(doc);
        T::Table(doc)[n] = slot_;
        doc.StringTable[--doc.StringCount] = stringSlot_;
    }

    bool Absorb(const EditCommand&) override { return false; }
    bool ChangesNothing() const override { return false; }
    EditTarget Target(bool applied) const override { return {T::Type, applied ? index_ : -1, {}}; }
    size_t Bytes() const override { return sizeof(*this) + stringSlot_.capacity(); }

  private:
    int32_t index_ = -1;
    typename T::Record slot_{};
    std::string stringSlot_;
};

// Deleting renumbers strings and SMK links; which references moved (or pointed at the deleted
// SMK) is kept per record, so even a document that breaks the invariants comes back exactly.
template <class T> class Delete final : public EditCommand {
  public:
    explicit Delete(int32_t index) : index_(index) {}

    bool Apply(DialogDocument& doc) override {
        if (index_ < 0 || index_ >= T::Count(doc)) return false;
        record_ = T::Table(doc)[index_];
        string_ = record_.*T::String;
        if (string_ < 0 || string_ >= doc.StringCount) return false;
        text_ = doc.StringTable[string_];
        const bool smk = T::Type == RecordType::Smk;
        for (int32_t i = 0; i < std::min(doc.ObjectCount, MaxObjects); ++i) {
            const DialogObject& o = doc.ObjectTable[i];
            textAbove_[i] = o.Text > string_;
            linkTo_[i] = smk && o.SmkLink == index_;
            linkAbove_[i] = smk && o.SmkLink > index_;
        }
        for (int32_t k = 0; k < std::min(doc.SmkCount, MaxSmks); ++k) {
            const SmkEntry& e = doc.SmkTable[k];
            const bool other = !smk || k != index_;
            fileAbove_[k] = e.FileName > string_;
            nextTo_[k] = smk && other && e.Next == index_;
            nextAbove_[k] = smk && other && e.Next > index_;
        }
        return T::Delete(doc, index_);
    }

    void Revert(DialogDocument& doc) override {
        auto& table = T::Table(doc);
        int32_t& count = T::Count(doc);
        for (int32_t b = count; b > index_; --b) table[b] = table[b - 1];
        table[index_] = record_;
        ++count;
        ++doc.StringCount;
        for (int32_t c = doc.StringCount - 1; c > string_; --c)
            doc.StringTable[c] = std::move(doc.StringTable[c - 1]);
        doc.StringTable[string_] = text_;
        for (int32_t i = 0; i < doc.ObjectCount; ++i) {
            DialogObject& o = doc.ObjectTable[i];
            if (textAbove_[i]) ++o.Text;
            if (linkTo_[i]) o.SmkLink = index_;
            if (linkAbove_[i]) ++o.SmkLink;
        }
        for (int32_t k = 0; k < doc.SmkCount; ++k) {
            SmkEntry& e = doc.SmkTable[k];
            if (fileAbove_[k]) ++e.FileName;
            if (nextTo_[k]) e.Next = index_;
            if (nextAbove_[k]) ++e.Next;
        }
    }

    bool Absorb(const EditCommand&) override { return false; }
    bool ChangesNothing() const override { return false; }
    EditTarget Target(bool applied) const override { return {T::Type, applied ? -1 : index_, {}}; }
    size_t Bytes() const override { return sizeof(*this) + text_.capacity(); }

  private:
    int32_t index_;
    typename T::Record record_{};
    int32_t string_ = 0;
    std::string text_;
    std::bitset<MaxObjects> textAbove_, linkTo_, linkAbove_;
    std::bitset<MaxSmks> fileAbove_, nextTo_, nextAbove_;
};

} // namespace

std::unique_ptr<EditCommand> ReplaceObject(int32_t index, const DialogObject& after,
                                           std::optional<std::string> text) {
    return std::make_unique<Replace<ObjectRecords>>(index, after, std::move(text));
}

std::unique_ptr<EditCommand> ReplaceSmk(int32_t index, const SmkEntry& after,
                                        std::optional<std::string> fileName) {
    return std::make_unique<Replace<SmkRecords>>(index, after, std::move(fileName));
}

std::unique_ptr<EditCommand> AddObjectCommand() {
    return std::make_unique<Add<ObjectRecords>>();
}

std::unique_ptr<EditCommand> AddSmkCommand() {
    return std::make_unique<Add<SmkRecords>>();
}

std::unique_ptr<EditCommand> DeleteObjectCommand(int32_t index) {
    return std::make_unique<Delete<ObjectRecords>>(index);
}

std::unique_ptr<EditCommand> DeleteSmkCommand(int32_t index) {
    return std::make_unique<Delete<SmkRecords>>(index);
}

} // namespace tarrox
