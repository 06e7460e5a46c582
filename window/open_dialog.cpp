#include "window/open_dialog.h"

#include <commdlg.h>

namespace nw::window {

std::string ApiFilter(std::string_view filter) {
  std::string out(filter);
  for (size_t i = 0; i < out.size(); ++i) {
    if (::IsDBCSLeadByte(static_cast<BYTE>(out[i]))) {
      ++i;
    } else if (out[i] == '|') {
      out[i] = '\0';
    }
  }
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

OpenDialog::OpenDialog(std::string_view filter, DWORD options)
    : filter_(ApiFilter(filter)), options_(options) {}

bool OpenDialog::Execute(HWND owner) {
  // The dialog starts from the buffer's file, so it keeps the last choice;
  // a cancelled run must not leave a half-typed name behind.
  std::array<char, MAX_PATH> file = file_;
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter_.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = options_ | OFN_EXPLORER;
  if (!::GetOpenFileNameA(&ofn)) return false;
  file_ = file;
  return true;
}

}  // namespace nw::window
