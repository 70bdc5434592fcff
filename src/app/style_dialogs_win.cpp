#include "app/style_dialogs_win.h"

#include <commdlg.h>

#include <vector>

#include "base/path.h"

namespace tdialix {

namespace {

// "スタイル ファイル (*.dlx)|*.dlx|すべてのファイル|*.*" with the NULs the dialog wants.
constexpr wchar_t kFilter[] = L"スタイル ファイル (*.dlx)\0*.dlx\0すべてのファイル\0*.*\0";

std::optional<std::wstring> Show(bool save, HWND owner, const std::wstring& folder, const std::wstring& fileName) {
  std::vector<wchar_t> buffer(32768, L'\0');
  FileNameOf(fileName).copy(buffer.data(), buffer.size() - 1);
  OPENFILENAMEW info{};
  info.lStructSize = sizeof info;
  info.hwndOwner = owner;
  info.lpstrFilter = kFilter;
  info.nFilterIndex = 1;
  info.lpstrFile = buffer.data();
  info.nMaxFile = static_cast<DWORD>(buffer.size());
  info.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  info.Flags = OFN_HIDEREADONLY | OFN_DONTADDTORECENT | OFN_ENABLESIZING;
  if (save) {
    info.lpstrTitle = L"スタイルの保存";
    info.lpstrDefExt = L"dlx";
    info.Flags |= OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN | OFN_PATHMUSTEXIST;
    if (!::GetSaveFileNameW(&info)) return std::nullopt;
  } else {
    info.lpstrTitle = L"スタイルの読み込み";
    info.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!::GetOpenFileNameW(&info)) return std::nullopt;
  }
  return std::wstring(buffer.data());
}

}  // namespace

std::optional<std::wstring> ShowOpenStyleDialog(HWND owner, const std::wstring& folder, const std::wstring& fileName) {
  return Show(false, owner, folder, fileName);
}

std::optional<std::wstring> ShowSaveStyleDialog(HWND owner, const std::wstring& folder, const std::wstring& fileName) {
  return Show(true, owner, folder, fileName);
}

}  // namespace tdialix
