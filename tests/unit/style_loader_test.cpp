#include "style/style_loader.h"

#include <map>
#include <set>
#include <stdexcept>

#include <gtest/gtest.h>

#include "base/text_codec.h"
#include "style/style_file.h"

namespace tdialix {
namespace {

const std::wstring kDefault = L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\Default.dlx";

std::string StyleBytes(const std::wstring& design, const std::wstring& version = L"TeamOrvaneTDialix2") {
  return EncodeUtf16LeWithBom(L"[General]\r\nVersion=" + version + L"\r\n[Design]\r\n" + design + L"\r\n");
}

// A file system, a user and a program around the loader, recording what it was asked.
class FakeHost : public TStyleHost {
 public:
  std::map<std::wstring, std::string> Files;
  std::set<std::wstring> Unreadable;
  std::set<std::wstring> Directories;
  std::map<std::wstring, std::wstring> Shortcuts;
  std::optional<std::wstring> Chosen;
  bool FailWrites = false;
  int FailApplies = 0;  // how many of the next ApplyStyle calls throw

  std::vector<std::wstring> Messages;
  std::vector<std::wstring> Recent;
  std::vector<std::pair<int, std::wstring>> PluginCalls;
  int Applies = 0;
  bool LoadingDuringApply = false;
  const TStyleLoader* Loader = nullptr;
  std::wstring LastError;

  bool DirectoryExists(const std::wstring& path) override { return Directories.count(path) > 0; }
  bool FileExists(const std::wstring& path) override { return Files.count(path) > 0 || Unreadable.count(path) > 0; }
  std::optional<std::string> ReadFile(const std::wstring& path) override {
    if (Unreadable.count(path)) {
      LastError = L"locked";
      return std::nullopt;
    }
    return Files.at(path);
  }
  bool WriteFile(const std::wstring& path, const std::string& bytes) override {
    if (FailWrites) {
      LastError = L"disk full";
      return false;
    }
    Files[path] = bytes;
    return true;
  }
  std::wstring LastErrorText() override { return std::exchange(LastError, std::wstring()); }
  std::wstring DecodeAnsi(std::string_view bytes) override { return std::wstring(bytes.begin(), bytes.end()); }
  std::optional<std::wstring> ResolveShortcut(const std::wstring& path) override {
    const auto it = Shortcuts.find(path);
    return it == Shortcuts.end() ? std::nullopt : std::optional(it->second);
  }
  std::optional<std::wstring> ChooseStyleFile(const std::wstring&) override { return Chosen; }
  void ShowMessage(const std::wstring& text, TMessageIcon icon) override {
    Messages.push_back((icon == TMessageIcon::miError ? L"E:" : L"W:") + text);
  }
  bool IsTrueTypeFont(const std::wstring&) override { return true; }
  const TFormatSettings& Formats() override { return Japanese; }
  std::size_t MonitorCount() override { return 2; }
  std::wstring ProgramFolder() override { return L"C:\\Program Files\\TDialix\\"; }
  void ApplyStyle() override {
    ++Applies;
    LoadingDuringApply = Loader && Loader->LoadingDesign;
    if (FailApplies > 0) {
      --FailApplies;
      throw std::runtime_error("the glyphs could not be built");
    }
  }
  void AddRecentStyle(const std::wstring& path) override { Recent.push_back(path); }
  void NotifyPlugins(int call, const std::wstring& path) override { PluginCalls.push_back({call, path}); }

