#include "components/form_win.h"

#include <commctrl.h>

#include <cstring>
#include <stdexcept>
#include <utility>

#include "base/dpi.h"
#include "base/dpi_win.h"
#include "base/failure_win.h"
#include "base/trace_win.h"
#include "base/window_win.h"
#include "components/standard_controls_win.h"
#include "components/tray_icon_win.h"

namespace tdialix {

static_assert(syscommand::Size == SC_SIZE && syscommand::Move == SC_MOVE && syscommand::Minimize == SC_MINIMIZE &&
              syscommand::Maximize == SC_MAXIMIZE && syscommand::NextWindow == SC_NEXTWINDOW &&
              syscommand::PrevWindow == SC_PREVWINDOW && syscommand::Close == SC_CLOSE &&
              syscommand::Restore == SC_RESTORE);
static_assert(mrOk == IDOK && mrCancel == IDCANCEL && mrAbort == IDABORT && mrRetry == IDRETRY &&
              mrIgnore == IDIGNORE && mrYes == IDYES && mrNo == IDNO && mrClose == IDCLOSE);

namespace {

constexpr int kFirstControlId = 1000;

void InitializeCommonControls() {
  static const bool initialized = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES |
                                                       ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
    return ::InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)initialized;
}

// A dialog class of our own: the dialog manager's window procedure, the
// room it keeps in every dialog window, and the form's name.
void RegisterFormClass(const std::wstring& name) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  if (::GetClassInfoExW(instance, name.c_str(), &info)) return;
  info = {};
  info.cbSize = sizeof info;
  info.style = CS_DBLCLKS;
  info.lpfnWndProc = &::DefDlgProcW;
  info.cbWndExtra = DLGWINDOWEXTRA;
  info.hInstance = instance;
  info.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  info.lpszClassName = name.c_str();
  if (!::RegisterClassExW(&info)) throw std::runtime_error("A dialog class could not be registered.");
}

TRect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

MONITORINFO MonitorOf(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ::GetMonitorInfoW(monitor, &info);
  return info;
}

}  // namespace

std::vector<DWORD> DialogTemplate(DWORD style, DWORD exStyle, const std::wstring& className,
                                  const std::wstring& caption) {
  // The header (its size is set once the form knows its DPI), no menu, the
  // class and the caption, each text ending in a NUL; the system wants the
  // template aligned on a DWORD.
  DLGTEMPLATE header{};
  header.style = style;
  header.dwExtendedStyle = exStyle;
  std::vector<WORD> words(sizeof header / sizeof(WORD));
  std::memcpy(words.data(), &header, sizeof header);
  words.push_back(0);
  for (const std::wstring* text : {&className, &caption}) {
    words.insert(words.end(), text->begin(), text->end());
    words.push_back(0);
  }
  std::vector<DWORD> aligned((words.size() + 1) / 2, 0);
  std::memcpy(aligned.data(), words.data(), words.size() * sizeof(WORD));
  return aligned;
}

TWRApplication& TWRApplication::Instance() {
  static TWRApplication application;
  return application;
}

void TWRApplication::SetHint(std::wstring_view hint) {
  if (FHint == hint) return;
  FHint = hint;
  if (OnHint) OnHint(FHint);
}

void TWRApplication::ShowHelp(int context) {
  // Help is asked for from window procedures and dialog hooks: nothing may escape.
  try {
    if (OnHelp) OnHelp(context);
  } catch (...) {
    HandleCurrentException();
  }
}

TWRForm::TWRForm(std::wstring className) : FClassName(std::move(className)) {}

TWRForm::~TWRForm() { Release(); }

void TWRForm::Layout(std::initializer_list<TLayoutEntry> entries) {
  Entries.clear();
  for (const TLayoutEntry& entry : entries) Entries.push_back(entry);
}

