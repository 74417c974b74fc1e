// The windows that draw game text. The preview window: its menus and check marks, when it is
// redrawn; editing in its picture: clicks select, drags and keys move and resize, zoom maps.
// The small windows beside it close on Escape.
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <fstream>

#include "editor/PreviewFixture.h"
#include "platform/DataFolders.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox::test {
namespace {

TEST_F(PreviewTest, EachMenuCommandSetsItsSettingChecksItsItemAloneAndRedraws) {
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
        {"viewHidden", [](auto& s) { return !s.ShowHidden; }, "viewAll", "viewHidden"},
        {"colorScheme2", [](auto& s) { return s.NormalColorDark == 0x500800; }, "colorScheme2",
         "colorScheme1"},
        {"colorScheme0", [](auto& s) { return s.HighlightColor == 0x6060F0; }, "colorScheme0",
         "colorScheme2"},
        {"fontColorSet2", [](auto& s) { return s.FontColorSet == 2; }, "fontColorSet2",
         "fontColorSet1"},
        {"viewGameArt", [](auto& s) { return s.GameArt; }, "viewGameArt", "fillRectangles"},
        {"raceZerg", [](auto& s) { return s.ArtRace == 2; }, "raceZerg", "raceTerran"}};
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
    Choose("fontColorSet3"); // without a custom table: said, and set 2's colours stay
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
    EXPECT_EQ(Messages(), Names{"No custom color table loaded.\r\nChoose one with Set Custom..."});
}

TEST_F(PreviewTest, GameArtNamesWhatIsMissingAndKeepsTheBackgroundChosenForEachDialog) {
    store.Values[{"Options", "PreviewArtFolders"}] = "glucmpgn=PalNl";
    StartWithSample();
    PreviewWindow& preview = Open();
    auto* status = preview.findChild<QLabel*>("missingArt");
    Choose("viewGameArt");
    EXPECT_TRUE(status->text().contains("glue\\mainmenu\\title.pcx is not imported."));
    // The sample's name is no screen of the game's: no background until one is chosen.
    EXPECT_TRUE(Checked("background_none"));
    Choose("background_PalCs");
    Choose("background_none");
    EXPECT_EQ(settings.ArtFolders, "glucmpgn=PalNl;mainmenu=none");
    Choose("viewGameArt");
    EXPECT_EQ(status->text(), "");
}

// An edit makes the window hidden; shown, it is that window with that picture. It is redrawn
// on deletes and adds, but an open window is only brought forward, never reloaded.
TEST_F(PreviewTest, AnEditMakesTheWindowHiddenAndShowingItShowsThatPicture) {
    StartWithSample();
    Edit(1, "objectLeft", "40");
    PreviewWindow* preview = form->Preview();
    ASSERT_TRUE(preview && !preview->isVisible());
    const auto drawn = preview->Picture().Pixels();
    doc->ObjectTable[1].Left += 5;
    EXPECT_EQ(&Open(), preview);
    EXPECT_EQ(preview->Picture().Pixels(), drawn);
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("deleteObject");
    EXPECT_EQ(preview->Picture().Pixels(), Fresh());
}

class PreviewEditingTest : public PictureTest {
  protected:
    // A dialog at (100, 50) whose children lie from its corner: a button over 110..159 x 60..79,
    // a label over it at 140..189 x 65..84, a light-up button at 300..359 x 150..179.
    void SetUp() override {
        PictureTest::SetUp();
        DialogDocument d = MakeDocument({{0, "Dialog"}, {2, "OK"}, {9, "Label"}, {14, "Lit"}});
        Place(d.ObjectTable[0], 100, 50, 300, 200);
        Place(d.ObjectTable[1], 10, 10, 50, 20);
        Place(d.ObjectTable[2], 40, 15, 50, 20);
        Place(d.ObjectTable[3], 200, 100, 60, 30);
        d.ObjectTable[3].TextLeft = 16;
        OpenPicture(d);
    }
    std::vector<int> Box3() {
        const DialogObject& o = doc->ObjectTable[3];
        return {o.Left, o.Top, o.Right, o.Bottom, o.Width, o.Height};
    }
};

TEST_F(PreviewEditingTest, AClickSelectsTheTopmostObject) {
    const std::pair<QPoint, int> clicks[] = {{{115, 65}, 1},  {{145, 70}, 2},  {{159, 79}, 2},
                                             {{300, 150}, 3}, {{250, 120}, 0}, {{5, 5}, 0},
                                             {{110, 60}, 1}};
    for (const auto& [at, expected] : clicks) {
        Click(at);
        EXPECT_EQ(Selected(), expected) << at.x() << "," << at.y();
    }
    EXPECT_EQ(Box("objectLeft")->text(), "10"); // shown as a click on its entry shows it
    DragBy({115, 65}, {1, 1});                  // a click's tremor is no drag
    Mouse(QEvent::MouseButtonRelease, {116, 66});
    EXPECT_FALSE(form->IsModified());
}

