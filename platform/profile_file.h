// Editing an INI (profile) file's text the way Windows does for
// WritePrivateProfileString, for systems that have no profile API.
#pragma once

#include <string>
#include <string_view>

namespace nw {

// The file with key=value set under [section]. Section and key are matched
// without regard to ASCII case; an existing key's line is replaced in place,
// a missing key goes after the section's last non-blank line, a missing
// section is added at the end. Every other byte is kept.
std::string SetProfileString(std::string_view file, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace nw
