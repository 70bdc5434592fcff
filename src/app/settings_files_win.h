// The settings file's view of the file system: the Win32 side of TSettingsStore.
#pragma once

#include <windows.h>

#include "app/settings_store.h"

namespace tdialix {

class TWinSettingsFiles : public TSettingsFiles {
 public:
  bool Exists(const std::wstring& path) override;
  std::optional<std::string> Read(const std::wstring& path) override;
  bool CopyToNew(const std::wstring& from, const std::wstring& to) override;
  bool Write(const std::wstring& path, const std::string& bytes) override;
  std::wstring DecodeAnsi(std::string_view bytes) override;

  // The error code of the last call that failed (ERROR_SUCCESS after one that did not).
  DWORD LastError = ERROR_SUCCESS;

 private:
  bool Done(bool ok);
};

}  // namespace tdialix
