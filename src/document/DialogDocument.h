// The one open dialog in memory: object, SMK and string tables and their counts.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarrox {

inline constexpr int MaxObjects = 128;
inline constexpr int MaxSmks = 128;
inline constexpr int MaxStrings = 256;
inline constexpr int ControlTypeCount = 15;
inline constexpr int ObjectFlagCount = 32;
inline constexpr int SmkFlagCount = 8;

// One object record. In memory Text is a string number and SmkLink an SmkTable index (-1 none).
struct DialogObject {
    int32_t Next = 0;
    int16_t Left = 0;
    int16_t Top = 0;
    int16_t Right = 0;
    int16_t Bottom = 0;
    int16_t Width = 0;
    int16_t Height = 0;
    std::array<uint8_t, 4> Unknown16{};
    int32_t Text = 0;
    int32_t Flags = 0;
    std::array<uint8_t, 4> Unknown28{};
    int16_t ControlId = 0;
    int32_t ControlType = 0;
    std::array<uint8_t, 16> Unknown38{};
    // Bytes 54-61: where the mouse is handled, relative to Left/Top, right/bottom inclusive.
    int16_t ResponseLeft = 0;
    int16_t ResponseTop = 0;
    int16_t ResponseRight = 0;
    int16_t ResponseBottom = 0;
    std::array<uint8_t, 4> Unknown62{};
    int32_t SmkLink = 0;
    // Bytes 70-77: where a light-up button places its text, relative to Left/Top, right/bottom
    // inclusive; all zeros means the whole object. Older JSON calls them TextX, TextY,
    // ResponseWidth and ResponseHeight.
    int16_t TextLeft = 0;
    int16_t TextTop = 0;
    int16_t TextRight = 0;
    int16_t TextBottom = 0;
    std::array<uint8_t, 8> Unknown78{};

    bool operator==(const DialogObject&) const = default;
};

// One SMK video-overlay record. In memory Next is an SmkTable index (-1 none) and FileName a
// string number.
struct SmkEntry {
    int32_t Next = 0;
    int16_t Flags = 0;
    std::array<uint8_t, 4> Unknown6{};
    int32_t FileName = 0;
    std::array<uint8_t, 4> Unknown14{};
    int16_t OverlayX = 0;
    int16_t OverlayY = 0;
    std::array<uint8_t, 8> Unknown22{};

    bool operator==(const SmkEntry&) const = default;
};

struct DialogDocument {
    std::array<DialogObject, MaxObjects> ObjectTable{};
    std::array<SmkEntry, MaxSmks> SmkTable{};
    std::array<std::string, MaxStrings> StringTable{};
    int32_t ObjectCount = 0;
    int32_t SmkCount = 0;
    int32_t StringCount = 0;
};

struct FlagInfo {
    const char* Caption;
    const char* Description;
};

// Bit numbers of the object flags the program itself interprets; ObjectFlagInfo names all 32.
enum ObjectFlagBit : int {
    DisabledBit = 1,
    VisibleBit = 3,
    RespondToEventsBit = 4,
    CancelButtonBit = 6,
    HasHotkeyBit = 9,
    Size10Bit = 10,
    Size16Bit = 11,
    TransparentBit = 13, // palette index 0 of an image is not drawn
    Size16xBit = 14,
    Size14Bit = 16,
    TranslucencyBit = 18,
    DefaultButtonBit = 19,
    CenterTextBit = 21,
    AlignRightBit = 22,
    AlignTopBit = 24,
    AlignMiddleBit = 25,
    AlignBottomBit = 26,
};

constexpr int32_t FlagMask(ObjectFlagBit bit) {
    return static_cast<int32_t>(uint32_t{1} << bit);
}

extern const char* const ControlTypeNamesLiteral;
extern const std::array<FlagInfo, ObjectFlagCount> ObjectFlagInfo;
extern const std::array<FlagInfo, SmkFlagCount> SmkFlagInfo;

// The display names of control types 0..14, split from the one literal.
std::array<std::string, ControlTypeCount> SplitControlTypeNames();

// The list name of a control type: its display name, or "Unknown (N)" outside 0..14.
std::string ControlTypeName(const std::array<std::string, ControlTypeCount>& names,
                            int32_t controlType);

// Checks the invariants that every load and edit keeps; returns an empty string when they
// hold, otherwise what is wrong.
std::string CheckInvariants(const DialogDocument& doc);

} // namespace tarrox
