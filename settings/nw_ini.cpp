#include <string>

#include "settings/texts.h"
#include "settings/writers.h"

namespace nw {

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

std::string IniPathFor(std::string_view editorPath,
                       const std::function<bool(unsigned char)>& isLeadByte) {
  size_t nameStart = 0;
  size_t dot = std::string_view::npos;
  for (size_t i = 0; i < editorPath.size(); ++i) {
    const char c = editorPath[i];
    if (isLeadByte(static_cast<unsigned char>(c)) && i + 1 < editorPath.size()) {
      ++i;  // the trail byte may look like "\" or "."; it is part of the character
    } else if (IsSeparator(c)) {
      nameStart = i + 1;
      dot = std::string_view::npos;
    } else if (c == '.') {
      dot = i;
    }
  }
  const size_t stem = (dot != std::string_view::npos && dot >= nameStart) ? dot : editorPath.size();
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
