#include "tests/program/running_program.h"

#include <stdexcept>

#include "tests/program/handle.h"

namespace nw::program {

namespace {

std::string programPath;

// <chrono> cannot be compiled in CP932; the system clock serves.
constexpr ULONGLONG kTimeoutMs = 10000;
constexpr UINT kSendTimeoutMs = 30000;
constexpr char kAppTitle[] = "Nibwell 簡易設定";

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

std::string ClassOf(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> found;
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The top-level windows of one process with one class, visible or not.
std::vector<HWND> TopLevel(DWORD process, const char* className) {
  struct Query {
    DWORD process;
    const char* className;
    std::vector<HWND> found;
  } query{process, className, {}};
  ::EnumWindows(
      [](HWND window, LPARAM param) {
        auto& q = *reinterpret_cast<Query*>(param);
        if (ProcessOf(window) == q.process && ClassOf(window) == q.className) {
          q.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

RECT PlaceInClient(HWND window, HWND parent) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

template <typename Done>
void WaitUntil(Done done, const std::string& what) {
  const ULONGLONG deadline = ::GetTickCount64() + kTimeoutMs;
  while (!done()) {
    if (::GetTickCount64() > deadline) Fail("timed out waiting for " + what);
    ::Sleep(10);
  }
}

// Wine maps the Unix root to drive Z:.
std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return "Z:" + path;
}

}  // namespace

void SetProgramPath(std::string path) { programPath = WindowsPath(std::move(path)); }

const std::string& ProgramPath() { return programPath; }

RunningProgram::RunningProgram() {
  if (programPath.empty()) Fail("no program given");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + programPath + "\"";
  if (!::CreateProcessA(programPath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process_)) {
    Fail("cannot start " + programPath + ": error " + std::to_string(::GetLastError()));
  }
  processHandle_ = Handle(process_.hProcess);
  threadHandle_ = Handle(process_.hThread);
  WaitUntil(
      [&] {
        if (!Running()) Fail("the program ended at start");
        for (HWND w : TopLevel(process_.dwProcessId, "TForm1")) {
          if (::IsWindowVisible(w)) form_ = w;
        }
        return form_ != nullptr;
      },
      "the window");
  marker_ = ::FindWindowExA(form_, nullptr, "Edit", nullptr);
  if (!marker_) Fail("the window has no edit box");
  Settle();
}

RunningProgram::~RunningProgram() {
  if (Running()) {
    ::TerminateProcess(process_.hProcess, 255);
    ::WaitForSingleObject(process_.hProcess, 10000);
  }
}

HWND RunningProgram::Control(const char* className, RECT place) const {
  HWND match = nullptr;
  for (HWND child : Children(form_)) {
    const RECT r = PlaceInClient(child, form_);
    if (::lstrcmpiA(ClassOf(child).c_str(), className) == 0 && ::EqualRect(&r, &place)) {
      if (match) Fail(std::string("two controls of class ") + className + " at one place");
      match = child;
    }
  }
  if (!match) {
    Fail(std::string("no ") + className + " at " + std::to_string(place.left) + "," +
         std::to_string(place.top) + " " + std::to_string(place.right - place.left) + "x" +
         std::to_string(place.bottom - place.top));
  }
  return match;
}

bool RunningProgram::Running() const {
  return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD RunningProgram::WaitForExit() {
  if (::WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
    Fail("the program did not end");
  }
  DWORD code = 0;
  ::GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::string RunningProgram::Text(HWND window) {
  // WM_GETTEXT reaches the control itself; GetWindowText of another
  // process's window would not ask it.
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs,
                             &length)) {
    Fail("no answer to WM_GETTEXTLENGTH");
  }
  std::string text(length + 1, '\0');
  DWORD_PTR got = 0;
  if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, kSendTimeoutMs, &got)) {
    Fail("no answer to WM_GETTEXT");
  }
  text.resize(got);
  return text;
}

bool RunningProgram::Checked(HWND box) {
  DWORD_PTR state = 0;
  if (!::SendMessageTimeoutA(box, BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &state)) {
    Fail("no answer to BM_GETCHECK");
  }
  return state == BST_CHECKED;
}

HWND RunningProgram::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(process_.dwThreadId, &info)) Fail("GetGUIThreadInfo");
  return info.hwndFocus;
}

HWND RunningProgram::OpenDialog() const {
  for (HWND w : TopLevel(process_.dwProcessId, "#32770")) {
    if (::IsWindowVisible(w)) return w;
  }
  return nullptr;
}

void RunningProgram::Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ::SendMessageTimeoutA(marker_, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL, kSendTimeoutMs, nullptr);
  if (!::PostMessageA(window, message, wParam, lParam)) Fail("PostMessage");
  Settle();
}

