#include "app/settings_store.h"

#include <map>
#include <set>

#include <gtest/gtest.h>

#include "base/text_codec.h"

namespace tdialix {
namespace {

const std::wstring kPath = L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\TDialix.ini";
const std::wstring kCopy = kPath + L".bak";

class FakeFiles : public TSettingsFiles {
 public:
  std::map<std::wstring, std::string> Files;
  std::set<std::wstring> Unreadable;  // there, but held by another program

  bool Exists(const std::wstring& path) override { return Files.count(path) > 0; }
  std::optional<std::string> Read(const std::wstring& path) override {
    if (!Files.count(path) || Unreadable.count(path)) return std::nullopt;
    return Files[path];
  }
  bool CopyToNew(const std::wstring& from, const std::wstring& to) override {
    if (Files.count(to)) return false;
    const auto bytes = Read(from);
    if (!bytes) return false;
    Files[to] = *bytes;
    return true;
  }
  bool Write(const std::wstring& path, const std::string& bytes) override {
    if (Unreadable.count(path)) return false;  // held without sharing: no rename over it
    Files[path] = bytes;
    return true;
  }
  std::wstring DecodeAnsi(std::string_view bytes) override { return std::wstring(bytes.begin(), bytes.end()); }
};

const std::string kUsers = EncodeUtf16LeWithBom(L"[View]\r\nTransParent=55\r\n[Plugin data]\r\nKept=yes\r\n");
const std::string kEarlierCopy = EncodeUtf16LeWithBom(L"[View]\r\nTransParent=33\r\n");

// One run of the program: the open test at creation, the read at the
// deferred initialisation, and the save at close with TransParent 70.
struct ProgramRun {
  TSettingsStore Store;
  TSettingsRead ReadResult = TSettingsRead::srNoFile;
  TIniDocument Read;
  explicit ProgramRun(FakeFiles& files) : Store(files, kPath) {}
  void Start() {
    Store.TestOpen();
    ReadResult = Store.Read(Read);
  }
  TSettingsSave Close() {
    return Store.Save([](TIniDocument& document) { document.Write(L"View", L"TransParent", L"70"); });
  }
};

std::wstring What(const FakeFiles& files, const std::wstring& path) {
  const auto it = files.Files.find(path);
  if (it == files.Files.end()) return L"none";
  if (it->second == kUsers) return L"user's";
  if (it->second == kEarlierCopy) return L"earlier copy";
  const TIniDocument document = TIniDocument::FromBytes(it->second);
  return document.Read(L"View", L"TransParent") == L"70" ? L"written" : L"other";
}

// (readable at start?, readable at close?, copy already there?) -> (file after close, kept copy).
TEST(SettingsStore, KeptCopyRules) {
  const struct {
    bool ReadableAtStart;
    bool ReadableAtClose;
    bool CopyThere;
    const wchar_t* FileAfter;
    const wchar_t* CopyAfter;
    TSettingsSave Result;
  } cases[] = {
      {true, true, false, L"written", L"none", TSettingsSave::ssWritten},
      {true, true, true, L"written", L"earlier copy", TSettingsSave::ssWritten},
      // A file that cannot be read at close is not overwritten: it would lose what only it holds.
      {true, false, false, L"user's", L"none", TSettingsSave::ssFailed},
      {false, true, false, L"written", L"user's", TSettingsSave::ssWritten},
      // An earlier copy stays, and so does the file: one of them is the user's.
      {false, true, true, L"user's", L"earlier copy", TSettingsSave::ssKept},
      {false, false, false, L"user's", L"none", TSettingsSave::ssFailed},
      {false, false, true, L"user's", L"earlier copy", TSettingsSave::ssKept},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "readable at start " << c.ReadableAtStart << ", at close "
                                    << c.ReadableAtClose << ", copy there " << c.CopyThere);
    FakeFiles files;
    files.Files[kPath] = kUsers;
    if (c.CopyThere) files.Files[kCopy] = kEarlierCopy;
    if (!c.ReadableAtStart) files.Unreadable.insert(kPath);
    ProgramRun run(files);
    run.Start();
    EXPECT_EQ(run.ReadResult, c.ReadableAtStart ? TSettingsRead::srRead : TSettingsRead::srNoFile);
    EXPECT_EQ(run.Store.ReadPath().empty(), !c.ReadableAtStart);
    if (c.ReadableAtClose) files.Unreadable.erase(kPath);
    else files.Unreadable.insert(kPath);
    EXPECT_EQ(run.Close(), c.Result);
    EXPECT_EQ(What(files, kPath), c.FileAfter);
    EXPECT_EQ(What(files, kCopy), c.CopyAfter);
  }
}

TEST(SettingsStore, AReadFailureAfterTheOpenTestCountsAsUnreadableAtStart) {
  FakeFiles files;
  files.Files[kPath] = kUsers;
  ProgramRun run(files);
  EXPECT_TRUE(run.Store.TestOpen());
  files.Unreadable.insert(kPath);  // locked between the open test and the read
  EXPECT_EQ(run.Store.Read(run.Read), TSettingsRead::srFailed);
  EXPECT_TRUE(run.Store.ReadPath().empty());
  files.Unreadable.erase(kPath);
  EXPECT_EQ(run.Close(), TSettingsSave::ssWritten);
  EXPECT_EQ(What(files, kCopy), L"user's");
  EXPECT_EQ(What(files, kPath), L"written");
}

// Two starts in a row that cannot read the file: the second one finds the
// file the first one wrote, and the copy of the user's settings stays.
TEST(SettingsStore, AKeptCopyIsNeverReplacedByAFileThisProgramWrote) {
  FakeFiles files;
  files.Files[kPath] = kUsers;
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(testing::Message() << "start " << start);
    files.Unreadable.insert(kPath);
    ProgramRun run(files);
    run.Start();
    files.Unreadable.erase(kPath);
    run.Close();
    EXPECT_EQ(What(files, kCopy), L"user's");
  }
  EXPECT_EQ(What(files, kPath), L"written");
}

TEST(SettingsStore, WritesKeepWhatTheFileHolds) {
  // Entries this version does not know stay.
  FakeFiles files;
  files.Files[kPath] = kUsers;
  ProgramRun run(files);
  run.Start();
  EXPECT_EQ(run.Read.Read(L"View", L"TransParent"), L"55");
  EXPECT_EQ(run.Close(), TSettingsSave::ssWritten);
  EXPECT_EQ(TIniDocument::FromBytes(files.Files[kPath]).Read(L"Plugin data", L"Kept"), L"yes");

  // A run that kept a copy writes again when it saves again: the file is its own now.
  FakeFiles again;
  again.Files[kPath] = kUsers;
  again.Unreadable.insert(kPath);
  ProgramRun twice(again);
  twice.Start();
  again.Unreadable.erase(kPath);
  EXPECT_EQ(twice.Close(), TSettingsSave::ssWritten);
  EXPECT_TRUE(twice.Store.Kept());
  EXPECT_EQ(twice.Close(), TSettingsSave::ssWritten);
  EXPECT_EQ(What(again, kCopy), L"user's");

  // No file at all: written, nothing kept.
  FakeFiles none;
  ProgramRun first(none);
  first.Start();
  EXPECT_EQ(first.ReadResult, TSettingsRead::srNoFile);
  EXPECT_EQ(first.Close(), TSettingsSave::ssWritten);
  EXPECT_EQ(What(none, kPath), L"written");
  EXPECT_EQ(What(none, kCopy), L"none");
}

}  // namespace
}  // namespace tdialix
