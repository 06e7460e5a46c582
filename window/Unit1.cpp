#include "window/Unit1.h"

#include <commctrl.h>

#include <exception>
#include <string>

#include "window/window_texts.h"

namespace nw::window {

namespace {

// No control uses IDOK or IDCANCEL: the dialog manager sends those for
// Enter without a default button and for Esc, and Esc must close nothing.
enum ControlId : int {
  kIdEditNwPath = 101,
  kIdButtonRefNw,
  kIdButtonExec,
  kIdButtonClose,
  kIdEditTeXPath,
  kIdButtonRefTeX,
  kIdEditTexmf,
  kIdButtonRefTexmf,
  kIdCheckBoxSrc,
  kIdLabel1,
  kIdLabel5,
  kIdLabel3,
  kIdLabel4,
  kIdLabel2,
};

enum class Font { Form, Button };

struct ControlLayout {
  HWND TForm1::*member;
  int id;
  const char* className;
  DWORD style;
  DWORD exStyle;
  int left, top, width, height;
  const char* text;
  Font font;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kEdit = kChild | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kLabel = kChild | SS_LEFTNOWORDWRAP;

// Created in tab order, which is the order the dialog manager follows;
// the labels come last, in a group of their own so that arrow keys never
// move the focus onto one.
const ControlLayout kControls[] = {
    {&TForm1::EditNwPath, kIdEditNwPath, "Edit", kEdit | WS_GROUP, WS_EX_CLIENTEDGE, 20, 85, 393,
     24, "", Font::Form},
    {&TForm1::ButtonRefNw, kIdButtonRefNw, "Button", kButton, 0, 421, 84, 81, 25, kButtonRefNw,
     Font::Button},
    {&TForm1::ButtonExec, kIdButtonExec, "Button", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 214,
     300, 75, 25, kButtonExec, Font::Button},
    {&TForm1::ButtonClose, kIdButtonClose, "Button", kButton, 0, 421, 299, 81, 25, kButtonClose,
     Font::Button},
    {&TForm1::EditTeXPath, kIdEditTeXPath, "Edit", kEdit, WS_EX_CLIENTEDGE, 20, 141, 393, 24, "",
     Font::Form},
    {&TForm1::ButtonRefTeX, kIdButtonRefTeX, "Button", kButton, 0, 421, 141, 81, 25, kButtonRefTeX,
     Font::Button},
    {&TForm1::EditTexmf, kIdEditTexmf, "Edit", kEdit, WS_EX_CLIENTEDGE, 20, 197, 393, 24, "",
     Font::Form},
    {&TForm1::ButtonRefTexmf, kIdButtonRefTexmf, "Button", kButton, 0, 421, 197, 81, 25,
     kButtonRefTexmf, Font::Button},
    {&TForm1::CheckBoxSrc, kIdCheckBoxSrc, "Button", kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 20,
     238, 313, 17, kCheckBoxSrc, Font::Form},
    {&TForm1::Label1, kIdLabel1, "Static", kChild | WS_GROUP | SS_LEFT, 0, 18, 4, 397, 48, kLabel1,
     Font::Form},
    {&TForm1::Label5, kIdLabel5, "Static", kLabel, 0, 18, 63, 280, 16, kLabel5, Font::Form},
    {&TForm1::Label3, kIdLabel3, "Static", kLabel, 0, 18, 120, 252, 16, kLabel3, Font::Form},
    {&TForm1::Label4, kIdLabel4, "Static", kLabel, 0, 18, 177, 227, 16, kLabel4, Font::Form},
    {&TForm1::Label2, kIdLabel2, "Static", kLabel | SS_CENTERIMAGE, 0, 20, 274, 330, 16, kLabel2,
     Font::Form},
};

// The labels are bound to no control. The dialog manager moves the focus
// on for Alt and the underlined character of any static it finds, so the
// labels do not answer as statics; the "&" still underlines.
LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
  if (message == WM_GETDLGCODE) return 0;
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(label, LabelProc, 0);
  return ::DefSubclassProc(label, message, wParam, lParam);
}

UniqueFont MakeFont(int height) {
  UniqueFont font(::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, kFontFace));
  if (!font) ThrowLastError(kFontFace);
  return font;
}

WNDCLASSEXA FormClass(HINSTANCE instance, WNDPROC windowProc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  // The dialog manager keeps its state in these bytes: tab, Enter and the
  // default button behave as in any dialog.
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  return wc;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// What the Execute action sees of the window.
class ExecForm : public SetupForm {
 public:
  explicit ExecForm(TForm1& form) : form_(form) {}

  std::string FieldText(PathField field) const override {
    switch (field) {
      case PathField::Nibwell:
        return WindowText(form_.EditNwPath);
      case PathField::Latex:
        return WindowText(form_.EditTeXPath);
      case PathField::Texmf:
        return WindowText(form_.EditTexmf);
    }
    return {};
  }
  bool SrcChecked() const override {
    return ::SendMessageA(form_.CheckBoxSrc, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void CloseForm() override { form_.Close(); }
  void ShowMessage(std::string_view text) override {
    ShowMessageBox(form_.Handle(), std::string(text).c_str());
  }

 private:
  TForm1& form_;
};

}  // namespace

TForm1::TForm1(HINSTANCE instance)
    : OpenDialog1(kOpenDialog1Filter,
                  OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING),
      OpenDialog2(kOpenDialog2Filter, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING),
      windowClass_(FormClass(instance, &TForm1::WindowProc)),
      font_(MakeFont(kFontHeight)),
      buttonFont_(MakeFont(kButtonFontHeight)) {
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - kFormWidth) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - kFormHeight) / 2;
  // The window takes ownership of itself in WM_NCCREATE.
  if (!::CreateWindowExA(0, kFormClass, kAppTitle, WS_OVERLAPPEDWINDOW, left, top, kFormWidth,
                         kFormHeight, nullptr, nullptr, instance, this)) {
    ThrowLastError(kFormClass);
  }
  CreateControls(instance);
  ::SendMessageA(Handle(), DM_SETDEFID, kIdButtonExec, 0);
  FillDefaults();
}

void TForm1::CreateControls(HINSTANCE instance) {
  for (const ControlLayout& c : kControls) {
    HWND control = ::CreateWindowExA(
        c.exStyle, c.className, c.text, c.style, c.left, c.top, c.width, c.height, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
    if (!control) ThrowLastError(c.className);
    const HFONT font = c.font == Font::Button ? buttonFont_.get() : font_.get();
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (c.className == std::string_view("Static")) {
      ::SetWindowSubclass(control, LabelProc, 0, 0);
    }
    this->*c.member = control;
  }
}

void TForm1::FillDefaults() {
  const struct {
    HWND edit;
    std::string_view path;
  } defaults[] = {
      {EditNwPath, kDefaultNwPath},
      {EditTeXPath, kDefaultTeXPath},
      {EditTexmf, kDefaultTexmfPath},
  };
  for (const auto& d : defaults) {
    const std::string path(d.path);
    if (platform_.IsFile(path)) ::SetWindowTextA(d.edit, path.c_str());
  }
  ::SendMessageA(CheckBoxSrc, BM_SETCHECK, BST_CHECKED, 0);
}

void TForm1::Show(int showCommand) {
  ::ShowWindow(Handle(), showCommand);
  // Underlined characters are part of the texts, shown before Alt is used.
  ::SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
  ::SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(EditNwPath), TRUE);
  ::UpdateWindow(Handle());
}

void TForm1::Close() {
  if (Handle()) ::SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::ButtonRefNwClick(HWND Sender) {
  if (!OpenDialog1.Execute(Handle())) return;
  ::SetWindowTextA(Sender == ButtonRefTeX ? EditTeXPath : EditNwPath,
                   OpenDialog1.FileName().c_str());
}

void TForm1::ButtonRefTexmfClick(HWND) {
  if (!OpenDialog2.Execute(Handle())) return;
  ::SetWindowTextA(EditTexmf, OpenDialog2.FileName().c_str());
}

void TForm1::ButtonExecClick(HWND) {
  ExecForm form(*this);
  RunExecAction(form, paths_, platform_);
}

void TForm1::ButtonCloseClick(HWND) { Close(); }

void TForm1::Command(int id, HWND control) {
  switch (id) {
    case kIdButtonRefNw:
    case kIdButtonRefTeX:
      ButtonRefNwClick(control);
      break;
    case kIdButtonRefTexmf:
      ButtonRefTexmfClick(control);
      break;
    case kIdButtonExec:
      ButtonExecClick(control);
      break;
    case kIdButtonClose:
      ButtonCloseClick(control);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->window_.reset(window);
  }
  auto* form = reinterpret_cast<TForm1*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form) return ::DefDlgProcA(window, message, wParam, lParam);
  try {
    return form->HandleMessage(window, message, wParam, lParam);
  } catch (const std::exception& error) {
    // The event boundary: the action ends here and the window stays open.
    ShowErrorBox(window, error.what());
    return 0;
  }
}

LRESULT TForm1::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam && HIWORD(wParam) == BN_CLICKED) {
        Command(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
      }
      return 0;
    case WM_CLOSE:
      // Not to the dialog manager, which would turn it into IDCANCEL.
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      window_.release();
      break;
    default:
      break;
  }
  return ::DefDlgProcA(window, message, wParam, lParam);
}

void ShowMessageBox(HWND owner, const char* text) { ::MessageBoxA(owner, text, kAppTitle, MB_OK); }

void ShowErrorBox(HWND owner, const char* text) {
  ::MessageBoxA(owner, text, kAppTitle, MB_OK | MB_ICONERROR);
}

}  // namespace nw::window
