// UpdateTexmfCnf on real files: backups, messages, and the original kept
// whatever fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/writers.h"
#include "tests/support/case_name.h"
#include "tests/support/faulty_platform.h"
#include "tests/support/recording_form.h"
#include "tests/support/test_env.h"

namespace nw::test {
namespace {

using test::PrintTo;

using Names = std::vector<std::string>;

constexpr char kOriginal[] = "% local\nTEXEDIT = vi +%d %s\nTEXINPUTS = .\n";

std::string Rewritten(const std::string& editor) {
  return "% local\r\nTEXEDIT=\"" + editor + "\" /e%d \"%s\"\r\nTEXINPUTS = .\r\n";
}

TEST(UpdateTexmfCnf, MissingFileIsReported) {
  TestEnv env;
  RecordingSink sink;
  EXPECT_FALSE(UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), "ed.exe", ".old"));
  EXPECT_EQ(sink.messages, Names{env.Path("texmf.cnf") + " がありません。"});
  EXPECT_TRUE(env.List().empty());
}

TEST(UpdateTexmfCnf, FolderIsNoFile) {
  TestEnv env;
  env.MakeFolder("texmf.cnf");
  RecordingSink sink;
  EXPECT_FALSE(UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), "ed.exe", ".old"));
  EXPECT_EQ(sink.messages, Names{env.Path("texmf.cnf") + " がありません。"});
}

struct BackupCase {
  const char* name;
  Names present;  // backups there before the call
  const char* chosen;
};

class BackupNameTest : public testing::TestWithParam<BackupCase> {};

TEST_P(BackupNameTest, NeverOverwritesABackup) {
  TestEnv env;
  env.Write("texmf.cnf", kOriginal);
  for (const auto& name : GetParam().present) env.Write(name, "backup " + name);
  RecordingSink sink;
  ASSERT_TRUE(UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), "ed.exe", ".old"));
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(env.Read(GetParam().chosen), kOriginal);
  for (const auto& name : GetParam().present) EXPECT_EQ(env.Read(name), "backup " + name);
  EXPECT_EQ(env.Read("texmf.cnf"), Rewritten("ed.exe"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupNameTest,
    testing::Values(
        BackupCase{"None", {}, "texmf.cnf.old"},
        BackupCase{"OldTaken", {"texmf.cnf.old"}, "texmf.cnf.old0"},
        BackupCase{"OldAndOld0Taken", {"texmf.cnf.old", "texmf.cnf.old0"}, "texmf.cnf.old1"},
        BackupCase{"GapIsFilled", {"texmf.cnf.old", "texmf.cnf.old1"}, "texmf.cnf.old0"}),
    nw::test::CaseName());

TEST(UpdateTexmfCnf, TwiceKeepsBothBackups) {
  TestEnv env;
  env.Write("texmf.cnf", kOriginal);
  RecordingSink sink;
  ASSERT_TRUE(UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), "a.exe", ".old"));
  ASSERT_TRUE(UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), "b.exe", ".old"));
  EXPECT_EQ(env.List(), (Names{"texmf.cnf", "texmf.cnf.old", "texmf.cnf.old0"}));
  EXPECT_EQ(env.Read("texmf.cnf.old"), kOriginal);
  EXPECT_EQ(env.Read("texmf.cnf.old0"), Rewritten("a.exe"));
  EXPECT_EQ(env.Read("texmf.cnf"), Rewritten("b.exe"));
}

TEST(UpdateTexmfCnf, BackupNameTakenByFolderIsReported) {
  TestEnv env;
  env.Write("texmf.cnf", kOriginal);
  env.MakeFolder("texmf.cnf.old");
  RecordingSink sink;
  EXPECT_FALSE(UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), "ed.exe", ".old"));
  EXPECT_EQ(sink.messages, Names{env.Path("texmf.cnf") + " を " + env.Path("texmf.cnf.old") +
                                 " に変更が出来ません。"});
  EXPECT_EQ(env.Read("texmf.cnf"), kOriginal);
}

TEST(UpdateTexmfCnf, UnreadableFileRaisesAndChangesNothing) {
  TestEnv env;
  const std::string cnf = env.UnreadableFile("texmf.cnf");
  RecordingSink sink;
  EXPECT_THROW(UpdateTexmfCnf(env.platform(), sink, cnf, "ed.exe", ".old"), PlatformError);
  EXPECT_TRUE(sink.messages.empty());
}

// A write that fails after part of the file is out: the original must be
// back at its path.
TEST(UpdateTexmfCnf, FailedWriteRestoresTheOriginal) {
  TestEnv env;
  env.Write("texmf.cnf", kOriginal);
  FaultyPlatform faulty(env.platform());
  faulty.FailAt(Op::Write, 1, 10);
  RecordingSink sink;
  EXPECT_FALSE(UpdateTexmfCnf(faulty, sink, env.Path("texmf.cnf"), "ed.exe", ".old"));
  EXPECT_EQ(sink.messages, (Names{"disk full\n" + env.Path("texmf.cnf"),
                                  env.Path("texmf.cnf") + " の変更が出来ませんでした。"}));
  EXPECT_EQ(env.List(), Names{"texmf.cnf"});
  EXPECT_EQ(env.Read("texmf.cnf"), kOriginal);
}

TEST(UpdateTexmfCnf, FailedRestoreSaysWhereTheOriginalIs) {
  TestEnv env;
  env.Write("texmf.cnf", kOriginal);
  FaultyPlatform faulty(env.platform());
  faulty.FailAt(Op::Write, 1, 10);
  faulty.FailAt(Op::Remove, 1);
  RecordingSink sink;
  EXPECT_FALSE(UpdateTexmfCnf(faulty, sink, env.Path("texmf.cnf"), "ed.exe", ".old"));
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[1], env.Path("texmf.cnf") + " の変更が出来ませんでした。元のファイルは " +
                                  env.Path("texmf.cnf.old") + " にあります。");
  EXPECT_EQ(env.Read("texmf.cnf.old"), kOriginal);
}

TEST(UpdateTexmfCnf, FailedRenameBackSaysWhereTheOriginalIs) {
  TestEnv env;
  env.Write("texmf.cnf", kOriginal);
  env.Write("texmf.cnf.old", "older");
  FaultyPlatform faulty(env.platform());
  faulty.FailAt(Op::Write, 1);
  faulty.FailAt(Op::Rename, 2);
  RecordingSink sink;
  EXPECT_FALSE(UpdateTexmfCnf(faulty, sink, env.Path("texmf.cnf"), "ed.exe", ".old"));
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[1], env.Path("texmf.cnf") + " の変更が出来ませんでした。元のファイルは " +
                                  env.Path("texmf.cnf.old0") + " にあります。");
  EXPECT_EQ(env.Read("texmf.cnf.old0"), kOriginal);
  EXPECT_EQ(env.Read("texmf.cnf.old"), "older");
}

}  // namespace
}  // namespace nw::test
