#include <gtest/gtest.h>

#include "document/DialogCheck.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

using test::BinBuilder;

DialogObject OfType(int32_t type) {
    DialogObject o;
    o.ControlType = type;
    return o;
}

std::vector<uint8_t> Text(const std::string& s) {
    return {s.begin(), s.end()};
}

TEST(DialogCheck, TellsDialogsFromArchivesAndOtherFiles) {
    // A dialog with a child, an SMK chain and strings, the shape every game dialog has.
    auto good = [] {
        BinBuilder b;
        b.Object(0, 0, 300, 86).Object(86, 172, 305, 258, OfType(14)).Object(172, 0, 0, 0);
        b.Smk(258, 0, 310).String(300, "Menu").String(305, "Ok").String(310, "a.smk");
        return b;
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        FileShape shape;
    } cases[] = {
        {"no bytes: an empty dialog", {}, FileShape::Dialog},
        {"a dialog", good().Bytes(), FileShape::Dialog},
        {"archive header", Text(std::string("MPQ\x1A", 4) + std::string(40, '\0')),
         FileShape::MpqArchive},
        {"user-data header", Text(std::string("MPQ\x1B", 4) + std::string(400, 'x')),
         FileShape::MpqArchive},
        {"other header", Text(std::string("MPQ\x1C", 4) + std::string(400, 'x')),
         FileShape::NotADialog},
        {"shorter than one record", Text("hello"), FileShape::NotADialog},
        {"text", Text(std::string(200, 'a')), FileShape::NotADialog},
        {"object 0 not a dialog box", BinBuilder().Object(0, 0, 0, 0, OfType(2)).Bytes(),
         FileShape::NotADialog},
        {"child of unknown type", good().Object(172, 0, 0, 0, OfType(15)).Bytes(),
         FileShape::NotADialog},
        {"string past the end", good().Object(172, 0, 9999, 0).Bytes(), FileShape::NotADialog},
        {"child past the end", good().Object(172, 5000, 0, 0).Bytes(), FileShape::NotADialog},
        {"SMK name past the end", good().Smk(258, 0, 9999).Bytes(), FileShape::NotADialog},
        {"SMK past the end", good().Smk(258, 4000, 310).Bytes(), FileShape::NotADialog},
        {"looping children are read once", good().Object(172, 86, 0, 0).Bytes(), FileShape::Dialog},
        {"looping SMKs are read once", good().Smk(258, 258, 310).Bytes(), FileShape::Dialog},
    };
    for (const auto& c : cases) EXPECT_EQ(ShapeOfBytes(c.bytes), c.shape) << c.what;
}

TEST(DialogCheck, FindsTheSmksNoObjectReaches) {
    // objects: SMK link of each; SMKs: next of each.
    const struct {
        const char* what;
        std::vector<int32_t> links, nexts, unreached;
    } cases[] = {
        {"chains reach all", {-1, 0, 2}, {1, -1, -1}, {}},
        {"one linked by none", {-1, 0}, {-1, -1, -1}, {1, 2}},
        {"the dialog's own field reaches nothing", {0, -1}, {-1}, {0}},
        {"a loop is followed once", {-1, 1}, {1, 0, -1}, {2}},
        {"links outside the table reach nothing", {-1, 7}, {-1, 9}, {0, 1}},
    };
    for (const auto& c : cases) {
        DialogDocument d;
        d.ObjectCount = int32_t(c.links.size());
        for (size_t i = 0; i < c.links.size(); ++i) d.ObjectTable[i].SmkLink = c.links[i];
        d.SmkCount = int32_t(c.nexts.size());
        for (size_t k = 0; k < c.nexts.size(); ++k) d.SmkTable[k].Next = c.nexts[k];
        EXPECT_EQ(UnreachableSmks(d), c.unreached) << c.what;
    }
}

} // namespace
} // namespace tarrox
