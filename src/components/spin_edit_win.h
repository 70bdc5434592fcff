// The number fields: an edit with arrow buttons that takes only what makes a
// number in its range, says in a balloon why it refused a keystroke or a
// text, and steps with the arrow keys, Page Up and Page Down, the wheel and
// its buttons. TWRSpinEdit holds an integer, TWRFloatSpinEdit a decimal.
//
// The rules themselves (which keystroke is refused, what a text does to the
// value, stepping, the input limit) are in components/spin_edit.h; this is
// the window around them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "base/unique_handle_win.h"
#include "components/control_win.h"
#include "components/spin_edit.h"

namespace tdialix {

class TBaseWRSpinEdit;

// The arrow buttons inside a spin edit's right edge.
class TWRSpinEditUpDown : public TWRControl {
 public:
  explicit TWRSpinEditUpDown(TBaseWRSpinEdit& owner);
  // The step of the buttons' first acceleration stage.
  int FirstAcceleration() const;

 protected:
  void CreateWnd() override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TBaseWRSpinEdit& Owner;
};

class TBaseWRSpinEdit : public TWRControl {
 public:
  ~TBaseWRSpinEdit() override;

  bool ReadOnly() const noexcept { return FReadOnly; }
  void SetReadOnly(bool readOnly);
  // The input limit (the integer field's longest text of its range and
  // steps); 0: none.
  int TextLength() const noexcept { return FTextLength; }

  // Raised on every change of the text, also when it is refused.
  std::function<void()> OnChange;
  // Raised before Up, Down, Page Up and Page Down step; set the key to 0 to keep the step from happening.
  std::function<void(WORD& key)> OnKeyDown;

  // Steps by delta through the position: clamped, with the default beep at the limits.
  void Step(double delta);
  // A click on the arrow buttons: up (1) or down (-1).
  void ButtonStep(int direction);

  // The balloon that explains refusals, whether it shows, and what it said last.
  HWND BalloonHandle() const noexcept { return Balloon.Get(); }
  bool BalloonVisible() const;
  const TSpinBalloon& LastBalloon() const noexcept { return FLastBalloon; }
  // Where the balloon's tip last pointed, on the screen.
  POINT BalloonTip() const noexcept { return Tip; }
  TWRSpinEditUpDown& Buttons() noexcept { return UpDown; }

  // The balloon hides itself after this many milliseconds; its timer's id on the edit.
  static constexpr UINT kBalloonHideDelay = 10000;
  static constexpr UINT_PTR kBalloonTimerId = 0x5345;
  // What sounds the default beep (tests listen in); returns the one it replaces.
  static std::function<void()> SetBeep(std::function<void()> beep);

 protected:
  explicit TBaseWRSpinEdit(bool decimal);

  double PositionValue() const noexcept { return FPosition; }
  // Sets the position, clamped into the range once the window exists (while
  // the form is being read the range may not be complete yet), and shows it.
  void SetPositionValue(double value);
  double MinValue() const noexcept { return FMin; }
  void SetMinValue(double value);
  double MaxValue() const noexcept { return FMax; }
  void SetMaxValue(double value);
  double IncrementValue() const noexcept { return FIncrement; }
  void SetIncrementValue(double value);
  double PageSizeValue() const noexcept { return FPageSize; }
  void SetPageSizeValue(double value);

  TControlClass CreateParams() const override;
  void CreateWnd() override;
  void DestroyWnd() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT CALLBACK FormWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  double Normalized(double value) const;
  void UpdateTextLength();
  void ShowPosition();
  void TextChanged();
  void ShowBalloon(const TSpinBalloon& balloon);
  void HideBalloon();
  void PlaceButtons();
  void StopWatchingForm();

  bool Decimal;
  double FPosition = 0;
  double FMin = 0;
  double FMax = 100;
  double FIncrement = 1;
  double FPageSize = 2;
  bool FReadOnly = false;
  int FTextLength = 0;
  int WheelDelta = 0;  // wheel movement not yet stepped
  TWRSpinEditUpDown UpDown{*this};
  TUniqueWindow Balloon;
  TTTOOLINFOW Tool{};
  TSpinBalloon FLastBalloon;
  POINT Tip{};
  HWND WatchedForm = nullptr;
};

// A number field for integers.
class TWRSpinEdit : public TBaseWRSpinEdit {
 public:
  TWRSpinEdit();
  int Position() const;
  void SetPosition(int value) { SetPositionValue(value); }
  int Min() const { return static_cast<int>(MinValue()); }
  void SetMin(int value) { SetMinValue(value); }
  int Max() const { return static_cast<int>(MaxValue()); }
  void SetMax(int value) { SetMaxValue(value); }
  int Increment() const { return static_cast<int>(IncrementValue()); }
  void SetIncrement(int value) { SetIncrementValue(value); }
  int PageSize() const { return static_cast<int>(PageSizeValue()); }
  void SetPageSize(int value) { SetPageSizeValue(value); }
};

// A number field for decimals, which accepts one decimal point.
class TWRFloatSpinEdit : public TBaseWRSpinEdit {
 public:
  TWRFloatSpinEdit();
  double Position() const { return PositionValue(); }
  void SetPosition(double value) { SetPositionValue(value); }
  double Min() const { return MinValue(); }
  void SetMin(double value) { SetMinValue(value); }
  double Max() const { return MaxValue(); }
  void SetMax(double value) { SetMaxValue(value); }
  double Increment() const { return IncrementValue(); }
  void SetIncrement(double value) { SetIncrementValue(value); }
  double PageSize() const { return PageSizeValue(); }
  void SetPageSize(double value) { SetPageSizeValue(value); }
};

}  // namespace tdialix
