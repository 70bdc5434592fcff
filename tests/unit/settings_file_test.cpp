#include "app/settings_file.h"

#include <climits>
#include <functional>

#include <gtest/gtest.h>

namespace tdialix {
namespace {

const std::wstring kDefaultStyle = L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\Default.dlx";

TDateTime Time(int h, int m, int s = 0) { return *TryEncodeTime(h, m, s, 0); }

TSettingsEnvironment Japan() {
  TSettingsEnvironment environment;
  environment.DefaultStyleFile = kDefaultStyle;
  environment.TimeZoneBias = -540;
  return environment;
}

TSettings Load(const std::wstring& text, const TSettingsEnvironment& environment = Japan()) {
  const TIniDocument document = TIniDocument::Parse(text);
  TSettings settings;
  LoadSettings(&document, settings, environment);
  return settings;
}

TIniDocument Saved(const TSettings& settings, int priorityClass = 64, const TSettingsEnvironment& environment = Japan()) {
  TIniDocument document;
  SaveSettings(document, settings, priorityClass, environment);
  return document;
}

// ---- Missing and empty files

TEST(SettingsFile, WithoutAFileTheDefaultsAndTheBuiltInHolidays) {
  TSettings settings;
  settings.HideSpeed = 3;  // whatever was there before
  settings.PluginList = {L"C:\\old.dll"};
  const TSettingsLoadResult result = LoadSettings(nullptr, settings, Japan());

  TSettings expected;
  expected.HolidayList = DefaultHolidays();
  expected.WorldClock = LocalWorldClock(-540);
  EXPECT_EQ(settings, expected);
  EXPECT_EQ(settings.HolidayList.size(), 16u);
  EXPECT_TRUE(settings.PluginList.empty());  // the shell looks into the "Plugins" folder
  EXPECT_EQ(result.PriorityClass, 64);
  EXPECT_TRUE(result.ClocksTopMost);

  // The first save puts the table into the file.
  const TSettings reread = Load(Saved(settings).Text());
  EXPECT_EQ(reread.HolidayList, DefaultHolidays());
}

TEST(SettingsFile, AFileWithoutHolidaysHasNone) {
  const TSettings settings = Load(L"[General]\r\nSettingTab=0\r\n");
  TSettings expected;
  expected.WorldClock = LocalWorldClock(-540);
  EXPECT_EQ(settings, expected);
  EXPECT_TRUE(settings.HolidayList.empty());
}

// ---- Single keys

TEST(SettingsFile, EachKeyReachesItsMemberAndIsWrittenBack) {
  const struct {
    const wchar_t* Section;
    const wchar_t* Key;
    const wchar_t* Value;
    std::function<bool(const TSettings&)> Holds;
    const wchar_t* Written;
  } cases[] = {
      {L"General", L"SettingTab", L"3", [](const TSettings& s) { return s.SettingTab == 3; }, L"3"},
      {L"General", L"StyleTab", L"-7", [](const TSettings& s) { return s.StyleTab == -7; }, L"-7"},
      {L"View", L"TransParent", L"55", [](const TSettings& s) { return s.TransParent == 55; }, L"55"},
      {L"View", L"TransParent", L"150", [](const TSettings& s) { return s.TransParent == 150; }, L"150"},
      {L"View", L"TransParent", L"300", [](const TSettings& s) { return s.TransParent == 255; }, L"255"},
      {L"View", L"TransParent", L"-1", [](const TSettings& s) { return s.TransParent == 0; }, L"0"},
      {L"View", L"TransParent", L"much", [](const TSettings& s) { return s.TransParent == 100; }, L"100"},
      {L"view", L"transparent", L"42", [](const TSettings& s) { return s.TransParent == 42; }, L"42"},
      {L"View", L"ZOrderMode", L"2", [](const TSettings& s) { return s.ZOrderMode == zmTopMost; }, L"2"},
      {L"View", L"ZOrderMode", L"9", [](const TSettings& s) { return s.ZOrderMode == 9; }, L"9"},
      {L"View", L"ShowToolTip", L"1", [](const TSettings& s) { return s.ShowToolTip; }, L"1"},
      {L"View", L"ShowToolTip", L"-5", [](const TSettings& s) { return s.ShowToolTip; }, L"1"},
      {L"View", L"ShowToolTip", L"yes", [](const TSettings& s) { return !s.ShowToolTip; }, L"0"},
      {L"View", L"ToolTipFormat", L"", [](const TSettings& s) { return s.ToolTipFormat.empty(); }, L""},
      {L"View", L"ToolTipFormat", L"HH:mm|dddd", [](const TSettings& s) { return s.ToolTipFormat == L"HH:mm|dddd"; },
       L"HH:mm|dddd"},
      {L"View", L"ToolTipFormat", L"'a=b', \"c\"", [](const TSettings& s) { return s.ToolTipFormat == L"'a=b', \"c\""; },
       L"'a=b', \"c\""},
      {L"View", L"TrayIcon", L"0", [](const TSettings& s) { return !s.ShowTaskTrayIcon; }, L"0"},
      {L"View", L"TaskTrayFormat", L"yyyy|H:mm", [](const TSettings& s) { return s.TaskTrayFormat == L"yyyy|H:mm"; },
       L"yyyy|H:mm"},
      {L"View", L"TaskTrayFormat", L"", [](const TSettings& s) { return s.TaskTrayFormat.empty(); }, L""},
      {L"View", L"HideTrayClock", L"1", [](const TSettings& s) { return s.HideTrayClock; }, L"1"},
      {L"View", L"LockVisibleChange", L"1", [](const TSettings& s) { return !s.EnableOtherwiseShowWindow; }, L"1"},
      {L"View", L"LockVisibleChange", L"0", [](const TSettings& s) { return s.EnableOtherwiseShowWindow; }, L"0"},
      {L"View", L"LockVisibleChange", L"x", [](const TSettings& s) { return s.EnableOtherwiseShowWindow; }, L"0"},
      {L"View", L"AutoStyleChange", L"1", [](const TSettings& s) { return s.AutoStyleChange; }, L"1"},
      {L"View", L"HideOnFullScreen", L"0", [](const TSettings& s) { return !s.HideOnFullScreen; }, L"0"},
      {L"View", L"HideOnFullScreen", L"", [](const TSettings& s) { return s.HideOnFullScreen; }, L"1"},
      {L"Operation", L"HideSensitive", L"2147483647", [](const TSettings& s) { return s.HideSensitive == INT_MAX; },
       L"2147483647"},
      {L"Operation", L"HideSensitive", L"-2147483648", [](const TSettings& s) { return s.HideSensitive == INT_MIN; },
       L"-2147483648"},
      {L"Operation", L"HideSensitive", L"99999999999", [](const TSettings& s) { return s.HideSensitive == 10; }, L"10"},
      {L"Operation", L"HideAlpha", L"0", [](const TSettings& s) { return s.HideAlpha == 0; }, L"0"},
      {L"Operation", L"HideSpeed", L"-80", [](const TSettings& s) { return s.HideSpeed == -80; }, L"-80"},
      {L"Operation", L"HoleSize", L"2147483647", [](const TSettings& s) { return s.HoleSize == 2147483647u; },
       L"2147483647"},
      {L"Operation", L"HoleSize", L"-1", [](const TSettings& s) { return s.HoleSize == 0; }, L"0"},
      {L"Operation", L"HoleAlpha", L"100", [](const TSettings& s) { return s.HoleAlpha == 100; }, L"100"},
      {L"Operation", L"HoleSoft", L"$20", [](const TSettings& s) { return s.HoleSoft == 32; }, L"32"},
      {L"Operation", L"Locked", L"1", [](const TSettings& s) { return s.Locked; }, L"1"},
      {L"Operation", L"HideType", L"2", [](const TSettings& s) { return s.HideType == htHole; }, L"2"},
      {L"Operation", L"HideType", L"3", [](const TSettings& s) { return s.HideType == htTransparent; }, L"3"},
      // An unknown reaction to the pointer would leave the clock click-through for good.
      {L"Operation", L"HideType", L"-3", [](const TSettings& s) { return s.HideType == htNone; }, L"0"},
      {L"Operation", L"HideType", L"4", [](const TSettings& s) { return s.HideType == htNone; }, L"0"},
      {L"Operation", L"ClickHide", L"1", [](const TSettings& s) { return s.ClickHide; }, L"1"},
      {L"Advanced", L"TimerInterval", L"8", [](const TSettings& s) { return s.TimerInterval == 8; }, L"8"},
      {L"Advanced", L"TimerInterval", L"1000", [](const TSettings& s) { return s.TimerInterval == 1000; }, L"1000"},
      {L"Advanced", L"PowerSavingMode", L"0", [](const TSettings& s) { return !s.PowerSavingMode; }, L"0"},
  };
  for (const auto& c : cases) {
    const std::wstring text = std::wstring(L"[") + c.Section + L"]\r\n" + c.Key + L"=" + c.Value + L"\r\n";
    const TSettings settings = Load(text);
    EXPECT_TRUE(c.Holds(settings)) << testing::PrintToString(text);
    EXPECT_EQ(Saved(settings).Read(c.Section, c.Key), std::optional<std::wstring>(c.Written))
        << testing::PrintToString(text);
  }
}

TEST(SettingsFile, PriorityAboveNormalStartsAtNormal) {
  const struct {
    const wchar_t* Text;
    int Priority;
  } cases[] = {
      {L"Priority=128", 32},      // high
      {L"Priority=256", 32},      // real time
      {L"Priority=32768", 32},    // above normal
      {L"Priority=16384", 16384}, // below normal
      {L"Priority=32", 32},
      {L"Priority=64", 64},
      {L"", 64},
      {L"Priority=fast", 64},
  };
  for (const auto& c : cases) {
    const TIniDocument document = TIniDocument::Parse(std::wstring(L"[Advanced]\r\n") + c.Text);
    TSettings settings;
    const TSettingsLoadResult result = LoadSettings(&document, settings, Japan());
    EXPECT_EQ(result.PriorityClass, c.Priority) << testing::PrintToString(std::wstring(c.Text));
    EXPECT_EQ(settings.Priority, c.Priority) << testing::PrintToString(std::wstring(c.Text));
  }
  // The save writes the class the process runs with, whatever the record says.
  TSettings settings = Load(L"[Advanced]\r\nPriority=128\r\n");
  EXPECT_EQ(Saved(settings, 32).Read(L"Advanced", L"Priority"), L"32");
  EXPECT_EQ(Saved(settings, 16384).Read(L"Advanced", L"Priority"), L"16384");
}

TEST(SettingsFile, ClocksStayOnTopInTheTopModes) {
  const struct {
    int Mode;
    bool TopMost;
  } cases[] = {{zmNormal, false}, {zmTop, true}, {zmTopMost, true}, {zmBottom, false}, {9, false}};
  for (const auto& c : cases) {
    const TIniDocument document = TIniDocument::Parse(L"[View]\r\nZOrderMode=" + std::to_wstring(c.Mode));
    TSettings settings;
    EXPECT_EQ(LoadSettings(&document, settings, Japan()).ClocksTopMost, c.TopMost) << c.Mode;
  }
}

// ---- Whole record

TSettings OddSettings() {
  TSettings s;
  s.SettingTab = -1;
  s.StyleTab = INT_MAX;
  s.WorldClock = {wcManual, -Time(1, 30), wcDec, L"Name, with \"quotes\""};
  s.TransParent = 0;
  s.ZOrderMode = static_cast<TZOrderMode>(7);
  s.ShowToolTip = true;
  s.ToolTipFormat = L"HH:mm|dddd";
  s.ShowTaskTrayIcon = false;
  s.TaskTrayFormat = L"yyyy'年'|\"q\", a=b";
  s.HideTrayClock = true;
  s.EnableOtherwiseShowWindow = false;
  s.AutoStyleChange = true;
  s.HideSensitive = INT_MIN;
  s.HideAlpha = 255;
  s.HideSpeed = -1;
  s.HoleSize = 2147483647u;
  s.HoleAlpha = 0;
  s.HoleSoft = 400;
  s.Locked = true;
  s.HideType = htTransparent;
  s.ClickHide = true;
  s.TimerInterval = 0;
  s.PowerSavingMode = false;
  s.Priority = 16384;
  s.HolidayList = {{htPrivate, hsDayOfWeek, 13, -1, 99, L"", true},
                   {htPublic, hsDate, 2, 0, 29, L"a, \"b\"  c", false}};
  s.ChangeTimeList = {{dtSunday, L"C:\\My Styles\\a, \"b\".dlx", Time(23, 59, 59)}, {dtHoliday, L"", 0}};
  s.PluginList = {L"C:\\p,1.dll", L"C:\\\"q\".dll"};
  s.RecentStyles = {L"C:\\a, b.dlx", L"\"quoted\".dlx", L"D:\\c=d.dlx"};
  return s;
}

TEST(SettingsFile, EveryMemberReadsBackAsItWasWritten) {
  const TSettings odd = OddSettings();
  const TIniDocument first = Saved(odd, odd.Priority);
  const TIniDocument reread = TIniDocument::FromBytes(first.ToBytes());  // as the file holds it
  TSettings settings;
  LoadSettings(&reread, settings, Japan());
  EXPECT_EQ(settings, odd);
  EXPECT_EQ(Saved(settings, settings.Priority).Text(), first.Text());

  // The defaults too, with the world clock as loading makes it.
  TSettings plain;
  plain.WorldClock = LocalWorldClock(-540);
  EXPECT_EQ(Load(Saved(plain).Text()), plain);
}

TEST(SettingsFile, SavedInTheOrderOfTheFile) {
  TSettings settings;
  settings.WorldClock = LocalWorldClock(-540);
  settings.HolidayList = {DefaultHolidays().front()};
  settings.ChangeTimeList = {{dtWeekDay, L"C:\\styles\\morning.dlx", Time(7, 0)}};
  settings.PluginList = {L"C:\\TDialix\\Plugins\\alarm.dll"};
  settings.RecentStyles = {L"C:\\styles\\night.dlx"};
  EXPECT_EQ(Saved(settings).Text(),
            L"[General]\r\n"
            L"SettingTab=0\r\n"
            L"StyleTab=0\r\n"
            L"WorldClock=0,9:00:00,0,\"\"\r\n"
            L"\r\n"
            L"[View]\r\n"
            L"TransParent=100\r\n"
            L"ZOrderMode=1\r\n"
            L"ShowToolTip=0\r\n"
            L"ToolTipFormat=\r\n"
            L"TrayIcon=1\r\n"
            L"TaskTrayFormat=\r\n"
            L"HideTrayClock=0\r\n"
            L"LockVisibleChange=0\r\n"
            L"HideOnFullScreen=1\r\n"
            L"AutoStyleChange=0\r\n"
            L"\r\n"
            L"[Operation]\r\n"
            L"HideSensitive=10\r\n"
            L"HideAlpha=25\r\n"
            L"HideSpeed=80\r\n"
            L"HoleSize=100\r\n"
            L"HoleAlpha=90\r\n"
            L"HoleSoft=0\r\n"
            L"Locked=0\r\n"
            L"HideType=0\r\n"
            L"ClickHide=0\r\n"
            L"\r\n"
            L"[Advanced]\r\n"
            L"TimerInterval=32\r\n"
            L"PowerSavingMode=1\r\n"
            L"Priority=64\r\n"
            L"\r\n"
            L"[Holidays]\r\n"
            L"Holiday1=0,0,1,0,1,1,\"元日\"\r\n"
            L"\r\n"
            L"[StyleChangeTime]\r\n"
            L"Time1=0,\"C:\\styles\\morning.dlx\",7:00:00\r\n"
            L"\r\n"
            L"[Plugins]\r\n"
            L"Plugin1=C:\\TDialix\\Plugins\\alarm.dll\r\n"
            L"\r\n"
            L"[RecentStyles]\r\n"
            L"Style1=C:\\styles\\night.dlx\r\n");
}

TEST(SettingsFile, SavingKeepsWhatOthersWroteAndRenumbersTheLists) {
  TIniDocument document = TIniDocument::Parse(
      L"[View]\r\nTransParent=20\r\nFuture=1\r\n"
      L"[Holidays]\r\nHoliday1=0,0,1,0,1,1,a\r\nHoliday7=0,0,2,0,1,1,b\r\nnote\r\n"
      L"[MyPlugin]\r\nColour=red\r\n");
  TSettings settings;
  LoadSettings(&document, settings, Japan());
  settings.HolidayList.erase(settings.HolidayList.begin());
  SaveSettings(document, settings, 64, Japan());
  EXPECT_EQ(document.Read(L"View", L"TransParent"), L"20");
  EXPECT_EQ(document.Read(L"View", L"Future"), L"1");
  EXPECT_EQ(document.Read(L"MyPlugin", L"Colour"), L"red");
  EXPECT_EQ(document.ReadList(L"Holidays"), std::vector<std::wstring>{L"0,0,2,0,1,1,\"b\""});
  EXPECT_EQ(document.Keys(L"Holidays"), std::vector<std::wstring>{L"Holiday1"});
}

TEST(SettingsFile, AListLeftOutOfASaveStaysAsItWas) {
  const std::wstring old =
      L"[Holidays]\r\nHoliday1=0,0,1,0,1,1,old\r\n"
      L"[StyleChangeTime]\r\nTime1=0,old.dlx,7:00:00\r\n"
      L"[Plugins]\r\nPlugin1=old.dll\r\n";
  TSettings settings;
  settings.HolidayList = {{htPrivate, hsDate, 3, 1, 3, L"new", false}};
  settings.ChangeTimeList = {{dtSunday, L"new.dlx", Time(8, 0)}};
  settings.PluginList = {L"new.dll"};
  const struct {
    unsigned Lists;
    const wchar_t* Section;
    const wchar_t* Old;
  } cases[] = {
      {slAllLists & ~slHolidays, L"Holidays", L"0,0,1,0,1,1,old"},
      {slAllLists & ~slChangeTimes, L"StyleChangeTime", L"0,old.dlx,7:00:00"},
      {slAllLists & ~slPlugins, L"Plugins", L"old.dll"},
  };
  for (const auto& c : cases) {
    TIniDocument document = TIniDocument::Parse(old);
    SaveSettings(document, settings, 64, Japan(), c.Lists);
    for (const wchar_t* section : {L"Holidays", L"StyleChangeTime", L"Plugins"}) {
      const std::vector<std::wstring> values = document.ReadList(section);
      ASSERT_EQ(values.size(), 1u) << section;
      EXPECT_EQ(values[0] == c.Old, std::wstring(section) == c.Section) << c.Section << " / " << section;
    }
  }
}

// ---- List sections

TEST(SettingsFile, RecentStylesFromTheFirstFiveLines) {
  const struct {
    std::wstring Lines;
    std::vector<std::wstring> Recent;
    const char* What;
  } cases[] = {
      {L"Style1=a.dlx\r\nStyle2=b.dlx\r\nStyle3=c.dlx\r\nStyle4=d.dlx\r\nStyle5=e.dlx\r\nStyle6=f.dlx\r\nStyle7=g.dlx",
       {L"a.dlx", L"b.dlx", L"c.dlx", L"d.dlx", L"e.dlx"}, "seven lines give five"},
      {L"Style1=a.dlx\r\nStyle2=C:\\USERS\\U\\AppData\\Roaming\\Team Orvane\\TDialix\\default.DLX\r\nStyle3=b.dlx",
       {L"a.dlx", L"b.dlx"}, "the default style is never an item, in any case"},
      {L"x=a.dlx\r\nStyle9=b.dlx", {L"a.dlx", L"b.dlx"}, "any key, file order"},
      {L"Style1=C:\\a=b.dlx", {L"C:\\a=b.dlx"}, "the text after the first ="},
      {L"Style1=a.dlx\r\nStyle2=A.DLX\r\nStyle3=\r\nStyle4=b.dlx", {L"a.dlx", L"b.dlx"},
       "each file once, no empty item"},
      {L"a.dlx\r\nStyle1=b.dlx", {L"b.dlx"}, "a line without a key names no file"},
      {L"Style1=1\r\nStyle2=2\r\nStyle3=3\r\nStyle4=4\r\nStyle5=" + kDefaultStyle + L"\r\nStyle6=6",
       {L"1", L"2", L"3", L"4"}, "a skipped line still counts"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Load(L"[RecentStyles]\r\n" + c.Lines).RecentStyles, c.Recent) << c.What;
  }
}

TEST(SettingsFile, RecentStylesAreWrittenWithoutTheDefaultStyle) {
  TSettings settings;
  settings.RecentStyles = {L"a.dlx", kDefaultStyle, L"b.dlx"};
  const TIniDocument document = Saved(settings);
  EXPECT_EQ(document.Keys(L"RecentStyles"), (std::vector<std::wstring>{L"Style1", L"Style2"}));
  EXPECT_EQ(document.ReadList(L"RecentStyles"), (std::vector<std::wstring>{L"a.dlx", L"b.dlx"}));
}

TEST(SettingsFile, PluginListWithoutDuplicates) {
  const struct {
    const wchar_t* Lines;
    std::vector<std::wstring> Plugins;
    const char* What;
  } cases[] = {
      {L"Plugin1=C:\\p\\a.dll\r\nPlugin2=C:\\p\\b.dll\r\nPlugin3=c:\\P\\A.DLL",
       {L"C:\\p\\a.dll", L"C:\\p\\b.dll"}, "a path already listed, in any case"},
      {L"Plugin2=b.dll\r\nPlugin1=a.dll", {L"b.dll", L"a.dll"}, "file order, whatever the keys"},
      {L"Plugin1=C:\\x=y\\a.dll", {L"C:\\x=y\\a.dll"}, "the text after the first ="},
      {L"Plugin1=\r\nC:\\bare.dll\r\n;Plugin2=c.dll\r\nPlugin3=d.dll", {L"d.dll"},
       "empty values, lines without a key and comments name no library"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Load(std::wstring(L"[Plugins]\r\n") + c.Lines).PluginList, c.Plugins) << c.What;
  }
}

TEST(SettingsFile, APluginListLoadedOnceStays) {
  const TIniDocument document = TIniDocument::Parse(L"[Plugins]\r\nPlugin1=new.dll\r\n");
  TSettings settings;
  settings.PluginList = {L"loaded.dll"};
  TSettingsEnvironment environment = Japan();
  environment.PluginsLoaded = true;
  LoadSettings(&document, settings, environment);
  EXPECT_EQ(settings.PluginList, std::vector<std::wstring>{L"loaded.dll"});
}

TEST(SettingsFile, HolidayLines) {
  const TSettings settings = Load(
      L"[Holidays]\r\n"
      L"Holiday1=0,0,5,0,3\r\n"                        // too few fields
      L"Holiday2=0,0,5,0,3,1\r\n"                      // six fields
      L"0,1, 1,2, 1,1,成人の日\r\n"                    // no key: the whole line
      L"Holiday4=\r\n"                                 // nothing
      L"; 0,0,1,0,1,1,comment\r\n"                     // a comment
      L"Holiday5=1,0,12,0,31,0,\"大晦日, 私休\"\r\n");
  const std::vector<THoliday> expected = {{htPublic, hsDayOfWeek, 1, 2, 1, L"成人の日", true},
                                          {htPrivate, hsDate, 12, 0, 31, L"大晦日, 私休", false}};
  EXPECT_EQ(settings.HolidayList, expected);
}

TEST(SettingsFile, ChangeTimeLines) {
  const TSettings settings = Load(
      L"[StyleChangeTime]\r\n"
      L"Time1=0,\"C:\\a.dlx\",7:00:00\r\n"
      L"Time2=1,\"C:\\b.dlx\"\r\n"   // too few fields
      L"3,\"C:\\bare.dlx\",8:00:00\r\n"  // no key: no entry
      L"Time4=2,\"C:\\c.dlx\",19:30:00\r\n");
  const std::vector<TChangeTime> expected = {{dtWeekDay, L"C:\\a.dlx", Time(7, 0)},
                                             {dtSaturday, L"C:\\c.dlx", Time(19, 30)}};
  EXPECT_EQ(settings.ChangeTimeList, expected);

  // Applied entries start over after a load.
  TSettings applied = settings;
  applied.ChangeTimeList[0].Changed = true;
  EXPECT_FALSE(Load(Saved(applied).Text()).ChangeTimeList[0].Changed);
}

// ---- World clock text form

TEST(WorldClockText, FewerThanFourFieldsShowLocalTime) {
  const struct {
    int Bias;
    TWorldClockDirection Direction;
  } zones[] = {{-540, wcInc}, {300, wcDec}, {0, wcInc}, {-330, wcInc}, {210, wcDec}};
  for (const auto& zone : zones) {
    for (const wchar_t* text : {L"", L"1", L"1,2:00:00,0"}) {
      const TWorldClock clock = ParseWorldClock(text, zone.Bias, {});
      EXPECT_EQ(clock.Specification, wcTimeZone) << zone.Bias;
      EXPECT_EQ(clock.Direction, zone.Direction) << zone.Bias;
      EXPECT_TRUE(clock.Name.empty());
      // Local time to UTC and back again: no shift at all.
      EXPECT_NEAR(zone.Bias / 1440.0 + clock.Time, 0.0, 1e-12) << zone.Bias;
      EXPECT_EQ(clock, LocalWorldClock(zone.Bias));
    }
  }
  // A file without the key: local time as well.
  EXPECT_EQ(Load(L"[General]\r\nSettingTab=1\r\n", Japan()).WorldClock, LocalWorldClock(-540));
}

TEST(WorldClockText, FieldsAndTheirDefaults) {
  const int bias = 300;  // UTC-5: local time is 5 hours behind UTC
  const TDateTime local = 300 / 1440.0;
  const struct {
    const wchar_t* Text;
    TWorldClock Clock;
  } cases[] = {
      {L"0,5:00:00,1,\"Eastern Standard Time\"", {wcTimeZone, -Time(5, 0), wcDec, L"Eastern Standard Time"}},
      {L"1, 1:30:00 , 0 ,Tokyo", {wcManual, Time(1, 30), wcInc, L"Tokyo"}},
      {L"x,1:30:00,0,a", {wcTimeZone, Time(1, 30), wcInc, L"a"}},
      {L"7,1:30:00,0,a", {wcTimeZone, Time(1, 30), wcInc, L"a"}},
      {L"1,never,0,a", {wcManual, local, wcInc, L"a"}},
      {L"1,never,1,a", {wcManual, -local, wcDec, L"a"}},
      {L"1,1:30:00,x,a", {wcManual, -Time(1, 30), wcDec, L"a"}},  // the direction local time has
      {L"1,1:30:00,5,a", {wcManual, -Time(1, 30), wcDec, L"a"}},
      {L"1,0:00:00,1,\"a, \"\"b\"\"\"", {wcManual, -0.0, wcDec, L"a, \"b\""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseWorldClock(c.Text, bias, {}), c.Clock) << testing::PrintToString(std::wstring(c.Text));
  }
  EXPECT_EQ(ParseWorldClock(L"1,1:30:00,x,a", -540, {}).Direction, wcInc);
}

TEST(WorldClockText, WrittenWithTheShiftsMagnitude) {
  EXPECT_EQ(FormatWorldClock({wcTimeZone, -Time(5, 0), wcDec, L"Eastern Standard Time"}, {}),
            L"0,5:00:00,1,\"Eastern Standard Time\"");
  EXPECT_EQ(FormatWorldClock({wcManual, Time(1, 30), wcInc, L""}, {}), L"1,1:30:00,0,\"\"");
}

// A locale whose times hold a blank ("午後 7:30:00", "7:30:00 PM") keeps the time one field.
TEST(TimeFieldsText, ReadBackInEveryLocale) {
  TFormatSettings marked;
  marked.LongTimeFormat = L"tt h:mm:ss";
  TFormatSettings english;
  english.LongTimeFormat = L"h:mm:ss tt";
  english.TimeAMString = L"AM";
  english.TimePMString = L"PM";
  for (const TFormatSettings& formats : {TFormatSettings{}, marked, english}) {
    const TWorldClock clock{wcManual, -Time(13, 30), wcDec, L"x"};
    EXPECT_EQ(ParseWorldClock(FormatWorldClock(clock, formats), 0, formats), clock) << FormatWorldClock(clock, formats);
    const TChangeTime entry{dtSunday, L"C:\\a.dlx", Time(19, 30)};
    EXPECT_EQ(ParseChangeTime(FormatChangeTime(entry, formats), formats), entry)
        << FormatChangeTime(entry, formats);
  }
}

// ---- Change time text form

TEST(ChangeTimeText, FieldsAndTheirDefaults) {
  const struct {
    const wchar_t* Text;
    std::optional<TChangeTime> Entry;
  } cases[] = {
      {L"0,\"C:\\a.dlx\",7:00:00", TChangeTime{dtWeekDay, L"C:\\a.dlx", Time(7, 0)}},
      {L"3,\"C:\\My Styles\\night, late.dlx\",23:30:00", TChangeTime{dtSunday, L"C:\\My Styles\\night, late.dlx", Time(23, 30)}},
      {L"1,b.dlx,9:05", TChangeTime{dtHoliday, L"b.dlx", Time(9, 5)}},
      {L"x,b.dlx,9:05", TChangeTime{dtWeekDay, L"b.dlx", Time(9, 5)}},
      {L"9,b.dlx,9:05", TChangeTime{dtWeekDay, L"b.dlx", Time(9, 5)}},
      {L"2,b.dlx,noon", TChangeTime{dtSaturday, L"b.dlx", 0}},
      {L"2,b.dlx,9:05,extra", TChangeTime{dtSaturday, L"b.dlx", Time(9, 5)}},
      {L"2,\"b.dlx\"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseChangeTime(c.Text, {}), c.Entry) << testing::PrintToString(std::wstring(c.Text));
  }
}

TEST(ChangeTimeText, AnyPathReadsBackAsItWas) {
  EXPECT_EQ(FormatChangeTime({dtSaturday, L"C:\\a.dlx", Time(7, 0)}, {}), L"2,\"C:\\a.dlx\",7:00:00");
  for (const wchar_t* path : {L"C:\\a, b.dlx", L"C:\\\"odd\".dlx", L"", L"\"", L"C:\\x=y z.dlx"}) {
    const TChangeTime entry{dtHoliday, path, Time(0, 0, 1)};
    EXPECT_EQ(ParseChangeTime(FormatChangeTime(entry, {}), {}), entry) << testing::PrintToString(std::wstring(path));
  }
}

}  // namespace
}  // namespace tdialix
