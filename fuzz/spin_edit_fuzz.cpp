// A number field reads whatever is typed or pasted into it: every text gives
// a value inside the range or a balloon, and every value shown reads back as
// itself; every keystroke on every caret position is decided.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text.h"
#include "components/spin_edit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = tdialix::Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
  struct TRange {
    double Min, Max;
  };
  for (const TRange range : {TRange{0, 100}, TRange{-100, 100}, TRange{0.25, 2.75}, TRange{-2147483648.0, 2147483647}}) {
    const tdialix::TSpinTextChange change = tdialix::SpinTextChanged(text, false, range.Min, range.Max);
    if (change.Position && (*change.Position < range.Min || *change.Position > range.Max)) std::abort();
    if (change.Position && !change.Balloon) {
      // An accepted value shows as a text that gives the same value.
      const std::wstring shown = tdialix::SpinPositionText(*change.Position);
      const tdialix::TSpinTextChange again = tdialix::SpinTextChanged(shown, false, range.Min, range.Max);
      if (!again.Position || again.Balloon || tdialix::SpinPositionText(*again.Position) != shown) std::abort();
    }
  }
  if (text.size() > 64) return 0;
  tdialix::TSpinKeyState state;
  state.Text = text;
  state.Min = -100;
  state.TextLength = 4;
  for (int caret = 0; caret <= static_cast<int>(text.size()); ++caret) {
    state.SelStart = caret;
    state.SelLength = static_cast<int>(text.size()) - caret;
    for (const wchar_t key : {L'-', L'.', L'5', L'x', wchar_t{0x03}, wchar_t{0x08}, wchar_t{0x16}, wchar_t{0x18}}) {
      const auto refusal = tdialix::CheckSpinKey(key, state);
      if (refusal && refusal->Text.empty()) std::abort();
    }
  }
  return 0;
}
