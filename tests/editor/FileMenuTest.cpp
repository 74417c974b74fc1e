#include <QTextBrowser>
#include <fstream>

#include "editor/EditorFixture.h"
#include "platform/Gdi.h"
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
    // Opens `path` through File > Open with the .bin file type.
    void OpenFromMenu(const std::string& path) {
        dialogs.FileChoices.push_back(FileChoice{path, 1});
        Trigger("fileOpen");
    }
    void Edit() {
        List("objectList")->setCurrentRow(1);
        Box("objectLeft")->setText("123");
    }
    // Recent Files are kept as they change; the options only when the window goes.
    size_t OptionsWritten() {
        return size_t(std::count_if(store.Values.begin(), store.Values.end(),
                                    [](const auto& v) { return v.first.first == "Options"; }));
    }
    std::string first, second;
};

TEST_F(FileMenuTest, OpenReplacesTheDocumentAndSetsTheTitle) {
    Start(first);
    List("objectList")->setCurrentRow(1);
    ASSERT_EQ(Box("objectText")->text(), "a");
    OpenFromMenu(second);
    // Nothing is chosen in the new document, so the editor shows nothing.
    EXPECT_EQ(Box("objectText")->text(), "");
    EXPECT_EQ(Combo("controlType")->currentIndex(), -1);
    EXPECT_EQ(dialogs.FileDialogsShown.at(0).Filter,
              "Bin Files (*.bin)|*.bin|Mpq Archives (*.mpq;*.exe;*.snp;*.scm;*.scx;*.w3m)|"
              "*.mpq;*.exe;*.scm;*.scx");
    EXPECT_EQ(form->File().Path, second);
    EXPECT_EQ(doc->ObjectCount, 3);
    EXPECT_EQ(Title(), "Tarrox II - [second.bin]");
    EXPECT_TRUE(Find<QAction>("fileSave")->isEnabled());
    // Cancelling the dialog changes nothing.
    Trigger("fileOpen");
    EXPECT_EQ(form->File().Path, second);
}

