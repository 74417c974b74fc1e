#include <map>

#include "editor/CommandLine.h"
#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

using StartupTest = EditorTest;
using Stored = std::map<std::pair<std::string, std::string>, std::string>;

// What shutdown writes when nothing was stored and nothing changed: the defaults.
Stored Defaults() {
    return {{{"Options", "AutoCalcSizes"}, "False"},
            {{"Options", "Locale"}, "0"},
            {{"Options", "PreviewShowAll"}, "True"},
            {{"Options", "PreviewFillRects"}, "True"},
            {{"Options", "PreviewClrHlight"}, "6316272"},
            {{"Options", "PreviewClrHlightDk"}, "4210880"},
            {{"Options", "PreviewClrNormal"}, "12615744"},
            {{"Options", "PreviewClrNormalDk"}, "8404992"},
            {{"Options", "PreviewFontClrs"}, "1"},
            {{"Options", "PreviewCustomClr"}, ""}};
}

TEST_F(StartupTest, ShutdownWritesTheTenSettingsAndRemovesOnlyTheTemporaryFile) {
    for (bool temporary : {true, false}) {
        SCOPED_TRACE(temporary);
        Write("keep.bin", MakeDocument({{0, "x"}}));
        const std::string working = TempFilePath();
        if (temporary) Write(working, MakeDocument({{0, "x"}}));
        Start();
        EXPECT_EQ(Title(), "Tarrox II");
        EXPECT_FALSE(Find<QAction>("fileSave")->isEnabled());
        EXPECT_TRUE(form->close());
        EXPECT_FALSE(PathExists(std::filesystem::path(working).parent_path().string()));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
        EXPECT_EQ(store.Values, Defaults());
    }
}

TEST_F(StartupTest, TextTablesAndTheChosenColourSetComeFromTheDataFolder) {
    std::filesystem::create_directories(dir / "data");
    std::vector<uint8_t> index(32), widths(10);
    for (int i = 0; i < 32; ++i) index[i] = uint8_t(i % 24);
    for (int i = 0; i < 10; ++i) widths[i] = uint8_t(i + 1);
    ASSERT_TRUE(WriteFileAtomically(Path("data/fontindex.dat"), index));
    ASSERT_TRUE(WriteFileAtomically(Path("data/fontwidth.dat"), widths));
    // The custom set (3) from a table that does not exist leaves the colours as they were.
    store.Values[{"Options", "PreviewFontClrs"}] = "3";
    store.Values[{"Options", "PreviewCustomClr"}] = Path("missing.pcx");
    text.ColorTable[5] = 0x123456;
    Start();
    EXPECT_EQ(text.CodeColorRows[30], 6);
    EXPECT_EQ(text.LetterSpacing[1], 1);
    EXPECT_EQ(text.SpaceWidth[5], 10);
    EXPECT_EQ(text.ColorTable[5], 0x123456u);
}

TEST_F(StartupTest, StoredSettingsComeBackUnderTheSameKeys) {
    Stored values = {{{"Options", "AutoCalcSizes"}, "True"},
                     {{"Options", "Locale"}, "-1"},
                     {{"Options", "PreviewShowAll"}, "False"},
                     {{"Options", "PreviewFillRects"}, "False"},
                     {{"Options", "PreviewClrHlight"}, "255"},
                     {{"Options", "PreviewClrHlightDk"}, "65280"},
                     {{"Options", "PreviewClrNormal"}, "16711680"},
                     {{"Options", "PreviewClrNormalDk"}, "1"},
                     {{"Options", "PreviewFontClrs"}, "3"},
                     {{"Options", "PreviewCustomClr"}, "/home/u/my colours.pcx"}};
    store.Values = values;
    Start();
    EXPECT_TRUE(settings.AutoCalc);
    EXPECT_TRUE(Find<QAction>("optionsAutoCalc")->isChecked());
    EXPECT_EQ(settings.NormalColor, 16711680);
    EXPECT_TRUE(form->close());
    EXPECT_EQ(store.Values, values);
}

TEST_F(StartupTest, StoredValuesThatDoNotConvertFallBackToTheirDefaults) {
    store.Values = {
        {{"Options", "AutoCalcSizes"}, "yes"},      {{"Options", "Locale"}, "english"},
        {{"Options", "PreviewShowAll"}, ""},        {{"Options", "PreviewClrHlight"}, "-5"},
        {{"Options", "PreviewClrNormal"}, "0x123"}, {{"Options", "PreviewFontClrs"}, "4"}};
    Start();
    EXPECT_TRUE(form->close());
    EXPECT_EQ(store.Values, Defaults());
}

TEST(CommandLine, QuotesAndTheBinEnding) {
    EXPECT_EQ(FileNameFromCommandLine("a b.bin"), "a b.bin");
    EXPECT_EQ(FileNameFromCommandLine("\"C:\\a b\\x.BIN\" -extra"), "C:\\a b\\x.BIN");
    EXPECT_EQ(FileNameFromCommandLine("\"no close.bin"), "no close.bin");
    EXPECT_EQ(FileNameFromCommandLine("\""), "");
    // A quote later in the text still cuts from the second character to it.
    EXPECT_EQ(FileNameFromCommandLine("ab\"c"), "b");
    EXPECT_TRUE(HasBinExtension("x.BiN"));
    EXPECT_FALSE(HasBinExtension("x.bin.txt"));
    EXPECT_FALSE(HasBinExtension("bin"));
}

TEST_F(StartupTest, AQuotedPathWithSpacesAndACapitalEndingOpens) {
    std::filesystem::create_directories(dir / "my dialogs");
    std::string path = Write("my dialogs/Main Menu.BIN", MakeDocument({{0, "Main"}, {2, "Go"}}));
    Start("\"" + path + "\"");
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(form->File().Path, path);
    EXPECT_EQ(doc->ObjectCount, 2);
    EXPECT_EQ(Entries(List("objectList")),
              (std::vector<std::string>{"0 - Dialog Box", "1 - Button"}));
    EXPECT_EQ(Title(), "Tarrox II - [Main Menu.BIN]");
    EXPECT_TRUE(Find<QAction>("fileSave")->isEnabled());
    EXPECT_TRUE(Find<QAction>("fileSaveAs")->isEnabled());
}

TEST_F(StartupTest, AWrongExtensionIsRefusedWithAMessage) {
    std::string path = Write("dialog.txt", MakeDocument({{0, "Main"}}));
    Start(path);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Error: Not a valid file format.");
    EXPECT_EQ(dialogs.Messages[0].Icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.Messages[0].Title, "Tarrox II");
    EXPECT_EQ(form->File().Path, "");
    EXPECT_FALSE(form->File().IsOpen);
    EXPECT_EQ(List("objectList")->count(), 0);
    EXPECT_FALSE(Find<QAction>("fileSave")->isEnabled());
}

TEST_F(StartupTest, AMissingFileStartsANewEmptyDialog) {
    Start(Path("new.bin"));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_TRUE(form->File().IsOpen);
    EXPECT_EQ(doc->ObjectCount, 1);
    EXPECT_EQ(Entries(List("objectList")), (std::vector<std::string>{"0 - Dialog Box"}));
    EXPECT_EQ(Title(), "Tarrox II - [new.bin]");
    Trigger("fileSave");
    EXPECT_TRUE(PathExists(Path("new.bin")));
}

} // namespace
} // namespace tarrox::test
