#include "document/BinFormat.h"

#include <algorithm>

namespace tarrox::bin {

namespace {

// Walks a record field by field, so decode and encode share one list of offsets.
template <typename Byte> struct Cursor {
    Byte* at;
    template <size_t N> void Raw(std::array<uint8_t, N>& out) requires std::is_const_v<Byte> {
        std::copy_n(at, N, out.begin());
        at += N;
    }
    template <size_t N>
    void Raw(const std::array<uint8_t, N>& in) requires(!std::is_const_v<Byte>) {
        std::copy_n(in.begin(), N, at);
        at += N;
    }
    void Field(int16_t& v) requires std::is_const_v<Byte> { v = GetI16(at), at += 2; }
    void Field(int32_t& v) requires std::is_const_v<Byte> { v = GetI32(at), at += 4; }
    void Field(const int16_t& v) requires(!std::is_const_v<Byte>) { PutI16(at, v), at += 2; }
    void Field(const int32_t& v) requires(!std::is_const_v<Byte>) { PutI32(at, v), at += 4; }
};

template <typename Obj, typename C> void VisitObject(Obj& o, C& c) {
    c.Field(o.Next);
    c.Field(o.Left);
    c.Field(o.Top);
    c.Field(o.Right);
    c.Field(o.Bottom);
    c.Field(o.Width);
    c.Field(o.Height);
    c.Raw(o.Unknown16);
    c.Field(o.Text);
    c.Field(o.Flags);
    c.Raw(o.Unknown28);
    c.Field(o.ControlId);
    c.Field(o.ControlType);
    c.Raw(o.Unknown38);
    c.Field(o.ResponseLeft);
    c.Field(o.ResponseTop);
    c.Field(o.ResponseRight);
    c.Field(o.ResponseBottom);
    c.Raw(o.Unknown62);
    c.Field(o.SmkLink);
    c.Field(o.TextLeft);
    c.Field(o.TextTop);
    c.Field(o.TextRight);
    c.Field(o.TextBottom);
    c.Raw(o.Unknown78);
}

template <typename Smk, typename C> void VisitSmk(Smk& s, C& c) {
    c.Field(s.Next);
    c.Field(s.Flags);
    c.Raw(s.Unknown6);
    c.Field(s.FileName);
    c.Raw(s.Unknown14);
    c.Field(s.OverlayX);
    c.Field(s.OverlayY);
    c.Raw(s.Unknown22);
}

} // namespace

DialogObject DecodeObject(std::span<const uint8_t, ObjectSize> bytes) {
    DialogObject o;
    Cursor<const uint8_t> c{bytes.data()};
    VisitObject(o, c);
    return o;
}

void EncodeObject(const DialogObject& object, std::span<uint8_t, ObjectSize> bytes) {
    Cursor<uint8_t> c{bytes.data()};
    VisitObject(object, c);
}

SmkEntry DecodeSmk(std::span<const uint8_t, SmkSize> bytes) {
    SmkEntry s;
    Cursor<const uint8_t> c{bytes.data()};
    VisitSmk(s, c);
    return s;
}

void EncodeSmk(const SmkEntry& smk, std::span<uint8_t, SmkSize> bytes) {
    Cursor<uint8_t> c{bytes.data()};
    VisitSmk(smk, c);
}

} // namespace tarrox::bin
