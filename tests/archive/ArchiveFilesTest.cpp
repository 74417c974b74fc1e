#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "archive/ArchiveFiles.h"
#include "archive/ArchiveFixture.h"
#include "archive/LibraryArchive.h"
#include "archive/Mpq.h"

namespace tarrox {
namespace {

using test::StoredFile;

class ArchiveFilesTest : public test::ArchiveTest {
  protected:
    std::vector<std::string> List(const std::string& archive, int32_t locale,
                                  ListResult expected = ListResult::Listed) {
        std::vector<ArchiveLine> lines;
        EXPECT_EQ(ListDialogFiles(archive, NameListPath(), locale, lines), expected);
        std::vector<std::string> out;
        for (const ArchiveLine& l : lines) out.push_back(FormatArchiveLine(l));
        return out;
    }
    // Keeps every message the user would be shown.
    bool Put(const std::string& archive, const std::string& name, const std::string& source,
             int32_t locale = 0, mpq::CompactProgress* progress = nullptr) {
        return Kept(WriteBackToArchive(archive, {name, locale}, source, progress));
    }
    bool Extract(const std::string& archive, const ArchiveLine& file, const std::string& out,
                 bool replace = true) {
        return Kept(ExtractArchivedFile(archive, file, out, [&](const std::string& destination) {
            questions.push_back(destination);
            return replace;
        }));
    }
    bool Kept(const ArchiveResult& result) {
        if (!result.Message.empty()) messages.push_back(result.Message);
        last = result;
        return result.Ok;
    }
    std::vector<std::string> messages, questions;
    ArchiveResult last;
};

const std::string Sep(1, char(31));

TEST_F(ArchiveFilesTest, ListingKeepsDialogFilesOfTheChosenLocale) {
    std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"},
                                          {"rez\\glusingl.bin", "singl-de", 1031},
                                          {"rez\\options.bin", "opt-en", 1033},
                                          {"rez\\readme.txt", "not a dialog"},
                                          {"arr\\glumain.bin", "elsewhere"},
                                          {"REZ\\GLUMAIN.BIN", "case differs"}});
    EXPECT_EQ(List(a, 0), (std::vector<std::string>{"rez\\glumain.bin"}));
    EXPECT_EQ(List(a, 1033),
              (std::vector<std::string>{"rez\\glumain.bin", "rez\\options.bin" + Sep + " (1033)"}));
    auto all = List(a, -1);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all,
              (std::vector<std::string>{"rez\\glumain.bin", "rez\\glusingl.bin" + Sep + " (1031)",
                                        "rez\\options.bin" + Sep + " (1033)"}));
    // A locale line opens its own locale's file, by the name before the separator.
    const ArchiveLine line = ParseArchiveLine("rez\\a.bin" + Sep + " (1031)");
    EXPECT_EQ(line.Name, "rez\\a.bin");
    EXPECT_EQ(line.Locale, 1031);

    // What is no archive is refused; an archive without dialogs lists empty.
    EXPECT_TRUE(
        List(WriteFile("x.mpq", "definitely not MPQ data"), 0, ListResult::NotAnArchive).empty());
    EXPECT_TRUE(List(Path("missing.mpq"), 0, ListResult::NotAnArchive).empty());
    EXPECT_TRUE(List(MakeArchive("e.mpq", {{"other\\file.txt", "x"}}), -1).empty());
}

TEST_F(ArchiveFilesTest, ExtractWritesExactlyTheArchivedBytes) {
    const std::string big(70000, 'q'); // several sectors
    std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", big},
                                          {"rez\\glusingl.bin", "neutral"},
                                          {"rez\\glusingl.bin", "deutsch", 1031}});
    std::string out = WriteFile("out.bin", std::string(100000, 'x'));
    ASSERT_TRUE(Extract(a, {"rez\\glumain.bin"}, out));
    EXPECT_EQ(Contents(out), big);
    EXPECT_EQ(questions, std::vector<std::string>{out});

    // No keeps the file, silently; the temporary file is replaced without a question.
    EXPECT_FALSE(Extract(a, {"rez\\glusingl.bin"}, out, false));
    EXPECT_EQ(Contents(out), big);
    for (int i = 0; i < 2; ++i)
        ASSERT_TRUE(Extract(a, {"rez\\glusingl.bin", 1031}, TempFilePath()));
    EXPECT_EQ(Contents(TempFilePath()), "deutsch");
    ASSERT_TRUE(Extract(a, {"rez\\glusingl.bin", 0}, TempFilePath()));
    EXPECT_EQ(Contents(TempFilePath()), "neutral");
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_TRUE(messages.empty());
}

