// Faults Windows itself produces: files another program holds open.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "settings/exec_action.h"
#include "tests/support/recording_form.h"
#include "tests/support/test_env.h"

namespace nw::test {
namespace {

constexpr char kOriginal[] = "TEXEDIT = vi +%d %s\r\n";
constexpr char kDvioutKey[] = "Software\\SHIMA\\DVIOUT\\Settings";

class HeldFile {
 public:
  HeldFile(const std::string& path, DWORD share)
      : h_(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool held() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

TEST(RealFaults, TexmfHeldWithoutSharingCannotBeRead) {
  TestEnv env;
  const std::string cnf = env.UnreadableFile("texmf.cnf");
  RecordingForm form(env.Path("nibwell.exe"), env.Path("platex.exe"), cnf, true);
  ExecPaths paths;
  EXPECT_THROW(RunExecAction(form, paths, env.platform()), PlatformError);
  EXPECT_TRUE(form.messages.empty());
  EXPECT_FALSE(form.closed);
  EXPECT_TRUE(env.Read("nibwell.ini").has_value());
  EXPECT_EQ(env.UserValue(kDvioutKey, "src"), std::nullopt);
  EXPECT_EQ(env.List(), (std::vector<std::string>{"nibwell.ini", "texmf.cnf"}));
}

TEST(RealFaults, TexmfHeldForReadingCannotBeMoved) {
  TestEnv env;
  env.Write("texmf.cnf", kOriginal);
  const HeldFile holder(env.Path("texmf.cnf"), FILE_SHARE_READ);
  ASSERT_TRUE(holder.held());
  RecordingForm form(env.Path("nibwell.exe"), env.Path("platex.exe"), env.Path("texmf.cnf"), true);
  ExecPaths paths;
  EXPECT_EQ(RunExecAction(form, paths, env.platform()), ExecOutcome::Failed);
  EXPECT_EQ(form.messages,
            std::vector<std::string>{env.Path("texmf.cnf") + " を " + env.Path("texmf.cnf.old") +
                                     " に変更が出来ません。"});
  EXPECT_FALSE(form.closed);
  EXPECT_EQ(env.Read("texmf.cnf"), kOriginal);
  EXPECT_TRUE(env.UserValue(kDvioutKey, "src").has_value());
}

// A read-only attribute would do on Windows; under Wine it is only the Unix
// mode bits, which root passes, so the file is held open instead.
TEST(RealFaults, IniFileHeldOpenRaisesTheSystemsError) {
  TestEnv env;
  env.Write("nibwell.ini", "[Editor]\r\nFont=x\r\n");
  env.Write("texmf.cnf", kOriginal);
  const HeldFile holder(env.Path("nibwell.ini"), 0);
  ASSERT_TRUE(holder.held());
  RecordingForm form(env.Path("nibwell.exe"), env.Path("platex.exe"), env.Path("texmf.cnf"), true);
  ExecPaths paths;
  try {
    RunExecAction(form, paths, env.platform());
    ADD_FAILURE() << "no error raised";
  } catch (const PlatformError& e) {
    // The system's own text, then the file it concerns.
    EXPECT_NE(std::string(e.what()).find(env.Path("nibwell.ini")), std::string::npos) << e.what();
  }
  EXPECT_TRUE(form.messages.empty());
  EXPECT_EQ(env.Read("texmf.cnf"), kOriginal);
  EXPECT_EQ(env.UserValue(kDvioutKey, "src"), std::nullopt);
}

}  // namespace
}  // namespace nw::test
