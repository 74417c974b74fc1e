// The preview window: its menus and check marks, when it is made and redrawn, its fonts.
#include <QMenu>

#include "PreviewFixture.h"

namespace tarrox::test {
namespace {

using PreviewWindowTest = PreviewTest;

// What a preview made now, from the same settings and document, would show.
std::vector<uint32_t> FreshPicture(const DialogDocument& doc, const Selection& selection,
                                   Settings& settings, TextDrawingState& text, Dialogs& dialogs) {
    PreviewWindow fresh(doc, selection, settings, text, dialogs);
    return fresh.Picture().Pixels();
}

TEST_F(PreviewWindowTest, EachMenuCommandSetsItsSettingChecksItsItemAndRedraws) {
    StartWithSample();
    List("objectList")->setCurrentRow(2);
    Trigger("viewPreview");
    PreviewWindow* preview = form->Preview();
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
        {"viewCurrent", [](auto& s) { return !s.ShowAll; }, {"viewCurrent"}, {"viewAll"}},
        {"viewAll", [](auto& s) { return s.ShowAll; }, {"viewAll"}, {"viewCurrent"}},
        {"fillRectangles", [](auto& s) { return !s.FillRects; }, {}, {"fillRectangles"}},
        {"fillRectangles", [](auto& s) { return s.FillRects; }, {"fillRectangles"}, {}},
        {"colorScheme1",
         [](auto& s) {
             return s.HighlightColor == 0x0000FC && s.HighlightColorDark == 0 &&
                    s.NormalColor == 0x00006C && s.NormalColorDark == 0;
         },
         {"colorScheme1"},
         {"colorScheme0", "colorScheme2"}},
        {"colorScheme2",
         [](auto& s) { return s.NormalColorDark == 0x500800; },
         {"colorScheme2"},
         {"colorScheme0", "colorScheme1"}},
        {"colorScheme0",
         [](auto& s) { return s.HighlightColor == 0x6060F0; },
         {"colorScheme0"},
         {"colorScheme1", "colorScheme2"}},
        {"fontColorSet2",
         [](auto& s) { return s.FontColorSet == 2; },
         {"fontColorSet2"},
         {"fontColorSet0", "fontColorSet1", "fontColorSet3"}},
        {"fontColorSet0",
         [](auto& s) { return s.FontColorSet == 0; },
         {"fontColorSet0"},
         {"fontColorSet1", "fontColorSet2", "fontColorSet3"}},
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
        EXPECT_EQ(preview->Picture().Pixels(),
                  FreshPicture(*doc, form->Selected(), settings, text, dialogs));
    }
    EXPECT_EQ(text.ColorTable, ColorSetTable(0));
}

TEST_F(PreviewWindowTest, TheSchemeItemIsCheckedByTheStoredHighlightColourAlone) {
    store.Values[{"Options", "PreviewClrHlight"}] = std::to_string(0x0000FC);
    StartWithSample();
    Trigger("viewPreview");
    auto item = [&](int i) {
        return form->Preview()->findChild<QAction*>(QString("colorScheme%1").arg(i))->isChecked();
    };
    EXPECT_TRUE(item(1));
    EXPECT_FALSE(item(0));
    form->Preview()->close();
    SettleClosedWindows();

    // A colour from an edited store checks nothing and is drawn as it is.
    settings.HighlightColor = 0x0A0A0A;
    List("objectList")->setCurrentRow(1);
    Trigger("viewPreview");
    for (int i = 0; i < int(ColorSchemeItem::Count); ++i) EXPECT_FALSE(item(i)) << i;
    const auto& pixels = form->Preview()->Picture().Pixels();
    EXPECT_NE(std::find(pixels.begin(), pixels.end(), 0x0A0A0Au), pixels.end());
}

TEST_F(PreviewWindowTest, SetCustomStoresThePathAndCustomLoadsIt) {
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    StartWithSample();
    Trigger("viewPreview");
    PreviewWindow* preview = form->Preview();
    auto trigger = [&](const char* name) { preview->findChild<QAction*>(name)->trigger(); };
    ASSERT_EQ(settings.FontColorSet, 1);
    const auto glue = ColorSetTable(1);

    // Cancelled: nothing stored, nothing loaded.
    trigger("setCustomColors");
    EXPECT_EQ(dialogs.FileDialogsShown.back().Filter, "StarCraft Color Index Tables (*.pcx)|*.pcx");
    EXPECT_EQ(settings.CustomColorFile, "");

    dialogs.FileChoices = {FileChoice{Path("custom.pcx")}};
    auto before = preview->Picture().Pixels();
    trigger("setCustomColors");
    EXPECT_EQ(settings.CustomColorFile, Path("custom.pcx"));
    EXPECT_EQ(settings.FontColorSet, 1);
    EXPECT_TRUE(preview->findChild<QAction*>("fontColorSet1")->isChecked());
    EXPECT_EQ(text.ColorTable, glue);
    EXPECT_EQ(preview->Picture().Pixels(), before);

    trigger("fontColorSet3");
    EXPECT_EQ(settings.FontColorSet, 3);
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
    EXPECT_NE(preview->Picture().Pixels(), before);
    EXPECT_TRUE(dialogs.Messages.empty());

    // Custom without a table: said, and the colours stay.
    settings.CustomColorFile.clear();
    trigger("fontColorSet3");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "No custom color table loaded.\r\nChoose one with Set Custom...");
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
}