// Posted messages are taken in order, also by the loop of a dialog that
// one of them opens: once the program has taken a marker posted after
// the action, the action has been dealt with up to the next wait for
// input. The marker is the modified flag of an edit box, which nothing
// else in the program reads.
void RunningProgram::Settle() {
  if (!::PostMessageA(marker_, EM_SETMODIFY, TRUE, 0)) return;  // the window is gone
  WaitUntil(
      [&] {
        if (!Running() || !::IsWindow(marker_)) return true;
        DWORD_PTR modified = 0;
        return ::SendMessageTimeoutA(marker_, EM_GETMODIFY, 0, 0, SMTO_NORMAL, 1000, &modified) !=
                   0 &&
               modified != 0;
      },
      "the program to take its input");
}

void RunningProgram::Type(HWND edit, const std::string& text) {
  if (!::SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_NORMAL, kSendTimeoutMs, nullptr)) {
    Fail("no answer to WM_SETTEXT");
  }
}

void RunningProgram::Click(HWND button) { Post(button, BM_CLICK, 0, 0); }

void RunningProgram::Press(UINT key) {
  // To the focus, as the keyboard would; through the program's own loop.
  HWND target = Focus();
  if (!target) Fail("no focus");
  const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  ::SendMessageTimeoutA(marker_, EM_SETMODIFY, FALSE, 0, SMTO_NORMAL, kSendTimeoutMs, nullptr);
  ::PostMessageA(target, WM_KEYDOWN, key, scan | 1);
  ::PostMessageA(target, WM_KEYUP, key, scan | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
  Settle();
}

void RunningProgram::PressAlt(char letter) {
  // What the system makes of Alt and a key, in the message loop's hands.
  HWND target = Focus();
  if (!target) Fail("no focus");
  const char lower =
      (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
  Post(target, WM_SYSCHAR, static_cast<WPARAM>(lower), 1 | (LPARAM{1} << 29));
}

void RunningProgram::TabTo(HWND control) {
  for (int i = 0; i < 16 && Focus() != control; ++i) Press(VK_TAB);
  if (Focus() != control) Fail("Tab never reaches the control");
}

void RunningProgram::CloseBox() { Post(form_, WM_SYSCOMMAND, SC_CLOSE, 0); }

Dialog RunningProgram::WaitForDialog() {
  HWND dialog = nullptr;
  WaitUntil(
      [&] {
        if (!Running()) Fail("the program ended");
        dialog = OpenDialog();
        return dialog != nullptr;
      },
      "a dialog");
  return Dialog{dialog};
}

std::vector<std::string> RunningProgram::DismissMessages() {
  std::vector<std::string> texts;
  for (;;) {
    if (!Running() || !FormOpen()) break;
    const std::vector<HWND> boxes = TopLevel(process_.dwProcessId, "#32770");
    if (boxes.empty()) break;
    if (boxes.size() > 1) Fail("more than one dialog at once");
    HWND box = boxes.front();
    WaitUntil([&] { return ::IsWindowVisible(box) != FALSE; }, "the message box to show");

    if (Text(box) != kAppTitle) Fail("message box captioned \"" + Text(box) + "\"");
    if (::GetWindow(box, GW_OWNER) != form_) Fail("message box not owned by the window");
    if (FormEnabled()) Fail("message box not modal: the window takes input");
    std::string text;
    HWND ok = nullptr;
    int buttons = 0;
    for (HWND child : Children(box)) {
      const std::string cls = ClassOf(child);
      if (cls == "Button") {
        ++buttons;
        if (::GetDlgCtrlID(child) == IDOK && Text(child) == "OK") ok = child;
      } else if (cls == "Static" && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
        text += Text(child);
      }
    }
    if (buttons != 1 || !ok) Fail("message box without a single OK button: " + text);
    texts.push_back(text);
    Click(ok);
    WaitUntil([&] { return !::IsWindow(box); }, "the message box to close");
  }
  return texts;
}

}  // namespace nw::program
