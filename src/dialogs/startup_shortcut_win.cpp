#include "dialogs/startup_shortcut_win.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <string_view>

#include "base/com_win.h"
#include "base/file_io_win.h"
#include "base/unique_handle_win.h"

namespace tdialix {

namespace {

std::wstring ShortcutPath(const TShellContext& context) {
  return context.StartupFolder + std::wstring(kStartupShortcutName);
}

// The bytes of a shortcut to the program, as the shell link object writes them.
HRESULT ShortcutBytes(const std::wstring& programPath, std::string& bytes) {
  TComPtr<IShellLinkW> link;
  HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive());
  if (FAILED(result)) return result;
  const std::wstring description = FormatText(MessageText(TMsg::StartupShortcutDescription), {std::wstring(kAppTitle)});
  if (FAILED(result = link->SetDescription(description.c_str())) ||
      FAILED(result = link->SetIconLocation(programPath.c_str(), 0)) ||
      FAILED(result = link->SetPath(programPath.c_str()))) {
    return result;
  }
  TComPtr<IPersistStream> persist;
  if (FAILED(result = link->QueryInterface(IID_IPersistStream, persist.Receive()))) return result;
  TComPtr<IStream> stream;
  if (FAILED(result = ::CreateStreamOnHGlobal(nullptr, TRUE, reinterpret_cast<IStream**>(stream.Receive())))) {
    return result;
  }
  if (FAILED(result = persist->Save(stream.Get(), TRUE))) return result;
  HGLOBAL memory = nullptr;
  if (FAILED(result = ::GetHGlobalFromStream(stream.Get(), &memory))) return result;
  STATSTG status{};
  if (FAILED(result = stream->Stat(&status, STATFLAG_NONAME))) return result;
  const void* data = ::GlobalLock(memory);
  if (!data) return HRESULT_FROM_WIN32(::GetLastError());
  bytes.assign(static_cast<const char*>(data), static_cast<size_t>(status.cbSize.QuadPart));
  ::GlobalUnlock(memory);
  return S_OK;
}

// Writes the shortcut through a temporary file, so that a failure leaves the
// shortcut that was there whole.
HRESULT WriteShortcut(const std::wstring& path, const std::wstring& programPath) {
  std::string bytes;
  if (const HRESULT result = ShortcutBytes(programPath, bytes); FAILED(result)) return result;
  if (!ReplaceFileContents(path, bytes)) {
    const DWORD error = ::GetLastError();
    return error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error);
  }
  ::SHChangeNotify(SHCNE_CREATE, SHCNF_PATHW | SHCNF_FLUSHNOWAIT, path.c_str(), nullptr);
  return S_OK;
}

}  // namespace

std::optional<std::wstring> ReadShortcutTarget(const std::wstring& path, HWND owner) {
  TComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive()))) {
    return std::nullopt;
  }
  TComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())) || FAILED(file->Load(path.c_str(), STGM_READ)) ||
      FAILED(link->Resolve(owner, owner ? SLR_ANY_MATCH : SLR_ANY_MATCH | SLR_NO_UI))) {
    return std::nullopt;
  }
  wchar_t target[MAX_PATH] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
  return std::wstring(target);
}

bool SetStartupShortcut(HWND owner, bool create) { return SetStartupShortcut(SystemShellContext(), owner, create); }

bool SetStartupShortcut(const TShellContext& context, HWND owner, bool create) {
  const TWaitCursor wait;
  const TMsg failure = create ? TMsg::StartupShortcutCreateFailed : TMsg::StartupShortcutDeleteFailed;
  if (context.StartupFolder.empty()) {
    ShowShellError(context, owner, FormatText(MessageText(failure), {ShellErrorText(context.StartupFolderError)}));
    return false;
  }
  const std::wstring path = ShortcutPath(context);
  const TComInitialization com;
  const bool exists = FileExists(path);
  const std::optional<std::wstring> target = exists ? ReadShortcutTarget(path, owner) : std::nullopt;
  const TShortcutPlan plan = PlanStartupShortcut(create, ShortcutState(exists, target, context.ProgramPath));

  if (plan.Question &&
      !AskShellQuestion(context, owner, FormatText(MessageText(*plan.Question), {target.value_or(std::wstring())}))) {
    return false;
  }
  if (plan.Write) {
    if (const HRESULT result = WriteShortcut(path, context.ProgramPath); FAILED(result)) {
      ShowShellError(context, owner, FormatText(MessageText(failure), {ShellErrorText(result)}));
      return false;
    }
  }
  if (plan.Delete) {
    if (!::DeleteFileW(path.c_str())) {
      ShowShellError(context, owner, FormatText(MessageText(failure), {LastErrorText()}));
      return false;
    }
    ::SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW | SHCNF_FLUSHNOWAIT, path.c_str(), nullptr);
  }
  return true;
}

bool StartupShortcutExists() { return StartupShortcutExists(SystemShellContext()); }

bool StartupShortcutExists(const TShellContext& context) {
  return !context.StartupFolder.empty() && FileExists(ShortcutPath(context));
}

}  // namespace tdialix
