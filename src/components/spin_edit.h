// The rules of the validating number fields (spin edits) that need no window:
// which typed characters they refuse and why, what a changed text does to the
// value, stepping with its limits, the integer field's input limit and the
// text a value is shown with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tdialix {

// The icon a spin edit's balloon shows beside its title.
enum class TBalloonIcon { biNone, biWarning, biError };

// What the balloon says; an empty title shows none.
struct TSpinBalloon {
  std::wstring Title;
  std::wstring Text;
  TBalloonIcon Icon = TBalloonIcon::biNone;
  bool operator==(const TSpinBalloon&) const = default;
};

// The control characters that typing delivers for these keys.
inline constexpr wchar_t kCharCopy = 0x03;       // Ctrl+C
inline constexpr wchar_t kCharBackspace = 0x08;
inline constexpr wchar_t kCharPaste = 0x16;      // Ctrl+V
inline constexpr wchar_t kCharCut = 0x18;        // Ctrl+X
inline constexpr wchar_t kCharUndo = 0x1A;       // Ctrl+Z

// The field as a typed character finds it.
struct TSpinKeyState {
  std::wstring_view Text;
  int SelStart = 0;   // the caret, or the start of the selection
  int SelLength = 0;  // 0: nothing selected
  bool ReadOnly = false;
  bool Decimal = false;  // the decimal field, which accepts one "."
  int TextLength = 0;    // the input limit; 0: none
  double Min = 0;
  double Max = 100;
  bool ClipboardHasText = true;
};

// The first rule that refuses the character, with the balloon that says
// why; nothing when the character may go in. Backspace, Ctrl+Z and Ctrl+C
// never fall under the input limit: they make no text longer.
std::optional<TSpinBalloon> CheckSpinKey(wchar_t key, const TSpinKeyState& state);

// A changed text, as the field reads it.
struct TSpinTextChange {
  std::optional<double> Position;       // the field's new value; none: it keeps its value
  std::optional<TSpinBalloon> Balloon;  // shown; none: the balloon is hidden
  bool operator==(const TSpinTextChange&) const = default;
};

// An empty text, a read-only field and a lone "-" or "." are accepted as
// they stand; a number (with "." as its decimal point, whatever the user's
// locale, since that is the only separator the field lets in) becomes the
// value, clamped into Min..Max with a balloon that states the range; anything
// else is refused with a balloon. The text itself is left as typed.
TSpinTextChange SpinTextChanged(std::wstring_view text, bool readOnly, double min, double max);

// One step from position by delta (negative steps down).
struct TSpinStep {
  double Position;
  bool Beep;  // the step ran into a limit
  bool operator==(const TSpinStep&) const = default;
};

// The step lands inside Min..Max (clamped there, with a beep, when it passes
// either); a step whose result would still leave the 32-bit integer range is
// not taken, with a beep.
TSpinStep SpinStep(double position, double delta, double min, double max);

// A value set from outside, clamped into Min..Max.
double ClampSpinPosition(double value, double min, double max);

// The integer field's input limit: the longest of the texts of Max, Min,
// Increment and PageSize.
int SpinTextLength(double min, double max, double increment, double pageSize);

// The text the field shows for a value: its shortest plain decimal form.
std::wstring SpinPositionText(double value);

}  // namespace tdialix
