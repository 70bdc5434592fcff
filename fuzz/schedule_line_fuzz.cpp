// Holiday lines and automatic style change lines come from the settings file,
// which anyone may edit: whatever the text, a line reads as a rule or is
// skipped, a rule read once writes out in a form that reads back as the same
// rule, and the calendar answers for any rule, however odd its numbers.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "calendar/holidays.h"
#include "calendar/style_change.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tdialix;
  // Two bytes a character, so that any UTF-16 text can come.
  std::wstring line;
  for (std::size_t at = 0; at + 1 < size; at += 2) line.push_back(static_cast<wchar_t>(data[at] | data[at + 1] << 8));

  if (const auto holiday = ParseHoliday(line)) {
    const auto again = ParseHoliday(FormatHoliday(*holiday));
    if (!again || !(*again == *holiday)) std::abort();
    const std::vector<THoliday> list{*holiday};
    // Days around the turn of years, an equinox, and the ends of the range.
    for (const TDateTime date : {-657434.0, 0.0, 29221.0, 46022.0, 46100.0, 46387.0, 2958465.0}) {
      FindHoliday(list, date);
      IsHolidayDate(list, date);
    }
    const std::array<std::wstring, 7> names{L"日", L"月", L"火", L"水", L"木", L"金", L"土"};
    HolidayDateCaption(*holiday, names);
    HolidayTransferCaption(*holiday);
  }

  const TFormatSettings formats;
  if (const auto entry = ParseChangeTime(line, formats)) {
    const auto again = ParseChangeTime(FormatChangeTime(*entry, formats), formats);
    // The time is written to the second: what reads back is the same second.
    if (!again || again->DayType != entry->DayType || again->Style != entry->Style) std::abort();
    std::vector<TChangeTime> list{*entry, *again};
    for (const TDateTime now : {0.0, 0.25, 0.5, 0.999988}) TakeDueChangeTime(list, now, entry->DayType);
  }
  return 0;
}
