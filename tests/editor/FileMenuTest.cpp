#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <fstream>
#include <map>
#include <sstream>

#include "editor/EditorFixture.h"
#include "platform/qt/QtDialogs.h"

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
    // A drop reaches only the widget that took the drag's entry, and opens after the event.
    void DropOnWindow(const std::string& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &drop);
        QApplication::processEvents();
    }
    Names Listed() {
        Names out;
        for (QAction* a : Find<QMenu>("fileRecentFiles")->actions())
            out.push_back(a->text().toStdString());
        return out;
    }
    void Pick(int entry) { Find<QMenu>("fileRecentFiles")->actions()[entry]->trigger(); }
    std::string first, second;
};

// What does not read as a dialog opens only when wanted, and is overwritten only when said again.
TEST_F(FileMenuTest, OpenReplacesTheDocumentOnlyWithADialogOrAFileTheUserStillWants) {
    const std::string notes = Write("notes.bin", std::string(300, 'x'));
    std::filesystem::create_directories(dir_ / "folder.bin");
    Start(first);
    Edit(1);
    dialogs.Answers = {MessageAnswer::No};
    OpenFromMenu(second);
    EXPECT_EQ(Box("objectText")->text(), ""); // nothing of the old document shown
    OpenFromMenu(Path("folder.bin"));
    OpenFromMenu(notes);
    EXPECT_EQ(form->File().Path, second);
    EXPECT_EQ(List("objectList")->count(), 3);
    dialogs.Answers = {MessageAnswer::Yes};
    OpenFromMenu(notes);
    Edit(0, "objectLeft", "7");
    Trigger("fileSave");
    const std::string odd = " does not look like a dialog file.", ask = odd + " Open it anyway?";
    EXPECT_EQ(Messages(),
              (Names{"Save changes to first.bin?",
                     "Error: Could not open " + Path("folder.bin") + ".", notes + ask, notes + ask,
                     notes + odd +
                         "\r\nSaving replaces its whole content with this "
                         "dialog. Overwrite it?"}));
    EXPECT_EQ(Contents(notes), std::string(300, 'x'));
}

// A file is opened from the menu or dropped on the window, or the window is closed.
enum class Leaving { Open, Drop, Close };

