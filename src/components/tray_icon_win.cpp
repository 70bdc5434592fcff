#include "components/tray_icon_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <stdexcept>

#include "base/dpi_win.h"

namespace tdialix {

static_assert(notify::NimAdd == NIM_ADD && notify::NimModify == NIM_MODIFY && notify::NimDelete == NIM_DELETE);
static_assert(notify::NifMessage == NIF_MESSAGE && notify::NifIcon == NIF_ICON && notify::NifTip == NIF_TIP &&
              notify::NifInfo == NIF_INFO);
static_assert(notify::NiifNone == NIIF_NONE && notify::NiifInfo == NIIF_INFO && notify::NiifWarning == NIIF_WARNING &&
              notify::NiifError == NIIF_ERROR && notify::NiifUser == NIIF_USER &&
              notify::NiifNoSound == NIIF_NOSOUND && notify::NiifLargeIcon == NIIF_LARGE_ICON);
static_assert(notify::NinBalloonShow == NIN_BALLOONSHOW && notify::NinBalloonHide == NIN_BALLOONHIDE &&
              notify::NinBalloonTimeout == NIN_BALLOONTIMEOUT && notify::NinBalloonUserClick == NIN_BALLOONUSERCLICK);
static_assert(notify::WmMouseMove == WM_MOUSEMOVE && notify::WmLButtonDown == WM_LBUTTONDOWN &&
              notify::WmLButtonUp == WM_LBUTTONUP && notify::WmLButtonDblClk == WM_LBUTTONDBLCLK &&
              notify::WmRButtonDown == WM_RBUTTONDOWN && notify::WmRButtonUp == WM_RBUTTONUP &&
              notify::WmRButtonDblClk == WM_RBUTTONDBLCLK && notify::WmMButtonDown == WM_MBUTTONDOWN &&
              notify::WmMButtonUp == WM_MBUTTONUP && notify::WmMButtonDblClk == WM_MBUTTONDBLCLK);
// The shell's sizes of the record for this program's bitness.
static_assert(sizeof(NOTIFYICONDATAW) == notify::RecordLayout.Size);
static_assert(offsetof(NOTIFYICONDATAW, guidItem) == notify::RecordLayout.SizeBeforeVista);
static_assert(sizeof(NOTIFYICONDATAW::szTip) / sizeof(WCHAR) == notify::TipLength + 1 &&
              sizeof(NOTIFYICONDATAW::szInfo) / sizeof(WCHAR) == notify::InfoLength + 1 &&
              sizeof(NOTIFYICONDATAW::szInfoTitle) / sizeof(WCHAR) == notify::InfoTitleLength + 1);

namespace {

constexpr wchar_t kClassName[] = L"TWRTaskTrayIcon";

template <std::size_t N>
void CopyText(WCHAR (&field)[N], const std::u16string& text) {
  const std::size_t length = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), length, field);
  std::fill(field + length, field + N, L'\0');
}

TShiftState ShiftStateNow() {
  TShiftState shift = 0;
  const struct {
    int Key;
    TShiftFlag Flag;
  } keys[] = {{VK_SHIFT, ssShift}, {VK_MENU, ssAlt},      {VK_CONTROL, ssCtrl},
              {VK_LBUTTON, ssLeft}, {VK_RBUTTON, ssRight}, {VK_MBUTTON, ssMiddle}};
  for (const auto& key : keys) {
    if (::GetKeyState(key.Key) < 0) shift |= key.Flag;
  }
  return shift;
}

// The value as a Boolean, or nothing when the key or the value is missing or
// the value is not a number.
std::optional<bool> ReadRegistryBool(const wchar_t* keyName, const wchar_t* valueName) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  const TUniqueRegistryKey owner(key);
  DWORD type = 0, value = 0, size = sizeof value;
  if (::RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value) {
    return std::nullopt;
  }
  return value != 0;
}

using TTaskDialogFunction = HRESULT(WINAPI*)(HWND, HINSTANCE, PCWSTR, PCWSTR, PCWSTR, TASKDIALOG_COMMON_BUTTON_FLAGS,
                                             PCWSTR, int*);

