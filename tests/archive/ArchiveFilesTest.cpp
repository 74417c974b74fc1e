#include <sys/stat.h>
#include <unistd.h>

#include "archive/ArchiveFiles.h"
#include "archive/ArchiveFixture.h"
#include "archive/DialogNames.h"
#include "archive/LibraryArchive.h"
#include "archive/Mpq.h"
#include "archive/UpdateLock.h"

namespace tarrox::test {
namespace {

using namespace std::chrono_literals;
using LR = ListResult;
const std::string Sep(1, char(31)), Main = "rez\\glumain.bin", Gone = "<unreadable>";

// Progress never goes back nor past its total.
struct OnProgress : mpq::CompactProgress {
    std::function<void()> Step;
    std::pair<uint64_t, uint64_t> Last;
    void Update(uint64_t done, uint64_t total) override {
        EXPECT_LE(done, total);
        EXPECT_GE(done, Last.second == total ? Last.first : 0);
        Last = {done, total};
        Step();
    }
};

// Bytes no compression shrinks, so an archive's size follows its files'.
std::string Noise(size_t size, uint32_t seed) {
    std::string noise(size, 0);
    for (char& c : noise) c = char((seed = seed * 1103515245 + 12345) >> 24);
    return noise;
}

Names Formatted(const std::vector<ArchiveLine>& lines) {
    Names out;
    for (const ArchiveLine& l : lines) out.push_back(FormatArchiveLine(l));
    return out;
}

using ArchiveFilesTest = ArchiveTest;

TEST_F(ArchiveFilesTest, ListingKeepsDialogFilesOfTheLocaleSortedOncePerFile) {
    // The archive's own names come in its own spelling, sorted in among the shipped list's.
    const std::string a = MakeArchive("a.mpq", {{"rez\\Glumain.bin", "main"},
                                                {"rez\\glusingl.bin", "de", 1031},
                                                {"rez\\options.bin", "en", 1033},
                                                {"rez\\Zmine.bin", "z"},
                                                {"rez\\amine.bin", "a"},
                                                {"rez\\readme.txt", "not a dialog"},
                                                {"arr\\glumain.bin", "elsewhere"}});
    const std::string amine = "rez\\amine.bin", glu = "rez\\Glumain.bin", z = "rez\\Zmine.bin";
    const std::string singl = "rez\\glusingl.bin" + Sep + " (1031)";
    const std::string options = "rez\\options.bin" + Sep + " (1033)";
    const std::tuple<std::string, int32_t, LR, Names> cases[] = {
        {a, 0, LR::Listed, {amine, glu, z}},
        {a, 1033, LR::Listed, {amine, glu, options, z}},
        {a, -1, LR::Listed, {amine, glu, singl, options, z}},
        {MakeArchive("e.mpq", {{"other\\file.txt", "x"}}), -1, LR::Listed, {}},
        {Write("x.mpq", "definitely not MPQ data"), 0, LR::NotAnArchive, {}},
    };
    for (const auto& [archive, locale, result, expected] : cases) {
        SCOPED_TRACE(archive + " " + std::to_string(locale));
        std::vector<ArchiveLine> lines;
        EXPECT_EQ(ListDialogFiles(archive, NameListPath(), locale, lines), result);
        EXPECT_EQ(Formatted(lines), expected);
    }
}

TEST_F(ArchiveFilesTest, ExtractWritesExactlyTheArchivedBytesOrSaysWhatFailed) {
    using S = std::string;
    const S a = Path("a.mpq"), big(70000, 'q'), out = Write("out.bin", "old");
    const S o = Path("o"), noDir = Path("no/o"), tmp = TempFilePath();
    ASSERT_TRUE(MakeLibraryArchive(a, {{Main, big}, {"rez\\empty.bin", ""}}, true, 16));
    // "No" to the question before replacing keeps the file, silently.
    const std::tuple<S, ArchiveLine, S, bool, bool, S, S> cases[] = {
        {a, {Main}, out, true, true, "", big},
        {a, {"rez\\empty.bin"}, out, false, false, "", big},
        // The temporary file is replaced without a question.
        {a, {"rez\\empty.bin"}, tmp, false, true, "", ""},
        {a, {Main}, tmp, false, true, "", big},
        {o, {Main}, o, true, false, "Error: Could not open archive.", Gone},
        {a, {"rez\\absent.bin"}, o, true, false, "Error: Could not open file.", Gone},
        {a, {Main}, noDir, true, false, "Error: Could not save " + noDir + ".", Gone},
    };
    Names questions;
    for (const auto& [archive, file, destination, answer, ok, message, contents] : cases) {
        SCOPED_TRACE(file.Name + " to " + destination);
        const bool yes = answer; // clang 14 cannot capture a structured binding
        const ArchiveResult r = ExtractArchivedFile(archive, file, destination, [&](auto& d) {
            questions.push_back(d);
            return yes;
        });
        EXPECT_EQ(std::make_tuple(r.Ok, r.Message, Contents(destination)),
                  std::tie(ok, message, contents));
    }
    EXPECT_EQ(questions, (Names{out, out}));
}

// A damaged method byte once handed out stale buffer bytes or a sound codec's output as the file.
TEST_F(ArchiveFilesTest, ExtractHandsOutTheFilesContentOrSaysItIsDamaged) {
    const std::string content = Contents(TARROX_SOURCE_DIR "/samples/mainmenu.bin");
    const std::string checked = Contents(MakeArchive("checked.mpq", {{Main, content}}));
    ASSERT_TRUE(MakeLibraryArchive(Path("plain.mpq"), {{Main, content}}, true, 16));
    const std::string plain = Contents(Path("plain.mpq")), a = Path("a.mpq"), out = Path("o.bin");
    const std::string damaged = "Error: " + Main + " in " + a + " is damaged.";
    // LZMA's value makes the library abort, so the archive check already refuses the archive.
    const std::string lzma = "Error: " + a + " is damaged: a file in it lies outside it or is " +
                             "stored in a way that cannot be read.";
    for (const std::string& archive : {checked, plain}) {
        std::vector<int> accepted;
        for (int method = 0; method < 256; ++method) {
            SCOPED_TRACE(std::to_string(method) + (archive == plain ? " plain" : " checked"));
            Write("a.mpq", WithFirstSectorMethod(archive, uint8_t(method)));
            const ArchiveResult r = ExtractArchivedFile(a, {Main}, out);
            if (r.Ok) {
                EXPECT_EQ(Contents(out), content);
                accepted.push_back(method);
            } else {
                EXPECT_EQ(std::make_tuple(r.Message, Contents(out)),
                          std::tie(method == 0x12 ? lzma : damaged, Gone));
            }
            std::filesystem::remove(out);
        }
        EXPECT_EQ(accepted, std::vector<int>{0x08}); // PKWARE's, as stored
    }
}

TEST_F(ArchiveFilesTest, PutStoresTheFileAndKeepsTheOthers) {
    const std::string bare = Path("bare.mpq"), full = Path("full.mpq"), fresh = Path("new.mpq");
    ASSERT_TRUE(MakeLibraryArchive(bare, {{Main, "old"}, {"rez\\x.bin", "x"}}, false, 16));
    std::vector<StoredFile> seven; // with the (listfile), all eight slots of the hash table
    for (char c = 'a'; c < 'h'; ++c) seven.push_back({std::string("rez\\") + c + ".bin", {c}});
    ASSERT_TRUE(MakeLibraryArchive(full, seven, true, 7));
    const std::string a = MakeArchive("a.mpq", {{Main, "old main"},
                                                {"rez\\glusingl.bin", std::string(9000, 's')},
                                                {"rez\\options.bin", "de", 1031}});
    const std::string in = Write("in.bin", std::string(5000, 'd')), put = Contents(in);
    // x.bin is named nowhere, so the old copy's space stays: that is no failure.
    const std::string unknown = bare + " not compacted: it holds files whose names are unknown";
    const std::tuple<std::string, ArchiveLine, std::vector<StoredFile>, std::string> cases[] = {
        {fresh, {Main}, {{Main, put}}, ""},
        {a, {"rez\\options.bin", 1031}, {{"rez\\options.bin", put, 1031}, {Main, "old main"}}, ""},
        {a, {Main}, {{Main, put}, {"rez\\glusingl.bin", std::string(9000, 's')}}, ""},
        {bare, {Main}, {{Main, put}, {"rez\\x.bin", "x"}}, unknown},
        {full, {Main}, {{Main, put}, {"rez\\g.bin", "g"}}, ""},
    };
    for (const auto& [archive, file, after, note] : cases) {
        SCOPED_TRACE(archive + " " + file.Name);
        const ArchiveResult r = WriteBackToArchive(archive, file, in, nullptr);
        EXPECT_EQ(std::tie(r.Ok, r.Message, r.Note), std::make_tuple(true, "", note));
        for (const StoredFile& f : after)
            EXPECT_EQ(SmpqExtract(archive, f.Name, f.Locale), f.Content) << f.Name;
    }
    // Version 1: a 32-byte header of format 0.
    EXPECT_EQ(Contents(fresh).substr(0, 8) + Contents(fresh).substr(12, 2),
              std::string("MPQ\x1a\x20\0\0\0\0\0", 10));
    EXPECT_EQ(Folder(), (Names{"a.mpq", "bare.mpq", "full.mpq", "in.bin", "new.mpq"}));
}

TEST_F(ArchiveFilesTest, AFailedPutLeavesTheArchiveByteIdentical) {
    const std::string a = MakeArchive("a.mpq", {{Main, "main"}}), before = Contents(a);
    const std::string text = Write("text.mpq", "not an archive"), in = Write("in.bin", "");
    const std::string notOpened = "Error: Could not open archive.";
    const std::tuple<std::string, std::string, mode_t, std::string, MessageIcon> cases[] = {
        {a, Path("missing.bin"), 0644, "Error: Could not add file.\r\n2", MessageIcon::None},
        {a, in, 0444, notOpened, MessageIcon::Critical},
        {text, in, 0644, "Error: " + text + " does not contain an MPQ archive.",
         MessageIcon::Critical},
    };
    for (const auto& [archive, source, mode, message, icon] : cases) {
        ::chmod(archive.c_str(), mode);
        const ArchiveResult r = WriteBackToArchive(archive, {Main}, source, nullptr);
        ::chmod(archive.c_str(), 0644);
        EXPECT_EQ(std::tie(r.Ok, r.Message, r.Icon), std::make_tuple(false, message, icon));
    }
    EXPECT_EQ(Contents(a) + Contents(text), before + "not an archive");
    EXPECT_EQ(Folder(), (Names{"a.mpq", "in.bin", "text.mpq"}));
}

// A link stays a link, the mode, owner and group stay, also when compacting rewrote it all.
TEST_F(ArchiveFilesTest, PutThroughALinkReplacesTheFileItNamesKeepingModeAndOwner) {
    std::filesystem::create_directory(Path("real"));
    const std::string real = MakeArchive("real/a.mpq", {{Main, "old"}, {"rez\\b.bin", "b"}});
    std::filesystem::create_symlink("real/a.mpq", Path("l.mpq"));
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0; // only root can give it another owner
    if (root) {
        ASSERT_EQ(::chown(real.c_str(), 1234, 5678), 0);
    }
    struct : mpq::CompactProgress {
        std::string lock;
        bool besideTheFile = false;
        void Update(uint64_t, uint64_t) override { besideTheFile = std::filesystem::exists(lock); }
    } watch;
    watch.lock = real + ".tarrox-lock";
    const ArchiveResult r =
        WriteBackToArchive(Path("l.mpq"), {Main}, Write("in.bin", "new"), &watch);
    EXPECT_TRUE(r.Ok && r.Message.empty()) << r.Message;
    EXPECT_TRUE(watch.besideTheFile);
    EXPECT_EQ(SmpqExtract(real, Main) + SmpqExtract(Path("l.mpq"), "rez\\b.bin"), "newb");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::make_pair(st.st_uid, st.st_gid),
              root ? std::make_pair(1234u, 5678u) : std::make_pair(st.st_uid, st.st_gid));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("l.mpq")));
    EXPECT_EQ(Folder(), (Names{"in.bin", "l.mpq", "real"}));
    EXPECT_EQ(test::Contents(real).substr(0, 4), "MPQ\x1a");
}

