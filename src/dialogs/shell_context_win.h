// What the start-up shortcut, the style-file association and the settings
// folder work on: the program file, the user's Startup folder, the classes
// keys in the registry, and the message boxes and shell notice they show.
// The program uses the system's own; the tests give scratch places and answer
// the questions themselves.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/messages.h"

namespace tdialix {

// Shows a message box with the caption "TDialix"; returns the button (IDYES, IDNO, IDOK).
using TShellMessageBox = std::function<int(HWND owner, const std::wstring& text, UINT type)>;

// A registry key by its hive and its path in it.
struct TRegistryPlace {
  HKEY Hive = nullptr;
  std::wstring Path;
};

struct TShellContext {
  std::wstring ProgramPath;
  // The Startup folder with its trailing separator; empty when the system
  // names none, with the reason in StartupFolderError.
  std::wstring StartupFolder;
  HRESULT StartupFolderError = S_OK;
  TRegistryPlace UserClasses;     // written by the association
  TRegistryPlace MachineClasses;  // only read, for what the shell shows
  TShellMessageBox ShowMessage;
  std::function<void()> AssociationsChanged;
};

// The program's own file, the user's Startup folder, HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE "Software\Classes", real message boxes and SHChangeNotify.
TShellContext SystemShellContext();

// Yes/No with a warning icon and No as the default; true for Yes.
bool AskShellQuestion(const TShellContext& context, HWND owner, const std::wstring& text);
// A failure, with the error icon.
void ShowShellError(const TShellContext& context, HWND owner, const std::wstring& text);

// The system's text for a failed call's result, never empty: for 0 (a call
// that failed without saying why) the text of E_FAIL.
std::wstring ShellErrorText(HRESULT result);
// The same for the thread's last error code.
std::wstring LastErrorText();

// The hourglass cursor while the object lives.
class TWaitCursor {
 public:
  TWaitCursor() noexcept : Previous(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
  ~TWaitCursor() { ::SetCursor(Previous); }

 private:
  HCURSOR Previous;
};

}  // namespace tdialix