// An empty .bin is a valid, empty dialog.
TEST_F(ArchiveFilesTest, ExtractOfAnEmptyFileWritesAnEmptyFile) {
    std::string a = Path("empty.mpq");
    ASSERT_TRUE(test::MakeLibraryArchive(a, {{"rez\\glumain.bin", ""}}, true, 16));
    ASSERT_TRUE(Extract(a, {"rez\\glumain.bin"}, Path("e.bin"))) << last.Message;
    EXPECT_EQ(Contents(Path("e.bin")), "");
}

TEST_F(ArchiveFilesTest, ExtractTellsWhatFailed) {
    std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"}});
    EXPECT_FALSE(Extract(Path("none.mpq"), {"rez\\glumain.bin"}, Path("o")));
    EXPECT_FALSE(Extract(a, {"rez\\absent.bin"}, Path("o")));
    EXPECT_FALSE(Extract(a, {"rez\\glumain.bin"}, Path("no/dir/o.bin")));
    EXPECT_EQ(messages, (std::vector<std::string>{
                            "Error: Could not open archive.", "Error: Could not open file.",
                            "Error: Could not save " + Path("no/dir/o.bin") + "."}));
    EXPECT_FALSE(std::filesystem::exists(Path("o")));
}

TEST_F(ArchiveFilesTest, PutCreatesAnArchiveTheOtherClientReads) {
    std::string source = WriteFile("in.bin", std::string(5000, 'd'));
    ASSERT_TRUE(Put(Path("new.mpq"), "rez\\glumain.bin", source));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(SmpqExtract(Path("new.mpq"), "rez\\glumain.bin"), std::string(5000, 'd'));
    EXPECT_EQ(List(Path("new.mpq"), 0), (std::vector<std::string>{"rez\\glumain.bin"}));
    // Version 1: the header is 32 bytes and says format 0.
    std::string bytes = Contents(Path("new.mpq"));
    ASSERT_GE(bytes.size(), 32u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("MPQ\x1a", 4));
    EXPECT_EQ(bytes[4], 32);
    EXPECT_EQ(bytes[12], 0);
    EXPECT_TRUE(Leftovers({"new.mpq", "in.bin"}).empty());
}

TEST_F(ArchiveFilesTest, PutReplacesOneFileAndKeepsTheOthers) {
    std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "old main"},
                                          {"rez\\glusingl.bin", std::string(9000, 's')},
                                          {"rez\\options.bin", "de", 1031}});
    ASSERT_TRUE(Put(a, "rez\\glumain.bin", WriteFile("in.bin", "new main")));
    EXPECT_EQ(SmpqExtract(a, "rez\\glumain.bin"), "new main");
    EXPECT_EQ(SmpqExtract(a, "rez\\glusingl.bin"), std::string(9000, 's'));
    EXPECT_EQ(SmpqExtract(a, "rez\\options.bin", 1031), "de");
    // Writing back a locale's file replaces that locale, not the neutral one.
    ASSERT_TRUE(Put(a, "rez\\options.bin", WriteFile("de.bin", "neu"), 1031));
    EXPECT_EQ(SmpqExtract(a, "rez\\options.bin", 1031), "neu");
    EXPECT_EQ(List(a, -1).size(), 3u);
}

TEST_F(ArchiveFilesTest, PutReplacesInAnArchiveWithoutListfile) {
    std::string a = Path("bare.mpq");
    ASSERT_TRUE(
        test::MakeLibraryArchive(a, {{"rez\\glumain.bin", "old"}, {"rez\\x.bin", "x"}}, false, 16));
    ASSERT_TRUE(Put(a, "rez\\glumain.bin", WriteFile("in.bin", "new")));
    EXPECT_EQ(SmpqExtract(a, "rez\\glumain.bin"), "new");
    // rez\x.bin is in no list, so the archive cannot be compacted: that is no failure.
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(last.Note, a + " not compacted: it holds files whose names are unknown");
    EXPECT_EQ(SmpqExtract(a, "rez\\x.bin"), "x");
    EXPECT_TRUE(Leftovers({"bare.mpq", "in.bin"}).empty());
}

