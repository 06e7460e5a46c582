// The platform for POSIX systems. They have no registry: the current user's
// keys are kept in a registry editor file whose path is given here.
#pragma once

#include <string>

#include "platform/platform.h"

namespace nw {

class PosixPlatform : public Platform {
 public:
  explicit PosixPlatform(std::string registryFile);

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

 private:
  std::string registryFile_;
};

}  // namespace nw
