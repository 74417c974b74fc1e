// The formatting-codes card and the about window draw with their own copy of the text state,
// so the preview's colours stay.
#include <QTest>

#include "PreviewFixture.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox::test {
namespace {

using ReferenceWindowsTest = PreviewTest;

TEST_F(ReferenceWindowsTest, TheCardDrawsTheCustomTableOnlyWhenThereIsOne) {
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    QImage drawn[2];
    for (bool custom : {true, false}) {
        form.reset();
        store.Values = {{{"Options", "PreviewFontClrs"}, custom ? "0" : "2"},
                        {{"Options", "PreviewCustomClr"}, custom ? Path("custom.pcx") : ""}};
        Start();
        Trigger("viewFormattingCodes");
        drawn[custom] = form->CodesCard()->Image();
        EXPECT_EQ(text.ColorTable, ColorSetTable(custom ? 0 : 2));
        Trigger("viewFormattingCodes"); // open, it is only brought forward
        EXPECT_EQ(form->CodesCard()->Image(), drawn[custom]);
    }
    // The custom block (from y 354) differs; the blocks of the game's own sets do not.
    EXPECT_NE(drawn[0].copy(0, 354, 448, 54), drawn[1].copy(0, 354, 448, 54));
    EXPECT_EQ(drawn[0].copy(0, 0, 448, 354), drawn[1].copy(0, 0, 448, 354));
}

TEST_F(ReferenceWindowsTest, TheCKeyClosesTheModalAboutWindow) {
    Start();
    bool wasModal = false;
    WhenModal([&](QWidget* about) {
        wasModal = about->objectName() == "AboutWindow";
        QTest::keyClick(about, Qt::Key_C);
        if (!about->isVisible()) return;
        ADD_FAILURE() << "C did not close it";
        about->close();
    });
    Trigger("helpAbout");
    EXPECT_TRUE(wasModal);
}

} // namespace
} // namespace tarrox::test
