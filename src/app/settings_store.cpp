#include "app/settings_store.h"

namespace tdialix {

TSettingsStore::TSettingsStore(TSettingsFiles& files, std::wstring path)
    : Files(files), SettingsPath(std::move(path)), SettingsReadPath(SettingsPath) {}

TIniDocument TSettingsStore::Parse(const std::string& bytes) {
  return TIniDocument::FromBytes(bytes, [this](std::string_view ansi) { return Files.DecodeAnsi(ansi); });
}

bool TSettingsStore::TestOpen() {
  if (!Files.Exists(SettingsPath) || Files.Read(SettingsPath)) return true;
  SettingsReadPath.clear();
  return false;
}

TSettingsRead TSettingsStore::Read(TIniDocument& document) {
  if (SettingsReadPath.empty() || !Files.Exists(SettingsReadPath)) return TSettingsRead::srNoFile;
  const std::optional<std::string> bytes = Files.Read(SettingsReadPath);
  if (!bytes) {
    SettingsReadPath.clear();
    return TSettingsRead::srFailed;
  }
  document = Parse(*bytes);
  return TSettingsRead::srRead;
}

TSettingsSave TSettingsStore::Save(const std::function<void(TIniDocument&)>& fill) {
  TIniDocument document;
  if (Files.Exists(SettingsPath)) {
    if (SettingsReadPath.empty() && !KeptThisRun) {
      // The user's settings, unread: kept as a copy before the defaults replace
      // them. A copy from an earlier start is never replaced: the file may be
      // what that start wrote, and the copy the user's settings.
      if (Files.Exists(KeptCopyPath())) return TSettingsSave::ssKept;
      if (!Files.CopyToNew(SettingsPath, KeptCopyPath())) return TSettingsSave::ssFailed;
      KeptThisRun = true;
    } else {
      // Start from the file as it is (the user's, or what this run wrote), so
      // that what this version does not know stays.
      const std::optional<std::string> bytes = Files.Read(SettingsPath);
      if (!bytes) return TSettingsSave::ssFailed;
      document = Parse(*bytes);
    }
  }
  fill(document);
  return Files.Write(SettingsPath, document.ToBytes()) ? TSettingsSave::ssWritten : TSettingsSave::ssFailed;
}

}  // namespace tdialix
