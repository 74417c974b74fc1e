#include <gtest/gtest.h>

#include <chrono>
#include <numeric>

#include "document/DocumentJson.h"
#include "support/BinBuilder.h"

namespace tarrox {
namespace {

// Record bytes 1, 2, 3, ... give each field a value naming its offsets: no symmetric slip hides.
TEST(DocumentJson, PrintsEveryFieldFromItsOffsetInFileOrderAndReadsItBack) {
    std::array<uint8_t, bin::ObjectSize> object{};
    std::array<uint8_t, bin::SmkSize> smk{};
    std::iota(object.begin(), object.end(), uint8_t{1});
    std::iota(smk.begin(), smk.end(), uint8_t{101});
    DialogDocument d = test::MakeDocument({-1, 0}, {-1});
    DialogObject& o = d.ObjectTable[1] = bin::DecodeObject(object);
    SmkEntry& k = d.SmkTable[0] = bin::DecodeSmk(smk);
    EXPECT_EQ((std::array{o.Text, o.SmkLink, k.Next, k.FileName}),
              (std::array{0x18171615, 0x46454443, 0x68676665, 0x7271706f}));
    o.Next = 0, o.Text = 1, o.SmkLink = 0, k.Next = -1, k.FileName = 2;
    d.StringTable[1] = "\x03Q\"uit\\<\xe9", d.StringTable[2] = "glue\\a.smk";
    std::string json = DocumentToJson(d);
    EXPECT_EQ(json.substr(json.find("},{") + 2),
              R"({"Left":1541,"Top":2055,"Right":2569,"Bottom":3083,"Width":3597,"Height":4111,)"
              R"("Unknown16":"11121314","Text":"<3>Q\"uit\\<60>)"
              "\xc3\xa9"
              R"(","Flags":471538201,)"
              R"("Unknown28":"1d1e1f20","ControlId":8737,"ControlType":639968291,)"
              R"("Unknown38":"2728292a2b2c2d2e2f30313233343536","ResponseLeft":14391,)"
              R"("ResponseTop":14905,"ResponseRight":15419,"ResponseBottom":15933,)"
              R"("Unknown62":"3f404142","SmkLink":0,"TextLeft":18503,"TextTop":19017,)"
              R"("TextRight":19531,"TextBottom":20045,"Unknown78":"4f50515253545556"}],)"
              R"("smks":[{"Next":-1,"Flags":27241,"Unknown6":"6b6c6d6e","FileName":"glue\\a.smk",)"
              R"("Unknown14":"73747576","OverlayX":30839,"OverlayY":31353,)"
              R"("Unknown22":"7b7c7d7e7f808182"}]})");
    // JSON from before the text area got its names still loads: object 1 under the old names.
    for (auto [old, now] : {std::pair{"TextX", "TextLeft"},
                            {"TextY", "TextTop"},
                            {"ResponseWidth", "TextRight"},
                            {"ResponseHeight", "TextBottom"}})
        json.replace(json.rfind(now), std::string_view(now).size(), old);
    DialogDocument back;
    std::string error;
    ASSERT_TRUE(DocumentFromJson(json, back, error)) << error;
    EXPECT_EQ(test::Summary(back), test::Summary(d));
    EXPECT_EQ(back.ObjectTable[1], o);
    EXPECT_EQ(back.SmkTable[0], k);
}

TEST(DocumentJson, RefusesWhatTheFormatCannotHoldNamingTheField) {
    DialogDocument d = test::MakeDocument({-1, 0}, {-1});
    d.ObjectTable[1].Left = 11, d.ObjectTable[1].ControlType = 2, d.SmkTable[0].OverlayX = 5;
    const std::string base = DocumentToJson(d);
    // The first `"key":was` becomes `"key":now`, or `"renamed":now`.
    auto set = [&](const std::string& key, const std::string& was, const std::string& now,
                   const std::string& renamed = "") {
        const std::string from = "\"" + key + "\":" + was;
        const size_t at = base.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        const std::string to = "\"" + (renamed.empty() ? key : renamed) + "\":" + now;
        return std::string(base).replace(at, from.size(), now.empty() ? "" : to);
    };
    const std::string number16 = "must be a number from -32768 to 32767";
    const std::string next = "must be -1 or an SMK record from 0 to 0";
    const std::string latin1 = "must be a string of characters from U+0001 to U+00FF";
    const std::string objects = "objects: must be an array of 1 to 128 objects";
    std::string object = base.substr(12, base.find("},{") - 11), tooMany = object;
    for (int i = 0; i < 128; ++i) tooMany += "," + object;
    std::string manyKeys = "11";
    for (int i = 0; i < 99999; ++i) manyKeys.append(",\"").append(std::to_string(i)) += "\":0";
    const std::string longKey(5000, 'k'), longText(5000, 'v');
    const struct {
        std::string json, error;
    } refused[] = {
        {set("Left", "11", "40000"), "objects[1].Left: " + number16},
        {set("Left", "11", "1.5"), "objects[1].Left: " + number16},
        {set("ControlType", "2", "\"2\""),
         "objects[1].ControlType: must be a number from -2147483648 to 2147483647"},
        {set("Unknown6", "\"00000000\"", "\"0000000g\""),
         "smks[0].Unknown6: must be a string of 8 hex digits"},
        {set("SmkLink", "-1", "0"),
         "objects[0].SmkLink: must be -1: the dialog box has no SMK list"},
        {set("Next", "-1", "1"), "smks[0].Next: " + next},
        {set("SmkLink", "0", "-1"), "smks[0]: no object's SMK chain reaches this record"},
        {set("Text", "\"o1\"", "\"B\\u0100\""), "objects[1].Text: " + latin1},
        // A field under its old name is checked under that name.
        {set("TextRight", "0", "1e9", "ResponseWidth"), "objects[0].ResponseWidth: " + number16},
        {set("Left", "11,", ""), "objects[1].Left: missing"},
        {set("Left", "11", "11,\"Lfet\":1"), "objects[1].Lfet: no such field"},
        {set("Left", "11", "11,\"Left\":12"), "\"Left\" appears twice"},
        {set("TextLeft", "0", "0,\"TextX\":0"),
         "\"TextLeft\" and \"TextX\" name the same field in one object"},
        // Refused at the first unknown key, and only so much of a key or value is quoted.
        {set("Left", "11", manyKeys), "objects[1].0: no such field"},
        {set("Left", "11", "11,\"" + longKey + "\":1"),
         std::string("objects[1].").append(longKey, 0, 100) + "...: no such field"},
        {set("Text", "\"o1\"", "\"" + longText + "\x01\""), "not valid JSON: parse error"},
        {set("Left", "11", "[[11]]"), "the JSON nests deeper"},
        {"{\"objects\":[" + tooMany + "],\"smks\":[]}", objects},
        {"{\"objects\":[],\"smks\":[]}", objects},
        {base.substr(1), "not valid JSON: parse error"},
    };
    for (const auto& c : refused) {
        DialogDocument kept = test::MakeDocument({-1, -1, -1}, {});
        std::string error;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(DocumentFromJson(c.json, kept, error)) << c.error;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.error;
        EXPECT_EQ(error.substr(0, c.error.size() + 7), "Error: " + c.error);
        EXPECT_LT(error.size(), 300u) << c.error;
        EXPECT_EQ(kept.ObjectCount, 3) << c.error;
    }
}

} // namespace
} // namespace tarrox
