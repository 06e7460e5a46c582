#include <string>

#include "settings/texts.h"
#include "settings/writers.h"

namespace nw {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }

struct FileName {
  size_t start;      // first byte of the file name
  size_t extension;  // its last ".", or npos
};

FileName FindFileName(std::string_view path, const std::function<bool(unsigned char)>& isLeadByte) {
  FileName name{0, std::string_view::npos};
  for (size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (isLeadByte(static_cast<unsigned char>(c)) && i + 1 < path.size()) {
      ++i;  // the trail byte may look like "\" or "."; it is part of the character
    } else if (IsSeparator(c)) {
      name = {i + 1, std::string_view::npos};
    } else if (c == '.') {
      name.extension = i;
    }
  }
  return name;
}

}  // namespace

bool HasFileName(std::string_view path, const std::function<bool(unsigned char)>& isLeadByte) {
  return FindFileName(path, isLeadByte).start < path.size();
}

std::string IniPathFor(std::string_view editorPath,
                       const std::function<bool(unsigned char)>& isLeadByte) {
  const FileName name = FindFileName(editorPath, isLeadByte);
  const size_t stem = name.extension != std::string_view::npos ? name.extension : editorPath.size();
  std::string ini(editorPath.substr(0, stem));
  ini += texts::kIniExt;
  return ini;
}

void WriteNwIni(Platform& platform, std::string_view nwPath, std::string_view texPath) {
  const std::string ini =
      IniPathFor(nwPath, [&platform](unsigned char b) { return platform.IsLeadByte(b); });
  const std::string section(texts::kIniSection);
  platform.WriteProfileString(ini, section, std::string(texts::kKeyCltNum),
                              std::to_string(texts::kCltNum));
  platform.WriteProfileString(ini, section,
                              std::string(texts::kKeyCltPrefix) + std::to_string(texts::kCltIndex),
                              std::string(texPath));
  platform.WriteProfileString(ini, section, std::string(texts::kKeyCltOpt),
                              std::string(texts::kCltOpt));
  platform.WriteProfileString(ini, section, std::string(texts::kKeyUse), texts::kUse ? "1" : "0");
}

}  // namespace nw
