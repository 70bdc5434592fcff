#include "style/style_loader.h"

#include <exception>

#include "base/messages.h"
#include "base/path.h"
#include "base/text.h"
#include "style/style_file.h"

namespace tdialix {

namespace {

// A shortcut to a shortcut is followed, but not for ever.
constexpr int kMaxShortcutDepth = 8;

}  // namespace

bool TStyleLoader::IsDefaultPath(const std::wstring& path) const {
  return !DefaultStyleFile.empty() && SameText(path, DefaultStyleFile);
}

bool TStyleLoader::LoadStyle(const std::wstring& styleFile, bool loadDefault, bool showMessage, bool addRecent) {
  // True for the whole call, nested fallbacks included.
  struct TRestore {
    bool& Flag;
    bool Previous;
    ~TRestore() { Flag = Previous; }
  } restore{LoadingDesign, LoadingDesign};
  LoadingDesign = true;
  return Load(styleFile, loadDefault, showMessage, addRecent);
}

bool TStyleLoader::Refuse(const std::wstring& text, bool loadDefault, bool showMessage) {
  std::wstring message = text;
  if (loadDefault) message += MessageText(TMsg::LoadDefaultStyleSuffix);
  if (showMessage) Host.ShowMessage(message, TMessageIcon::miWarning);
  if (loadDefault) LoadStyle(DefaultStyleFile, true, showMessage, true);
  return false;
}

void TStyleLoader::ReportReadError(const std::wstring& styleFile, bool loadDefault, bool showMessage,
                                   const std::wstring& detail) {
  if (styleFile.empty()) return;  // the built-in defaults themselves failed: the chain ends here
  if (IsDefaultPath(styleFile)) {
    // A file that is there but could not be read (locked for a moment by a
    // backup or a virus scanner) still holds the user's style.
    DefaultStyleUnread = Host.FileExists(styleFile);
    LastStyleFile.clear();
    LoadStyle(std::wstring(), loadDefault, showMessage, true);
    return;
  }
  if (showMessage) {
    std::wstring message = FormatText(MessageText(TMsg::StyleOpenFailed), {styleFile, detail});
    if (loadDefault) message += MessageText(TMsg::LoadDefaultStyleSuffix);
    Host.ShowMessage(message, TMessageIcon::miWarning);
  }
  LastStyleFile = DefaultStyleFile;
  LoadStyle(DefaultStyleFile, loadDefault, showMessage, true);
}

// Pictures named relative to the style file travel with it: they are found
// beside it wherever the program runs from, and kept with their full path
// from then on (also in the default style file). One that is not there but in
// the program's folder is taken from there, where a default style file
// written with a bare name found it before.
std::wstring TStyleLoader::PicturePath(const std::wstring& styleFile, const std::wstring& picture) {
  if (picture.empty() || !IsRelativePath(picture)) return picture;
  const std::wstring beside = ResolvePath(FolderOf(styleFile), picture);
  if (Host.FileExists(beside)) return beside;
  const std::wstring inProgramFolder = ResolvePath(Host.ProgramFolder(), picture);
  return Host.FileExists(inProgramFolder) ? inProgramFolder : beside;
}

bool TStyleLoader::Load(const std::wstring& styleFile, bool loadDefault, bool showMessage, bool addRecent) {
  // A folder: let the user choose a file in it.
  if (!styleFile.empty() && Host.DirectoryExists(styleFile)) {
    if (const auto chosen = Host.ChooseStyleFile(styleFile)) {
      LoadStyle(*chosen, loadDefault, showMessage, true);
    } else if (!SameText(LastStyleFile, styleFile)) {
      LoadStyle(LastStyleFile, loadDefault, showMessage, true);
    }
    return false;
  }

  // The file as a document; a missing file reads as empty.
  TIniDocument document;
  if (!styleFile.empty() && Host.FileExists(styleFile)) {
    const auto bytes = Host.ReadFile(styleFile);
    if (!bytes) {
      ReportReadError(styleFile, loadDefault, showMessage, Host.LastErrorText());
      return false;
    }
    document = TIniDocument::FromBytes(*bytes, [this](std::string_view ansi) { return Host.DecodeAnsi(ansi); });
  }

  // Named files must exist and say that they are style files.
  const bool isDefault = styleFile.empty() || IsDefaultPath(styleFile);
  bool passed = false;
  if (!isDefault) {
    if (!Host.FileExists(styleFile)) {
      return Refuse(FormatText(MessageText(TMsg::StyleNotFound), {styleFile}), loadDefault, showMessage);
    }
    if (!HasStyleVersion(document)) {
      if (const auto target = ShortcutDepth < kMaxShortcutDepth ? Host.ResolveShortcut(styleFile) : std::nullopt) {
        ++ShortcutDepth;
        LoadStyle(*target, loadDefault, showMessage, true);
        --ShortcutDepth;
        return false;
      }
      return Refuse(FormatText(MessageText(TMsg::NotAStyleFile), {styleFile}), loadDefault, showMessage);
    }
    passed = true;
  }

  LastStyleFile = passed ? styleFile : DefaultStyleFile;

  // Every field, then the clocks. Values read before a failure stay
  // until the fallback overwrites them.
  try {
    ReadStyle(document, Style, Host.Formats(), [this](const std::wstring& name) { return Host.IsTrueTypeFont(name); });
    if (!styleFile.empty()) {
      Style.FontFile = PicturePath(styleFile, Style.FontFile);
      Style.BackGrnd = PicturePath(styleFile, Style.BackGrnd);
    }
    ReadPositions(document, ClockParams, Host.MonitorCount());
    Host.ApplyStyle();
  } catch (const std::exception& e) {
    std::wstring detail = Host.LastErrorText();
    if (detail.empty()) detail = Utf8ToWide(e.what());
    ReportReadError(styleFile, loadDefault, showMessage, detail);
    return passed;
  }

  // The user's own style is in use again.
  if (passed || (!styleFile.empty() && IsDefaultPath(styleFile))) DefaultStyleUnread = false;

  // Where the file dialogs open next, the recent list and the plug-ins.
  OpenDialogFolder = isDefault ? Host.ProgramFolder() : FolderOf(styleFile);
  if (addRecent && !loadDefault) Host.AddRecentStyle(styleFile);
  Host.NotifyPlugins(40, styleFile);
  return passed;
}

bool TStyleLoader::SaveStyle(const std::wstring& styleFile) {
  if (!Initialized) return true;
  struct TRestore {
    bool& Flag;
    bool Previous;
    ~TRestore() { Flag = Previous; }
  } restore{SavingDesign, SavingDesign};
  SavingDesign = true;
  auto fail = [&] {
    Host.ShowMessage(FormatText(MessageText(TMsg::StyleSaveFailed), {styleFile, Host.LastErrorText()}),
                     TMessageIcon::miError);
    return false;
  };
  // What the file holds besides the style stays in it; a file that cannot be
  // read is not overwritten.
  TIniDocument document;
  if (Host.FileExists(styleFile)) {
    const auto bytes = Host.ReadFile(styleFile);
    if (!bytes) return fail();
    document = TIniDocument::FromBytes(*bytes, [this](std::string_view ansi) { return Host.DecodeAnsi(ansi); });
  }
  WriteStyle(document, Style, ClockParams, Host.Formats());
  if (!Host.WriteFile(styleFile, document.ToBytes())) return fail();

  LastStyleFile = styleFile;
  if (IsDefaultPath(styleFile)) DefaultStyleUnread = false;  // the user chose to write it
  else Host.AddRecentStyle(styleFile);
  Host.NotifyPlugins(41, styleFile);
  return true;
}

bool TStyleLoader::SaveDefaultStyle() {
  if (DefaultStyleUnread && Host.FileExists(DefaultStyleFile)) return true;
  return SaveStyle(DefaultStyleFile);
}

}  // namespace tdialix
