#include "document/DialogDocument.h"

#include <vector>

namespace tarrox {

const char* const ControlTypeNamesLiteral =
    "Dialog Box,Default Button,Button,Option Button,Check box,Image,Slider bar,Unknown,Text "
    "box,Label (Left align),Label (Center align),Label (Right align),List box,Combo box,Button "
    "w/ light-up";

namespace {
constexpr const char* Unused = "Unknown/Unused";
constexpr const char* CenterText = "Text is centered (both Center Text's appear to be the same?)";
} // namespace

const std::array<FlagInfo, ObjectFlagCount> ObjectFlagInfo = {{
    {"Unknown 0", Unused},
    {"Disabled", "Object is disabled"},
    {"Unknown 2", Unused},
    {"Visible", "Object is visible"},
    {"Respond to Events", "Object will respond to mouse and keyboard events"},
    {"Unknown 5", Unused},
    {"Cancel Button", "Object responds to Escape key"},
    {"No Hover Sound", "No sound on mouse over"},
    {"Virtual Key",
     "Object's hotkey is a VK value. Check 'Has Hotkey' to remove first letter when dispalyed"},
    {"Has Hotkey",
     "Object's hotkey is the first letter in string (lower-case). First letter is not shown"},
    {"Size 10 Font", "Text is in the smallest font (usually 10)"},
    {"Size 16 Font", "Test is in the larger font (usually 16)"},
    {"Unknown 12", Unused},
    {"Hide Color 0", "Palette Index 0 (black) is transparent"},
    {"Size 16x Font", "Text is in the largest font (usually 16-wide)"},
    {"Unknown 15", Unused},
    {"Size 14 Font", "Text is in the larger font (usually 14)"},
    {"Unknown 17", Unused},
    {"Translucency", "Image has translucency effect applied (see-through, such as in backgrounds)"},
    {"Default Button", "Button is pre-selected"},
    {"Bring to Front", "Object is on top"},
    {"Center Text", CenterText},
    {"Align Right Text", "Text is aligned to the right"},
    {"Center Text", CenterText},
    {"Align Top", "Text is vertically aligned to the top"},
    {"Align Middle", "Text is vertically aligned to the middle"},
    {"Align Bottom", "Text is vertically aligned to the bottom"},
    {"Unknown 27", Unused},
    {"Unknown 28", Unused},
    {"Unknown 29", Unused},
    {"No Click Sound", "No sound when object is clicked"},
    {"Unknown 31", Unused},
}};

const std::array<FlagInfo, SmkFlagCount> SmkFlagInfo = {{
    {"Fade In", "SMK fades in"},
    {"Dark", "SMK is dark (greyed-out)"},
    {"Repeat Forever", "SMK will loop forever"},
    {"Show If Over", "SMK will only show if the mouse is over it"},
    {"4", Unused},
    {"5", Unused},
    {"6", Unused},
    {"7", Unused},
}};

std::array<std::string, ControlTypeCount> SplitControlTypeNames() {
    std::array<std::string, ControlTypeCount> names;
    std::string literal = ControlTypeNamesLiteral;
    size_t start = 0;
    for (int i = 0; i < ControlTypeCount; ++i) {
        size_t comma = literal.find(',', start);
        names[i] = literal.substr(start, comma == std::string::npos ? comma : comma - start);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return names;
}

std::string ControlTypeName(const std::array<std::string, ControlTypeCount>& names,
                            int32_t controlType) {
    if (controlType >= 0 && controlType < ControlTypeCount) return names[controlType];
    return "Unknown (" + std::to_string(controlType) + ")";
}

std::string CheckInvariants(const DialogDocument& doc) {
    if (doc.ObjectCount < 1 || doc.ObjectCount > MaxObjects) return "object count out of range";
    if (doc.SmkCount < 0 || doc.SmkCount > MaxSmks) return "SMK count out of range";
    if (doc.StringCount != doc.ObjectCount + doc.SmkCount) return "string count mismatch";
    std::vector<bool> owned(MaxStrings, false);
    auto own = [&](int32_t number) {
        if (number < 0 || number >= doc.StringCount || owned[number]) return false;
        owned[number] = true;
        return true;
    };
    auto linkOk = [&](int32_t link) { return link == -1 || (link >= 0 && link < doc.SmkCount); };
    for (int i = 0; i < doc.ObjectCount; ++i) {
        const DialogObject& o = doc.ObjectTable[i];
        if (!own(o.Text)) return "object " + std::to_string(i) + " has a bad string number";
        if (!linkOk(o.SmkLink)) return "object " + std::to_string(i) + " has a bad SMK link";
    }
    for (int k = 0; k < doc.SmkCount; ++k) {
        const SmkEntry& s = doc.SmkTable[k];
        if (!own(s.FileName)) return "SMK " + std::to_string(k) + " has a bad string number";
        if (!linkOk(s.Next)) return "SMK " + std::to_string(k) + " has a bad next link";
    }
    return {};
}

} // namespace tarrox