void TWRForm::CreateForm(HWND owner) {
  if (Window) return;
  InitializeCommonControls();
  RegisterFormClass(FClassName);
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME | DS_3DLOOK;
  if (BorderStyle == TFormBorderStyle::bsSizeable) style = (style & ~DS_MODALFRAME) | WS_THICKFRAME;
  const std::vector<DWORD> dialog = DialogTemplate(style, WS_EX_CONTROLPARENT, FClassName, Caption);
  FOwner = owner;
  ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), owner,
                               &DialogProc, reinterpret_cast<LPARAM>(this));
  if (!Window) throw std::runtime_error("A dialog could not be created.");
}

void TWRForm::Show(HWND owner) {
  CreateForm(owner);
  if (::IsWindowVisible(Window)) return;
  Trace(L"dialog-open " + FClassName);
  ::ShowWindow(Window, SW_SHOW);
  SnapPointer();
  FormShow();
}

int TWRForm::ShowModal() {
  if (Window && ::IsWindowVisible(Window)) return mrNone;  // already open
  const HWND owner = ModalOwner();
  CreateForm(owner);
  FModalResult = mrNone;
  const bool disableOwner = owner && ::IsWindowEnabled(owner);
  if (disableOwner) ::EnableWindow(owner, FALSE);
  Trace(L"dialog-open " + FClassName);
  ::ShowWindow(Window, SW_SHOW);
  SnapPointer();
  FormShow();

  MSG message;
  while (Window && FModalResult == mrNone) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the quit message is for the outer loop.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    // F1 reaches the form as WM_HELP from the control with the focus.
    if (!Window || !::IsDialogMessageW(Window, &message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  const int result = FModalResult != mrNone ? FModalResult : mrCancel;
  // The owner takes the activation back before the form goes.
  if (disableOwner) ::EnableWindow(owner, TRUE);
  if (Window) ::ShowWindow(Window, SW_HIDE);
  Trace(L"dialog-close " + FClassName + L" " + std::to_wstring(result));
  Release();
  FModalResult = result;
  return result;
}

void TWRForm::Release() {
  if (!Window) return;
  const HWND window = Window;
  Destroying = true;
  ::DestroyWindow(window);
  Destroying = false;
  Window = nullptr;
  BigIcon.Reset();
  SmallIcon.Reset();
}

void TWRForm::SetClientSize(TSize size) {
  ClientSize = size;
  if (Window) ApplyClientSize();
}

void TWRForm::SetModalResult(int result) { FModalResult = result; }

void TWRForm::Close() {
  if (Window) ::PostMessageW(Window, WM_CLOSE, 0, 0);
}

HWND TWRForm::ModalOwner() const {
  const HWND active = ::GetActiveWindow();
  return active ? active : Owner;
}

TWRButton* TWRForm::DefaultButton() const {
  for (const TLayoutEntry& entry : Entries) {
    if (entry.Control.IsPushButton() && static_cast<TWRButton&>(entry.Control).Default) {
      return &static_cast<TWRButton&>(entry.Control);
    }
  }
  return nullptr;
}

TWRButton* TWRForm::CancelButton() const {
  for (const TLayoutEntry& entry : Entries) {
    if (entry.Control.IsPushButton() && static_cast<TWRButton&>(entry.Control).Cancel) {
      return &static_cast<TWRButton&>(entry.Control);
    }
  }
  return nullptr;
}

INT_PTR CALLBACK TWRForm::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWRForm* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<TWRForm*>(lParam);
    ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->Window = window;
  } else {
    self = reinterpret_cast<TWRForm*>(::GetWindowLongPtrW(window, DWLP_USER));
  }
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, DWLP_USER, 0);
    self->Window = nullptr;
    return FALSE;
  }
  try {
    if (message == WM_INITDIALOG) {
      self->InitializeDialog();
      return FALSE;  // the form has set the focus
    }
    const std::optional<LRESULT> result = self->HandleMessage(message, wParam, lParam);
    if (!result) return FALSE;
    switch (message) {
      // These answer through the dialog procedure's own result.
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORDLG:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX:
      case WM_CTLCOLORSCROLLBAR:
      case WM_CTLCOLORSTATIC:
      case WM_COMPAREITEM:
      case WM_VKEYTOITEM:
      case WM_CHARTOITEM:
      case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(*result);
      default:
        ::SetWindowLongPtrW(window, DWLP_MSGRESULT, *result);
        return TRUE;
    }
  } catch (...) {
    HandleCurrentException();
    return FALSE;
  }
}

