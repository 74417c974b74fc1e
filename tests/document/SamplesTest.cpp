#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace tarrox {
namespace {

TEST(Samples, CommittedFilesMatchTheirGenerator) {
    const auto dir = test::UniqueTempPath("samples");
    std::filesystem::create_directories(dir);
    ASSERT_EQ(std::system((std::string(TARROX_MAKE_SAMPLES) + " " + dir.string()).c_str()), 0);
    for (const char* name : {"mainmenu.bin", "options.bin"})
        EXPECT_EQ(test::Contents(dir / name),
                  test::Contents(std::filesystem::path(TARROX_SOURCE_DIR) / "samples" / name))
            << name << ": run make_samples samples/ and commit the result";
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace tarrox
