// Wraps a real platform and makes one chosen operation fail at its n-th
// call, the way the system would report it; every other call goes through.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace nw::test {

enum class Op {
  IsFile,
  IsFolder,
  Rename,
  Remove,
  Read,
  Write,
  WriteProfile,
  CreateKey,
  SetString,
};

class FaultyPlatform : public Platform {
 public:
  explicit FaultyPlatform(Platform& real) : real_(real) {}

  // The nth call (from 1) of op fails. A failing Write first writes
  // `partialBytes` of its data for real.
  void FailAt(Op op, int nth, size_t partialBytes = 0) {
    failAt_[op] = nth;
    if (op == Op::Write) partial_ = partialBytes;
  }
  // The operations called so far, in order.
  const std::vector<Op>& calls() const { return calls_; }

  bool IsFile(const std::string& path) override {
    return Fails(Op::IsFile) ? false : real_.IsFile(path);
  }
  bool IsFolder(const std::string& path) override {
    return Fails(Op::IsFolder) ? false : real_.IsFolder(path);
  }
  bool Rename(const std::string& from, const std::string& to) override {
    return Fails(Op::Rename) ? false : real_.Rename(from, to);
  }
  bool Remove(const std::string& path) override {
    return Fails(Op::Remove) ? false : real_.Remove(path);
  }
  std::string ReadWholeFile(const std::string& path) override {
    if (Fails(Op::Read)) throw PlatformError("read refused\n" + path);
    return real_.ReadWholeFile(path);
  }
  void WriteWholeFile(const std::string& path, std::string_view bytes) override {
    if (Fails(Op::Write)) {
      if (partial_ > 0) real_.WriteWholeFile(path, bytes.substr(0, partial_));
      throw PlatformError("disk full\n" + path);
    }
    real_.WriteWholeFile(path, bytes);
  }
  void WriteProfileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override {
    if (Fails(Op::WriteProfile)) throw PlatformError("profile refused\n" + file);
    real_.WriteProfileString(file, section, key, value);
  }
  std::unique_ptr<RegistryKey> CreateUserKey(const std::string& subkey) override {
    if (Fails(Op::CreateKey)) return nullptr;
    auto key = real_.CreateUserKey(subkey);
    if (!key) return nullptr;
    return std::make_unique<Key>(*this, std::move(key));
  }
  bool IsLeadByte(unsigned char byte) const override { return real_.IsLeadByte(byte); }

 private:
  class Key : public RegistryKey {
   public:
    Key(FaultyPlatform& owner, std::unique_ptr<RegistryKey> real)
        : owner_(owner), real_(std::move(real)) {}
    void SetString(const std::string& name, const std::string& data) override {
      if (owner_.Fails(Op::SetString)) throw PlatformError("value refused\n" + name);
      real_->SetString(name, data);
    }

   private:
    FaultyPlatform& owner_;
    std::unique_ptr<RegistryKey> real_;
  };

  bool Fails(Op op) {
    calls_.push_back(op);
    const auto it = failAt_.find(op);
    return it != failAt_.end() && ++seen_[op] == it->second;
  }

  Platform& real_;
  std::map<Op, int> failAt_;
  std::map<Op, int> seen_;
  size_t partial_ = 0;
  std::vector<Op> calls_;
};

}  // namespace nw::test
