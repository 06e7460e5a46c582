// TeX as the judge: kpathsea's own kpsewhich reads texmf.cnf before and
// after the rewrite. TeX must see the new TEXEDIT command whole, and every
// other variable of the file with the value it had.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text_lines.h"
#include "settings/writers.h"
#include "tests/support/recording_form.h"
#include "tests/support/test_env.h"
#include "tests/support/texmf_properties.h"

extern char** environ;

namespace nw::test {
namespace {

namespace fs = std::filesystem;

// Runs kpsewhich and answers its standard output, or nothing when it
// fails (as -var-value does for a variable never defined). With a folder, that
// folder is its whole configuration path and nothing of this process's
// environment but PATH reaches it.
std::optional<std::string> Kpsewhich(const std::vector<std::string>& args,
                                     const std::optional<std::string>& cnfFolder) {
  std::vector<char*> argv{const_cast<char*>("kpsewhich")};
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  std::string cnfVar = "TEXMFCNF=" + cnfFolder.value_or("");
  // kpathsea finds its own program, and so its default paths, along PATH.
  const char* path = std::getenv("PATH");
  std::string pathVar = std::string("PATH=") + (path ? path : "");
  char* ownEnv[] = {cnfVar.data(), pathVar.data(), nullptr};

  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  // Warnings (such as a last line ending in "\") are not the subject here.
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc =
      posix_spawnp(&pid, "kpsewhich", &actions, nullptr, argv.data(), cnfFolder ? ownEnv : environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  std::string out;
  if (rc == 0) {
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0;) {
      if (n < 0) {
        if (errno == EINTR) continue;
        break;
      }
      out.append(buffer, static_cast<size_t>(n));
    }
  }
  ::close(pipeFds[0]);
  if (rc != 0) return std::nullopt;
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return std::nullopt;
  }
  return out;
}

// The value TeX gives each name: "${NAME}" for all of them in one
// -expand-var, a line each (values never hold a line break). A qualified
// name NAME.prog is looked up as it stands, which is the entry itself.
std::map<std::string, std::string> TexSees(const std::string& folder,
                                           const std::vector<std::string>& names) {
  std::string query;
  for (const auto& name : names) query += "${" + name + "}\n";
  const auto out = Kpsewhich({"-expand-var=" + query}, folder);
  std::map<std::string, std::string> values;
  if (!out) return values;
  size_t pos = 0;
  for (const auto& name : names) {
    const size_t nl = out->find('\n', pos);
    if (nl == std::string::npos) break;
    values[name] = out->substr(pos, nl - pos);
    pos = nl + 1;
  }
  return values;
}

const std::string kEditor(texmf::kEditors[1]);
const std::string kCommand = "\"" + kEditor + "\" /e%d \"%s\"";

void Judge(const std::string& file) {
  TestEnv env;
  env.Write("texmf.cnf", file);
  const std::string folder = fs::path(env.Path("texmf.cnf")).parent_path().string();
  ASSERT_EQ(Kpsewhich({"-all", "texmf.cnf"}, folder), folder + "/texmf.cnf\n")
      << "another texmf.cnf is read too";

  const std::map<std::string, std::string> defined = texmf::TexValues(file);
  std::vector<std::string> names;
  std::set<std::string> programs;
  for (const auto& [name, raw] : defined) {
    ASSERT_EQ(name.find_first_of("}\n"), std::string::npos) << "cannot query " << name;
    names.push_back(name);
    if (name.starts_with("TEXEDIT.")) programs.insert(name.substr(8));
  }
  std::map<std::string, std::optional<std::string>> qualifiedBefore;
  for (const auto& prog : programs) {
    qualifiedBefore[prog] = Kpsewhich({"-progname=" + prog, "-var-value=TEXEDIT"}, folder);
  }
  const auto before = TexSees(folder, names);
  ASSERT_EQ(before.size(), names.size());

  RecordingSink sink;
  ASSERT_TRUE(UpdateTexmfCnf(env.platform(), sink, env.Path("texmf.cnf"), kEditor, ".old"));
  EXPECT_EQ(env.Read("texmf.cnf.old"), file);

  EXPECT_EQ(Kpsewhich({"-var-value=TEXEDIT"}, folder), kCommand + "\n");
  const auto after = TexSees(folder, names);
  for (const auto& [name, raw] : defined) {
    // The settings' rule replaces texedit in any letter case.
    if (text_lines::EqualNoCase(name, "TEXEDIT")) continue;
    std::string expected = before.at(name);
    if (raw.find("$TEXEDIT") != std::string::npos || raw.find("${TEXEDIT}") != std::string::npos) {
      ASSERT_TRUE(raw == "$TEXEDIT" || raw == "${TEXEDIT}") << "fixture too clever: " << name;
      expected = kCommand;
    }
    EXPECT_EQ(after.at(name), expected) << name << " = " << raw;
  }
  // Nothing left behind reads as a variable of its own.
  for (const auto& [name, raw] : texmf::TexValues(*env.Read("texmf.cnf"))) {
    if (name != "TEXEDIT" && !defined.contains(name)) {
      EXPECT_EQ(Kpsewhich({"-var-value=" + name}, folder), std::nullopt) << "new: " << name;
    }
  }
  // Programs with their own TEXEDIT keep it.
  for (const auto& [prog, value] : qualifiedBefore) {
    EXPECT_EQ(Kpsewhich({"-progname=" + prog, "-var-value=TEXEDIT"}, folder), value) << prog;
  }
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every texmf.cnf of the installed TeX Live, once each.
TEST(TexAsJudge, TexLiveOwnFiles) {
  std::set<fs::path> files;
  if (const auto found = Kpsewhich({"-all", "texmf.cnf"}, std::nullopt)) {
    std::istringstream lines(*found);
    for (std::string line; std::getline(lines, line);) files.insert(fs::canonical(line));
  }
  ASSERT_FALSE(files.empty()) << "no texmf.cnf found: is texlive-base installed?";
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    Judge(ReadFile(path));
  }
}

std::vector<fs::path> Fixtures() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(NW_TEXMF_FIXTURES_DIR)) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class TexAsJudgeFixture : public testing::TestWithParam<fs::path> {};

TEST_P(TexAsJudgeFixture, SeesTheNewCommandAndNothingElseChanged) { Judge(ReadFile(GetParam())); }

INSTANTIATE_TEST_SUITE_P(Files, TexAsJudgeFixture, testing::ValuesIn(Fixtures()),
                         [](const testing::TestParamInfo<fs::path>& row) {
                           std::string name = row.param.stem().string();
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace nw::test
