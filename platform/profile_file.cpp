#include "platform/profile_file.h"

#include <vector>

#include "platform/text_lines.h"

namespace nw {

namespace {

using text_lines::EqualNoCase;

constexpr std::string_view kNewLine = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Finds the name of a "[name]" line; false when the line is no section header.
bool SectionName(std::string_view text, std::string_view& name) {
  text = TrimBlanks(text);
  if (!text.starts_with('[')) return false;
  text.remove_prefix(1);
  const size_t close = text.find(']');
  name = TrimBlanks(close == std::string_view::npos ? text : text.substr(0, close));
  return true;
}

std::string_view KeyName(std::string_view text) {
  const size_t eq = text.find('=');
  return TrimBlanks(eq == std::string_view::npos ? text : text.substr(0, eq));
}

}  // namespace

std::string SetProfileString(std::string_view file, std::string_view section, std::string_view key,
                             std::string_view value) {
  const std::vector<text_lines::Line> lines = text_lines::Split(file);
  const auto text = [&](const text_lines::Line& l) {
    return file.substr(l.start, l.textEnd - l.start);
  };

  size_t header = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view name;
    if (SectionName(text(lines[i]), name) && EqualNoCase(name, section)) {
      header = i;
      break;
    }
  }

  std::string out;
  out.reserve(file.size() + section.size() + key.size() + value.size() + 8);
  const auto entry = [&](std::string_view name) {
    std::string e(name);
    e += '=';
    e += value;
    return e;
  };

  if (header == lines.size()) {
    out = file;
    if (!out.empty() && out.back() != '\n') out += kNewLine;
    out += '[';
    out += section;
    out += ']';
    out += kNewLine;
    out += entry(key);
    out += kNewLine;
    return out;
  }

  size_t lastFilled = header;
  size_t match = lines.size();
  for (size_t i = header + 1; i < lines.size(); ++i) {
    std::string_view name;
    const std::string_view t = text(lines[i]);
    if (SectionName(t, name)) break;
    if (TrimBlanks(t).empty()) continue;
    lastFilled = i;
    if (EqualNoCase(KeyName(t), key)) {
      match = i;
      break;
    }
  }

  if (match != lines.size()) {
    const text_lines::Line& l = lines[match];
    out.append(file.substr(0, l.start));
    out += entry(KeyName(text(l)));
    out.append(file.substr(l.textEnd));
    return out;
  }

  const text_lines::Line& after = lines[lastFilled];
  out.append(file.substr(0, after.end));
  if (after.end == after.textEnd) out += kNewLine;  // last line had no break
  out += entry(key);
  out += kNewLine;
  out.append(file.substr(after.end));
  return out;
}

}  // namespace nw
