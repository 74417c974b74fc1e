#include <gtest/gtest.h>

#include "document/DialogCheck.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

TEST(DialogCheck, TellsDialogsFromArchivesAndOtherFiles) {
    // A dialog with a child, an SMK chain and strings, the shape every game dialog has.
    auto dialog = [](std::array<int32_t, 4> child, std::array<int32_t, 3> smk, int32_t type = 0) {
        test::BinBuilder b;
        b.Object(0, 0, 300, 86).Object(86, 172, 305, 258, {.ControlType = 14});
        b.Object(child[0], child[1], child[2], child[3], {.ControlType = type});
        b.Smk(smk[0], smk[1], smk[2]).String(300, "Menu").String(305, "Ok").String(310, "a.smk");
        return std::string(b.Bytes().begin(), b.Bytes().end());
    };
    const std::array<int32_t, 4> child = {172, 0, 0, 0};
    const std::array<int32_t, 3> smk = {258, 0, 310};
    constexpr auto D = FileShape::Dialog, A = FileShape::MpqArchive, N = FileShape::NotADialog;
    const std::pair<std::string, FileShape> cases[] = {
        {"", N},
        {dialog(child, smk), D},
        {std::string("MPQ\x1A", 4) + std::string(40, '\0'), A},
        {std::string("MPQ\x1B", 4) + std::string(400, 'x'), A}, // user-data header
        {std::string("MPQ\x1C", 4) + std::string(400, 'x'), N},
        {dialog(child, smk).replace(34, 1, 1, '\2'), N}, // object 0 not a dialog box
        {dialog(child, smk, 15), N},
        {dialog({172, 0, 9999, 0}, smk), N},
        {dialog({172, 5000, 0, 0}, smk), N},
        {dialog(child, {258, 4000, 310}), N},
        {dialog({172, 86, 0, 0}, smk), D},
        {dialog(child, {258, 258, 310}), D},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ShapeOfBytes(std::span(reinterpret_cast<const uint8_t*>(cases[i].first.data()),
                                         cases[i].first.size())),
                  cases[i].second)
            << i;
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
    d.ObjectTable[1].Text = 0;
    EXPECT_NE(CheckInvariants(d), "");
}

} // namespace
} // namespace tarrox
