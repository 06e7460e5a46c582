#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win_platform.h"
#include "tests/support/test_env.h"

namespace nw::test {

namespace {

constexpr char kTestsKey[] = "Software\\NibwellSetupTests";

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
      }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

struct TestEnv::Impl {
  std::string root;
  std::string userKeyPath;  // the test's stand-in for the current user's hive
  HKEY userKey = nullptr;
  std::vector<HANDLE> held;
};

TestEnv::TestEnv() : impl_(std::make_unique<Impl>()) {
  static unsigned counter = 0;
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  const std::string id = std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
  impl_->root = std::string(temp) + "nwtest-" + id;
  RemoveTree(impl_->root);
  if (!::CreateDirectoryA(impl_->root.c_str(), nullptr)) {
    throw std::runtime_error("cannot create " + impl_->root);
  }
  // HKEY_CURRENT_USER is redirected to a key of this test alone.
  impl_->userKeyPath = std::string(kTestsKey) + "\\" + id;
  ::RegDeleteTreeA(HKEY_CURRENT_USER, impl_->userKeyPath.c_str());
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, impl_->userKeyPath.c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &impl_->userKey, nullptr) != ERROR_SUCCESS ||
      ::RegOverridePredefKey(HKEY_CURRENT_USER, impl_->userKey) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot redirect HKEY_CURRENT_USER");
  }
  platform_ = std::make_unique<WindowsPlatform>();
}

TestEnv::~TestEnv() {
  ::RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  if (impl_->userKey) ::RegCloseKey(impl_->userKey);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, impl_->userKeyPath.c_str());
  for (HANDLE h : impl_->held) ::CloseHandle(h);
  RemoveTree(impl_->root);
}

std::string TestEnv::Path(std::string_view name) const {
  std::string path = impl_->root + "\\" + std::string(name);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

void TestEnv::MakeFolder(std::string_view name) const {
  if (!::CreateDirectoryA(Path(name).c_str(), nullptr)) {
    throw std::runtime_error("cannot create " + Path(name));
  }
}

void TestEnv::Write(std::string_view name, std::string_view bytes) const {
  WindowsPlatform().WriteWholeFile(Path(name), bytes);
}

std::optional<std::string> TestEnv::Read(std::string_view name) const {
  WindowsPlatform files;
  if (!files.IsFile(Path(name))) return std::nullopt;
  return files.ReadWholeFile(Path(name));
}

std::vector<std::string> TestEnv::List(std::string_view folder) const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA((Path(folder) + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> TestEnv::UserValue(std::string_view key, std::string_view name) const {
  const std::string k(key), n(name);
  DWORD size = 0;
  if (::RegGetValueA(HKEY_CURRENT_USER, k.c_str(), n.c_str(), RRF_RT_REG_SZ, nullptr, nullptr,
                     &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string data(size, '\0');
  if (::RegGetValueA(HKEY_CURRENT_USER, k.c_str(), n.c_str(), RRF_RT_REG_SZ, nullptr, data.data(),
                     &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(size > 0 ? size - 1 : 0);
  return data;
}

void TestEnv::LockUserRegistry() {
  // Under a volatile key the system refuses to create the lasting keys that
  // a setting needs.
  HKEY software = nullptr;
  const LSTATUS rc = ::RegCreateKeyExA(impl_->userKey, "Software", 0, nullptr, REG_OPTION_VOLATILE,
                                       KEY_ALL_ACCESS, nullptr, &software, nullptr);
  if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot lock HKEY_CURRENT_USER");
  ::RegCloseKey(software);
}

std::string TestEnv::UnreadableFile(std::string_view name) {
  const std::string path = Path(name);
  Write(name, "locked\r\n");
  // Held open without sharing: it exists, and nobody else can open it.
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + path);
  impl_->held.push_back(h);
  return path;
}

}  // namespace nw::test
