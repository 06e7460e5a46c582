// The platform for Windows: the system's own file, profile and registry
// services, through their ANSI functions so that paths stay bytes of the
// system code page.
#pragma once

#include "platform/platform.h"

namespace nw {

class WindowsPlatform : public Platform {
 public:
  bool IsFile(const std::string& path) override;
  bool IsFolder(const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  std::string ReadWholeFile(const std::string& path) override;
  void WriteWholeFile(const std::string& path, std::string_view bytes) override;
  void WriteProfileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override;
  std::unique_ptr<RegistryKey> CreateUserKey(const std::string& subkey) override;
  bool IsLeadByte(unsigned char byte) const override;
};

// The system's text for an error code, trailing CR LF trimmed.
std::string SystemMessage(unsigned long errorCode);

}  // namespace nw
