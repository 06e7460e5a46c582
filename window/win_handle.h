// Owners of system handles: each closes its handle exactly once.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace nw::window {

// Throws a PlatformError with the system's text for the last error.
[[noreturn]] void ThrowLastError(const std::string& what);

template <typename Handle, typename Closer>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~Owned() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  // Gives up ownership, for a handle the system has already closed.
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    const Handle old = std::exchange(handle_, handle);
    if (old != Handle{}) Closer{}(old);
  }

 private:
  Handle handle_{};
};

struct FontCloser {
  void operator()(HFONT font) const { ::DeleteObject(font); }
};
struct WindowCloser {
  void operator()(HWND window) const;
};

using UniqueFont = Owned<HFONT, FontCloser>;
// Destroying a window also destroys its child controls.
using UniqueWindow = Owned<HWND, WindowCloser>;

// A window class registered for the life of this object.
class WindowClass {
 public:
  explicit WindowClass(const WNDCLASSEXA& wc);
  WindowClass(const WindowClass&) = delete;
  WindowClass& operator=(const WindowClass&) = delete;
  ~WindowClass();

 private:
  ATOM atom_;
  HINSTANCE instance_;
};

}  // namespace nw::window
