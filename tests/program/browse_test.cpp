// The browse buttons and the system's open-file dialogs behind them.
#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <functional>

#include "tests/program/program_test.h"
#include "tests/support/case_name.h"

namespace nw::program {
namespace {

const std::vector<std::string> kExeFilters = {"実行ファイル(*.exe)", "すべて(*.*)"};
const std::vector<std::string> kCnfFilters = {"texmf.cnf", "cnf ファイル(*.cnf)", "すべて(*.*)"};

// The names of the dialog's file types, in the system code page.
std::vector<std::string> FilterNames(const Dialog& dialog) {
  const HWND types = dialog.Item(cmb1);
  std::vector<std::string> names;
  const auto count = ::SendMessageW(types, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // Wine passes item texts between processes unconverted, so they are
    // asked for as UTF-16.
    std::wstring wide(static_cast<size_t>(::SendMessageW(types, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    const auto got = ::SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(got > 0 ? static_cast<size_t>(got) : 0);
    names.push_back(FromWide(wide));
  }
  return names;
}

int SelectedFilter(const Dialog& dialog) {
  return static_cast<int>(::SendMessageA(dialog.Item(cmb1), CB_GETCURSEL, 0, 0));
}

// Types a path into the dialog and presses its open button.
void Choose(RunningProgram& program, const Dialog& dialog, const std::string& path) {
  program.Type(FileNameBox(dialog), path);

  program.Click(dialog.Item(IDOK));
  EXPECT_EQ(program.OpenDialog(), nullptr) << "the dialog did not take " << path;
}

struct BrowseCase {
  const char* name;
  // Opens the dialog: a click on the button or its Alt key.
  std::function<void(RunningProgram&, const Form&)> open;
  HWND Form::*field;
  std::vector<std::string> filters;
  const char* file;
};

void PrintTo(const BrowseCase& c, std::ostream* os) { *os << c.name; }

class BrowseTest : public ProgramTest, public testing::WithParamInterface<BrowseCase> {};

TEST_P(BrowseTest, ChosenFileFillsOnlyItsOwnField) {
  const BrowseCase& c = GetParam();
  const std::string chosen = kWork + "\\pick\\" + c.file;
  PutFile(chosen, "chosen");
  RunningProgram program;
  const Form form(program);
  HWND const fields[] = {form.EditNwPath, form.EditTeXPath, form.EditTexmf};
  for (HWND field : fields) program.Type(field, "before");

  c.open(program, form);
  const Dialog dialog = program.WaitForDialog();
  EXPECT_EQ(::GetWindow(dialog.window, GW_OWNER), program.form());
  EXPECT_EQ(FilterNames(dialog), c.filters);
  EXPECT_EQ(SelectedFilter(dialog), 0);
  Choose(program, dialog, chosen);

  for (HWND field : fields) {
    EXPECT_EQ(RunningProgram::Text(field), field == form.*c.field ? chosen : "before");
  }
  CloseAndExpectExit(program, form);
}

void ClickOn(HWND Form::*button, RunningProgram& program, const Form& form) {
  program.Click(form.*button);
}

INSTANTIATE_TEST_SUITE_P(
    Browse, BrowseTest,
    testing::Values(
        BrowseCase{"editorByClick",
                   [](RunningProgram& p, const Form& f) { ClickOn(&Form::ButtonRefNw, p, f); },
                   &Form::EditNwPath, kExeFilters, "nibwell.exe"},
        BrowseCase{"latexByClick",
                   [](RunningProgram& p, const Form& f) { ClickOn(&Form::ButtonRefTeX, p, f); },
                   &Form::EditTeXPath, kExeFilters, "platex.exe"},
        BrowseCase{"texmfByClick",
                   [](RunningProgram& p, const Form& f) { ClickOn(&Form::ButtonRefTexmf, p, f); },
                   &Form::EditTexmf, kCnfFilters, "texmf.cnf"},
        BrowseCase{"editorByAltR", [](RunningProgram& p, const Form&) { p.PressAlt('R'); },
                   &Form::EditNwPath, kExeFilters, "nibwell.exe"},
        BrowseCase{"latexByAltB", [](RunningProgram& p, const Form&) { p.PressAlt('B'); },
                   &Form::EditTeXPath, kExeFilters, "platex.exe"},
        BrowseCase{"texmfByAltS", [](RunningProgram& p, const Form&) { p.PressAlt('S'); },
                   &Form::EditTexmf, kCnfFilters, "texmf.cnf"}),
    test::CaseName());

struct CancelCase {
  const char* name;
  HWND Form::*button;
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

class CancelTest : public ProgramTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, CancelLeavesEveryFieldAsItWas) {
  PutDefaults(true, true, true);
  PutFile(kWork + "\\other.exe", "other");
  RunningProgram program;
  const Form form(program);
  program.Click(form.*GetParam().button);
  const Dialog dialog = program.WaitForDialog();
  program.Type(FileNameBox(dialog), kWork + "\\other.exe");
  program.Click(dialog.Item(IDCANCEL));
  EXPECT_EQ(program.OpenDialog(), nullptr);
  EXPECT_EQ(RunningProgram::Text(form.EditNwPath), kNwDefault);
  EXPECT_EQ(RunningProgram::Text(form.EditTeXPath), kTeXDefault);
  EXPECT_EQ(RunningProgram::Text(form.EditTexmf), kTexmfDefault);
  EXPECT_TRUE(RunningProgram::Checked(form.CheckBoxSrc));
  CloseAndExpectExit(program, form);
  ExpectNothingWritten();
}

INSTANTIATE_TEST_SUITE_P(Browse, CancelTest,
                         testing::Values(CancelCase{"editor", &Form::ButtonRefNw},
                                         CancelCase{"latex", &Form::ButtonRefTeX},
                                         CancelCase{"texmf", &Form::ButtonRefTexmf}),
                         test::CaseName());

using BrowseMemoryTest = ProgramTest;

TEST_F(BrowseMemoryTest, EachDialogOffersTheFileLastChosenInIt) {
  const std::string exe = kWork + "\\pick\\nibwell.exe";
  const std::string cnf = kWork + "\\pick\\texmf.cnf";
  PutFile(exe, "exe");
  PutFile(cnf, "cnf");
  RunningProgram program;
  const Form form(program);

  program.Click(form.ButtonRefNw);
  Choose(program, program.WaitForDialog(), exe);
  // The LaTeX row shares the editor row's dialog: open accepts that file.
  program.Click(form.ButtonRefTeX);
  program.Click(program.WaitForDialog().Item(IDOK));
  EXPECT_EQ(RunningProgram::Text(form.EditTeXPath), exe);

  // The texmf.cnf dialog has a memory of its own, empty so far.
  program.Click(form.ButtonRefTexmf);
  Dialog texmfDialog = program.WaitForDialog();
  EXPECT_EQ(RunningProgram::Text(FileNameBox(texmfDialog)), "");
  Choose(program, texmfDialog, cnf);
  program.Type(form.EditTexmf, "");
  program.Click(form.ButtonRefTexmf);
  program.Click(program.WaitForDialog().Item(IDOK));
  EXPECT_EQ(RunningProgram::Text(form.EditTexmf), cnf);
  CloseAndExpectExit(program, form);
}

}  // namespace
}  // namespace nw::program
