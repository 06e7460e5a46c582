#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/win_platform.h"

namespace nw {

namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) ::CloseHandle(h_);
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  // Closing reports errors of the last writes.
  bool Close() {
    const BOOL ok = ::CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
    return ok != FALSE;
  }

 private:
  HANDLE h_;
};

class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (h_) ::RegCloseKey(h_);
  }
  HKEY* out() { return &h_; }
  HKEY get() const { return h_; }

 private:
  HKEY h_ = nullptr;
};

[[noreturn]] void ThrowLastError(const std::string& object, DWORD error = ::GetLastError()) {
  throw PlatformError(SystemMessage(error) + "\r\n" + object);
}

// Whole-file I/O in pieces the system accepts in one call.
constexpr DWORD kChunk = 1u << 20;

class WinRegistryKey : public RegistryKey {
 public:
  WinRegistryKey(std::unique_ptr<Key> key, std::string path)
      : key_(std::move(key)), path_(std::move(path)) {}
  void SetString(const std::string& name, const std::string& data) override {
    const LSTATUS rc = ::RegSetValueExA(key_->get(), name.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(data.c_str()),
                                        static_cast<DWORD>(data.size() + 1));
    if (rc != ERROR_SUCCESS) {
      ThrowLastError("HKEY_CURRENT_USER\\" + path_ + "\\" + name, static_cast<DWORD>(rc));
    }
  }

 private:
  std::unique_ptr<Key> key_;
  std::string path_;
};

}  // namespace

std::string SystemMessage(unsigned long errorCode) {
  char* buffer = nullptr;
  const DWORD n = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, errorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text = n ? std::string(buffer, n) : std::string();
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  if (text.empty()) text = "Error " + std::to_string(errorCode);
  return text;
}

bool WindowsPlatform::IsFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsPlatform::IsFolder(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsPlatform::Rename(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the target exists.
  return ::MoveFileExA(from.c_str(), to.c_str(), 0) != FALSE;
}

bool WindowsPlatform::Remove(const std::string& path) {
  return ::DeleteFileA(path.c_str()) != FALSE;
}

std::string WindowsPlatform::ReadWholeFile(const std::string& path) {
  Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) ThrowLastError(path);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) ThrowLastError(path);
  std::string bytes;
  // Room for a caller that edits the text in place (texmf.cnf gains a CR
  // per bare LF) without holding the file twice.
  const auto fileSize = static_cast<size_t>(size.QuadPart);
  bytes.reserve(fileSize + fileSize / 8 + 8192);
  bytes.resize(fileSize);
  size_t got = 0;
  while (got < bytes.size()) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, bytes.size() - got));
    if (!::ReadFile(file.get(), bytes.data() + got, want, &n, nullptr)) ThrowLastError(path);
    if (n == 0) break;
    got += n;
  }
  bytes.resize(got);
  return bytes;
}

void WindowsPlatform::WriteWholeFile(const std::string& path, std::string_view bytes) {
  Handle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) ThrowLastError(path);
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, bytes.size() - done));
    if (!::WriteFile(file.get(), bytes.data() + done, want, &n, nullptr)) ThrowLastError(path);
    done += n;
  }
  if (!::FlushFileBuffers(file.get())) ThrowLastError(path);
  if (!file.Close()) ThrowLastError(path);
}

void WindowsPlatform::WriteProfileString(const std::string& file, const std::string& section,
                                         const std::string& key, const std::string& value) {
  // The profile API puts a file without folder into the Windows folder;
  // resolve it like every other file name instead.
  char full[MAX_PATH];
  const DWORD n = ::GetFullPathNameA(file.c_str(), MAX_PATH, full, nullptr);
  if (n == 0) ThrowLastError(file);
  if (n >= MAX_PATH) ThrowLastError(file, ERROR_FILENAME_EXCED_RANGE);
  ::SetLastError(ERROR_SUCCESS);
  if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), full)) {
    const DWORD error = ::GetLastError();
    ThrowLastError(full, error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error);
  }
}

std::unique_ptr<RegistryKey> WindowsPlatform::CreateUserKey(const std::string& subkey) {
  auto key = std::make_unique<Key>();
  const LSTATUS rc =
      ::RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, key->out(), nullptr);
  if (rc != ERROR_SUCCESS) return nullptr;
  return std::make_unique<WinRegistryKey>(std::move(key), subkey);
}

bool WindowsPlatform::IsLeadByte(unsigned char byte) const {
  return ::IsDBCSLeadByte(byte) != FALSE;
}

}  // namespace nw
