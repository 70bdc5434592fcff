#include "app/settings_file.h"

#include <algorithm>
#include <cmath>

#include "app/recent_styles.h"
#include "base/comma_text.h"
#include "base/messages.h"
#include "base/number_text.h"
#include "base/text.h"

namespace tdialix {

namespace {

constexpr const wchar_t* kGeneral = L"General";
constexpr const wchar_t* kView = L"View";
constexpr const wchar_t* kOperation = L"Operation";
constexpr const wchar_t* kAdvanced = L"Advanced";
constexpr const wchar_t* kHolidays = L"Holidays";
constexpr const wchar_t* kChangeTimes = L"StyleChangeTime";
constexpr const wchar_t* kPlugins = L"Plugins";
constexpr const wchar_t* kRecentStyles = L"RecentStyles";

class TSettingsReader {
 public:
  explicit TSettingsReader(const TIniDocument& document) : Document(document) {}

  int Int(const wchar_t* section, const wchar_t* key, int fallback) const {
    const auto value = Document.Read(section, key);
    const auto number = value ? ParseInt(*value) : std::nullopt;
    return number.value_or(fallback);
  }
  std::uint8_t Byte(const wchar_t* section, const wchar_t* key, std::uint8_t fallback) const {
    return static_cast<std::uint8_t>(std::clamp(Int(section, key, fallback), 0, 255));
  }
  unsigned Unsigned(const wchar_t* section, const wchar_t* key, unsigned fallback) const {
    return static_cast<unsigned>(std::max(Int(section, key, static_cast<int>(fallback)), 0));
  }
  bool Bool(const wchar_t* section, const wchar_t* key, bool fallback) const {
    const auto value = Document.Read(section, key);
    const auto flag = value ? ParseBool(*value) : std::nullopt;
    return flag.value_or(fallback);
  }
  std::wstring String(const wchar_t* section, const wchar_t* key, const std::wstring& fallback) const {
    return Document.ReadString(section, key, fallback);
  }

