#include "window/win_handle.h"

#include "platform/win_platform.h"

namespace nw::window {

void ThrowLastError(const std::string& what) {
  throw PlatformError(SystemMessage(::GetLastError()) + "\r\n" + what);
}

void WindowCloser::operator()(HWND window) const {
  // The window's owner is going away: no more messages may reach it.
  ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  ::DestroyWindow(window);
}

WindowClass::WindowClass(const WNDCLASSEXA& wc)
    : atom_(::RegisterClassExA(&wc)), instance_(wc.hInstance) {
  if (!atom_) ThrowLastError(wc.lpszClassName);
}

WindowClass::~WindowClass() {
  ::UnregisterClassA(reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(atom_)), instance_);
}

}  // namespace nw::window
