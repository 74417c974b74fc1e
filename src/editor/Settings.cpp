#include "editor/Settings.h"

#include <algorithm>
#include <optional>
#include <vector>

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

namespace {

std::vector<std::string> ArtFolderPairs(const std::string& list) {
    std::vector<std::string> pairs;
    for (size_t start = 0; start < list.size();) {
        size_t end = std::min(list.find(';', start), list.size());
        if (end > start) pairs.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return pairs;
}

} // namespace

std::optional<std::string> ChosenArtFolder(const Settings& settings, const std::string& dialog) {
    for (const std::string& pair : ArtFolderPairs(settings.ArtFolders))
        if (pair.starts_with(dialog + "=")) return pair.substr(dialog.size() + 1);
    return std::nullopt;
}

void ChooseArtFolder(Settings& settings, const std::string& dialog, const std::string& folder) {
    if (dialog.find_first_of("=;") != std::string::npos || folder.find(';') != std::string::npos)
        return;
    std::string kept;
    for (const std::string& pair : ArtFolderPairs(settings.ArtFolders))
        if (!pair.starts_with(dialog + "=")) kept += pair + ";";
    settings.ArtFolders = kept + dialog + "=" + folder;
}

Settings ReadSettings(SettingsStore& store) {
    Settings s;
    Reader r(store);
    r.Bool("AutoCalcSizes", s.AutoCalc);
    r.Int("Locale", s.MpqLocale, INT32_MIN, INT32_MAX);
    r.Bool("PreviewShowAll", s.ShowAll);
    r.Bool("PreviewFillRects", s.FillRects);
    r.Bool("PreviewShowHidden", s.ShowHidden);
    r.Bool("PreviewGameArt", s.GameArt);
    r.Int("PreviewArtRace", s.ArtRace, 0, 2);
    r.Text("PreviewArtFolders", s.ArtFolders);
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
    put("PreviewShowHidden", boolText(s.ShowHidden));
    put("PreviewGameArt", boolText(s.GameArt));
    put("PreviewArtRace", std::to_string(s.ArtRace));
    put("PreviewArtFolders", s.ArtFolders);
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
