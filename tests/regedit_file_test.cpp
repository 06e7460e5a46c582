// The registry stand-in: a file the registry editor imports as it is.
#include <gtest/gtest.h>

#include <string>

#include "platform/regedit_file.h"

namespace nw {
namespace {

constexpr char kKey[] = "Software\\SHIMA\\DVIOUT\\Settings";
bool NoLead(unsigned char) { return false; }
bool Cp932Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc); }

TEST(RegeditFile, NewFileIsARegedit4Import) {
  EXPECT_EQ(SetRegeditString("", kKey, "src", "C:\\ed.exe^s/e%d \"%s\"", NoLead),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\SHIMA\\DVIOUT\\Settings]\r\n"
            "\"src\"=\"C:\\\\ed.exe^s/e%d \\\"%s\\\"\"\r\n");
}

TEST(RegeditFile, ValueReplacedOtherValuesAndKeysKept) {
  const std::string before =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"x\"=\"1\"\r\n\r\n"
      "[HKEY_CURRENT_USER\\software\\shima\\dviout\\settings]\r\n\"gs\"=\"g\"\r\n\"SRC\"="
      "\"old\"\r\n";
  EXPECT_EQ(SetRegeditString(before, kKey, "src", "new", NoLead),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"x\"=\"1\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\software\\shima\\dviout\\settings]\r\n\"gs\"=\"g\"\r\n"
            "\"src\"=\"new\"\r\n");
}

TEST(RegeditFile, ValueAddedToItsKey) {
  const std::string before =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\SHIMA\\DVIOUT\\Settings]\r\n\"gs\"=\"g\"\r\n"
      "\r\n[HKEY_CURRENT_USER\\Software\\B]\r\n";
  EXPECT_EQ(
      SetRegeditString(before, kKey, "src", "v", NoLead),
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\SHIMA\\DVIOUT\\Settings]\r\n\"gs\"=\"g\"\r\n"
      "\"src\"=\"v\"\r\n\r\n[HKEY_CURRENT_USER\\Software\\B]\r\n");
}

TEST(RegeditFile, RoundTripKeepsDoubleByteCharacters) {
  // "表" ends in 0x5C; the editor reads it as one character, so it is not escaped.
  const std::string data = "C:\\\x95\x5c\\\"q\".exe";
  const std::string file = SetRegeditString("", kKey, "src", data, Cp932Lead);
  EXPECT_NE(file.find("\"C:\\\\\x95\x5c\\\\\\\"q\\\".exe\""), std::string::npos) << file;
  EXPECT_EQ(GetRegeditString(file, kKey, "src", Cp932Lead), data);
  EXPECT_EQ(GetRegeditString(file, kKey, "other", Cp932Lead), std::nullopt);
  EXPECT_EQ(GetRegeditString(file, "Software\\X", "src", Cp932Lead), std::nullopt);
}

}  // namespace
}  // namespace nw
