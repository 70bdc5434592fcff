// The dialog driver: what the Win32 and whole-program tests do with dialogs.
//
// It opens a dialog in-process and drives a modal one while the dialog's own
// loop runs (RunModal), finds controls by id, class or text, sets values as a
// user would (texts with their notifications, typed characters through
// WM_CHAR so that the fields check them, selections), presses buttons and
// keys, reads texts, states, rectangles, fonts and a spin edit's balloon,
// checks that every label's and button's text fits its rectangle in its
// font, and saves a screenshot of a window as PNG.
//
// Finding, reading, pressing and screenshots also work on another process's
// windows (texts go through WM_GETTEXT, clicks are posted); fonts, balloons
// and RunModal are for the test's own dialogs.
//
//   TDialixAbout about;
//   RunModal([&] { return about.ShowModal(); }, [&](HWND box) {
//     EXPECT_EQ(WindowText(FindControlById(box, IDOK)), L"OK");
//     PostKey(box, VK_ESCAPE);
//   });
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tdialix {

class TWRControl;

// ---- Finding

// Every window inside root, parents before their children, siblings in tab order.
std::vector<HWND> ChildWindows(HWND root);
HWND FindControlById(HWND root, int id);
// The index-th control of the class inside root ("Button", "Static", "Edit", "SysLink", ...).
HWND FindControlByClass(HWND root, std::wstring_view className, int index = 0);
// The first control inside root whose text is text.
HWND FindControlByText(HWND root, std::wstring_view text);
// A visible top-level window of the process (0: any) with the class and, when given, the title.
HWND FindTopWindow(DWORD processId, std::wstring_view className, std::wstring_view title = {});
// The same, waited for up to the given time.
HWND WaitForTopWindow(DWORD processId, std::wstring_view className, std::wstring_view title = {},
                      int milliseconds = 15000);

// ---- Reading

std::wstring WindowClass(HWND window);
// The window's text as the window reports it (WM_GETTEXT, also across processes).
std::wstring WindowText(HWND window);
// The window's rectangle in the client coordinates of reference (none: the screen).
RECT WindowRectIn(HWND window, HWND reference = nullptr);
SIZE ClientSize(HWND window);
bool IsChecked(HWND button);
// The control's own visible style, whether its dialog shows yet or not.
bool Visible(const TWRControl& control);
bool Enabled(const TWRControl& control);
// The rows of a list view that are selected, top to bottom.
std::vector<int> SelectedRows(HWND list);
// The captions of a tab control's tabs, in order.
std::vector<std::wstring> TabTexts(HWND tabs);
// A list box's or combo box's item texts, and the selected item.
std::vector<std::wstring> ItemTexts(HWND listOrCombo);
int SelectedItem(HWND listOrCombo);
// The font a control of this process draws its text with.
std::optional<LOGFONTW> ControlFont(HWND control);

// What a spin edit's balloon shows (a spin edit of this process).
struct TBalloonShown {
  bool Visible = false;
  std::wstring Title;
  std::wstring Text;
  int Icon = 0;  // TTI_NONE, TTI_WARNING, TTI_ERROR ...
  POINT Tip{};   // where its tip points, on the screen
};
TBalloonShown SpinBalloon(HWND spinEdit);

// ---- Driving

// Presses a button: sent to a window of this process, posted to another's
// (whose click may open a modal dialog that would hold the sender).
void Click(HWND button);
// Sets an edit's text as pasting it would: the edit tells its parent of the change.
void SetText(HWND edit, std::wstring_view text);
// Types characters into a control one WM_CHAR at a time, so that its checks run.
void TypeText(HWND control, std::wstring_view text);
// Sets a time picker of this process to a time of day and tells its parent,
// as a user's change does.
void SetPickerTime(HWND picker, int hour, int minute, int second);
// Selects an item of a list or combo box and tells its parent, as a user's choice does.
void SelectItem(HWND listOrCombo, int index);
// Selects exactly these rows of a list view, as clicks with Ctrl held would.
void SelectRows(HWND list, std::initializer_list<int> rows);
// A key pressed and released, posted through the message loop, where the
// dialog manager sees it (Tab, Enter, Escape, access keys), with what the
// system adds for F1 (the request that becomes WM_HELP). Without a window,
// the window with the focus gets it.
void PostKey(HWND window, UINT virtualKey);
// A key pressed straight into a control (arrow keys into a spin edit).
void SendKey(HWND control, UINT virtualKey);
// Handles the messages waiting for this thread, the dialog's keys included.
void PumpDialog(HWND dialog);
// Handles messages for the given time (a dialog's keys included).
void PumpDialogFor(HWND dialog, DWORD milliseconds);

// Keys that GetKeyState reports held down while the guard lives (this thread only).
class THeldKeys {
 public:
  explicit THeldKeys(std::initializer_list<int> keys);
  ~THeldKeys();
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;

 private:
  BYTE Saved[256] = {};
};

// Runs open, which shows a modal dialog and returns when it closes, and calls
// drive with the dialog once it shows, inside the dialog's own loop. drive
// may open further modal dialogs with RunModal. A dialog that drive leaves
// open is closed, so that a failing test never hangs. Returns open's result.
int RunModal(const std::function<int()>& open, const std::function<void(HWND dialog)>& drive);

// ---- Checking

// A text that needs more room than its control gives it.
struct TTextFit {
  HWND Window;
  std::wstring Text;
  SIZE Needed;
  SIZE Available;
};
// The labels, buttons, check boxes, group boxes and links inside root whose
// text does not fit in their font. fontOf gives the font of controls whose
// font cannot be read (another process's); without it they are reported.
std::vector<TTextFit> TextsThatDoNotFit(HWND root,
                                        const std::function<std::optional<LOGFONTW>(HWND)>& fontOf = {});
// One line per text, for a test's failure message.
std::string Describe(const std::vector<TTextFit>& texts);

// ---- Screenshots

// Saves what the screen shows of the window as PNG (the host's "import"
// reads the virtual display). False when it could not.
bool SaveScreenshot(HWND window, const std::wstring& pngPath);

}  // namespace tdialix
