// The formatting-codes card and the about window; each draws with its own copy of the text
// state, so the preview's colours stay.
#include <QTest>

#include "PreviewFixture.h"
#include "platform/Surface.h"
#include "platform/qt/SurfaceView.h"
#include "preview/ReferenceCards.h"
#include "reference/AboutWindow.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox::test {
namespace {

using ReferenceWindowsTest = PreviewTest;

constexpr int LineHeight = 13; // font10's line height

TEST_F(ReferenceWindowsTest, TheCardDrawsEachBlockInItsSetsColours) {
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    store.Values[{"Options", "PreviewFontClrs"}] = "0";
    store.Values[{"Options", "PreviewCustomClr"}] = Path("custom.pcx");
    Start();
    Trigger("viewFormattingCodes");
    FormattingCodesCard* card = form->CodesCard();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), "Font Colors");
    EXPECT_EQ(card->size(), QSize(448, 408));
    // One line of each block: headers carry no code, the lines after them their code's colour
    // in the block's set.
    const struct {
        int X, Y, Set, Code;
    } lines[] = {
        {5, 29, 0, 0},                    // "Global:"
        {5, 146 + 2 * LineHeight, 0, 3},  // title screen "<3> - Orange"
        {5, 263 + 6 * LineHeight, 1, 7},  // glue "<7> - Red"
        {224, 29 + 8 * LineHeight, 2, 8}, // in game "<8> - Red (Player 1)"
        {224, 354 + LineHeight, 3, 7},    // custom "<7> "
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(testing::Message() << line.X << "," << line.Y);
        const int width = line.Set == 3 ? 14 : line.X < 224 ? 210 : 448 - line.X;
        // The line above casts its shadow one pixel into this one.
        EXPECT_TRUE(Within(ColorsIn(card->Image(), line.X, line.Y + 1, width, LineHeight - 1),
                           RowColors(line.Set, line.Code)));
    }
    EXPECT_EQ(text.ColorTable, ColorSetTable(0));
    Trigger("viewFormattingCodes"); // open, it is only brought forward
    EXPECT_EQ(form->CodesCard(), card);
}

TEST_F(ReferenceWindowsTest, WithoutACustomTableTheCardSaysSo) {
    store.Values[{"Options", "PreviewFontClrs"}] = "2";
    Start();
    Trigger("viewFormattingCodes");
    // The line as the font draws it in the title-screen colours, and nothing below it.
    TextDrawingState state;
    LoadTextTables(state, Path("data"));
    LoadColorTable(state, 0, Path("data"), {});
    state.TextSizeSlot = 1;
    GameFont font;
    ASSERT_TRUE(LoadGameFont(Path("data/font10.fnt"), font));
    Surface expected;
    DrawGameText(expected, font, state, 224, 354, "No custom color table loaded.", 640);
    EXPECT_EQ(form->CodesCard()->Image().copy(224, 354, 224, 54),
              SurfaceImage(expected, Surface::Width, Surface::Height).copy(224, 354, 224, 54));
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
}

TEST_F(ReferenceWindowsTest, TheCloseBoxLightsUnderTheMouseAndGoesOutBesideIt) {
    store.Values[{"Options", "PreviewFontClrs"}] = "2";
    Start();
    AboutWindow about(text, form.get());
    about.show();
    auto* box = about.findChild<QWidget*>("closeBox");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), QRect(112, 144, 81, 25));
    EXPECT_EQ(about.size(), QSize(312, 176));
    // At rest the outline is dark red and "lose" in code 3's glue colour; lit, all is code 4's.
    auto looks = [&](uint32_t outline, bool code3) {
        QRgb c = about.CloseBoxImage().pixel(0, 12);
        EXPECT_EQ(uint32_t(qRed(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qBlue(c)) << 16, outline);
        const std::set<uint32_t> only3 = RowColors(1, 3), lit = RowColors(1, 4);
        bool shows3 = false;
        for (uint32_t v : ColorsIn(about.CloseBoxImage(), 30, 2, 50, 21))
            shows3 = shows3 || (only3.count(v) && !lit.count(v));
        EXPECT_EQ(shows3, code3);
    };
    looks(0x000078, true);
    QTest::mouseMove(box, QPoint(40, 12));
    looks(0x0010FC, false);
    QTest::mouseMove(&about, QPoint(20, 20));
    looks(0x000078, true);
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(ReferenceWindowsTest, OnlyTheCKeyClosesTheAboutWindowWhateverHasTheFocus) {
    Start();
    for (Qt::KeyboardModifier mods : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier})
        for (bool onBox : {false, true}) {
            SCOPED_TRACE(testing::Message() << int(mods) << " " << onBox);
            AboutWindow about(text, form.get());
            about.show();
            QWidget* target = onBox ? about.findChild<QWidget*>("closeBox") : &about;
            for (Qt::Key other : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_X, Qt::Key_Space})
                QTest::keyClick(target, other, mods);
            EXPECT_TRUE(about.isVisible());
            QTest::keyClick(target, Qt::Key_C, mods);
            EXPECT_FALSE(about.isVisible());
            EXPECT_EQ(about.result(), QDialog::Accepted);
        }
}

TEST_F(ReferenceWindowsTest, HelpAboutIsModal) {
    Start();
    bool wasModal = false;
    WhenModal([&](QWidget* about) {
        wasModal = about->objectName() == "AboutWindow";
        QTest::keyClick(about, Qt::Key_C);
    });
    Trigger("helpAbout");
    EXPECT_TRUE(wasModal);
}

} // namespace
} // namespace tarrox::test
