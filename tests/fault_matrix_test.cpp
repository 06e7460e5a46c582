// Every platform operation of a full Execute press made to fail in turn:
// the user's texmf.cnf is never lost, no backup is overwritten, and success
// is never reported after a failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/exec_action.h"
#include "tests/support/case_name.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/recording_form.h"
#include "tests/support/test_env.h"

namespace nw::test {
namespace {

using test::PrintTo;

constexpr char kOriginal[] = "% site\r\nTEXEDIT = vi +%d %s\r\n";
constexpr char kOlder[] = "an older backup\r\n";
constexpr char kDvioutKey[] = "Software\\SHIMA\\DVIOUT\\Settings";

enum class Cnf {
  Original,   // texmf.cnf still holds the original bytes
  Rewritten,  // rewritten; the original is in texmf.cnf.old0
  AtBackup,   // the original is where the last message says
};

struct FaultCase {
  const char* name;
  Op op;
  int nth;
  size_t partial;
  Op secondOp;  // a second failure, where secondNth > 0
  int secondNth;
  bool raises;
  // "{name}" stands for the full path of name.
  std::vector<std::string> messages;
  bool iniWritten;
  Cnf cnf;
  bool srcWritten;
};

class FaultMatrixTest : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultMatrixTest, ConfigurationSurvives) {
  const FaultCase& c = GetParam();
  TestEnv env;
  env.Write("texmf.cnf", kOriginal);
  env.Write("texmf.cnf.old", kOlder);
  FaultyPlatform faulty(env.platform());
  faulty.FailAt(c.op, c.nth, c.partial);
  if (c.secondNth > 0) faulty.FailAt(c.secondOp, c.secondNth);

  RecordingForm form(env.Path("nibwell.exe"), env.Path("platex.exe"), env.Path("texmf.cnf"), true);
  ExecPaths paths;
  if (c.raises) {
    EXPECT_THROW(RunExecAction(form, paths, faulty), PlatformError);
  } else {
    EXPECT_EQ(RunExecAction(form, paths, faulty), ExecOutcome::Failed);
  }

  std::vector<std::string> expected;
  for (const auto& m : c.messages) expected.push_back(env.Expand(m));
  EXPECT_EQ(form.messages, expected);
  EXPECT_FALSE(form.closed);

  EXPECT_EQ(env.Read("texmf.cnf.old"), kOlder) << "a backup was overwritten";
  switch (c.cnf) {
    case Cnf::Original:
      EXPECT_EQ(env.Read("texmf.cnf"), kOriginal);
      EXPECT_EQ(env.Read("texmf.cnf.old0"), std::nullopt);
      break;
    case Cnf::Rewritten:
      EXPECT_EQ(env.Read("texmf.cnf.old0"), kOriginal);
      EXPECT_NE(env.Read("texmf.cnf"), kOriginal);
      break;
    case Cnf::AtBackup:
      EXPECT_EQ(env.Read("texmf.cnf.old0"), kOriginal);
      break;
  }
  EXPECT_EQ(env.Read("nibwell.ini").has_value(), c.iniWritten);
  EXPECT_EQ(env.UserValue(kDvioutKey, "src").has_value(), c.srcWritten);
}

const std::string kMissing = "{texmf.cnf} がありません。";
const std::string kNoRename = "{texmf.cnf} を {texmf.cnf.old0} に変更が出来ません。";
const std::string kNotChanged = "{texmf.cnf} の変更が出来ませんでした。";
const std::string kLeftAtBackup = kNotChanged + "元のファイルは {texmf.cnf.old0} にあります。";
const std::string kKeyFailed =
    "HKEY_CURRENT_USER\\Software\\SHIMA\\DVIOUT\\Settings を開けません。"
    "dviout の src オプションは設定されませんでした。";

// The calls of a full press, in order: four profile writes; IsFile of
// texmf.cnf; Read; IsFile of texmf.cnf.old and .old0; Rename to the backup;
// Write; on failure IsFile, Remove and Rename back; CreateKey; SetString.
INSTANTIATE_TEST_SUITE_P(
    Cases, FaultMatrixTest,
    testing::Values(
        FaultCase{"FirstIniWrite",
                  Op::WriteProfile,
                  1,
                  0,
                  Op::IsFile,
                  0,
                  true,
                  {},
                  false,
                  Cnf::Original,
                  false},
        FaultCase{"LastIniWrite",
                  Op::WriteProfile,
                  4,
                  0,
                  Op::IsFile,
                  0,
                  true,
                  {},
                  true,
                  Cnf::Original,
                  false},
        FaultCase{"ExistenceTest",
                  Op::IsFile,
                  1,
                  0,
                  Op::IsFile,
                  0,
                  false,
                  {kMissing},
                  true,
                  Cnf::Original,
                  true},
        FaultCase{"Read", Op::Read, 1, 0, Op::IsFile, 0, true, {}, true, Cnf::Original, false},
        // The backup test misses texmf.cnf.old: the rename must still refuse to replace it.
        FaultCase{"BackupExistenceTest",
                  Op::IsFile,
                  2,
                  0,
                  Op::IsFile,
                  0,
                  false,
                  {"{texmf.cnf} を {texmf.cnf.old} に変更が出来ません。"},
                  true,
                  Cnf::Original,
                  true},
        FaultCase{"RenameToBackup",
                  Op::Rename,
                  1,
                  0,
                  Op::IsFile,
                  0,
                  false,
                  {kNoRename},
                  true,
                  Cnf::Original,
                  true},
        FaultCase{"WriteAtStart",
                  Op::Write,
                  1,
                  0,
                  Op::IsFile,
                  0,
                  false,
                  {"disk full\n{texmf.cnf}", kNotChanged},
                  true,
                  Cnf::Original,
                  true},
        FaultCase{"WritePartway",
                  Op::Write,
                  1,
                  12,
                  Op::IsFile,
                  0,
                  false,
                  {"disk full\n{texmf.cnf}", kNotChanged},
                  true,
                  Cnf::Original,
                  true},
        FaultCase{"RemovingThePartialFile",
                  Op::Write,
                  1,
                  12,
                  Op::Remove,
                  1,
                  false,
                  {"disk full\n{texmf.cnf}", kLeftAtBackup},
                  true,
                  Cnf::AtBackup,
                  true},
        FaultCase{"RenameBack",
                  Op::Write,
                  1,
                  0,
                  Op::Rename,
                  2,
                  false,
                  {"disk full\n{texmf.cnf}", kLeftAtBackup},
                  true,
                  Cnf::AtBackup,
                  true},
        FaultCase{"RegistryOpen",
                  Op::CreateKey,
                  1,
                  0,
                  Op::IsFile,
                  0,
                  false,
                  {kKeyFailed},
                  true,
                  Cnf::Rewritten,
                  false},
        FaultCase{"RegistryWrite",
                  Op::SetString,
                  1,
                  0,
                  Op::IsFile,
                  0,
                  true,
                  {},
                  true,
                  Cnf::Rewritten,
                  false}),
    CaseName());

}  // namespace
}  // namespace nw::test
