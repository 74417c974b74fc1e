#include "document/DocumentJson.h"

#include <limits>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "document/FormattingCodes.h"

namespace tarrox {

namespace {

using Json = nlohmann::ordered_json;

enum class Kind { Number, Bytes, Text, SmkLink };

// Each record's fields in the order they are printed; one list serves printing and reading.
template <class Object, class Visit> void ObjectFields(Object& o, Visit&& visit) {
    visit("Left", o.Left, Kind::Number);
    visit("Top", o.Top, Kind::Number);
    visit("Right", o.Right, Kind::Number);
    visit("Bottom", o.Bottom, Kind::Number);
    visit("Width", o.Width, Kind::Number);
    visit("Height", o.Height, Kind::Number);
    visit("Unknown16", o.Unknown16, Kind::Bytes);
    visit("Text", o.Text, Kind::Text);
    visit("Flags", o.Flags, Kind::Number);
    visit("Unknown28", o.Unknown28, Kind::Bytes);
    visit("ControlId", o.ControlId, Kind::Number);
    visit("ControlType", o.ControlType, Kind::Number);
    visit("Unknown38", o.Unknown38, Kind::Bytes);
    visit("ResponseLeft", o.ResponseLeft, Kind::Number);
    visit("ResponseTop", o.ResponseTop, Kind::Number);
    visit("ResponseRight", o.ResponseRight, Kind::Number);
    visit("ResponseBottom", o.ResponseBottom, Kind::Number);
    visit("Unknown62", o.Unknown62, Kind::Bytes);
    visit("SmkLink", o.SmkLink, Kind::SmkLink);
    visit("TextLeft", o.TextLeft, Kind::Number);
    visit("TextTop", o.TextTop, Kind::Number);
    visit("TextRight", o.TextRight, Kind::Number);
    visit("TextBottom", o.TextBottom, Kind::Number);
    visit("Unknown78", o.Unknown78, Kind::Bytes);
}

template <class Smk, class Visit> void SmkFields(Smk& s, Visit&& visit) {
    visit("Next", s.Next, Kind::SmkLink);
    visit("Flags", s.Flags, Kind::Number);
    visit("Unknown6", s.Unknown6, Kind::Bytes);
    visit("FileName", s.FileName, Kind::Text);
    visit("Unknown14", s.Unknown14, Kind::Bytes);
    visit("OverlayX", s.OverlayX, Kind::Number);
    visit("OverlayY", s.OverlayY, Kind::Number);
    visit("Unknown22", s.Unknown22, Kind::Bytes);
}

constexpr auto EachObjectField = [](auto& o, auto&& visit) { ObjectFields(o, visit); };
constexpr auto EachSmkField = [](auto& s, auto&& visit) { SmkFields(s, visit); };

// What JSON written before the text area was understood calls its edges; still read.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> OldObjectNames{{
    {"TextX", "TextLeft"},
    {"TextY", "TextTop"},
    {"ResponseWidth", "TextRight"},
    {"ResponseHeight", "TextBottom"},
}};

std::string_view OldName(std::string_view name) {
    for (const auto& [old, now] : OldObjectNames)
        if (now == name) return old;
    return {};
}

template <class Record, class Fields> std::vector<std::string> NamesOf(Fields fields) {
    Record record{};
    std::vector<std::string> names;
    fields(record, [&](const char* name, auto&, Kind) { names.emplace_back(name); });
    return names;
}

// The field a key of a record in `table` names, under its current name; empty for none.
std::string FieldNamed(std::string_view table, std::string_view key) {
    static const std::vector<std::string> objectNames = NamesOf<DialogObject>(EachObjectField);
    static const std::vector<std::string> smkNames = NamesOf<SmkEntry>(EachSmkField);
    const bool objects = table == "objects";
    for (const std::string& name : objects ? objectNames : smkNames)
        if (name == key) return name;
    if (objects)
        for (const auto& [old, now] : OldObjectNames)
            if (old == key) return std::string(now);
    return {};
}

template <class T> constexpr bool IsBytes = false;
template <size_t N> constexpr bool IsBytes<std::array<uint8_t, N>> = true;

