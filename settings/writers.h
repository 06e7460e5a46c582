// The three settings writers of the Execute action, and the pure pieces they
// are made of.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/message_sink.h"
#include "platform/platform.h"

namespace nw {

// Removes leading and trailing bytes 0 to 32 (blanks and control codes).
std::string_view Trim(std::string_view text);

// --- The editor's INI file -------------------------------------------------

// False when the path ends in a separator, so names no file.
bool HasFileName(std::string_view path, const std::function<bool(unsigned char)>& isLeadByte);

// The path with the extension of its file name replaced by ".ini". A "."
// in a folder name does not count; the lead-byte test keeps a double-byte
// character whose second byte is "\" whole.
std::string IniPathFor(std::string_view editorPath,
                       const std::function<bool(unsigned char)>& isLeadByte);

// Writes the command-line TeX entry into the editor's INI file.
void WriteNwIni(Platform& platform, std::string_view nwPath, std::string_view texPath);

// --- texmf.cnf -------------------------------------------------------------

// TEXEDIT="<editor>" /e%d "%s"
std::string TexeditLine(std::string_view nwPath);

// True when the line assigns TEXEDIT: blanks, TEXEDIT in any letter case,
// blanks and "=", or a line that TeX's kpathsea reads as setting TEXEDIT
// (it takes the "=" as optional). Comments and TEXEDIT.<program> do not.
bool IsTexeditAssignment(std::string_view line);

// The file with every TEXEDIT assignment replaced by newLine, or newLine
// appended when there is none. Lines end at CR LF, LF or CR; every line of
// the result ends in CR LF. Lines are judged as kpathsea reads them: a line
// ending in "\" goes on in the next one, so an assignment is replaced with
// all its continuation lines, a continuation line is never an assignment,
// and newLine goes before a last line that is still open, which would
// swallow it.
std::string RewriteTexmf(std::string_view content, std::string_view newLine);

// The same result, built over file's own bytes where its spare capacity
// allows (about one byte for each line end that is not CR LF), so that a
// large file is not held twice; otherwise in a new string.
void RewriteTexmfInPlace(std::string& file, std::string_view newLine);

// The first of path+ext, path+ext+"0", path+ext+"1", ... with no file.
std::string ChooseBackupName(Platform& platform, std::string_view path, std::string_view ext);

// Points TEXEDIT at the editor, keeping the old file under a backup name.
// False (after telling the user) when the file was not rewritten.
bool UpdateTexmfCnf(Platform& platform, MessageSink& messages, std::string_view texmfPath,
                    std::string_view nwPath, std::string_view oldExt);

// --- dviout ----------------------------------------------------------------

// <editor>^s/e%d "%s"
std::string DvioutSrcData(std::string_view nwPath);

// Writes dviout's src value. False (after telling the user) when the key
// could not be opened.
bool WriteDvioutSrc(Platform& platform, MessageSink& messages, std::string_view nwPath);

}  // namespace nw
