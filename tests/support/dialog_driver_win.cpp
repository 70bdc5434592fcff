#include "dialog_driver_win.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <set>
#include <thread>

#include "base/text.h"
#include "components/control_win.h"
#include "components/link_text.h"
#include "components/spin_edit_win.h"
#include "host_program_win.h"

namespace tdialix {

namespace {

constexpr UINT kDriverTick = 50;         // milliseconds between looks for the dialog
constexpr ULONGLONG kDialogWait = 15000;  // a dialog that has not shown by then never will
constexpr int kCloseAfterTicks = 4;       // a dialog left open after its script closes after this

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopWindowsOf(DWORD processId) {
  std::vector<HWND> all, mine;
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (processId == 0 || owner == processId) mine.push_back(window);
  }
  return mine;
}

// The windows a modal dialog of this thread could be: shown, with a caption.
std::set<HWND> DialogCandidates() {
  std::vector<HWND> windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  std::set<HWND> shown;
  for (HWND window : windows) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    if (::IsWindowVisible(window) && (style & WS_CAPTION) == WS_CAPTION) shown.insert(window);
  }
  return shown;
}

bool SameProcess(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process == ::GetCurrentProcessId();
}

struct TModalDriver {
  std::set<HWND> Before;
  std::function<void(HWND)> Drive;
  ULONGLONG Deadline = 0;
  HWND Dialog = nullptr;
  bool Driving = false;
  bool Driven = false;
  int TicksAfter = 0;
};

std::map<UINT_PTR, TModalDriver*>& Drivers() {
  static std::map<UINT_PTR, TModalDriver*> drivers;
  return drivers;
}

void CALLBACK DriverTick(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = Drivers().find(id);
  if (found == Drivers().end()) return;
  TModalDriver& driver = *found->second;
  if (driver.Driving) return;  // its script runs a dialog of its own
  if (!driver.Driven) {
    for (HWND window : DialogCandidates()) {
      if (!driver.Before.count(window)) driver.Dialog = window;
    }
    if (!driver.Dialog) {
      if (::GetTickCount64() > driver.Deadline) {
        ADD_FAILURE() << "the dialog did not show";
        driver.Driven = true;
      }
      return;
    }
    driver.Driven = true;
    driver.Driving = true;
    try {
      driver.Drive(driver.Dialog);
    } catch (...) {
      ADD_FAILURE() << "the dialog's script threw";
    }
    driver.Driving = false;
    return;
  }
  if (driver.Dialog && ::IsWindow(driver.Dialog) && ::IsWindowVisible(driver.Dialog) &&
      ++driver.TicksAfter >= kCloseAfterTicks) {
    ::PostMessageW(driver.Dialog, WM_CLOSE, 0, 0);
    driver.TicksAfter = 0;
  }
}

// The room a control gives its text, and how DrawText should measure it.
struct TTextRoom {
  bool Checked = false;  // a control whose text is checked
  SIZE Available{};
  UINT Format = 0;
  std::wstring Text;
};

TTextRoom RoomFor(HWND window) {
  TTextRoom room;
  const std::wstring kind = WindowClass(window);
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  const SIZE client = ClientSize(window);
  room.Text = WindowText(window);
  room.Available = client;
  if (room.Text.empty() || !::IsWindowVisible(window)) return room;
  if (_wcsicmp(kind.c_str(), WC_STATICW) == 0) {
    const DWORD type = style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP && type != SS_SIMPLE) {
      return room;
    }
    room.Checked = true;
    room.Format = (type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE) ? DT_SINGLELINE : DT_WORDBREAK;
    if (style & SS_NOPREFIX) room.Format |= DT_NOPREFIX;
  } else if (_wcsicmp(kind.c_str(), WC_BUTTONW) == 0) {
    const DWORD type = style & BS_TYPEMASK;
    room.Checked = true;
    room.Format = DT_SINGLELINE;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
      // The frame and the focus rectangle take their share on each side.
      room.Available.cx -= 2 * (::GetSystemMetrics(SM_CXEDGE) + 3);
      room.Available.cy -= 2 * ::GetSystemMetrics(SM_CYEDGE);
    } else if (type == BS_GROUPBOX) {
      room.Available.cx -= 16;
    } else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
               type == BS_3STATE || type == BS_AUTO3STATE) {
      room.Available.cx -= ::GetSystemMetrics(SM_CXMENUCHECK) + 2;
    } else {
      room.Checked = false;
    }
  } else if (_wcsicmp(kind.c_str(), WC_LINK) == 0) {
    room.Checked = true;
    room.Text = LinkDisplayText(room.Text);
    room.Format = DT_WORDBREAK | DT_NOPREFIX;
  }
  return room;
}

}  // namespace

