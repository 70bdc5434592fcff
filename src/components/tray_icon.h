// The rules of the notification-area icon that need no window: how the
// property texts fit the shell's fixed-size record, the record's size and
// flags for each call, which property changes the shell must hear about, and
// how the shell's mouse messages become click and double-click events.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tdialix {

// Numbers of the shell's notify-icon interface and of the mouse messages its
// callback carries, so that these rules need no platform header. The Win32
// side checks each against the platform's own definition.
namespace notify {
inline constexpr std::uint32_t NimAdd = 0, NimModify = 1, NimDelete = 2;
inline constexpr std::uint32_t NifMessage = 0x1, NifIcon = 0x2, NifTip = 0x4, NifInfo = 0x10;
inline constexpr std::uint32_t NiifNone = 0x0, NiifInfo = 0x1, NiifWarning = 0x2, NiifError = 0x3, NiifUser = 0x4,
                               NiifNoSound = 0x10, NiifLargeIcon = 0x20;
inline constexpr std::uint32_t NinBalloonShow = 0x402, NinBalloonHide = 0x403, NinBalloonTimeout = 0x404,
                               NinBalloonUserClick = 0x405;
inline constexpr std::uint32_t WmMouseMove = 0x200, WmLButtonDown = 0x201, WmLButtonUp = 0x202,
                               WmLButtonDblClk = 0x203, WmRButtonDown = 0x204, WmRButtonUp = 0x205,
                               WmRButtonDblClk = 0x206, WmMButtonDown = 0x207, WmMButtonUp = 0x208,
                               WmMButtonDblClk = 0x209;

// The record's sizes: the full record since Windows Vista, and the one
// Windows 2000 and XP take (it ends before the item GUID and the balloon icon
// handle). Its window and icon handles are pointer-sized, so a 64-bit
// program's record is padded and larger than a 32-bit program's.
struct TRecordLayout {
  std::uint32_t Size;
  std::uint32_t SizeBeforeVista;
};
inline constexpr TRecordLayout RecordLayout32{956, 936}, RecordLayout64{976, 952};
inline constexpr TRecordLayout RecordLayoutFor(std::size_t pointerSize) {
  return pointerSize == 8 ? RecordLayout64 : RecordLayout32;
}
// The layout of this program's own record.
inline constexpr TRecordLayout RecordLayout = RecordLayoutFor(sizeof(void*));

// Characters of the record's text fields, each leaving room for its terminator.
inline constexpr std::size_t TipLength = 127, InfoLength = 255, InfoTitleLength = 63;
}  // namespace notify

struct TWindowsVersion {
  unsigned Major = 0;
  unsigned Minor = 0;
  constexpr bool AtLeast(unsigned major, unsigned minor) const {
    return Major > major || (Major == major && Minor >= minor);
  }
};

enum class TBalloonFlags { bfNone, bfInfo, bfWarning, bfError };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The keyboard and mouse buttons held down when a mouse event is raised.
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;

// The first `length` UTF-16 units of the text, never ending in half of a
// surrogate pair (the shell would show that half as a broken character).
std::u16string CutToUnits(std::wstring_view text, std::size_t length);
// szTip, szInfo and szInfoTitle as filled from Hint, BalloonHint and
// BalloonTitle. A balloon title is one line: its line breaks become blanks.
std::u16string TrayTipText(std::wstring_view hint);
std::u16string BalloonHintText(std::wstring_view balloonHint);
std::u16string BalloonTitleText(std::wstring_view balloonTitle);

std::uint32_t NotifyIconDataSize(TWindowsVersion version, notify::TRecordLayout layout = notify::RecordLayout);
// A balloon icon of our own needs Vista; before it the balloon shows the
// standard icon of the flags. Balloons never play a sound.
bool UsesBalloonIcon(bool hasBalloonIcon, TWindowsVersion version);
std::uint32_t BalloonInfoFlags(TBalloonFlags flags, bool hasBalloonIcon, TWindowsVersion version);

// Balloon tips exist from Windows XP on; before it their setting is not read.
bool BalloonHintsEnabled(bool trayIconEnabled, bool balloonSettingAllows, TWindowsVersion version);

// The mouse button a callback message is about; any other message counts as left.
TMouseButton TrayMouseButton(std::uint32_t mouseMessage);