  TFormatSettings Japanese;
};

class StyleLoaderTest : public testing::Test {
 protected:
  StyleLoaderTest() : Loader(Style, Params, Host) {
    Loader.DefaultStyleFile = kDefault;
    Loader.LastStyleFile = kDefault;
    Host.Loader = &Loader;
  }
  TStyle Style;
  std::vector<TPlacement> Params;
  FakeHost Host;
  TStyleLoader Loader;
};

const std::wstring kSuffix = L"\r\n\r\n既定のスタイルを読み込みます。";

TEST_F(StyleLoaderTest, EmptyPathAndMissingDefaultGiveTheDefaultsSilently) {
  Style.FontSize = 30;
  for (const std::wstring& path : {std::wstring(), kDefault}) {
    EXPECT_FALSE(Loader.LoadStyle(path, true, true, true));
    EXPECT_EQ(Style, TStyle{});
    EXPECT_EQ(Params, (std::vector<TPlacement>{{}, {}}));
    EXPECT_TRUE(Host.Messages.empty());
    EXPECT_EQ(Loader.LastStyleFile, kDefault);
    EXPECT_EQ(Loader.OpenDialogFolder, L"C:\\Program Files\\TDialix\\");
  }
  EXPECT_EQ(Host.Applies, 2);
  EXPECT_TRUE(Host.Recent.empty());
}

TEST_F(StyleLoaderTest, ANamedStyleFileLoadsAndIsRecorded) {
  Host.Files[L"D:\\Styles\\night.dlx"] = StyleBytes(L"FontSize=20\r\nFontColor=255");
  EXPECT_TRUE(Loader.LoadStyle(L"D:\\Styles\\night.dlx", false, true, true));
  EXPECT_EQ(Style.FontSize, 20);
  EXPECT_EQ(Style.FontColor, 255);
  EXPECT_EQ(Loader.LastStyleFile, L"D:\\Styles\\night.dlx");
  EXPECT_EQ(Loader.OpenDialogFolder, L"D:\\Styles\\");
  EXPECT_EQ(Host.Recent, std::vector<std::wstring>{L"D:\\Styles\\night.dlx"});
  EXPECT_EQ(Host.PluginCalls, (std::vector<std::pair<int, std::wstring>>{{40, L"D:\\Styles\\night.dlx"}}));
  EXPECT_TRUE(Host.LoadingDuringApply);
  EXPECT_FALSE(Loader.LoadingDesign);
}

TEST_F(StyleLoaderTest, PicturesNamedWithoutAFolderAreFoundBesideTheStyleFile) {
  Host.Files[L"D:\\Styles\\digits.dlx"] =
      StyleBytes(L"FontType=1\r\nFontFile=Digits.bmp\r\nBackGroundType=3\r\nBackGround=C:\\Pictures\\sky.bmp");
  Host.Files[L"D:\\Styles\\sub.dlx"] = StyleBytes(L"FontFile=pics\\Digits.bmp\r\nBackGround=\\\\server\\sky.bmp");
  EXPECT_TRUE(Loader.LoadStyle(L"D:\\Styles\\digits.dlx", false, true, true));
  EXPECT_EQ(Style.FontFile, L"D:\\Styles\\Digits.bmp");
  EXPECT_EQ(Style.BackGrnd, L"C:\\Pictures\\sky.bmp");  // a full path stays as it is
  EXPECT_TRUE(Loader.LoadStyle(L"D:\\Styles\\sub.dlx", false, true, true));
  EXPECT_EQ(Style.FontFile, L"D:\\Styles\\pics\\Digits.bmp");
  EXPECT_EQ(Style.BackGrnd, L"\\\\server\\sky.bmp");
  // Kept with the full path: the default style file finds it too.
  Loader.Initialized = true;
  EXPECT_TRUE(Loader.SaveStyle(kDefault));
  EXPECT_NE(DecodeText(Host.Files.at(kDefault)).Text.find(L"FontFile=D:\\Styles\\pics\\Digits.bmp"),
            std::wstring::npos);

  // A bare name that is only in the program's folder is taken from there;
  // one beside the style file comes first.
  Host.Files[L"C:\\Program Files\\TDialix\\Digits.bmp"] = "BM";
  EXPECT_TRUE(Loader.LoadStyle(L"D:\\Styles\\digits.dlx", false, true, true));
  EXPECT_EQ(Style.FontFile, L"C:\\Program Files\\TDialix\\Digits.bmp");
  Host.Files[L"D:\\Styles\\Digits.bmp"] = "BM";
  EXPECT_TRUE(Loader.LoadStyle(L"D:\\Styles\\digits.dlx", false, true, true));
  EXPECT_EQ(Style.FontFile, L"D:\\Styles\\Digits.bmp");
}

TEST_F(StyleLoaderTest, FallbackChainAndMessages) {
  Host.Files[kDefault] = StyleBytes(L"FontSize=15");
  Host.Files[L"D:\\foreign.dlx"] = StyleBytes(L"FontSize=40", L"SomethingElse");
  Host.Files[L"D:\\plain.txt"] = "just text";
  Host.Unreadable.insert(L"D:\\locked.dlx");
  const struct {
    std::wstring Path;
    bool LoadDefault;
    bool ShowMessage;
    bool Result;
    std::vector<std::wstring> Messages;
    double FontSize;  // 30: the style stayed as it was; 15: the default style file
  } cases[] = {
      {L"D:\\missing.dlx", true, true, false, {L"W:'D:\\missing.dlx'\r\nこのスタイル ファイルが見つかりませんでした。" + kSuffix}, 15},
      {L"D:\\missing.dlx", false, true, false, {L"W:'D:\\missing.dlx'\r\nこのスタイル ファイルが見つかりませんでした。"}, 30},
      {L"D:\\missing.dlx", true, false, false, {}, 15},
      {L"D:\\foreign.dlx", true, true, false,
       {L"W:'D:\\foreign.dlx'\r\nこれはスタイル ファイルではないか、以前のバージョンのスタイル ファイルです。" + kSuffix}, 15},
      {L"D:\\plain.txt", false, true, false,
       {L"W:'D:\\plain.txt'\r\nこれはスタイル ファイルではないか、以前のバージョンのスタイル ファイルです。"}, 30},
      // A file that cannot be read falls back even without LoadDefault.
      {L"D:\\locked.dlx", false, true, false, {L"W:スタイル ファイル 'D:\\locked.dlx' を開けません。\r\nlocked"}, 15},
      {L"D:\\locked.dlx", true, false, false, {}, 15},
  };
  for (const auto& c : cases) {
    Style = TStyle{};
    Style.FontSize = 30;
    Host.Messages.clear();
    EXPECT_EQ(Loader.LoadStyle(c.Path, c.LoadDefault, c.ShowMessage, true), c.Result) << testing::PrintToString(c.Path);
    EXPECT_EQ(Host.Messages, c.Messages) << testing::PrintToString(c.Path);
    EXPECT_EQ(Style.FontSize, c.FontSize) << testing::PrintToString(c.Path);
    EXPECT_FALSE(Loader.LoadingDesign);
  }
  // A load with fallback never records the file as recent (only the default
  // style file, which the recent-styles rule never adds).
  for (const std::wstring& path : Host.Recent) EXPECT_EQ(path, kDefault);
}

TEST_F(StyleLoaderTest, ShortcutsLeadToTheirTarget) {
  Host.Files[L"D:\\Styles\\real.dlx"] = StyleBytes(L"FontSize=25");
  Host.Files[L"D:\\link.lnk"] = "L\0\0\0 shell link";
  Host.Shortcuts[L"D:\\link.lnk"] = L"D:\\Styles\\real.dlx";
  EXPECT_FALSE(Loader.LoadStyle(L"D:\\link.lnk", false, true, true));  // the link itself was no style
  EXPECT_EQ(Style.FontSize, 25);
  EXPECT_EQ(Loader.LastStyleFile, L"D:\\Styles\\real.dlx");
  EXPECT_EQ(Host.Recent, std::vector<std::wstring>{L"D:\\Styles\\real.dlx"});
  EXPECT_TRUE(Host.Messages.empty());

  // Shortcuts that point at each other end with the not-a-style message.
  Host.Files[L"D:\\a.lnk"] = "a";
  Host.Files[L"D:\\b.lnk"] = "b";
  Host.Shortcuts[L"D:\\a.lnk"] = L"D:\\b.lnk";
  Host.Shortcuts[L"D:\\b.lnk"] = L"D:\\a.lnk";
  EXPECT_FALSE(Loader.LoadStyle(L"D:\\a.lnk", false, true, true));
  ASSERT_EQ(Host.Messages.size(), 1u);
  EXPECT_NE(Host.Messages[0].find(L"これはスタイル ファイルではない"), std::wstring::npos);

  // So does a shortcut to itself; the style in use stays.
  Host.Files[L"D:\\self.lnk"] = "self";
  Host.Shortcuts[L"D:\\self.lnk"] = L"D:\\self.lnk";
  EXPECT_FALSE(Loader.LoadStyle(L"D:\\self.lnk", false, true, true));
  ASSERT_EQ(Host.Messages.size(), 2u);
  EXPECT_NE(Host.Messages[1].find(L"これはスタイル ファイルではない"), std::wstring::npos);
  EXPECT_EQ(Style.FontSize, 25);
  EXPECT_EQ(Loader.LastStyleFile, L"D:\\Styles\\real.dlx");
}

TEST_F(StyleLoaderTest, ErrorsWhileApplyingFallBackAndTheChainEnds) {
  Host.Files[L"D:\\good.dlx"] = StyleBytes(L"FontSize=25");
  Host.Files[kDefault] = StyleBytes(L"FontSize=15");

  // The named file fails, the default file loads; the result still says the file was a style.
  Host.FailApplies = 1;
  EXPECT_TRUE(Loader.LoadStyle(L"D:\\good.dlx", false, true, true));
  EXPECT_EQ(Style.FontSize, 15);
  EXPECT_EQ(Host.Messages,
            std::vector<std::wstring>{L"W:スタイル ファイル 'D:\\good.dlx' を開けません。\r\nthe glyphs could not be built"});
  EXPECT_EQ(Loader.LastStyleFile, kDefault);

  // The default file fails too: the built-in defaults, silently.
  Host.Messages.clear();
  Host.Applies = 0;
  Host.FailApplies = 2;
  Loader.LoadStyle(L"D:\\good.dlx", false, true, true);
  EXPECT_EQ(Style, TStyle{});
  EXPECT_EQ(Host.Applies, 3);
  EXPECT_EQ(Host.Messages.size(), 1u);
  EXPECT_EQ(Loader.LastStyleFile, kDefault);

  // Everything fails: it stops after the built-in defaults.
  Host.Applies = 0;
  Host.FailApplies = 100;
  Loader.LoadStyle(L"D:\\good.dlx", true, false, true);
  EXPECT_EQ(Host.Applies, 3);
  EXPECT_FALSE(Loader.LoadingDesign);
}

TEST_F(StyleLoaderTest, AFolderOpensTheChooser) {
  Host.Directories.insert(L"D:\\Styles");
  Host.Files[L"D:\\Styles\\chosen.dlx"] = StyleBytes(L"FontSize=33");
  Host.Chosen = L"D:\\Styles\\chosen.dlx";
  EXPECT_FALSE(Loader.LoadStyle(L"D:\\Styles", false, true, false));
  EXPECT_EQ(Style.FontSize, 33);
  EXPECT_EQ(Host.Recent, std::vector<std::wstring>{L"D:\\Styles\\chosen.dlx"});  // a chosen file is recorded

  // Cancelled: the last style file again.
  Host.Chosen.reset();
  Style.FontSize = 1;
  EXPECT_FALSE(Loader.LoadStyle(L"D:\\Styles", false, true, false));
  EXPECT_EQ(Style.FontSize, 33);
}

TEST_F(StyleLoaderTest, SavingWaitsForTheFirstLoadThenKeepsForeignContent) {
  Host.Files[L"D:\\mine.dlx"] = EncodeUtf16LeWithBom(L"[Notes]\r\nText=keep me\r\n[Position]\r\nMonitor1=1,1,1\r\nMonitor2=2,2,1\r\nMonitor3=3,3,1\r\n");
  const std::string before = Host.Files[L"D:\\mine.dlx"];
  EXPECT_TRUE(Loader.SaveStyle(L"D:\\mine.dlx"));  // not initialised: nothing written
  EXPECT_EQ(Host.Files[L"D:\\mine.dlx"], before);

  Loader.Initialized = true;
  Style.FontSize = 11.5;
  Params = {{10, 20, true}};
  EXPECT_TRUE(Loader.SaveStyle(L"D:\\mine.dlx"));
  const TIniDocument saved = TIniDocument::FromBytes(Host.Files[L"D:\\mine.dlx"]);
  EXPECT_EQ(saved.Read(L"Notes", L"Text"), L"keep me");
  EXPECT_EQ(saved.Read(L"Design", L"FontSize"), L"11.5");
  EXPECT_EQ(saved.ReadList(L"Position"), std::vector<std::wstring>{L"10,20,1"});
  EXPECT_EQ(Loader.LastStyleFile, L"D:\\mine.dlx");
  EXPECT_EQ(Host.Recent, std::vector<std::wstring>{L"D:\\mine.dlx"});
  EXPECT_EQ(Host.PluginCalls.back(), (std::pair<int, std::wstring>{41, L"D:\\mine.dlx"}));

  // The default style file is not a recent style.
  EXPECT_TRUE(Loader.SaveStyle(kDefault));
  EXPECT_EQ(Host.Recent.size(), 1u);
}

// The default style file that could not be read at start (held for a moment
// by a backup, a sync or a virus scanner) keeps the user's look, time slots
// and clock positions: the built-in defaults that stand in for it are never
// saved over it, whether or not it has become readable by the time the program
// closes. (readable at start?, readable at close?) -> the file after close.
TEST_F(StyleLoaderTest, AnUnreadableDefaultStyleIsNotReplacedByTheStandIn) {
  const std::string mine = StyleBytes(L"FontSize=20\r\nFontColor=255");
  const struct {
    bool ReadableAtStart;
    bool ReadableAtClose;
    bool Saved;  // the current style was written; else the user's bytes are still there
    size_t Messages;
  } cases[] = {
      {true, true, true, 0},
      {false, true, false, 0},
      {false, false, false, 0},
      {true, false, false, 1},  // a file that cannot be read is never overwritten, and the user is told
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "readable at start " << c.ReadableAtStart << ", at close " << c.ReadableAtClose);
    FakeHost host;
    TStyle style;
    std::vector<TPlacement> params;
    TStyleLoader loader(style, params, host);
    loader.DefaultStyleFile = kDefault;
    host.Files[kDefault] = mine;
    if (!c.ReadableAtStart) host.Unreadable.insert(kDefault);
    loader.LoadStyle(kDefault, true, true, true);
    EXPECT_EQ(style.FontSize, c.ReadableAtStart ? 20 : TStyle{}.FontSize);
    loader.Initialized = true;
    params[0].X = 50;  // the user moves the clock meanwhile
    if (c.ReadableAtClose) host.Unreadable.erase(kDefault);
    else host.Unreadable.insert(kDefault);
    EXPECT_EQ(loader.SaveDefaultStyle(), c.Saved || c.Messages == 0);
    if (c.Saved) {
      std::vector<TPlacement> saved;
      ReadPositions(TIniDocument::FromBytes(host.Files[kDefault]), saved, 1);
      EXPECT_EQ(saved[0].X, 50);
    } else {
      EXPECT_EQ(host.Files[kDefault], mine);
    }
    EXPECT_EQ(host.Messages.size(), c.Messages);
  }
}

TEST_F(StyleLoaderTest, TheStandInEndsWhenTheUsersOwnStyleIsBack) {
  const std::string mine = StyleBytes(L"FontSize=20");
  Host.Files[kDefault] = mine;
  Host.Files[L"D:\night.dlx"] = StyleBytes(L"FontSize=30");
  Host.Unreadable.insert(kDefault);
  Loader.LoadStyle(kDefault, true, true, true);
  Loader.Initialized = true;
  EXPECT_TRUE(Loader.DefaultStyleUnread);

  // Switching styles saves the current one first: not the stand-in.
  EXPECT_TRUE(Loader.SaveDefaultStyle());
  EXPECT_EQ(Host.Files[kDefault], mine);
  // A style of the user's choice is theirs to keep in the default file.
  Host.Unreadable.erase(kDefault);
  EXPECT_TRUE(Loader.LoadStyle(L"D:\night.dlx", false, true, true));
  EXPECT_FALSE(Loader.DefaultStyleUnread);
  EXPECT_TRUE(Loader.SaveDefaultStyle());
  EXPECT_EQ(TIniDocument::FromBytes(Host.Files[kDefault]).Read(L"Design", L"FontSize"), L"30");

  // The default file read again (the lock has gone) is the user's style again.
  Host.Files[kDefault] = mine;
  Host.Unreadable.insert(kDefault);
  Loader.LoadStyle(kDefault, true, true, true);
  EXPECT_TRUE(Loader.DefaultStyleUnread);
  Host.Unreadable.erase(kDefault);
  Loader.LoadStyle(kDefault, true, true, true);
  EXPECT_FALSE(Loader.DefaultStyleUnread);
  EXPECT_EQ(Style.FontSize, 20);

  // A default file that reads but cannot be applied is kept too.
  Host.FailApplies = 1;
  Loader.LoadStyle(kDefault, true, true, true);
  EXPECT_TRUE(Loader.DefaultStyleUnread);
  EXPECT_TRUE(Loader.SaveDefaultStyle());
  EXPECT_EQ(Host.Files[kDefault], mine);
  // Saving to it on purpose is the user's decision.
  EXPECT_TRUE(Loader.SaveStyle(kDefault));
  EXPECT_FALSE(Loader.DefaultStyleUnread);
  EXPECT_NE(Host.Files[kDefault], mine);

  // Without a file there is nothing to keep: the defaults are written.
  Host.Files.erase(kDefault);
  Loader.LoadStyle(kDefault, true, true, true);
  EXPECT_FALSE(Loader.DefaultStyleUnread);
  EXPECT_TRUE(Loader.SaveDefaultStyle());
  EXPECT_EQ(Host.Files.count(kDefault), 1u);
}

TEST_F(StyleLoaderTest, AFailedSaveSaysSoAndChangesNothing) {
  Loader.Initialized = true;
  Host.FailWrites = true;
  EXPECT_FALSE(Loader.SaveStyle(L"D:\\full.dlx"));
  EXPECT_EQ(Host.Messages, std::vector<std::wstring>{L"E:スタイル ファイルを 'D:\\full.dlx' に保存できませんでした。\r\ndisk full"});
  EXPECT_EQ(Loader.LastStyleFile, kDefault);
  EXPECT_TRUE(Host.PluginCalls.empty());

  // A file that exists but cannot be read is not overwritten.
  Host.FailWrites = false;
  Host.Messages.clear();
  Host.Unreadable.insert(L"D:\\locked.dlx");
  EXPECT_FALSE(Loader.SaveStyle(L"D:\\locked.dlx"));
  EXPECT_EQ(Host.Files.count(L"D:\\locked.dlx"), 0u);
  EXPECT_EQ(Host.Messages.size(), 1u);
}

}  // namespace
}  // namespace tdialix
