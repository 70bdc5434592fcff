// The notification-area icon: one icon in the taskbar's notification area,
// whose shell notifications become ordinary events, and the questions about
// the taskbar that go with it (its windows, whether policies allow icons and
// balloon tips).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/unique_handle_win.h"
#include "base/window_win.h"
#include "components/tray_icon.h"

namespace tdialix {

// How the component reaches the shell: Shell_NotifyIconW unless a test puts
// a recorder in front of it.
using TShellNotifyIcon = std::function<BOOL(DWORD message, NOTIFYICONDATAW* data)>;

// The version the system reports (the program's manifest lets it tell the truth).
TWindowsVersion CurrentWindowsVersion();

// The menu shown when the icon is right-clicked.
struct TTrayPopupMenu {
  HMENU Menu = nullptr;     // not owned
  HWND Window = nullptr;    // receives the menu's WM_COMMAND; none: the owner window
  bool AutoPopup = true;    // off: a right click raises OnContextPopup only
};

class TWRTaskTrayIcon : private TWindow {
 public:
  // owner: the window that owns the menu and the fallback balloon dialogs
  // (may be none). version: as reported by the system unless given.
  explicit TWRTaskTrayIcon(HWND owner = nullptr, TShellNotifyIcon shell = {},
                           TWindowsVersion version = CurrentWindowsVersion());
  ~TWRTaskTrayIcon() override;

  // Messages registered once per process: the icon's callback message and
  // the shell's notice that the taskbar was rebuilt.
  static UINT CallbackMessage();
  static UINT TaskbarCreatedMessage();

  bool Visible() const noexcept { return State.Visible(); }
  void SetVisible(bool visible);
  const std::wstring& Hint() const noexcept { return State.Hint(); }
  void SetHint(std::wstring_view hint);
  // Icons are copied; an empty icon shows the program's "MAINICON".
  HICON Icon() const noexcept { return FIcon.Get(); }
  void SetIcon(HICON icon);
  // Empty: the balloon shows the standard icon of BalloonFlags.
  HICON BalloonIcon() const noexcept { return FBalloonIcon.Get(); }
  void SetBalloonIcon(HICON icon);
  const std::wstring& BalloonHint() const noexcept { return State.BalloonHint(); }
  void SetBalloonHint(std::wstring_view text);
  const std::wstring& BalloonTitle() const noexcept { return State.BalloonTitle(); }
  void SetBalloonTitle(std::wstring_view text);
  TBalloonFlags BalloonFlags() const noexcept { return State.BalloonFlags(); }
  void SetBalloonFlags(TBalloonFlags flags);
  const TTrayPopupMenu& PopupMenu() const noexcept { return FPopupMenu; }
  void SetPopupMenu(const TTrayPopupMenu& menu) { FPopupMenu = menu; }

  // Shows the balloon built from the balloon properties; when the shell
  // refuses it, a task dialog or a message box says the same. Nothing at all
  // happens while the icon is not shown.
  void ShowBalloonHint();

  // The taskbar's windows, looked up on every call; none where the shell has no such window.
  static HWND TaskBarHandle();
  static HWND TrayNotifyHandle();
  static HWND NotifyToolBarHandle();
  static HWND TrayClockHandle();
  // The notification area exists and the user's policy allows icons in it.
  bool EnableTaskTrayIcon() const;
  bool EnableBalloonHints() const;

  const NOTIFYICONDATAW& NotifyIconData() const noexcept { return Data; }

  // Events. Mouse positions are in screen coordinates.
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;
  // Before the popup menu; setting handled keeps the menu closed.
  std::function<void(POINT cursor, bool& handled)> OnContextPopup;
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(TShiftState shift, int x, int y)> OnMouseMove;
  std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
  // The taskbar was rebuilt (a shown icon has been added again).
  std::function<void()> OnRecreate;
  std::function<void()> OnBalloonShow;
  std::function<void()> OnBalloonHide;
  std::function<void()> OnBalloonClick;

 private:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool UpdateNotifyIcon(TNotifyRequest request);
  void Request(const std::optional<TNotifyRequest>& request);
  void FillRecord();
  void Perform(const TTrayAction& action);
  void ContextPopup();
  HWND OwnerWindow() const;

  HWND Owner;
  TShellNotifyIcon Shell;
  TTrayIconState State;
  TTrayClickSequencer Clicks;
  NOTIFYICONDATAW Data{};
  TUniqueIcon FIcon;
  TUniqueIcon FBalloonIcon;
  TTrayPopupMenu FPopupMenu;
};

// The user's settings that allow notification icons and balloon tips; a
// setting that cannot be read allows.
bool TrayIconsAllowedByPolicy();
bool BalloonTipsAllowedBySetting();

}  // namespace tdialix