std::string Latin1ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// False for a character outside U+0001..U+00FF. The parser has already checked the UTF-8.
bool Utf8ToLatin1(const std::string& utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c == 0) return false;
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        if ((c & 0xE0) != 0xC0 || i + 1 >= utf8.size()) return false;
        const unsigned point = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        if (point < 0x80 || point > 0xFF) return false;
        out += static_cast<char>(point);
    }
    return true;
}

template <size_t N> std::string ToHex(const std::array<uint8_t, N>& bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

template <size_t N> bool FromHex(const std::string& text, std::array<uint8_t, N>& out) {
    if (text.size() != 2 * N) return false;
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    for (size_t i = 0; i < N; ++i) {
        const int high = digit(text[2 * i]), low = digit(text[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        out[i] = static_cast<uint8_t>(high << 4 | low);
    }
    return true;
}

const std::string& StringOf(const DialogDocument& doc, int32_t number) {
    static const std::string empty;
    return number >= 0 && number < MaxStrings ? doc.StringTable[number] : empty;
}

template <class Record, class Fields>
Json RecordToJson(const DialogDocument& doc, const Record& record, Fields fields) {
    Json j = Json::object();
    fields(record, [&](const char* name, const auto& field, Kind kind) {
        if constexpr (IsBytes<std::remove_cvref_t<decltype(field)>>)
            j[name] = ToHex(field);
        else if (kind == Kind::Text)
            j[name] = Latin1ToUtf8(TextToCodes(StringOf(doc, field)));
        else
            j[name] = field;
    });
    return j;
}

// Why a JSON is refused, thrown from anywhere in the reading and caught at its entry point.
struct Refusal {
    std::string message;
};

[[noreturn]] void Refuse(const std::string& where, const std::string& what) {
    throw Refusal{"Error: " + where + ": " + what};
}

// Keys and values are quoted in messages up to this many bytes, cut at a character's start.
constexpr size_t MaxQuoted = 100;

std::string Clipped(std::string_view text) {
    if (text.size() <= MaxQuoted) return std::string(text);
    size_t end = MaxQuoted;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return std::string(text.substr(0, end)) + "...";
}

// The parser's message with the input it quotes ('...') clipped.
std::string ParserMessage(std::string what) {
    what.erase(0, what.find("] ") == std::string::npos ? 0 : what.find("] ") + 2);
    const size_t open = what.find('\''), close = what.rfind('\'');
    if (open == std::string::npos || close <= open) return what;
    return what.substr(0, open + 1) +
           Clipped(std::string_view(what).substr(open + 1, close - open - 1)) + what.substr(close);
}

const std::string ObjectsRule = "must be an array of 1 to 128 objects";
const std::string SmksRule = "must be an array of at most 128 SMK records";
const std::string RootRule = "the JSON must be an object with \"objects\" and \"smks\".";

// A dialog's JSON nests three deep and holds about 25 values per record; the caps let a hostile
// file fail fast instead of building a huge tree first.
constexpr int MaxDepth = 3;
constexpr int MaxValues = 100000;

// Checks the JSON's shape while it is parsed: the root, its two tables and their records are
// the only objects, and each key is checked as it comes. The parsed objects find each new key
// by a linear search, so an object must never grow past the fields a record has.
class ShapeCheck {
  public:
    using Event = nlohmann::json::parse_event_t;

    // Depth as the parser counts it: 0 the root, 1 its values, 2 records, 3 their fields.
    bool operator()(int depth, Event event, Json& parsed) {
        const bool starts = event == Event::object_start || event == Event::array_start;
        if (starts || event == Event::value) {
            if (++values_ > MaxValues)
                throw Refusal{"Error: the JSON holds far more values than a dialog has."};
            if (starts && depth >= MaxDepth)
                throw Refusal{"Error: the JSON nests deeper than a dialog's records do."};
            if (depth == 0 && event == Event::array_start) throw Refusal{"Error: " + RootRule};
            if (depth == 1 && event == Event::object_start) Refuse(table_, TableRule());
            if (depth == 1 && event == Event::array_start) record_ = -1;
            // A record too many is refused before it is read.
            if (depth == 2 && ++record_ >= (table_ == "objects" ? MaxObjects : MaxSmks))
                Refuse(table_, TableRule());
            if (depth == 2 && event == Event::object_start) recordKeys_.clear();
        }
        if (event != Event::key) return true;
        const std::string& key = parsed.get_ref<const std::string&>();
        if (depth == 1) {
            if (key != "objects" && key != "smks") Refuse(Clipped(key), "no such field");
            table_ = key;
            NoSecond(rootKeys_, key, key);
        } else {
            const std::string where = table_ + "[" + std::to_string(record_) + "]";
            const std::string field = FieldNamed(table_, key);
            if (field.empty()) Refuse(where + "." + Clipped(key), "no such field");
            NoSecond(recordKeys_, field, key);
        }
        return true;
    }

  private:
    const std::string& TableRule() const { return table_ == "objects" ? ObjectsRule : SmksRule; }

    // Of a field given twice, one value would be lost without a word.
    static void NoSecond(std::vector<std::pair<std::string, std::string>>& seen,
                         const std::string& field, const std::string& key) {
        for (const auto& [earlier, given] : seen) {
            if (earlier != field) continue;
            if (given == key) throw Refusal{"Error: \"" + key + "\" appears twice in one object."};
            throw Refusal{"Error: \"" + given + "\" and \"" + key +
                          "\" name the same field in one object."};
        }
        seen.emplace_back(field, key);
    }

    int values_ = 0;
    std::string table_;
    int32_t record_ = -1;
    std::vector<std::pair<std::string, std::string>> rootKeys_, recordKeys_;
};

Json Parse(std::string_view text) {
    try {
        ShapeCheck check;
        return Json::parse(text.begin(), text.end(),
                           [&check](int depth, ShapeCheck::Event event, Json& parsed) {
                               return check(depth, event, parsed);
                           });
    } catch (const Json::exception& e) {
        // Parse errors, and numbers beyond a double's range (thrown as out of range).
        throw Refusal{"Error: not valid JSON: " + ParserMessage(e.what())};
    }
}

int64_t ReadInteger(const Json& value, const std::string& where, int64_t low, int64_t high,
                    const std::string& rule) {
    const bool fits = value.is_number_integer() &&
                      (!value.is_number_unsigned() ||
                       value.get<uint64_t>() <= uint64_t(std::numeric_limits<int64_t>::max()));
    const int64_t number = fits ? value.get<int64_t>() : 0;
    if (!fits || number < low || number > high) Refuse(where, rule);
    return number;
}

std::string Range(int64_t low, int64_t high) {
    return std::to_string(low) + " to " + std::to_string(high);
}

// Fills records from their JSON; each record's string takes the next string number.
class RecordReader {
  public:
    RecordReader(DialogDocument& doc, int32_t smkCount) : doc_(doc), smkCount_(smkCount) {}

    template <class Record, class Fields>
    void Read(const Json& json, const std::string& where, Record& record, Fields fields,
              bool isDialogBox = false) {
        if (!json.is_object()) Refuse(where, "must be an object");
        // The parse has refused unknown keys and a field given twice.
        fields(record, [&](const char* name, auto& field, Kind kind) {
            auto value = json.find(name);
            if (const std::string_view old = OldName(name); value == json.end() && !old.empty())
                value = json.find(old);
            if (value == json.end()) Refuse(where + "." + name, "missing");
            const std::string at = where + "." + value.key();
            using T = std::remove_cvref_t<decltype(field)>;
            if constexpr (IsBytes<T>) {
                if (!value->is_string() || !FromHex(value->template get<std::string>(), field))
                    Refuse(at, "must be a string of " + std::to_string(2 * field.size()) +
                                   " hex digits");
            } else if (kind == Kind::Text) {
                field = static_cast<T>(ReadText(*value, at));
            } else if (kind == Kind::SmkLink) {
                field = static_cast<T>(ReadLink(*value, at, isDialogBox));
            } else {
                constexpr int64_t low = std::numeric_limits<T>::min();
                constexpr int64_t high = std::numeric_limits<T>::max();
                field = static_cast<T>(ReadInteger(*value, at, low, high,
                                                   "must be a number from " + Range(low, high)));
            }
        });
    }

  private:
    int32_t ReadText(const Json& value, const std::string& where) {
        std::string latin1;
        if (!value.is_string() || !Utf8ToLatin1(value.get<std::string>(), latin1))
            Refuse(where, "must be a string of characters from U+0001 to U+00FF");
        doc_.StringTable[nextString_] = CodesToText(latin1);
        return nextString_++;
    }

    int64_t ReadLink(const Json& value, const std::string& where, bool isDialogBox) {
        if (isDialogBox)
            return ReadInteger(value, where, -1, -1, "must be -1: the dialog box has no SMK list");
        if (smkCount_ == 0)
            return ReadInteger(value, where, -1, -1, "must be -1: there are no SMK records");
        return ReadInteger(value, where, -1, smkCount_ - 1,
                           "must be -1 or an SMK record from " + Range(0, smkCount_ - 1));
    }

    DialogDocument& doc_;
    int32_t smkCount_;
    int32_t nextString_ = 0;
};

const Json& TableOf(const Json& root, const char* name, size_t least, size_t most,
                    const std::string& rule) {
    auto table = root.find(name);
    if (table == root.end()) Refuse(name, "missing");
    if (!table->is_array() || table->size() < least || table->size() > most) Refuse(name, rule);
    return *table;
}

void ReadDocument(const Json& root, DialogDocument& doc, JsonRecords records) {
    // The parse has refused keys other than the two.
    if (!root.is_object()) throw Refusal{"Error: " + RootRule};
    const Json& objects = TableOf(root, "objects", 1, MaxObjects, ObjectsRule);
    const Json& smks = TableOf(root, "smks", 0, MaxSmks, SmksRule);
    doc.ObjectCount = static_cast<int32_t>(objects.size());
    doc.SmkCount = static_cast<int32_t>(smks.size());
    doc.StringCount = doc.ObjectCount + doc.SmkCount;

    RecordReader reader(doc, doc.SmkCount);
    for (int32_t i = 0; i < doc.ObjectCount; ++i)
        reader.Read(objects[size_t(i)], "objects[" + std::to_string(i) + "]", doc.ObjectTable[i],
                    EachObjectField, i == 0 && records == JsonRecords::Dialog);
    for (int32_t k = 0; k < doc.SmkCount; ++k)
        reader.Read(smks[size_t(k)], "smks[" + std::to_string(k) + "]", doc.SmkTable[k],
                    EachSmkField);

    // A file reaches SMK records only through the objects' chains; one outside every chain
    // would be written and then never read again.
    std::vector<bool> reached(size_t(doc.SmkCount), false);
    for (int32_t i = records == JsonRecords::Dialog ? 1 : 0; i < doc.ObjectCount; ++i)
        for (int32_t s = doc.ObjectTable[i].SmkLink; s >= 0 && !reached[size_t(s)];
             s = doc.SmkTable[s].Next)
            reached[size_t(s)] = true;
    for (int32_t k = 0; k < doc.SmkCount; ++k)
        if (!reached[size_t(k)])
            Refuse("smks[" + std::to_string(k) + "]", "no object's SMK chain reaches this record");
}

} // namespace

std::string DocumentToJson(const DialogDocument& doc) {
    Json objects = Json::array(), smks = Json::array();
    for (int32_t i = 0; i < doc.ObjectCount && i < MaxObjects; ++i)
        objects.push_back(RecordToJson(doc, doc.ObjectTable[i], EachObjectField));
    for (int32_t k = 0; k < doc.SmkCount && k < MaxSmks; ++k)
        smks.push_back(RecordToJson(doc, doc.SmkTable[k], EachSmkField));
    Json root = Json::object();
    root["objects"] = std::move(objects);
    root["smks"] = std::move(smks);
    return root.dump();
}

bool DocumentFromJson(std::string_view json, DialogDocument& out, std::string& error,
                      JsonRecords records) {
    try {
        DialogDocument doc;
        ReadDocument(Parse(json), doc, records);
        if (std::string broken = CheckInvariants(doc); !broken.empty())
            throw Refusal{"Error: " + broken + "."};
        out = std::move(doc);
        return true;
    } catch (const Refusal& refusal) {
        error = refusal.message;
        return false;
    }
}

} // namespace tarrox
