// The automatic style change dialogs "スタイルの自動切り替え" and
// "自動切り替えの設定" without their windows: the list's rows and their order,
// the list OK gives, the identity check of a chosen file, and the layouts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/date_format.h"
#include "base/geometry.h"
#include "base/ini_document.h"
#include "base/types.h"
#include "calendar/style_change.h"
#include "components/form_layout.h"

namespace tdialix {

// The group caption of a day type: "平日", "休日", "土曜日", "日曜日".
std::wstring DayTypeCaption(TDayType dayType);
// The day types in the order of the "種類:" combo boxes (their numbers).
std::vector<std::wstring> DayTypeCaptions();

// What the list shows of a style file: its name without folder and extension.
std::wstring StyleDisplayName(std::wstring_view path);

// One row of the list: the entry with the texts it shows.
struct TAutoStyleRow {
  TChangeTime Entry;
  std::wstring TimeText;   // the locale's time format
  std::wstring StyleText;  // StyleDisplayName of the path
  bool operator==(const TAutoStyleRow&) const = default;
};
TAutoStyleRow AutoStyleRow(const TChangeTime& entry, const TFormatSettings& formats);
// The text of the row's "時間" column: the time, under its day type's group
// header; where the list cannot show groups, the day type leads the time.
std::wstring AutoStyleTimeCell(const TAutoStyleRow& row, bool grouped);

// Whether row a stands before row b: by day type, then time of day (to the
// second, as the list shows it), then the shown name without regard to case.
bool AutoStyleRowBefore(const TAutoStyleRow& a, const TAutoStyleRow& b);
// Sorts the rows in display order; rows that compare equal keep their order.
void SortAutoStyleRows(std::vector<TAutoStyleRow>& rows);
// The rows of a list, in display order.
std::vector<TAutoStyleRow> AutoStyleRows(const std::vector<TChangeTime>& list, const TFormatSettings& formats);

// The list OK gives: the rows' entries in display order, none applied yet,
// so that the entry due now applies at the next check.
std::vector<TChangeTime> AutoStyleResult(const std::vector<TAutoStyleRow>& rows);

// "OK" of "自動切り替えの設定" needs a style.
bool CanConfirmAutoStyle(std::wstring_view style);

// Whether a file's bytes are a style file, as the style loader decides it:
// section "General", key "Version" = "TeamOrvaneTDialix2", in either of the
// file's encodings (UTF-16 with a byte order mark, or the system's code page).
bool IsStyleFileContent(std::string_view bytes, const TAnsiDecoder& ansi = {});

// The forms' sizes and each control's place, in pixels at 96 dpi, in tab
// order. The list and its buttons stand in the group box.
struct TAutoStyleLayout {
  TSize ClientSize;
  TControlSpec EnableCheck;
  TControlSpec Group;
  TControlSpec List, AddButton, ChangeButton, DeleteButton;
  TControlSpec OKButton, CancelButton;
  int TimeColumnWidth = 0, StyleColumnWidth = 0;
};
TAutoStyleLayout AutoStyleLayout();

struct TAddAutoStyleLayout {
  TSize ClientSize;
  TControlSpec DayTypeLabel, DayTypeCombo;
  TControlSpec StyleLabel, StyleEdit, BrowseButton;
  TControlSpec TimeLabel, TimePicker;
  TControlSpec OKButton, CancelButton;
};
TAddAutoStyleLayout AddAutoStyleLayout();

}  // namespace tdialix
