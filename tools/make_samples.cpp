// Writes the sample dialogs of samples/. Records are laid out by hand, not by the editor's
// writer, so the samples also show what the reader must cope with: strings before records,
// a string shared by two objects, and an SMK record reached from two objects.
//
// Usage: make_samples OUTPUT_DIR
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "document/BinFormat.h"
#include "platform/FileAccess.h"

namespace {

using namespace tarrox;

constexpr int32_t Disabled = FlagMask(DisabledBit);
constexpr int32_t Visible = FlagMask(VisibleBit);
constexpr int32_t Respond = FlagMask(RespondToEventsBit);
constexpr int32_t CancelButton = FlagMask(CancelButtonBit);
constexpr int32_t HasHotkey = FlagMask(HasHotkeyBit);
constexpr int32_t Size10 = FlagMask(Size10Bit);
constexpr int32_t Size16 = FlagMask(Size16Bit);
constexpr int32_t Size16x = FlagMask(Size16xBit);
constexpr int32_t Size14 = FlagMask(Size14Bit);
constexpr int32_t Translucent = FlagMask(TranslucencyBit);
constexpr int32_t DefaultButton = FlagMask(DefaultButtonBit);
constexpr int32_t CenterText = FlagMask(CenterTextBit);
constexpr int32_t RightText = FlagMask(AlignRightBit);
constexpr int32_t AlignTop = FlagMask(AlignTopBit);
constexpr int32_t AlignMiddle = FlagMask(AlignMiddleBit);
constexpr int32_t AlignBottom = FlagMask(AlignBottomBit);

struct Control {
    int32_t type;
    int16_t left, top, right, bottom;
    int32_t flags;
    std::string text;          // empty: no string
    std::string firstSmk = {}; // key into the SMK records, empty: none
    int16_t id = 0;
};

struct Overlay {
    std::string file;
    std::string next; // key of the next record, empty: end
    int16_t flags;
    int16_t x, y;
};

class Layout {
  public:
    std::vector<uint8_t> bytes;

    int32_t Reserve(size_t size) {
        auto at = static_cast<int32_t>(bytes.size());
        bytes.resize(bytes.size() + size);
        return at;
    }
    // Equal strings share one copy, as the game's own files sometimes do.
    int32_t String(const std::string& s) {
        if (s.empty()) return 0;
        if (auto it = strings_.find(s); it != strings_.end()) return it->second;
        int32_t at = Reserve(s.size() + 1);
        std::copy(s.begin(), s.end(), bytes.begin() + at);
        strings_[s] = at;
        return at;
    }