// Shows the task dialog where the system has one; false when it could not.
bool ShowTaskDialog(HWND owner, const std::wstring& instruction, const std::wstring& content, PCWSTR icon) {
  // Looked up at run time: Windows 2000 and XP have no task dialog, and a
  // program importing it would not start there.
  const TUniqueModule commonControls(::LoadLibraryW(L"comctl32.dll"));
  if (!commonControls) return false;
  const auto taskDialog = reinterpret_cast<TTaskDialogFunction>(
      reinterpret_cast<void*>(::GetProcAddress(commonControls.Get(), "TaskDialog")));
  if (!taskDialog) return false;
  int button = 0;
  return SUCCEEDED(taskDialog(owner, nullptr, nullptr, instruction.c_str(), content.c_str(), TDCBF_OK_BUTTON, icon,
                              &button));
}

}  // namespace

TWindowsVersion CurrentWindowsVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!::GetVersionExW(&info)) return {};
  return {static_cast<unsigned>(info.dwMajorVersion), static_cast<unsigned>(info.dwMinorVersion)};
}

UINT TWRTaskTrayIcon::CallbackMessage() {
  static const UINT message = ::RegisterWindowMessageW(kClassName);
  return message;
}

UINT TWRTaskTrayIcon::TaskbarCreatedMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

TWRTaskTrayIcon::TWRTaskTrayIcon(HWND owner, TShellNotifyIcon shell, TWindowsVersion version)
    : Owner(owner),
      Shell(shell ? std::move(shell) : TShellNotifyIcon(&::Shell_NotifyIconW)),
      State(version, CallbackMessage()) {
  // A top-level window, not a message-only one: the shell's "TaskbarCreated"
  // and WM_SETTINGCHANGE are broadcast to top-level windows only.
  RegisterClass(kClassName);
  if (!Create(kClassName, L"", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0, nullptr)) {
    throw std::runtime_error("The notification icon's window could not be created.");
  }
  Data.hWnd = Handle();
  // The window handle doubles as the icon's identifier.
  Data.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(Handle()));
  FillRecord();
}

TWRTaskTrayIcon::~TWRTaskTrayIcon() {
  if (State.Visible()) UpdateNotifyIcon({notify::NimDelete, 0});
}

void TWRTaskTrayIcon::FillRecord() {
  const TNotifyIconRecord& record = State.Record();
  Data.cbSize = record.Size;
  Data.uFlags = record.Flags;
  Data.uCallbackMessage = record.CallbackMessage;
  Data.dwInfoFlags = record.InfoFlags;
  CopyText(Data.szTip, record.Tip);
  CopyText(Data.szInfo, record.Info);
  CopyText(Data.szInfoTitle, record.InfoTitle);
}

bool TWRTaskTrayIcon::UpdateNotifyIcon(TNotifyRequest request) {
  const bool buildsIcon = State.PrepareCall(request);
  FillRecord();
  if (!buildsIcon) return Shell(request.Message, &Data) != FALSE;

  // Built at the small-icon size of the taskbar's scale: the shell would
  // otherwise shrink a large image itself, and badly.
  const int width = NotifyIconSize();
  const int height = width;
  TUniqueIcon icon;
  if (!FIcon) {
    const UINT colour = State.Version().AtLeast(5, 1) ? LR_DEFAULTCOLOR : LR_VGACOLOR;
    icon.Reset(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, width, height, colour)));
  } else {
    icon.Reset(static_cast<HICON>(::CopyImage(FIcon.Get(), IMAGE_ICON, width, height, 0)));
  }
  Data.hIcon = icon.Get();
  const bool result = Shell(request.Message, &Data) != FALSE;
  // The shell keeps a copy of its own; ours is freed here.
  Data.hIcon = nullptr;
  return result;
}

void TWRTaskTrayIcon::Request(const std::optional<TNotifyRequest>& request) {
  FillRecord();
  // The shell's failures are not reported: the properties keep their values,
  // and a rebuilt taskbar adds the icon again.
  if (request) UpdateNotifyIcon(*request);
}

void TWRTaskTrayIcon::SetVisible(bool visible) { Request(State.SetVisible(visible)); }

void TWRTaskTrayIcon::SetHint(std::wstring_view hint) { Request(State.SetHint(hint)); }

void TWRTaskTrayIcon::SetIcon(HICON icon) {
  FIcon.Reset(icon ? ::CopyIcon(icon) : nullptr);
  Request(State.IconChanged());
}

void TWRTaskTrayIcon::SetBalloonIcon(HICON icon) {
  FBalloonIcon.Reset(icon ? ::CopyIcon(icon) : nullptr);
  State.BalloonIconChanged(static_cast<bool>(FBalloonIcon));
  Data.hBalloonIcon = State.Record().BalloonIcon ? FBalloonIcon.Get() : nullptr;
  FillRecord();
}

