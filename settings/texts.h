// Every fixed text the settings code writes or shows. Compiled in the system
// code page of the target (Shift_JIS for the Windows build).
#pragma once

#include <string_view>

namespace nw::texts {

// Messages of the Execute action.
inline constexpr std::string_view kNothingToDo = "何もしない設定になっています。";
inline constexpr std::string_view kNoNwPath =
    "Nibwell のパスの入力がありません。dviout の src オプション以外の設定はされません。";
inline constexpr std::string_view kFinished = "設定が終わりました。終了します。";
// Follows the editor path when it names a folder: every setting is made
// from it, and the INI file would land beside the folder.
inline constexpr std::string_view kNwPathIsFolder =
    " はフォルダーです。Nibwell の実行ファイルのフルパスを入力してください。";

// Messages of the texmf.cnf update; each follows a path.
inline constexpr std::string_view kFileMissing = " がありません。";
inline constexpr std::string_view kRenameInfix = " を ";
inline constexpr std::string_view kRenameFailed = " に変更が出来ません。";
inline constexpr std::string_view kChangeFailed = " の変更が出来ませんでした。";
// Added after kChangeFailed when the original could not be put back.
inline constexpr std::string_view kOriginalAtPrefix = "元のファイルは ";
inline constexpr std::string_view kOriginalAtSuffix = " にあります。";

// texmf.cnf. The file name is quoted: kpathsea reads a "%" after white
// space as the start of a comment.
inline constexpr std::string_view kTexeditName = "TEXEDIT";
inline constexpr std::string_view kTexeditPrefix = "TEXEDIT=\"";
inline constexpr std::string_view kTexeditSuffix = "\" /e%d \"%s\"";
inline constexpr std::string_view kCommentLead = "%";
inline constexpr std::string_view kBackupExt = ".old";
inline constexpr std::string_view kLineEnd = "\r\n";

// The editor's INI file.
inline constexpr std::string_view kIniExt = ".ini";
inline constexpr std::string_view kIniSection = "CommandLineTeX";
inline constexpr std::string_view kKeyCltNum = "CLTNum";
inline constexpr std::string_view kKeyCltPrefix = "CLT";
inline constexpr std::string_view kKeyCltOpt = "CLTOpt";
inline constexpr std::string_view kKeyUse = "Use";
inline constexpr int kCltNum = 1;
inline constexpr int kCltIndex = 0;
inline constexpr std::string_view kCltOpt = "-src";
inline constexpr bool kUse = true;

// dviout's src option, under HKEY_CURRENT_USER.
inline constexpr std::string_view kDvioutKey = "Software\\SHIMA\\DVIOUT\\Settings";
inline constexpr std::string_view kDvioutValue = "src";
inline constexpr std::string_view kDvioutSrcSuffix = "^s/e%d \"%s\"";
inline constexpr std::string_view kDvioutKeyFailed =
    "HKEY_CURRENT_USER\\Software\\SHIMA\\DVIOUT\\Settings を開けません。"
    "dviout の src オプションは設定されませんでした。";

}  // namespace nw::texts
