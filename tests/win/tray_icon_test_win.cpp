// The notification-area icon against Wine's shell. Every call the component
// makes to the shell goes through a recorder, which passes it on to the real
// Shell_NotifyIconW where the shell's answer matters and answers by itself
// elsewhere (the shell takes about two seconds to remove an icon). Messages
// are sent to the icon's window as the shell sends them.
#include "components/tray_icon_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cwctype>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/unique_handle_win.h"

namespace tdialix {
namespace {

struct TShellCall {
  DWORD Message;
  NOTIFYICONDATAW Data;
  int IconWidth;  // of the icon the call carries, 0 without one
  BOOL Result;
};

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return 0;
  const TUniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bitmap{};
  ::GetObjectW(info.hbmMask, sizeof bitmap, &bitmap);
  return bitmap.bmWidth;
}

// Asks the shell whether it holds the icon: a change of nothing succeeds only
// for an icon it knows.
bool ShellHasIcon(HWND window) {
  NOTIFYICONDATAW probe{};
  probe.cbSize = sizeof probe;
  probe.hWnd = window;
  probe.uID = static_cast<UINT>(reinterpret_cast<UINT_PTR>(window));
  return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

// Handles messages until the condition holds or ten seconds have passed.
bool PumpUntil(const std::function<bool()>& condition) {
  const ULONGLONG deadline = ::GetTickCount64() + 10000;
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (condition()) return true;
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

std::atomic<bool> MarkerElapsed{false};
void CALLBACK MarkerTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  MarkerElapsed = true;
}

// Handles messages until a timer of the given interval, started now, has gone
// off: everything the component's own timers were due to do by then is done.
void PumpFor(UINT milliseconds) {
  MarkerElapsed = false;
  ASSERT_NE(::SetTimer(nullptr, 0, milliseconds, &MarkerTimerProc), 0u);
  ASSERT_TRUE(PumpUntil([] { return MarkerElapsed.load(); }));
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

// A dialog shown on the test's thread, as a watcher on another thread saw it.
struct TSeenDialog {
  std::wstring Title;
  std::vector<std::wstring> Texts;  // of its controls
  bool Has(const std::wstring& text) const {
    for (const std::wstring& t : Texts) {
      if (t == text) return true;
    }
    return false;
  }
};

BOOL CALLBACK CollectText(HWND window, LPARAM texts) {
  reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(WindowText(window));
  return TRUE;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM dialogs) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  if (::IsWindowVisible(window) && std::wstring(name) == L"#32770") {
    reinterpret_cast<std::vector<HWND>*>(dialogs)->push_back(window);
  }
  return TRUE;
}

// Watches the test's thread for dialogs, writes each down and closes it with
// its OK button, so that a modal dialog never blocks the test.
class TDialogWatcher {
 public:
  TDialogWatcher() : ThreadId(::GetCurrentThreadId()), Watcher([this] { Run(); }) {}
  ~TDialogWatcher() { Stop(); }
  std::vector<TSeenDialog> Stop() {
    Stopping = true;
    if (Watcher.joinable()) Watcher.join();
    return Seen;
  }

 private:
  void Run() {
    std::vector<HWND> handled;
    while (!Stopping) {
      std::vector<HWND> dialogs;
      ::EnumThreadWindows(ThreadId, &CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
      for (HWND dialog : dialogs) {
        if (std::find(handled.begin(), handled.end(), dialog) != handled.end()) continue;
        handled.push_back(dialog);
        TSeenDialog seen{WindowText(dialog), {}};
        ::EnumChildWindows(dialog, &CollectText, reinterpret_cast<LPARAM>(&seen.Texts));
        Seen.push_back(seen);
        // A task dialog takes its own message for a button; a message box the command.
        ::PostMessageW(dialog, TDM_CLICK_BUTTON, IDOK, 0);
        for (int i = 0; i < 50 && ::IsWindow(dialog); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (::IsWindow(dialog)) ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  const DWORD ThreadId;
  std::atomic<bool> Stopping{false};
  std::vector<TSeenDialog> Seen;
  std::thread Watcher;
};

// The owner window of the tests: it closes every menu as soon as the menu
// waits for input, and counts the menus and the messages it receives.
struct TOwnerLog {
  int Menus = 0;
  int NullMessages = 0;
};
TOwnerLog OwnerLog;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      ++OwnerLog.Menus;
      break;
    case WM_ENTERIDLE:
      if (wParam == MSGF_MENU) ::EndMenu();
      break;
    case WM_NULL:
      ++OwnerLog.NullMessages;
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

class TrayIconTest : public ::testing::Test {
 protected:
  // Shell calls are passed on to the real shell when this is set, else they
  // succeed without it; a refused flag makes the recorder answer with failure.
  bool PassOn = false;
  DWORD RefusedFlags = 0;
  std::vector<TShellCall> Calls;
  std::vector<std::string> Events;

  TShellNotifyIcon Recorder() {
    return [this](DWORD message, NOTIFYICONDATAW* data) {
      BOOL result = TRUE;
      if (message == NIM_MODIFY && (data->uFlags & RefusedFlags) != 0) {
        result = FALSE;
      } else if (PassOn) {
        result = ::Shell_NotifyIconW(message, data);
      }
      Calls.push_back({message, *data, (data->uFlags & NIF_ICON) && message != NIM_DELETE ? IconWidth(data->hIcon) : 0,
                       result});
      return result;
    };
  }

  std::unique_ptr<TWRTaskTrayIcon> MakeIcon(HWND owner = nullptr, TWindowsVersion version = CurrentWindowsVersion()) {
    auto icon = std::make_unique<TWRTaskTrayIcon>(owner, Recorder(), version);
    auto log = [this](const char* event) { return [this, event] { Events.push_back(event); }; };
    icon->OnClick = log("click");
    icon->OnDblClick = log("dblclick");
    icon->OnRecreate = log("recreate");
    icon->OnBalloonShow = log("balloon shown");
    icon->OnBalloonHide = log("balloon hidden");
    icon->OnBalloonClick = log("balloon clicked");
    icon->OnMouseDown = [this](TMouseButton button, TShiftState, int, int) {
      Events.push_back(std::string("down ") + ButtonName(button));
    };
    icon->OnMouseUp = [this](TMouseButton button, TShiftState, int, int) {
      Events.push_back(std::string("up ") + ButtonName(button));
    };
    icon->OnMouseMove = [this](TShiftState, int, int) { Events.push_back("move"); };
    icon->OnContextPopup = [this](POINT, bool& handled) {
      Events.push_back("context popup");
      handled = HandleContextPopup;
    };
    return icon;
  }

  // Sends the callback message as the shell does for a mouse or balloon event.
  static void Notify(const TWRTaskTrayIcon& icon, UINT event) {
    const NOTIFYICONDATAW& data = icon.NotifyIconData();
    ::SendMessageW(data.hWnd, data.uCallbackMessage, data.uID, event);
  }

  static const char* ButtonName(TMouseButton button) {
    return button == TMouseButton::mbLeft ? "L" : button == TMouseButton::mbRight ? "R" : "M";
  }

  bool HandleContextPopup = false;
};

using Strings = std::vector<std::string>;

TEST_F(TrayIconTest, IsAddedWithItsHintAndRemovedAgain) {
  PassOn = true;
  auto icon = MakeIcon();
  const HWND window = icon->NotifyIconData().hWnd;
  icon->SetHint(L"2026年12月9日 (水)");
  EXPECT_TRUE(Calls.empty()) << "nothing is told while the icon is not shown";
  EXPECT_FALSE(ShellHasIcon(window));

  icon->SetVisible(true);
  ASSERT_EQ(Calls.size(), 1u);
  const TShellCall& add = Calls[0];
  EXPECT_EQ(add.Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_TRUE(add.Result);
  EXPECT_EQ(add.Data.cbSize, sizeof(NOTIFYICONDATAW));  // the full record of this bitness
  EXPECT_EQ(add.Data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(add.Data.hWnd, window);
  EXPECT_EQ(add.Data.uID, static_cast<UINT>(reinterpret_cast<UINT_PTR>(window)));
  EXPECT_EQ(add.Data.uCallbackMessage, ::RegisterWindowMessageW(L"TWRTaskTrayIcon"));
  EXPECT_EQ(add.Data.dwInfoFlags, static_cast<DWORD>(NIIF_NOSOUND));
  EXPECT_EQ(std::wstring(add.Data.szTip), L"2026年12月9日 (水)");
  // The program's own icon, at the small-icon size of the system.
  EXPECT_EQ(add.IconWidth, ::GetSystemMetrics(SM_CXSMICON));
  EXPECT_TRUE(ShellHasIcon(window));
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  EXPECT_EQ(std::wstring(className), L"TWRTaskTrayIcon");
  EXPECT_EQ(::GetParent(window), nullptr) << "a top-level window hears the shell's broadcasts";

  icon->SetVisible(false);
  ASSERT_EQ(Calls.size(), 2u);
  EXPECT_EQ(Calls[1].Message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_TRUE(Calls[1].Result);
  EXPECT_FALSE(ShellHasIcon(window));

  icon.reset();
  EXPECT_EQ(Calls.size(), 2u) << "a hidden icon is not deleted twice";
}

TEST_F(TrayIconTest, DestroyingAShownIconRemovesIt) {
  PassOn = true;
  auto icon = MakeIcon();
  const HWND window = icon->NotifyIconData().hWnd;
  icon->SetVisible(true);
  ASSERT_TRUE(ShellHasIcon(window));
  icon.reset();
  ASSERT_EQ(Calls.size(), 2u);
  EXPECT_EQ(Calls[1].Message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_TRUE(Calls[1].Result);
  EXPECT_FALSE(::IsWindow(window));
}

TEST_F(TrayIconTest, TellsTheShellOfChangesOnly) {
  PassOn = true;
  auto icon = MakeIcon();
  icon->SetHint(L"9日");
  icon->SetVisible(true);
  icon->SetVisible(true);
  icon->SetHint(L"9日");
  icon->SetBalloonHint(L"本文");
  icon->SetBalloonTitle(L"題");
  icon->SetBalloonFlags(TBalloonFlags::bfInfo);
  ASSERT_EQ(Calls.size(), 1u) << "only the add";

  icon->SetHint(L"10日");
  ASSERT_EQ(Calls.size(), 2u);
  EXPECT_EQ(Calls[1].Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(Calls[1].Data.uFlags, static_cast<UINT>(NIF_TIP));
  EXPECT_EQ(std::wstring(Calls[1].Data.szTip), L"10日");
  EXPECT_TRUE(Calls[1].Result) << "the shell knows the icon";

  // A new icon, taken at the small-icon size whatever its own size.
  icon->SetIcon(::LoadIconW(nullptr, IDI_INFORMATION));
  ASSERT_EQ(Calls.size(), 3u);
  EXPECT_EQ(Calls[2].Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(Calls[2].Data.uFlags, static_cast<UINT>(NIF_ICON));
  EXPECT_EQ(Calls[2].IconWidth, ::GetSystemMetrics(SM_CXSMICON));
  EXPECT_TRUE(Calls[2].Result);
  EXPECT_NE(icon->Icon(), nullptr);

  icon->SetVisible(false);
  ASSERT_EQ(Calls.size(), 4u);
  icon->SetHint(L"11日");
  icon->SetIcon(nullptr);
  EXPECT_EQ(Calls.size(), 4u) << "a hidden icon tells the shell nothing";
  EXPECT_EQ(std::wstring(icon->NotifyIconData().szTip), L"11日") << "but keeps its record filled";
}

TEST_F(TrayIconTest, RecordTextsFitTheirFields) {
  auto icon = MakeIcon();
  icon->SetHint(std::wstring(200, L'x'));
  icon->SetBalloonTitle(L"一行目\r\n二行目");
  icon->SetBalloonHint(std::wstring(300, L'y'));
  const NOTIFYICONDATAW& data = icon->NotifyIconData();
  EXPECT_EQ(std::wstring(data.szTip), std::wstring(127, L'x'));
  EXPECT_EQ(std::wstring(data.szInfoTitle), L"一行目 二行目");
  EXPECT_EQ(std::wstring(data.szInfo), std::wstring(255, L'y'));
  EXPECT_EQ(icon->Hint(), std::wstring(200, L'x')) << "the property keeps the whole text";

  // A shorter text leaves nothing of the longer one behind its terminator.
  icon->SetHint(L"ab");
  EXPECT_EQ(data.szTip[2], L'\0');
  EXPECT_EQ(data.szTip[3], L'\0');
}

TEST_F(TrayIconTest, ClickComesAfterTheDoubleClickTimeAndNeverWithADoubleClick) {
  auto icon = MakeIcon();
  icon->SetVisible(true);

  Notify(*icon, WM_LBUTTONDOWN);
  Notify(*icon, WM_LBUTTONUP);
  EXPECT_EQ(Events, (Strings{"down L", "up L"})) << "the click waits for the double-click time";
  ASSERT_TRUE(PumpUntil([&] { return Events.size() == 3; }));
  EXPECT_EQ(Events, (Strings{"down L", "up L", "click"}));

  Events.clear();
  Notify(*icon, WM_LBUTTONDOWN);
  Notify(*icon, WM_LBUTTONUP);
  Notify(*icon, WM_LBUTTONDBLCLK);
  Notify(*icon, WM_LBUTTONUP);
  PumpFor(2 * ::GetDoubleClickTime());
  EXPECT_EQ(Events, (Strings{"down L", "up L", "dblclick"}));

  // The next click after a double click is an ordinary one again.
  Events.clear();
  Notify(*icon, WM_LBUTTONDOWN);
  Notify(*icon, WM_LBUTTONUP);
  ASSERT_TRUE(PumpUntil([&] { return Events.size() == 3; }));
  EXPECT_EQ(Events, (Strings{"down L", "up L", "click"}));
}

TEST_F(TrayIconTest, ShellMessagesBecomeEvents) {
  const struct {
    UINT Message;
    Strings Events;
  } cases[] = {
      {WM_MOUSEMOVE, {"move"}},
      {WM_RBUTTONDOWN, {"down R"}},
      {WM_RBUTTONUP, {"up R", "context popup"}},
      {WM_MBUTTONDOWN, {"down M"}},
      {WM_MBUTTONUP, {"up M"}},
      {WM_RBUTTONDBLCLK, {}},
      {WM_MBUTTONDBLCLK, {}},
      {NIN_BALLOONSHOW, {"balloon shown"}},
      {NIN_BALLOONHIDE, {"balloon hidden"}},
      {NIN_BALLOONUSERCLICK, {"balloon clicked"}},
      {NIN_BALLOONTIMEOUT, {}},
  };
  auto icon = MakeIcon();
  icon->SetVisible(true);
  for (const auto& c : cases) {
    Events.clear();
    Notify(*icon, c.Message);
    EXPECT_EQ(Events, c.Events) << std::hex << c.Message;
  }
}

TEST_F(TrayIconTest, HiddenIconIgnoresTheShellsMessages) {
  auto icon = MakeIcon();
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, NIN_BALLOONUSERCLICK}) {
    Notify(*icon, message);
  }
  PumpFor(2 * ::GetDoubleClickTime());
  EXPECT_TRUE(Events.empty());
}

TEST_F(TrayIconTest, RebuiltTaskbarGetsTheIconBackAndTellsTheOwner) {
  auto icon = MakeIcon();
  const HWND window = icon->NotifyIconData().hWnd;
  ::SendMessageW(window, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Calls.empty()) << "a hidden icon is not added";
  EXPECT_EQ(Events, Strings{"recreate"});

  icon->SetVisible(true);
  Calls.clear();
  Events.clear();
  ::SendMessageW(window, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(Calls[0].Data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(Events, Strings{"recreate"});
}

TEST_F(TrayIconTest, SettingChangeRebuildsTheShownIcon) {
  auto icon = MakeIcon();
  const HWND window = icon->NotifyIconData().hWnd;
  ::SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
  EXPECT_TRUE(Calls.empty());
  icon->SetVisible(true);
  ::SendMessageW(window, WM_SETTINGCHANGE, 0, 0);
  ASSERT_EQ(Calls.size(), 2u);
  EXPECT_EQ(Calls[1].Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(Calls[1].Data.uFlags, static_cast<UINT>(NIF_ICON));
  EXPECT_EQ(Calls[1].IconWidth, ::GetSystemMetrics(SM_CXSMICON));
}

TEST_F(TrayIconTest, CloseOnlyBeeps) {
  auto icon = MakeIcon();
  const HWND window = icon->NotifyIconData().hWnd;
  EXPECT_EQ(::SendMessageW(window, WM_CLOSE, 0, 0), 0);
  EXPECT_TRUE(::IsWindow(window));
}

class TrayIconMenuTest : public TrayIconTest {
 protected:
  void SetUp() override {
    WNDCLASSW info{};
    info.lpfnWndProc = &OwnerProc;
    info.hInstance = ::GetModuleHandleW(nullptr);
    info.lpszClassName = L"TrayIconTestOwner";
    ::RegisterClassW(&info);
    Owner.Reset(::CreateWindowExW(WS_EX_TOOLWINDOW, L"TrayIconTestOwner", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(Owner);
    Menu.Reset(::CreatePopupMenu());
    ::AppendMenuW(Menu.Get(), MF_STRING, 1, L"終了");
    OwnerLog = {};
  }

  // A right click as the shell reports it; true when a menu was shown.
  bool RightClick(const TWRTaskTrayIcon& icon) {
    const int menus = OwnerLog.Menus;
    Notify(icon, WM_RBUTTONDOWN);
    Notify(icon, WM_RBUTTONUP);
    return OwnerLog.Menus > menus;
  }

  TUniqueWindow Owner;
  TUniqueMenu Menu;
};

TEST_F(TrayIconMenuTest, RightClickShowsTheMenuInTheForeground) {
  auto icon = MakeIcon(Owner.Get());
  icon->SetVisible(true);
  icon->SetPopupMenu({Menu.Get(), nullptr, true});
  ASSERT_TRUE(RightClick(*icon));
  EXPECT_EQ(Events, (Strings{"down R", "up R", "context popup"}));
  EXPECT_EQ(::GetForegroundWindow(), Owner.Get());
  EXPECT_TRUE(icon->PopupMenu().AutoPopup) << "switched on again after the menu";
  ASSERT_TRUE(PumpUntil([] { return OwnerLog.NullMessages > 0; })) << "WM_NULL follows the menu";
}

TEST_F(TrayIconMenuTest, NoMenuWhenHandledSwitchedOffOrMissing) {
  auto icon = MakeIcon(Owner.Get());
  icon->SetVisible(true);

  icon->SetPopupMenu({Menu.Get(), nullptr, true});
  HandleContextPopup = true;
  EXPECT_FALSE(RightClick(*icon)) << "the handler took the click";
  HandleContextPopup = false;

  icon->SetPopupMenu({Menu.Get(), nullptr, false});
  EXPECT_FALSE(RightClick(*icon)) << "automatic popup off";

  icon->SetPopupMenu({});
  EXPECT_FALSE(RightClick(*icon)) << "no menu attached";
  EXPECT_EQ(Events, (Strings{"down R", "up R", "context popup", "down R", "up R", "context popup", "down R", "up R",
                             "context popup"}));
}

TEST_F(TrayIconTest, BalloonGoesToTheShellSilently) {
  auto icon = MakeIcon();
  icon->SetVisible(true);
  icon->SetBalloonTitle(L"予定\r\n会議");
  icon->SetBalloonHint(L"10時から第二会議室");
  icon->SetBalloonFlags(TBalloonFlags::bfWarning);
  TDialogWatcher watcher;
  icon->ShowBalloonHint();
  EXPECT_TRUE(watcher.Stop().empty());
  ASSERT_EQ(Calls.size(), 2u);
  const NOTIFYICONDATAW& data = Calls[1].Data;
  EXPECT_EQ(Calls[1].Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_INFO));
  EXPECT_EQ(std::wstring(data.szInfoTitle), L"予定 会議");
  EXPECT_EQ(std::wstring(data.szInfo), L"10時から第二会議室");
  EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING | NIIF_NOSOUND));
  EXPECT_EQ(data.hBalloonIcon, nullptr);

  // With an icon of its own the balloon shows that one, large.
  icon->SetBalloonIcon(::LoadIconW(nullptr, IDI_APPLICATION));
  icon->ShowBalloonHint();
  ASSERT_EQ(Calls.size(), 3u);
  EXPECT_EQ(Calls[2].Data.dwInfoFlags, static_cast<DWORD>(NIIF_USER | NIIF_LARGE_ICON | NIIF_NOSOUND));
  EXPECT_EQ(Calls[2].Data.hBalloonIcon, icon->BalloonIcon());
  EXPECT_NE(icon->BalloonIcon(), nullptr);
}

TEST_F(TrayIconTest, HiddenIconShowsNoBalloonNorDialog) {
  RefusedFlags = NIF_INFO;
  auto icon = MakeIcon();
  icon->SetBalloonTitle(L"題");
  icon->SetBalloonHint(L"本文");
  TDialogWatcher watcher;
  icon->ShowBalloonHint();
  EXPECT_TRUE(watcher.Stop().empty());
  EXPECT_TRUE(Calls.empty());
}

TEST_F(TrayIconTest, RefusedBalloonFallsBackToADialog) {
  RefusedFlags = NIF_INFO;
  const struct {
    const char* Name;
    TWindowsVersion Version;
    bool MessageBox;  // else a task dialog
  } cases[] = {
      {"task dialog from Vista on", {6, 1}, false},
      {"message box before Vista", {5, 1}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto icon = MakeIcon(nullptr, c.Version);
    icon->SetVisible(true);
    icon->SetBalloonTitle(L"お知らせ");
    icon->SetBalloonHint(L"スタイルを切り替えました。");
    icon->SetBalloonFlags(TBalloonFlags::bfInfo);
    TDialogWatcher watcher;
    icon->ShowBalloonHint();
    const std::vector<TSeenDialog> seen = watcher.Stop();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].Has(L"スタイルを切り替えました。"));
    if (c.MessageBox) {
      EXPECT_EQ(seen[0].Title, L"お知らせ");
    } else {
      EXPECT_NE(seen[0].Title, L"お知らせ") << "the title is the main instruction, not the caption";
      EXPECT_TRUE(seen[0].Has(L"お知らせ"));
    }
  }
}

// ---- The taskbar and the user's settings

// Where the shell lacks one of its windows, the windows below it are not
// looked for among all top-level windows.
TEST(Taskbar, MissingWindowsEndTheSearch) {
  if (TWRTaskTrayIcon::TrayNotifyHandle()) GTEST_SKIP() << "this shell has a notification area window";
  WNDCLASSW info{};
  info.lpfnWndProc = &::DefWindowProcW;
  info.hInstance = ::GetModuleHandleW(nullptr);
  std::vector<TUniqueWindow> strangers;
  for (const wchar_t* name : {L"TrayClockWClass", L"ToolbarWindow32"}) {
    info.lpszClassName = name;
    ::RegisterClassW(&info);
    strangers.emplace_back(
        ::CreateWindowExW(0, name, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, info.hInstance, nullptr));
    ASSERT_TRUE(strangers.back());
    ASSERT_NE(::FindWindowExW(nullptr, nullptr, name, nullptr), nullptr);
  }
  EXPECT_EQ(TWRTaskTrayIcon::TrayClockHandle(), nullptr);
  EXPECT_EQ(TWRTaskTrayIcon::NotifyToolBarHandle(), nullptr);
  EXPECT_EQ(TWRTaskTrayIcon::TaskBarHandle(), ::FindWindowW(L"Shell_TrayWnd", nullptr));

  TWRTaskTrayIcon icon;
  EXPECT_FALSE(icon.EnableTaskTrayIcon()) << "no notification area";
  EXPECT_FALSE(icon.EnableBalloonHints());
}

// Writes a value under the current user for one test case and removes it again.
class TRegistryValue {
 public:
  TRegistryValue(const wchar_t* keyName, const wchar_t* valueName) : ValueName(valueName) {
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, keyName, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
    Key.Reset(key);
    Remove();
  }
  ~TRegistryValue() { Remove(); }
  void Remove() { ::RegDeleteValueW(Key.Get(), ValueName); }
  void SetDword(DWORD value) {
    ::RegSetValueExW(Key.Get(), ValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  void SetText(const wchar_t* text) {
    ::RegSetValueExW(Key.Get(), ValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                     static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
  }
  void SetBinary(DWORD value) {
    ::RegSetValueExW(Key.Get(), ValueName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }

 private:
  TUniqueRegistryKey Key;
  const wchar_t* ValueName;
};

enum class TValue { Missing, Zero, One, Two, Text, Binary };

void Store(TRegistryValue& value, TValue kind) {
  switch (kind) {
    case TValue::Missing: value.Remove(); break;
    case TValue::Zero: value.SetDword(0); break;
    case TValue::One: value.SetDword(1); break;
    case TValue::Two: value.SetDword(2); break;
    case TValue::Text: value.SetText(L"1"); break;
    case TValue::Binary: value.SetBinary(1); break;
  }
}

TEST(TrayPolicy, UnreadableSettingsAllow) {
  const struct {
    TValue Value;
    bool IconsAllowed;
    bool BalloonsAllowed;
  } cases[] = {
      {TValue::Missing, true, true}, {TValue::Zero, true, false},  {TValue::One, false, true},
      {TValue::Two, false, true},    {TValue::Text, true, true},   {TValue::Binary, true, true},
  };
  TRegistryValue noTrayItems(L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                             L"NoTrayItemsDisplay");
  TRegistryValue balloonHints(L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                              L"EnableBalloonHints");
  for (const auto& c : cases) {
    Store(noTrayItems, c.Value);
    Store(balloonHints, c.Value);
    EXPECT_EQ(TrayIconsAllowedByPolicy(), c.IconsAllowed) << static_cast<int>(c.Value);
    EXPECT_EQ(BalloonTipsAllowedBySetting(), c.BalloonsAllowed) << static_cast<int>(c.Value);
  }
}

// The program's manifest, linked into this test program as into TDialix.exe,
// must name this program's processor: otherwise the system hands out the old
// common controls, without themes, task dialogs or link controls. (Wine's
// version number says 5.81 either way; where the library comes from tells.)
TEST(ProgramManifest, GivesThisBitnessCommonControls6) {
  ACTCTX_SECTION_KEYED_DATA redirection{};
  redirection.cbSize = sizeof redirection;
  EXPECT_TRUE(::FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                         &redirection))
      << "comctl32.dll is not redirected to the side-by-side assembly, error " << ::GetLastError();

  const TUniqueModule controls(::LoadLibraryW(L"comctl32.dll"));
  ASSERT_TRUE(controls);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(::GetModuleFileNameW(controls.Get(), path.data(), MAX_PATH));
  std::transform(path.begin(), path.end(), path.begin(), ::towlower);
  EXPECT_NE(path.find(L"common-controls_6595b64144ccf1df_6."), std::wstring::npos) << std::string(path.begin(), path.end());
}

}  // namespace
}  // namespace tdialix
