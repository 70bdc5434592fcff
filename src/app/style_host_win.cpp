#include "app/style_host_win.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "app/master_window_win.h"
#include "app/recent_styles.h"
#include "app/style_dialogs_win.h"
#include "base/file_io_win.h"
#include "base/messages.h"
#include "base/path.h"
#include "base/system_locale_win.h"
#include "style/font_check_win.h"

namespace tdialix {

namespace {

// Releases a COM interface pointer.
template <typename T>
struct TComPtr {
  T* Pointer = nullptr;
  ~TComPtr() {
    if (Pointer) Pointer->Release();
  }
};

}  // namespace

TMasterStyleHost::TMasterStyleHost(TDialixMaster& master) : Master(master), FormatSettings(SystemFormatSettings()) {}

bool TMasterStyleHost::DirectoryExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TMasterStyleHost::FileExists(const std::wstring& path) { return tdialix::FileExists(path); }

std::optional<std::string> TMasterStyleHost::ReadFile(const std::wstring& path) {
  auto bytes = ReadFileBytes(path);
  LastError = bytes ? ERROR_SUCCESS : ::GetLastError();
  return bytes;
}

bool TMasterStyleHost::WriteFile(const std::wstring& path, const std::string& bytes) {
  const bool written = CreateFolderOf(path) && ReplaceFileContents(path, bytes);
  LastError = written ? ERROR_SUCCESS : ::GetLastError();
  return written;
}

std::wstring TMasterStyleHost::LastErrorText() {
  const DWORD error = std::exchange(LastError, static_cast<DWORD>(ERROR_SUCCESS));
  return error == ERROR_SUCCESS ? std::wstring() : SystemErrorText(error);
}

std::wstring TMasterStyleHost::DecodeAnsi(std::string_view bytes) { return AnsiToWide(bytes); }

std::optional<std::wstring> TMasterStyleHost::ResolveShortcut(const std::wstring& path) {
  TComPtr<IShellLinkW> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link.Pointer)))) {
    return std::nullopt;
  }
  TComPtr<IPersistFile> file;
  if (FAILED(link.Pointer->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.Pointer))) ||
      FAILED(file.Pointer->Load(path.c_str(), STGM_READ))) {
    return std::nullopt;
  }
  wchar_t target[MAX_PATH] = {};
  if (link.Pointer->GetPath(target, MAX_PATH, nullptr, 0) != S_OK || target[0] == L'\0') return std::nullopt;
  return std::wstring(target);
}

std::optional<std::wstring> TMasterStyleHost::ChooseStyleFile(const std::wstring& folder) {
  return ShowOpenStyleDialog(Master.Handle(), folder, std::wstring());
}

void TMasterStyleHost::ShowMessage(const std::wstring& text, TMessageIcon icon) {
  ::MessageBoxW(Master.Handle(), text.c_str(), kAppTitle.data(),
                MB_OK | (icon == TMessageIcon::miError ? MB_ICONERROR : MB_ICONWARNING));
}

bool TMasterStyleHost::IsTrueTypeFont(const std::wstring& fontName) { return IsOutlineFont(fontName); }

const TFormatSettings& TMasterStyleHost::Formats() { return FormatSettings; }

void TMasterStyleHost::RefreshFormats() { FormatSettings = SystemFormatSettings(); }

std::size_t TMasterStyleHost::MonitorCount() { return Master.Monitors.size(); }

std::wstring TMasterStyleHost::ProgramFolder() { return FolderOf(Master.ProgramPath()); }

void TMasterStyleHost::ApplyStyle() { Master.ApplyStyleToClocks(); }

void TMasterStyleHost::AddRecentStyle(const std::wstring& path) {
  tdialix::AddRecentStyle(Master.Settings.RecentStyles, path, Master.StyleLoader.DefaultStyleFile);
}

void TMasterStyleHost::NotifyPlugins(int call, const std::wstring& path) {
  Master.PluginHost.BroadcastText(call, path);
}

}  // namespace tdialix
