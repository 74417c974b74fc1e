// The windows that draw game text. After Options > "Import Game Data..." (done by the tool in a
// child) and "Use Bundled Data" every open one shows the new colours.
#include "PreviewFixture.h"
#include "platform/DataFolders.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox::test {
namespace {

using GameTextWindowsTest = PreviewTest;

TEST_F(GameTextWindowsTest, ImportingRedrawsTheOpenWindowsAndBundledDataPutsThemBack) {
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
    EXPECT_NE(LastMessage().find("Imported tfontgam.pcx from tfontgam.pcx in game."),
              std::string::npos);
    EXPECT_EQ(text.ColorTable, ColorSetTable(1));
    EXPECT_NE(form->Preview()->Picture().Pixels(), before.Pixels());
    EXPECT_NE(form->CodesCard()->Image(), cardBefore);
    dialogs.Answers = {MessageAnswer::No, MessageAnswer::Yes}; // asked first: No keeps them
    Trigger("optionsUseBundledData");
    EXPECT_TRUE(std::filesystem::exists(dir / "user" / "tfontgam.pcx"));
    Trigger("optionsUseBundledData");
    EXPECT_FALSE(std::filesystem::exists(dir / "user" / "tfontgam.pcx"));
    EXPECT_EQ(form->Preview()->Picture().Pixels(), before.Pixels());
    EXPECT_EQ(form->CodesCard()->Image(), cardBefore);
    Trigger("optionsImportGameData"); // cancelled: imports nothing, says nothing
    EXPECT_EQ(dialogs.Messages.size(), 3u);
    SetUserDataFolder({});
}

} // namespace
} // namespace tarrox::test
