#include "archive/ArchiveFixture.h"
#include "document/BinWriter.h"
#include "support/ArtBuilder.h"
#include "support/BinBuilder.h"
#include "support/CliRun.h"

namespace tarrox::test {
namespace {

namespace fs = std::filesystem;

const std::string Font = std::string("FONT\x20\x21\x08\x0d", 8) + std::string(4, '\0');
const std::string Encrypted = std::string(12, '\x5a');

// An 8 x 1 colour table.
std::string Table(uint8_t marker = 0x0C) {
    const Palette palette = TestPalette();
    return Text(PcxFile(8, 1, 8, {0, 1, 2, 3, 4, 5, 6, 7}, &palette, marker));
}

// The files under `root`, relative, '/' between folders, sorted.
Names FilesUnder(const fs::path& root) {
    Names out;
    std::error_code none;
    for (const auto& e : fs::recursive_directory_iterator(root, none))
        if (e.is_regular_file()) out.push_back(fs::relative(e.path(), root).generic_string());
    std::sort(out.begin(), out.end());
    return out;
}

using ImportDataTest = ArchiveTest;

TEST_F(ImportDataTest, FontsAndTablesComeInAndWhatDoesNotIsReported) {
    // Every font folder, an encrypted copy found first, an upper-case name, a cut-off table, one
    // without the marker before its palette, a missing one.
    MakeArchive("game.mpq", {{"font\\font8.fnt", Font},
                             {"files\\font\\font10.fnt", Font},
                             {"setupdat\\font\\font14.fnt", Font},
                             {"font\\font16.fnt", Encrypted},
                             {"files\\font\\font16.fnt", Font},
                             {"font\\font32.fnt", Encrypted},
                             {"GAME\\TFONTGAM.PCX", Table()},
                             {"glue\\palmm\\tfont.pcx", Table().substr(0, 200)},
                             {"glue\\title\\tfont.pcx", Table('\x0b')}});
    Write("cd/Files/FONT/Font8.fnt", Font);
    Write("cd/tfonttitle.pcx", Table());
    const std::string other = Q(MakeArchive("other.mpq", {{"font\\font8.fnt", Encrypted},
                                                          {"glue\\title\\tfont.pcx", "not a table"},
                                                          {"font\\font32.fnt", Font}}));
    // Lines the report must hold; the files imported show the rest.
    const std::string report =
        "Imported font16.fnt from files\\font\\font16.fnt in game.mpq.\n"
        "font16x.fnt was not found.\nfont32.fnt in game.mpq is encrypted; "
        "the copies on the game's CD, in install.exe, are not.\n"
        "Imported tfontgam.pcx from game\\tfontgam.pcx in game.mpq.\n"
        "glue\\palmm\\tfont.pcx in game.mpq is not a whole 256-colour PCX image.\n"
        "glue\\title\\tfont.pcx in game.mpq is not a whole 256-colour PCX image.\n";
    const std::string fromCd = "Imported font8.fnt from files\\font\\font8.fnt in cd.\n";
    const Names fromGame = {"font10.fnt", "font14.fnt", "font16.fnt", "font8.fnt", "tfontgam.pcx"};
    const std::string notes = Write("notes.txt", "hello");
    // A copy whose sector does not decode is called damaged, not unreadable, and is not taken.
    const std::string made =
        MakeArchive("made.mpq", {{"font\\font8.fnt", Font + std::string(600, 0)}});
    const std::string damaged = Write("damaged.mpq", WithFirstSectorMethod(Contents(made), 0x01));
    const std::tuple<std::string, int, std::string, std::string, Names> cases[] = {
        {Q(Path("game.mpq")), 0, report, "", fromGame},
        // Later sources fill the gaps the first leaves.
        {Q(Path("cd")) + " " + other, 0, fromCd, "", {"font32.fnt", "font8.fnt", "tfonttitle.pcx"}},
        {Q(damaged), 1, "font\\font8.fnt in damaged.mpq is damaged.\n", "", {}},
        {Q(notes), 1, "", "Error: " + notes + " does not contain an MPQ archive.\n", {}},
        {"", 1, "", "Error: usage: tarrox2-cli import-data SOURCE... [--to DIR]\n", {}},
    };
    for (const auto& [sources, status, out, err, expected] : cases) {
        SCOPED_TRACE(sources);
        fs::remove_all(dir_ / "user");
        const CliRun r = RunCli("import-data " + sources + " --to " + Q(Path("user")), dir_);
        Names imported = FilesUnder(dir_ / "user"); // the art has a test of its own
        std::erase_if(imported, [](const std::string& name) { return name.starts_with("art/"); });
        EXPECT_EQ(std::tie(r.status, r.err, imported), std::tie(status, err, expected));
        for (const std::string& name : imported)
            EXPECT_TRUE(!name.ends_with(".fnt") || Contents(Path("user/" + name)) == Font) << name;
        for (size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
            EXPECT_NE(r.out.find(out.substr(at, end + 1 - at)), std::string::npos) << out;
    }
}

// A dialog whose Image objects name the given pictures.
std::string DialogShowing(const std::vector<std::string>& pictures) {
    DialogDocument d = MakeDocument(std::vector<int32_t>(pictures.size() + 1, -1), {});
    for (size_t i = 0; i < pictures.size(); ++i) {
        d.ObjectTable[i + 1].ControlType = 5;
        d.ObjectTable[i + 1].Flags = 0x8; // visible
        d.StringTable[i + 1] = pictures[i];
    }
    return Text(WriteBinDocument(d).value());
}

// Art comes under its archived name in lower case from the first source with a drawable copy,
// with the pictures the dialogs name but none outside the art folder.
TEST_F(ImportDataTest, ArtComesInUnderItsArchivedNameAndIsCountedPerSource) {
    const Palette palette = TestPalette();
    const std::vector<uint8_t> pixels(12, 7);
    const std::string picture = Text(EncodePcx(4, 3, pixels, palette));
    const std::string frames = Text(GrpFile({{0, 0, 4, 3, pixels}}, true));
    MakeArchive("StarDat.mpq", {{"glue\\PalNl\\Backgnd.pcx", picture},
                                {"glue\\palcs\\backgnd.pcx", "not a picture"},
                                {"dlgs\\terran.grp", frames},
                                {"tileset\\jungle.wpe", std::string(1024, '\x11')},
                                {"rez\\glucmpgn.bin",
                                 DialogShowing({"glue\\campaign\\pBotL.pcx", "..\\..\\up.pcx"})},
                                {"glue\\campaign\\pbotl.pcx", picture}});
    Write("cd/Glue/PalCs/BACKGND.PCX", picture);
    Write("up.pcx", picture);
    const CliRun r = RunCli("import-data " + Q(Path("StarDat.mpq")) + " " + Q(Path("cd")) +
                                " --to " + Q(Path("user")),
                            dir_);
    EXPECT_EQ(r.status, 0) << r.err;
    for (const std::string line :
         {"glue\\palcs\\backgnd.pcx in StarDat.mpq cannot be drawn: ",
          "Imported 4 art files from StarDat.mpq.\n", "Imported 1 art file from cd.\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << " in\n" << r.out;
    EXPECT_EQ(
        FilesUnder(dir_ / "user"),
        (Names{"art/dlgs/terran.grp", "art/glue/campaign/pbotl.pcx", "art/glue/palcs/backgnd.pcx",
               "art/glue/palnl/backgnd.pcx", "art/tileset/jungle.wpe"}));
    EXPECT_EQ(Contents(Path("user/art/glue/palcs/backgnd.pcx")), picture);
}

} // namespace
} // namespace tarrox::test
