#include <string>

#include "settings/texts.h"
#include "settings/writers.h"

namespace nw {

std::string DvioutSrcData(std::string_view nwPath) {
  std::string data(nwPath);
  data += texts::kDvioutSrcSuffix;
  return data;
}

bool WriteDvioutSrc(Platform& platform, MessageSink& messages, std::string_view nwPath) {
  const std::unique_ptr<RegistryKey> key = platform.CreateUserKey(std::string(texts::kDvioutKey));
  if (!key) {
    // Counting this as done would tell the user a setting was made that was not.
    messages.ShowMessage(texts::kDvioutKeyFailed);
    return false;
  }
  key->SetString(std::string(texts::kDvioutValue), DvioutSrcData(nwPath));
  return true;
}

}  // namespace nw
