#include <map>

#include "editor/CommandLine.h"
#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

using StartupTest = EditorTest;
using Stored = std::map<std::pair<std::string, std::string>, std::string>;

Stored Options(const std::vector<std::pair<std::string, std::string>>& values) {
    Stored out;
    for (const auto& [key, value] : values) out[{"Options", key}] = value;
    return out;
}

// What the store holds at start, and what closing writes back: stored values under the same
// keys, defaults for what is missing or does not convert.
TEST_F(StartupTest, SettingsComeBackUnderTheirKeysAndBadOnesFallBackToDefaults) {
    const Stored defaults = Options({{"AutoCalcSizes", "False"},
                                     {"Locale", "0"},
                                     {"PreviewShowAll", "True"},
                                     {"PreviewFillRects", "True"},
                                     {"PreviewClrHlight", "6316272"},
                                     {"PreviewClrHlightDk", "4210880"},
                                     {"PreviewClrNormal", "12615744"},
                                     {"PreviewClrNormalDk", "8404992"},
                                     {"PreviewFontClrs", "1"},
                                     {"PreviewCustomClr", ""}});
    const Stored own = Options({{"AutoCalcSizes", "True"},
                                {"Locale", "-1"},
                                {"PreviewShowAll", "False"},
                                {"PreviewFillRects", "False"},
                                {"PreviewClrHlight", "255"},
                                {"PreviewClrHlightDk", "65280"},
                                {"PreviewClrNormal", "16711680"},
                                {"PreviewClrNormalDk", "1"},
                                {"PreviewFontClrs", "3"},
                                {"PreviewCustomClr", "/a b.pcx"}});
    const Stored bad = Options({{"AutoCalcSizes", "yes"},
                                {"Locale", "english"},
                                {"PreviewClrHlight", "-5"},
                                {"PreviewFontClrs", "4"}});
    for (const auto& [before, after] :
         {std::pair{Stored{}, defaults}, {own, own}, {bad, defaults}}) {
        form.reset();
        store.Values = before;
        Start();
        EXPECT_EQ(Find<QAction>("optionsAutoCalc")->isChecked(),
                  after.at({"Options", "AutoCalcSizes"}) == "True");
        EXPECT_TRUE(form->close());
        EXPECT_EQ(store.Values, after);
    }
}

TEST_F(StartupTest, ClosingRemovesTheTemporaryFileOnly) {
    Write("keep.bin", MakeDocument({{0, "x"}}));
    const std::string working = TempFilePath();
    Write(working, MakeDocument({{0, "x"}}));
    Start();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(PathExists(std::filesystem::path(working).parent_path().string()));
    EXPECT_TRUE(PathExists(Path("keep.bin")));
}

TEST_F(StartupTest, TheCommandLineOpensADialogStartsANewOneOrRefusesOtherFiles) {
    std::filesystem::create_directories(dir / "my dir");
    const std::string quoted = Write("my dir/Main.BIN", MakeDocument({{0, "Main"}, {2, "Go"}}));
    const std::string other = Write("dialog.txt", MakeDocument({{0, "Main"}}));
    struct Case {
        std::string Line, Message, Title;
        int Objects;
    } cases[] = {{"\"" + quoted + "\" -x", "", "Tarrox II - [Main.BIN]", 2},
                 {other, "Error: Not a valid file format.", "Tarrox II", 0},
                 {Path("new.bin"), "", "Tarrox II - [new.bin]", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Line);
        form.reset();
        dialogs = ScriptedDialogs();
        Start(c.Line);
        EXPECT_EQ(dialogs.Messages.empty() ? "" : dialogs.Messages[0].Text, c.Message);
        EXPECT_EQ(Title(), c.Title);
        EXPECT_EQ(List("objectList")->count(), c.Objects);
        EXPECT_EQ(Find<QAction>("fileSave")->isEnabled(), c.Objects > 0);
    }
    Trigger("fileSave"); // the new dialog is written under its name
    EXPECT_TRUE(PathExists(Path("new.bin")));
}

TEST(CommandLine, QuotesAndTheBinEnding) {
    EXPECT_EQ(FileNameFromCommandLine("\"C:\\a b\\x.BIN\" -extra"), "C:\\a b\\x.BIN");
    EXPECT_EQ(FileNameFromCommandLine("\"no close.bin"), "no close.bin");
    EXPECT_EQ(FileNameFromCommandLine("ab\"c"), "b"); // a later quote still cuts from the second
    EXPECT_TRUE(HasBinExtension("x.BiN"));
    EXPECT_FALSE(HasBinExtension("x.bin.txt"));
}

} // namespace
} // namespace tarrox::test
