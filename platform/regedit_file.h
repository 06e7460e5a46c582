// The current user's registry kept as a registry editor file (REGEDIT4),
// for systems without a registry: what is written can be imported on
// Windows as it stands.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nw {

using LeadBytePredicate = std::function<bool(unsigned char)>;

// The file with the string value name=data set under
// HKEY_CURRENT_USER\keyPath. Keys and value names are matched without regard
// to ASCII case; every other line is kept.
std::string SetRegeditString(std::string_view file, std::string_view keyPath, std::string_view name,
                             std::string_view data, const LeadBytePredicate& isLeadByte);

// The data of a string value, if the file has it.
std::optional<std::string> GetRegeditString(std::string_view file, std::string_view keyPath,
                                            std::string_view name,
                                            const LeadBytePredicate& isLeadByte);

}  // namespace nw
