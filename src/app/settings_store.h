// Where the settings file is read from and written to, and how a file that
// could not be read at start is kept: never replaced before a copy of it
// exists, and a copy once kept is never replaced by a file this program wrote.
// The file system is reached through a small interface, so the rules are
// tested without one.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/ini_document.h"

namespace tdialix {

// What the settings file needs of the file system. Each call leaves the reason
// of a failure for the caller to report.
class TSettingsFiles {
 public:
  virtual ~TSettingsFiles() = default;
  virtual bool Exists(const std::wstring& path) = 0;
  // The file's bytes; nothing when it cannot be read.
  virtual std::optional<std::string> Read(const std::wstring& path) = 0;
  // Copies a file to a new one; fails when the target exists already.
  virtual bool CopyToNew(const std::wstring& from, const std::wstring& to) = 0;
  // Creates the folder when missing, then replaces the file whole.
  virtual bool Write(const std::wstring& path, const std::string& bytes) = 0;
  virtual std::wstring DecodeAnsi(std::string_view bytes) = 0;
};

enum class TSettingsRead {
  srNoFile,  // there is no settings file (or it was not readable at start): the defaults
  srRead,    // the document holds the file
  srFailed,  // the file is there but could not be read now
};

enum class TSettingsSave {
  ssWritten,
  ssKept,    // the file stays as it is: it could not be read at start, and a copy kept earlier stays too
  ssFailed,  // nothing was written (the reason is the file system's)
};

class TSettingsStore {
 public:
  TSettingsStore(TSettingsFiles& files, std::wstring path);

  // Where the settings were read from: empty when the file was there but could
  // not be read, so that they are read and written as if there had been none.
  const std::wstring& ReadPath() const { return SettingsReadPath; }
  // The copy an unreadable file is kept as: the settings path with ".bak".
  std::wstring KeptCopyPath() const { return SettingsPath + L".bak"; }
  // A copy of the unreadable file was made during this run.
  bool Kept() const { return KeptThisRun; }

  // The open test at start: false when the file is there but cannot be read.
  bool TestOpen();
  // Reads the file into the document. A failure counts as a file not readable
  // at start, whether the open test passed or not.
  TSettingsRead Read(TIniDocument& document);
  // Writes the settings that fill() puts into the document, which starts as
  // the file is (entries this version does not know stay), or empty after a
  // start that could not read it. Before a file that could not be read at
  // start is replaced, it is copied to KeptCopyPath(); when a copy is there
  // already (an earlier start failed too), neither it nor the file is
  // replaced. A file that cannot be read now is not overwritten.
  TSettingsSave Save(const std::function<void(TIniDocument&)>& fill);

 private:
  TIniDocument Parse(const std::string& bytes);

  TSettingsFiles& Files;
  std::wstring SettingsPath;
  std::wstring SettingsReadPath;
  bool KeptThisRun = false;
};

}  // namespace tdialix