TEST_F(FileMenuTest, OpeningDroppingOrClosingWithUnsavedWorkAsksFirst) {
    for (Leaving how : {Leaving::Open, Leaving::Drop, Leaving::Close})
        for (MessageAnswer answer :
             {MessageAnswer::Cancel, MessageAnswer::No, MessageAnswer::Yes}) {
            SCOPED_TRACE(testing::Message() << int(how) << " " << int(answer));
            const bool goesOn = answer != MessageAnswer::Cancel;
            dialogs = ScriptedDialogs();
            store.Values.clear();
            Write("first.bin", MakeDocument({{0, "First"}, {2, "a"}}));
            Start(first);
            Edit(1);
            dialogs.Answers = {answer};
            if (how == Leaving::Close) {
                EXPECT_EQ(form->close(), goesOn);
                // Recent Files are kept as they change; the options only when the window goes.
                EXPECT_EQ(store.Read("Options", "Locale").has_value(), goesOn);
            } else {
                if (how == Leaving::Drop)
                    DropOnWindow(second);
                else
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
    EXPECT_TRUE(form->IsModified());
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
    dialogs.Answers = {MessageAnswer::Yes};
    Trigger("fileSave");
    EXPECT_EQ(Reload(Path("smk.bin")).SmkCount, 1);
}

using OptionMap = std::map<std::pair<std::string, std::string>, std::string>;

// The stored options in the order of `Keys`; an empty value leaves the key out.
OptionMap Options(const Names& values) {
    std::istringstream keys("AutoCalcSizes Locale ShowAll FillRects ClrHlight ClrHlightDk "
                            "ClrNormal ClrNormalDk FontClrs CustomClr ShowHidden GameArt ArtRace "
                            "ArtFolders ShowGrid SnapToGrid GridSize");
    OptionMap out;
    std::string key;
    for (size_t i = 0; i < values.size() && keys >> key; ++i)
        if (values[i] != "-") out[{"Options", (i < 2 ? "" : "Preview") + key}] = values[i];
    return out;
}

// Closing writes back stored values under the same keys, defaults for what is missing or bad.
TEST_F(FileMenuTest, SettingsComeBackUnderTheirKeysAndBadOnesFallBackToDefaults) {
    const OptionMap defaults =
        Options({"False", "0", "True", "True", "6316272", "4210880", "12615744", "8404992", "1", "",
                 "True", "False", "0", "", "False", "False", "8"});
    const OptionMap own =
        Options({"True", "-1", "False", "False", "255", "65280", "16711680", "1", "3", "/a b.pcx",
                 "False", "True", "2", "glucmpgn=PalCs", "True", "True", "32"});
    const OptionMap bad = Options({"yes", "english", "-", "-", "-5", "-", "-", "-", "4", "-",
                                   "maybe", "-", "3", "-", "-", "on", "33"});
    for (const auto& [before, after] :
         {std::pair{OptionMap{}, defaults}, {own, own}, {bad, defaults}}) {
        store.Values = before;
        Start();
        EXPECT_TRUE(form->close());
        EXPECT_EQ(store.Values, after);
    }
}

TEST_F(FileMenuTest, TheCommandLineOpensADialogStartsANewOneOrRefusesOtherFiles) {
    std::filesystem::create_directories(dir_ / "my dir");
    const std::string quoted = Write("my dir/Main.BIN", MakeDocument({{0, "Main"}, {2, "Go"}}));
    for (const auto& [line, title] :
         {std::pair{"\"" + quoted + "\" -x", "Tarrox II - [Main.BIN]"},
          {Write("dialog.txt", MakeDocument({{0, "Main"}})), "Tarrox II"}}) {
        Start(line);
        EXPECT_EQ(Title(), title);
    }
    EXPECT_EQ(Messages(), Names{"Error: Not a valid file format."});
}

// Qt matches by the one list in parentheses at the end of what the user reads.
TEST_F(FileMenuTest, EachFileTypeReadsAsExactlyThePatternsItMatches) {
    Start();
    Trigger("fileOpen");
    Trigger("optionsImportGameData");
    ASSERT_EQ(dialogs.FileDialogsShown.size(), 2u);
    EXPECT_EQ(QtNameFilters(dialogs.FileDialogsShown[0].Filter),
              (QStringList{"Bin Files (*.bin)", "Mpq Archives (*.mpq *.exe *.snp *.scm *.scx)"}));
    EXPECT_EQ(QtNameFilters(dialogs.FileDialogsShown[1].Filter),
              (QStringList{"Game Archives (*.mpq *.exe)", "Loose Game Files (*.fnt *.pcx)"}));
}

TEST_F(FileMenuTest, OpenedFilesAreListedNewestFirstKeptInTheSettingsAndMissingOnesGo) {
    for (int i = 1; i <= 10; ++i)
        store.Write("Recent Files", "File" + std::to_string(i), Path(std::to_string(i)));
    Start(first);
    dialogs.FileChoices.push_back(FileChoice{second, 1});
    Trigger("fileOpen");
    EXPECT_EQ(Listed(),
              (Names{"&1 " + second, "&2 " + first, "&3 " + Path("1"), "&4 " + Path("2"),
                     "&5 " + Path("3"), "&6 " + Path("4"), "&7 " + Path("5"), "&8 " + Path("6")}));
    Pick(1);
    EXPECT_EQ(Title(), "Tarrox II - [first.bin]");
    EXPECT_EQ(store.Read("Recent Files", "File1"), first);
    Pick(3);
    EXPECT_EQ(Messages(), Names{Path("2") + " could not be found.\r\nIt has been removed from "
                                            "Recent Files."});
    EXPECT_EQ(Listed().size(), 7u);
    EXPECT_EQ(store.Read("Recent Files", "File4"), Path("3"));
}

} // namespace
} // namespace tarrox::test
