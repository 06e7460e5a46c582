// Program entry: the setup window and its message loop. Exit code 0 always.
#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "window/Unit1.h"

namespace {

void RunMessageLoop(const nw::window::TForm1& form) {
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    // Tab, Enter, Alt and the underlined letters, as in a dialog.
    if (form.Handle() && ::IsDialogMessageA(form.Handle(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  try {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    nw::window::TForm1 Form1(instance);
    Form1.Show(showCommand);
    RunMessageLoop(Form1);
  } catch (const std::exception& error) {
    nw::window::ShowErrorBox(nullptr, error.what());
  }
  return 0;
}
