#include <sys/stat.h>
#include <unistd.h>

#include "archive/ArchiveFiles.h"
#include "archive/ArchiveFixture.h"
#include "archive/DialogNames.h"
#include "archive/Mpq.h"
#include "archive/UpdateLock.h"

#include <StormLib.h>

namespace tarrox::test {
namespace {

using namespace std::chrono_literals;
using LR = ListResult;
const std::string Sep(1, char(31)), Main = "rez\\glumain.bin", Gone = "<unreadable>";

// Bytes no compression shrinks, so an archive's size follows its files'.
std::string Noise(size_t size, uint32_t seed) {
    std::string noise(size, 0);
    for (char& c : noise) c = char((seed = seed * 1103515245 + 12345) >> 24);
    return noise;
}

// An archive made straight with the library, for shapes smpq cannot make: no (listfile), an
// empty file, or a hash table of a chosen size.
bool MakeLibraryArchive(const std::string& path, const std::vector<StoredFile>& files,
                        bool withListfile, uint32_t maxFiles) {
    HANDLE archive = nullptr;
    SFILE_CREATE_MPQ create{};
    create.cbSize = sizeof create;
    create.dwMpqVersion = MPQ_FORMAT_VERSION_1;
    create.dwStreamFlags = STREAM_PROVIDER_FLAT | BASE_PROVIDER_FILE;
    create.dwFileFlags1 = withListfile ? MPQ_FILE_EXISTS | MPQ_FILE_COMPRESS : 0;
    create.dwSectorSize = 0x1000;
    create.dwMaxFileCount = maxFiles;
    if (!::SFileCreateArchive2(path.c_str(), &create, &archive)) return false;
    bool ok = true;
    for (const StoredFile& f : files) {
        HANDLE file = nullptr;
        ok = ok &&
             ::SFileCreateFile(archive, f.Name.c_str(), 0, DWORD(f.Content.size()), LCID(f.Locale),
                               MPQ_FILE_COMPRESS, &file) &&
             ::SFileWriteFile(file, f.Content.data(), DWORD(f.Content.size()),
                              MPQ_COMPRESSION_PKWARE) &&
             ::SFileFinishFile(file);
    }
    return ::SFileCloseArchive(archive) && ok;
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
// Listing and reading check only the files they read, so damage in one file keeps only that
// file from being read; a save into a small archive compacts it, which reads every file.
TEST_F(ArchiveFilesTest, ADamagedFileIsSaidToBeDamagedAndKeepsOnlyItselfFromBeingRead) {
    const std::string content = Contents(TARROX_SOURCE_DIR "/samples/mainmenu.bin");
    const std::string single = "rez\\glusingl.bin", other(9000, 's');
    const std::vector<StoredFile> files = {{Main, content}, {single, other}};
    const std::string checked = Contents(MakeArchive("checked.mpq", files));
    ASSERT_TRUE(MakeLibraryArchive(Path("plain.mpq"), files, true, 16));
    const std::string plain = Contents(Path("plain.mpq")), a = Path("a.mpq"), out = Path("o.bin");
    const std::string damaged = "Error: " + Main + " in " + a + " is damaged.";
    for (const std::string& archive : {checked, plain}) {
        std::vector<int> accepted;
        for (int method = 0; method < 256; ++method) {
            SCOPED_TRACE(std::to_string(method) + (archive == plain ? " plain" : " checked"));
            Write("a.mpq", WithFirstSectorMethod(archive, uint8_t(method)));
            EXPECT_TRUE(ExtractArchivedFile(a, {single}, Path("s.bin")).Ok);
            EXPECT_EQ(Contents(Path("s.bin")), other);
            const ArchiveResult r = ExtractArchivedFile(a, {Main}, out);
            if (r.Ok) {
                EXPECT_EQ(Contents(out), content);
                accepted.push_back(method);
            } else {
                // LZMA's value makes the library abort, so the check before opening refuses it.
                EXPECT_EQ(std::make_tuple(r.Message, Contents(out)),
                          std::tie(method == 0x12 ? DamagedArchive(a) : damaged, Gone));
            }
            std::filesystem::remove(out);
        }
        EXPECT_EQ(accepted, std::vector<int>{0x08}); // PKWARE's, as stored
    }
    Write("a.mpq", WithFirstSectorMethod(checked, 0x12));
    std::vector<ArchiveLine> lines;
    EXPECT_EQ(ListDialogFiles(a, NameListPath(), 0, lines), LR::Listed);
    EXPECT_EQ(Formatted(lines), (Names{Main, single}));
    const ArchiveResult put = WriteBackToArchive(a, {single}, Write("in.bin", "new"), nullptr);
    EXPECT_EQ(std::make_tuple(put.Ok, put.Message, Contents(a)),
              std::make_tuple(false, DamagedArchive(a), WithFirstSectorMethod(checked, 0x12)));
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

TEST_F(ArchiveFilesTest, AFailedPutOrOneOntoWhatIsNoFileChangesNothing) {
    const std::string a = MakeArchive("a.mpq", {{Main, "main"}}), before = Contents(a);
    const std::string text = Write("text.mpq", "not an archive"), in = Write("in.bin", "");
    std::filesystem::create_directory(Path("folder.mpq"));
    ASSERT_EQ(::mkfifo(Path("fifo.mpq").c_str(), 0600), 0);
    std::filesystem::create_symlink("fifo.mpq", Path("l.mpq"));
    const MessageIcon Stop = MessageIcon::Critical;
    const auto noFile = [&](const char* name) { return Path(name) + " is not a regular file."; };
    const std::tuple<std::string, std::string, bool, std::string, MessageIcon> cases[] = {
        {a, Path("missing.bin"), false, "Could not add file.\r\n2", MessageIcon::None},
        {a, in, true, "Could not open archive.", Stop}, // read-only
        {text, in, false, text + " does not contain an MPQ archive.", Stop},
        {Path("folder.mpq"), in, false, noFile("folder.mpq"), Stop},
        {Path("fifo.mpq"), in, false, noFile("fifo.mpq"), Stop},
        {Path("l.mpq"), in, false, noFile("l.mpq"), Stop},
    };
    for (const auto& [archive, source, readOnly, message, icon] : cases) {
        if (readOnly) ::chmod(archive.c_str(), 0444);
        const ArchiveResult r = WriteBackToArchive(archive, {Main}, source, nullptr);
        if (readOnly) ::chmod(archive.c_str(), 0644);
        EXPECT_EQ(std::tie(r.Ok, r.Message, r.Icon),
                  std::make_tuple(false, "Error: " + message, icon));
    }
    EXPECT_EQ(Contents(a) + Contents(text), before + "not an archive");
    EXPECT_EQ(Folder(), (Names{"a.mpq", "fifo.mpq", "folder.mpq", "in.bin", "l.mpq", "text.mpq"}));
    EXPECT_TRUE(std::filesystem::is_empty(Path("folder.mpq")));
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo.mpq")));
}

// A link stays a link, the mode, owner and group stay, also when compacting rewrote it all.
TEST_F(ArchiveFilesTest, PutThroughALinkReplacesTheFileItNamesKeepingModeAndOwner) {
    std::filesystem::create_directory(Path("real"));
    const std::string real = MakeArchive("real/a.mpq", {{Main, "old"}, {"rez\\b.bin", "b"}});
    std::filesystem::create_symlink("real/a.mpq", Path("l.mpq"));
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0; // only root can give it another owner
    ASSERT_TRUE(!root || ::chown(real.c_str(), 1234, 5678) == 0);
    Progress watch;
    bool lockBesideTheFile = false;
    watch.Step = [&] { lockBesideTheFile = std::filesystem::exists(real + ".tarrox-lock"); };
    const ArchiveResult r =
        WriteBackToArchive(Path("l.mpq"), {Main}, Write("in.bin", "new"), &watch);
    EXPECT_TRUE(r.Ok && r.Message.empty() && lockBesideTheFile) << r.Message;
    EXPECT_EQ(SmpqExtract(real, Main) + SmpqExtract(Path("l.mpq"), "rez\\b.bin"), "newb");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(!root || (st.st_uid == 1234 && st.st_gid == 5678));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("l.mpq")));
    EXPECT_EQ(Folder(), (Names{"in.bin", "l.mpq", "real"}));
}

// The original stays as it was while rewritten; a disk that fills costs only the partial file.
TEST_F(ArchiveFilesTest, CompactionWorksOnACopyAndCleansUpWhenItFails) {
    const std::string noise = Noise(100000, 1); // the archive outgrows the limit
    const std::string a = MakeArchive("a.mpq", {{Main, noise}, {"rez\\b.bin", noise}});
    const std::string before = Contents(a);
    Progress watch;
    watch.Step = [&] { EXPECT_EQ(Contents(a), before); };
    ASSERT_TRUE(WriteBackToArchive(a, {Main}, Write("in.bin", "small"), &watch).Ok);
    ASSERT_FALSE(watch.Seen.empty());
    EXPECT_EQ(watch.Seen.back().first, watch.Seen.back().second); // it ends all done
    EXPECT_LT(Contents(a).size(), before.size()); // the old copy's space is reclaimed

    Progress fill; // the disk fills once compaction begins
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

// Compacting rewrites the whole archive: a large one is compacted once an eighth of it is
// space replaced files left, or when asked; the space stays until then.
TEST_F(ArchiveFilesTest, ALargeArchiveIsCompactedWhenAnEighthIsUnusedOrWhenAsked) {
    const std::string a =
        MakeArchive("a.mpq", {{"big.smk", Noise(17u << 20, 1)}, {Main, Noise(3u << 20, 2)}});
    const uint64_t size = std::filesystem::file_size(a);
    Progress watch;
    auto compacted = [&](const ArchiveResult& r) {
        EXPECT_TRUE(r.Ok && r.Message.empty()) << r.Message;
        const bool steps = !watch.Seen.empty();
        watch.Seen.clear();
        return steps;
    };
    auto put = [&](const std::string& content) {
        return compacted(WriteBackToArchive(a, {Main}, Write("in.bin", content), &watch));
    };
    // The old copy's 3 MB stay behind, and make the next save compact.
    EXPECT_FALSE(put("small"));
    EXPECT_GE(std::filesystem::file_size(a), size);
    EXPECT_TRUE(put("smaller"));
    EXPECT_LT(std::filesystem::file_size(a) + (3u << 20) - 4096, size);
    EXPECT_FALSE(put("tiny"));
    EXPECT_TRUE(compacted(CompactArchive(a, &watch)));
    EXPECT_EQ(SmpqExtract(a, Main), "tiny");
    EXPECT_EQ(Folder(), (Names{"a.mpq", "in.bin"}));
}

} // namespace
} // namespace tarrox::test
