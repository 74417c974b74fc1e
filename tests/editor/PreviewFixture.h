// The editor with the bundled game data beside it, for the windows that draw game text.
#pragma once

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
    std::array<uint32_t, ColorRows * ColorsPerRow> ColorSetTable(int set) {
        TextDrawingState state;
        EXPECT_TRUE(LoadColorTable(state, static_cast<uint8_t>(set), Path("data"), {}));
        return state.ColorTable;
    }
    // The colours of one formatting code's row in a colour set (3 from custom.pcx); text
    // without a code, and code 1, use row 0.
    std::set<uint32_t> RowColors(int set, int code) {
        TextDrawingState state;
        LoadTextTables(state, Path("data"));
        LoadColorTable(state, static_cast<uint8_t>(set), Path("data"), Path("custom.pcx"));
        const int row = code <= 1 ? 0 : state.RowOfCode(static_cast<uint8_t>(code));
        return {state.ColorTable.begin() + row * ColorsPerRow,
                state.ColorTable.begin() + (row + 1) * ColorsPerRow};
    }
    // Whether an image shows colours (0x00BBGGRR) inside a rectangle, black left out, and
    // only ones of `allowed`.
    static bool ShowsOnly(const QImage& image, QRect area, const std::set<uint32_t>& allowed) {
        bool any = false;
        for (int j = area.top(); j <= area.bottom() && j < image.height(); ++j)
            for (int i = area.left(); i <= area.right() && i < image.width(); ++i) {
                QRgb c = image.pixel(i, j);
                uint32_t bgr =
                    uint32_t(qRed(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qBlue(c)) << 16;
                if (bgr && !allowed.count(bgr)) return false;
                any = any || bgr;
            }
        return any;
    }
};

} // namespace tarrox::test
