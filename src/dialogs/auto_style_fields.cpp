#include "dialogs/auto_style_fields.h"

#include <algorithm>

#include "base/date_time.h"
#include "base/messages.h"
#include "base/text.h"
#include "style/style_file.h"

namespace tdialix {

std::wstring DayTypeCaption(TDayType dayType) {
  switch (dayType) {
    case dtHoliday:
      return MessageString(TMsg::DayTypeHoliday);
    case dtSaturday:
      return MessageString(TMsg::DayTypeSaturday);
    case dtSunday:
      return MessageString(TMsg::DayTypeSunday);
    default:
      return MessageString(TMsg::DayTypeWeekDay);
  }
}

std::vector<std::wstring> DayTypeCaptions() {
  return {DayTypeCaption(dtWeekDay), DayTypeCaption(dtHoliday), DayTypeCaption(dtSaturday), DayTypeCaption(dtSunday)};
}

std::wstring StyleDisplayName(std::wstring_view path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
  // A name that is all extension (".dlx") keeps it: it has nothing else to show.
  if (const std::size_t dot = name.rfind(L'.'); dot != std::wstring_view::npos && dot > 0) name = name.substr(0, dot);
  return std::wstring(name);
}

TAutoStyleRow AutoStyleRow(const TChangeTime& entry, const TFormatSettings& formats) {
  return {entry, FormatTimeText(TimeOf(entry.ChangeTime), formats), StyleDisplayName(entry.Style)};
}

std::wstring AutoStyleTimeCell(const TAutoStyleRow& row, bool grouped) {
  return grouped ? row.TimeText : DayTypeCaption(row.Entry.DayType) + L" " + row.TimeText;
}

bool AutoStyleRowBefore(const TAutoStyleRow& a, const TAutoStyleRow& b) {
  if (a.Entry.DayType != b.Entry.DayType) return a.Entry.DayType < b.Entry.DayType;
  const int ta = SecondOfDay(a.Entry.ChangeTime);
  const int tb = SecondOfDay(b.Entry.ChangeTime);
  if (ta != tb) return ta < tb;
  return CompareText(a.StyleText, b.StyleText) < 0;
}

void SortAutoStyleRows(std::vector<TAutoStyleRow>& rows) {
  std::stable_sort(rows.begin(), rows.end(), AutoStyleRowBefore);
}

std::vector<TAutoStyleRow> AutoStyleRows(const std::vector<TChangeTime>& list, const TFormatSettings& formats) {
  std::vector<TAutoStyleRow> rows;
  rows.reserve(list.size());
  for (const TChangeTime& entry : list) rows.push_back(AutoStyleRow(entry, formats));
  SortAutoStyleRows(rows);
  return rows;
}

std::vector<TChangeTime> AutoStyleResult(const std::vector<TAutoStyleRow>& rows) {
  std::vector<TChangeTime> list;
  list.reserve(rows.size());
  for (const TAutoStyleRow& row : rows) list.push_back(row.Entry);
  ClearChanged(list);
  return list;
}

bool CanConfirmAutoStyle(std::wstring_view style) { return !style.empty(); }

bool IsStyleFileContent(std::string_view bytes, const TAnsiDecoder& ansi) {
  return HasStyleVersion(TIniDocument::FromBytes(bytes, ansi));
}

TAutoStyleLayout AutoStyleLayout() {
  TAutoStyleLayout l;
  l.ClientSize = {420, 322};
  l.EnableCheck = {12, 12, 260, 19, MessageString(TMsg::AutoStyleEnable)};
  l.Group = {12, 40, 396, 236, MessageString(TMsg::AutoStyleGroup)};
  l.List = {12, 22, 282, 200};
  l.AddButton = {306, 22, 78, 25, MessageString(TMsg::ListAddButton)};
  l.ChangeButton = {306, 53, 78, 25, MessageString(TMsg::ListChangeButton)};
  l.DeleteButton = {306, 84, 78, 25, MessageString(TMsg::ListDeleteButton)};
  l.OKButton = {252, 286, 75, 25, L"OK"};
  l.CancelButton = {333, 286, 75, 25, MessageString(TMsg::CancelButton)};
  l.TimeColumnWidth = 112;
  l.StyleColumnWidth = 146;
  return l;
}

TAddAutoStyleLayout AddAutoStyleLayout() {
  TAddAutoStyleLayout l;
  l.ClientSize = {372, 148};
  l.DayTypeLabel = {12, 16, 100, 15, MessageString(TMsg::DayTypeLabel)};
  l.DayTypeCombo = {116, 12, 120, 23};
  l.StyleLabel = {12, 48, 100, 15, MessageString(TMsg::AddAutoStyleStyleLabel)};
  l.StyleEdit = {116, 44, 162, 23};
  l.BrowseButton = {284, 43, 76, 25, MessageString(TMsg::BrowseButton)};
  l.TimeLabel = {12, 80, 100, 15, MessageString(TMsg::AddAutoStyleTimeLabel)};
  l.TimePicker = {116, 76, 100, 23};
  l.OKButton = {204, 112, 75, 25, L"OK"};
  l.CancelButton = {285, 112, 75, 25, MessageString(TMsg::CancelButton)};
  return l;
}

}  // namespace tdialix