TEST_F(PreviewWindowTest, ClosingClosesTheFontsAndReopeningLoadsThemAfresh) {
    StartWithSample();
    Trigger("viewPreview");
    QPointer<PreviewWindow> first = form->Preview();
    EXPECT_FALSE(first->Fonts().Loaded[1].Bytes.empty());
    first->close();
    EXPECT_TRUE(first->Fonts().Loaded[1].Bytes.empty());
    EXPECT_EQ(form->Preview(), nullptr);
    SettleClosedWindows();
    EXPECT_TRUE(first.isNull());

    // The new window reads the font files again: one removed meanwhile stays empty.
    std::filesystem::remove(dir / "data" / "font10.fnt");
    Trigger("viewPreview");
    PreviewWindow* second = form->Preview();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(second->Fonts().Loaded[1].Bytes.empty());
    EXPECT_FALSE(second->Fonts().Loaded[2].Bytes.empty());
    // Slot 3 draws with slot 2's font, not a copy of it.
    EXPECT_EQ(&second->Fonts().BySlot(3), &second->Fonts().BySlot(2));
}

TEST_F(PreviewWindowTest, AnEditMakesTheWindowHiddenAndShowingItShowsThatPicture) {
    StartWithSample();
    List("objectList")->setCurrentRow(1);
    EXPECT_EQ(form->Preview(), nullptr);
    Box("objectLeft")->setText("40");
    PreviewWindow* preview = form->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isVisible());
    const auto drawn = preview->Picture().Pixels();
    EXPECT_EQ(drawn, FreshPicture(*doc, form->Selected(), settings, text, dialogs));

    // Selecting redraws nothing while the window is hidden.
    List("objectList")->setCurrentRow(2);
    EXPECT_EQ(preview->Picture().Pixels(), drawn);

    // Shown, it is the same window with the same picture; then selections redraw.
    Trigger("viewPreview");
    EXPECT_EQ(form->Preview(), preview);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->Picture().Pixels(), drawn);
    List("objectList")->setCurrentRow(3);
    EXPECT_EQ(preview->Picture().Pixels(),
              FreshPicture(*doc, form->Selected(), settings, text, dialogs));
    EXPECT_NE(preview->Picture().Pixels(), drawn);

    // An open window is only brought forward, never reloaded.
    doc->ObjectTable[1].Left += 5;
    auto shown = preview->Picture().Pixels();
    Trigger("viewPreview");
    EXPECT_EQ(preview->Picture().Pixels(), shown);
}

TEST_F(PreviewWindowTest, AddingOrDeletingAnObjectRedrawsAShownPreview) {
    StartWithSample();
    Trigger("viewPreview");
    PreviewWindow* preview = form->Preview();
    ASSERT_NE(preview, nullptr);
    List("objectList")->setCurrentRow(3);
    const auto before = preview->Picture().Pixels();
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    ASSERT_EQ(form->Selected().Object, -1);
    EXPECT_NE(preview->Picture().Pixels(), before);
    EXPECT_EQ(preview->Picture().Pixels(),
              FreshPicture(*doc, form->Selected(), settings, text, dialogs));
    Trigger("addObject");
    EXPECT_EQ(preview->Picture().Pixels(),
              FreshPicture(*doc, form->Selected(), settings, text, dialogs));
}

} // namespace
} // namespace tarrox::test
