#include <map>

#include "editor/CommandLine.h"
#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

using StartupTest = EditorTest;
using Stored = std::map<std::pair<std::string, std::string>, std::string>;

// The stored options in the order of `Keys`; an empty value leaves the key out.
Stored Options(const Names& values) {
    static const char* Keys[] = {"AutoCalcSizes",    "Locale",
                                 "PreviewShowAll",   "PreviewFillRects",
                                 "PreviewClrHlight", "PreviewClrHlightDk",
                                 "PreviewClrNormal", "PreviewClrNormalDk",
                                 "PreviewFontClrs",  "PreviewCustomClr"};
    Stored out;
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i] != "-") out[{"Options", Keys[i]}] = values[i];
    return out;
}

// Closing writes back stored values under the same keys, defaults for what is missing or bad.
TEST_F(StartupTest, SettingsComeBackUnderTheirKeysAndBadOnesFallBackToDefaults) {
    const Stored defaults = Options(
        {"False", "0", "True", "True", "6316272", "4210880", "12615744", "8404992", "1", ""});
    const Stored own =
        Options({"True", "-1", "False", "False", "255", "65280", "16711680", "1", "3", "/a b.pcx"});
    const Stored bad = Options({"yes", "english", "-", "-", "-5", "-", "-", "-", "4"});
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

TEST_F(StartupTest, TheCommandLineOpensADialogStartsANewOneOrRefusesOtherFiles) {
    std::filesystem::create_directories(dir / "my dir");
    const std::string quoted = Write("my dir/Main.BIN", MakeDocument({{0, "Main"}, {2, "Go"}}));
    const struct {
        std::string Line, Message, Title;
        int Objects;
    } cases[] = {{"\"" + quoted + "\" -x", "", "Tarrox II - [Main.BIN]", 2},
                 {Write("dialog.txt", MakeDocument({{0, "Main"}})),
                  "Error: Not a valid file format.", "Tarrox II", 0},
                 {Path("new.bin"), "", "Tarrox II - [new.bin]", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        form.reset();
        dialogs = ScriptedDialogs();
        Start(c.Line);
        EXPECT_EQ(LastMessage(), c.Message);
        EXPECT_EQ(Title(), c.Title);
        EXPECT_EQ(List("objectList")->count(), c.Objects);
    }
    Trigger("fileSave"); // the new dialog is written under its name
    EXPECT_TRUE(PathExists(Path("new.bin")));
    EXPECT_EQ(FileNameFromCommandLine("\"no close.bin"), "no close.bin");
    EXPECT_EQ(FileNameFromCommandLine("ab\"c"), "b"); // a later quote still cuts from the second
}

} // namespace
} // namespace tarrox::test
