// Small helpers shared by the INI and registry file editors.
#pragma once

#include <string_view>
#include <vector>

namespace nw::text_lines {

struct Line {
  size_t start;    // first byte of the line
  size_t textEnd;  // end of its text, before the line break
  size_t end;      // after the line break
};

// Lines end at LF; a CR before it belongs to the break.
inline std::vector<Line> Split(std::string_view file) {
  std::vector<Line> lines;
  size_t pos = 0;
  while (pos < file.size()) {
    const size_t nl = file.find('\n', pos);
    const size_t end = nl == std::string_view::npos ? file.size() : nl + 1;
    size_t textEnd = nl == std::string_view::npos ? file.size() : nl;
    if (textEnd > pos && file[textEnd - 1] == '\r') --textEnd;
    lines.push_back({pos, textEnd, end});
    pos = end;
  }
  return lines;
}

inline std::string_view Text(std::string_view file, const Line& line) {
  return file.substr(line.start, line.textEnd - line.start);
}

inline char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace nw::text_lines
