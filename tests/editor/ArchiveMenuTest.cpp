#include <sys/stat.h>

#include <QProgressDialog>
#include <QTimer>
#include <chrono>

#include "archive/qt/ArchiveBrowser.h"
#include "editor/EditorFixture.h"
#include "support/SmpqArchive.h"

namespace tarrox::test {
namespace {

class ArchiveMenuTest : public EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        Write("data/binlist.txt", "rez\\glumain.bin\r\nrez\\options.bin\r\n");
        mainBytes = Bytes(MakeDocument({{0, "Main"}, {2, "Play"}, {5, "logo"}}));
        archive = Path("x.mpq");
        MakeSmpqArchive(archive,
                        {{"rez\\glumain.bin", mainBytes},
                         {"rez\\options.bin", Bytes(MakeDocument({{0, "Options"}}))},
                         {"rez\\glumain.bin", Bytes(MakeDocument({{0, "Haupt"}})), 1031}},
                        dir_ / "stage");
        // The archive work is the tool's, found beside the program like the name list.
        for (const char* name : {"tarrox2-cli", "real-cli"})
            std::filesystem::create_hard_link(TARROX_CLI, dir_ / name);
    }
    // Makes the tool run `body` for `job` and do the real work for every other job.
    void ReplaceTool(const std::string& job, const std::string& body) {
        std::filesystem::remove(dir_ / "tarrox2-cli"); // a hard link: never write through it
        std::ofstream(dir_ / "tarrox2-cli")
            << "#!/bin/sh\ncase \"$1\" in " << job << ") " << body << ";; esac\nexec \""
            << Path("real-cli") << "\" \"$@\"\n";
        ::chmod(Path("tarrox2-cli").c_str(), 0755);
    }
    static std::string Bytes(const DialogDocument& d) { return Text(WriteBinDocument(d).value()); }
    // Runs `inBrowser` once the archive browser is up, then closes it; polls, as other event
    // loops may run first.
    void WhenBrowsing(std::function<void(ArchiveBrowser&)> inBrowser) {
        auto* poll = new QTimer(form.get());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, inBrowser, deadline] {
            auto* browser = dynamic_cast<ArchiveBrowser*>(QApplication::activeModalWidget());
            const bool up = browser && browser->isVisible();
            if (!up && std::chrono::steady_clock::now() < deadline) return;
            poll->stop();
            poll->deleteLater();
            ASSERT_TRUE(up) << "no archive browser came up";
            browsed = Entries(browser->findChild<QListWidget*>("fileList"));
            inBrowser(*browser);
            if (browser->isVisible()) browser->reject();
        });
        poll->start(0);
    }
    // File > Open of `path` as an archive; `inBrowser` runs while the browser is shown.
    void OpenArchive(const std::string& path, std::function<void(ArchiveBrowser&)> inBrowser) {
        dialogs.FileChoices.push_back(FileChoice{path, 2});
        WhenBrowsing(std::move(inBrowser));
        Trigger("fileOpen");
    }
    // Picks `row` (unless negative) in the browser and clicks `button`.
    static void Click(ArchiveBrowser& b, const char* button, int row = -1) {
        if (row >= 0) b.findChild<QListWidget*>("fileList")->setCurrentRow(row);
        b.findChild<QPushButton*>(button)->click();
    }
    void OpenFromBrowser(int row) {
        OpenArchive(archive, [row](ArchiveBrowser& b) { Click(b, "openButton", row); });
    }

    std::string archive, mainBytes;
    const std::string openFailed = "Error: Could not open archive.";
    const std::string notArchive = "This file does not contain an MPQ archive.\r\nIf you were "
                                   "trying to open a .bin file, select \"Bin Files\" in the file "
                                   "type box.";
    Names browsed;
};

TEST_F(ArchiveMenuTest, OpeningFromTheBrowserLoadsATemporaryCopyGoneAtClose) {
    Start();
    settings.MpqLocale = -1;
    OpenFromBrowser(1);
    EXPECT_EQ(browsed, (Names{"rez\\glumain.bin", "rez\\glumain.bin  (1031)", "rez\\options.bin"}));
    EXPECT_EQ(doc->StringTable[doc->ObjectTable[0].Text], "Haupt");
    EXPECT_EQ(form->File().ArchivedLocale, 1031); // where it is written back
    OpenFromBrowser(2);                           // replaces the temporary file without a question
    EXPECT_EQ(Title(), "Tarrox II - [x.mpq > options.bin]");
    Edit(0);
    dialogs.Answers = {MessageAnswer::No};
    EXPECT_TRUE(form->close());
    EXPECT_EQ(Messages(), Names{"Save changes to options.bin?"});
    EXPECT_FALSE(PathExists(std::filesystem::path(TempFilePath()).parent_path().string()));
    EXPECT_TRUE(PathExists(archive));
}

// An archive's header under any name makes it one, and so does an archive's extension in any
// case: a file that is none is then refused as an archive.
TEST_F(ArchiveMenuTest, TheCommandLineOpensAnArchiveInTheBrowser) {
    std::filesystem::copy_file(archive, dir_ / "stardat.dat");
    WhenBrowsing([](ArchiveBrowser& b) { Click(b, "openButton", 0); });
    Start('"' + Path("stardat.dat") + '"');
    EXPECT_EQ(browsed, (Names{"rez\\glumain.bin", "rez\\options.bin"}));
    EXPECT_EQ(Title(), "Tarrox II - [stardat.dat > glumain.bin]");
    EXPECT_EQ(store.Read("Recent Files", "File1"), Path("stardat.dat"));
    Start(Write("FAKE.MPQ", "no archive"));
    EXPECT_EQ(Messages(), Names{notArchive});
}

