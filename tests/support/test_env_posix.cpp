#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "platform/posix_platform.h"
#include "platform/regedit_file.h"
#include "tests/support/test_env.h"

namespace fs = std::filesystem;

namespace nw::test {

struct TestEnv::Impl {
  fs::path root;
  fs::path registry;
};

TestEnv::TestEnv() : impl_(std::make_unique<Impl>()) {
  std::string pattern = (fs::temp_directory_path() / "nwtest-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  impl_->root = pattern;
  // The registry lives beside the folder, so that listings show only files.
  impl_->registry = impl_->root.string() + ".reg";
  platform_ = std::make_unique<PosixPlatform>(impl_->registry.string());
}

TestEnv::~TestEnv() {
  std::error_code ec;
  fs::remove_all(impl_->root, ec);
  fs::remove_all(impl_->registry, ec);
}

std::string TestEnv::Path(std::string_view name) const {
  return (impl_->root / fs::path(std::string(name))).string();
}

void TestEnv::MakeFolder(std::string_view name) const { fs::create_directories(Path(name)); }

void TestEnv::Write(std::string_view name, std::string_view bytes) const {
  std::ofstream out(Path(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + Path(name));
}

std::optional<std::string> TestEnv::Read(std::string_view name) const {
  std::ifstream in(Path(name), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> TestEnv::List(std::string_view folder) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(Path(folder))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> TestEnv::UserValue(std::string_view key, std::string_view name) const {
  if (!fs::is_regular_file(impl_->registry)) return std::nullopt;
  std::ifstream in(impl_->registry, std::ios::binary);
  const std::string file(std::istreambuf_iterator<char>(in), {});
  return GetRegeditString(file, key, name, [](unsigned char) { return false; });
}

void TestEnv::LockUserRegistry() {
  // A folder where the registry file should be cannot be opened as the file.
  std::error_code ec;
  fs::remove(impl_->registry, ec);
  fs::create_directory(impl_->registry);
}

std::string TestEnv::UnreadableFile(std::string_view) {
  // Root reads any file it owns; this one is a regular file whose reading
  // fails for everybody.
  return "/proc/self/mem";
}

}  // namespace nw::test
