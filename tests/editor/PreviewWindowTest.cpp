// The preview window: its menus and check marks, when it is made and redrawn, its fonts.
#include "PreviewFixture.h"

namespace tarrox::test {
namespace {

class PreviewWindowTest : public PreviewTest {
  protected:
    PreviewWindow& Open() {
        Trigger("viewPreview");
        EXPECT_NE(form->Preview(), nullptr);
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
    StartWithSample();
    List("objectList")->setCurrentRow(2);
    PreviewWindow& preview = Open();
    EXPECT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.windowTitle(), "Object Preview");
    const struct {
        const char* Item;
        std::function<bool(const Settings&)> Holds;
        std::vector<const char*> On, Off;
    } steps[] = {
        {"viewCurrent", [](auto& s) { return !s.ShowAll; }, {"viewCurrent"}, {"viewAll"}},
        {"viewAll", [](auto& s) { return s.ShowAll; }, {"viewAll"}, {"viewCurrent"}},
        {"fillRectangles", [](auto& s) { return !s.FillRects; }, {}, {"fillRectangles"}},
        {"fillRectangles", [](auto& s) { return s.FillRects; }, {"fillRectangles"}, {}},
        {"colorScheme1",
         [](auto& s) { return s.NormalColor == 0x6C && s.HighlightColorDark == 0; },
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
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Item);
        doc->ObjectTable[1].Left += 3; // moved behind the window's back: shows a redraw
        const auto before = preview.Picture().Pixels();
        Choose(step.Item);
        EXPECT_TRUE(step.Holds(settings));
        for (const char* on : step.On) EXPECT_TRUE(Checked(on)) << on;
        for (const char* off : step.Off) EXPECT_FALSE(Checked(off)) << off;
        EXPECT_NE(preview.Picture().Pixels(), before);
        EXPECT_EQ(preview.Picture().Pixels(), Fresh());
    }
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
}

TEST_F(PreviewWindowTest, TheSchemeItemIsCheckedByTheStoredHighlightColourAlone) {
    store.Values[{"Options", "PreviewClrHlight"}] = std::to_string(0x0000FC);
    StartWithSample();
    Open();
    EXPECT_TRUE(Checked("colorScheme1"));
    EXPECT_FALSE(Checked("colorScheme0"));
    form->Preview()->close();
    // A colour from an edited store checks nothing and is drawn as it is.
    settings.HighlightColor = 0x0A0A0A;
    List("objectList")->setCurrentRow(1);
    const auto& pixels = Open().Picture().Pixels();
    for (int i = 0; i < int(ColorSchemeItem::Count); ++i)
        EXPECT_FALSE(Checked(QString("colorScheme%1").arg(i))) << i;
    EXPECT_NE(std::find(pixels.begin(), pixels.end(), 0x0A0A0Au), pixels.end());
}

TEST_F(PreviewWindowTest, SetCustomStoresThePathAndAMissingTableIsSaid) {
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    StartWithSample();
    PreviewWindow& preview = Open();
    Choose("setCustomColors"); // cancelled: nothing stored, nothing loaded
    EXPECT_EQ(dialogs.FileDialogsShown.back().Filter, "StarCraft Color Index Tables (*.pcx)|*.pcx");
    EXPECT_EQ(settings.CustomColorFile, "");
    dialogs.FileChoices = {FileChoice{Path("custom.pcx")}};
    const auto before = preview.Picture().Pixels();
    Choose("setCustomColors");
    EXPECT_EQ(settings.CustomColorFile, Path("custom.pcx"));
    EXPECT_TRUE(Checked("fontColorSet1"));
    EXPECT_EQ(text.ColorTable, ColorSetTable(1));
    Choose("fontColorSet3");
    EXPECT_EQ(text.ColorTable, ColorSetTable(2)); // the custom file holds the in-game table
    EXPECT_NE(preview.Picture().Pixels(), before);
    EXPECT_TRUE(dialogs.Messages.empty());
    // Custom without a table, or with one gone: said, the mark stays and the colours too.
    for (const std::string custom : {"", "gone.pcx"}) {
        settings.CustomColorFile = custom.empty() ? "" : Path(custom);
        Choose("fontColorSet3");
        EXPECT_TRUE(Checked("fontColorSet3"));
        EXPECT_EQ(text.ColorTable, ColorSetTable(2));
    }
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              "No custom color table loaded.\r\nChoose one with Set Custom...");
    EXPECT_EQ(dialogs.Messages[1].Text,
              "Error: Could not load the color table " + Path("gone.pcx") + ".");
}

TEST_F(PreviewWindowTest, ClosingClosesTheFontsAndReopeningLoadsThemAfresh) {
    StartWithSample();
    QPointer<PreviewWindow> first = &Open();
    EXPECT_FALSE(first->Fonts().Loaded[1].Bytes.empty());
    first->close();
    EXPECT_TRUE(first->Fonts().Loaded[1].Bytes.empty());
    EXPECT_EQ(form->Preview(), nullptr);
    SettleClosedWindows();
    EXPECT_TRUE(first.isNull());
    // The new window reads the font files again: one removed meanwhile stays empty.
    std::filesystem::remove(dir / "data" / "font10.fnt");
    PreviewWindow& second = Open();
    EXPECT_TRUE(second.Fonts().Loaded[1].Bytes.empty());
    EXPECT_FALSE(second.Fonts().Loaded[2].Bytes.empty());
}

TEST_F(PreviewWindowTest, AnEditMakesTheWindowHiddenAndShowingItShowsThatPicture) {
    StartWithSample();
    List("objectList")->setCurrentRow(1);
    Box("objectLeft")->setText("40");
    PreviewWindow* preview = form->Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->isVisible());
    const auto drawn = preview->Picture().Pixels();
    EXPECT_EQ(drawn, Fresh());
    List("objectList")->setCurrentRow(2); // a hidden window is not redrawn
    EXPECT_EQ(preview->Picture().Pixels(), drawn);
    // Shown, it is the same window with the same picture; then selections redraw.
    EXPECT_EQ(&Open(), preview);
    EXPECT_EQ(preview->Picture().Pixels(), drawn);
    List("objectList")->setCurrentRow(3);
    EXPECT_EQ(preview->Picture().Pixels(), Fresh());
    // An open window is only brought forward, never reloaded.
    doc->ObjectTable[1].Left += 5;
    const auto shown = preview->Picture().Pixels();
    Open();
    EXPECT_EQ(preview->Picture().Pixels(), shown);
    // Deleting and adding redraw it.
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    EXPECT_EQ(preview->Picture().Pixels(), Fresh());
    EXPECT_NE(preview->Picture().Pixels(), shown);
    Trigger("addObject");
    EXPECT_EQ(preview->Picture().Pixels(), Fresh());
}

} // namespace
} // namespace tarrox::test