// One call to the shell: NIM_ADD, NIM_MODIFY or NIM_DELETE with the flags of
// the fields it carries (unused for add and delete).
struct TNotifyRequest {
  std::uint32_t Message = notify::NimAdd;
  std::uint32_t Flags = 0;
  bool operator==(const TNotifyRequest&) const = default;
};

// The shell's notify-icon record without its handles (window, identifier,
// icons), kept filled between calls.
struct TNotifyIconRecord {
  std::uint32_t Size = 0;
  std::uint32_t Flags = 0;
  std::uint32_t CallbackMessage = 0;
  std::uint32_t InfoFlags = notify::NiifNoSound;
  // hBalloonIcon carries the balloon icon; otherwise it is empty.
  bool BalloonIcon = false;
  std::u16string Tip;
  std::u16string Info;
  std::u16string InfoTitle;
};

// The icon's properties and its record. Each setter says what, if anything,
// the shell must be told; nothing is told about a value that did not change
// or while the icon is not shown.
class TTrayIconState {
 public:
  TTrayIconState(TWindowsVersion version, std::uint32_t callbackMessage);

  const TNotifyIconRecord& Record() const noexcept { return Data; }
  TWindowsVersion Version() const noexcept { return WindowsVersion; }

  bool Visible() const noexcept { return FVisible; }
  const std::wstring& Hint() const noexcept { return FHint; }
  const std::wstring& BalloonHint() const noexcept { return FBalloonHint; }
  const std::wstring& BalloonTitle() const noexcept { return FBalloonTitle; }
  TBalloonFlags BalloonFlags() const noexcept { return FBalloonFlags; }
  bool HasBalloonIcon() const noexcept { return FHasBalloonIcon; }

  std::optional<TNotifyRequest> SetVisible(bool visible);
  std::optional<TNotifyRequest> SetHint(std::wstring_view hint);
  // The icon object was assigned or changed: a shown icon is redrawn.
  std::optional<TNotifyRequest> IconChanged() const;
  // The balloon icon object was assigned or changed.
  void BalloonIconChanged(bool hasBalloonIcon);
  // Balloon texts and flags wait in the record until a balloon is shown.
  void SetBalloonHint(std::wstring_view text);
  void SetBalloonTitle(std::wstring_view text);
  void SetBalloonFlags(TBalloonFlags flags);
  // The system's settings changed (the small-icon size among them).
  std::optional<TNotifyRequest> SettingsChanged() const;
  // The taskbar was rebuilt: a shown icon must be added again.
  std::optional<TNotifyRequest> TaskbarCreated() const;
  std::optional<TNotifyRequest> ShowBalloon() const;

  // Sets the record's flags for the call; true when the call carries an
  // icon that must be built first.
  bool PrepareCall(TNotifyRequest request);

 private:
  TWindowsVersion WindowsVersion;
  TNotifyIconRecord Data;
  bool FVisible = false;
  std::wstring FHint;
  std::wstring FBalloonHint;
  std::wstring FBalloonTitle;
  TBalloonFlags FBalloonFlags = TBalloonFlags::bfNone;
  bool FHasBalloonIcon = false;
};

// What the component does on one message from the shell or its click timer.
enum class TTrayActionKind {
  taStartClickTimer,  // one-shot, the double-click time
  taKillClickTimer,
  taMouseMove,
  taMouseDown,
  taMouseUp,
  taClick,
  taDblClick,
  taContextPopup,  // after the button-up of a right click
  taBalloonShow,
  taBalloonHide,
  taBalloonClick,
};

struct TTrayAction {
  TTrayActionKind Kind;
  TMouseButton Button = TMouseButton::mbLeft;
  bool operator==(const TTrayAction&) const = default;
};

// Tells a single click from a double click. The shell reports a double click
// as button-down, button-up, double-click, button-up; a single click is
// reported only when the double-click time has passed after its button-down
// without a double click, and the button-up that ends a double click is
// swallowed.
class TTrayClickSequencer {
 public:
  // A callback message from the shell (its lParam) while the icon is shown.
  std::vector<TTrayAction> Message(std::uint32_t mouseMessage);
  // The click timer went off.
  std::vector<TTrayAction> TimerElapsed();

  bool ClickPending() const noexcept { return ClickTimer; }

 private:
  bool ClickTimer = false;
  bool DblClickFlag = false;
};

}  // namespace tdialix