TEST_F(PreviewEditingTest, ADragMovesTheEdgesAsOneStepAndTheBoxesFollowLive) {
    const DialogObject before = doc->ObjectTable[3];
    DragBy({310, 160}, {10, 5});
    EXPECT_EQ(Selected(), 3) << "a press on an object selects it and drags it at once";
    EXPECT_EQ(Box("objectLeft")->text(), "210") << "while the button is still down";
    Mouse(QEvent::MouseButtonRelease, {320, 165});
    DialogObject expected = before;
    expected.Left = 210, expected.Top = 105, expected.Right = 269, expected.Bottom = 134;
    EXPECT_EQ(doc->ObjectTable[3], expected);
    EXPECT_TRUE(form->IsModified());
    // The preview's own Ctrl+Z and Ctrl+Y reach the history.
    form->Preview()->activateWindow(); // shortcuts go to the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Preview()));
    QTest::keyClick(form->Preview(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc->ObjectTable[3], before);
    EXPECT_FALSE(form->IsModified());
    QTest::keyClick(form->Preview(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc->ObjectTable[3], expected);
}

TEST_F(PreviewEditingTest, HandlesResizeArrowKeysNudgeAndEscapePutsADragBack) {
    Click({300, 150});          // the light-up button's top-left corner is also its handle
    DragBy({359, 179}, {6, 4}); // the bottom-right handle
    Mouse(QEvent::MouseButtonRelease, {365, 183});
    EXPECT_EQ(Box3(), (std::vector<int>{200, 100, 265, 133, 66, 34}));
    DragBy({330, 150}, {0, -7}); // the top edge's handle
    EXPECT_EQ(Box3()[1], 93);
    QTest::keyClick(picture, Qt::Key_Escape);
    Mouse(QEvent::MouseButtonRelease, {330, 143}); // changes nothing after Escape
    EXPECT_EQ(Box3(), (std::vector<int>{200, 100, 265, 133, 66, 34}));
    // Shift moves by 8.
    const std::pair<Qt::Key, bool> keys[] = {
        {Qt::Key_Right, false}, {Qt::Key_Down, true}, {Qt::Key_Left, true}, {Qt::Key_Up, false}};
    for (const auto& [key, shift] : keys)
        QTest::keyClick(picture, key, shift ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_EQ(Box3(), (std::vector<int>{193, 107, 258, 140, 66, 34}));
}

TEST_F(PreviewEditingTest, ZoomScalesThePictureAndMapsPointsBackToTheirPixel) {
    const std::pair<const char*, int> steps[] = {{"zoomIn", 2},  {"zoomIn", 3}, {"zoomIn", 3},
                                                 {"zoomOut", 2}, {"zoom1", 1},  {"zoom3", 3}};
    for (const auto& [action, zoom] : steps) {
        form->Preview()->findChild<QAction*>(action)->trigger();
        EXPECT_EQ(picture->size(), QSize(640 * zoom, 480 * zoom));
        // The screen pixel just before the button's first one (at 110 * zoom) is not on it.
        EXPECT_EQ(picture->PictureAt(QPointF(110 * zoom - 1, 60 * zoom)), QPoint(109, 60));
    }
    // A drag at 3x moves by picture pixels, not screen pixels.
    DragBy({310, 160}, {10, 5});
    Mouse(QEvent::MouseButtonRelease, {320, 165});
    EXPECT_EQ(Box3()[0] * 1000 + Box3()[1], 210105);
}

// The readme (in its own window when no browser starts) and the codes card.
TEST_F(PreviewTest, TheReadmeWindowAndTheCodesCardCloseOnEscape) {
    std::ofstream(dir / "TarroxII.htm") << "<html><body>The guide</body></html>";
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
// every open window that draws game text shows the new colours.
TEST_F(PreviewTest, ImportingRedrawsTheOpenWindowsAndBundledDataPutsThemBack) {
    std::filesystem::create_hard_link(TARROX_CLI, dir / "tarrox2-cli");
    SetUserDataFolder(Path("user"));
    // The game's in-game table in a folder of loose files: here the glue colours.
    std::filesystem::create_directories(dir / "cd" / "game");
    std::filesystem::copy_file(dir / "data" / "tfontglu.pcx", dir / "cd/game/tfontgam.pcx");
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
    std::filesystem::create_directories(dir / "user/art/glue/palmm"); // as imported art lies
    std::filesystem::copy_file(dir / "data/tfontglu.pcx", dir / "user/art/glue/palmm/tfont.pcx");
    EXPECT_EQ(text.ColorTable, ColorSetTable(1));
    EXPECT_NE(form->Preview()->Picture().Pixels(), before.Pixels());
    EXPECT_NE(form->CodesCard()->Image(), cardBefore);
    dialogs.Answers = {MessageAnswer::No, MessageAnswer::Yes}; // asked first: No keeps them
    Trigger("optionsUseBundledData");
    EXPECT_TRUE(std::filesystem::exists(dir / "user" / "tfontgam.pcx"));
    Trigger("optionsUseBundledData");
    EXPECT_FALSE(std::filesystem::exists(dir / "user" / "tfontgam.pcx"));
    EXPECT_FALSE(std::filesystem::exists(dir / "user" / "art"));
    EXPECT_EQ(form->Preview()->Picture().Pixels(), before.Pixels());
    EXPECT_EQ(form->CodesCard()->Image(), cardBefore);
    std::filesystem::create_directories(dir / "user/font10.fnt/x"); // cannot be removed
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("optionsUseBundledData");
    EXPECT_EQ(Messages().back(),
              "Error: Could not remove these imported files:\r\n" + Path("user/font10.fnt"));
    SetUserDataFolder({});
}

} // namespace
} // namespace tarrox::test
