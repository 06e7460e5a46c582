// Checks that need the Windows services themselves: the code page the
// program is written for, Japanese paths, and the system's profile API
// against the portable INI editor.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/profile_file.h"
#include "settings/writers.h"
#include "tests/support/case_name.h"
#include "tests/support/test_env.h"

namespace nw::test {
namespace {

TEST(WindowsSystem, RunsWithTheJapaneseCodePage) { EXPECT_EQ(GetACP(), 932u); }

TEST(WindowsSystem, JapaneseFoldersWithBackslashBytes) {
  TestEnv env;
  // "ソフト" and "表示" both hold a second byte 0x5C.
  env.MakeFolder("ソフト");
  env.MakeFolder("ソフト/表示");
  WriteNwIni(env.platform(), env.Path("ソフト/表示/nib.表"), env.Path("ソフト/platex.exe"));
  EXPECT_EQ(env.List("ソフト/表示"), std::vector<std::string>{"nib.ini"});
  EXPECT_EQ(env.Read("ソフト/表示/nib.ini"),
            "[CommandLineTeX]\r\nCLTNum=1\r\nCLT0=" + env.Path("ソフト/platex.exe") +
                "\r\nCLTOpt=-src\r\nUse=1\r\n");

  env.Write("ソフト/表示/texmf.cnf", "TEXEDIT=vi\r\n");
  class Sink : public MessageSink {
    void ShowMessage(std::string_view) override { FAIL(); }
  } sink;
  ASSERT_TRUE(UpdateTexmfCnf(env.platform(), sink, env.Path("ソフト/表示/texmf.cnf"),
                             env.Path("ソフト/表示/nib.表"), ".old"));
  EXPECT_EQ(env.Read("ソフト/表示/texmf.cnf"),
            "TEXEDIT=\"" + env.Path("ソフト/表示/nib.表") + "\" /e%d \"%s\"\r\n");
  EXPECT_EQ(env.Read("ソフト/表示/texmf.cnf.old"), "TEXEDIT=vi\r\n");
}

struct ProfileCompareCase {
  const char* name;
  std::string before;
  // What Wine writes where it is known to differ from Windows; empty when
  // both give the same bytes.
  std::string wine;
};

class ProfileCompareTest : public testing::TestWithParam<ProfileCompareCase> {};

TEST_P(ProfileCompareTest, PortableEditorMatchesTheSystem) {
  const ProfileCompareCase& c = GetParam();
  TestEnv env;
  if (!c.before.empty()) env.Write("a.ini", c.before);
  ASSERT_TRUE(
      WritePrivateProfileStringA("CommandLineTeX", "CLTNum", "1", env.Path("a.ini").c_str()));
  const std::string portable = SetProfileString(c.before, "CommandLineTeX", "CLTNum", "1");
  if (c.wine.empty()) {
    EXPECT_EQ(env.Read("a.ini"), portable);
  } else {
    // Wine's profile functions drop blank lines when they rewrite a file;
    // Windows keeps them, and so does the portable editor.
    EXPECT_EQ(env.Read("a.ini"), c.wine);
    EXPECT_NE(portable, c.wine);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileCompareTest,
    testing::Values(
        ProfileCompareCase{"NewFile", "", ""},
        ProfileCompareCase{"ValueReplaced", "[CommandLineTeX]\r\nCLTNum=3\r\nCLT0=x\r\n", ""},
        ProfileCompareCase{"KeyAdded", "[CommandLineTeX]\r\nCLT0=x\r\n[B]\r\nb=2\r\n", ""},
        ProfileCompareCase{"SectionAdded", "[A]\r\na=1\r\n", ""},
        ProfileCompareCase{"CaseOfNames", "[commandlinetex]\r\ncltnum=3\r\n", ""},
        ProfileCompareCase{"ShiftJis", "[表示]\r\nキー=ソフト\r\n", ""},
        ProfileCompareCase{"BlankLines", "[A]\r\na=1\r\n\r\n[CommandLineTeX]\r\nCLTNum=3\r\n",
                           "[A]\r\na=1\r\n[CommandLineTeX]\r\nCLTNum=1\r\n"}),
    CaseName());

}  // namespace
}  // namespace nw::test
