#include <gtest/gtest.h>

#include "document/DialogCheck.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

std::vector<uint8_t> Text(const std::string& s) {
    return {s.begin(), s.end()};
}

TEST(DialogCheck, TellsDialogsFromArchivesAndOtherFiles) {
    // A dialog with a child, an SMK chain and strings, the shape every game dialog has.
    auto dialog = [](std::array<int32_t, 4> child, std::array<int32_t, 3> smk, int32_t type = 0) {
        test::BinBuilder b;
        b.Object(0, 0, 300, 86).Object(86, 172, 305, 258, {.ControlType = 14});
        b.Object(child[0], child[1], child[2], child[3], {.ControlType = type});
        b.Smk(smk[0], smk[1], smk[2]).String(300, "Menu").String(305, "Ok").String(310, "a.smk");
        return b.Bytes();
    };
    const std::array<int32_t, 4> child = {172, 0, 0, 0};
    const std::array<int32_t, 3> smk = {258, 0, 310};
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        FileShape shape;
    } cases[] = {
        {"no bytes: an empty dialog", {}, FileShape::Dialog},
        {"a dialog", dialog(child, smk), FileShape::Dialog},
        {"archive", Text(std::string("MPQ\x1A", 4) + std::string(40, '\0')), FileShape::MpqArchive},
        {"user data", Text(std::string("MPQ\x1B", 4) + std::string(400, 'x')),
         FileShape::MpqArchive},
        {"other header", Text(std::string("MPQ\x1C", 4) + std::string(400, 'x')),
         FileShape::NotADialog},
        {"shorter than one record", Text("hello"), FileShape::NotADialog},
        {"object 0 not a dialog box",
         test::BinBuilder().Object(0, 0, 0, 0, {.ControlType = 2}).Bytes(), FileShape::NotADialog},
        {"child of unknown type", dialog(child, smk, 15), FileShape::NotADialog},
        {"string past the end", dialog({172, 0, 9999, 0}, smk), FileShape::NotADialog},
        {"child past the end", dialog({172, 5000, 0, 0}, smk), FileShape::NotADialog},
        {"SMK name past the end", dialog(child, {258, 0, 9999}), FileShape::NotADialog},
        {"SMK past the end", dialog(child, {258, 4000, 310}), FileShape::NotADialog},
        {"looping children", dialog({172, 86, 0, 0}, smk), FileShape::Dialog},
        {"looping SMKs", dialog(child, {258, 258, 310}), FileShape::Dialog},
    };
    for (const auto& c : cases) EXPECT_EQ(ShapeOfBytes(c.bytes), c.shape) << c.what;
}

TEST(DialogCheck, FindsTheSmksNoObjectReachesAndBrokenInvariants) {
    const struct {
        std::vector<int32_t> links, nexts, unreached;
    } cases[] = {
        {{-1, 0, 2}, {1, -1, -1}, {}}, {{-1, 0}, {-1, -1, -1}, {1, 2}},
        {{0, -1}, {-1}, {0}}, // the dialog's own field reaches nothing
        {{-1, 1}, {1, 0, -1}, {2}},    {{-1, 7}, {-1, 9}, {0, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnreachableSmks(test::MakeDocument(c.links, c.nexts)), c.unreached);
    DialogDocument d = test::MakeDocument({-1, -1}, {});
    EXPECT_EQ(CheckInvariants(d), "");
    d.ObjectTable[1].Text = 0;
    EXPECT_NE(CheckInvariants(d), "");
    d = test::MakeDocument({-1, 0}, {});
    EXPECT_NE(CheckInvariants(d), "");
}

TEST(ControlTypeNames, SplitFromTheLiteralAndUnknownOutsideTheRange) {
    const auto names = SplitControlTypeNames();
    EXPECT_EQ(
        names[0] + "," + names[8] + "," + names[14] + "," + ControlTypeName(names, 11) + "," +
            ControlTypeName(names, 15) + "," + ControlTypeName(names, -2),
        "Dialog Box,Text box,Button w/ light-up,Label (Right align),Unknown (15),Unknown (-2)");
}

} // namespace
} // namespace tarrox