TEST_F(ArchiveFilesTest, PutRefusesWhatIsNoFileAndChangesNothing) {
    std::filesystem::create_directory(Path("folder.mpq"));
    ASSERT_EQ(::mkfifo(Path("fifo.mpq").c_str(), 0600), 0);
    std::filesystem::create_symlink("fifo.mpq", Path("l.mpq"));
    const std::string in = Write("in.bin", "new");
    for (const std::string name : {"folder.mpq", "fifo.mpq", "l.mpq"}) {
        const ArchiveResult r = WriteBackToArchive(Path(name), {Main}, in, nullptr);
        EXPECT_EQ(std::tie(r.Ok, r.Message),
                  std::make_tuple(false, "Error: " + Path(name) + " is not a regular file."));
    }
    EXPECT_EQ(Folder(), (Names{"fifo.mpq", "folder.mpq", "in.bin", "l.mpq"}));
    EXPECT_TRUE(std::filesystem::is_empty(Path("folder.mpq")));
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo.mpq")));
}

// The original stays as it was while rewritten; a disk that fills costs only the partial file.
TEST_F(ArchiveFilesTest, CompactionWorksOnACopyAndCleansUpWhenItFails) {
    const std::string noise = Noise(100000, 1); // the archive outgrows the limit
    const std::string a = MakeArchive("a.mpq", {{Main, noise}, {"rez\\b.bin", noise}});
    const std::string before = Contents(a);
    OnProgress watch;
    int steps = 0;
    watch.Step = [&] {
        EXPECT_EQ(Contents(a), before);
        ++steps;
    };
    ASSERT_TRUE(WriteBackToArchive(a, {Main}, Write("in.bin", "small"), &watch).Ok);
    EXPECT_GT(steps, 0);
    EXPECT_EQ(watch.Last.first, watch.Last.second); // it ends all done
    EXPECT_LT(Contents(a).size(), before.size());   // the old copy's space is reclaimed

    OnProgress fill; // the disk fills once compaction begins
    fill.Step = [] {
        rlimit small{};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 4096;
        ::setrlimit(RLIMIT_FSIZE, &small);
    };
    const ArchiveResult r = WithFileSizeLimit(RLIM_INFINITY, [&] {
        return WriteBackToArchive(a, {"rez\\c.bin"}, Path("in.bin"), &fill);
    });
    EXPECT_EQ(std::tie(r.Ok, r.Message), std::make_tuple(true, "Error: Could not compact"));
    EXPECT_EQ(Folder(), (Names{"a.mpq", "in.bin"}));
    EXPECT_EQ(SmpqExtract(a, "rez\\b.bin") + SmpqExtract(a, "rez\\c.bin"), noise + "small");
    // The working copy itself does not fit: the user hears the disk is full, not that the
    // archive could not be opened.
    const std::string after = Contents(a);
    const ArchiveResult full = WithFileSizeLimit(
        4096, [&] { return WriteBackToArchive(a, {"rez\\d.bin"}, Path("in.bin"), nullptr); });
    EXPECT_EQ(std::tie(full.Ok, full.Message),
              std::make_tuple(false, "Error: Could not update " + a + ": the disk is full."));
    EXPECT_EQ(Contents(a), after);
    EXPECT_EQ(Folder(), (Names{"a.mpq", "in.bin"}));
}