void TWRForm::InitializeDialog() {
  // The form is laid out for the monitor it opens on; a move to a monitor
  // of another scale lays it out again.
  KeepDialogScaling(Window);
  FDpi = DpiForMonitor(FormMonitor(FOwner));
  MakeFont();
  ::SendMessageW(Window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);
  DisableInputMethod(Window);

  // The controls that size themselves look at the room their parent leaves.
  ApplyClientSize();
  int nextId = kFirstControlId;
  for (const TLayoutEntry& entry : Entries) {
    POINT offset{0, 0};
    HWND parent = entry.Parent ? entry.Parent->ContainerFor(offset) : nullptr;
    if (!parent) parent = Window;
    const int id = entry.Id != 0 ? entry.Id : nextId;
    ++nextId;
    entry.Control.Create(*this, parent, entry.Spec, id, offset);
  }
  FormCreate();
  ApplyClientSize();
  PlaceForm(FOwner);
  if (BorderStyle == TFormBorderStyle::bsDialog) SetApplicationIcon();

  SetDefaultFrame(DefaultButton());
  HWND first = ActiveControl && ActiveControl->Handle() ? ActiveControl->Handle()
                                                          : ::GetNextDlgTabItem(Window, nullptr, FALSE);
  if (first) ::SendMessageW(Window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

void TWRForm::ApplyClientSize() {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(Window, GWL_EXSTYLE));
  RECT frame{0, 0, Scaled(ClientSize.cx), Scaled(ClientSize.cy)};
  AdjustWindowRectForDpi(frame, style, exStyle, FDpi);
  ::SetWindowPos(Window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWRForm::MakeFont() {
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof FFontInfo, &FFontInfo);
  if (UsesDialogFontFace(CurrentWindowsVersion())) {
    lstrcpynW(FFontInfo.lfFaceName, kDialogFontFace, LF_FACESIZE);
    // "Meiryo UI" carries the Japanese script; the GUI font may name another.
    FFontInfo.lfCharSet = DEFAULT_CHARSET;
  }
  // The stock font is made for the screen as a whole.
  FFontInfo.lfHeight = FontHeightAtDpi(FFontInfo.lfHeight, SystemDpi(), FDpi);
  FFont.Reset(::CreateFontIndirectW(&FFontInfo));
}

HMONITOR TWRForm::FormMonitor(HWND owner) {
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) return ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST);
  // A hidden owner (the program's master window) has no place: the form
  // opens where the user is working.
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return ::MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY);
}

