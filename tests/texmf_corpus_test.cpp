// Replays the fuzzer's seed corpus and the texmf.cnf fixtures through the
// fuzzer's property checks, so that they hold in every native build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "settings/writers.h"
#include "tests/support/texmf_properties.h"

namespace nw::test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs() {
  std::vector<fs::path> files;
  for (const char* dir : {NW_FUZZ_CORPUS_DIR, NW_TEXMF_FIXTURES_DIR}) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string CaseName(const testing::TestParamInfo<fs::path>& info) {
  std::string name =
      info.param.parent_path().filename().string() + "_" + info.param.filename().string();
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

class CorpusTest : public testing::TestWithParam<fs::path> {};

TEST_P(CorpusTest, RewriteKeepsItsProperties) {
  std::ifstream in(GetParam(), std::ios::binary);
  ASSERT_TRUE(in) << GetParam();
  const std::string file(std::istreambuf_iterator<char>(in), {});
  for (const std::string_view editor : texmf::kEditors) {
    EXPECT_EQ(texmf::CheckRewrite(file, TexeditLine(editor)), "") << "editor " << editor;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusTest, testing::ValuesIn(Inputs()), CaseName);

}  // namespace
}  // namespace nw::test
