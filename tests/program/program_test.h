// What the cases share: the texts and layout a person should see, the
// default install places, and a clean prefix for every case.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/program/prefix_state.h"
#include "tests/program/running_program.h"

namespace nw::program {

inline const std::string kTitle = "Nibwell 簡易設定";
inline const std::string kNothingToDo = "何もしない設定になっています。";
inline const std::string kNoNwPath =
    "Nibwell のパスの入力がありません。dviout の src オプション以外の設定はされません。";
inline const std::string kFinished = "設定が終わりました。終了します。";
inline const std::string kMissing = " がありません。";

inline const std::string kNwDir = "C:\\Program Files\\Fernlake\\Nibwell";
inline const std::string kNwDefault = kNwDir + "\\nibwell.exe";
inline const std::string kTeXDir = "C:\\usr\\local\\ptex\\bin";
inline const std::string kTeXDefault = kTeXDir + "\\platex.exe";
inline const std::string kTexmfDir = "C:\\usr\\local\\ptex\\share\\texmf\\web2c";
inline const std::string kTexmfDefault = kTexmfDir + "\\texmf.cnf";
// Where a case keeps files of its own.
inline const std::string kWork = "C:\\nwtest";

inline const std::string kDvioutKey = "Software\\SHIMA\\DVIOUT\\Settings";

// A texmf.cnf as a TeX installation ships it, with LF line ends.
inline const std::string kTexmfBefore =
    "% texmf.cnf -- runtime path configuration\n"
    "TEXMFROOT = $SELFAUTOPARENT\n"
    "TEXEDIT = vi +%d '%s'\n"
    "% TEXEDIT = emacs\n";
// The same after the editor at nwPath was set.
std::string TexmfAfter(const std::string& nwPath);
std::string IniAfter(const std::string& texPath);
// dviout's src value, with its terminating NUL.
std::string SrcValue(const std::string& nwPath);

struct Place {
  int left, top, width, height;
  RECT Rect() const { return {left, top, left + width, top + height}; }
};

// The window's controls, found by kind and place as the layout gives them.
struct Form {
  explicit Form(const RunningProgram& program);
  HWND EditNwPath, ButtonRefNw, ButtonExec, ButtonClose, EditTeXPath, ButtonRefTeX, EditTexmf,
      ButtonRefTexmf, CheckBoxSrc;
};

// The file-name box of an open-file dialog: a combo box with an edit, or
// an edit, depending on the system's version of the dialog.
HWND FileNameBox(const Dialog& dialog);
// UTF-16 to the system code page.
std::string FromWide(const std::wstring& text);

class ProgramTest : public testing::Test {
 protected:
  // Removes every file and value the program reads or writes.
  void SetUp() override;
  static void PutDefaults(bool nw, bool tex, bool texmf);
  // An editor, a LaTeX and a texmf.cnf file at the paths of a case.
  static void PutFiles(const std::string& nw, const std::string& tex, const std::string& texmf);
  // Types the three paths into their fields.
  static void TypePaths(RunningProgram& program, const Form& form, const std::string& nw,
                        const std::string& tex, const std::string& texmf);
  // The default files are all there is: no INI file, no backup, texmf.cnf
  // as it was, no dviout key.
  static void ExpectNothingWritten();
  // Closes the window with its Close button and checks the program ends
  // with exit code 0.
  static void CloseAndExpectExit(RunningProgram& program, const Form& form);
};

}  // namespace nw::program
