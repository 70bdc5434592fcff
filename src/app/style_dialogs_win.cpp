#include "app/style_dialogs_win.h"

#include "base/messages.h"
#include "base/path.h"
#include "components/common_dialogs_win.h"

namespace tdialix {

namespace {

std::optional<std::wstring> Show(TWROpenDialog& dialog, TMsg title, HWND owner, const std::wstring& folder,
                                 const std::wstring& fileName) {
  dialog.Title = MessageText(title);
  dialog.Filter = MessageText(TMsg::StyleFileFilter);
  dialog.InitialDir = folder;
  dialog.FileName = FileNameOf(fileName);
  if (!dialog.Execute(owner)) return std::nullopt;
  return dialog.FileName;
}

}  // namespace

std::optional<std::wstring> ShowOpenStyleDialog(HWND owner, const std::wstring& folder, const std::wstring& fileName) {
  TWROpenDialog dialog;
  dialog.Options |= ofFileMustExist;
  return Show(dialog, TMsg::StyleOpenTitle, owner, folder, fileName);
}

std::optional<std::wstring> ShowSaveStyleDialog(HWND owner, const std::wstring& folder, const std::wstring& fileName) {
  TWRSaveDialog dialog;
  dialog.DefaultExt = L"dlx";
  return Show(dialog, TMsg::StyleSaveTitle, owner, folder, fileName);
}

}  // namespace tdialix
