// The system's open-file dialog, configured once and run any number of
// times; it offers the file last chosen in it again.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace nw::window {

// The filter as the system takes it: "|" separators become NULs, with a
// second NUL at the end. A "|" that is the second byte of a double-byte
// character stays.
std::string ApiFilter(std::string_view filter);

class OpenDialog {
 public:
  OpenDialog(std::string_view filter, DWORD options);

  // Shows the dialog modal to the owner; false when the user cancels.
  bool Execute(HWND owner);
  // The full path of the file chosen last.
  std::string FileName() const { return file_.data(); }

 private:
  std::string filter_;
  DWORD options_;
  std::array<char, MAX_PATH> file_{};
};

}  // namespace nw::window