// Updates wait for each other and clear what a killed one left of this archive, nothing else.
TEST_F(ArchiveFilesTest, UpdatesWaitForEachOtherAndClearTheRemainsOfAKilledOne) {
    const std::string a = MakeArchive("a.mpq", {{Main, "main"}});
    for (const char* name : {"a.mpq.tarrox-update-0123abcd", "a.mpq.tarrox-update-notmine",
                             "b.mpq.tarrox-update-0123abcd"})
        Write(name, "left over");
    {
        UpdateLock first(a, 0ms);
        ASSERT_TRUE(first.Held());
        EXPECT_NE(first.NewWorkingCopy(), first.NewWorkingCopy());
        EXPECT_FALSE(UpdateLock(a, 50ms).Held());
    }
    const ArchiveResult r = WriteBackToArchive(a, {Main}, Write("in.bin", "second"), nullptr);
    EXPECT_TRUE(r.Ok) << r.Message;
    EXPECT_EQ(SmpqExtract(a, Main), "second");
    EXPECT_EQ(Folder(), (Names{"a.mpq", "a.mpq.tarrox-update-notmine",
                               "b.mpq.tarrox-update-0123abcd", "in.bin"}));
}

// Listing and reading check only the files they read, so damage in one file keeps only that
// file from being read; a save into a small archive compacts it, which reads every file.
TEST_F(ArchiveFilesTest, ADamagedFileKeepsOnlyItselfFromBeingRead) {
    const std::string single = "rez\\glusingl.bin",
                      content = Contents(TARROX_SOURCE_DIR "/samples/mainmenu.bin");
    const std::string a = Path("a.mpq");
    // The first file stored, glusingl.bin, names LZMA for its first sector.
    Write("a.mpq",
          WithFirstSectorMethod(
              Contents(MakeArchive("a.mpq", {{single, std::string(9000, 's')}, {Main, content}})),
              0x12));
    const std::string before = Contents(a), out = Path("o.bin");
    const std::string damaged = "Error: " + a + " is damaged: a file in it lies outside it or is " +
                                "stored in a way that cannot be read.";
    std::vector<ArchiveLine> lines;
    EXPECT_EQ(ListDialogFiles(a, NameListPath(), 0, lines), LR::Listed);
    EXPECT_EQ(Formatted(lines), (Names{Main, single}));
    const ArchiveResult good = ExtractArchivedFile(a, {Main}, out);
    EXPECT_EQ(std::make_tuple(good.Ok, Contents(out)), std::make_tuple(true, content));
    const ArchiveResult bad = ExtractArchivedFile(a, {single}, Path("s.bin"));
    EXPECT_EQ(std::make_tuple(bad.Ok, bad.Message), std::make_tuple(false, damaged));
    const ArchiveResult put = WriteBackToArchive(a, {Main}, out, nullptr);
    EXPECT_EQ(std::make_tuple(put.Ok, put.Message, Contents(a) == before),
              std::make_tuple(false, damaged, true));
}

