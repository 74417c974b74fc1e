#include <QTextBrowser>
#include <fstream>

#include "editor/EditorFixture.h"
#include "support/SmpqArchive.h"

namespace tarrox::test {
namespace {

class FileMenuTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        first = Write("first.bin", MakeDocument({{0, "First"}, {2, "a"}}));
        second = Write("second.bin", MakeDocument({{0, "Second"}, {2, "b"}, {5, "c"}}));
    }
    // File > Open of `path` with the .bin file type.
    void OpenFromMenu(const std::string& path) {
        dialogs.FileChoices.push_back(FileChoice{path, 1});
        Trigger("fileOpen");
    }
    // Recent Files are kept as they change; the options only when the window goes.
    bool OptionsWritten() { return store.Read("Options", "Locale").has_value(); }
    std::string first, second;
};

TEST_F(FileMenuTest, OpenReplacesTheDocumentAndClearsTheEditorAndAFailedOneKeepsIt) {
    Start(first);
    Edit(1);
    dialogs.Answers = {MessageAnswer::No};
    OpenFromMenu(second);
    EXPECT_EQ(Box("objectText")->text(), "");
    EXPECT_EQ(Combo("controlType")->currentIndex(), -1);
    EXPECT_EQ(List("objectList")->count(), 3);
    EXPECT_EQ(Title(), "Tarrox II - [second.bin]");
    std::filesystem::create_directories(dir / "folder.bin");
    OpenFromMenu(Path("folder.bin"));
    EXPECT_EQ(LastMessage(), "Error: Could not open " + Path("folder.bin") + ".");
    EXPECT_EQ(form->File().Path, second);
    EXPECT_EQ(List("objectList")->count(), 3);
}

TEST_F(FileMenuTest, OpeningOrClosingWithUnsavedWorkAsksFirst) {
    for (bool close : {false, true})
        for (MessageAnswer answer :
             {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::Yes}) {
            SCOPED_TRACE(testing::Message() << close << " " << int(answer));
            const bool goesOn = answer != MessageAnswer::Cancel;
            form.reset();
            dialogs = ScriptedDialogs();
            store.Values.clear();
            Write("first.bin", MakeDocument({{0, "First"}, {2, "a"}}));
            Start(first);
            Edit(1);
            dialogs.Answers = {answer};
            if (close) {
                EXPECT_EQ(form->close(), goesOn);
                EXPECT_EQ(OptionsWritten(), goesOn); // settings go only with the window
            } else {
                OpenFromMenu(second);
                EXPECT_EQ(form->File().Path, goesOn ? second : first);
            }
            EXPECT_EQ(Messages(), Names{"Save changes to first.bin?"});
            EXPECT_EQ(Reload(first).ObjectTable[1].Left, answer == MessageAnswer::Yes ? 123 : 0);
        }
}

TEST_F(FileMenuTest, AFailedSaveIsReportedAndYesThenStops) {
    Start(Path("gone/new.bin")); // a missing file starts a new dialog
    Edit(0);
    const std::string failed = "Error: Could not save " + Path("gone/new.bin") + ".";
    Trigger("fileSave");
    dialogs.Answers = {MessageAnswer::Yes};
    OpenFromMenu(second);
    dialogs.Answers = {MessageAnswer::Yes};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(Messages(), (Names{failed, "Save changes to new.bin?", failed,
                                 "Save changes to new.bin?", failed}));
    EXPECT_TRUE(dialogs.FileDialogsShown.empty());
    EXPECT_TRUE(form->IsModified());
    EXPECT_FALSE(OptionsWritten());
}

