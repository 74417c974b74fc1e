// Updates that meet each other or the remains of a killed one.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <thread>

#include "archive/ArchiveFiles.h"
#include "archive/ArchiveFixture.h"
#include "archive/Mpq.h"
#include "archive/UpdateLock.h"

namespace tarrox {
namespace {

using namespace std::chrono_literals;

class UpdateSafetyTest : public test::ArchiveTest {
  protected:
    ArchiveResult Put(const std::string& archive, const std::string& content,
                      mpq::CompactProgress* progress = nullptr) {
        return WriteBackToArchive(archive, {"rez\\glumain.bin"}, WriteFile("in.bin", content),
                                  progress);
    }
};

TEST_F(UpdateSafetyTest, ASecondUpdateWaitsForTheFirstAndNeverTouchesItsCopy) {
    const std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"}});
    auto first = std::make_unique<UpdateLock>(a, 0ms);
    ASSERT_TRUE(first->Held());
    const std::string copy = first->NewWorkingCopy();
    ASSERT_FALSE(copy.empty());
    EXPECT_NE(copy, first->NewWorkingCopy());

    UpdateLock refused(a, 50ms);
    EXPECT_FALSE(refused.Held());
    EXPECT_EQ(errno, EBUSY);
    EXPECT_TRUE(std::filesystem::exists(copy));

    // The first finishes while the second waits: the second then goes ahead.
    std::thread finish([&] {
        std::this_thread::sleep_for(100ms);
        first.reset();
    });
    const ArchiveResult r = Put(a, "second");
    finish.join();
    EXPECT_TRUE(r.Ok) << r.Message;
    EXPECT_EQ(SmpqExtract(a, "rez\\glumain.bin"), "second");
}

// A killed update leaves its copy and the library's partial file; the next update of that
// archive clears them, and nothing of other archives or other programs.
TEST_F(UpdateSafetyTest, TheNextUpdateRemovesTheLeftoversOfAKilledOne) {
    const std::string a = MakeArchive("a.mpq", {{"rez\\glumain.bin", "main"}});
    const std::vector<std::string> others = {"a.mpq.tarrox-update-notmine",
                                             "b.mpq.tarrox-update-0123abcd",
                                             "a.mpq.tarrox-update-0123abcd.bak"};
    for (const char* name :
         {"a.mpq.tarrox-update-0123abcd", "a.mpq.tarrox-update-0123abcd.tmp", "a.mpq.tarrox-lock"})
        WriteFile(name, "left over");
    for (const std::string& name : others) WriteFile(name, "keep");
    ASSERT_TRUE(Put(a, "new").Ok);
    std::vector<std::string> expected = others;
    expected.insert(expected.end(), {"a.mpq", "in.bin"});
    EXPECT_TRUE(Leftovers(expected).empty()) << testing::PrintToString(Leftovers(expected));
}

// A disk that fills while the archive is rewritten: the partial file goes, the archive stays.
TEST_F(UpdateSafetyTest, AFailedCompactionRemovesItsPartialFile) {
    std::string noise(100000, 0); // does not compress, so the archive outgrows the limit
    uint32_t x = 1;
    for (char& c : noise) c = char((x = x * 1103515245 + 12345) >> 24);
    std::vector<test::StoredFile> files;
    for (int i = 0; i < 3; ++i) files.push_back({"rez\\f" + std::to_string(i) + ".bin", noise});
    const std::string a = MakeArchive("a.mpq", files);
    const std::string before = Contents(a);
    struct FillDisk : mpq::CompactProgress {
        void Update(uint64_t, uint64_t) override {
            rlimit small{4096, saved.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
        rlimit saved{};
    } fill;
    ::getrlimit(RLIMIT_FSIZE, &fill.saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const ArchiveResult r = Put(a, "small", &fill);
    ::setrlimit(RLIMIT_FSIZE, &fill.saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(r.Message.empty());
    EXPECT_TRUE(Leftovers({"a.mpq", "in.bin"}).empty())
        << testing::PrintToString(Leftovers({"a.mpq", "in.bin"}));
    if (!r.Ok) {
        EXPECT_EQ(Contents(a), before);
    }
    EXPECT_EQ(SmpqExtract(a, "rez\\f2.bin"), noise);
}

} // namespace
} // namespace tarrox
