// The style loader's view of the running program: files, dialogs, message
// boxes, fonts and the clock windows of the master window.
#pragma once

#include <windows.h>

#include "base/date_format.h"
#include "style/style_loader.h"

namespace tdialix {

class TDialixMaster;

class TMasterStyleHost : public TStyleHost {
 public:
  explicit TMasterStyleHost(TDialixMaster& master);

  bool DirectoryExists(const std::wstring& path) override;
  bool FileExists(const std::wstring& path) override;
  std::optional<std::string> ReadFile(const std::wstring& path) override;
  bool WriteFile(const std::wstring& path, const std::string& bytes) override;
  std::wstring LastErrorText() override;
  std::wstring DecodeAnsi(std::string_view bytes) override;
  std::optional<std::wstring> ResolveShortcut(const std::wstring& path) override;
  std::optional<std::wstring> ChooseStyleFile(const std::wstring& folder) override;
  void ShowMessage(const std::wstring& text, TMessageIcon icon) override;
  bool IsTrueTypeFont(const std::wstring& fontName) override;
  const TFormatSettings& Formats() override;
  // Reads the user's date and time forms again (they changed in the regional settings).
  void RefreshFormats();
  std::size_t MonitorCount() override;
  std::wstring ProgramFolder() override;
  void ApplyStyle() override;
  void AddRecentStyle(const std::wstring& path) override;
  void NotifyPlugins(int call, const std::wstring& path) override;

 private:
  TDialixMaster& Master;
  TFormatSettings FormatSettings;
  DWORD LastError = ERROR_SUCCESS;
};

}  // namespace tdialix
