// Each test's own temporary folder, and the build's platform pointed at it:
// real files, and a current-user registry that belongs to the test alone.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace nw::test {

class TestEnv {
 public:
  TestEnv();
  ~TestEnv();
  TestEnv(const TestEnv&) = delete;
  TestEnv& operator=(const TestEnv&) = delete;

  Platform& platform() { return *platform_; }

  // The full path of a name inside the folder ("/" between folder names),
  // in the platform's form.
  std::string Path(std::string_view name) const;
  // The text with every "{name}" replaced by Path(name).
  std::string Expand(std::string text) const {
    for (size_t open; (open = text.find('{')) != std::string::npos;) {
      const size_t close = text.find('}', open);
      text.replace(open, close - open + 1, Path(text.substr(open + 1, close - open - 1)));
    }
    return text;
  }
  void MakeFolder(std::string_view name) const;
  void Write(std::string_view name, std::string_view bytes) const;
  std::optional<std::string> Read(std::string_view name) const;
  // Names of the entries of the folder (or of a folder inside it), sorted.
  std::vector<std::string> List(std::string_view folder = {}) const;

  // A string value under the current user's key, if present.
  std::optional<std::string> UserValue(std::string_view key, std::string_view name) const;
  // From now on, no key under the current user's Software can be created.
  void LockUserRegistry();

  // The path of an existing regular file that cannot be read; it stays so
  // while this object lives.
  std::string UnreadableFile(std::string_view name);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  std::unique_ptr<Platform> platform_;
};

}  // namespace nw::test
