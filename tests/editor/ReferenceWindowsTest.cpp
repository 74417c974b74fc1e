// The formatting-codes card and the about window; each draws with its own copy of the text
// state, so the preview's colours stay.
#include <QTest>

#include "PreviewFixture.h"
#include "reference/AboutWindow.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox::test {
namespace {

using ReferenceWindowsTest = PreviewTest;

TEST_F(ReferenceWindowsTest, TheCardDrawsEachBlockInItsSetsColours) {
    constexpr int Line = 13; // font10's line height
    const struct {
        int X, Y, Width, Set, Code;
    } lines[] = {
        {5, 29, 210, 0, 0},              // "Global:"
        {5, 146 + 2 * Line, 210, 0, 3},  // title screen "<3> - Orange"
        {5, 263 + 6 * Line, 210, 1, 7},  // glue "<7> - Red"
        {224, 29 + 8 * Line, 224, 2, 8}, // in game "<8> - Red (Player 1)"
        {224, 354 + Line, 14, 3, 7},     // custom "<7> "
        {224, 354, 224, 0, 0},           // "No custom color table loaded." without one
    };
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    for (bool custom : {true, false}) {
        form.reset();
        store.Values = {{{"Options", "PreviewFontClrs"}, custom ? "0" : "2"},
                        {{"Options", "PreviewCustomClr"}, custom ? Path("custom.pcx") : ""}};
        Start();
        Trigger("viewFormattingCodes");
        FormattingCodesCard* card = form->CodesCard();
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->windowTitle(), "Font Colors");
        EXPECT_EQ(card->size(), QSize(448, 408));
        for (const auto& l : lines) {
            SCOPED_TRACE(testing::Message() << l.X << "," << l.Y);
            if (l.Y >= 354 && (l.Set == 3) != custom) continue; // the other case's line
            // The line above casts its shadow one pixel into this one.
            EXPECT_TRUE(ShowsOnly(card->Image(), {l.X, l.Y + 1, l.Width, Line - 1},
                                  RowColors(l.Set, l.Code)));
        }
        EXPECT_EQ(text.ColorTable, ColorSetTable(custom ? 0 : 2));
        Trigger("viewFormattingCodes"); // open, it is only brought forward
        EXPECT_EQ(form->CodesCard(), card);
    }
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
    auto looks = [&](uint32_t outline, bool lit) {
        EXPECT_EQ(about.CloseBoxForeColor(), outline);
        EXPECT_TRUE(ShowsOnly(about.CloseBoxImage(), {0, 12, 1, 1}, {outline}));
        EXPECT_EQ(ShowsOnly(about.CloseBoxImage(), {30, 2, 50, 21}, RowColors(1, 4)), lit);
    };
    looks(0x000078, false);
    QTest::mouseMove(box, QPoint(40, 12));
    looks(0x0010FC, true);
    QTest::mouseMove(&about, QPoint(20, 20));
    looks(0x000078, false);
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(ReferenceWindowsTest, OnlyTheCKeyClosesTheModalAboutWindowWhateverHasTheFocus) {
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
