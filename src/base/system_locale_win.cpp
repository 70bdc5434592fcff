#include "base/system_locale_win.h"

#include <cwchar>
#include <iterator>

namespace tdialix {

namespace {

// The locale's value, or the fallback when the system has none.
std::wstring LocaleText(LCTYPE type, const std::wstring& fallback) {
  wchar_t buffer[128] = {};
  const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, static_cast<int>(std::size(buffer)));
  if (length <= 1) return fallback;
  return std::wstring(buffer, static_cast<size_t>(length - 1));
}

}  // namespace

TFormatSettings SystemFormatSettings() {
  TFormatSettings s;
  s.LongTimeFormat = LocaleText(LOCALE_STIMEFORMAT, s.LongTimeFormat);
  s.ShortTimeFormat = LocaleText(LOCALE_SSHORTTIME, s.ShortTimeFormat);
  s.LongDateFormat = LocaleText(LOCALE_SLONGDATE, s.LongDateFormat);
  s.ShortDateFormat = LocaleText(LOCALE_SSHORTDATE, s.ShortDateFormat);
  s.DateSeparator = LocaleText(LOCALE_SDATE, s.DateSeparator);
  s.TimeSeparator = LocaleText(LOCALE_STIME, s.TimeSeparator);
  s.TimeAMString = LocaleText(LOCALE_S1159, s.TimeAMString);
  s.TimePMString = LocaleText(LOCALE_S2359, s.TimePMString);
  // The locale counts days from Monday; the program from Sunday.
  for (int k = 0; k < 7; ++k) {
    const int sundayFirst = (k + 1) % 7;
    s.LongDayNames[sundayFirst] = LocaleText(LOCALE_SDAYNAME1 + k, s.LongDayNames[sundayFirst]);
    s.ShortDayNames[sundayFirst] = LocaleText(LOCALE_SABBREVDAYNAME1 + k, s.ShortDayNames[sundayFirst]);
  }
  for (int k = 0; k < 12; ++k) {
    s.LongMonthNames[k] = LocaleText(LOCALE_SMONTHNAME1 + k, s.LongMonthNames[k]);
    s.ShortMonthNames[k] = LocaleText(LOCALE_SABBREVMONTHNAME1 + k, s.ShortMonthNames[k]);
  }
  return s;
}

std::wstring AnsiToWide(std::string_view bytes) {
  if (bytes.empty()) return {};
  // Larger inputs are refused by the file reader before they get here.
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
  return text;
}

std::wstring SystemErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length > 0 && buffer) text.assign(buffer, length);
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) {
    // Codes with the top bit set are COM results, read in hexadecimal.
    wchar_t number[16] = {};
    std::swprintf(number, std::size(number), code & 0x80000000u ? L"0x%08lX" : L"%lu",
                  static_cast<unsigned long>(code));
    text = std::wstring(L"Error ") + number;
  }
  return text;
}

TDateTime DateTimeOf(const SYSTEMTIME& t) {
  return TryEncodeDateTime({t.wYear, t.wMonth, t.wDay}, {t.wHour, t.wMinute, t.wSecond, t.wMilliseconds}).value_or(0);
}

SYSTEMTIME SystemTimeOf(TDateTime value) {
  const TDateParts date = DecodeDate(value);
  const TTimeParts time = DecodeTime(value);
  SYSTEMTIME t{};
  t.wYear = static_cast<WORD>(date.Year);
  t.wMonth = static_cast<WORD>(date.Month);
  t.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
  t.wDay = static_cast<WORD>(date.Day);
  t.wHour = static_cast<WORD>(time.Hour);
  t.wMinute = static_cast<WORD>(time.Minute);
  t.wSecond = static_cast<WORD>(time.Second);
  t.wMilliseconds = static_cast<WORD>(time.MilliSecond);
  return t;
}

TDateTime LocalNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return DateTimeOf(now);
}

}  // namespace tdialix
