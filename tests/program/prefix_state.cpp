#include "tests/program/prefix_state.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "tests/program/handle.h"

namespace nw::program {

namespace {

class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) ::FindClose(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": error " + std::to_string(::GetLastError()));
}

std::string Parent(const std::string& path) {
  // Every byte is checked for a lead byte: "ソ" and "表" end in 0x5C.
  size_t last = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (::IsDBCSLeadByte(static_cast<BYTE>(path[i]))) {
      ++i;
    } else if (path[i] == '\\') {
      last = i;
    }
  }
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

}  // namespace

void MakeFolders(const std::string& path) {
  if (path.size() <= 3) return;  // "C:\"
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  MakeFolders(Parent(path));
  if (!::CreateDirectoryA(path.c_str(), nullptr)) Fail("CreateDirectory " + path);
}

void PutFile(const std::string& path, const std::string& bytes) {
  MakeFolders(Parent(path));
  Handle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail("CreateFile " + path);
  DWORD written = 0;
  if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    Fail("WriteFile " + path);
  }
}

std::optional<std::string> FileBytes(const std::string& path) {
  Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  FindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!find.valid()) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(find.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    for (const std::string& name : FolderNames(path)) RemoveTree(path + "\\" + name);
    if (!::RemoveDirectoryA(path.c_str())) Fail("RemoveDirectory " + path);
  } else {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::DeleteFileA(path.c_str())) Fail("DeleteFile " + path);
  }
}

std::optional<std::string> UserString(const std::string& key, const std::string& value) {
  DWORD type = 0;
  DWORD size = 0;
  if (::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_ANY, &type, nullptr,
                     &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  if (type != REG_SZ) throw std::runtime_error(key + "\\" + value + " is not REG_SZ");
  std::string data(size, '\0');
  if (::RegGetValueA(HKEY_CURRENT_USER, key.c_str(), value.c_str(), RRF_RT_REG_SZ, nullptr,
                     data.data(), &size) != ERROR_SUCCESS) {
    Fail("RegGetValue " + key);
  }
  data.resize(size);
  return data;
}

bool UserKeyExists(const std::string& key) {
  struct Key {
    HKEY key = nullptr;
    ~Key() {
      if (key) ::RegCloseKey(key);
    }
  } opened;
  return ::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened.key) == ERROR_SUCCESS;
}

void RemoveUserKey(const std::string& key) {
  const LSTATUS rc = ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error("RegDeleteTree " + key + ": " + std::to_string(rc));
  }
}

FileLock::FileLock(const std::string& path, unsigned long share)
    : file_(::CreateFileA(path.c_str(), share ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE, share,
                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
  if (!file_) Fail("lock " + path);
}

std::string SystemText(unsigned long error) {
  char* buffer = nullptr;
  const DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n ? std::string(buffer, n) : std::string();
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

}  // namespace nw::program