TEST_F(FileMenuTest, SaveAsAsksBeforeReplacingAndTakesTheNewNameOnlyWhenWritten) {
    Start(first);
    Edit(1);
    dialogs.FileChoices = {FileChoice{second, 1}, FileChoice{Path("gone/x.bin"), 1},
                           FileChoice{second, 1}};
    Trigger("fileSaveAs"); // No to replacing
    EXPECT_EQ(Reload(second).ObjectCount, 3);
    Trigger("fileSaveAs");
    EXPECT_EQ(Messages(), (Names{second + " already exists.\r\nDo you want to replace it?",
                                 "Error: Could not save " + Path("gone/x.bin") + "."}));
    EXPECT_EQ(form->File().Path, first);
    EXPECT_EQ(Title(), "Tarrox II - [first.bin *]");
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("fileSaveAs");
    EXPECT_EQ(Reload(second).ObjectTable[1].Left, 123);
    EXPECT_EQ(Title(), "Tarrox II - [second.bin]");
}

TEST_F(FileMenuTest, SmksNoObjectUsesAreMarkedAndSavingAsksBeforeDroppingThem) {
    StartWith(MakeDocument({{0, "d"}, {2, "a", 0}}, {{"used.smk"}}), "smk.bin");
    Trigger("addSmk");
    Edit(1, "objectLeft", "5");
    Combo("objectSmk")->setCurrentIndex(1); // relinking moves the mark
    EXPECT_EQ(Entries(Combo("nextSmk")), (Names{"0 - used.smk (unused)", "1 - New"}));
    dialogs.FileChoices.push_back(FileChoice{Path("other.bin"), 1});
    const std::string ask = "These SMKs are not used by any object and will not be kept:\r\n0 - "
                            "used.smk\r\nSave anyway?";
    Trigger("fileSave"); // No keeps the file and the mark, on Save and on Save As alike
    Trigger("fileSaveAs");
    EXPECT_EQ(Messages(), (Names{ask, ask}));
    EXPECT_EQ(Title(), "Tarrox II - [smk.bin *]");
    EXPECT_EQ(Reload(Path("smk.bin")).ObjectTable[1].Left, 0);
    EXPECT_FALSE(PathExists(Path("other.bin")));
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("fileSave");
    EXPECT_EQ(Title(), "Tarrox II - [smk.bin]");
    EXPECT_EQ(Reload(Path("smk.bin")).SmkCount, 1);
}

TEST_F(FileMenuTest, AFileThatIsNoDialogOpensOnlyWhenWantedAndIsOverwrittenOnlyWhenSaidAgain) {
    const std::string notes = Path("notes.bin");
    std::ofstream(notes) << std::string(300, 'x');
    Start(first);
    OpenFromMenu(notes);
    EXPECT_EQ(form->File().Path, first);
    dialogs.Answers = {MessageAnswer::Yes};
    OpenFromMenu(notes);
    Edit(0, "objectLeft", "7");
    Trigger("fileSave");
    EXPECT_EQ(Messages(), (Names{notes + " does not look like a dialog file. Open it anyway?",
                                 notes + " does not look like a dialog file. Open it anyway?",
                                 notes + " does not look like a dialog file.\r\nSaving replaces "
                                         "its whole content with this dialog. Overwrite it?"}));
    EXPECT_EQ(Contents(notes), std::string(300, 'x'));
}

TEST_F(FileMenuTest, TheLocaleAnswerIsRoundedAndTheReadmeShownOrSaidMissing) {
    Start();
    dialogs.InputAnswers = {"1033.5", "abc", ""};
    for (int i = 0; i < 3; ++i) Trigger("optionsSetMpqLocale");
    EXPECT_EQ(settings.MpqLocale, 1034);
    Trigger("helpViewReadme");
    EXPECT_EQ(Messages(), Names{"Readme could not be found."});
    std::ofstream(Path("TarroxII.htm")) << "<html><body>Guide text</body></html>";
    Trigger("helpViewReadme");
    EXPECT_EQ(dialogs.Opened, Names{Path("TarroxII.htm")});
    dialogs.DefaultAppStarts = false; // then the editor shows it itself
    Trigger("helpViewReadme");
    QTextBrowser* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "ReadmeWindow" && w->isVisible())
            shown = qobject_cast<QTextBrowser*>(w);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->toPlainText().contains("Guide text"));
}

} // namespace
} // namespace tarrox::test
