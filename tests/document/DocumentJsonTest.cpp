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

} // namespace
} // namespace tarrox
