#include "preview/ReferenceCards.h"

#include <initializer_list>

#include "platform/Surface.h"
#include "preview/ColorTables.h"

namespace tarrox {

namespace {

// The texts are never wider than the card; the width only matters to codes 18 and 19.
constexpr int AreaWidth = 640;

struct CodedLine {
    char Code; // 0: the line carries no code and keeps the row before it
    const char* Label;
};

// One block: each line behind its own code byte, lines joined by newlines.
std::string Block(std::initializer_list<CodedLine> lines) {
    std::string out;
    for (const CodedLine& line : lines) {
        if (!out.empty()) out += '\n';
        if (line.Code) out += line.Code;
        out += line.Label;
    }
    return out;
}

// Several labels on one line, each in its own code's colour.
std::string CodedRun(std::initializer_list<int> codes) {
    std::string out;
    for (int code : codes) {
        if (!out.empty()) out += ' ';
        out += static_cast<char>(code);
        out += '<' + std::to_string(code) + '>';
    }
    return out;
}

} // namespace

void DrawCodesCard(Surface& surface, const GameFont& font, TextDrawingState text,
                   const DataFolders& data, const std::string& customFile, bool customExists) {
    auto draw = [&](int x, int y, const std::string& block) {
        DrawGameText(surface, font, text, x, y, block, AreaWidth);
    };
    text.TextSizeSlot = 1;
    LoadColorTable(text, TitleScreen, data, customFile);
    draw(5, 3, "Anything not listed is not referenced by the files and will just show as\nblack.");
    draw(5, 29,
         Block({{0, "Global:"},
                {0, "<1> - Use Object Default"},
                {0, "<9> - Tab (will not show in preview)"},
                {0, "<10> - Newline"},
                {0, "<11> - Invisible"},
                {0, "<18> - Right"},
                {0, "<19> - Center"},
                {0, "<20> - Invisible"}}));
    draw(5, 146,
         Block({{0, "Title Screen:"},
                {2, "<2> - Light Blue"},
                {3, "<3> - Orange"},
                {4, "<4> - White"},
                {5, "<5> - Grey"},
                {6, "<6> - Green"},
                {13, "<13> - Light Blue"},
                {26, "<26> - Light Blue"}}));
    LoadColorTable(text, Glue, data, customFile);
    draw(5, 263,
         Block({{0, "Glue (Menus/Lobby/Briefing):"},
                {2, "<2> - Light Blue"},
                {3, "<3> - Green"},
                {4, "<4> - Light Green"},
                {5, "<5> - Grey"},
                {6, "<6> - White"},
                {7, "<7> - Red"},
                {13, "<13> - Light Blue"},
                {26, "<26> - Light Blue"}}));
    LoadColorTable(text, InGame, data, customFile);
    draw(224, 29,
         Block({{0, "In-Game:"},
                {2, "<2> - Light Blue"},
                {3, "<3> - Yellow"},
                {4, "<4> - White"},
                {5, "<5> - Grey"},
                {6, "<6> - Red"},
                {7, "<7> - Green"},
                {13, "<13> - Light Blue"},
                {8, "<8> - Red (Player 1)"},
                {14, "<14> - Blue (Player 2)"},
                {15, "<15> - Teal (Player 3)"},
                {16, "<16> - Purple (Player 4)"},
                {17, "<17> - Orange (Player 5)"},
                {21, "<21> - Brown (Player 6)"},
                {22, "<22> - White (Player 7)"},
                {23, "<23> - Yellow (Player 8)"},
                {24, "<24> - Green (Player 9)"},
                {25, "<25> - Gold (Player 10)"},
                {27, "<27> - Tan (Player 11)"},
                {26, "<26> - Light Blue/Azure (Player 12)"},
                {28, "<28> - Azure"},
                {29, "<29> - Faded Olive"},
                {30, "<30> - Pale Blue"},
                {31, "<31> - Cyan"}}));
    if (customExists) {
        LoadColorTable(text, Custom, data, customFile);
        // Four lines of at most six codes: wider rows run past the card's right edge.
        draw(224, 354,
             "Custom: " + CodedRun({2, 3, 4, 5, 6}) + " \n" + CodedRun({7, 8, 13, 14, 15, 16}) +
                 " \n" + CodedRun({17, 21, 22, 23, 24, 25}) + " \n" +
                 CodedRun({26, 27, 28, 29, 30, 31}));
    } else {
        LoadColorTable(text, TitleScreen, data, customFile);
        draw(224, 354, "No custom color table loaded.");
    }
}

void LoadAboutFonts(AboutFonts& fonts, const DataFolders& data) {
    LoadGameFont(data.File("font32.fnt"), fonts.Title);
    LoadGameFont(data.File("font16.fnt"), fonts.Middle);
    LoadGameFont(data.File("font10.fnt"), fonts.Small);
}

void CloseAboutFonts(AboutFonts& fonts) {
    CloseGameFont(fonts.Title);
    CloseGameFont(fonts.Middle);
    CloseGameFont(fonts.Small);
}

void DrawAboutText(Surface& surface, const AboutFonts& fonts, TextDrawingState text,
                   const DataFolders& data, const std::string& version) {
    text.TextSizeSlot = 3;
    LoadColorTable(text, InGame, data, {});
    DrawGameText(surface, fonts.Title, text, 100, 3, "\x1FTarroxII", AreaWidth);
    DrawGameText(surface, fonts.Middle, text, 135, 35, "\x07" + version, AreaWidth);
    text.TextSizeSlot = 1;
    auto small = [&](int x, int y, const char* block) {
        DrawGameText(surface, fonts.Small, text, x, y, block, AreaWidth);
    };
    small(10, 60, "Thanks To...");
    small(10, 78, "Tarrox II team:\n the editor,\n the preview,\n the game data");
    small(107, 78, "Testers:\n The team,\n Users,\n You");
    // The bundled game fonts are drawn from this free face.
    small(177, 78, "DejaVu Fonts:\n Faces of our fonts");
}

void DrawCloseBox(Surface& box, const GameFont& middle, TextDrawingState text,
                  const DataFolders& data, bool lit) {
    LoadColorTable(text, Glue, data, {});
    box.SetPen(lit ? CloseBoxLitColor : CloseBoxRestColor);
    box.SetHollowBrush();
    box.RoundRect(0, 0, CloseBoxWidth, CloseBoxHeight, 5, 5);
    DrawGameText(box, middle, text, 23, 3,
                 lit ? "\x04"
                       "Close"
                     : "\x04"
                       "C\x03lose",
                 AreaWidth);
}

} // namespace tarrox
