#include "tests/program/program_test.h"

#include <windows.h>

#include <dlgs.h>

namespace nw::program {

std::string TexmfAfter(const std::string& nwPath) {
  return "% texmf.cnf -- runtime path configuration\r\n"
         "TEXMFROOT = $SELFAUTOPARENT\r\n"
         "TEXEDIT=\"" +
         nwPath +
         "\" /e%d \"%s\"\r\n"
         "% TEXEDIT = emacs\r\n";
}

std::string IniAfter(const std::string& texPath) {
  return "[CommandLineTeX]\r\nCLTNum=1\r\nCLT0=" + texPath + "\r\nCLTOpt=-src\r\nUse=1\r\n";
}

std::string SrcValue(const std::string& nwPath) {
  return nwPath + "^s/e%d \"%s\"" + std::string(1, '\0');
}

Form::Form(const RunningProgram& program)
    : EditNwPath(program.Control("Edit", Place{20, 85, 393, 24}.Rect())),
      ButtonRefNw(program.Control("Button", Place{421, 84, 81, 25}.Rect())),
      ButtonExec(program.Control("Button", Place{214, 300, 75, 25}.Rect())),
      ButtonClose(program.Control("Button", Place{421, 299, 81, 25}.Rect())),
      EditTeXPath(program.Control("Edit", Place{20, 141, 393, 24}.Rect())),
      ButtonRefTeX(program.Control("Button", Place{421, 141, 81, 25}.Rect())),
      EditTexmf(program.Control("Edit", Place{20, 197, 393, 24}.Rect())),
      ButtonRefTexmf(program.Control("Button", Place{421, 197, 81, 25}.Rect())),
      CheckBoxSrc(program.Control("Button", Place{20, 238, 313, 17}.Rect())) {}

HWND FileNameBox(const Dialog& dialog) {
  const HWND combo = dialog.Item(cmb13);
  if (!combo) return dialog.Item(edt1);
  // The dialog reads the edit inside the combo box, not the combo's text.
  HWND edit = nullptr;
  ::EnumChildWindows(
      combo,
      [](HWND child, LPARAM found) {
        char name[16] = {};
        ::GetClassNameA(child, name, sizeof name);
        if (::lstrcmpiA(name, "Edit") != 0) return TRUE;
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&edit));
  return edit ? edit : combo;
}

std::string FromWide(const std::wstring& text) {
  const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                        nullptr, nullptr);
  return bytes;
}

void ProgramTest::SetUp() {
  RemoveTree("C:\\Program Files\\Fernlake");
  RemoveTree("C:\\usr");
  RemoveTree(kWork);
  RemoveUserKey("Software\\SHIMA");
}

void ProgramTest::PutFiles(const std::string& nw, const std::string& tex,
                           const std::string& texmf) {
  PutFile(nw, "MZ nibwell");
  PutFile(tex, "MZ platex");
  PutFile(texmf, kTexmfBefore);
}

void ProgramTest::TypePaths(RunningProgram& program, const Form& form, const std::string& nw,
                            const std::string& tex, const std::string& texmf) {
  program.Type(form.EditNwPath, nw);
  program.Type(form.EditTeXPath, tex);
  program.Type(form.EditTexmf, texmf);
}

void ProgramTest::PutDefaults(bool nw, bool tex, bool texmf) {
  if (nw) PutFile(kNwDefault, "MZ nibwell");
  if (tex) PutFile(kTeXDefault, "MZ platex");
  if (texmf) PutFile(kTexmfDefault, kTexmfBefore);
}

void ProgramTest::ExpectNothingWritten() {
  EXPECT_EQ(FolderNames(kNwDir), std::vector<std::string>{"nibwell.exe"});
  EXPECT_EQ(FolderNames(kTexmfDir), std::vector<std::string>{"texmf.cnf"});
  EXPECT_EQ(FileBytes(kTexmfDefault), kTexmfBefore);
  EXPECT_FALSE(UserKeyExists("Software\\SHIMA"));
}

void ProgramTest::CloseAndExpectExit(RunningProgram& program, const Form& form) {
  program.Click(form.ButtonClose);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace nw::program
