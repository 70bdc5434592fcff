#include "components/tray_icon.h"

#include "base/text.h"

namespace tdialix {

namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::u16string CutToUnits(std::wstring_view text, std::size_t length) {
  std::u16string units = WideToUtf16(text);
  if (units.size() <= length) return units;
  // A pair cut in half would leave a lone high surrogate as the last character.
  if (length > 0 && IsHighSurrogate(units[length - 1]) && IsLowSurrogate(units[length])) --length;
  units.resize(length);
  return units;
}

std::u16string TrayTipText(std::wstring_view hint) { return CutToUnits(hint, notify::TipLength); }

std::u16string BalloonHintText(std::wstring_view balloonHint) { return CutToUnits(balloonHint, notify::InfoLength); }

std::u16string BalloonTitleText(std::wstring_view balloonTitle) {
  std::wstring line;
  line.reserve(balloonTitle.size());
  for (std::size_t i = 0; i < balloonTitle.size(); ++i) {
    const wchar_t c = balloonTitle[i];
    if (c == L'\r' && i + 1 < balloonTitle.size() && balloonTitle[i + 1] == L'\n') {
      line += L' ';
      ++i;
    } else if (c == L'\r' || c == L'\n') {
      line += L' ';
    } else {
      line += c;
    }
  }
  return CutToUnits(line, notify::InfoTitleLength);
}

std::uint32_t NotifyIconDataSize(TWindowsVersion version, notify::TRecordLayout layout) {
  return version.Major >= 6 ? layout.Size : layout.SizeBeforeVista;
}

bool UsesBalloonIcon(bool hasBalloonIcon, TWindowsVersion version) { return hasBalloonIcon && version.Major >= 6; }

std::uint32_t BalloonInfoFlags(TBalloonFlags flags, bool hasBalloonIcon, TWindowsVersion version) {
  if (UsesBalloonIcon(hasBalloonIcon, version)) return notify::NiifUser | notify::NiifLargeIcon | notify::NiifNoSound;
  switch (flags) {
    case TBalloonFlags::bfInfo:
      return notify::NiifInfo | notify::NiifNoSound;
    case TBalloonFlags::bfWarning:
      return notify::NiifWarning | notify::NiifNoSound;
    case TBalloonFlags::bfError:
      return notify::NiifError | notify::NiifNoSound;
    case TBalloonFlags::bfNone:
      break;
  }
  return notify::NiifNone | notify::NiifNoSound;
}

bool BalloonHintsEnabled(bool trayIconEnabled, bool balloonSettingAllows, TWindowsVersion version) {
  if (!trayIconEnabled) return false;
  return !version.AtLeast(5, 1) || balloonSettingAllows;
}

TMouseButton TrayMouseButton(std::uint32_t mouseMessage) {
  switch (mouseMessage) {
    case notify::WmRButtonDown:
    case notify::WmRButtonUp:
    case notify::WmRButtonDblClk:
      return TMouseButton::mbRight;
    case notify::WmMButtonDown:
    case notify::WmMButtonUp:
    case notify::WmMButtonDblClk:
      return TMouseButton::mbMiddle;
    default:
      return TMouseButton::mbLeft;
  }
}

TTrayIconState::TTrayIconState(TWindowsVersion version, std::uint32_t callbackMessage) : WindowsVersion(version) {
  Data.Size = NotifyIconDataSize(version);
  Data.CallbackMessage = callbackMessage;
  Data.InfoFlags = BalloonInfoFlags(FBalloonFlags, false, version);
}

std::optional<TNotifyRequest> TTrayIconState::SetVisible(bool visible) {
  if (visible == FVisible) return std::nullopt;
  FVisible = visible;
  return TNotifyRequest{visible ? notify::NimAdd : notify::NimDelete, 0};
}

std::optional<TNotifyRequest> TTrayIconState::SetHint(std::wstring_view hint) {
  if (hint == FHint) return std::nullopt;
  FHint = hint;
  Data.Tip = TrayTipText(FHint);
  if (!FVisible) return std::nullopt;
  return TNotifyRequest{notify::NimModify, notify::NifTip};
}

std::optional<TNotifyRequest> TTrayIconState::IconChanged() const {
  if (!FVisible) return std::nullopt;
  return TNotifyRequest{notify::NimModify, notify::NifIcon};
}

void TTrayIconState::BalloonIconChanged(bool hasBalloonIcon) {
  FHasBalloonIcon = hasBalloonIcon;
  Data.InfoFlags = BalloonInfoFlags(FBalloonFlags, FHasBalloonIcon, WindowsVersion);
  Data.BalloonIcon = UsesBalloonIcon(FHasBalloonIcon, WindowsVersion);
}

void TTrayIconState::SetBalloonHint(std::wstring_view text) {
  if (text == FBalloonHint) return;
  FBalloonHint = text;
  Data.Info = BalloonHintText(FBalloonHint);
}

void TTrayIconState::SetBalloonTitle(std::wstring_view text) {
  if (text == FBalloonTitle) return;
  FBalloonTitle = text;
  Data.InfoTitle = BalloonTitleText(FBalloonTitle);
}

void TTrayIconState::SetBalloonFlags(TBalloonFlags flags) {
  if (flags == FBalloonFlags) return;
  FBalloonFlags = flags;
  Data.InfoFlags = BalloonInfoFlags(FBalloonFlags, FHasBalloonIcon, WindowsVersion);
}

std::optional<TNotifyRequest> TTrayIconState::SettingsChanged() const { return IconChanged(); }

std::optional<TNotifyRequest> TTrayIconState::TaskbarCreated() const {
  if (!FVisible) return std::nullopt;
  return TNotifyRequest{notify::NimAdd, 0};
}

std::optional<TNotifyRequest> TTrayIconState::ShowBalloon() const {
  if (!FVisible) return std::nullopt;
  return TNotifyRequest{notify::NimModify, notify::NifInfo};
}

bool TTrayIconState::PrepareCall(TNotifyRequest request) {
  switch (request.Message) {
    case notify::NimAdd:
      Data.Flags = notify::NifMessage | notify::NifIcon | notify::NifTip;
      return true;
    case notify::NimModify:
      Data.Flags = request.Flags;
      return request.Flags == notify::NifIcon;
    default:
      return false;
  }
}

std::vector<TTrayAction> TTrayClickSequencer::Message(std::uint32_t mouseMessage) {
  using K = TTrayActionKind;
  const TMouseButton button = TrayMouseButton(mouseMessage);
  switch (mouseMessage) {
    case notify::WmMouseMove:
      return {{K::taMouseMove}};
    case notify::WmLButtonDown:
      ClickTimer = true;
      return {{K::taStartClickTimer}, {K::taMouseDown, button}};
    case notify::WmRButtonDown:
    case notify::WmMButtonDown:
      return {{K::taMouseDown, button}};
    case notify::WmLButtonUp:
      if (DblClickFlag) {
        DblClickFlag = false;
        return {};
      }
      return {{K::taMouseUp, button}};
    case notify::WmRButtonUp:
      return {{K::taMouseUp, button}, {K::taContextPopup, button}};
    case notify::WmMButtonUp:
      return {{K::taMouseUp, button}};
    case notify::WmLButtonDblClk:
      // A timer message already queued when the timer is killed still
      // arrives; with nothing pending it raises no click.
      ClickTimer = false;
      DblClickFlag = true;
      return {{K::taKillClickTimer}, {K::taDblClick}};
    case notify::NinBalloonShow:
      return {{K::taBalloonShow}};
    case notify::NinBalloonHide:
      return {{K::taBalloonHide}};
    case notify::NinBalloonUserClick:
      return {{K::taBalloonClick}};
    default:
      return {};
  }
}

std::vector<TTrayAction> TTrayClickSequencer::TimerElapsed() {
  using K = TTrayActionKind;
  // Cleared before the click is raised: a button-down during the click's
  // handler (a message loop of its own) starts a new click that must stand.
  const bool pending = ClickTimer;
  ClickTimer = false;
  if (!pending) return {{K::taKillClickTimer}};
  return {{K::taKillClickTimer}, {K::taClick}};
}

}  // namespace tdialix