TEST_F(ArchiveFilesTest, PutGrowsAFullHashTable) {
    std::vector<StoredFile> files;
    for (int i = 0; i < 3; ++i) files.push_back({"rez\\f" + std::to_string(i) + ".bin", "x"});
    std::string a = Path("full.mpq"); // room for four: the three and the (listfile)
    ASSERT_TRUE(test::MakeLibraryArchive(a, files, true, 4));
    WriteNameList({"rez\\f0.bin", "rez\\f1.bin", "rez\\f2.bin", "rez\\f3.bin", "rez\\glumain.bin"});
    ASSERT_TRUE(Put(a, "rez\\glumain.bin", WriteFile("in.bin", "grown")));
    EXPECT_EQ(SmpqExtract(a, "rez\\glumain.bin"), "grown");
    EXPECT_EQ(SmpqExtract(a, "rez\\f2.bin"), "x");
    EXPECT_EQ(List(a, 0).size(), 4u);
}

// What must never happen: a failed update that leaves the archive changed.
TEST_F(ArchiveFilesTest, AFailedPutLeavesTheArchiveByteIdentical) {
    std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"}});
    const std::string before = Contents(a);

    EXPECT_FALSE(Put(a, "rez\\glumain.bin", Path("missing.bin")));
    EXPECT_EQ(messages, (std::vector<std::string>{"Error: Could not add file.\r\n2"}));

    ::chmod(a.c_str(), 0444);
    EXPECT_FALSE(Put(a, "rez\\glumain.bin", WriteFile("in.bin", "new")));
    ::chmod(a.c_str(), 0644);
    EXPECT_EQ(messages.back(), "Error: Could not open archive.");
    EXPECT_EQ(last.Icon, MessageIcon::Critical);

    std::string text = WriteFile("text.mpq", "not an archive at all");
    EXPECT_FALSE(Put(text, "rez\\glumain.bin", Path("in.bin")));
    EXPECT_EQ(Contents(text), "not an archive at all");

    EXPECT_EQ(Contents(a), before);
    EXPECT_TRUE(Leftovers({"a.mpq", "in.bin", "text.mpq"}).empty());
}

// While the update runs, the original stays as it was: a crash at any point loses nothing.
TEST_F(ArchiveFilesTest, TheOriginalIsUntouchedUntilTheUpdateIsComplete) {
    std::vector<StoredFile> files;
    for (int i = 0; i < 3; ++i)
        files.push_back({"rez\\f" + std::to_string(i) + ".bin",
                         std::string(200000, static_cast<char>('a' + i))});
    std::string a = MakeArchive("a.mpq", files);
    const std::string before = Contents(a);
    struct Watch : mpq::CompactProgress {
        std::function<void()> check;
        int calls = 0;
        void Update(uint64_t done, uint64_t total) override {
            EXPECT_LE(done, total);
            ++calls;
            check();
        }
    } watch;
    watch.check = [&] { EXPECT_EQ(Contents(a), before); };
    ASSERT_TRUE(Put(a, "rez\\f1.bin", WriteFile("in.bin", "small"), 0, &watch));
    EXPECT_GT(watch.calls, 0);
    EXPECT_EQ(SmpqExtract(a, "rez\\f1.bin"), "small");
    EXPECT_LT(Contents(a).size(), before.size()); // the old copy's space is reclaimed
}

// StormLib 9.22 closes descriptor 0 when an open fails; with descriptor 0 free, the next
// file opened would take it and be closed under its owner.
TEST_F(ArchiveFilesTest, FailedOpensDoNotCloseOtherFiles) {
    std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"}});
    int saved = ::dup(0);
    ::close(0);
    for (int i = 0; i < 3; ++i) List(Path("missing.mpq"), 0, ListResult::NotAnArchive);
    ASSERT_TRUE(Put(a, "rez\\glumain.bin", WriteFile("in.bin", "after")));
    EXPECT_FALSE(Put(Path("gone/x.mpq"), "rez\\glumain.bin", Path("in.bin")));
    EXPECT_EQ(SmpqExtract(a, "rez\\glumain.bin"), "after");
    ::dup2(saved, 0);
    ::close(saved);
}

} // namespace
} // namespace tarrox
