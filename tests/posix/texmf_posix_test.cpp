// texmf.cnf checks that need the POSIX system itself: a write cut short by
// the kernel, and TeX's own reading of the rewritten file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <string>

#include "settings/writers.h"
#include "tests/support/recording_form.h"
#include "tests/support/test_env.h"

namespace nw::test {
namespace {

// Files larger than the limit cannot be written: the write fails partway
// with EFBIG, after the first bytes are on disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t oldHandler_;
};

TEST(TexmfOnPosix, WriteCutShortByTheSystemRestoresTheOriginal) {
  TestEnv env;
  const std::string original(100, 'x');
  env.Write("texmf.cnf", original);
  RecordingSink sink;
  bool ok = true;
  {
    const FileSizeLimit limit(50);
    ok = UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), "ed.exe", ".old");
  }
  EXPECT_FALSE(ok);
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[0], "File too large\n" + env.Path("texmf.cnf"));
  EXPECT_EQ(sink.messages[1], env.Path("texmf.cnf") + " の変更が出来ませんでした。");
  EXPECT_EQ(env.Read("texmf.cnf"), original);
  EXPECT_EQ(env.List(), std::vector<std::string>{"texmf.cnf"});
}

std::string RunCommand(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return {};
  std::string out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
  return out;
}

TEST(TexmfOnPosix, TexSeesTheWholeEditorCommand) {
  TestEnv env;
  env.Write("texmf.cnf", "% site\nTEXEDIT = vi +%d %s\nshell_escape_commands = bibtex,kpsewhich\n");
  RecordingSink sink;
  const std::string editor = "C:\\Program Files\\Fernlake\\Nibwell\\nibwell.exe";
  ASSERT_TRUE(UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), editor, ".old"));
  const std::string query = "TEXMFCNF='" + env.Path("") + "' kpsewhich -var-value ";
  EXPECT_EQ(RunCommand(query + "TEXEDIT"), "\"" + editor + "\" /e%d \"%s\"\n");
  EXPECT_EQ(RunCommand(query + "shell_escape_commands"), "bibtex,kpsewhich\n");
}

}  // namespace
}  // namespace nw::test
