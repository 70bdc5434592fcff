// Loading and saving the current style: the identity check, shortcuts, the
// fallback chain and the messages, against a small host that does what needs
// the platform.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/date_format.h"
#include "base/ini_document.h"
#include "style/placement.h"
#include "style/style.h"

namespace tdialix {

enum class TMessageIcon { miWarning, miError };

// What loading and saving need from the program around them.
class TStyleHost {
 public:
  virtual ~TStyleHost() = default;

  virtual bool DirectoryExists(const std::wstring& path) = 0;
  virtual bool FileExists(const std::wstring& path) = 0;
  // The file's bytes; nothing when it cannot be read (the reason is kept for SystemErrorText).
  virtual std::optional<std::string> ReadFile(const std::wstring& path) = 0;
  // Creates the folder when missing, then replaces the file whole. False on failure.
  virtual bool WriteFile(const std::wstring& path, const std::string& bytes) = 0;
  // The system's text for the last failure, or empty when there was none.
  virtual std::wstring LastErrorText() = 0;
  virtual std::wstring DecodeAnsi(std::string_view bytes) = 0;
  // The target of a shell shortcut file, or nothing when the file is none.
  virtual std::optional<std::wstring> ResolveShortcut(const std::wstring& path) = 0;
  // The open-style dialog in a folder; the chosen file or nothing.
  virtual std::optional<std::wstring> ChooseStyleFile(const std::wstring& folder) = 0;
  virtual void ShowMessage(const std::wstring& text, TMessageIcon icon) = 0;
  virtual bool IsTrueTypeFont(const std::wstring& fontName) = 0;
  virtual const TFormatSettings& Formats() = 0;
  virtual std::size_t MonitorCount() = 0;
  virtual std::wstring ProgramFolder() = 0;
  // The style changed: rebuild the monitor menu, run an initialising tick and
  // rebuild, place and redraw every clock window.
  virtual void ApplyStyle() = 0;
  // The recent-styles rule for a path.
  virtual void AddRecentStyle(const std::wstring& path) = 0;
  // Tells the plug-ins (40: loaded, 41: saved) with the path.
  virtual void NotifyPlugins(int call, const std::wstring& path) = 0;
};

class TStyleLoader {
 public:
  TStyleLoader(TStyle& style, std::vector<TPlacement>& clockParams, TStyleHost& host)
      : Style(style), ClockParams(clockParams), Host(host) {}

  std::wstring DefaultStyleFile;
  std::wstring LastStyleFile;
  std::wstring OpenDialogFolder;  // where the open and save dialogs start
  bool LoadingDesign = false;
  bool SavingDesign = false;  // a style file is being written
  bool Initialized = false;  // nothing is saved before the first style was loaded
  // The default style file exists, but the last load could not read or apply
  // it: the style in use only stands in for the user's. Set until the default
  // style file loads, or a style file of the user's choice does, or the user
  // saves to it.
  bool DefaultStyleUnread = false;

  // Loads a style file into the current style and rebuilds the clocks. True
  // exactly when a file other than the default style file passed the identity
  // check. loadDefault: fall back to the default style on failure (and say
  // so); showMessage: show failures; addRecent: record the file as recent.
  bool LoadStyle(const std::wstring& styleFile, bool loadDefault, bool showMessage, bool addRecent);

  // Writes the current style; true when written, and also before the first
  // style was loaded, when nothing is written. A failure is always shown.
  bool SaveStyle(const std::wstring& styleFile);

  // Keeps the current style in the default style file, as closing and a
  // switch to another style do. A default style file that could not be read
  // is left as it is: the defaults that stand in for it never replace the
  // user's look, time slots and clock positions. True also then.
  bool SaveDefaultStyle();

 private:
  bool Load(const std::wstring& styleFile, bool loadDefault, bool showMessage, bool addRecent);
  bool IsDefaultPath(const std::wstring& path) const;
  bool Refuse(const std::wstring& text, bool loadDefault, bool showMessage);
  std::wstring PicturePath(const std::wstring& styleFile, const std::wstring& picture);
  void ReportReadError(const std::wstring& styleFile, bool loadDefault, bool showMessage, const std::wstring& detail);

  TStyle& Style;
  std::vector<TPlacement>& ClockParams;
  TStyleHost& Host;
  int ShortcutDepth = 0;
};

}  // namespace tdialix
