#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/posix_platform.h"
#include "platform/profile_file.h"
#include "platform/regedit_file.h"

namespace nw {

namespace {

[[noreturn]] void ThrowErrno(int error, const std::string& path) {
  throw PlatformError(std::string(std::strerror(error)) + "\n" + path);
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closing reports write errors that the writes themselves did not.
  int Close() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc;
  }

 private:
  int fd_;
};

std::string ReadAll(const std::string& path, bool missingIsEmpty) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (missingIsEmpty && errno == ENOENT) return {};
    ThrowErrno(errno, path);
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) ThrowErrno(errno, path);
  if (S_ISDIR(st.st_mode)) ThrowErrno(EISDIR, path);
  std::string bytes;
  // Room for the probe below without moving the whole file, and for a
  // caller that edits the text in place (texmf.cnf gains a CR per LF).
  const auto size = static_cast<size_t>(st.st_size);
  bytes.reserve(size + size / 8 + 8192);
  bytes.resize(size);
  size_t got = 0;
  for (;;) {
    if (got == bytes.size()) bytes.resize(bytes.size() + 4096);  // the file may have grown
    const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno, path);
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

void WriteAll(const std::string& path, std::string_view bytes) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) ThrowErrno(errno, path);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno, path);
    }
    done += static_cast<size_t>(n);
  }
  if (fd.Close() != 0) ThrowErrno(errno, path);
}

bool NoLeadBytes(unsigned char) { return false; }

class RegeditKey : public RegistryKey {
 public:
  RegeditKey(std::string file, std::string keyPath)
      : file_(std::move(file)), keyPath_(std::move(keyPath)) {}
  void SetString(const std::string& name, const std::string& data) override {
    WriteAll(file_, SetRegeditString(ReadAll(file_, true), keyPath_, name, data, NoLeadBytes));
  }

 private:
  std::string file_;
  std::string keyPath_;
};

}  // namespace

PosixPlatform::PosixPlatform(std::string registryFile) : registryFile_(std::move(registryFile)) {}

bool PosixPlatform::IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PosixPlatform::IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixPlatform::Rename(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without RENAME_NOREPLACE: link() also refuses an existing target.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) != 0) {
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

bool PosixPlatform::Remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::string PosixPlatform::ReadWholeFile(const std::string& path) { return ReadAll(path, false); }

void PosixPlatform::WriteWholeFile(const std::string& path, std::string_view bytes) {
  WriteAll(path, bytes);
}

void PosixPlatform::WriteProfileString(const std::string& file, const std::string& section,
                                       const std::string& key, const std::string& value) {
  WriteAll(file, SetProfileString(ReadAll(file, true), section, key, value));
}

std::unique_ptr<RegistryKey> PosixPlatform::CreateUserKey(const std::string& subkey) {
  // The key can be opened when its file can be opened for writing.
  Fd fd(::open(registryFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
  if (fd.get() < 0) return nullptr;
  return std::make_unique<RegeditKey>(registryFile_, subkey);
}

bool PosixPlatform::IsLeadByte(unsigned char byte) const { return NoLeadBytes(byte); }

}  // namespace nw
