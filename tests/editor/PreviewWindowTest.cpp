// The preview window: its menus and check marks, when it is made and redrawn, its fonts.
#include <QMenu>

#include "PreviewFixture.h"

namespace tarrox::test {
namespace {

using PreviewWindowTest = PreviewTest;

// What a preview made now, from the same settings and document, would show.
std::vector<uint32_t> FreshPicture(const DialogDocument& doc, Settings& settings,
                                   TextDrawingState& text, Dialogs& dialogs) {
    Form2 fresh(doc, settings, text, dialogs);
    return fresh.Picture().Pixels();
}

TEST_F(PreviewWindowTest, EachMenuCommandSetsItsSettingChecksItsItemAndRedraws) {
    StartWithSample();
    List("List1")->setCurrentRow(2);
    Trigger("Menu2_0");
    Form2* preview = form->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), "Object Preview");

    auto checked = [&](const char* name) {
        return preview->findChild<QAction*>(name)->isChecked();
    };
    struct Step {
        const char* Item;
        std::function<bool(const Settings&)> Holds;
        std::vector<const char*> On, Off;
    };
    const std::vector<Step> steps = {
        {"Menu0_1", [](auto& s) { return !s.ShowAll; }, {"Menu0_1"}, {"Menu0_0"}},
        {"Menu0_0", [](auto& s) { return s.ShowAll; }, {"Menu0_0"}, {"Menu0_1"}},
        {"Menu1_0", [](auto& s) { return !s.FillRects; }, {}, {"Menu1_0"}},
        {"Menu1_0", [](auto& s) { return s.FillRects; }, {"Menu1_0"}, {}},
        {"Menu11_1",
         [](auto& s) {
             return s.HighlightColor == 0x0000FC && s.HighlightColorDark == 0 &&
                    s.NormalColor == 0x00006C && s.NormalColorDark == 0;
         },
         {"Menu11_1"},
         {"Menu11_0", "Menu11_2"}},
        {"Menu11_2",
         [](auto& s) { return s.NormalColorDark == 0x500800; },
         {"Menu11_2"},
         {"Menu11_0", "Menu11_1"}},
        {"Menu11_0",
         [](auto& s) { return s.HighlightColor == 0x6060F0; },
         {"Menu11_0"},
         {"Menu11_1", "Menu11_2"}},
        {"Menu12_2",
         [](auto& s) { return s.FontColorSet == 2; },
         {"Menu12_2"},
         {"Menu12_0", "Menu12_1", "Menu12_3"}},
        {"Menu12_0",
         [](auto& s) { return s.FontColorSet == 0; },
         {"Menu12_0"},
         {"Menu12_1", "Menu12_2", "Menu12_3"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.Item);
        // Moving an object behind the window's back shows whether the command redrew.
        doc->ObjectTable[1].Left += 3;
        auto before = preview->Picture().Pixels();
        preview->findChild<QAction*>(step.Item)->trigger();
        EXPECT_TRUE(step.Holds(settings));
        for (const char* on : step.On) EXPECT_TRUE(checked(on)) << on;
        for (const char* off : step.Off) EXPECT_FALSE(checked(off)) << off;
        EXPECT_NE(preview->Picture().Pixels(), before);
        EXPECT_EQ(preview->Picture().Pixels(), FreshPicture(*doc, settings, text, dialogs));
    }
    EXPECT_EQ(text.ColorTable, ColorSetTable(0));
}

TEST_F(PreviewWindowTest, TheSchemeItemIsCheckedByTheStoredHighlightColourAlone) {
    store.Values[{"Options", "PreviewClrHlight"}] = std::to_string(0x0000FC);
    StartWithSample();
    Trigger("Menu2_0");
    auto item = [&](int i) {
        return form->Preview()->findChild<QAction*>(QString("Menu11_%1").arg(i))->isChecked();
    };
    EXPECT_TRUE(item(1));
    EXPECT_FALSE(item(0));
    form->Preview()->close();
    SettleClosedWindows();

    // A colour from an edited store checks nothing and is drawn as it is.
    settings.HighlightColor = 0x0A0A0A;
    List("List1")->setCurrentRow(1);
    Trigger("Menu2_0");
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(item(i)) << i;
    const auto& pixels = form->Preview()->Picture().Pixels();
    EXPECT_NE(std::find(pixels.begin(), pixels.end(), 0x0A0A0Au), pixels.end());
}

TEST_F(PreviewWindowTest, SetCustomStoresThePathAndCustomLoadsIt) {
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    StartWithSample();
    Trigger("Menu2_0");
    Form2* preview = form->Preview();
    auto trigger = [&](const char* name) { preview->findChild<QAction*>(name)->trigger(); };
    ASSERT_EQ(settings.FontColorSet, 1);
    const auto glue = ColorSetTable(1);

    // Cancelled: nothing stored, nothing loaded.
    trigger("Menu12_5");
    EXPECT_EQ(dialogs.FileDialogsShown.back().Filter, "StarCraft Color Index Tables (*.pcx)|*.pcx");
    EXPECT_EQ(settings.CustomColorFile, "");

    dialogs.FileChoices = {FileChoice{Path("custom.pcx")}};
    auto before = preview->Picture().Pixels();
    trigger("Menu12_5");
    EXPECT_EQ(settings.CustomColorFile, Path("custom.pcx"));
    EXPECT_EQ(settings.FontColorSet, 1);
    EXPECT_TRUE(preview->findChild<QAction*>("Menu12_1")->isChecked());
    EXPECT_EQ(text.ColorTable, glue);
    EXPECT_EQ(preview->Picture().Pixels(), before);

    trigger("Menu12_3");
    EXPECT_EQ(settings.FontColorSet, 3);
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
    EXPECT_NE(preview->Picture().Pixels(), before);
    EXPECT_TRUE(dialogs.Messages.empty());

    // Custom without a table: said, and the colours stay.
    settings.CustomColorFile.clear();
    trigger("Menu12_3");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "No custom color table loaded.\r\nChoose one with Set Custom...");
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
}

