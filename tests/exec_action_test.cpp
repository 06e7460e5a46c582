// One press of Execute: which settings are written, what the user is told,
// and whether the window closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/exec_action.h"
#include "tests/support/case_name.h"
#include "tests/support/recording_form.h"
#include "tests/support/test_env.h"

namespace nw::test {
namespace {

using test::PrintTo;

constexpr char kNothing[] = "何もしない設定になっています。";
constexpr char kNoNw[] =
    "Nibwell のパスの入力がありません。dviout の src オプション以外の設定はされません。";
constexpr char kFinished[] = "設定が終わりました。終了します。";
constexpr char kKeyFailed[] =
    "HKEY_CURRENT_USER\\Software\\SHIMA\\DVIOUT\\Settings を開けません。"
    "dviout の src オプションは設定されませんでした。";
constexpr char kDvioutKey[] = "Software\\SHIMA\\DVIOUT\\Settings";
constexpr char kOriginalCnf[] = "% editor\r\nTEXEDIT = vi +%d %s\r\n";

struct ExecCase {
  const char* name;
  const char* nw;
  const char* tex;
  const char* texmf;
  bool src;
  bool lockRegistry;
  std::vector<std::string> messages;
  bool closed;
  bool iniWritten;
  bool cnfRewritten;
  const char* srcValue;  // nullptr: not written
};

class ExecActionTest : public testing::TestWithParam<ExecCase> {};

TEST_P(ExecActionTest, MessagesWritesAndClose) {
  const ExecCase& c = GetParam();
  TestEnv env;
  env.Write("texmf.cnf", kOriginalCnf);
  if (c.lockRegistry) env.LockUserRegistry();

  RecordingForm form(env.Expand(c.nw), env.Expand(c.tex), env.Expand(c.texmf), c.src);
  ExecPaths paths;
  RunExecAction(form, paths, env.platform());

  std::vector<std::string> expected;
  for (const auto& m : c.messages) expected.push_back(env.Expand(m));
  EXPECT_EQ(form.messages, expected);
  EXPECT_EQ(form.closed, c.closed);

  const std::optional<std::string> ini = env.Read("nibwell.ini");
  if (c.iniWritten) {
    EXPECT_EQ(ini, "[CommandLineTeX]\r\nCLTNum=1\r\nCLT0=" + env.Expand("{platex.exe}") +
                       "\r\nCLTOpt=-src\r\nUse=1\r\n");
  } else {
    EXPECT_EQ(ini, std::nullopt);
  }

  if (c.cnfRewritten) {
    EXPECT_EQ(env.Read("texmf.cnf"),
              "% editor\r\nTEXEDIT=\"" + env.Path("nibwell.exe") + "\" /e%d \"%s\"\r\n");
    EXPECT_EQ(env.Read("texmf.cnf.old"), kOriginalCnf);
  } else {
    EXPECT_EQ(env.Read("texmf.cnf"), kOriginalCnf);
    EXPECT_EQ(env.Read("texmf.cnf.old"), std::nullopt);
  }

  const std::optional<std::string> src = env.UserValue(kDvioutKey, "src");
  if (c.srcValue) {
    EXPECT_EQ(src, env.Expand(c.srcValue));
  } else {
    EXPECT_EQ(src, std::nullopt);
  }
}

const std::string kEdSrc = "{nibwell.exe}^s/e%d \"%s\"";

INSTANTIATE_TEST_SUITE_P(
    Cases, ExecActionTest,
    testing::Values(
        ExecCase{"AllEmpty", "", "", "", false, false, {kNothing}, false, false, false, nullptr},
        ExecCase{"EditorOnly",
                 "{nibwell.exe}",
                 "",
                 "",
                 false,
                 false,
                 {kNothing},
                 false,
                 false,
                 false,
                 nullptr},
        ExecCase{"BlanksCountAsEmpty",
                 " \t ",
                 "  ",
                 "\t",
                 false,
                 false,
                 {kNothing},
                 false,
                 false,
                 false,
                 nullptr},
        ExecCase{"NoEditorButSrc",
                 "",
                 "{platex.exe}",
                 "{texmf.cnf}",
                 true,
                 false,
                 {kNoNw, kFinished},
                 true,
                 false,
                 false,
                 "^s/e%d \"%s\""},
        ExecCase{"NoEditorNoSrc",
                 "",
                 "{platex.exe}",
                 "",
                 false,
                 false,
                 {kNoNw},
                 false,
                 false,
                 false,
                 nullptr},
        ExecCase{"EditorAndLatexOnly",
                 "{nibwell.exe}",
                 "{platex.exe}",
                 "",
                 false,
                 false,
                 {kFinished},
                 true,
                 true,
                 false,
                 nullptr},
        ExecCase{"EditorAndSrcOnly",
                 "{nibwell.exe}",
                 "",
                 "",
                 true,
                 false,
                 {kFinished},
                 true,
                 false,
                 false,
                 kEdSrc.c_str()},
        ExecCase{"MissingTexmf",
                 "{nibwell.exe}",
                 "{platex.exe}",
                 "{none.cnf}",
                 true,
                 false,
                 {"{none.cnf} がありません。"},
                 false,
                 true,
                 false,
                 kEdSrc.c_str()},
        ExecCase{"Everything",
                 "{nibwell.exe}",
                 "{platex.exe}",
                 "{texmf.cnf}",
                 true,
                 false,
                 {kFinished},
                 true,
                 true,
                 true,
                 kEdSrc.c_str()},
        ExecCase{"FieldsAreTrimmed",
                 " \t{nibwell.exe}  ",
                 "\t{platex.exe} ",
                 "  {texmf.cnf}\r\n",
                 true,
                 false,
                 {kFinished},
                 true,
                 true,
                 true,
                 kEdSrc.c_str()},
        ExecCase{"RegistryKeyUnavailable",
                 "{nibwell.exe}",
                 "{platex.exe}",
                 "{texmf.cnf}",
                 true,
                 true,
                 {kKeyFailed},
                 false,
                 true,
                 true,
                 nullptr},
        ExecCase{"RegistryKeyUnavailableAlone",
                 "{nibwell.exe}",
                 "",
                 "",
                 true,
                 true,
                 {kKeyFailed},
                 false,
                 false,
                 false,
                 nullptr}),
    nw::test::CaseName());

TEST(ExecActionPaths, MembersHoldTheTrimmedFields) {
  TestEnv env;
  RecordingForm form(" " + env.Path("a b.exe") + "\t", "\tc:\\x y\\platex.exe\r\n", " \x81\x40 ",
                     false);
  ExecPaths paths;
  RunExecAction(form, paths, env.platform());
  EXPECT_EQ(paths.NwPath, env.Path("a b.exe"));
  EXPECT_EQ(paths.TeXPath, "c:\\x y\\platex.exe");
  // Only bytes up to 32 are blanks: a double-byte space stays.
  EXPECT_EQ(paths.TexmfPath, "\x81\x40");
  EXPECT_EQ(paths.OldExt, ".old");
}

TEST(ExecActionErrors, UnreadableTexmfEndsThePressWithItsError) {
  TestEnv env;
  const std::string cnf = env.UnreadableFile("texmf.cnf");
  RecordingForm form(env.Path("nibwell.exe"), env.Path("platex.exe"), cnf, true);
  ExecPaths paths;
  EXPECT_THROW(RunExecAction(form, paths, env.platform()), PlatformError);
  // The INI entry before it stays; the previewer value after it is not written.
  EXPECT_TRUE(env.Read("nibwell.ini").has_value());
  EXPECT_EQ(env.UserValue(kDvioutKey, "src"), std::nullopt);
  EXPECT_TRUE(form.messages.empty());
  EXPECT_FALSE(form.closed);
}

TEST(ExecActionErrors, IniWriteErrorStopsBeforeTexmf) {
  TestEnv env;
  env.Write("texmf.cnf", kOriginalCnf);
  // The editor's folder does not exist, so its INI file cannot be written.
  RecordingForm form(env.Path("gone/nibwell.exe"), env.Path("platex.exe"), env.Path("texmf.cnf"),
                     true);
  ExecPaths paths;
  EXPECT_THROW(RunExecAction(form, paths, env.platform()), PlatformError);
  EXPECT_EQ(env.Read("texmf.cnf"), kOriginalCnf);
  EXPECT_EQ(env.List(), std::vector<std::string>{"texmf.cnf"});
  EXPECT_EQ(env.UserValue(kDvioutKey, "src"), std::nullopt);
  EXPECT_FALSE(form.closed);
}

}  // namespace
}  // namespace nw::test