TEST_F(FileMenuTest, OpeningOrClosingWithUnsavedWorkAsksFirst) {
    struct Case {
        bool Close;
        MessageAnswer Answer;
        bool GoesOn, Saved;
    };
    for (const Case& c :
         {Case{false, MessageAnswer::Cancel, false, false},
          Case{false, MessageAnswer::No, true, false}, Case{false, MessageAnswer::Yes, true, true},
          Case{true, MessageAnswer::Cancel, false, false},
          Case{true, MessageAnswer::No, true, false}, Case{true, MessageAnswer::Yes, true, true}}) {
        SCOPED_TRACE(testing::Message() << c.Close << " " << int(c.Answer));
        form.reset();
        dialogs = ScriptedDialogs();
        store.Values.clear();
        Write("first.bin", MakeDocument({{0, "First"}, {2, "a"}}));
        Start(first);
        Edit();
        dialogs.Answers = {c.Answer};
        if (c.Close) {
            EXPECT_EQ(form->close(), c.GoesOn);
            // The settings are written only when the window really goes.
            EXPECT_EQ(OptionsWritten(), c.GoesOn ? 10u : 0u);
        } else {
            OpenFromMenu(second);
            EXPECT_EQ(dialogs.FileDialogsShown.size(), c.GoesOn ? 1u : 0u);
            EXPECT_EQ(form->File().Path, c.GoesOn ? second : first);
        }
        ASSERT_EQ(dialogs.Messages.size(), 1u);
        EXPECT_EQ(dialogs.Messages[0].Text, "Save changes to first.bin?");
        EXPECT_EQ(dialogs.Messages[0].Icon, MessageIcon::Exclamation);
        EXPECT_EQ(dialogs.Messages[0].Buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(dialogs.Messages[0].Title, "Tarrox II");
        EXPECT_EQ(Reload(first).ObjectTable[1].Left, c.Saved ? 123 : 0);
    }
}

TEST_F(FileMenuTest, AFailedSaveIsReportedAndYesThenStops) {
    Start(Path("gone/new.bin")); // a missing file starts a new dialog
    List("objectList")->setCurrentRow(0);
    Box("objectLeft")->setText("5");
    Trigger("fileSave");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Error: Could not save " + Path("gone/new.bin") + ".");
    EXPECT_EQ(dialogs.Messages[0].Icon, MessageIcon::Critical);
    EXPECT_TRUE(form->IsModified());
    dialogs.Answers = {MessageAnswer::Yes};
    OpenFromMenu(second);
    EXPECT_EQ(dialogs.Messages.back().Text, "Error: Could not save " + Path("gone/new.bin") + ".");
    EXPECT_TRUE(dialogs.FileDialogsShown.empty());
    EXPECT_EQ(doc->ObjectTable[0].Left, 5);
    EXPECT_TRUE(form->IsModified());
    dialogs.Answers = {MessageAnswer::Yes};
    EXPECT_FALSE(form->close());
    EXPECT_EQ(OptionsWritten(), 0u);
}

TEST_F(FileMenuTest, AFileThatCannotBeReadKeepsTheOpenDocument) {
    Start(first);
    std::filesystem::create_directories(dir / "folder.bin");
    OpenFromMenu(Path("folder.bin"));
    EXPECT_EQ(dialogs.Messages.back().Text, "Error: Could not open " + Path("folder.bin") + ".");
    EXPECT_EQ(dialogs.Messages.back().Icon, MessageIcon::Critical);
    EXPECT_EQ(form->File().Path, first);
    EXPECT_EQ(doc->ObjectCount, 2);
    EXPECT_EQ(List("objectList")->count(), 2);
    EXPECT_EQ(Title(), "Tarrox II - [first.bin]");
}

TEST_F(FileMenuTest, SaveAsAsksBeforeReplacingAndTakesTheNewName) {
    Start(first);
    Edit();
    dialogs.FileChoices.push_back(FileChoice{second, 1});
    dialogs.Answers = {MessageAnswer::No};
    Trigger("fileSaveAs");
    EXPECT_EQ(dialogs.Messages.back().Text,
              second + " already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(dialogs.Messages.back().Title, "Save As...");
    EXPECT_EQ(Reload(second).ObjectCount, 3);
    EXPECT_EQ(form->File().Path, first);

    dialogs.FileChoices.push_back(FileChoice{second, 1});
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("fileSaveAs");
    DialogDocument saved = Reload(second);
    EXPECT_EQ(saved.ObjectCount, 2);
    EXPECT_EQ(saved.ObjectTable[1].Left, 123);
    EXPECT_EQ(form->File().Path, second);
    EXPECT_EQ(Title(), "Tarrox II - [second.bin]");

    dialogs.FileChoices.push_back(FileChoice{Path("third.bin"), 1});
    Trigger("fileSaveAs");
    EXPECT_EQ(Reload(Path("third.bin")).ObjectCount, 2);
    // The dialog keeps the last choice as its preset.
    EXPECT_EQ(dialogs.FileDialogsShown.back().FileName, second);
}

TEST_F(FileMenuTest, AFailedSaveAsKeepsTheOldNameAndFile) {
    Start(first);
    Edit();
    dialogs.FileChoices.push_back(FileChoice{Path("gone/x.bin"), 1});
    Trigger("fileSaveAs");
    EXPECT_EQ(dialogs.Messages.back().Text, "Error: Could not save " + Path("gone/x.bin") + ".");
    EXPECT_EQ(form->File().Path, first);
    EXPECT_EQ(Title(), "Tarrox II - [first.bin *]");
}

TEST_F(FileMenuTest, TheTitleNamesAnArchivedDocumentByBothNames) {
    Start(first);
    form->File().FromArchive = true;
    form->File().ArchivePath = "/games/sc/patch_rt.mpq";
    form->File().ArchivedName = "rez\\glumain.bin";
    form->SetTitle(true);
    EXPECT_EQ(Title(), "Tarrox II - [patch_rt.mpq > glumain.bin *]");
    form->SetTitle(false);
    EXPECT_EQ(Title(), "Tarrox II - [patch_rt.mpq > glumain.bin]");
    dialogs.Answers = {MessageAnswer::Cancel};
    form->SetTitle(true);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(dialogs.Messages.back().Text, "Save changes to glumain.bin?");
}

TEST_F(FileMenuTest, TheLocaleAnswerIsRoundedAndBadAnswersChangeNothing) {
    Start();
    dialogs.InputAnswers = {"-1", "1033.5", "abc", ""};
    Trigger("optionsSetMpqLocale");
    EXPECT_EQ(settings.MpqLocale, -1);
    Trigger("optionsSetMpqLocale");
    EXPECT_EQ(settings.MpqLocale, 1034);
    Trigger("optionsSetMpqLocale");
    Trigger("optionsSetMpqLocale");
    EXPECT_EQ(settings.MpqLocale, 1034);
    EXPECT_EQ(dialogs.InputPrompts.front(), "Default locale ID: (-1 = show all)");
}

} // namespace
} // namespace tarrox::test