// Messages come only after the progress window is gone: a box under it takes no input.
TEST_F(ArchiveMenuTest, SavingAndCompactingGoThroughTheToolBehindItsProgressWindow) {
    Start();
    dialogs.OnMessage = [this](const std::string& message) {
        if (!form->findChildren<QProgressDialog*>().isEmpty())
            ADD_FAILURE() << "shown under a progress window: " << message;
    };
    OpenFromBrowser(0);
    Edit(1);
    Trigger("fileSave");
    EXPECT_EQ(SmpqExtract(archive, "rez\\glumain.bin", dir_ / "out"), Bytes(*doc));
    Box("objectLeft")->setText("78");
    // A compaction that fails after reporting progress: the bar moved, the file went in.
    ReplaceTool("put", "echo progress 1 2; sleep 0.3; echo 'Error: Could not compact' >&2; exit 1");
    int shownValue = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* bar = form->findChild<QProgressDialog*>()) shownValue = bar->value();
    });
    watch.start(10);
    Trigger("fileSave");
    EXPECT_EQ(shownValue, 500);
    EXPECT_EQ(Title(), "Tarrox II - [x.mpq > glumain.bin]");
    const std::string load = "Load rez\\glumain.bin into MPQ:" + archive;
    EXPECT_EQ(Messages(), (Names{load, load, "Error: Could not compact"}));
    // Compacting on request works on the archive chosen, not the open one, and says how it went.
    const std::string other = Path("other.mpq");
    std::filesystem::copy_file(archive, other);
    dialogs.FileChoices = {FileChoice{other, 2}};
    Trigger("fileCompactArchive");
    EXPECT_EQ(Messages().back(), other + " is compacted.");
}

TEST_F(ArchiveMenuTest, SaveAsIntoAnArchiveStoresADiskDialogUnderRezAndAFailureChangesNothing) {
    StartWith(MakeDocument({{0, "Disk"}, {2, "b"}}), "mine.bin");
    dialogs.FileChoices = {FileChoice{Path("new.mpq"), 2}, FileChoice{Path("gone/o.mpq"), 2}};
    Trigger("fileSaveAs");
    EXPECT_EQ(Title(), "Tarrox II - [new.mpq > mine.bin]");
    EXPECT_EQ(SmpqExtract(Path("new.mpq"), "rez\\mine.bin", dir_ / "out"), Bytes(*doc));
    Edit(1);
    Trigger("fileSaveAs");
    EXPECT_EQ(Messages().back(), openFailed);
    EXPECT_EQ(form->File().ArchivePath, Path("new.mpq"));
    EXPECT_EQ(Title(), "Tarrox II - [new.mpq > mine.bin *]");
}

// The bytes, not the name or the type box, decide how a file opens; a crashing tool costs nothing.
TEST_F(ArchiveMenuTest, TheFileDecidesHowItOpensAndNoFailureCostsTheDocument) {
    const std::string disguised = Path("archive.bin");
    std::filesystem::copy_file(archive, disguised);
    Write("fake.mpq", "just some text"), Write("out.bin", std::string(5000, 'z'));
    StartWith(MakeDocument({{0, "Kept"}, {2, "b"}}), "kept.bin");
    Edit(1);
    dialogs.Answers = {MessageAnswer::No, MessageAnswer::Yes}; // "Save changes?", replace out.bin
    OpenArchive(disguised, [&](ArchiveBrowser& b) {
        Click(b, "openButton"); // without a selection: nothing
        Click(b, "extractButton");
        dialogs.FileChoices.push_back(FileChoice{Path("out.bin"), 1});
        Click(b, "extractButton", 0);
        EXPECT_TRUE(b.isVisible());
    });
    EXPECT_EQ(dialogs.FileDialogsShown.size(), 2u);
    EXPECT_EQ(Contents(Path("out.bin")), mainBytes);
    EXPECT_EQ(Contents(disguised), Contents(archive));
    // No to saving each time: what was not saved must not be lost either.
    dialogs.Answers.assign(4, MessageAnswer::No);
    dialogs.FileChoices = {FileChoice{Path("fake.mpq"), 2}, FileChoice{archive, 2}};
    Trigger("fileOpen");
    ReplaceTool("list", "kill -SEGV $$");
    Trigger("fileOpen");
    ReplaceTool("extract", "kill -SEGV $$");
    OpenArchive(archive, [&](ArchiveBrowser& b) { Click(b, "openButton", 0); });
    EXPECT_EQ(Title(), "Tarrox II - [kept.bin *]");
    const std::string save = "Save changes to kept.bin?";
    EXPECT_EQ(Messages(),
              (Names{save, Path("out.bin") + " already exists.\r\nDo you want to replace it?", save,
                     notArchive, save, openFailed, save, openFailed}));
    const std::string next = Write("next.bin", MakeDocument({{0, "Next"}, {2, "x"}}));
    dialogs.FileChoices.push_back(FileChoice{next, 2});
    Trigger("fileOpen");
    EXPECT_EQ(form->File().Path, next);
}

} // namespace
} // namespace tarrox::test
