#include "clock/display_string.h"

#include <functional>

#include <gtest/gtest.h>

namespace tdialix {
namespace {

double At(int h, int m, int s, int ms = 0) { return *TryEncodeDateTime({2026, 12, 10}, {h, m, s, ms}); }

struct DisplayCase {
  const char* What;
  double Time;
  std::function<void(TStyle&)> Style;
  const wchar_t* Expected;
  bool Initializing = false;
  unsigned Bits = 32;
};

TEST(DisplayString, Table) {
  const auto none = [](TStyle&) {};
  const auto h24s = [](TStyle& s) { s.ShowHour = hf24H, s.ShowSecond = true; };
  const auto flash = [](TFlashColonType type) { return [type](TStyle& s) { s.FlashColonType = type; }; };
  const DisplayCase cases[] = {
      {"one-digit hour: a blank before and one after", At(9, 5, 7), none, L" 9:05    "},
      {"two-digit hour", At(10, 5, 7), none, L"10:05   "},
      {"noon shows as 0", At(12, 30, 0), none, L" 0:30    "},
      {"noon as 12", At(12, 30, 0), [](TStyle& s) { s.Hour12to0 = false; }, L"12:30   "},
      {"midnight", At(0, 15, 0), none, L" 0:15    "},
      {"afternoon in 12 hours", At(13, 7, 0), none, L" 1:07    "},
      {"leading zero on the hour", At(9, 5, 0), [](TStyle& s) { s.Hour0 = true; }, L"09:05   "},
      {"24 hours with seconds", At(23, 59, 59), h24s, L"23:59:59"},
      {"noon in 24 hours", At(12, 0, 0), h24s, L"12:00:00"},
      {"no leading zeros", At(7, 8, 9),
       [](TStyle& s) { s.ShowHour = hf24H, s.ShowSecond = true, s.Minute0 = false, s.Second0 = false; }, L" 7:8:9   "},
      {"hours hidden", At(10, 5, 9), [](TStyle& s) { s.ShowHour = hfNone, s.ShowSecond = true; }, L"05:09   "},
      {"seconds alone", At(10, 5, 9), [](TStyle& s) { s.ShowHour = hfNone, s.ShowMinute = false, s.ShowSecond = true; },
       L"09      "},
      {"hours alone", At(10, 0, 0), [](TStyle& s) { s.ShowMinute = false; }, L"10      "},
      {"hours and seconds", At(10, 5, 9), [](TStyle& s) { s.ShowMinute = false, s.ShowSecond = true; }, L"10:09   "},
      {"period and hyphen", At(10, 5, 9),
       [](TStyle& s) { s.ShowSecond = true, s.ColonType = {cgPeriod, cgHyphen}; }, L"10.05-09"},
      // Flashing
      {"every second, even: lit", At(10, 5, 4), flash(fc1000ms), L"10:05   "},
      {"every second, odd: unlit", At(10, 5, 5), flash(fc1000ms), L"10_05   "},
      {"inverted", At(10, 5, 4), [](TStyle& s) { s.FlashColonType = fc1000ms, s.FlashColonInvert = true; }, L"10_05   "},
      {"unlit period and hyphen", At(10, 5, 5),
       [](TStyle& s) { s.FlashColonType = fc1000ms, s.ShowSecond = true, s.ColonType = {cgPeriod, cgHyphen}; },
       L"10;05<05"},
      {"toggle keeps the lower dot before 30 s", At(10, 5, 11),
       [](TStyle& s) { s.FlashColonType = fc1000ms, s.FlashColonToggle = true; }, L"10'05   "},
      {"toggle keeps the upper dot from 30 s", At(10, 5, 41),
       [](TStyle& s) { s.FlashColonType = fc1000ms, s.FlashColonToggle = true; }, L"10,05   "},
      {"quarter seconds lit", At(10, 5, 4, 249), flash(fc250ms), L"10:05   "},
      {"quarter seconds unlit", At(10, 5, 4, 250), flash(fc250ms), L"10_05   "},
      {"half seconds lit", At(10, 5, 4, 499), flash(fc500ms), L"10:05   "},
      {"half seconds unlit", At(10, 5, 4, 500), flash(fc500ms), L"10_05   "},
      {"initialising tick: lit", At(10, 5, 5), flash(fc1000ms), L"10:05   ", true},
      {"smooth flashing looks 125 ms ahead", At(10, 5, 4, 400),
       [](TStyle& s) { s.FlashColonType = fc500ms, s.FlashColonSmooth = true; }, L"10_05   "},
      {"but not below 16 bits per pixel", At(10, 5, 4, 400),
       [](TStyle& s) { s.FlashColonType = fc500ms, s.FlashColonSmooth = true; }, L"10:05   ", false, 8},
      {"with an animation, a quarter of it ahead (150 ms, not 125)", At(10, 5, 4, 360),
       [](TStyle& s) { s.FlashColonType = fc500ms, s.FlashColonSmooth = true, s.AnimationType = atFade; },
       L"10_05   "},
      // Digit look-ahead: half of 600 ms at speed 90.
      {"digits change half an animation early", At(10, 5, 59, 800), [](TStyle& s) { s.AnimationType = atHorz; },
       L"10:06   "},
      {"not yet", At(10, 5, 59, 600), [](TStyle& s) { s.AnimationType = atHorz; }, L"10:05   "},
      {"no look-ahead when initialising", At(10, 5, 59, 800), [](TStyle& s) { s.AnimationType = atHorz; },
       L"10:05   ", true},
  };
  for (const DisplayCase& c : cases) {
    TStyle style;
    c.Style(style);
    EXPECT_EQ(BuildDisplayString(c.Time, style, c.Initializing, c.Bits), c.Expected) << c.What;
  }
}

TEST(DisplayString, LookAheadFollowsTheSpeed) {
  TStyle style;
  style.AnimationType = atUp;
  const struct {
    int Speed, HalfMs;
  } cases[] = {{90, 300}, {0, 30000}, {100, 0}, {50, 7500}};
  for (const auto& c : cases) {
    style.AnimationSpeed = c.Speed;
    EXPECT_EQ(DigitLookAhead(style), c.HalfMs) << c.Speed;
  }
}

TEST(DisplayString, SeparatorSet) {
  for (wchar_t c : std::wstring(L":;._<',-")) EXPECT_TRUE(IsSeparator(c)) << static_cast<char>(c);
  for (wchar_t c : std::wstring(L"0 9x")) EXPECT_FALSE(IsSeparator(c));
}

}  // namespace
}  // namespace tdialix
