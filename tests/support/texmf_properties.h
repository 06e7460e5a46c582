// How TeX reads texmf.cnf, written out plainly after kpathsea's own reader
// (one string per line, joined by concatenation), and the properties every
// rewrite must have. The fuzzer and the corpus replay test share them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nw::test::texmf {

// Editor paths the checks are run with: plain, with spaces, and Shift_JIS
// whose second byte is "\" right before a separator.
inline constexpr std::string_view kEditors[] = {
    "C:\\Tools\\ed.exe",
    "C:\\Program Files\\Fernlake\\Nibwell\\nibwell.exe",
    "D:\\\x95\x5c\\nib.exe",
};

// Lines end at CR LF, LF or CR; a final line break starts no line.
std::vector<std::string_view> PhysicalLines(std::string_view file);

// One line as kpathsea hands it to its parser.
struct TexLine {
  size_t first;      // index of its first physical line
  size_t count;      // physical lines it spans
  std::string text;  // NUL bytes dropped, continuations joined
  bool open;         // the file ends while it is still continued
};
std::vector<TexLine> ReadAsTex(const std::vector<std::string_view>& lines);

// A definition: name (with ".program" when qualified) and value.
struct Definition {
  std::string name;
  std::string value;
};
std::optional<Definition> ParseAsTex(std::string_view text);

// The values TeX takes from the file: the first definition of each name.
std::map<std::string, std::string> TexValues(std::string_view file);

// True when the rewrite must replace this line: the settings' own rule, or
// a definition of the plain variable TEXEDIT as TeX reads it.
bool IsTexeditLine(std::string_view text);

// Checks RewriteTexmf(in, newLine): the lines that are not TEXEDIT lines
// come out byte for byte, in order; each TEXEDIT line becomes newLine; every
// line ends in CR LF; a second run changes nothing; RewriteTexmfInPlace
// gives the same bytes; TeX sees newLine's value for TEXEDIT and the same
// value as before for every other variable.
// Empty when all hold, otherwise what broke.
std::string CheckRewrite(std::string_view in, std::string_view newLine);

}  // namespace nw::test::texmf