// ---- Finding

std::vector<HWND> ChildWindows(HWND root) {
  std::vector<HWND> windows;
  if (root) ::EnumChildWindows(root, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND FindControlById(HWND root, int id) {
  for (HWND window : ChildWindows(root)) {
    if (::GetDlgCtrlID(window) == id) return window;
  }
  return nullptr;
}

HWND FindControlByClass(HWND root, std::wstring_view className, int index) {
  for (HWND window : ChildWindows(root)) {
    if (_wcsicmp(WindowClass(window).c_str(), std::wstring(className).c_str()) == 0 && index-- == 0) return window;
  }
  return nullptr;
}

HWND FindControlByText(HWND root, std::wstring_view text) {
  for (HWND window : ChildWindows(root)) {
    if (WindowText(window) == text) return window;
  }
  return nullptr;
}

HWND FindTopWindow(DWORD processId, std::wstring_view className, std::wstring_view title) {
  for (HWND window : TopWindowsOf(processId)) {
    if (!::IsWindowVisible(window) || WindowClass(window) != className) continue;
    if (title.empty() || WindowText(window) == title) return window;
  }
  return nullptr;
}

HWND WaitForTopWindow(DWORD processId, std::wstring_view className, std::wstring_view title, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    if (const HWND window = FindTopWindow(processId, className, title)) return window;
    if (std::chrono::steady_clock::now() > end) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// ---- Reading

std::wstring WindowClass(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

std::wstring WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                        &copied);
  text.resize(std::min<size_t>(copied, length));
  return text;
}

RECT WindowRectIn(HWND window, HWND reference) {
  RECT r{};
  ::GetWindowRect(window, &r);
  if (reference) ::MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE ClientSize(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

bool IsChecked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::wstring> ItemTexts(HWND listOrCombo) {
  const bool combo = _wcsicmp(WindowClass(listOrCombo).c_str(), WC_COMBOBOXW) == 0;
  const auto count = static_cast<int>(::SendMessageW(listOrCombo, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  std::vector<std::wstring> items;
  for (int i = 0; i < count; ++i) {
    const auto length = ::SendMessageW(listOrCombo, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0);
    std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    ::SendMessageW(listOrCombo, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    items.push_back(text);
  }
  return items;
}

int SelectedItem(HWND listOrCombo) {
  const bool combo = _wcsicmp(WindowClass(listOrCombo).c_str(), WC_COMBOBOXW) == 0;
  return static_cast<int>(::SendMessageW(listOrCombo, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

std::optional<LOGFONTW> ControlFont(HWND control) {
  if (!SameProcess(control)) return std::nullopt;
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW info{};
  if (!font || ::GetObjectW(font, sizeof info, &info) != sizeof info) return std::nullopt;
  return info;
}

namespace {

struct TBalloonSearch {
  HWND Edit;
  HWND Found = nullptr;
  TTTOOLINFOW Tool{};
};

BOOL CALLBACK FindBalloon(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TBalloonSearch*>(data);
  if (_wcsicmp(WindowClass(window).c_str(), TOOLTIPS_CLASSW) != 0) return TRUE;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  if (::SendMessageW(window, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == search.Edit) {
    search.Found = window;
    search.Tool = tool;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TBalloonShown SpinBalloon(HWND spinEdit) {
  TBalloonShown shown;
  TBalloonSearch search{spinEdit};
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindBalloon, reinterpret_cast<LPARAM>(&search));
  if (!search.Found) return shown;
  shown.Visible = ::IsWindowVisible(search.Found) != FALSE;
  // The text comes from the balloon; its title and icon from the field,
  // since not every system's tooltips tell their title.
  if (const auto* field = dynamic_cast<const TBaseWRSpinEdit*>(ControlOfWindow(spinEdit))) {
    shown.Title = field->LastBalloon().Title;
    switch (field->LastBalloon().Icon) {
      case TBalloonIcon::biNone: shown.Icon = TTI_NONE; break;
      case TBalloonIcon::biWarning: shown.Icon = TTI_WARNING; break;
      case TBalloonIcon::biError: shown.Icon = TTI_ERROR; break;
    }
  }
  wchar_t text[512] = {};
  TTTOOLINFOW tool = search.Tool;
  tool.lpszText = text;
  ::SendMessageW(search.Found, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
  shown.Text = text;
  RECT balloon{};
  ::GetWindowRect(search.Found, &balloon);
  shown.Tip = {balloon.left, balloon.top};
  return shown;
}

// ---- Driving

void Click(HWND button) {
  if (SameProcess(button)) {
    ::SendMessageW(button, BM_CLICK, 0, 0);
  } else {
    ::PostMessageW(button, BM_CLICK, 0, 0);
  }
}

void SetText(HWND edit, std::wstring_view text) {
  const std::wstring value(text);
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void TypeText(HWND control, std::wstring_view text) {
  if (SameProcess(control) && ::GetFocus() != control) ::SetFocus(control);
  for (const wchar_t c : text) ::SendMessageW(control, WM_CHAR, c, 1);
}

void SelectItem(HWND listOrCombo, int index) {
  const bool combo = _wcsicmp(WindowClass(listOrCombo).c_str(), WC_COMBOBOXW) == 0;
  ::SendMessageW(listOrCombo, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  const int id = ::GetDlgCtrlID(listOrCombo);
  ::SendMessageW(::GetParent(listOrCombo), WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(listOrCombo));
}

void SelectRows(HWND list, std::initializer_list<int> rows) {
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED;
  ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  for (const int row : rows) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  }
}

std::vector<int> SelectedRows(HWND list) {
  std::vector<int> rows;
  for (int i = -1;
       (i = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;) {
    rows.push_back(i);
  }
  return rows;
}

std::vector<std::wstring> TabTexts(HWND tabs) {
  std::vector<std::wstring> texts;
  const int count = static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    ::SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    texts.emplace_back(text);
  }
  return texts;
}

bool Visible(const TWRControl& control) { return (::GetWindowLongPtrW(control.Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

bool Enabled(const TWRControl& control) { return ::IsWindowEnabled(control.Handle()) != FALSE; }

void SetPickerTime(HWND picker, int hour, int minute, int second) {
  NMDATETIMECHANGE change{};
  ::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&change.st));
  change.st.wHour = static_cast<WORD>(hour);
  change.st.wMinute = static_cast<WORD>(minute);
  change.st.wSecond = static_cast<WORD>(second);
  ::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
  change.nmhdr.hwndFrom = picker;
  change.nmhdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(picker));
  change.nmhdr.code = DTN_DATETIMECHANGE;
  change.dwFlags = GDT_VALID;
  ::SendMessageW(::GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
}

void PostKey(HWND window, UINT virtualKey) {
  if (!window) window = ::GetFocus();
  const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  // A pressed F1 also brings the message that becomes the help request.
  constexpr UINT kKeyF1 = 0x004D;  // WM_KEYF1
  if (virtualKey == VK_F1) ::PostMessageW(window, kKeyF1, 0, 0);
  ::PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void SendKey(HWND control, UINT virtualKey) {
  const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  ::SendMessageW(control, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  ::SendMessageW(control, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void PumpDialog(HWND dialog) {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (dialog && ::IsWindow(dialog) && ::IsDialogMessageW(dialog, &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void PumpDialogFor(HWND dialog, DWORD milliseconds) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  for (;;) {
    PumpDialog(dialog);
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

THeldKeys::THeldKeys(std::initializer_list<int> keys) {
  ::GetKeyboardState(Saved);
  BYTE held[256];
  std::copy(std::begin(Saved), std::end(Saved), held);
  for (const int key : keys) held[key] |= 0x80;
  ::SetKeyboardState(held);
}

THeldKeys::~THeldKeys() { ::SetKeyboardState(Saved); }

int RunModal(const std::function<int()>& open, const std::function<void(HWND dialog)>& drive) {
  TModalDriver driver;
  driver.Before = DialogCandidates();
  driver.Drive = drive;
  driver.Deadline = ::GetTickCount64() + kDialogWait;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, kDriverTick, &DriverTick);
  Drivers()[timer] = &driver;
  int result = 0;
  try {
    result = open();
  } catch (...) {
    ADD_FAILURE() << "opening the dialog threw";
  }
  ::KillTimer(nullptr, timer);
  Drivers().erase(timer);
  EXPECT_TRUE(driver.Driven) << "the dialog closed before it was driven";
  return result;
}

// ---- Checking

std::vector<TTextFit> TextsThatDoNotFit(HWND root, const std::function<std::optional<LOGFONTW>(HWND)>& fontOf) {
  std::vector<TTextFit> problems;
  const HDC screen = ::GetDC(nullptr);
  for (HWND window : ChildWindows(root)) {
    const TTextRoom room = RoomFor(window);
    if (!room.Checked) continue;
    std::optional<LOGFONTW> font = fontOf ? fontOf(window) : std::nullopt;
    if (!font) font = ControlFont(window);
    if (!font) {
      problems.push_back({window, room.Text + L" (its font cannot be read)", {}, room.Available});
      continue;
    }
    const HFONT measured = ::CreateFontIndirectW(&*font);
    const HGDIOBJ previous = ::SelectObject(screen, measured);
    RECT r{0, 0, room.Available.cx, 0};
    ::DrawTextW(screen, room.Text.c_str(), static_cast<int>(room.Text.size()), &r,
                DT_CALCRECT | DT_EXPANDTABS | room.Format);
    ::SelectObject(screen, previous);
    ::DeleteObject(measured);
    const SIZE needed{r.right - r.left, r.bottom - r.top};
    if (needed.cx > room.Available.cx || needed.cy > room.Available.cy) {
      problems.push_back({window, room.Text, needed, room.Available});
    }
  }
  ::ReleaseDC(nullptr, screen);
  return problems;
}

std::string Describe(const std::vector<TTextFit>& texts) {
  std::string lines;
  for (const TTextFit& t : texts) {
    lines += "\"" + WideToUtf8(t.Text) + "\" needs " + std::to_string(t.Needed.cx) + "x" +
             std::to_string(t.Needed.cy) + ", has " + std::to_string(t.Available.cx) + "x" +
             std::to_string(t.Available.cy) + "\n";
  }
  return lines;
}

// ---- Screenshots

bool SaveScreenshot(HWND window, const std::wstring& pngPath) {
  using TUnixFileName = char*(CDECL*)(LPCWSTR);
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const auto unixName = reinterpret_cast<TUnixFileName>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "wine_get_unix_file_name")));
  if (!unixName) return false;
  char* path = unixName(pngPath.c_str());
  if (!path) return false;
  const std::wstring target = Utf8ToWide(path);
  ::HeapFree(::GetProcessHeap(), 0, path);
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Wine paints into a picture of the window and hands it to the X server
  // when the thread waits for messages: without a wait, what was painted last
  // (often the last button) is missing from the screen. A window of another
  // process is painted and handed over by that process in the meantime.
  ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
  ::Sleep(100);
  const RECT r = WindowRectIn(window);
  const std::wstring geometry = std::to_wstring(r.right - r.left) + L"x" + std::to_wstring(r.bottom - r.top) + L"+" +
                                std::to_wstring(r.left) + L"+" + std::to_wstring(r.top);
  ::DeleteFileW(pngPath.c_str());
  if (!RunHostProgram(L"Z:\\usr\\bin\\import -window root -crop " + geometry + L" +repage \"" + target + L"\"")) {
    return false;
  }
  // The host's program may still be writing when its start returns: the
  // picture is there once its size holds still.
  const ULONGLONG deadline = ::GetTickCount64() + 10000;
  LONGLONG previous = -1;
  while (::GetTickCount64() < deadline) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExW(pngPath.c_str(), GetFileExInfoStandard, &data)) {
      const LONGLONG size = (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
      if (size > 0 && size == previous) return true;
      previous = size;
    }
    ::Sleep(100);
  }
  return false;
}

}  // namespace tdialix
