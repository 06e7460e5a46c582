#include "tests/support/texmf_properties.h"

#include <algorithm>
#include <cstddef>
#include <set>

#include "settings/writers.h"

namespace nw::test::texmf {

namespace {

// kpathsea's ISSPACE: isspace in the C locale.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string WithoutNul(std::string_view line) {
  std::string text(line);
  text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
  return text;
}

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// The rule of the settings, on the whole line: blanks, TEXEDIT in any
// case, blanks, "=".
bool SettingsRuleMatches(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  if (trimmed.starts_with('%') || trimmed.size() < 7) return false;
  for (size_t i = 0; i < 7; ++i) {
    if (Upper(trimmed[i]) != "TEXEDIT"[i]) return false;
  }
  return Trim(trimmed.substr(7)).starts_with('=');
}

std::string Printable(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 32 && u < 127 && c != '\\') {
      out += c;
    } else {
      static constexpr char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    }
  }
  return out;
}

}  // namespace

std::vector<std::string_view> PhysicalLines(std::string_view file) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < file.size()) {
    size_t end = pos;
    while (end < file.size() && file[end] != '\r' && file[end] != '\n') ++end;
    lines.push_back(file.substr(pos, end - pos));
    if (end < file.size() && file[end] == '\r' && end + 1 < file.size() && file[end + 1] == '\n') {
      ++end;
    }
    pos = end + 1;
  }
  return lines;
}

std::vector<TexLine> ReadAsTex(const std::vector<std::string_view>& lines) {
  std::vector<TexLine> out;
  size_t i = 0;
  while (i < lines.size()) {
    TexLine line{i, 1, WithoutNul(lines[i]), false};
    ++i;
    while (!line.text.empty() && IsSpace(line.text.back())) line.text.pop_back();
    while (!line.text.empty() && line.text.back() == '\\') {
      line.text.pop_back();
      if (i == lines.size()) {
        line.open = true;
        break;
      }
      line.text += WithoutNul(lines[i]);
      ++i;
      ++line.count;
    }
    out.push_back(std::move(line));
  }
  return out;
}

std::optional<Definition> ParseAsTex(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsSpace(text[start])) ++start;
  std::string line(text.substr(start));
  if (line.empty() || line[0] == '%' || line[0] == '#') return std::nullopt;
  // A trailing comment starts at a % or # after white space; that white
  // space goes too.
  for (size_t v = line.size() - 1; v > 0;) {
    if (line[v] == '%' || line[v] == '#') {
      --v;
      while (IsSpace(line[v])) line[v--] = '\0';
      continue;
    }
    --v;
  }
  line.resize(std::char_traits<char>::length(line.c_str()));

  size_t p = 0;
  while (p < line.size() && !IsSpace(line[p]) && line[p] != '=' && line[p] != '.') ++p;
  if (p == 0) return std::nullopt;
  Definition def{line.substr(0, p), {}};
  while (p < line.size() && IsSpace(line[p])) ++p;
  if (p < line.size() && line[p] == '.') {
    ++p;
    while (p < line.size() && IsSpace(line[p])) ++p;
    const size_t prog = p;
    while (p < line.size() && !IsSpace(line[p]) && line[p] != '=') ++p;
    def.name += "." + line.substr(prog, p - prog);
  }
  while (p < line.size() && IsSpace(line[p])) ++p;
  if (p < line.size() && line[p] == '=') {
    ++p;
    while (p < line.size() && IsSpace(line[p])) ++p;
  }
  size_t end = line.size();
  while (end > p && IsSpace(line[end - 1])) --end;
  if (end == p) return std::nullopt;
  def.value = line.substr(p, end - p);
  return def;
}

std::map<std::string, std::string> TexValues(std::string_view file) {
  std::map<std::string, std::string> values;
  for (const TexLine& line : ReadAsTex(PhysicalLines(file))) {
    if (auto def = ParseAsTex(line.text)) values.try_emplace(def->name, def->value);
  }
  return values;
}

bool IsTexeditLine(std::string_view text) {
  if (SettingsRuleMatches(text)) return true;
  const auto def = ParseAsTex(text);
  return def && def->name == "TEXEDIT";
}

std::string CheckRewrite(std::string_view in, std::string_view newLine) {
  const std::string out = RewriteTexmf(in, newLine);

  for (size_t i = 0; i < out.size(); ++i) {
    const bool crlf = out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n';
    if (crlf) {
      ++i;
    } else if (out[i] == '\r' || out[i] == '\n') {
      return "line break without CR LF at byte " + std::to_string(i);
    }
  }
  if (!out.ends_with("\r\n")) return "last line without CR LF";

  const std::vector<std::string_view> inLines = PhysicalLines(in);
  const std::vector<TexLine> texLines = ReadAsTex(inLines);
  std::vector<std::string_view> expected;
  std::set<std::string> replacedNames;
  bool replaced = false;
  size_t openAt = std::string::npos;
  for (const TexLine& line : texLines) {
    if (IsTexeditLine(line.text)) {
      expected.push_back(newLine);
      replaced = true;
      if (auto def = ParseAsTex(line.text)) replacedNames.insert(def->name);
      continue;
    }
    if (line.open) openAt = expected.size();
    for (size_t k = 0; k < line.count; ++k) expected.push_back(inLines[line.first + k]);
  }
  if (!replaced) {
    // In front of a last line that is still open, which would swallow it.
    expected.insert(openAt == std::string::npos
                        ? expected.end()
                        : expected.begin() + static_cast<std::ptrdiff_t>(openAt),
                    newLine);
  }
  const std::vector<std::string_view> outLines = PhysicalLines(out);
  for (size_t k = 0; k < std::max(expected.size(), outLines.size()); ++k) {
    if (k >= expected.size()) return "extra line " + std::to_string(k + 1);
    if (k >= outLines.size()) return "missing line " + std::to_string(k + 1);
    if (expected[k] != outLines[k]) {
      return "line " + std::to_string(k + 1) + " is \"" + Printable(outLines[k]) +
             "\", expected \"" + Printable(expected[k]) + "\"";
    }
  }

  if (RewriteTexmf(out, newLine) != out) return "a second run changed the file";

  // In a buffer of its own size (a new string is made) and in one with room.
  for (const size_t room : {size_t{0}, in.size() + 4096}) {
    std::string buffer;
    buffer.reserve(in.size() + room);
    buffer.assign(in);
    RewriteTexmfInPlace(buffer, newLine);
    if (buffer != out) return "the in-place rewrite differs, room " + std::to_string(room);
  }

  for (const std::string_view line : inLines) {
    if (IsTexeditAssignment(line) != IsTexeditLine(ReadAsTex({line}).front().text)) {
      return "IsTexeditAssignment is wrong for \"" + Printable(line) + "\"";
    }
  }

  const auto newValue = ParseAsTex(newLine);
  const auto before = TexValues(in);
  const auto after = TexValues(out);
  const auto texedit = after.find("TEXEDIT");
  if (!newValue || texedit == after.end() || texedit->second != newValue->value) {
    return "TeX does not see the new TEXEDIT";
  }
  for (const auto& [name, value] : after) {
    if (name == "TEXEDIT" || replacedNames.contains(name)) continue;
    const auto old = before.find(name);
    if (old == before.end()) return "TeX sees a new variable " + Printable(name);
    if (old->second != value) return "TeX sees another value for " + Printable(name);
  }
  for (const auto& [name, value] : before) {
    if (name != "TEXEDIT" && !replacedNames.contains(name) && !after.contains(name)) {
      return "TeX no longer sees " + Printable(name);
    }
  }
  return {};
}

}  // namespace nw::test::texmf