// Compacting rewrites the whole archive: a large one is compacted once an eighth of it is
// space replaced files left, or when asked; the space stays until then.
TEST_F(ArchiveFilesTest, ALargeArchiveIsCompactedWhenAnEighthIsUnusedOrWhenAsked) {
    const std::string a =
        MakeArchive("a.mpq", {{"big.smk", Noise(17u << 20, 1)}, {Main, Noise(3u << 20, 2)}});
    const uint64_t size = std::filesystem::file_size(a);
    int steps = 0;
    OnProgress watch;
    watch.Step = [&] { ++steps; };
    auto put = [&](const std::string& content) {
        steps = 0;
        const ArchiveResult r = WriteBackToArchive(a, {Main}, Write("in.bin", content), &watch);
        EXPECT_TRUE(r.Ok && r.Message.empty()) << r.Message;
        return std::make_pair(steps > 0, std::filesystem::file_size(a));
    };
    // The old copy's 3 MB stay behind, and make the next save compact.
    const auto [first, firstSize] = put("small");
    EXPECT_EQ(first, false);
    EXPECT_GE(firstSize, size);
    const auto [second, secondSize] = put("smaller");
    EXPECT_EQ(second, true);
    EXPECT_LT(secondSize + (3u << 20) - 4096, size);
    EXPECT_EQ(put("tiny").first, false);
    steps = 0;
    const ArchiveResult compacted = CompactArchive(a, &watch);
    EXPECT_TRUE(compacted.Ok && compacted.Message.empty() && steps > 0) << compacted.Message;
    EXPECT_EQ(SmpqExtract(a, Main), "tiny");
    EXPECT_EQ(Folder(), (Names{"a.mpq", "in.bin"}));
}

} // namespace
} // namespace tarrox::test
