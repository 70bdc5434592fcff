// Program entry: restart a running instance, write the style-file association
// or the start-up shortcut on request, hand a style file or a settings request
// to the running instance, or become the running instance.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application_win.h"
#include "app/command_line.h"
#include "app/failure_win.h"
#include "app/master_window_win.h"
#include "app/messages_win.h"
#include "base/dpi_win.h"
#include "base/library_loading_win.h"
#include "base/messages.h"
#include "base/text.h"
#include "base/trace_win.h"
#include "base/unique_handle_win.h"
#include "components/startup_check_win.h"
#include "dialogs/shell_association_win.h"
#include "dialogs/startup_shortcut_win.h"

namespace tdialix {

namespace {

std::wstring OwnPath() {
  wchar_t path[MAX_PATH * 2] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  return std::wstring(path, length);
}

// The program file of the process that owns a window. The window's module
// file name is not reported across processes, so the process image is asked.
std::wstring WindowProgramPath(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  if (processId == 0) return {};
  TUniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  wchar_t path[MAX_PATH * 2] = {};
  DWORD length = MAX_PATH * 2;
  if (!::QueryFullProcessImageNameW(process.Get(), 0, path, &length)) return {};
  return std::wstring(path, length);
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = FoldCase(c);
  return text;
}

bool IsOurProgram(HWND window, const std::wstring& ownPath) {
  return Lower(WindowProgramPath(window)) == Lower(ownPath);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  return CallbackBoundary(FALSE, [&] {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  });
}

// The master window of a running instance of this program file, or none.
HWND FindRunningInstance(const std::wstring& ownPath) {
  std::vector<HWND> windows;
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    wchar_t className[261] = {};
    if (::GetClassNameW(window, className, 261) && std::wstring_view(className) == TDialixMaster::kClassName &&
        IsOurProgram(window, ownPath)) {
      return window;
    }
  }
  return nullptr;
}

// Window handles carry 32 significant bits; a 64-bit program widens them with
// their sign, as the system does.
HWND HandleWindow(std::uint32_t value) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

// The window that owns an installer request's questions and messages; none
// for a silent installer, which names none.
HWND RequestOwner(const TAssociateRequest& request) {
  if (request.Owner == 0) return nullptr;
  const HWND owner = HandleWindow(request.Owner);
  return ::IsWindow(owner) ? owner : ::GetDesktopWindow();
}

// A silent installer names no window: then nobody is there to answer, so
// every question is answered No (another program's shortcut or association
// stays as it is) and failures show in the exit code only.
TShellContext RequestContext(const TAssociateRequest& request) {
  TShellContext context = SystemShellContext();
  if (request.Owner == 0) {
    context.ShowMessage = [](HWND, const std::wstring&, UINT type) {
      return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    };
  }
  return context;
}

// Asks the instance that owns the window to close, waits until it has let go
// of the instance mutex and starts the program again. Returns false when
// another restart is already in progress (the parameter is then looked at as
// an association request, then skipped).
bool Restart(HWND instance, const std::wstring& ownPath) {
  TUniqueKernelHandle rebootMutex(::CreateMutexW(nullptr, TRUE, kRebootMutexName));
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (!rebootMutex || existed) {
    if (rebootMutex) ::ReleaseMutex(rebootMutex.Get());
    return false;
  }
  if (TUniqueKernelHandle instanceMutex{::OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutexName)}) {
    bool done = ::PostMessageW(instance, WM_DIALIX_CLOSE, 0, 0) &&
                ::WaitForSingleObject(instanceMutex.Get(), 60000) == WAIT_OBJECT_0;
    // Let go of the mutex before the new instance starts, so that it owns it
    // and a later restart does not find it abandoned.
    if (done) ::ReleaseMutex(instanceMutex.Get());
    done = done && reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", ownPath.c_str(), nullptr, nullptr,
                                                             SW_SHOW)) > 32;
    if (!done) {
      ::MessageBoxW(nullptr, MessageText(TMsg::RebootFailed).data(), kAppTitle.data(), MB_OK | MB_ICONERROR);
    }
  }
  ::ReleaseMutex(rebootMutex.Get());
  return true;
}