void TWRTaskTrayIcon::SetBalloonHint(std::wstring_view text) {
  State.SetBalloonHint(text);
  FillRecord();
}

void TWRTaskTrayIcon::SetBalloonTitle(std::wstring_view text) {
  State.SetBalloonTitle(text);
  FillRecord();
}

void TWRTaskTrayIcon::SetBalloonFlags(TBalloonFlags flags) {
  State.SetBalloonFlags(flags);
  FillRecord();
}

HWND TWRTaskTrayIcon::OwnerWindow() const { return Owner && ::IsWindow(Owner) ? Owner : nullptr; }

void TWRTaskTrayIcon::ShowBalloonHint() {
  const std::optional<TNotifyRequest> request = State.ShowBalloon();
  if (!request) return;
  if (UpdateNotifyIcon(*request)) return;

  const HWND owner = OwnerWindow();
  const bool ownIcon = State.Version().Major >= 6 && FBalloonIcon;
  if (State.Version().Major >= 6) {
    PCWSTR icon = nullptr;
    if (!ownIcon) {
      switch (BalloonFlags()) {
        case TBalloonFlags::bfInfo:
          icon = TD_INFORMATION_ICON;
          break;
        case TBalloonFlags::bfWarning:
          icon = TD_WARNING_ICON;
          break;
        case TBalloonFlags::bfError:
          icon = TD_ERROR_ICON;
          break;
        case TBalloonFlags::bfNone:
          break;
      }
    }
    if (ShowTaskDialog(owner, BalloonTitle(), BalloonHint(), icon)) return;
  }
  UINT type = MB_OK;
  if (!ownIcon) {
    switch (BalloonFlags()) {
      case TBalloonFlags::bfInfo:
        type |= MB_ICONINFORMATION;
        break;
      case TBalloonFlags::bfWarning:
        type |= MB_ICONWARNING;
        break;
      case TBalloonFlags::bfError:
        type |= MB_ICONERROR;
        break;
      case TBalloonFlags::bfNone:
        break;
    }
  }
  ::MessageBoxW(owner, BalloonHint().c_str(), BalloonTitle().c_str(), type);
}

namespace {

// A child window of the shell's; none without the parent. (Looking with no
// parent would search every top-level window and could find another
// program's toolbar.)
HWND ShellChild(HWND parent, const wchar_t* className) {
  return parent ? ::FindWindowExW(parent, nullptr, className, nullptr) : nullptr;
}

}  // namespace

HWND TWRTaskTrayIcon::TaskBarHandle() { return ::FindWindowW(L"Shell_TrayWnd", nullptr); }

HWND TWRTaskTrayIcon::TrayNotifyHandle() { return ShellChild(TaskBarHandle(), L"TrayNotifyWnd"); }

HWND TWRTaskTrayIcon::NotifyToolBarHandle() {
  const HWND notifyArea = TrayNotifyHandle();
  HWND parent = ShellChild(notifyArea, L"SysPager");
  if (!::IsWindow(parent)) parent = notifyArea;
  return ShellChild(parent, L"ToolbarWindow32");
}

HWND TWRTaskTrayIcon::TrayClockHandle() { return ShellChild(TrayNotifyHandle(), L"TrayClockWClass"); }

bool TWRTaskTrayIcon::EnableTaskTrayIcon() const {
  return ::IsWindow(TrayNotifyHandle()) && TrayIconsAllowedByPolicy();
}

bool TWRTaskTrayIcon::EnableBalloonHints() const {
  const bool trayIconEnabled = EnableTaskTrayIcon();
  const bool settingAllows = !trayIconEnabled || !State.Version().AtLeast(5, 1) || BalloonTipsAllowedBySetting();
  return BalloonHintsEnabled(trayIconEnabled, settingAllows, State.Version());
}

