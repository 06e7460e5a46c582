// Paths in Japanese folders whose Shift_JIS bytes hold 0x5C, the byte of
// "\": "ソ" is 83 5C and "表" is 95 5C. They must reach every file and
// value byte for byte and never be split at such a byte.
#include <gtest/gtest.h>

#include "tests/program/program_test.h"

namespace nw::program {
namespace {

using JapaneseTest = ProgramTest;

const std::string kDir = kWork + "\\ソフト\\表示";
const std::string kNw = kDir + "\\nibwell.exe";
const std::string kTeX = kWork + "\\表示\\ソフト\\platex.exe";
const std::string kTexmf = kDir + "\\texmf.cnf";

TEST_F(JapaneseTest, TextsAreShiftJisBytes) {
  ASSERT_EQ(kDir.substr(kWork.size()), "\\\x83\x5c\x83\x74\x83\x67\\\x95\x5c\x8e\xa6");
}

TEST_F(JapaneseTest, AllThreePathsInJapaneseFolders) {
  PutFiles(kNw, kTeX, kTexmf);
  RunningProgram program;
  const Form form(program);
  TypePaths(program, form, kNw, kTeX, kTexmf);
  program.Press(VK_RETURN);
  EXPECT_EQ(program.DismissMessages(), std::vector<std::string>{kFinished});
  EXPECT_EQ(program.WaitForExit(), 0u);

  EXPECT_EQ(FolderNames(kDir),
            (std::vector<std::string>{"nibwell.exe", "nibwell.ini", "texmf.cnf", "texmf.cnf.old"}));
  EXPECT_EQ(FileBytes(kDir + "\\nibwell.ini"), IniAfter(kTeX));
  EXPECT_EQ(FileBytes(kTexmf), TexmfAfter(kNw));
  EXPECT_EQ(FileBytes(kTexmf + ".old"), kTexmfBefore);
  EXPECT_EQ(UserString(kDvioutKey, "src"), SrcValue(kNw));
}

TEST_F(JapaneseTest, MissingTexmfIsNamedInTheMessage) {
  PutFile(kNw, "MZ nibwell");
  RunningProgram program;
  const Form form(program);
  program.Type(form.EditNwPath, kNw);
  program.Type(form.EditTexmf, kTexmf);
  program.Press(VK_RETURN);
  EXPECT_EQ(program.DismissMessages(), std::vector<std::string>{kTexmf + kMissing});
  ASSERT_TRUE(program.FormOpen());
  CloseAndExpectExit(program, form);
}

TEST_F(JapaneseTest, BrowseTakesAJapanesePath) {
  PutFile(kTeX, "MZ platex");
  RunningProgram program;
  const Form form(program);
  program.Click(form.ButtonRefTeX);
  const Dialog dialog = program.WaitForDialog();
  program.Type(FileNameBox(dialog), kTeX);
  program.Click(dialog.Item(IDOK));
  EXPECT_EQ(program.OpenDialog(), nullptr);
  EXPECT_EQ(RunningProgram::Text(form.EditTeXPath), kTeX);
  CloseAndExpectExit(program, form);
}

}  // namespace
}  // namespace nw::program
