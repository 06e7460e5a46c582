#include "platform/regedit_file.h"

#include <vector>

#include "platform/text_lines.h"

namespace nw {

namespace {

using text_lines::EqualNoCase;

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER\\";
constexpr std::string_view kNewLine = "\r\n";

// The editor reads the file in the system code page before it unescapes,
// so the second byte of a double-byte character is never an escape.
std::string Quote(std::string_view s, const LeadBytePredicate& isLeadByte) {
  std::string q = "\"";
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (isLeadByte(static_cast<unsigned char>(c)) && i + 1 < s.size()) {
      q += c;
      q += s[++i];
      continue;
    }
    if (c == '\\' || c == '"') q += '\\';
    q += c;
  }
  q += '"';
  return q;
}

std::optional<std::string> Unquote(std::string_view s, const LeadBytePredicate& isLeadByte) {
  if (s.size() < 2 || s.front() != '"' || s.back() != '"') return std::nullopt;
  s = s.substr(1, s.size() - 2);
  std::string u;
  for (size_t i = 0; i < s.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
      u += s[i];
      u += s[++i];
    } else if (s[i] == '\\' && i + 1 < s.size()) {
      u += s[++i];
    } else {
      u += s[i];
    }
  }
  return u;
}

bool IsKeyLine(std::string_view t) { return t.starts_with('[') && t.ends_with(']'); }

// The lines of the key's block: [first, last) after its header; first is
// lines.size() when the key is missing.
struct Block {
  size_t header, end;
};

Block FindKey(std::string_view file, const std::vector<text_lines::Line>& lines,
              std::string_view keyPath) {
  const std::string wanted = "[" + std::string(kRoot) + std::string(keyPath) + "]";
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view t = file.substr(lines[i].start, lines[i].textEnd - lines[i].start);
    if (!EqualNoCase(t, wanted)) continue;
    size_t end = i + 1;
    while (end < lines.size() &&
           !IsKeyLine(file.substr(lines[end].start, lines[end].textEnd - lines[end].start))) {
      ++end;
    }
    return {i, end};
  }
  return {lines.size(), lines.size()};
}

bool IsValueLine(std::string_view t, std::string_view quotedName) {
  return t.size() > quotedName.size() && EqualNoCase(t.substr(0, quotedName.size()), quotedName) &&
         t[quotedName.size()] == '=';
}

}  // namespace

std::string SetRegeditString(std::string_view file, std::string_view keyPath, std::string_view name,
                             std::string_view data, const LeadBytePredicate& isLeadByte) {
  const std::string quotedName = Quote(name, isLeadByte);
  const std::string valueLine = quotedName + "=" + Quote(data, isLeadByte);
  const std::vector<text_lines::Line> lines = text_lines::Split(file);
  const auto text = [&](size_t i) {
    return file.substr(lines[i].start, lines[i].textEnd - lines[i].start);
  };
  const Block block = FindKey(file, lines, keyPath);

  std::string out;
  if (block.header == lines.size()) {
    out = file.empty() ? std::string(kHeader) + std::string(kNewLine) : std::string(file);
    if (out.back() != '\n') out += kNewLine;
    out += kNewLine;
    out += "[" + std::string(kRoot) + std::string(keyPath) + "]";
    out += kNewLine;
    out += valueLine;
    out += kNewLine;
    return out;
  }

  size_t lastFilled = block.header;
  for (size_t i = block.header + 1; i < block.end; ++i) {
    if (text(i).empty()) continue;
    lastFilled = i;
    if (IsValueLine(text(i), quotedName)) {
      out.append(file.substr(0, lines[i].start));
      out += valueLine;
      out.append(file.substr(lines[i].textEnd));
      return out;
    }
  }
  const text_lines::Line& after = lines[lastFilled];
  out.append(file.substr(0, after.end));
  if (after.end == after.textEnd) out += kNewLine;
  out += valueLine;
  out += kNewLine;
  out.append(file.substr(after.end));
  return out;
}

std::optional<std::string> GetRegeditString(std::string_view file, std::string_view keyPath,
                                            std::string_view name,
                                            const LeadBytePredicate& isLeadByte) {
  const std::string quotedName = Quote(name, isLeadByte);
  const std::vector<text_lines::Line> lines = text_lines::Split(file);
  const Block block = FindKey(file, lines, keyPath);
  for (size_t i = block.header + 1; i < block.end; ++i) {
    const std::string_view t = file.substr(lines[i].start, lines[i].textEnd - lines[i].start);
    if (IsValueLine(t, quotedName)) return Unquote(t.substr(quotedName.size() + 1), isLeadByte);
  }
  return std::nullopt;
}

}  // namespace nw
