#include "editor/Settings.h"

#include <optional>

#include "document/NumberText.h"
#include "platform/Gdi.h"
#include "platform/SettingsStore.h"

namespace tarrox {

namespace {

class Reader {
  public:
    explicit Reader(SettingsStore& store) : store_(store) {}

    void Bool(const char* key, bool& value) {
        auto text = store_.Read(SettingsSection, key);
        if (!text) return;
        std::string t = LowerCase(*text);
        if (t == "true")
            value = true;
        else if (t == "false")
            value = false;
        else if (auto n = ParseRoundedDecimal(t, INT32_MIN, INT32_MAX))
            value = *n != 0;
    }

    void Int(const char* key, int32_t& value, int32_t min, int32_t max) {
        auto text = store_.Read(SettingsSection, key);
        if (!text) return;
        if (auto n = ParseRoundedDecimal(*text, min, max)) value = *n;
    }

    void Colour(const char* key, int32_t& value) { Int(key, value, 0, 0xFFFFFF); }

    void Text(const char* key, std::string& value) {
        if (auto text = store_.Read(SettingsSection, key)) value = *text;
    }

  private:
    SettingsStore& store_;
};

} // namespace

Settings ReadSettings(SettingsStore& store) {
    Settings s;
    Reader r(store);
    r.Bool("AutoCalcSizes", s.AutoCalc);
    r.Int("Locale", s.MpqLocale, INT32_MIN, INT32_MAX);
    r.Bool("PreviewShowAll", s.ShowAll);
    r.Bool("PreviewFillRects", s.FillRects);
    r.Colour("PreviewClrHlight", s.HighlightColor);
    r.Colour("PreviewClrHlightDk", s.HighlightColorDark);
    r.Colour("PreviewClrNormal", s.NormalColor);
    r.Colour("PreviewClrNormalDk", s.NormalColorDark);
    r.Int("PreviewFontClrs", s.FontColorSet, 0, 3);
    r.Text("PreviewCustomClr", s.CustomColorFile);
    r.Bool("PreviewShowGrid", s.ShowGrid);
    r.Bool("PreviewSnapToGrid", s.SnapToGrid);
    r.Int("PreviewGridSize", s.GridSize, 1, 32);
    return s;
}

void WriteSettings(SettingsStore& store, const Settings& s) {
    auto put = [&](const char* key, const std::string& value) {
        store.Write(SettingsSection, key, value);
    };
    auto boolText = [](bool b) { return std::string(b ? "True" : "False"); };
    put("AutoCalcSizes", boolText(s.AutoCalc));
    put("Locale", std::to_string(s.MpqLocale));
    put("PreviewShowAll", boolText(s.ShowAll));
    put("PreviewFillRects", boolText(s.FillRects));
    put("PreviewClrHlight", std::to_string(s.HighlightColor));
    put("PreviewClrHlightDk", std::to_string(s.HighlightColorDark));
    put("PreviewClrNormal", std::to_string(s.NormalColor));
    put("PreviewClrNormalDk", std::to_string(s.NormalColorDark));
    put("PreviewFontClrs", std::to_string(s.FontColorSet));
    put("PreviewCustomClr", s.CustomColorFile);
    put("PreviewShowGrid", boolText(s.ShowGrid));
    put("PreviewSnapToGrid", boolText(s.SnapToGrid));
    put("PreviewGridSize", std::to_string(s.GridSize));
}

} // namespace tarrox
