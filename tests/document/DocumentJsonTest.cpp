#include <gtest/gtest.h>

#include "document/DocumentJson.h"

namespace tarrox {
namespace {

TEST(DocumentJson, FieldsInOrderWithSignedNumbersHexAndLatin1Text) {
    DialogDocument d;
    d.ObjectCount = 1;
    d.SmkCount = 1;
    d.StringCount = 2;
    DialogObject& o = d.ObjectTable[0];
    o.Left = -1;
    o.Flags = static_cast<int32_t>(0x80000000u);
    o.ControlType = 14;
    o.Unknown16 = {0x00, 0xab, 0x10, 0xff};
    o.Text = 0;
    o.SmkLink = -1;
    d.StringTable[0] = "\x03Q\"uit\\<\xe9";
    SmkEntry& s = d.SmkTable[0];
    s.Next = -1;
    s.Flags = static_cast<int16_t>(0xffff);
    s.FileName = 1;
    d.StringTable[1] = "glue\\a.smk";
    std::string json = DocumentToJson(d);
    EXPECT_EQ(json.substr(0, 54),
              "{\"objects\":[{\"Left\":-1,\"Top\":0,\"Right\":0,\"Bottom\":0,\"W");
    EXPECT_NE(
        json.find(
            "\"Height\":0,\"Unknown16\":\"00ab10ff\",\"Text\":\"<3>Q\\\"uit\\\\<60>\xc3\xa9\","
            "\"Flags\":-2147483648,"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find("\"ControlType\":14,\"Unknown38\":\"00000000000000000000000000000000\""),
              std::string::npos);
    EXPECT_NE(json.find("\"SmkLink\":-1,\"TextX\""), std::string::npos);
    EXPECT_NE(json.find("\"smks\":[{\"Next\":-1,\"Flags\":-1,\"Unknown6\":\"00000000\","
                        "\"FileName\":\"glue\\\\a.smk\",\"Unknown14\":\"00000000\",\"OverlayX\":0,"
                        "\"OverlayY\":0,\"Unknown22\":\"0000000000000000\"}]}"),
              std::string::npos)
        << json;
}

// A dialog box and a button with one overlay; values chosen so each edit below hits one field.
std::string SmallDialogJson() {
    DialogDocument d;
    d.ObjectCount = 2;
    d.SmkCount = 1;
    d.StringCount = 3;
    d.ObjectTable[0] = {.Text = 0, .SmkLink = -1};
    d.ObjectTable[1] = {.Left = 11, .Text = 1, .ControlType = 2, .SmkLink = 0};
    d.SmkTable[0] = {.Next = -1, .FileName = 2, .OverlayX = 5};
    d.StringTable = {"Dlg", "Btn", "a.smk"};
    return DocumentToJson(d);
}

std::string Edit(std::string json, const std::string& from, const std::string& to) {
    const size_t at = json.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? json : json.replace(at, from.size(), to);
}

TEST(DocumentJson, ReadsEditedCodesAndRefusesWhatTheFormatCannotHoldNamingTheField) {
    const std::string base = SmallDialogJson();
    DialogDocument d;
    std::string error;
    ASSERT_TRUE(DocumentFromJson(Edit(base, "\"Btn\"", "\"<1>\xc3\xa9<60>\""), d, error)) << error;
    EXPECT_EQ(d.StringTable[d.ObjectTable[1].Text], "\x01\xe9<");
    EXPECT_EQ(d.SmkTable[d.ObjectTable[1].SmkLink].OverlayX, 5);

    const std::string number16 = "must be a number from -32768 to 32767";
    const std::string nextRange = "must be -1 or an SMK record from 0 to 0";
    const std::string latin1 = "must be a string of characters from U+0001 to U+00FF";
    std::string object = base.substr(12, base.find("},{") - 11), tooMany;
    for (int i = 0; i < 129; ++i) tooMany += (i ? "," : "") + object;
    const struct {
        std::string json, error;
    } refused[] = {
        {Edit(base, "\"Left\":11", "\"Left\":40000"), "objects[1].Left: " + number16},
        {Edit(base, "\"Left\":11", "\"Left\":1.5"), "objects[1].Left: " + number16},
        {Edit(base, "\"OverlayX\":5", "\"OverlayX\":-32769"), "smks[0].OverlayX: " + number16},
        {Edit(base, "\"ControlType\":2", "\"ControlType\":\"2\""),
         "objects[1].ControlType: must be a number from -2147483648 to 2147483647"},
        {Edit(base, "\"Unknown6\":\"00000000\"", "\"Unknown6\":\"0000000g\""),
         "smks[0].Unknown6: must be a string of 8 hex digits"},
        {Edit(base, "\"SmkLink\":0", "\"SmkLink\":1"), "objects[1].SmkLink: " + nextRange},
        {Edit(base, "\"SmkLink\":-1", "\"SmkLink\":0"),
         "objects[0].SmkLink: must be -1: the dialog box has no SMK list"},
        {Edit(base, "\"Next\":-1", "\"Next\":1"), "smks[0].Next: " + nextRange},
        {Edit(base, "\"SmkLink\":0", "\"SmkLink\":-1"),
         "smks[0]: no object's SMK chain reaches this record"},
        {Edit(base, "\"Btn\"", "\"B\\u0100\""), "objects[1].Text: " + latin1},
        {Edit(base, "\"Btn\"", "\"B\\u0000\""), "objects[1].Text: " + latin1},
        {Edit(base, "\"Left\":11,", ""), "objects[1].Left: missing"},
        {Edit(base, "\"Left\":11", "\"Left\":11,\"Lfet\":1"), "objects[1].Lfet: no such field"},
        {Edit(base, "\"Left\":11", "\"Left\":11,\"Left\":12"), "\"Left\" appears twice"},
        {Edit(base, "\"Left\":11", "\"Left\":[[11]]"), "the JSON nests deeper"},
        {"{\"objects\":[" + tooMany + "],\"smks\":[]}",
         "objects: must be an array of 1 to 128 objects"},
        {"{\"objects\":[],\"smks\":[]}", "objects: must be an array of 1 to 128 objects"},
        {Edit(base, "]}", "]"), "not valid JSON: parse error"},
    };
    for (const auto& c : refused) {
        DialogDocument kept;
        kept.ObjectCount = 7;
        EXPECT_FALSE(DocumentFromJson(c.json, kept, error)) << c.error;
        EXPECT_EQ(error.rfind("Error: " + c.error, 0), 0u) << error;
        EXPECT_EQ(kept.ObjectCount, 7) << c.error;
    }
}

} // namespace
} // namespace tarrox