 private:
  const TIniDocument& Document;
};

bool ContainsPath(const std::vector<std::wstring>& paths, const std::wstring& path) {
  return std::any_of(paths.begin(), paths.end(), [&path](const std::wstring& item) { return SameText(item, path); });
}

// The local zone's offset as a day fraction: the fractional part of -bias minutes.
TDateTime LocalOffset(int timeZoneBias) {
  const double days = std::abs(static_cast<double>(timeZoneBias)) / (24.0 * 60.0);
  return days - std::floor(days);
}

TWorldClockDirection LocalDirection(int timeZoneBias) { return timeZoneBias > 0 ? wcDec : wcInc; }

std::wstring Flag(bool value) { return value ? L"1" : L"0"; }
std::wstring Number(long long value) { return std::to_wstring(value); }

}  // namespace

TWorldClock LocalWorldClock(int timeZoneBias) {
  TWorldClock clock;
  clock.Direction = LocalDirection(timeZoneBias);
  clock.Time = clock.Direction == wcDec ? -LocalOffset(timeZoneBias) : LocalOffset(timeZoneBias);
  return clock;
}

TWorldClock ParseWorldClock(std::wstring_view text, int timeZoneBias, const TFormatSettings& formats) {
  const std::vector<std::wstring> items = SplitCommaText(text);
  if (items.size() < 4) return LocalWorldClock(timeZoneBias);
  TWorldClock clock;
  clock.Specification = ParseInt(items[0]).value_or(wcTimeZone) == wcManual ? wcManual : wcTimeZone;
  clock.Time = ParseTimeText(items[1], formats).value_or(LocalOffset(timeZoneBias));
  const int direction = ParseInt(items[2]).value_or(-1);
  clock.Direction = direction == wcInc || direction == wcDec ? static_cast<TWorldClockDirection>(direction)
                                                             : LocalDirection(timeZoneBias);
  clock.Name = items[3];
  if (clock.Direction == wcDec) clock.Time = -clock.Time;
  return clock;
}

std::wstring FormatWorldClock(const TWorldClock& w, const TFormatSettings& formats) {
  // The time text may hold blanks ("午前 5:00:00"): quoted, it stays one field.
  return Number(w.Specification) + L',' + JoinCommaText({FormatTimeText(std::abs(w.Time), formats)}) + L',' +
         Number(w.Direction) + L',' + QuoteText(w.Name);
}

int AllowedPriorityClass(int priorityClass) {
  switch (priorityClass) {
    case 128:    // high
    case 256:    // real time
    case 32768:  // above normal
      return 32;
    default:
      return priorityClass;
  }
}

TSettingsLoadResult LoadSettings(const TIniDocument* document, TSettings& s, const TSettingsEnvironment& environment) {
  const TIniDocument none;
  const TIniDocument& doc = document ? *document : none;
  const TSettings d;  // the defaults
  const TSettingsReader r(doc);

  s.SettingTab = r.Int(kGeneral, L"SettingTab", d.SettingTab);
  s.StyleTab = r.Int(kGeneral, L"StyleTab", d.StyleTab);
  s.TransParent = r.Byte(kView, L"TransParent", d.TransParent);
  s.ZOrderMode = static_cast<TZOrderMode>(r.Int(kView, L"ZOrderMode", d.ZOrderMode));
  s.ShowToolTip = r.Bool(kView, L"ShowToolTip", d.ShowToolTip);
  s.ToolTipFormat = r.String(kView, L"ToolTipFormat", d.ToolTipFormat);
  s.ShowTaskTrayIcon = r.Bool(kView, L"TrayIcon", d.ShowTaskTrayIcon);
  s.TaskTrayFormat = r.String(kView, L"TaskTrayFormat", d.TaskTrayFormat);
  s.HideTrayClock = r.Bool(kView, L"HideTrayClock", d.HideTrayClock);
  // The file says whether the clocks are locked against other programs.
  s.EnableOtherwiseShowWindow = !r.Bool(kView, L"LockVisibleChange", !d.EnableOtherwiseShowWindow);
  s.HideOnFullScreen = r.Bool(kView, L"HideOnFullScreen", d.HideOnFullScreen);
  s.HideSensitive = r.Int(kOperation, L"HideSensitive", d.HideSensitive);
  s.HideAlpha = r.Byte(kOperation, L"HideAlpha", d.HideAlpha);
  s.HideSpeed = r.Int(kOperation, L"HideSpeed", d.HideSpeed);
  s.HoleSize = r.Unsigned(kOperation, L"HoleSize", d.HoleSize);
  s.HoleAlpha = r.Byte(kOperation, L"HoleAlpha", d.HoleAlpha);
  s.HoleSoft = r.Unsigned(kOperation, L"HoleSoft", d.HoleSoft);
  s.Locked = r.Bool(kOperation, L"Locked", d.Locked);
  // An unknown reaction to the pointer reads as the default, as the style's
  // enumerations do: left as it is, it would make the clock click-through for good.
  const int hideType = r.Int(kOperation, L"HideType", d.HideType);
  s.HideType = hideType >= htNone && hideType <= htTransparent ? static_cast<THideType>(hideType) : d.HideType;
  s.ClickHide = r.Bool(kOperation, L"ClickHide", d.ClickHide);
  s.TimerInterval = r.Unsigned(kAdvanced, L"TimerInterval", d.TimerInterval);
  s.PowerSavingMode = r.Bool(kAdvanced, L"PowerSavingMode", d.PowerSavingMode);
  s.Priority = AllowedPriorityClass(r.Int(kAdvanced, L"Priority", d.Priority));

  s.HolidayList.clear();
  if (document) {
    for (const std::wstring& line : doc.ReadList(kHolidays)) {
      if (auto holiday = ParseHoliday(line)) s.HolidayList.push_back(std::move(*holiday));
    }
  } else {
    s.HolidayList = DefaultHolidays();
  }

  s.WorldClock = ParseWorldClock(r.String(kGeneral, L"WorldClock", L""), environment.TimeZoneBias, environment.Formats);
  s.AutoStyleChange = r.Bool(kView, L"AutoStyleChange", d.AutoStyleChange);

  s.ChangeTimeList.clear();
  for (const std::wstring& value : doc.ReadValues(kChangeTimes)) {
    if (auto entry = ParseChangeTime(value, environment.Formats)) s.ChangeTimeList.push_back(std::move(*entry));
  }

  if (!environment.PluginsLoaded) {
    s.PluginList.clear();
    for (const std::wstring& path : doc.ReadValues(kPlugins)) {
      // An empty value names no library.
      if (!path.empty() && !ContainsPath(s.PluginList, path)) s.PluginList.push_back(path);
    }
  }

  s.RecentStyles.clear();
  const std::vector<std::wstring> recent = doc.ReadValues(kRecentStyles);
  for (std::size_t k = 0; k < recent.size() && k < kMaxRecentStyles; ++k) {
    const std::wstring& path = recent[k];
    // The menu holds each file once, never the default style and never an empty item.
    if (path.empty() || SameText(path, environment.DefaultStyleFile) || ContainsPath(s.RecentStyles, path)) continue;
    s.RecentStyles.push_back(path);
  }

  return {s.Priority, s.ZOrderMode == zmTop || s.ZOrderMode == zmTopMost};
}

void SaveSettings(TIniDocument& doc, const TSettings& s, int priorityClass, const TSettingsEnvironment& environment,
                  unsigned lists) {
  doc.Write(kGeneral, L"SettingTab", Number(s.SettingTab));
  doc.Write(kGeneral, L"StyleTab", Number(s.StyleTab));
  doc.Write(kView, L"TransParent", Number(s.TransParent));
  doc.Write(kView, L"ZOrderMode", Number(s.ZOrderMode));
  doc.Write(kView, L"ShowToolTip", Flag(s.ShowToolTip));
  doc.Write(kView, L"ToolTipFormat", s.ToolTipFormat);
  doc.Write(kView, L"TrayIcon", Flag(s.ShowTaskTrayIcon));
  doc.Write(kView, L"TaskTrayFormat", s.TaskTrayFormat);
  doc.Write(kView, L"HideTrayClock", Flag(s.HideTrayClock));
  doc.Write(kView, L"LockVisibleChange", Flag(!s.EnableOtherwiseShowWindow));
  doc.Write(kView, L"HideOnFullScreen", Flag(s.HideOnFullScreen));
  doc.Write(kOperation, L"HideSensitive", Number(s.HideSensitive));
  doc.Write(kOperation, L"HideAlpha", Number(s.HideAlpha));
  doc.Write(kOperation, L"HideSpeed", Number(s.HideSpeed));
  doc.Write(kOperation, L"HoleSize", Number(s.HoleSize));
  doc.Write(kOperation, L"HoleAlpha", Number(s.HoleAlpha));
  doc.Write(kOperation, L"HoleSoft", Number(s.HoleSoft));
  doc.Write(kOperation, L"Locked", Flag(s.Locked));
  doc.Write(kOperation, L"HideType", Number(s.HideType));
  doc.Write(kOperation, L"ClickHide", Flag(s.ClickHide));
  doc.Write(kAdvanced, L"TimerInterval", Number(s.TimerInterval));
  doc.Write(kAdvanced, L"PowerSavingMode", Flag(s.PowerSavingMode));
  doc.Write(kAdvanced, L"Priority", Number(priorityClass));

  if (lists & slHolidays) {
    std::vector<std::wstring> values;
    values.reserve(s.HolidayList.size());
    for (const THoliday& holiday : s.HolidayList) values.push_back(FormatHoliday(holiday));
    doc.WriteList(kHolidays, L"Holiday", values);
  }

  doc.Write(kGeneral, L"WorldClock", FormatWorldClock(s.WorldClock, environment.Formats));
  doc.Write(kView, L"AutoStyleChange", Flag(s.AutoStyleChange));

  if (lists & slChangeTimes) {
    std::vector<std::wstring> values;
    values.reserve(s.ChangeTimeList.size());
    for (const TChangeTime& entry : s.ChangeTimeList) values.push_back(FormatChangeTime(entry, environment.Formats));
    doc.WriteList(kChangeTimes, L"Time", values);
  }

  if (lists & slPlugins) doc.WriteList(kPlugins, L"Plugin", s.PluginList);

  std::vector<std::wstring> recent;
  for (const std::wstring& path : s.RecentStyles) {
    if (!SameText(path, environment.DefaultStyleFile)) recent.push_back(path);
  }
  doc.WriteList(kRecentStyles, L"Style", recent);
}

}  // namespace tdialix
