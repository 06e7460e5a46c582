// dviout's src value in the current user's registry.
#include <gtest/gtest.h>

#include "settings/writers.h"
#include "tests/support/recording_form.h"
#include "tests/support/test_env.h"

namespace nw::test {
namespace {

constexpr char kKey[] = "Software\\SHIMA\\DVIOUT\\Settings";

TEST(DvioutSrcData, EditorThenElevenFixedCharacters) {
  EXPECT_EQ(DvioutSrcData("C:\\Tools\\ed.exe"), "C:\\Tools\\ed.exe^s/e%d \"%s\"");
  EXPECT_EQ(DvioutSrcData(""), "^s/e%d \"%s\"");
  EXPECT_EQ(DvioutSrcData("").size(), 11u);
}

TEST(WriteDvioutSrc, WritesAndReplacesTheValue) {
  TestEnv env;
  RecordingSink sink;
  EXPECT_TRUE(WriteDvioutSrc(env.platform(), sink, "C:\\a b\\\x95\x5c.exe"));
  EXPECT_EQ(env.UserValue(kKey, "src"), "C:\\a b\\\x95\x5c.exe^s/e%d \"%s\"");
  EXPECT_TRUE(WriteDvioutSrc(env.platform(), sink, ""));
  EXPECT_EQ(env.UserValue(kKey, "src"), "^s/e%d \"%s\"");
  EXPECT_TRUE(sink.messages.empty());
}

TEST(WriteDvioutSrc, KeyThatCannotBeOpenedIsReported) {
  TestEnv env;
  env.LockUserRegistry();
  RecordingSink sink;
  EXPECT_FALSE(WriteDvioutSrc(env.platform(), sink, "ed.exe"));
  EXPECT_EQ(sink.messages, std::vector<std::string>{
                               "HKEY_CURRENT_USER\\Software\\SHIMA\\DVIOUT\\Settings を開けません。"
                               "dviout の src オプションは設定されませんでした。"});
}

}  // namespace
}  // namespace nw::test
