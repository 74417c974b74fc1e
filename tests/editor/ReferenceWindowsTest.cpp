// The formatting-codes card, the about window and the Help menu.
#include <QTest>
#include <QTimer>

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

struct CardLine {
    int X, Y, Set, Code;
};

TEST_F(ReferenceWindowsTest, TheCardDrawsEachBlockInItsSetsColoursAndPutsThePreviewSetBack) {
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    store.Values[{"Options", "PreviewFontClrs"}] = "0";
    store.Values[{"Options", "PreviewCustomClr"}] = Path("custom.pcx");
    Start();
    const auto slotBefore = text.TextSizeSlot; // the card draws with its own copy
    Trigger("viewFormattingCodes");
    FormattingCodesCard* card = form->CodesCard();
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->windowTitle(), "Font Colors");
    EXPECT_EQ(card->size(), QSize(448, 408));
    const QImage& image = card->Image();

    // One line of each block, from its start to the middle of the card or its edge: the
    // header lines carry no code, the next ones their code's colour in the block's set.
    const std::vector<CardLine> lines = {
        {5, 3, 0, 0},                       // note
        {5, 29, 0, 0},                      // "Global:"
        {5, 29 + 2 * LineHeight, 0, 0},     // "<9> - Tab ..." names a code but is not coloured
        {5, 146 + 2 * LineHeight, 0, 3},    // title screen "<3> - Orange"
        {5, 263 + 2 * LineHeight, 1, 3},    // glue "<3> - Green"
        {5, 263 + 6 * LineHeight, 1, 7},    // glue "<7> - Red"
        {224, 29 + 8 * LineHeight, 2, 8},   // in game "<8> - Red (Player 1)"
        {224, 29 + 23 * LineHeight, 2, 31}, // in game "<31> - Cyan"
    };
    for (const CardLine& line : lines) {
        SCOPED_TRACE(testing::Message() << line.X << "," << line.Y);
        int width = line.X < 224 ? 210 : 448 - line.X;
        // The line above casts its shadow one pixel into this one.
        EXPECT_TRUE(Within(ColorsIn(image, line.X, line.Y + 1, width, LineHeight - 1),
                           RowColors(line.Set, line.Code)));
        // Nothing of the block lies left of its x.
        EXPECT_TRUE(ColorsIn(image, line.X - 4, line.Y, 3, LineHeight).empty());
    }
    // "Custom: " carries no code; each label after it is in its own code's colour, and a line
    // starts with "<7> ".
    EXPECT_TRUE(Within(ColorsIn(image, 224, 355, 40, LineHeight - 1), RowColors(3, 0)));
    EXPECT_TRUE(Within(ColorsIn(image, 224, 354 + LineHeight, 14, LineHeight), RowColors(3, 7)));
    EXPECT_EQ(text.ColorTable, ColorSetTable(0));
    EXPECT_EQ(text.TextSizeSlot, slotBefore);

    // Open, it is only brought forward.
    Trigger("viewFormattingCodes");
    EXPECT_EQ(form->CodesCard(), card);
}

TEST_F(ReferenceWindowsTest, WithoutACustomTableTheCardSaysSo) {
    store.Values[{"Options", "PreviewFontClrs"}] = "2";
    Start();
    Trigger("viewFormattingCodes");
    const QImage& image = form->CodesCard()->Image();

    // The line as the font draws it in the title-screen colours, and nothing below it.
    TextDrawingState state;
    LoadTextTables(state, Path("data"));
    LoadColorTable(state, 0, Path("data"), {});
    state.TextSizeSlot = 1;
    GameFont font;
    ASSERT_TRUE(LoadGameFont(Path("data/font10.fnt"), font));
    Surface expected;
    DrawGameText(expected, font, state, 224, 354, "No custom color table loaded.", 640);
    EXPECT_EQ(image.copy(224, 354, 224, 54),
              SurfaceImage(expected, Surface::Width, Surface::Height).copy(224, 354, 224, 54));
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
}

