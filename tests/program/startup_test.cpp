// The window as it opens: code page, layout, texts, defaults.
#include <gtest/gtest.h>

#include "tests/program/program_test.h"
#include "tests/support/case_name.h"

namespace nw::program {
namespace {

using StartupTest = ProgramTest;

TEST_F(StartupTest, RunnerHasTheJapaneseCodePage) { EXPECT_EQ(::GetACP(), 932u); }

std::string VersionString(const std::vector<char>& info, const std::string& name) {
  void* value = nullptr;
  UINT size = 0;
  const std::string path = "\\StringFileInfo\\041104B0\\" + name;
  if (!::VerQueryValueA(info.data(), path.c_str(), &value, &size) || size == 0) return {};
  return std::string(static_cast<const char*>(value), size - 1);
}

TEST_F(StartupTest, ProgramFileCarriesItsVersionAndManifest) {
  const std::string& exe = ProgramPath();
  std::vector<char> info(::GetFileVersionInfoSizeA(exe.c_str(), nullptr));
  ASSERT_FALSE(info.empty()) << "no version resource in " << exe;
  ASSERT_TRUE(::GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  EXPECT_EQ(VersionString(info, "FileDescription"), kTitle);
  EXPECT_EQ(VersionString(info, "OriginalFilename"), "nibwell-setup.exe");

  struct Module {
    HMODULE module;
    ~Module() {
      if (module) ::FreeLibrary(module);
    }
  } image{::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
  ASSERT_TRUE(image.module);
  const HRSRC found = ::FindResourceA(image.module, MAKEINTRESOURCEA(1), RT_MANIFEST);
  ASSERT_TRUE(found) << "no application manifest";
  const std::string manifest(
      static_cast<const char*>(::LockResource(::LoadResource(image.module, found))),
      ::SizeofResource(image.module, found));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  // No file virtualisation: a write the user may not make fails visibly.
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos);
}

struct LaidOut {
  const char* className;
  Place place;
  std::string text;
  LONG buttonType;  // BS_ type of a button, -1 for other controls
};

TEST_F(StartupTest, WindowAndControlsAsLaidOut) {
  RunningProgram program;
  const HWND form = program.form();
  EXPECT_EQ(RunningProgram::Text(form), kTitle);

  RECT outer{};
  ::GetWindowRect(form, &outer);
  EXPECT_EQ(outer.right - outer.left, 522);
  EXPECT_EQ(outer.bottom - outer.top, 368);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 522) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 368) / 2);
  const LONG style = ::GetWindowLongA(form, GWL_STYLE);
  EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);

  const LaidOut controls[] = {
      {"Static",
       {18, 4, 397, 48},
       "Nibwell を使うための設定を行います。各項目を入力してください。既に入っている場合は大抵そ"
       "のままで OK です。入力されていない項目は設定されません。",
       -1},
      {"Static", {18, 63, 280, 16}, "(&1) Nibwell の実行ファイルのフルパス：", -1},
      {"Edit", {20, 85, 393, 24}, "", -1},
      {"Button", {421, 84, 81, 25}, "参照(&R)...", BS_PUSHBUTTON},
      {"Static", {18, 120, 252, 16}, "(&2) LaTeXの実行ファイルのフルパス：", -1},
      {"Edit", {20, 141, 393, 24}, "", -1},
      {"Button", {421, 141, 81, 25}, "参照(&B)...", BS_PUSHBUTTON},
      {"Static", {18, 177, 227, 16}, "(&3) texmf.cnf ファイルのフルパス：", -1},
      {"Edit", {20, 197, 393, 24}, "", -1},
      {"Button", {421, 197, 81, 25}, "参照(&S)...", BS_PUSHBUTTON},
      {"Button", {20, 238, 313, 17}, "dviout の src オプションを設定する。", BS_AUTOCHECKBOX},
      {"Static", {20, 274, 330, 16}, "入力が済んだら下の実行ボタンを押してください。", -1},
      {"Button", {214, 300, 75, 25}, "実行(&E)", BS_DEFPUSHBUTTON},
      {"Button", {421, 299, 81, 25}, "閉じる(&C)", BS_PUSHBUTTON},
  };
  int found = 0;
  for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ++found;
  }
  EXPECT_EQ(found, static_cast<int>(std::size(controls)));
  for (const LaidOut& c : controls) {
    SCOPED_TRACE(c.text);
    const HWND control = program.Control(c.className, c.place.Rect());
    EXPECT_TRUE(::IsWindowVisible(control));
    EXPECT_EQ(RunningProgram::Text(control), c.text);
    const LONG controlStyle = ::GetWindowLongA(control, GWL_STYLE);
    if (c.buttonType >= 0) {
      EXPECT_EQ(controlStyle & BS_TYPEMASK, c.buttonType);
    }
    if (c.className == std::string("Static")) {
      // The "&" of a label is shown as an underline, not as itself.
      EXPECT_EQ(controlStyle & SS_NOPREFIX, 0);
    }
  }
  CloseAndExpectExit(program, Form(program));
}

TEST_F(StartupTest, ControlsKeepTheirPlacesWhenTheWindowIsResized) {
  RunningProgram program;
  const HWND form = program.form();
  program.Post(form, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_TRUE(::IsZoomed(form));
  Form{program};  // finds every control at its place, or throws
  program.Post(form, WM_SYSCOMMAND, SC_RESTORE, 0);
  ::SetWindowPos(form, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  RECT outer{};
  ::GetWindowRect(form, &outer);
  EXPECT_EQ(outer.right - outer.left, 300);
  const Form after(program);
  CloseAndExpectExit(program, after);
}

struct DefaultsCase {
  const char* name;
  bool nw, tex, texmf;
  // A folder, not a file, at the LaTeX default path.
  bool texIsFolder;
};

void PrintTo(const DefaultsCase& c, std::ostream* os) { *os << c.name; }

class StartupDefaultsTest : public ProgramTest, public testing::WithParamInterface<DefaultsCase> {};

TEST_P(StartupDefaultsTest, FieldsHoldTheDefaultsThatExistAndTheBoxIsTicked) {
  const DefaultsCase& c = GetParam();
  PutDefaults(c.nw, c.tex, c.texmf);
  if (c.texIsFolder) MakeFolders(kTeXDefault);
  RunningProgram program;
  const Form form(program);
  EXPECT_EQ(RunningProgram::Text(form.EditNwPath), c.nw ? kNwDefault : "");
  EXPECT_EQ(RunningProgram::Text(form.EditTeXPath), c.tex ? kTeXDefault : "");
  EXPECT_EQ(RunningProgram::Text(form.EditTexmf), c.texmf ? kTexmfDefault : "");
  EXPECT_TRUE(RunningProgram::Checked(form.CheckBoxSrc));
  CloseAndExpectExit(program, form);
}

INSTANTIATE_TEST_SUITE_P(Startup, StartupDefaultsTest,
                         testing::Values(DefaultsCase{"none", false, false, false, false},
                                         DefaultsCase{"all", true, true, true, false},
                                         DefaultsCase{"onlyTexmf", false, false, true, false},
                                         DefaultsCase{"editorAndLatex", true, true, false, false},
                                         DefaultsCase{"latexIsAFolder", true, false, true, true}),
                         test::CaseName());

}  // namespace
}  // namespace nw::program
