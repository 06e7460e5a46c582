// Files and registry values of the Wine prefix the program runs in, read
// and written as bytes of the system code page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/program/handle.h"

namespace nw::program {

// Creates the file (and its folders) with exactly these bytes.
void PutFile(const std::string& path, const std::string& bytes);
void MakeFolders(const std::string& path);
std::optional<std::string> FileBytes(const std::string& path);
// The names in a folder, sorted; empty when it does not exist.
std::vector<std::string> FolderNames(const std::string& folder);
void RemoveTree(const std::string& path);

// A string value under HKEY_CURRENT_USER, with its terminating NUL.
std::optional<std::string> UserString(const std::string& key, const std::string& value);
bool UserKeyExists(const std::string& key);
void RemoveUserKey(const std::string& key);

// Holds a file open until destroyed. With no sharing others can neither
// read nor write it; with read sharing they can read it but not move it.
class FileLock {
 public:
  explicit FileLock(const std::string& path, unsigned long share = 0);

 private:
  Handle file_;
};

// The system's text for an error code, as the program shows it.
std::string SystemText(unsigned long error);

}  // namespace nw::program