  private:
    std::map<std::string, int32_t> strings_;
};

DialogObject Fields(const Control& c) {
    DialogObject o;
    o.Left = c.left;
    o.Top = c.top;
    o.Right = c.right;
    o.Bottom = c.bottom;
    o.Width = static_cast<int16_t>(c.right - c.left + 1);
    o.Height = static_cast<int16_t>(c.bottom - c.top + 1);
    o.Flags = c.flags;
    o.ControlId = c.id;
    o.ControlType = c.type;
    // Both areas are relative to the object, right and bottom inclusive. The mouse responds
    // over the whole object; light-up buttons place their text in a part of it.
    o.ResponseRight = static_cast<int16_t>(o.Width - 1);
    o.ResponseBottom = static_cast<int16_t>(o.Height - 1);
    if (c.type == 14) {
        o.TextLeft = 16;
        o.TextTop = 14;
        o.TextRight = o.ResponseRight;
        o.TextBottom = o.ResponseBottom;
    }
    return o;
}

std::vector<uint8_t> Build(const Control& dialog, const std::vector<Control>& controls,
                           const std::map<std::string, Overlay>& overlays) {
    Layout out;
    const int32_t dialogAt = out.Reserve(bin::ObjectSize);
    // Strings first, then the controls, then the overlays.
    std::vector<int32_t> texts;
    for (const Control& c : controls) texts.push_back(out.String(c.text));
    const int32_t dialogText = out.String(dialog.text);
    std::map<std::string, int32_t> overlayText;
    for (const auto& [key, o] : overlays) overlayText[key] = out.String(o.file);

    std::vector<int32_t> controlAt;
    for (size_t i = 0; i < controls.size(); ++i) controlAt.push_back(out.Reserve(bin::ObjectSize));
    std::map<std::string, int32_t> overlayAt;
    for (const auto& [key, o] : overlays) overlayAt[key] = out.Reserve(bin::SmkSize);

    auto put = [&](int32_t at, DialogObject o, int32_t next, int32_t text, int32_t link) {
        o.Next = next;
        o.Text = text;
        o.SmkLink = link;
        bin::EncodeObject(o, std::span<uint8_t, bin::ObjectSize>(&out.bytes[at], bin::ObjectSize));
    };
    put(dialogAt, Fields(dialog), 0, dialogText, controls.empty() ? 0 : controlAt[0]);
    for (size_t i = 0; i < controls.size(); ++i) {
        const Control& c = controls[i];
        put(controlAt[i], Fields(c), i + 1 < controls.size() ? controlAt[i + 1] : 0, texts[i],
            c.firstSmk.empty() ? 0 : overlayAt.at(c.firstSmk));
    }
    for (const auto& [key, o] : overlays) {
        SmkEntry s;
        s.Next = o.next.empty() ? 0 : overlayAt.at(o.next);
        s.Flags = o.flags;
        s.FileName = overlayText[key];
        s.OverlayX = o.x;
        s.OverlayY = o.y;
        bin::EncodeSmk(s,
                       std::span<uint8_t, bin::SmkSize>(&out.bytes[overlayAt[key]], bin::SmkSize));
    }
    return out.bytes;
}

constexpr int32_t Shown = Visible | Respond;

std::vector<uint8_t> MainMenu() {
    const Control dialog{0, 0, 0, 639, 479, Visible, "Main Menu"};
    // Control types 0..14 all appear; codes: 1-8 colours, 10 newline, 60/62 the brackets.
    const std::vector<Control> controls = {
        {14, 48, 120, 255, 167, Shown | HasHotkey | Size16, "SSingle Player", "single", 1},
        {14, 48, 190, 255, 237, Shown | HasHotkey | Size16, "MMultiplayer", "multi", 2},
        {14, 380, 120, 599, 167, Shown | HasHotkey | Size16, "CCampaign Editor", "editor", 3},
        {14, 380, 190, 599, 237, Shown | HasHotkey | Size16 | CancelButton, "XExit Program", "exit",
         4},
        {1, 440, 420, 599, 451, Shown | HasHotkey | DefaultButton | CenterText | AlignMiddle, "OOK",
         "", 5},
        {2, 270, 420, 429, 451, Shown | HasHotkey | CenterText | AlignMiddle, "IIntro", "exit", 6},
        {3, 270, 270, 429, 289, Shown, "\x04Original", "", 7},
        {3, 270, 292, 429, 311, Shown,
         "\x04"
         "Expansion",
         "", 8},
        {4, 270, 320, 429, 339, Shown | Size10, "Show intro movie", "", 9},
        {5, 220, 10, 419, 69, Visible | Translucent, "glue\\mainmenu\\title.pcx", "", 10},
        {6, 40, 300, 239, 319, Shown, "", "", 11},
        {7, 600, 0, 639, 19, 0, "", "", 12},
        {8, 40, 340, 239, 359, Shown | Size10, "Player name", "", 13},
        {9, 8, 416, 239, 455, Visible | Size10 | AlignBottom,
         "\x03Version\x01 1.0 <beta>\x0a\x02sample dialog", "", 14},
        {10, 160, 250, 479, 267, Visible | CenterText | AlignTop,
         "\x06"
         "Choose a game\x04 type",
         "", 15},
        {11, 440, 460, 631, 475, Visible | RightText | Size10 | AlignMiddle,
         "\x05"
         "Copyright \xa9 the editor's authors",
         "", 16},
        {12, 40, 370, 239, 409, Shown | Size10, "", "", 17},
        {13, 270, 350, 429, 369, Shown | Size10,
         "\x07"
         "Fastest",
         "", 18},
        {9, 8, 8, 199, 27, Visible | Size14 | AlignTop,
         "\x08"
         "Red <in game> \x0e"
         "blue",
         "", 19},
        {10, 160, 76, 479, 109, Visible | Size16x | CenterText | AlignMiddle, "Main Menu", "", 20},
    };
    // "exit" is reached from two objects (Exit Program and Intro); each chain ends in a loop-free
    // record; "editor" chains three records.
    const std::map<std::string, Overlay> overlays = {
        {"single", {"glue\\mainmenu\\single.smk", "singleon", 4, 48, 120}},
        {"singleon", {"glue\\mainmenu\\singleon.smk", "", 9, 48, 120}},
        {"multi", {"glue\\mainmenu\\multi.smk", "multion", 4, 48, 190}},
        {"multion", {"glue\\mainmenu\\multion.smk", "", 9, 48, 190}},
        {"editor", {"glue\\mainmenu\\editor.smk", "editoron", 4, 380, 120}},
        {"editoron", {"glue\\mainmenu\\editoron.smk", "editorfx", 9, 380, 120}},
        {"editorfx", {"glue\\mainmenu\\editorfx.smk", "", 3, 380, 120}},
        {"exit", {"glue\\mainmenu\\exit.smk", "", 1 | 4, 380, 190}},
    };
    return Build(dialog, controls, overlays);
}

// A small dialog away from the screen's corner, so its controls sit relative to it.
std::vector<uint8_t> Options() {
    const Control dialog{0, 120, 90, 519, 389, Visible, "Options"};
    const std::vector<Control> controls = {
        {10, 0, 10, 399, 29, Visible | Size16 | CenterText | AlignMiddle, "\x04Options", "", 1},
        {9, 20, 50, 179, 69, Visible, "Music volume", "", 2},
        {6, 190, 50, 379, 69, Shown, "", "", 3},
        {9, 20, 80, 179, 99, Visible, "Sound volume", "", 4},
        {6, 190, 80, 379, 99, Shown | Disabled, "", "", 5},
        {4, 20, 120, 379, 139, Shown, "Subtitles", "", 6},
        {13, 190, 160, 379, 179, Shown, "Normal speed", "", 7},
        {11, 20, 160, 179, 179, Visible, "Game speed:", "", 8},
        {12, 20, 200, 379, 239, Shown, "", "", 9},
        {2, 20, 255, 179, 284, Shown | HasHotkey | CenterText | AlignMiddle, "CCancel", "", 10},
        {1, 220, 255, 379, 284, Shown | HasHotkey | DefaultButton | CenterText | AlignMiddle, "OOK",
         "", 11},
    };
    return Build(dialog, controls, {});
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make_samples OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    for (const auto& [name, bytes] :
         {std::pair{"mainmenu.bin", MainMenu()}, std::pair{"options.bin", Options()}}) {
        if (!WriteFileAtomically(dir + "/" + name, bytes)) {
            std::fprintf(stderr, "Error: Could not save %s/%s.\n", dir.c_str(), name);
            return 1;
        }
    }
    return 0;
}
