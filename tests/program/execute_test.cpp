// Execute from the window: what is written, which messages come in which
// order, and whether the window closes.
#include <gtest/gtest.h>

#include <optional>

#include "tests/program/program_test.h"
#include "tests/support/case_name.h"

namespace nw::program {
namespace {

using ExecuteTest = ProgramTest;

TEST_F(ExecuteTest, TypicalRunWithTheDefaultsWritesAllThreeAndCloses) {
  PutDefaults(true, true, true);
  RunningProgram program;
  program.Press(VK_RETURN);
  EXPECT_EQ(program.DismissMessages(), std::vector<std::string>{kFinished});
  EXPECT_EQ(program.WaitForExit(), 0u);

  EXPECT_EQ(FolderNames(kNwDir), (std::vector<std::string>{"nibwell.exe", "nibwell.ini"}));
  EXPECT_EQ(FileBytes(kNwDir + "\\nibwell.ini"), IniAfter(kTeXDefault));
  EXPECT_EQ(FolderNames(kTexmfDir), (std::vector<std::string>{"texmf.cnf", "texmf.cnf.old"}));
  EXPECT_EQ(FileBytes(kTexmfDefault), TexmfAfter(kNwDefault));
  EXPECT_EQ(FileBytes(kTexmfDefault + ".old"), kTexmfBefore);
  EXPECT_EQ(UserString(kDvioutKey, "src"), SrcValue(kNwDefault));
}

// Files of a case, typed into the fields rather than found as defaults.
const std::string kNw = kWork + "\\ed\\nibwell.exe";
const std::string kIni = kWork + "\\ed\\nibwell.ini";
const std::string kTeX = kWork + "\\tex\\platex.exe";
const std::string kTexmf = kWork + "\\cnf\\texmf.cnf";
const std::string kNoTexmf = kWork + "\\none\\texmf.cnf";

struct EntryCase {
  const char* name;
  std::string nw, tex, texmf;
  bool ticked;
  std::vector<std::string> messages;
  bool closes;
  // What is there afterwards.
  bool ini;
  bool texmfChanged;
  std::optional<std::string> src;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class EntryTest : public ProgramTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(EntryTest, WritesWhatTheEntriesAskForAndTellsTheUser) {
  const EntryCase& c = GetParam();
  PutFiles(kNw, kTeX, kTexmf);
  RunningProgram program;
  const Form form(program);
  TypePaths(program, form, c.nw, c.tex, c.texmf);
  if (!c.ticked) program.Click(form.CheckBoxSrc);
  program.TabTo(form.EditTeXPath);
  program.Press(VK_RETURN);

  EXPECT_EQ(program.DismissMessages(), c.messages);
  if (c.closes) {
    EXPECT_EQ(program.WaitForExit(), 0u);
  } else {
    ASSERT_TRUE(program.FormOpen());
    // The entries stay for another try.
    EXPECT_EQ(RunningProgram::Text(form.EditNwPath), c.nw);
    EXPECT_EQ(RunningProgram::Text(form.EditTexmf), c.texmf);
    CloseAndExpectExit(program, form);
  }
  EXPECT_EQ(FileBytes(kIni), c.ini ? std::optional(IniAfter(kTeX)) : std::nullopt);
  EXPECT_EQ(FileBytes(kTexmf), c.texmfChanged ? TexmfAfter(kNw) : kTexmfBefore);
  EXPECT_EQ(FileBytes(kTexmf + ".old"),
            c.texmfChanged ? std::optional(kTexmfBefore) : std::nullopt);
  EXPECT_EQ(UserString(kDvioutKey, "src"), c.src);
}

INSTANTIATE_TEST_SUITE_P(
    Execute, EntryTest,
    testing::Values(
        EntryCase{"nothingEntered", "", "", "", false, {kNothingToDo}, false, false, false, {}},
        EntryCase{"editorOnly", kNw, "", "", false, {kNothingToDo}, false, false, false, {}},
        EntryCase{"blanksOnly", " \t ", "  ", "\t", false, {kNothingToDo}, false, false, false, {}},
        EntryCase{
            "allEntered", kNw, kTeX, kTexmf, true, {kFinished}, true, true, true, SrcValue(kNw)},
        EntryCase{"noEditorBoxTicked",
                  "",
                  kTeX,
                  kTexmf,
                  true,
                  {kNoNwPath, kFinished},
                  true,
                  false,
                  false,
                  SrcValue("")},
        EntryCase{"noEditorBoxCleared", "", kTeX, "", false, {kNoNwPath}, false, false, false, {}},
        EntryCase{"iniOnly", kNw, kTeX, "", false, {kFinished}, true, true, false, {}},
        // Blanks around the paths are trimmed away.
        EntryCase{"texmfMissing",
                  "  " + kNw + " ",
                  "\t" + kTeX,
                  kNoTexmf + "  ",
                  true,
                  {kNoTexmf + kMissing},
                  false,
                  true,
                  false,
                  SrcValue(kNw)}),
    test::CaseName());

// A file that another program holds open: the system refuses it, as it
// refuses a write under Program Files to a standard user.
struct HeldCase {
  const char* name;
  std::string held;
  std::string heldBytes;
  // The INI entry comes before texmf.cnf and stays when texmf.cnf fails.
  bool iniBeforeFailure;
};

void PrintTo(const HeldCase& c, std::ostream* os) { *os << c.name; }

class PlatformErrorTest : public ProgramTest, public testing::WithParamInterface<HeldCase> {};

TEST_P(PlatformErrorTest, IsShownWithItsOwnTextAndTheWindowStaysForAnotherTry) {
  const HeldCase& c = GetParam();
  PutFiles(kNw, kTeX, kTexmf);
  if (c.held == kIni) PutFile(kIni, c.heldBytes);
  RunningProgram program;
  const Form form(program);
  TypePaths(program, form, kNw, kTeX, kTexmf);
  {
    const FileLock lock(c.held);
    program.Press(VK_RETURN);
    EXPECT_EQ(program.DismissMessages(),
              std::vector<std::string>{SystemText(ERROR_SHARING_VIOLATION) + "\r\n" + c.held});
    ASSERT_TRUE(program.FormOpen());
  }
  // Nothing after the failure ran.
  if (c.iniBeforeFailure) {
    EXPECT_EQ(FileBytes(kIni), IniAfter(kTeX));
  } else {
    EXPECT_EQ(FileBytes(kIni), c.heldBytes);
  }
  EXPECT_EQ(FolderNames(kWork + "\\cnf"), std::vector<std::string>{"texmf.cnf"});
  EXPECT_EQ(FileBytes(kTexmf), kTexmfBefore);
  EXPECT_FALSE(UserKeyExists(kDvioutKey));

  program.Press(VK_RETURN);
  EXPECT_EQ(program.DismissMessages(), std::vector<std::string>{kFinished});
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_NE(FileBytes(kIni).value_or("").find(IniAfter(kTeX)), std::string::npos);
  EXPECT_EQ(FileBytes(kTexmf), TexmfAfter(kNw));
  EXPECT_EQ(FileBytes(kTexmf + ".old"), kTexmfBefore);
  EXPECT_EQ(UserString(kDvioutKey, "src"), SrcValue(kNw));
}

INSTANTIATE_TEST_SUITE_P(Execute, PlatformErrorTest,
                         testing::Values(HeldCase{"texmfCannotBeRead", kTexmf, "", true},
                                         HeldCase{"iniCannotBeWritten", kIni,
                                                  "[Editor]\r\nFont=x\r\n", false}),
                         test::CaseName());

// Read by another program that allows only reading: texmf.cnf is read, but
// cannot be moved to its backup name. The user is told, the previewer value
// is still written, and texmf.cnf stays as it was.
TEST_F(ExecuteTest, TexmfThatCannotBeMovedIsReportedAndLeftAlone) {
  PutFiles(kNw, kTeX, kTexmf);
  RunningProgram program;
  const Form form(program);
  TypePaths(program, form, kNw, kTeX, kTexmf);
  {
    const FileLock lock(kTexmf, FILE_SHARE_READ);
    program.Press(VK_RETURN);
    EXPECT_EQ(program.DismissMessages(),
              std::vector<std::string>{kTexmf + " を " + kTexmf + ".old に変更が出来ません。"});
    ASSERT_TRUE(program.FormOpen());
  }
  EXPECT_EQ(FileBytes(kIni), IniAfter(kTeX));
  EXPECT_EQ(FolderNames(kWork + "\\cnf"), std::vector<std::string>{"texmf.cnf"});
  EXPECT_EQ(FileBytes(kTexmf), kTexmfBefore);
  EXPECT_EQ(UserString(kDvioutKey, "src"), SrcValue(kNw));
}

}  // namespace
}  // namespace nw::program