LRESULT TWRTaskTrayIcon::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A failed registration gives 0, which must not turn WM_NULL into one of ours.
  const UINT callbackMessage = CallbackMessage();
  const UINT taskbarCreated = TaskbarCreatedMessage();
  if (message == WM_CLOSE) {
    // The icon's window lives as long as the component: whoever closes
    // top-level windows (a shutdown helper, another program) gets a beep.
    ::MessageBeep(0);
    return 0;
  }
  if (message == WM_SETTINGCHANGE) {
    const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
    Request(State.SettingsChanged());
    return result;
  }
  if (message == WM_DPICHANGED || message == WM_DISPLAYCHANGE) {
    // The taskbar's scale may have changed: the icon is made again at its size.
    Request(State.IconChanged());
    return 0;
  }
  if (taskbarCreated != 0 && message == taskbarCreated) {
    Request(State.TaskbarCreated());
    if (OnRecreate) OnRecreate();
    return 0;
  }
  if (callbackMessage != 0 && message == callbackMessage && State.Visible()) {
    // Version 0 of the callback convention: lParam is the mouse or balloon message itself.
    for (const TTrayAction& action : Clicks.Message(static_cast<std::uint32_t>(lParam))) Perform(action);
    return 0;
  }
  if (message == WM_TIMER && wParam == reinterpret_cast<UINT_PTR>(this)) {
    for (const TTrayAction& action : Clicks.TimerElapsed()) Perform(action);
    return 0;
  }
  return TWindow::WindowProc(message, wParam, lParam);
}

void TWRTaskTrayIcon::Perform(const TTrayAction& action) {
  using K = TTrayActionKind;
  POINT cursor{};
  switch (action.Kind) {
    case K::taStartClickTimer:
      ::SetTimer(Handle(), reinterpret_cast<UINT_PTR>(this), ::GetDoubleClickTime(), nullptr);
      break;
    case K::taKillClickTimer:
      ::KillTimer(Handle(), reinterpret_cast<UINT_PTR>(this));
      break;
    case K::taMouseMove:
      if (::GetCursorPos(&cursor) && OnMouseMove) OnMouseMove(ShiftStateNow(), cursor.x, cursor.y);
      break;
    case K::taMouseDown:
      if (::GetCursorPos(&cursor) && OnMouseDown) OnMouseDown(action.Button, ShiftStateNow(), cursor.x, cursor.y);
      break;
    case K::taMouseUp:
      if (OnMouseUp) {
        ::GetCursorPos(&cursor);
        OnMouseUp(action.Button, ShiftStateNow(), cursor.x, cursor.y);
      }
      break;
    case K::taClick:
      if (OnClick) OnClick();
      break;
    case K::taDblClick:
      if (OnDblClick) OnDblClick();
      break;
    case K::taContextPopup:
      ContextPopup();
      break;
    case K::taBalloonShow:
      if (OnBalloonShow) OnBalloonShow();
      break;
    case K::taBalloonHide:
      if (OnBalloonHide) OnBalloonHide();
      break;
    case K::taBalloonClick:
      if (OnBalloonClick) OnBalloonClick();
      break;
  }
}

void TWRTaskTrayIcon::ContextPopup() {
  bool handled = false;
  POINT cursor{};
  if (::GetCursorPos(&cursor) && OnContextPopup) OnContextPopup(cursor, handled);
  const TTrayPopupMenu menu = FPopupMenu;
  if (!menu.Menu || handled || !menu.AutoPopup || !::GetCursorPos(&cursor)) return;
  const HWND menuWindow = OwnerWindow() ? OwnerWindow() : menu.Window;
  // A notification menu only closes on a click elsewhere when its window is
  // in the foreground, and only after a message follows the menu (WM_NULL).
  if (!::SetForegroundWindow(menuWindow)) return;
  const HWND commandWindow = menu.Window ? menu.Window : menuWindow;

  // Off while the menu is open, so that a right click meanwhile opens no second one.
  struct TRestoreAutoPopup {
    TTrayPopupMenu& Menu;
    bool AutoPopup;
    ~TRestoreAutoPopup() { Menu.AutoPopup = AutoPopup; }
  } restore{FPopupMenu, FPopupMenu.AutoPopup};
  FPopupMenu.AutoPopup = false;
  ::TrackPopupMenu(menu.Menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, commandWindow, nullptr);
  ::PostMessageW(menuWindow, WM_NULL, 0, 0);
}

bool TrayIconsAllowedByPolicy() {
  const std::optional<bool> hidden =
      ReadRegistryBool(L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", L"NoTrayItemsDisplay");
  return !hidden.value_or(false);
}

bool BalloonTipsAllowedBySetting() {
  return ReadRegistryBool(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", L"EnableBalloonHints")
      .value_or(true);
}

}  // namespace tdialix