// Hands the style file named on the command line, or a request to show the
// settings, to the running instance.
void HandOver(HWND instance, const std::vector<std::wstring>& parameters) {
  ::AllowSetForegroundWindow(ASFW_ANY);
  if (parameters.empty()) {
    ::PostMessageW(instance, WM_DIALIX_SETTINGS, 0, 0);
    return;
  }
  const std::wstring style = FirstStyleParameter(parameters).value_or(std::wstring());
  if (const ATOM atom = ::GlobalAddAtomW(style.c_str())) {
    if (!::PostMessageW(instance, WM_DIALIX_LOADSTYLE, atom, 0)) ::GlobalDeleteAtom(atom);
  }
}

int RunEntry() {
  // A style, a picture or a plug-in on a drive without its medium is a file
  // that cannot be read, not a system box asking for the disk.
  ::SetErrorMode(::SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const std::wstring ownPath = OwnPath();
  std::vector<std::wstring> parameters = SplitCommandLine(::GetCommandLineW());
  if (!parameters.empty()) parameters.erase(parameters.begin());  // the program itself

  // Restart and association requests end the process.
  for (const std::wstring& parameter : parameters) {
    if (const auto handle = ParseRebootRequest(parameter)) {
      const HWND window = HandleWindow(*handle);
      if (::IsWindow(window) && IsOurProgram(window, ownPath) && Restart(window, ownPath)) return 0;
    }
    if (const auto request = ParseAssociateRequest(parameter)) {
      SetStyleFileAssociation(RequestContext(*request), RequestOwner(*request), request->Associate);
      return 0;
    }
    // The installer's request for the start-up shortcut: made by the program
    // itself, so that it is the program's own and asks what the settings
    // dialog asks. The exit code says whether the folder holds what was asked.
    if (const auto request = ParseStartupRequest(parameter)) {
      return SetStartupShortcut(RequestContext(*request), RequestOwner(*request), request->Associate) ? 0 : 1;
    }
  }

  // The instance mutex marks that an instance may be running.
  TUniqueKernelHandle instanceMutex(::CreateMutexW(nullptr, TRUE, kInstanceMutexName));
  if (!instanceMutex) return 0;
  const bool mutexExisted = ::GetLastError() == ERROR_ALREADY_EXISTS;
  // A failure's ending lets go of it too, as long as the handle is open.
  SetInstanceMutexForEnding(instanceMutex.Get());
  struct TForget {
    ~TForget() { SetInstanceMutexForEnding(nullptr); }
  } forget;
  if (mutexExisted) {
    // The running instance's window is what identifies it.
    if (const HWND instance = FindRunningInstance(ownPath)) {
      HandOver(instance, parameters);
      Trace(L"handed-over");
      return 0;
    }
  }

  // Become the running instance.
  int exitCode = 0;
  const bool ole = SUCCEEDED(::OleInitialize(nullptr));  // shell links, dialogs, drag and drop
  {
    TApplication application;
    TDialixMaster master(application, parameters);
    MSG message;
    BOOL result;
    while ((result = ::GetMessageW(&message, nullptr, 0, 0)) != 0) {
      if (result == -1) break;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    application.Terminated = true;
    if (result == 0) exitCode = static_cast<int>(message.wParam);
  }
  if (ole) ::OleUninitialize();
  // Whoever waits for this instance to end may go on now.
  ::ReleaseMutex(instanceMutex.Get());
  return exitCode;
}

}  // namespace

}  // namespace tdialix

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before anything loads a library: none comes from the current folder.
  tdialix::RestrictLibrarySearch();
  // Before any window, mutex, trace or file: a system the program does not
  // run on is told so, and the process ends.
  if (!tdialix::CheckStartupSystem()) return 1;
  tdialix::InstallFailureHandling();
  // Where the manifest was not heeded, the program still asks to draw in
  // each monitor's own pixels.
  tdialix::DeclareDpiAwareness();
  try {
    return tdialix::RunEntry();
  } catch (...) {
    // A failure before the master window exists, or after it is gone: the
    // report shows all the same, and the program ends after it.
    tdialix::HandleCurrentException();
    return 1;
  }
}