void TWRForm::PlaceForm(HWND owner) {
  RECT window{};
  ::GetWindowRect(Window, &window);
  const TSize size{window.right - window.left, window.bottom - window.top};
  const bool ownerShown = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
  const MONITORINFO info = MonitorOf(FormMonitor(owner));
  TRect placed = ToRect(window);
  switch (Position) {
    case TFormPosition::poDesigned:
      break;
    case TFormPosition::poScreenCenter:
      placed = CenteredRect(size, ToRect(info.rcMonitor));
      break;
    case TFormPosition::poOwnerFormCenter: {
      RECT area = info.rcMonitor;
      if (ownerShown) ::GetWindowRect(owner, &area);
      placed = CenteredRect(size, ToRect(area));
      break;
    }
  }
  placed = KeptInsideWorkArea(placed, ToRect(info.rcWork));
  ::SetWindowPos(Window, nullptr, placed.Left, placed.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWRForm::SetApplicationIcon() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto load = [instance](int size) {
    return TUniqueIcon(static_cast<HICON>(::LoadImageW(instance, L"MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  };
  BigIcon = load(LargeIconSize(FDpi));
  if (BigIcon) ::SendMessageW(Window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(BigIcon.Get()));
  // From Windows Vista on the caption shows the small icon, drawn at its own size.
  if (CurrentWindowsVersion().AtLeast(6, 0)) {
    SmallIcon = load(SmallIconSize(FDpi));
    if (SmallIcon) ::SendMessageW(Window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallIcon.Get()));
  }
}

void TWRForm::SnapPointer() {
  BOOL snap = FALSE;
  if (!::SystemParametersInfoW(SPI_GETSNAPTODEFBUTTON, 0, &snap, 0) || !snap) return;
  std::vector<TSnapCandidate> candidates;
  std::vector<TWRButton*> buttons;
  for (size_t i = 0; i < Entries.size(); ++i) {
    const TLayoutEntry& entry = Entries[i];
    if (!entry.Control.IsPushButton() || !entry.Control.Handle() || !::IsWindowVisible(entry.Control.Handle())) continue;
    int tabOrder = 0;
    for (size_t k = 0; k < i; ++k) tabOrder += Entries[k].Parent == entry.Parent ? 1 : 0;
    auto& button = static_cast<TWRButton&>(entry.Control);
    candidates.push_back({button.Default, button.Cancel, tabOrder});
    buttons.push_back(&button);
  }
  const std::optional<size_t> target = SnapButton(candidates);
  if (!target) return;
  RECT r{};
  ::GetWindowRect(buttons[*target]->Handle(), &r);
  ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void TWRForm::KeepInsideWorkArea() {
  if (!Window || Position == TFormPosition::poDesigned) return;
  RECT window{};
  ::GetWindowRect(Window, &window);
  const MONITORINFO info = MonitorOf(::MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST));
  const TRect kept = KeptInsideWorkArea(ToRect(window), ToRect(info.rcWork));
  if (kept == ToRect(window)) return;
  ::SetWindowPos(Window, nullptr, kept.Left, kept.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<LRESULT> TWRForm::FormProc(UINT, WPARAM, LPARAM) { return std::nullopt; }

std::optional<LRESULT> TWRForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (Destroying) return std::nullopt;
  if (const std::optional<LRESULT> result = FormProc(message, wParam, lParam)) return result;
  if (const std::optional<LRESULT> result = ReflectNotification(Window, message, wParam, lParam)) return result;
  switch (message) {
    case WM_COMMAND:
      Command(wParam, lParam);
      return 0;
    case WM_MENUSELECT:
      MenuSelect(wParam, lParam);
      return 0;
    case WM_EXITMENULOOP:
      TWRApplication::Instance().SetHint(L"");
      return std::nullopt;
    case WM_GETMINMAXINFO:
      SizeLimits(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_DISPLAYCHANGE:
      KeepInsideWorkArea();
      return std::nullopt;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_HELP: {
      const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
      ShowHelpFor(info && info->iContextType == HELPINFO_WINDOW ? static_cast<HWND>(info->hItemHandle) : ::GetFocus());
      return TRUE;
    }
    default:
      return std::nullopt;
  }
}

void TWRForm::Command(WPARAM wParam, LPARAM lParam) {
  // The controls' own notifications went to them; what is left are the
  // dialog manager's commands for Enter and Escape (and the close box).
  if (lParam != 0 && ControlOfWindow(reinterpret_cast<HWND>(lParam))) return;
  switch (LOWORD(wParam)) {
    case IDCANCEL:
      if (TWRButton* cancel = CancelButton(); cancel && cancel->Enabled()) {
        cancel->Click();
      } else {
        SetModalResult(mrCancel);
      }
      break;
    case IDOK:
      if (TWRButton* button = DefaultButton(); button && button->Enabled()) button->Click();
      break;
    default:
      break;
  }
}

void TWRForm::MenuSelect(WPARAM wParam, LPARAM lParam) {
  const UINT flags = HIWORD(wParam);
  std::wstring hint;
  if (!(flags == 0xFFFF && lParam == 0) && (flags & MF_SYSMENU) && !(flags & MF_POPUP)) {
    if (const std::optional<TMsg> text = SystemMenuHint(LOWORD(wParam))) hint = MessageText(*text);
  }
  TWRApplication::Instance().SetHint(hint);
}

void TWRForm::SizeLimits(MINMAXINFO& info) const {
  if (Constraints.MinWidth > 0) info.ptMinTrackSize.x = Scaled(Constraints.MinWidth);
  if (Constraints.MinHeight > 0) info.ptMinTrackSize.y = Scaled(Constraints.MinHeight);
  if (Constraints.MaxWidth > 0) info.ptMaxTrackSize.x = Scaled(Constraints.MaxWidth);
  if (Constraints.MaxHeight > 0) info.ptMaxTrackSize.y = Scaled(Constraints.MaxHeight);
}

void TWRForm::ControlFocused(TWRControl& control) {
  if (!Window) return;
  // A focused push button is what Enter presses, and shows the default frame;
  // elsewhere the form's default button does.
  SetDefaultFrame(control.IsPushButton() ? &static_cast<TWRButton&>(control) : DefaultButton());
  FormControlFocused(control);
}

void TWRForm::SetDefaultFrame(TWRButton* button) {
  ::SendMessageW(Window, DM_SETDEFID, button ? static_cast<WPARAM>(button->Id()) : 0, 0);
  for (const TLayoutEntry& entry : Entries) {
    if (entry.Control.IsPushButton()) static_cast<TWRButton&>(entry.Control).SetDefaultFrame(&entry.Control == button);
  }
}

void TWRForm::ButtonClicked(TWRButton& button) {
  if (button.HelpButton) ShowHelpFor(button.Handle());
  if (button.ModalResult != mrNone) SetModalResult(button.ModalResult);
}

void TWRForm::ShowHelpFor(HWND control) {
  int context = 0;
  for (HWND window = control; window && window != Window && context == 0; window = ::GetParent(window)) {
    if (const TWRControl* owner = ControlOfWindow(window)) context = owner->HelpContext;
  }
  TWRApplication::Instance().ShowHelp(context != 0 ? context : HelpContext);
}

namespace {

BOOL CALLBACK RescaleControl(HWND window, LPARAM data) {
  return CallbackBoundary(FALSE, [&] {
    const auto [fromDpi, toDpi] = *reinterpret_cast<const std::pair<int, int>*>(data);
    if (!ControlOfWindow(window)) return TRUE;  // the inner parts of the system's controls follow their control
    RECT bounds{};
    ::GetWindowRect(window, &bounds);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    const TRect scaled = RescaleRect(ToRect(bounds), fromDpi, toDpi);
    ::SetWindowPos(window, nullptr, scaled.Left, scaled.Top, scaled.Width(), scaled.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
  });
}

BOOL CALLBACK CollectControl(HWND window, LPARAM list) {
  return CallbackBoundary(FALSE, [&] {
    if (TWRControl* control = ControlOfWindow(window)) reinterpret_cast<std::vector<TWRControl*>*>(list)->push_back(control);
    return TRUE;
  });
}

}  // namespace

void TWRForm::DpiChanged(int dpi, const RECT* suggested) {
  // The form already stands at this scale (it was laid out for the monitor it opened on).
  if (!Window || dpi <= 0 || dpi == FDpi) return;
  const std::pair<int, int> scales{FDpi, dpi};
  FDpi = dpi;
  MakeFont();
  ::SendMessageW(Window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);
  std::vector<TWRControl*> controls;
  ::EnumChildWindows(Window, &CollectControl, reinterpret_cast<LPARAM>(&controls));
  for (TWRControl* control : controls) control->UpdateFont();
  ::EnumChildWindows(Window, &RescaleControl, reinterpret_cast<LPARAM>(&scales));
  if (BorderStyle == TFormBorderStyle::bsDialog) SetApplicationIcon();
  if (suggested) {
    ::SetWindowPos(Window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::InvalidateRect(Window, nullptr, TRUE);
  Trace(L"form-dpi " + ClassName() + L" " + std::to_wstring(dpi));
}

}  // namespace tdialix
