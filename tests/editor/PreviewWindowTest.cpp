// The windows that draw game text: the preview's menus and redraws, the small windows beside it.
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <fstream>

#include "document/BinWriter.h"
#include "editor/PreviewFixture.h"
#include "platform/DataFolders.h"
#include "platform/FileAccess.h"
#include "preview/ColorTables.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox::test {
namespace {

TEST_F(PreviewTest, AnEditMakesTheWindowAndEachMenuItemSetsItsSettingAloneAndRedraws) {
    store.Values[{"Options", "PreviewClrHlight"}] = std::to_string(0x0000FC);
    store.Values[{"Options", "PreviewArtFolders"}] = "glucmpgn=PalNl";
    StartWithSample();
    Edit(2, "objectLeft", "40"); // makes the window, hidden
    PreviewWindow* made = form->Preview();
    ASSERT_TRUE(made && !made->isVisible());
    const auto drawn = made->Picture().Pixels();
    doc->ObjectTable[1].Left += 5; // an open window is brought forward, never reloaded
    Trigger("viewPreview");
    PreviewWindow& preview = *form->Preview();
    EXPECT_EQ(&preview, made);
    EXPECT_EQ(preview.Picture().Pixels(), drawn);
    EXPECT_TRUE(Checked("colorScheme1")); // by the stored highlight colour alone
    // Each item, the stored option it sets, and the item it checks and one it leaves unchecked.
    const struct {
        const char *Item, *Key, *Value, *On, *Off;
    } steps[] = {{"viewCurrent", "ShowAll", "False", "viewCurrent", "viewAll"},
                 {"viewAll", "ShowAll", "True", "viewAll", "viewCurrent"},
                 {"fillRectangles", "FillRects", "False", "viewAll", "fillRectangles"},
                 {"viewHidden", "ShowHidden", "False", "viewAll", "viewHidden"},
                 {"colorScheme2", "ClrNormalDk", "5244928", "colorScheme2", "colorScheme1"},
                 {"colorScheme0", "ClrHlight", "6316272", "colorScheme0", "colorScheme2"},
                 {"fontColorSet2", "FontClrs", "2", "fontColorSet2", "fontColorSet1"},
                 {"viewGameArt", "GameArt", "True", "viewGameArt", "fillRectangles"},
                 {"raceZerg", "ArtRace", "2", "raceZerg", "raceTerran"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.Item);
        doc->ObjectTable[1].Left += 3; // moved behind the window's back: shows a redraw
        const auto before = preview.Picture().Pixels();
        Choose(step.Item);
        WriteSettings(store, settings);
        EXPECT_EQ(store.Read("Options", std::string("Preview") + step.Key), step.Value);
        EXPECT_TRUE(Checked(step.On) && !Checked(step.Off));
        EXPECT_NE(preview.Picture().Pixels(), before);
        EXPECT_EQ(preview.Picture().Pixels(), Fresh());
    }
    // Game art names what is missing and keeps the background chosen for each dialog; the
    // sample's name is no screen of the game's: no background until one is chosen.
    auto* status = preview.findChild<QLabel*>("missingArt");
    EXPECT_TRUE(status->text().contains("glue\\mainmenu\\title.pcx is not imported."));
    EXPECT_TRUE(Checked("background_none"));
    Choose("background_PalCs");
    Choose("background_none");
    EXPECT_EQ(settings.ArtFolders, "glucmpgn=PalNl;mainmenu=none");
    Choose("viewGameArt");
    EXPECT_EQ(status->text(), "");
    Choose("fontColorSet3"); // without a custom table: said, and set 2's colours stay
    TextDrawingState set2;
    ASSERT_TRUE(LoadColorTable(set2, 2, Path("data"), {}));
    EXPECT_EQ(text.ColorTable, set2.ColorTable);
    EXPECT_EQ(Messages(), Names{"No custom color table loaded.\r\nChoose one with Set Custom..."});
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    EXPECT_EQ(preview.Picture().Pixels(), Fresh());
}

// The readme (in its own window when no browser starts) and the codes card.
TEST_F(PreviewTest, TheReadmeWindowAndTheCodesCardCloseOnEscape) {
    std::ofstream(dir_ / "TarroxII.htm") << "<html><body>The guide</body></html>";
    dialogs.DefaultAppStarts = false;
    Start();
    Trigger("helpViewReadme");
    Trigger("viewFormattingCodes");
    for (const char* name : {"ReadmeWindow", "FormattingCodesCard"}) {
        QPointer<QWidget> window;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == name) window = w;
        ASSERT_TRUE(window && window->isVisible()) << name;
        window->activateWindow(); // shortcuts go to the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << name;
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_TRUE(!window || !window->isVisible()) << name;
    }
}

