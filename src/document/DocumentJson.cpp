#include "document/DocumentJson.h"

#include "document/FormattingCodes.h"

namespace tarrox {

namespace {

void AppendHex(std::string& out, uint8_t b) {
    static constexpr char digits[] = "0123456789abcdef";
    out += digits[b >> 4];
    out += digits[b & 15];
}

class JsonObject {
  public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    void Number(const char* key, int64_t value) { Key(key), out_ += std::to_string(value); }

    template <size_t N> void Hex(const char* key, const std::array<uint8_t, N>& bytes) {
        Key(key);
        out_ += '"';
        for (uint8_t b : bytes) AppendHex(out_, b);
        out_ += '"';
    }

    // A stored string in its editable form; each byte is the Latin-1 character of its value.
    void Text(const char* key, const std::string& stored) {
        Key(key);
        out_ += '"';
        for (char ch : TextToCodes(stored)) {
            auto c = static_cast<unsigned char>(ch);
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += ch;
            } else if (c < 0x20) {
                out_ += "\\u00";
                AppendHex(out_, c);
            } else if (c < 0x80) {
                out_ += ch;
            } else {
                out_ += static_cast<char>(0xC0 | (c >> 6));
                out_ += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        out_ += '"';
    }

  private:
    void Key(const char* key) {
        if (!first_) out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += key;
        out_ += "\":";
    }

    std::string& out_;
    bool first_ = true;
};

const std::string& StringOf(const DialogDocument& doc, int32_t number) {
    static const std::string empty;
    return number >= 0 && number < MaxStrings ? doc.StringTable[number] : empty;
}

void AppendObject(std::string& out, const DialogDocument& doc, const DialogObject& o) {
    JsonObject j(out);
    j.Number("Left", o.Left);
    j.Number("Top", o.Top);
    j.Number("Right", o.Right);
    j.Number("Bottom", o.Bottom);
    j.Number("Width", o.Width);
    j.Number("Height", o.Height);
    j.Hex("Unknown16", o.Unknown16);
    j.Text("Text", StringOf(doc, o.Text));
    j.Number("Flags", o.Flags);
    j.Hex("Unknown28", o.Unknown28);
    j.Number("ControlId", o.ControlId);
    j.Number("ControlType", o.ControlType);
    j.Hex("Unknown38", o.Unknown38);
    j.Number("ResponseLeft", o.ResponseLeft);
    j.Number("ResponseTop", o.ResponseTop);
    j.Number("ResponseRight", o.ResponseRight);
    j.Number("ResponseBottom", o.ResponseBottom);
    j.Hex("Unknown62", o.Unknown62);
    j.Number("SmkLink", o.SmkLink);
    j.Number("TextX", o.TextX);
    j.Number("TextY", o.TextY);
    j.Number("ResponseWidth", o.ResponseWidth);
    j.Number("ResponseHeight", o.ResponseHeight);
    j.Hex("Unknown78", o.Unknown78);
}

void AppendSmk(std::string& out, const DialogDocument& doc, const SmkEntry& s) {
    JsonObject j(out);
    j.Number("Next", s.Next);
    j.Number("Flags", s.Flags);
    j.Hex("Unknown6", s.Unknown6);
    j.Text("FileName", StringOf(doc, s.FileName));
    j.Hex("Unknown14", s.Unknown14);
    j.Number("OverlayX", s.OverlayX);
    j.Number("OverlayY", s.OverlayY);
    j.Hex("Unknown22", s.Unknown22);
}

} // namespace

std::string DocumentToJson(const DialogDocument& doc) {
    std::string out = "{\"objects\":[";
    for (int32_t i = 0; i < doc.ObjectCount && i < MaxObjects; ++i) {
        if (i) out += ',';
        AppendObject(out, doc, doc.ObjectTable[i]);
    }
    out += "],\"smks\":[";
    for (int32_t k = 0; k < doc.SmkCount && k < MaxSmks; ++k) {
        if (k) out += ',';
        AppendSmk(out, doc, doc.SmkTable[k]);
    }
    out += "]}";
    return out;
}

} // namespace tarrox
