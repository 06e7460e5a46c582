// The services the settings writers need from the operating system. One
// implementation per platform is linked in by the build; the settings code
// sees only this header.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nw {

// A failure of a system service. what() is the system's own text for the
// error (trailing CR LF trimmed), followed by the object it concerned.
class PlatformError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An open registry key of the current user. Closed when destroyed.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  // Writes a string value; throws PlatformError when the system refuses.
  virtual void SetString(const std::string& name, const std::string& data) = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // True when a regular file (not a folder) exists at the path.
  virtual bool IsFile(const std::string& path) = 0;
  // True when a folder exists at the path.
  virtual bool IsFolder(const std::string& path) = 0;
  // Moves a file; false when the target exists or the move fails. Never
  // replaces an existing file.
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  // Deletes a file; false when it cannot be deleted.
  virtual bool Remove(const std::string& path) = 0;
  // Whole-file byte I/O; both throw PlatformError on failure.
  virtual std::string ReadWholeFile(const std::string& path) = 0;
  virtual void WriteWholeFile(const std::string& path, std::string_view bytes) = 0;

  // Sets one key of an INI (profile) file, creating the file, section or
  // key when missing. Throws PlatformError on failure.
  virtual void WriteProfileString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& value) = 0;

  // Opens a key under the current user's hive, creating it and its parents
  // when missing; nullptr when it cannot be opened.
  virtual std::unique_ptr<RegistryKey> CreateUserKey(const std::string& subkey) = 0;

  // True when the byte starts a double-byte character in the system code
  // page, so that a path is never split inside a character.
  virtual bool IsLeadByte(unsigned char byte) const = 0;
};

}  // namespace nw
