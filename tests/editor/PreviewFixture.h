// The editor with the bundled game data beside it, for the windows that draw game text.
#pragma once

#include <QApplication>
#include <set>

#include "EditorFixture.h"
#include "editor/PreviewWindow.h"
#include "preview/ColorTables.h"

namespace tarrox::test {

class PreviewTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        std::filesystem::copy(std::filesystem::path(TARROX_SOURCE_DIR) / "data", dir / "data");
    }

    MainWindow& StartWithSample() {
        return Start(std::string(TARROX_SOURCE_DIR) + "/samples/mainmenu.bin");
    }

    // Windows closed by the user go at the next turn of the event loop; take that turn.
    static void SettleClosedWindows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A colour set's table as the loader reads it from the bundled data.
    std::array<uint32_t, ColorRows * ColorsPerRow> ColorSetTable(int set,
                                                                 const std::string& custom = {}) {
        TextDrawingState state;
        EXPECT_TRUE(LoadColorTable(state, static_cast<uint8_t>(set), Path("data"), custom));
        return state.ColorTable;
    }

    // The colours of one formatting code's row in a colour set; text without a code, and
    // code 1, use row 0.
    std::set<uint32_t> RowColors(int set, int code) {
        TextDrawingState state;
        LoadTextTables(state, Path("data"));
        LoadColorTable(state, static_cast<uint8_t>(set), Path("data"), Path("custom.pcx"));
        const int row = code <= 1 ? 0 : state.RowOfCode(static_cast<uint8_t>(code));
        std::set<uint32_t> colors;
        for (int v = 0; v < ColorsPerRow; ++v)
            colors.insert(state.ColorTable[row * ColorsPerRow + v]);
        return colors;
    }
};

// The colours (0x00BBGGRR) an image shows inside a rectangle, black left out.
inline std::set<uint32_t> ColorsIn(const QImage& image, int x, int y, int w, int h) {
    std::set<uint32_t> out;
    for (int j = y; j < y + h && j < image.height(); ++j)
        for (int i = x; i < x + w && i < image.width(); ++i) {
            QRgb c = image.pixel(i, j);
            uint32_t bgr = uint32_t(qRed(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qBlue(c)) << 16;
            if (bgr) out.insert(bgr);
        }
    return out;
}

inline bool Within(const std::set<uint32_t>& colors, const std::set<uint32_t>& allowed) {
    for (uint32_t c : colors)
        if (!allowed.count(c) && c != 0) return false;
    return !colors.empty();
}

} // namespace tarrox::test
