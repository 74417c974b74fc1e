// Options > "Import Game Data..." and "Use Bundled Data": the tool imports in a child, the
// editor reports in one message and every window that draws game text shows the new colours.
#include "PreviewFixture.h"
#include "editor/PreviewWindow.h"
#include "platform/DataFolders.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox::test {
namespace {

class GameDataMenuTest : public PreviewTest {
  protected:
    void SetUp() override {
        PreviewTest::SetUp();
        std::filesystem::create_hard_link(TARROX_CLI, dir / "tarrox2-cli");
        SetUserDataFolder(Path("user"));
        // The game's in-game table in a folder of loose files: here the glue colours.
        std::filesystem::create_directories(dir / "cd" / "game");
        std::filesystem::copy_file(dir / "data" / "tfontglu.pcx", dir / "cd/game/tfontgam.pcx");
        store.Values[{"Options", "PreviewFontClrs"}] = "2";
    }
    void TearDown() override {
        SetUserDataFolder({});
        PreviewTest::TearDown();
    }
};

TEST_F(GameDataMenuTest, ImportingRedrawsTheOpenWindowsAndBundledDataPutsThemBack) {
    StartWithSample();
    Trigger("viewPreview");
    Trigger("viewFormattingCodes");
    const Surface before = form->Preview()->Picture();
    const QImage cardBefore = form->CodesCard()->Image();

    // Choosing a loose table imports from its folder.
    dialogs.FileChoices.push_back(FileChoice{Path("cd/game/tfontgam.pcx"), 2});
    Trigger("optionsImportGameData");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Title, "Import Game Data");
    EXPECT_NE(dialogs.Messages[0].Text.find("Imported tfontgam.pcx from tfontgam.pcx in game."),
              std::string::npos)
        << dialogs.Messages[0].Text;
    EXPECT_NE(dialogs.Messages[0].Text.find("font10.fnt was not found."), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir / "user" / "tfontgam.pcx"));
    EXPECT_EQ(text.ColorTable, ColorSetTable(1));
    EXPECT_NE(form->Preview()->Picture().Pixels(), before.Pixels());
    EXPECT_NE(form->CodesCard()->Image(), cardBefore);

    // Asked first: "No" keeps the imported files.
    dialogs.Answers = {MessageAnswer::No, MessageAnswer::Yes};
    Trigger("optionsUseBundledData");
    EXPECT_EQ(dialogs.Messages.back().Title, "Use Bundled Data");
    EXPECT_TRUE(std::filesystem::exists(dir / "user" / "tfontgam.pcx"));
    Trigger("optionsUseBundledData");
    EXPECT_FALSE(std::filesystem::exists(dir / "user" / "tfontgam.pcx"));
    EXPECT_EQ(text.ColorTable, ColorSetTable(2));
    EXPECT_EQ(form->Preview()->Picture().Pixels(), before.Pixels());
    EXPECT_EQ(form->CodesCard()->Image(), cardBefore);

    // A cancelled choice imports nothing and says nothing.
    const size_t shown = dialogs.Messages.size();
    Trigger("optionsImportGameData");
    EXPECT_EQ(dialogs.Messages.size(), shown);
}

} // namespace
} // namespace tarrox::test