TEST_F(ReferenceWindowsTest, TheCloseBoxLightsUnderTheMouseAndGoesOutBesideIt) {
    store.Values[{"Options", "PreviewFontClrs"}] = "2";
    Start();
    AboutWindow about(text, form.get());
    const auto slotBefore = text.TextSizeSlot; // the window draws with its own copy
    about.show();
    auto* box = about.findChild<QWidget*>("closeBox");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->geometry(), QRect(112, 144, 81, 25));
    EXPECT_EQ(about.size(), QSize(312, 176));

    auto outline = [&] {
        QRgb c = about.CloseBoxImage().pixel(0, 12);
        return uint32_t(qRed(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qBlue(c)) << 16;
    };
    // At rest "lose" is in code 3's glue colour; lit, the whole word is in code 4's.
    auto showsCode3 = [&] {
        std::set<uint32_t> code3 = RowColors(1, 3);
        for (uint32_t c : ColorsIn(about.CloseBoxImage(), 30, 2, 50, 21))
            if (code3.count(c) && !RowColors(1, 4).count(c)) return true;
        return false;
    };
    EXPECT_EQ(about.CloseBoxForeColor(), 0x000078u);
    EXPECT_EQ(outline(), 0x000078u);
    EXPECT_TRUE(showsCode3());

    QTest::mouseMove(box, QPoint(40, 12));
    EXPECT_EQ(about.CloseBoxForeColor(), 0x0010FCu);
    EXPECT_EQ(outline(), 0x0010FCu);
    EXPECT_FALSE(showsCode3());
    const QImage lit = about.CloseBoxImage();
    QTest::mouseMove(box, QPoint(50, 14));
    EXPECT_EQ(about.CloseBoxImage(), lit);

    QTest::mouseMove(&about, QPoint(20, 20));
    EXPECT_EQ(outline(), 0x000078u);
    EXPECT_TRUE(showsCode3());
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
    EXPECT_EQ(text.TextSizeSlot, slotBefore);

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(ReferenceWindowsTest, OnlyTheCKeyClosesTheAboutWindowWhateverHasTheFocus) {
    Start();
    for (Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
          Qt::KeyboardModifiers(Qt::ControlModifier), Qt::KeyboardModifiers(Qt::AltModifier)}) {
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
}

TEST_F(ReferenceWindowsTest, HelpAboutIsModalAndPutsThePreviewSetBack) {
    store.Values[{"Options", "PreviewFontClrs"}] = "0";
    Start();
    bool wasModal = false;
    WhenModal([&](QWidget* about) {
        wasModal = about->objectName() == "AboutWindow";
        QTest::keyClick(about, Qt::Key_C);
    });
    Trigger("helpAbout");
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(text.ColorTable, ColorSetTable(0));
}

// Loading the chosen set again would fail for a custom table that has gone, and leave the
// preview in the card's or the about window's colours.
TEST_F(ReferenceWindowsTest, ThePreviewKeepsItsColoursWhenItsCustomTableIsMissing) {
    store.Values[{"Options", "PreviewFontClrs"}] = "2";
    store.Values[{"Options", "PreviewCustomClr"}] = Path("gone.pcx");
    StartWithSample();
    Trigger("viewPreview");
    form->Preview()->findChild<QAction*>("fontColorSet3")->trigger();
    ASSERT_EQ(settings.FontColorSet, 3);
    // The check mark stays on Custom, but the user learns the colours are not its own.
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "Error: Could not load the color table " + Path("gone.pcx") + ".");
    const auto inGame = ColorSetTable(2);
    ASSERT_EQ(text.ColorTable, inGame);

    Trigger("viewFormattingCodes");
    EXPECT_EQ(text.ColorTable, inGame);
    {
        AboutWindow about(text, form.get());
        about.show();
        QTest::mouseMove(about.findChild<QWidget*>("closeBox"), QPoint(40, 12));
        EXPECT_EQ(text.ColorTable, inGame);
    }
    EXPECT_EQ(text.ColorTable, inGame);
}

TEST_F(ReferenceWindowsTest, ViewReadmeOpensTheReadmeOrSaysItIsMissing) {
    Start();
    Trigger("helpViewReadme");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Readme could not be found.");
    EXPECT_EQ(dialogs.Messages[0].Title, "Help");
    EXPECT_EQ(dialogs.Messages[0].Icon, MessageIcon::Critical);
    EXPECT_TRUE(dialogs.Opened.empty());

    ASSERT_TRUE(WriteFileAtomically(Path("TarroxII.htm"), std::vector<uint8_t>{'<', '/', '>'}));
    Trigger("helpViewReadme");
    EXPECT_EQ(dialogs.Opened, std::vector<std::string>{Path("TarroxII.htm")});
    EXPECT_EQ(dialogs.Messages.size(), 1u);
}

} // namespace
} // namespace tarrox::test
