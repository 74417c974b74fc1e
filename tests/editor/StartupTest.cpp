#include <QMenu>

#include "editor/CommandLine.h"
#include "editor/EditorFixture.h"

namespace tarrox::test {
namespace {

using StartupTest = EditorTest;

std::string Stored(MemorySettingsStore& store, const char* key) {
    auto v = store.Read("Options", key);
    return v ? *v : "<missing>";
}

TEST_F(StartupTest, WithoutStoredSettingsTheDefaultsHold) {
    Start();
    EXPECT_FALSE(settings.AutoCalc);
    EXPECT_EQ(settings.MpqLocale, 0);
    EXPECT_TRUE(settings.ShowAll);
    EXPECT_TRUE(settings.FillRects);
    EXPECT_EQ(settings.HighlightColor, 6316272);
    EXPECT_EQ(settings.HighlightColorDark, 4210880);
    EXPECT_EQ(settings.NormalColor, 12615744);
    EXPECT_EQ(settings.NormalColorDark, 8404992);
    EXPECT_EQ(settings.FontColorSet, 1);
    EXPECT_EQ(settings.CustomColorFile, "");
    EXPECT_FALSE(Find<QAction>("Menu4_0")->isChecked());
    EXPECT_EQ(Title(), "Tarrox II");
    EXPECT_FALSE(Find<QAction>("Menu1_1")->isEnabled());
    EXPECT_FALSE(Find<QAction>("Menu1_2")->isEnabled());
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST_F(StartupTest, StoredSettingsAreReadUnderTheKeysTheyAreWrittenUnder) {
    auto put = [&](const char* key, const char* value) { store.Write("Options", key, value); };
    put("AutoCalcSizes", "True");
    put("Locale", "1033");
    put("PreviewShowAll", "False");
    put("PreviewFillRects", "false");
    put("PreviewClrHlight", "255");
    put("PreviewClrHlightDk", "65280");
    put("PreviewClrNormal", "16711680");
    put("PreviewClrNormalDk", "1");
    put("PreviewFontClrs", "3");
    put("PreviewCustomClr", "/home/u/my colours.pcx");
    Start();
    EXPECT_TRUE(settings.AutoCalc);
    EXPECT_TRUE(Find<QAction>("Menu4_0")->isChecked());
    EXPECT_EQ(settings.MpqLocale, 1033);
    EXPECT_FALSE(settings.ShowAll);
    EXPECT_FALSE(settings.FillRects);
    EXPECT_EQ(settings.HighlightColor, 255);
    EXPECT_EQ(settings.HighlightColorDark, 65280);
    EXPECT_EQ(settings.NormalColor, 16711680);
    EXPECT_EQ(settings.NormalColorDark, 1);
    EXPECT_EQ(settings.FontColorSet, 3);
    EXPECT_EQ(settings.CustomColorFile, "/home/u/my colours.pcx");
}

TEST_F(StartupTest, StoredValuesThatDoNotConvertFallBackToTheirDefaults) {
    auto put = [&](const char* key, const char* value) { store.Write("Options", key, value); };
    put("AutoCalcSizes", "yes");
    put("Locale", "english");
    put("PreviewShowAll", "");
    put("PreviewClrHlight", "-5");
    put("PreviewClrNormal", "0x123");
    put("PreviewFontClrs", "4");
    Start();
    EXPECT_FALSE(settings.AutoCalc);
    EXPECT_EQ(settings.MpqLocale, 0);
    EXPECT_TRUE(settings.ShowAll);
    EXPECT_EQ(settings.HighlightColor, 6316272);
    EXPECT_EQ(settings.NormalColor, 12615744);
    EXPECT_EQ(settings.FontColorSet, 1);
    settings = {};
    store.Write("Options", "PreviewFontClrs", "-1");
    store.Write("Options", "Locale", "-1");
    form.reset();
    Start();
    EXPECT_EQ(settings.FontColorSet, 1);
    EXPECT_EQ(settings.MpqLocale, -1);
}

TEST_F(StartupTest, ShutdownWritesAllTenSettingsAndRemovesTheTemporaryFile) {
    Start();
    settings.AutoCalc = true;
    settings.MpqLocale = -1;
    settings.FillRects = false;
    settings.CustomColorFile = "c.pcx";
    Write("~!temp.dat", MakeDocument({{0, "x"}}));
    ASSERT_TRUE(PathExists(TempFilePath()));
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(PathExists(TempFilePath()));
    EXPECT_EQ(store.Values.size(), 10u);
    EXPECT_EQ(Stored(store, "AutoCalcSizes"), "True");
    EXPECT_EQ(Stored(store, "Locale"), "-1");
    EXPECT_EQ(Stored(store, "PreviewShowAll"), "True");
    EXPECT_EQ(Stored(store, "PreviewFillRects"), "False");
    EXPECT_EQ(Stored(store, "PreviewClrHlight"), "6316272");
    EXPECT_EQ(Stored(store, "PreviewClrHlightDk"), "4210880");
    EXPECT_EQ(Stored(store, "PreviewClrNormal"), "12615744");
    EXPECT_EQ(Stored(store, "PreviewClrNormalDk"), "8404992");
    EXPECT_EQ(Stored(store, "PreviewFontClrs"), "1");
    EXPECT_EQ(Stored(store, "PreviewCustomClr"), "c.pcx");
}

TEST_F(StartupTest, ShutdownWithoutATemporaryFileDeletesNothing) {
    Write("keep.bin", MakeDocument({{0, "x"}}));
    Start();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(PathExists(Path("keep.bin")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
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
    EXPECT_EQ(doc->Filename, path);
    EXPECT_EQ(doc->ObjectCount, 2);
    EXPECT_EQ(Entries(List("List1")), (std::vector<std::string>{"0 - Dialog Box", "1 - Button"}));
    EXPECT_EQ(Title(), "Tarrox II - [Main Menu.BIN]");
    EXPECT_TRUE(Find<QAction>("Menu1_1")->isEnabled());
    EXPECT_TRUE(Find<QAction>("Menu1_2")->isEnabled());
}

TEST_F(StartupTest, AWrongExtensionIsRefusedWithAMessage) {
    std::string path = Write("dialog.txt", MakeDocument({{0, "Main"}}));
    Start(path);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Error: Not a valid file format.");
    EXPECT_EQ(dialogs.Messages[0].Icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.Messages[0].Title, "Tarrox II");
    EXPECT_EQ(doc->Filename, "");
    EXPECT_FALSE(doc->FileIsOpen);
    EXPECT_EQ(List("List1")->count(), 0);
    EXPECT_FALSE(Find<QAction>("Menu1_1")->isEnabled());
}

TEST_F(StartupTest, AMissingFileStartsANewEmptyDialog) {
    Start(Path("new.bin"));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_TRUE(doc->FileIsOpen);
    EXPECT_EQ(doc->ObjectCount, 1);
    EXPECT_EQ(Entries(List("List1")), (std::vector<std::string>{"0 - Dialog Box"}));
    EXPECT_EQ(Title(), "Tarrox II - [new.bin]");
    Trigger("Menu1_1");
    EXPECT_TRUE(PathExists(Path("new.bin")));
}

TEST_F(StartupTest, AFileThatCannotBeReadIsReported) {
    std::filesystem::create_directories(dir / "folder.bin");
    Start(Path("folder.bin"));
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Error: Could not open " + Path("folder.bin") + ".");
    EXPECT_EQ(dialogs.Messages[0].Icon, MessageIcon::Critical);
    EXPECT_FALSE(doc->FileIsOpen);
    EXPECT_EQ(Title(), "Tarrox II");
}

TEST_F(StartupTest, TheWindowHasItsMenusAndTypePicker) {
    Start();
    auto* combo = Combo("Combo1");
    ASSERT_EQ(combo->count(), 15);
    EXPECT_EQ(combo->itemText(14).toStdString(), "Button w/ light-up");
    EXPECT_EQ(Find<QAction>("Menu1_2")->text().toStdString(), "Save As...");
    EXPECT_EQ(Find<QAction>("Menu1_2")->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(Find<QAction>("Menu3_0")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(Find<QAction>("Menu6_1")->text().toStdString(), "Delete Selected SMK");
    EXPECT_EQ(Check("objFlag9")->text().toStdString(), "Has Hotkey");
    EXPECT_EQ(Box("obj7")->toolTip().left(26).toStdString(), "Not completely understood.");
}

} // namespace
} // namespace tarrox::test
