// Every fixed text and value of the setup window. Compiled in the system
// code page of the target (Shift_JIS for the Windows build).
#pragma once

#include <string_view>

namespace nw::window {

// The application title: window caption, taskbar text and the caption of
// every message box.
inline constexpr char kAppTitle[] = "Nibwell 簡易設定";
inline constexpr char kFormClass[] = "TForm1";

// Outer size of the window.
inline constexpr int kFormWidth = 522;
inline constexpr int kFormHeight = 368;

inline constexpr char kFontFace[] = "ＭＳ Ｐゴシック";
// Character heights (negative: without internal leading), 12 and about 11
// points at 96 dots per inch.
inline constexpr int kFontHeight = -16;
inline constexpr int kButtonFontHeight = -15;

inline constexpr char kLabel1[] =
    "Nibwell を使うための設定を行います。各項目を入力してください。"
    "既に入っている場合は大抵そのままで OK です。入力されていない項目は設定されません。";
inline constexpr char kLabel5[] = "(&1) Nibwell の実行ファイルのフルパス：";
inline constexpr char kLabel3[] = "(&2) LaTeXの実行ファイルのフルパス：";
inline constexpr char kLabel4[] = "(&3) texmf.cnf ファイルのフルパス：";
inline constexpr char kLabel2[] = "入力が済んだら下の実行ボタンを押してください。";
inline constexpr char kCheckBoxSrc[] = "dviout の src オプションを設定する。";

inline constexpr char kButtonRefNw[] = "参照(&R)...";
inline constexpr char kButtonRefTeX[] = "参照(&B)...";
inline constexpr char kButtonRefTexmf[] = "参照(&S)...";
inline constexpr char kButtonExec[] = "実行(&E)";
inline constexpr char kButtonClose[] = "閉じる(&C)";

// Offered at start only where a file exists.
inline constexpr std::string_view kDefaultNwPath =
    "C:\\Program Files\\Fernlake\\Nibwell\\nibwell.exe";
inline constexpr std::string_view kDefaultTeXPath = "C:\\usr\\local\\ptex\\bin\\platex.exe";
inline constexpr std::string_view kDefaultTexmfPath =
    "C:\\usr\\local\\ptex\\share\\texmf\\web2c\\texmf.cnf";

// Open-dialog filters: description and pattern pairs, separated by "|".
inline constexpr std::string_view kOpenDialog1Filter = "実行ファイル(*.exe)|*.exe|すべて(*.*)|*.*";
inline constexpr std::string_view kOpenDialog2Filter =
    "texmf.cnf|texmf.cnf|cnf ファイル(*.cnf)|*.cnf|すべて(*.*)|*.*";

}  // namespace nw::window
