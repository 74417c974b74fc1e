// tarrox2-cli import-data: the game's plain fonts and whole tables come in, from archives (also
// behind a program stub) and folders; encrypted fonts, broken tables and missing files are
// reported and never written.
#include <gtest/gtest.h>

#include "archive/ArchiveFixture.h"
#include "support/CliRun.h"

namespace tarrox {
namespace {

namespace fs = std::filesystem;

const std::string Font = std::string("FONT\x20\x21\x08\x0d", 8) + std::string(4, '\0');
const std::string Encrypted = std::string(12, '\x5a');

// An 8 x 1 colour table: the header, eight pixels, the marker and a palette.
std::string Table() {
    std::string out(128, '\0');
    out[0] = 10, out[1] = 5, out[2] = 1, out[3] = 8, out[8] = 7, out[65] = 1, out[66] = 8;
    for (char i = 0; i < 8; ++i) out += i;
    out += '\x0c';
    return out + std::string(768, '\x33');
}

class ImportDataTest : public test::ArchiveTest {
  protected:
    test::CliRun Import(const std::string& sources) {
        return test::RunCli("import-data " + sources + " --to '" + Path("user") + "'", dir_);
    }
    std::vector<std::string> Imported() {
        std::vector<std::string> names;
        if (fs::exists(dir_ / "user"))
            for (const auto& e : fs::directory_iterator(dir_ / "user"))
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// The game's CD installer and StarDat.mpq in one: each font folder, an encrypted copy first in
// the lookup order, a table under an upper-case name, a broken table, a missing one.
const std::vector<test::StoredFile> GameFiles = {
    {"font\\font8.fnt", Font},
    {"files\\font\\font10.fnt", Font},
    {"setupdat\\font\\font14.fnt", Font},
    {"font\\font16.fnt", Encrypted},
    {"files\\font\\font16.fnt", Font},
    {"font\\font32.fnt", Encrypted},
    {"GAME\\TFONTGAM.PCX", Table()},
    {"glue\\palmm\\tfont.pcx", Table().substr(0, 200)}};

const std::vector<std::string> Report = {
    "Imported font8.fnt from font\\font8.fnt in game.mpq.",
    "Imported font10.fnt from files\\font\\font10.fnt in game.mpq.",
    "Imported font14.fnt from setupdat\\font\\font14.fnt in game.mpq.",
    "Imported font16.fnt from files\\font\\font16.fnt in game.mpq.",
    "font16x.fnt was not found.",
    "font32.fnt in game.mpq is encrypted; the copies on the game's CD, in install.exe, are not.",
    "Imported tfontgam.pcx from game\\tfontgam.pcx in game.mpq.",
    "glue\\palmm\\tfont.pcx in game.mpq is not a whole 256-colour PCX image.",
    "tfonttitle.pcx was not found."};

TEST_F(ImportDataTest, PlainFontsAndWholeTablesComeInFromAnArchiveWithOrWithoutAStub) {
    const std::string archive = MakeArchive("plain.mpq", GameFiles);
    for (const std::string stub : {"", "MZ-program-stub"}) {
        SCOPED_TRACE(stub);
        fs::remove_all(dir_ / "user");
        // Archives behind a program lie at a 512-byte boundary.
        WriteFile("game.mpq", stub.empty() ? "" : stub + std::string(4096 - stub.size(), '\0'));
        std::ofstream(dir_ / "game.mpq", std::ios::app | std::ios::binary) << Contents(archive);
        const test::CliRun r = Import("'" + Path("game.mpq") + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        std::string expected;
        for (const std::string& line : Report) expected += line + "\n";
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(Imported(), (std::vector<std::string>{"font10.fnt", "font14.fnt", "font16.fnt",
                                                        "font8.fnt", "tfontgam.pcx"}));
        EXPECT_EQ(Contents(Path("user/font16.fnt")), Font);
    }
}

TEST_F(ImportDataTest, LooseFilesComeInFromAFolderAndLaterSourcesFillTheGaps) {
    fs::create_directories(dir_ / "cd" / "Files" / "FONT");
    WriteFile("cd/Files/FONT/Font8.fnt", Font);
    WriteFile("cd/tfonttitle.pcx", Table());
    const std::string other = MakeArchive("other.mpq", {{"font\\font8.fnt", Encrypted},
                                                        {"glue\\title\\tfont.pcx", "not a table"},
                                                        {"font\\font32.fnt", Font}});
    const test::CliRun r = Import("'" + Path("cd") + "' '" + other + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Imported(), (std::vector<std::string>{"font32.fnt", "font8.fnt", "tfonttitle.pcx"}));
    EXPECT_NE(r.out.find("Imported font8.fnt from files\\font\\font8.fnt in cd.\n"),
              std::string::npos)
        << r.out;
}

TEST_F(ImportDataTest, WhatIsNoArchiveIsReportedAndNothingIsWritten) {
    const test::CliRun r = Import("'" + WriteFile("notes.txt", "hello") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error: " + Path("notes.txt") + " does not contain an MPQ archive."),
              std::string::npos);
    EXPECT_TRUE(Imported().empty());
    EXPECT_EQ(test::RunCli("import-data --to x", dir_).status, 1); // no source
}

} // namespace
} // namespace tarrox
