// Paths a user may get wrong: the press ends in a clear message or a clear
// error, and no file is written where it does not belong.
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

using Names = std::vector<std::string>;

constexpr char kCnf[] = "TEXEDIT = vi +%d %s\r\n";
constexpr char kIsFolder[] =
    " はフォルダーです。Nibwell の実行ファイルのフルパスを入力してください。";
constexpr char kFinished[] = "設定が終わりました。終了します。";
const std::string kLong(300, 'a');

struct BadInputCase {
  const char* name;
  std::string nw, tex, texmf;
  bool raises;
  std::vector<std::string> messages;
  Names after;  // the test folder's entries afterwards
  bool srcWritten;
};

class BadInputTest : public testing::TestWithParam<BadInputCase> {};

TEST_P(BadInputTest, ClearOutcomeNoStrayFile) {
  const BadInputCase& c = GetParam();
  TestEnv env;
  env.MakeFolder("tools");
  env.Write("texmf.cnf", kCnf);
  RecordingForm form(env.Expand(c.nw), env.Expand(c.tex), env.Expand(c.texmf), true);
  ExecPaths paths;
  if (c.raises) {
    EXPECT_THROW(RunExecAction(form, paths, env.platform()), PlatformError);
  } else {
    RunExecAction(form, paths, env.platform());
  }
  std::vector<std::string> expected;
  for (const auto& m : c.messages) expected.push_back(env.Expand(m));
  EXPECT_EQ(form.messages, expected);
  EXPECT_EQ(env.List(), c.after);
  EXPECT_EQ(env.UserValue("Software\\SHIMA\\DVIOUT\\Settings", "src").has_value(), c.srcWritten);
  EXPECT_EQ(env.Read("texmf.cnf"), kCnf);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInputTest,
                         testing::Values(BadInputCase{"EditorIsAFolder",
                                                      "{tools}",
                                                      "{platex.exe}",
                                                      "{texmf.cnf}",
                                                      false,
                                                      {"{tools}" + std::string(kIsFolder)},
                                                      {"texmf.cnf", "tools"},
                                                      false},
                                         BadInputCase{"EditorEndsInSeparator",
                                                      "{nibwell/}",
                                                      "{platex.exe}",
                                                      "{texmf.cnf}",
                                                      false,
                                                      {"{nibwell/}" + std::string(kIsFolder)},
                                                      {"texmf.cnf", "tools"},
                                                      false},
                                         BadInputCase{"TexmfIsAFolder",
                                                      "{nibwell.exe}",
                                                      "",
                                                      "{tools}",
                                                      false,
                                                      {"{tools} がありません。"},
                                                      {"texmf.cnf", "tools"},
                                                      true},
                                         BadInputCase{"TexmfEndsInSeparator",
                                                      "{nibwell.exe}",
                                                      "",
                                                      "{texmf.cnf/}",
                                                      false,
                                                      {"{texmf.cnf/} がありません。"},
                                                      {"texmf.cnf", "tools"},
                                                      true},
                                         BadInputCase{"LongEditorPath",
                                                      "{" + kLong + "/nibwell.exe}",
                                                      "{platex.exe}",
                                                      "{texmf.cnf}",
                                                      true,
                                                      {},
                                                      {"texmf.cnf", "tools"},
                                                      false},
                                         BadInputCase{"LongTexmfPath",
                                                      "{nibwell.exe}",
                                                      "",
                                                      "{" + kLong + "/texmf.cnf}",
                                                      false,
                                                      {"{" + kLong + "/texmf.cnf} がありません。"},
                                                      {"texmf.cnf", "tools"},
                                                      true},
                                         BadInputCase{"LongLatexPathIsWrittenAsGiven",
                                                      "{nibwell.exe}",
                                                      "{" + kLong + "}",
                                                      "",
                                                      false,
                                                      {kFinished},
                                                      {"nibwell.ini", "texmf.cnf", "tools"},
                                                      true}),
                         CaseName());

TEST(BadInput, DoubleByteFolderNames) {
  TestEnv env;
  // In Shift_JIS the second bytes of "ソ" and "表" are "\".
  env.MakeFolder("ソフト");
  env.MakeFolder("ソフト/表示");
  env.Write("ソフト/表示/texmf.cnf", kCnf);
  RecordingForm form(env.Path("ソフト/表示/nibwell.exe"), env.Path("ソフト/platex.exe"),
                     env.Path("ソフト/表示/texmf.cnf"), true);
  ExecPaths paths;
  EXPECT_EQ(RunExecAction(form, paths, env.platform()), ExecOutcome::Done);
  EXPECT_EQ(form.messages, Names{kFinished});
  EXPECT_EQ(env.List("ソフト/表示"), (Names{"nibwell.ini", "texmf.cnf", "texmf.cnf.old"}));
  EXPECT_EQ(env.List("ソフト"), Names{"表示"});
  EXPECT_EQ(env.Read("ソフト/表示/texmf.cnf"),
            "TEXEDIT=\"" + env.Path("ソフト/表示/nibwell.exe") + "\" /e%d \"%s\"\r\n");
  EXPECT_EQ(env.UserValue("Software\\SHIMA\\DVIOUT\\Settings", "src"),
            env.Path("ソフト/表示/nibwell.exe") + "^s/e%d \"%s\"");
}

}  // namespace
}  // namespace nw::test
