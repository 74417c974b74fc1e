// The preview window: its menus and check marks, when it is made and redrawn, its fonts.
#include "PreviewFixture.h"

namespace tarrox::test {
namespace {

class PreviewWindowTest : public PreviewTest {
  protected:
    PreviewWindow& Open() {
        Trigger("viewPreview");
        return *form->Preview();
    }
    bool Checked(const QString& item) {
        return form->Preview()->findChild<QAction*>(item)->isChecked();
    }
    void Choose(const QString& item) { form->Preview()->findChild<QAction*>(item)->trigger(); }
    // What a preview made now, from the same settings and document, would show.
    std::vector<uint32_t> Fresh() {
        return PreviewWindow(*doc, form->Selected(), settings, text, dialogs).Picture().Pixels();
    }
};

TEST_F(PreviewWindowTest, EachMenuCommandSetsItsSettingChecksItsItemAloneAndRedraws) {
    store.Values[{"Options", "PreviewClrHlight"}] = std::to_string(0x0000FC);
    StartWithSample();
    List("objectList")->setCurrentRow(2);
    PreviewWindow& preview = Open();
    EXPECT_TRUE(Checked("colorScheme1")); // by the stored highlight colour alone
    const struct {
        const char* Item;
        std::function<bool(const Settings&)> Holds;
        const char *On, *Off;
    } steps[] = {
        {"viewCurrent", [](auto& s) { return !s.ShowAll; }, "viewCurrent", "viewAll"},
        {"viewAll", [](auto& s) { return s.ShowAll; }, "viewAll", "viewCurrent"},
        {"fillRectangles", [](auto& s) { return !s.FillRects; }, "viewAll", "fillRectangles"},
        {"colorScheme2", [](auto& s) { return s.NormalColorDark == 0x500800; }, "colorScheme2",
         "colorScheme1"},
        {"colorScheme0", [](auto& s) { return s.HighlightColor == 0x6060F0; }, "colorScheme0",
         "colorScheme2"},
        {"fontColorSet2", [](auto& s) { return s.FontColorSet == 2; }, "fontColorSet2",
         "fontColorSet1"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Item);
        doc->ObjectTable[1].Left += 3; // moved behind the window's back: shows a redraw
        const auto before = preview.Picture().Pixels();
        Choose(step.Item);
        EXPECT_TRUE(step.Holds(settings));
        EXPECT_TRUE(Checked(step.On) && !Checked(step.Off));
        EXPECT_NE(preview.Picture().Pixels(), before);
        EXPECT_EQ(preview.Picture().Pixels(), Fresh());
    }
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
}

TEST_F(PreviewWindowTest, SetCustomStoresThePathAndAMissingTableIsSaid) {
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    StartWithSample();
    Open();
    Choose("fontColorSet3"); // no table yet
    settings.CustomColorFile = Path("gone.pcx");
    Choose("fontColorSet3");
    EXPECT_TRUE(Checked("fontColorSet3"));
    EXPECT_EQ(text.ColorTable, ColorSetTable(1)); // the colours stay
    dialogs.FileChoices = {std::nullopt, FileChoice{Path("custom.pcx")}};
    Choose("setCustomColors"); // cancelled, then chosen
    Choose("setCustomColors");
    Choose("fontColorSet3");
    EXPECT_EQ(settings.CustomColorFile, Path("custom.pcx"));
    EXPECT_EQ(text.ColorTable, ColorSetTable(2)); // the custom file holds the in-game table
    EXPECT_EQ(Messages(),
              (Names{"No custom color table loaded.\r\nChoose one with Set Custom...",
                     "Error: Could not load the color table " + Path("gone.pcx") + "."}));
}

TEST_F(PreviewWindowTest, AnEditMakesTheWindowHiddenAndShowingItShowsThatPicture) {
    StartWithSample();
    Edit(1, "objectLeft", "40");
    PreviewWindow* preview = form->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isVisible());
    const auto drawn = preview->Picture().Pixels();
    EXPECT_EQ(drawn, Fresh());
    List("objectList")->setCurrentRow(2); // a hidden window is not redrawn
    EXPECT_EQ(&Open(), preview);
    EXPECT_EQ(preview->Picture().Pixels(), drawn);
    List("objectList")->setCurrentRow(3);
    EXPECT_EQ(preview->Picture().Pixels(), Fresh());
    doc->ObjectTable[1].Left += 5; // an open window is only brought forward, never reloaded
    const auto shown = preview->Picture().Pixels();
    Open();
    EXPECT_EQ(preview->Picture().Pixels(), shown);
    for (const char* action : {"deleteObject", "addObject"}) {
        dialogs.Answers = {MessageAnswer::Yes};
        Trigger(action);
        EXPECT_EQ(preview->Picture().Pixels(), Fresh()) << action;
    }
}

} // namespace
} // namespace tarrox::test
