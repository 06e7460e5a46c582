// The setup window: three paths, the dviout option, browse, Execute, Close.
#pragma once

#include <windows.h>

#include "platform/win_platform.h"
#include "settings/exec_action.h"
#include "window/open_dialog.h"
#include "window/win_handle.h"

namespace nw::window {

class TForm1 {
 public:
  explicit TForm1(HINSTANCE instance);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  void Show(int showCommand);
  // Null once the window has been closed.
  HWND Handle() const { return window_.get(); }
  // Closing the main window ends the program.
  void Close();

  // Components, named by kind and role; the labels are plain statics.
  HWND Label1 = nullptr;
  HWND EditNwPath = nullptr;
  HWND ButtonRefNw = nullptr;
  OpenDialog OpenDialog1;
  HWND ButtonExec = nullptr;
  HWND ButtonClose = nullptr;
  HWND Label2 = nullptr;
  HWND Label3 = nullptr;
  HWND Label5 = nullptr;
  HWND EditTeXPath = nullptr;
  HWND ButtonRefTeX = nullptr;
  HWND Label4 = nullptr;
  HWND EditTexmf = nullptr;
  HWND ButtonRefTexmf = nullptr;
  OpenDialog OpenDialog2;
  HWND CheckBoxSrc = nullptr;

  void ButtonRefNwClick(HWND Sender);
  void ButtonRefTexmfClick(HWND Sender);
  void ButtonExecClick(HWND Sender);
  void ButtonCloseClick(HWND Sender);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Command(int id, HWND control);
  void CreateControls(HINSTANCE instance);
  void FillDefaults();

  // Declared in this order so that the window goes before its fonts and
  // its class.
  WindowClass windowClass_;
  UniqueFont font_;
  UniqueFont buttonFont_;
  UniqueWindow window_;
  WindowsPlatform platform_;
  // NwPath, TeXPath, TexmfPath and OldExt of the Execute action.
  ExecPaths paths_;
};

// A modal message box with the application title and one OK button.
void ShowMessageBox(HWND owner, const char* text);
// The same for an error that ended an action or the start-up.
void ShowErrorBox(HWND owner, const char* text);

}  // namespace nw::window
