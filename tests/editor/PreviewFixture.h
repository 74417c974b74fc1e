// The editor with the bundled game data beside it, for the windows that draw game text.
#pragma once

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
};

} // namespace tarrox::test