TEST_F(PreviewWindowTest, ClosingClosesTheFontsAndReopeningLoadsThemAfresh) {
    StartWithSample();
    Trigger("Menu2_0");
    QPointer<Form2> first = form->Preview();
    EXPECT_FALSE(first->Fonts().Loaded[1].Bytes.empty());
    first->close();
    EXPECT_TRUE(first->Fonts().Loaded[1].Bytes.empty());
    EXPECT_EQ(form->Preview(), nullptr);
    SettleClosedWindows();
    EXPECT_TRUE(first.isNull());

    // The new window reads the font files again: one removed meanwhile stays empty.
    std::filesystem::remove(dir / "data" / "font10.fnt");
    Trigger("Menu2_0");
    Form2* second = form->Preview();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(second->Fonts().Loaded[1].Bytes.empty());
    EXPECT_FALSE(second->Fonts().Loaded[2].Bytes.empty());
    // Slot 3 draws with slot 2's font, not a copy of it.
    EXPECT_EQ(&second->Fonts().BySlot(3), &second->Fonts().BySlot(2));
}

TEST_F(PreviewWindowTest, AnEditMakesTheWindowHiddenAndShowingItShowsThatPicture) {
    StartWithSample();
    List("List1")->setCurrentRow(1);
    EXPECT_EQ(form->Preview(), nullptr);
    Box("obj0")->setText("40");
    Form2* preview = form->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isVisible());
    const auto drawn = preview->Picture().Pixels();
    EXPECT_EQ(drawn, FreshPicture(*doc, settings, text, dialogs));

    // Selecting redraws nothing while the window is hidden.
    List("List1")->setCurrentRow(2);
    EXPECT_EQ(preview->Picture().Pixels(), drawn);

    // Shown, it is the same window with the same picture; then selections redraw.
    Trigger("Menu2_0");
    EXPECT_EQ(form->Preview(), preview);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->Picture().Pixels(), drawn);
    List("List1")->setCurrentRow(3);
    EXPECT_EQ(preview->Picture().Pixels(), FreshPicture(*doc, settings, text, dialogs));
    EXPECT_NE(preview->Picture().Pixels(), drawn);

    // An open window is only brought forward, never reloaded.
    doc->ObjectTable[1].Left += 5;
    auto shown = preview->Picture().Pixels();
    Trigger("Menu2_0");
    EXPECT_EQ(preview->Picture().Pixels(), shown);
}

TEST_F(PreviewWindowTest, AddingOrDeletingAnObjectRedrawsAShownPreview) {
    StartWithSample();
    Trigger("Menu2_0");
    Form2* preview = form->Preview();
    ASSERT_NE(preview, nullptr);
    List("List1")->setCurrentRow(3);
    const auto before = preview->Picture().Pixels();
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("Menu5_1");
    ASSERT_EQ(doc->SelObj, -1);
    EXPECT_NE(preview->Picture().Pixels(), before);
    EXPECT_EQ(preview->Picture().Pixels(), FreshPicture(*doc, settings, text, dialogs));
    Trigger("Menu5_0");
    EXPECT_EQ(preview->Picture().Pixels(), FreshPicture(*doc, settings, text, dialogs));
}

} // namespace
} // namespace tarrox::test