// Light-up buttons as the game's files hold them, areas relative to the object: gluScore's "Ok"
// (both areas over the whole button) and gluCmpgn's "Terran" (areas of its own). Moved with the
// mouse and the keys and saved, only their edges change.
TEST_F(PictureTest, MovingRealLightUpButtonsAndSavingChangesOnlyTheirEdges) {
    DialogDocument d = MakeDocument({{0, "Dialog"}, {14, "Ok"}, {14, "Terran"}});
    Place(d.ObjectTable[0], 0, 0, 640, 480);
    d.ObjectTable[0].ResponseRight = 640, d.ObjectTable[0].ResponseBottom = 480;
    Place(d.ObjectTable[1], 480, 430, 138, 30);
    DialogObject& terran = d.ObjectTable[2];
    Place(terran, 162, 4, 356, 278);
    terran.ResponseLeft = 78, terran.ResponseTop = 30, terran.ResponseRight = 226;
    terran.ResponseBottom = 253, terran.TextLeft = 105, terran.TextTop = 235;
    terran.TextRight = 210, terran.TextBottom = 277;
    for (DialogObject& o : d.ObjectTable) o.Flags = 0x200008;
    OpenPicture(d);
    DragBy({500, 440}, {-40, -40});
    Mouse(QEvent::MouseButtonRelease, {460, 400});
    DragBy({300, 100}, {8, 10});
    Mouse(QEvent::MouseButtonRelease, {308, 110});
    QTest::keyClick(picture, Qt::Key_Right, Qt::ShiftModifier);
    Trigger("fileSave");
    std::vector<uint8_t> saved;
    ASSERT_EQ(ReadFileBytes(Path("dialog.bin"), saved), ReadStatus::Ok);
    for (auto [o, left, top] : {std::tuple{&d.ObjectTable[1], 440, 390}, {&terran, 178, 14}}) {
        o->Right = int16_t(o->Right + left - o->Left), o->Left = int16_t(left);
        o->Bottom = int16_t(o->Bottom + top - o->Top), o->Top = int16_t(top);
    }
    EXPECT_EQ(saved, WriteBinDocument(d).value());
}

// After Options > "Import Game Data..." (done by the tool in a child) and "Use Bundled Data"
// the open windows draw with the fonts and tables now in use.
TEST_F(PreviewTest, ImportingRedrawsTheOpenWindowsAndBundledDataPutsThemBack) {
    std::filesystem::create_hard_link(TARROX_CLI, dir_ / "tarrox2-cli");
    SetUserDataFolder(Path("user"));
    // The game's in-game table in a folder of loose files: here the glue colours.
    std::filesystem::create_directories(dir_ / "cd" / "game");
    std::filesystem::copy_file(dir_ / "data" / "tfontglu.pcx", dir_ / "cd/game/tfontgam.pcx");
    store.Values[{"Options", "PreviewFontClrs"}] = "2";
    StartWithSample();
    Trigger("viewPreview");
    Trigger("viewFormattingCodes");
    const Surface before = form->Preview()->Picture();
    const QImage cardBefore = form->CodesCard()->Image();
    dialogs.FileChoices.push_back(FileChoice{Path("cd/game/tfontgam.pcx"), 2});
    Trigger("optionsImportGameData");
    EXPECT_NE(Messages().back().find("Imported tfontgam.pcx from tfontgam.pcx in game."),
              std::string::npos);
    std::filesystem::create_directories(dir_ / "user/art/glue/palmm"); // as imported art lies
    std::filesystem::copy_file(dir_ / "data/tfontglu.pcx", dir_ / "user/art/glue/palmm/tfont.pcx");
    EXPECT_NE(form->Preview()->Picture().Pixels(), before.Pixels());
    EXPECT_NE(form->CodesCard()->Image(), cardBefore);
    dialogs.Answers = {MessageAnswer::No, MessageAnswer::Yes}; // asked first: No keeps them
    Trigger("optionsUseBundledData");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "user" / "tfontgam.pcx"));
    Trigger("optionsUseBundledData");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "user" / "tfontgam.pcx"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "user" / "art"));
    EXPECT_EQ(form->Preview()->Picture().Pixels(), before.Pixels());
    EXPECT_EQ(form->CodesCard()->Image(), cardBefore);
    std::filesystem::create_directories(dir_ / "user/font10.fnt/x"); // cannot be removed
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("optionsUseBundledData");
    EXPECT_EQ(Messages().back(),
              "Error: Could not remove these imported files:\r\n" + Path("user/font10.fnt"));
    SetUserDataFolder({});
}

} // namespace
} // namespace tarrox::test
