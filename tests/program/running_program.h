// Drives the real program from outside, as a person would: through window
// messages to its window, its controls and the dialogs it opens.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/program/handle.h"

namespace nw::program {

// The program file under test, from the command line.
void SetProgramPath(std::string path);
const std::string& ProgramPath();

// A system dialog of the program (message box or open-file dialog).
struct Dialog {
  HWND window = nullptr;
  HWND Item(int id) const { return ::GetDlgItem(window, id); }
};

class RunningProgram {
 public:
  // Starts the program and waits until its window is up.
  RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  // Ends a program that a failed case left running.
  ~RunningProgram();

  HWND form() const { return form_; }
  // A control found by its class and its place in the client area.
  HWND Control(const char* className, RECT place) const;

  bool Running() const;
  // Waits for the program to end and answers its exit code.
  DWORD WaitForExit();
  bool FormOpen() const { return ::IsWindow(form_) != FALSE; }
  bool FormEnabled() const { return ::IsWindowEnabled(form_) != FALSE; }

  // --- what a person sees --------------------------------------------------
  static std::string Text(HWND window);
  static bool Checked(HWND box);
  HWND Focus() const;
  // The program's dialog now on screen, or none.
  HWND OpenDialog() const;

  // --- what a person does; each returns once the program has dealt with it
  void Type(HWND edit, const std::string& text);
  void Click(HWND button);
  void Press(UINT key);
  void PressAlt(char letter);
  // Moves the focus with Tab until it is on the control.
  void TabTo(HWND control);
  void CloseBox();
  void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // Waits for the program's next dialog to be on screen.
  Dialog WaitForDialog();

  // Reads every message box as it comes and dismisses it with OK, until
  // the program is idle again or has ended. Each is checked to be a
  // message box of the program, modal to its window.
  std::vector<std::string> DismissMessages();

 private:
  void Settle();

  PROCESS_INFORMATION process_{};
  Handle processHandle_;
  Handle threadHandle_;
  HWND form_ = nullptr;
  HWND marker_ = nullptr;
};

}  // namespace nw::program
