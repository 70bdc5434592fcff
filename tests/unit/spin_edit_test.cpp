#include "components/spin_edit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

#include "base/text.h"

namespace tdialix {
namespace {

constexpr TBalloonIcon kNone = TBalloonIcon::biNone, kWarning = TBalloonIcon::biWarning, kError = TBalloonIcon::biError;

const TSpinBalloon kSelectText{L"", L"文字列を選択してください。", kNone};
const TSpinBalloon kReadOnly{L"", L"このボックスには入力できません。", kNone};
const TSpinBalloon kCannotCut{L"", L"このボックスからは切り取れません。", kNone};
const TSpinBalloon kNothingToPaste{L"", L"貼り付けできる文字がありません。", kNone};
const TSpinBalloon kTooLong3{L"入力できません", L"3 文字以内で入力してください。", kWarning};
const TSpinBalloon kDigitsOnly{L"入力できません", L"ここには数字を入力してください。", kError};
const TSpinBalloon kMinusTwice{L"入力できません", L"マイナスは既に入力されています。", kWarning};
const TSpinBalloon kMinusFirst{L"入力できません", L"マイナスは先頭に入力してください。", kWarning};
const TSpinBalloon kPointTwice{L"入力できません", L"小数点は既に入力されています。", kWarning};
const TSpinBalloon kDigitBeforeMinus{L"入力できません", L"数字はマイナスより後に入力してください。", kWarning};

// A field with the range -100..100 holding text, the caret at selStart.
TSpinKeyState Field(std::wstring_view text, int selStart, int selLength = 0) {
  TSpinKeyState state;
  state.Text = text;
  state.SelStart = selStart;
  state.SelLength = selLength;
  state.Min = -100;
  state.Max = 100;
  return state;
}

TSpinKeyState With(TSpinKeyState state, void (*change)(TSpinKeyState&)) {
  change(state);
  return state;
}

void ReadOnly(TSpinKeyState& s) { s.ReadOnly = true; }
void EmptyClipboard(TSpinKeyState& s) { s.ClipboardHasText = false; }
void FullAtThree(TSpinKeyState& s) { s.TextLength = 3; }
void Positive(TSpinKeyState& s) { s.Min = 8, s.Max = 128; }
void Decimal(TSpinKeyState& s) { s.Decimal = true; }

struct KeyCase {
  const char* Rule;
  wchar_t Key;
  TSpinKeyState State;
  std::optional<TSpinBalloon> Expected;
};

TEST(SpinEditKeys, TheFirstRuleThatAppliesDecides) {
  const KeyCase cases[] = {
      {"Ctrl+C with nothing selected", kCharCopy, Field(L"12", 1), kSelectText},
      {"Ctrl+C with nothing selected, read-only", kCharCopy, With(Field(L"12", 1), ReadOnly), kSelectText},
      {"Ctrl+C copies a selection", kCharCopy, Field(L"12", 0, 2), std::nullopt},

      {"read-only refuses digits", L'5', With(Field(L"12", 1), ReadOnly), kReadOnly},
      {"read-only refuses Backspace", kCharBackspace, With(Field(L"12", 1), ReadOnly), kReadOnly},
      {"read-only refuses Ctrl+V before the clipboard is asked", kCharPaste,
       With(With(Field(L"12", 1), ReadOnly), EmptyClipboard), kReadOnly},
      {"read-only lets Ctrl+Z pass", kCharUndo, With(Field(L"12", 1), ReadOnly), std::nullopt},
      {"read-only lets Ctrl+C of a selection pass", kCharCopy, With(Field(L"12", 0, 1), ReadOnly), std::nullopt},

      {"read-only refuses Ctrl+X", kCharCut, With(Field(L"12", 0, 2), ReadOnly), kCannotCut},
      {"read-only refuses Ctrl+X with nothing selected", kCharCut, With(Field(L"12", 1), ReadOnly), kCannotCut},

      {"Ctrl+V with no text on the clipboard", kCharPaste, With(Field(L"12", 1), EmptyClipboard), kNothingToPaste},
      {"Ctrl+V with no text, in a full field", kCharPaste, With(With(Field(L"128", 3), EmptyClipboard), FullAtThree),
       kNothingToPaste},
      {"Ctrl+V with text on the clipboard", kCharPaste, Field(L"12", 1), std::nullopt},

      {"Ctrl+X with nothing selected", kCharCut, Field(L"12", 1), kSelectText},
      {"Ctrl+X cuts a selection", kCharCut, Field(L"12", 0, 1), std::nullopt},

      {"a digit into a full field", L'1', With(Field(L"128", 3), FullAtThree), kTooLong3},
      {"a minus into a full field", L'-', With(Field(L"128", 0), FullAtThree), kTooLong3},
      {"a letter into a full field", L'a', With(Field(L"128", 3), FullAtThree), kTooLong3},
      {"Ctrl+V into a full field", kCharPaste, With(Field(L"128", 3), FullAtThree), kTooLong3},
      {"a digit over a selection in a full field", L'2', With(Field(L"128", 0, 1), FullAtThree), std::nullopt},
      {"a digit into a field below its limit", L'2', With(Field(L"12", 2), FullAtThree), std::nullopt},

      {"a minus where no value is negative", L'-', With(Field(L"12", 0), Positive), kDigitsOnly},

      {"a second minus after the start", L'-', Field(L"-12", 3), kMinusTwice},
      {"a second minus at the start", L'-', Field(L"-12", 0), kMinusTwice},
      {"a minus over the selected minus", L'-', Field(L"-12", 0, 1), std::nullopt},
      {"a minus after the start with the minus selected", L'-', Field(L"-12", 1, 2), kMinusTwice},

      {"a minus after the start", L'-', Field(L"12", 2), kMinusFirst},
      {"a minus at the start", L'-', Field(L"12", 0), std::nullopt},
      {"a minus at the start replacing a selection", L'-', Field(L"12", 0, 2), std::nullopt},

      {"a point in the integer field", L'.', Field(L"12", 2), kDigitsOnly},

      {"a second point", L'.', With(Field(L"1.5", 3), Decimal), kPointTwice},
      {"a point over the selected point", L'.', With(Field(L"1.5", 1, 1), Decimal), std::nullopt},
      {"a first point", L'.', With(Field(L"15", 1), Decimal), std::nullopt},

      {"a digit before the minus", L'3', Field(L"-5", 0), kDigitBeforeMinus},
      {"a digit before the minus, over a selection", L'3', Field(L"-5", 0, 1), std::nullopt},
      {"a digit after the minus", L'3', Field(L"-5", 1), std::nullopt},
      {"a digit in a field without a minus", L'3', Field(L"5", 0), std::nullopt},

      {"a letter", L'a', Field(L"12", 2), kDigitsOnly},
      {"a blank", L' ', Field(L"12", 2), kDigitsOnly},
      {"a full-width digit", L'１', Field(L"12", 2), kDigitsOnly},
      {"a decimal comma", L',', With(Field(L"12", 2), Decimal), kDigitsOnly},
      {"Ctrl+A", 0x01, Field(L"12", 2), kDigitsOnly},

      {"Backspace", kCharBackspace, Field(L"12", 2), std::nullopt},
      {"Ctrl+Z", kCharUndo, Field(L"12", 2), std::nullopt},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(CheckSpinKey(c.Key, c.State), c.Expected) << c.Rule;
}

TEST(SpinEditKeys, BackspaceUndoAndCopyNeverFallUnderTheInputLimit) {
  const TSpinKeyState full = With(Field(L"128", 3), FullAtThree);
  EXPECT_EQ(CheckSpinKey(kCharBackspace, full), std::nullopt);
  EXPECT_EQ(CheckSpinKey(kCharUndo, full), std::nullopt);
  // Ctrl+C with nothing selected still says what is missing, not that the field is full.
  EXPECT_EQ(CheckSpinKey(kCharCopy, full), kSelectText);
}

TEST(SpinEditKeys, TypingMinusIntoAFieldThatTakesNegativeValues) {
  // Range -100..100, "12" with the caret at the end: the minus belongs in front.
  EXPECT_EQ(CheckSpinKey(L'-', Field(L"12", 2)), kMinusFirst);
  EXPECT_EQ(CheckSpinKey(L'-', Field(L"12", 0)), std::nullopt);
  // Once it is there (caret behind it), a second one is refused.
  EXPECT_EQ(CheckSpinKey(L'-', Field(L"-12", 1)), kMinusTwice);
}

struct TextCase {
  const wchar_t* Text;
  bool ReadOnly;
  double Min, Max;
  TSpinTextChange Expected;
};

TEST(SpinEditText, AChangedTextBecomesThePositionOrABalloon) {
  const TSpinBalloon digits = kDigitsOnly;
  auto range = [](const wchar_t* text) { return TSpinBalloon{L"範囲外の値", text, kWarning}; };
  const TextCase cases[] = {
      {L"", false, 0, 100, {}},
      {L"-", false, -10, 10, {}},
      {L".", false, 0, 10, {}},
      {L"abc", true, 0, 100, {}},  // a read-only field takes what it is given
      {L"12", false, 0, 100, {12.0, std::nullopt}},
      {L"-5", false, -10, 10, {-5.0, std::nullopt}},
      {L"2.5", false, 0, 10, {2.5, std::nullopt}},
      {L"5.", false, 0, 10, {5.0, std::nullopt}},
      {L"-.5", false, -1, 1, {-0.5, std::nullopt}},
      {L"0", false, 0, 100, {0.0, std::nullopt}},
      {L"100", false, 0, 100, {100.0, std::nullopt}},
      {L"abc", false, 0, 100, {std::nullopt, digits}},
      {L"1-2", false, -10, 10, {std::nullopt, digits}},
      {L"1.2.3", false, 0, 10, {std::nullopt, digits}},
      {L"1e3", false, 0, 10000, {std::nullopt, digits}},
      {L" 12", false, 0, 100, {std::nullopt, digits}},
      // The decimal point is "." whatever the locale: that is what the keys let in.
      {L"1,5", false, 0, 10, {std::nullopt, digits}},
      {L"200", false, 0, 100, {100.0, range(L"0 から 100 までの値を入力してください。")}},
      {L"-5", false, 0, 100, {0.0, range(L"0 から 100 までの値を入力してください。")}},
      {L"-200", false, -100, -10, {-100.0, range(L"-100 から -10 までの値を入力してください。")}},
      // Bounds with two decimals are stated exactly, not rounded to one.
      {L"3", false, 0.25, 2.75, {2.75, range(L"0.25 から 2.75 までの値を入力してください。")}},
      {L"0.1", false, 0.5, 10, {0.5, range(L"0.5 から 10 までの値を入力してください。")}},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(SpinTextChanged(c.Text, c.ReadOnly, c.Min, c.Max), c.Expected) << WideToUtf8(c.Text);
  }
}

struct StepCase {
  double Position, Delta, Min, Max;
  TSpinStep Expected;
};

TEST(SpinEditStep, StepsAreClampedWithABeepAtEitherEnd) {
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  const StepCase cases[] = {
      {50, 1, 0, 100, {51, false}},
      {50, -16, 0, 100, {34, false}},
      {99, 1, 0, 100, {100, false}},  // landing on the bound is no beep
      {99, 2, 0, 100, {100, true}},
      {100, 1, 0, 100, {100, true}},
      {1, -1, 0, 100, {0, false}},
      {1, -2, 0, 100, {0, true}},
      {0, -1, 0, 100, {0, true}},
      {-95, -10, -100, 100, {-100, true}},
      // The 32-bit integer range.
      {kHigh - 1, 1, kLow, kHigh, {kHigh, false}},
      {kHigh, 1, kLow, kHigh, {kHigh, true}},
      {kHigh - 1, 16, kLow, kHigh, {kHigh, true}},
      {kLow, -1, kLow, kHigh, {kLow, true}},
      {kLow + 1, -2, kLow, kHigh, {kLow, true}},
      // A decimal field whose range reaches past it stops where it is.
      {kHigh, 1, 0, 1e10, {kHigh, true}},
      {kLow, -1, -1e10, 0, {kLow, true}},
      {kHigh - 0.5, 0.25, 0, 1e10, {kHigh - 0.25, false}},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(SpinStep(c.Position, c.Delta, c.Min, c.Max), c.Expected) << c.Position << " + " << c.Delta;
  }
  const TSpinStep tenth = SpinStep(0.2, 0.1, 0, 1);
  EXPECT_NEAR(tenth.Position, 0.3, 1e-12);
  EXPECT_FALSE(tenth.Beep);
  EXPECT_EQ(SpinPositionText(tenth.Position), L"0.3");
}

TEST(SpinEditStep, PositionsSetFromOutsideAreClamped) {
  EXPECT_EQ(ClampSpinPosition(150, 0, 100), 100);
  EXPECT_EQ(ClampSpinPosition(-1, 0, 100), 0);
  EXPECT_EQ(ClampSpinPosition(42, 0, 100), 42);
}

TEST(SpinEditTextLength, IsTheLongestTextOfTheRangeAndSteps) {
  struct Case {
    double Min, Max, Increment, PageSize;
    int Expected;
  };
  const Case cases[] = {
      {8, 128, 8, 16, 3},
      {0, 100, 1, 2, 3},
      {-100, 100, 1, 2, 4},
      {0, 5, 1, 1000, 4},
      {0, 9, 1, 2, 1},
      {-2147483648.0, 2147483647, 1, 2, 11},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SpinTextLength(c.Min, c.Max, c.Increment, c.PageSize), c.Expected) << c.Min << ".." << c.Max;
  }
}

TEST(SpinEditText, PositionsShowTheirShortestDecimalText) {
  EXPECT_EQ(SpinPositionText(100), L"100");
  EXPECT_EQ(SpinPositionText(-5), L"-5");
  EXPECT_EQ(SpinPositionText(2.5), L"2.5");
  EXPECT_EQ(SpinPositionText(0.25), L"0.25");
  EXPECT_EQ(SpinPositionText(0), L"0");
}

}  // namespace
}  // namespace tdialix