namespace tarrox::test {
namespace {

TEST_F(FileMenuTest, SmksNoObjectUsesAreMarkedAndSavingAsksBeforeDroppingThem) {
    StartWith(MakeDocument({{0, "d"}, {2, "a", 0}}, {{"used.smk"}}), "smk.bin");
    const std::string path = Path("smk.bin");
    Trigger("addSmk");
    List("objectList")->setCurrentRow(1);
    EXPECT_EQ(Entries(List("smkList")),
              (std::vector<std::string>{"0 - used.smk", "1 - New (unused)"}));
    // Relinking moves the mark.
    Combo("objectSmk")->setCurrentIndex(1);
    EXPECT_EQ(Entries(List("smkList")),
              (std::vector<std::string>{"0 - used.smk (unused)", "1 - New"}));
    Box("objectLeft")->setText("5");

    const std::string question = "These SMKs are not used by any object and will not be kept:"
                                 "\r\n0 - used.smk\r\nSave anyway?";
    // No keeps the file and the mark, on Save and on Save As alike.
    dialogs.FileChoices.push_back(FileChoice{Path("other.bin"), 1});
    for (const char* action : {"fileSave", "fileSaveAs"}) {
        dialogs.Messages.clear();
        Trigger(action);
        ASSERT_EQ(dialogs.Messages.size(), 1u) << action;
        EXPECT_EQ(dialogs.Messages[0].Text, question);
        EXPECT_EQ(dialogs.Messages[0].Buttons, MessageButtons::YesNo);
        EXPECT_EQ(dialogs.Messages[0].Title, "Tarrox II");
        EXPECT_EQ(Title(), "Tarrox II - [smk.bin *]");
    }
    EXPECT_EQ(Reload(path).ObjectTable[1].Left, 0);
    EXPECT_FALSE(PathExists(Path("other.bin")));

    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("fileSave");
    EXPECT_EQ(Title(), "Tarrox II - [smk.bin]");
    DialogDocument saved = Reload(path);
    EXPECT_EQ(saved.ObjectTable[1].Left, 5);
    ASSERT_EQ(saved.SmkCount, 1);
    EXPECT_EQ(saved.StringTable[saved.SmkTable[0].FileName], "New");
}

TEST_F(FileMenuTest, AFileThatIsNoDialogOpensOnlyWhenWantedAndIsOverwrittenOnlyWhenSaidAgain) {
    const std::string notes = Path("notes.bin");
    const std::string notesText(300, 'x');
    std::ofstream(notes) << notesText;
    Start(first);
    OpenFromMenu(notes);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              notes + " does not look like a dialog file. Open it anyway?");
    EXPECT_EQ(dialogs.Messages[0].Buttons, MessageButtons::YesNo);
    EXPECT_EQ(form->File().Path, first);

    dialogs.Answers = {MessageAnswer::Yes};
    OpenFromMenu(notes);
    EXPECT_EQ(form->File().Path, notes);
    List("objectList")->setCurrentRow(0);
    Box("objectLeft")->setText("7");
    dialogs.Messages.clear();
    Trigger("fileSave");
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text,
              notes + " does not look like a dialog file.\r\nSaving replaces its whole content "
                      "with this dialog. Overwrite it?");
    EXPECT_EQ(Contents(notes), notesText);
    EXPECT_EQ(Title(), "Tarrox II - [notes.bin *]");

    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("fileSave");
    EXPECT_EQ(Reload(notes).ObjectTable[0].Left, 7);
    EXPECT_EQ(Title(), "Tarrox II - [notes.bin]");
}

TEST_F(FileMenuTest, ViewReadmeShowsTheGuideItselfWhenNoApplicationStarts) {
    std::ofstream(Path("TarroxII.htm")) << "<html><body>Guide text</body></html>";
    Start();
    dialogs.DefaultAppStarts = false;
    Trigger("helpViewReadme");
    EXPECT_EQ(dialogs.Opened.size(), 1u);
    QTextBrowser* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "ReadmeWindow" && w->isVisible())
            shown = qobject_cast<QTextBrowser*>(w);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->toPlainText().contains("Guide text"));
    EXPECT_TRUE(dialogs.Messages.empty());
}

} // namespace
} // namespace tarrox::test
