// The keyboard: tab order, Enter, Esc, Alt and the underlined characters,
// and the ways to close without writing.
#include <gtest/gtest.h>

#include <functional>

#include "tests/program/program_test.h"
#include "tests/support/case_name.h"

namespace nw::program {
namespace {

using KeysTest = ProgramTest;

TEST_F(KeysTest, TabFollowsTheTabOrderFromTheEditorField) {
  RunningProgram program;
  const Form form(program);
  EXPECT_EQ(program.Focus(), form.EditNwPath);
  const HWND order[] = {form.ButtonRefNw,    form.ButtonExec,   form.ButtonClose,
                        form.EditTeXPath,    form.ButtonRefTeX, form.EditTexmf,
                        form.ButtonRefTexmf, form.CheckBoxSrc,  form.EditNwPath};
  for (size_t i = 0; i < std::size(order); ++i) {
    program.Press(VK_TAB);
    EXPECT_EQ(program.Focus(), order[i]) << "after Tab number " << i + 1;
  }
  CloseAndExpectExit(program, form);
}

struct EnterCase {
  const char* name;
  HWND Form::*focus;
  enum { Execute, Browse } runs;
};

void PrintTo(const EnterCase& c, std::ostream* os) { *os << c.name; }

class EnterTest : public ProgramTest, public testing::WithParamInterface<EnterCase> {};

TEST_P(EnterTest, EnterRunsTheDefaultButtonOrTheFocusedOne) {
  const EnterCase& c = GetParam();
  RunningProgram program;
  const Form form(program);
  program.Click(form.CheckBoxSrc);
  ASSERT_FALSE(RunningProgram::Checked(form.CheckBoxSrc));
  program.TabTo(form.*c.focus);
  program.Press(VK_RETURN);
  if (c.runs == EnterCase::Execute) {
    EXPECT_EQ(program.DismissMessages(), std::vector<std::string>{kNothingToDo});
  } else {
    const Dialog dialog = program.WaitForDialog();
    program.Click(dialog.Item(IDCANCEL));
    EXPECT_EQ(program.OpenDialog(), nullptr);
  }
  EXPECT_TRUE(program.FormOpen());
  CloseAndExpectExit(program, form);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, EnterTest,
    testing::Values(EnterCase{"inEditorField", &Form::EditNwPath, EnterCase::Execute},
                    EnterCase{"inLatexField", &Form::EditTeXPath, EnterCase::Execute},
                    EnterCase{"inTexmfField", &Form::EditTexmf, EnterCase::Execute},
                    EnterCase{"onCheckBox", &Form::CheckBoxSrc, EnterCase::Execute},
                    EnterCase{"onExecute", &Form::ButtonExec, EnterCase::Execute},
                    EnterCase{"onEditorBrowse", &Form::ButtonRefNw, EnterCase::Browse}),
    test::CaseName());

TEST_F(KeysTest, EscClosesNothing) {
  PutDefaults(true, true, true);
  RunningProgram program;
  const Form form(program);
  for (HWND focus : {form.EditNwPath, form.ButtonClose, form.CheckBoxSrc}) {
    program.TabTo(focus);
    program.Press(VK_ESCAPE);
    EXPECT_EQ(program.OpenDialog(), nullptr);
    EXPECT_TRUE(program.FormOpen());
  }
  EXPECT_EQ(RunningProgram::Text(form.EditNwPath), kNwDefault);
  CloseAndExpectExit(program, form);
  ExpectNothingWritten();
}

TEST_F(KeysTest, AltWithALabelDigitDoesNothing) {
  RunningProgram program;
  const Form form(program);
  // Away from the fields that a bound label would move the focus to.
  program.TabTo(form.ButtonRefTexmf);
  for (char digit : {'1', '2', '3'}) {
    program.PressAlt(digit);
    EXPECT_EQ(program.Focus(), form.ButtonRefTexmf) << "Alt+" << digit;
    EXPECT_EQ(program.OpenDialog(), nullptr);
    EXPECT_TRUE(program.FormOpen());
  }
  CloseAndExpectExit(program, form);
}

TEST_F(KeysTest, AltEExecutes) {
  RunningProgram program;
  const Form form(program);
  program.Click(form.CheckBoxSrc);
  program.TabTo(form.EditTexmf);
  program.PressAlt('E');
  EXPECT_EQ(program.DismissMessages(), std::vector<std::string>{kNothingToDo});
  CloseAndExpectExit(program, form);
}

struct CloseCase {
  const char* name;
  std::function<void(RunningProgram&, const Form&)> close;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseTest : public ProgramTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, EndsTheProgramWithoutWritingAnything) {
  PutDefaults(true, true, true);
  RunningProgram program;
  const Form form(program);
  GetParam().close(program, form);
  EXPECT_EQ(program.DismissMessages(), std::vector<std::string>{});
  EXPECT_EQ(program.WaitForExit(), 0u);
  ExpectNothingWritten();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CloseTest,
    testing::Values(CloseCase{"closeButton",
                              [](RunningProgram& p, const Form& f) { p.Click(f.ButtonClose); }},
                    CloseCase{"closeBox", [](RunningProgram& p, const Form&) { p.CloseBox(); }},
                    CloseCase{"altC", [](RunningProgram& p, const Form&) { p.PressAlt('C'); }},
                    CloseCase{"enterOnCloseButton",
                              [](RunningProgram& p, const Form& f) {
                                p.TabTo(f.ButtonClose);
                                p.Press(VK_RETURN);
                              }}),
    test::CaseName());

}  // namespace
}  // namespace nw::program
