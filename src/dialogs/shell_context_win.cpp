#include "dialogs/shell_context_win.h"

#include <shlobj.h>

#include "base/system_locale_win.h"

namespace tdialix {

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

TShellContext SystemShellContext() {
  TShellContext context;
  context.ProgramPath = ModulePath();
  wchar_t folder[MAX_PATH] = {};
  context.StartupFolderError = ::SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder);
  if (context.StartupFolderError == S_OK && folder[0] != L'\0') {
    context.StartupFolder = folder;
    if (context.StartupFolder.back() != L'\\') context.StartupFolder += L'\\';
  } else if (SUCCEEDED(context.StartupFolderError)) {
    context.StartupFolderError = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  }
  context.UserClasses = {HKEY_CURRENT_USER, L"Software\\Classes"};
  context.MachineClasses = {HKEY_LOCAL_MACHINE, L"Software\\Classes"};
  context.ShowMessage = [](HWND owner, const std::wstring& text, UINT type) {
    return ::MessageBoxW(owner, text.c_str(), kAppTitle.data(), type);
  };
  context.AssociationsChanged = [] { ::SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr); };
  return context;
}

bool AskShellQuestion(const TShellContext& context, HWND owner, const std::wstring& text) {
  return context.ShowMessage(owner, text, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void ShowShellError(const TShellContext& context, HWND owner, const std::wstring& text) {
  context.ShowMessage(owner, text, MB_OK | MB_ICONERROR);
}

std::wstring ShellErrorText(HRESULT result) {
  if (result == S_OK) result = E_FAIL;
  if (HRESULT_FACILITY(result) == FACILITY_WIN32) return SystemErrorText(HRESULT_CODE(result));
  return SystemErrorText(static_cast<DWORD>(result));
}

std::wstring LastErrorText() {
  const DWORD error = ::GetLastError();
  return error == ERROR_SUCCESS ? ShellErrorText(E_FAIL) : SystemErrorText(error);
}

}  // namespace tdialix
