#include "components/tray_icon.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/text.h"

namespace tdialix {
namespace {

using namespace notify;

std::u16string Repeat(char16_t c, std::size_t n) { return std::u16string(n, c); }

// ---- Texts of the record

TEST(TrayText, CutToTheRecordFields) {
  const struct {
    const char* Name;
    std::u16string (*Field)(std::wstring_view);
    std::wstring Text;
    std::u16string Expected;
  } cases[] = {
      {"tip of 200", &TrayTipText, std::wstring(200, L'x'), Repeat(u'x', 127)},
      {"tip of 128", &TrayTipText, std::wstring(128, L'x'), Repeat(u'x', 127)},
      {"tip of 127", &TrayTipText, std::wstring(127, L'x'), Repeat(u'x', 127)},
      {"empty tip", &TrayTipText, L"", u""},
      {"Japanese tip", &TrayTipText, std::wstring(200, L'時'), Repeat(u'時', 127)},
      {"tip keeps line breaks", &TrayTipText, L"2026/12/09\r\n水曜日", u"2026/12/09\r\n水曜日"},
      {"balloon text of 300", &BalloonHintText, std::wstring(300, L'y'), Repeat(u'y', 255)},
      {"balloon text of 255", &BalloonHintText, std::wstring(255, L'y'), Repeat(u'y', 255)},
      {"balloon text keeps line breaks", &BalloonHintText, L"a\r\nb\nc", u"a\r\nb\nc"},
      {"title of 100", &BalloonTitleText, std::wstring(100, L'z'), Repeat(u'z', 63)},
      {"title of 63", &BalloonTitleText, std::wstring(63, L'z'), Repeat(u'z', 63)},
      {"title CR LF", &BalloonTitleText, L"a\r\nb", u"a b"},
      {"title CR", &BalloonTitleText, L"a\rb", u"a b"},
      {"title LF", &BalloonTitleText, L"a\nb", u"a b"},
      {"title LF CR is two breaks", &BalloonTitleText, L"a\n\rb", u"a  b"},
      {"title CR CR LF", &BalloonTitleText, L"a\r\r\nb", u"a  b"},
      {"title break at the end", &BalloonTitleText, L"お知らせ\r\n", u"お知らせ "},
      // Line breaks go first: a pair counts as one character when cutting.
      {"title cut after its breaks", &BalloonTitleText, std::wstring(60, L'a') + L"\r\nbcd",
       Repeat(u'a', 60) + u" bc"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Field(c.Text), c.Expected) << c.Name;
}

// A character beyond U+FFFF takes two units; half of it would show as garbage.
TEST(TrayText, NeverKeepsHalfASurrogatePair) {
  const std::wstring rare = Utf16ToWide(u"\U00020BB7");  // 𠮷
  EXPECT_EQ(TrayTipText(std::wstring(126, L'a') + rare), Repeat(u'a', 126));
  EXPECT_EQ(TrayTipText(std::wstring(125, L'a') + rare + L"b"), Repeat(u'a', 125) + u"\U00020BB7");
  EXPECT_EQ(BalloonTitleText(std::wstring(62, L'a') + rare), Repeat(u'a', 62));
  EXPECT_EQ(BalloonHintText(rare + std::wstring(254, L'a')).size(), 255u);
  EXPECT_EQ(CutToUnits(rare, 1), u"");
}

// ---- Record size and flags

// The shell's record for each bitness: 32-bit programs pass 956 bytes (936
// before Vista); 64-bit ones 976 (952), as their handles are 8 bytes wide.
TEST(TrayRecord, SizeFollowsTheSystemVersionAndTheProgramsBitness) {
  const struct {
    TWindowsVersion Version;
    std::size_t PointerSize;
    std::uint32_t Size;
  } cases[] = {
      {{5, 0}, 4, 936}, {{5, 1}, 4, 936}, {{5, 2}, 4, 936}, {{6, 0}, 4, 956}, {{10, 0}, 4, 956},
      {{5, 0}, 8, 952}, {{5, 2}, 8, 952}, {{6, 0}, 8, 976}, {{10, 0}, 8, 976},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NotifyIconDataSize(c.Version, RecordLayoutFor(c.PointerSize)), c.Size)
        << c.Version.Major << "." << c.Version.Minor << ", " << c.PointerSize * 8 << "-bit";
  }
  // This program's own record is the one of its bitness.
  EXPECT_EQ(NotifyIconDataSize({10, 0}), sizeof(void*) == 8 ? 976u : 956u);
}

TEST(TrayRecord, BalloonsAreSilentAndShowTheirOwnIconFromVistaOn) {
  using F = TBalloonFlags;
  const struct {
    F Flags;
    bool HasIcon;
    TWindowsVersion Version;
    std::uint32_t InfoFlags;
    bool UsesIcon;
  } cases[] = {
      {F::bfNone, false, {6, 1}, 0x10, false},  {F::bfInfo, false, {6, 1}, 0x11, false},
      {F::bfWarning, false, {6, 1}, 0x12, false}, {F::bfError, false, {6, 1}, 0x13, false},
      {F::bfNone, true, {6, 0}, 0x34, true},    {F::bfError, true, {10, 0}, 0x34, true},
      // Before Vista the shell cannot show an icon of ours: the flags decide.
      {F::bfNone, true, {5, 1}, 0x10, false},   {F::bfWarning, true, {5, 1}, 0x12, false},
      {F::bfInfo, false, {5, 0}, 0x11, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BalloonInfoFlags(c.Flags, c.HasIcon, c.Version), c.InfoFlags)
        << static_cast<int>(c.Flags) << c.HasIcon << c.Version.Major;
    EXPECT_EQ(UsesBalloonIcon(c.HasIcon, c.Version), c.UsesIcon);
  }
}

TEST(TrayRecord, BalloonSettingCountsFromXpOn) {
  const struct {
    bool TrayEnabled, SettingAllows;
    TWindowsVersion Version;
    bool Enabled;
  } cases[] = {
      {true, true, {5, 1}, true},  {true, false, {5, 1}, false}, {true, false, {6, 1}, false},
      {true, false, {5, 0}, true},  // Windows 2000 has no such setting
      {false, true, {6, 1}, false}, {false, true, {5, 0}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BalloonHintsEnabled(c.TrayEnabled, c.SettingAllows, c.Version), c.Enabled)
        << c.TrayEnabled << c.SettingAllows << c.Version.Major << "." << c.Version.Minor;
  }
}

TEST(TrayRecord, ButtonOfACallbackMessage) {
  using B = TMouseButton;
  const struct {
    std::uint32_t Message;
    B Button;
  } cases[] = {
      {WmRButtonDown, B::mbRight},  {WmRButtonUp, B::mbRight},  {WmRButtonDblClk, B::mbRight},
      {WmMButtonDown, B::mbMiddle}, {WmMButtonUp, B::mbMiddle}, {WmMButtonDblClk, B::mbMiddle},
      {WmLButtonDown, B::mbLeft},   {WmLButtonUp, B::mbLeft},   {WmMouseMove, B::mbLeft},
      {NinBalloonShow, B::mbLeft},
  };
  for (const auto& c : cases) EXPECT_EQ(TrayMouseButton(c.Message), c.Button) << std::hex << c.Message;
}

// ---- What the properties tell the shell

class TrayIconStateTest : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kCallback = 0xC123;
  TTrayIconState State{{6, 1}, kCallback};
};

using Request = std::optional<TNotifyRequest>;

TEST_F(TrayIconStateTest, StartsHiddenWithASilentRecord) {
  EXPECT_FALSE(State.Visible());
  EXPECT_EQ(State.Record().Size, RecordLayout.Size);
  EXPECT_EQ(State.Record().CallbackMessage, kCallback);
  EXPECT_EQ(State.Record().InfoFlags, NiifNoSound);
  EXPECT_EQ(State.Record().Flags, 0u);
  EXPECT_FALSE(State.Record().BalloonIcon);
  EXPECT_EQ(TTrayIconState({5, 1}, kCallback).Record().Size, RecordLayout.SizeBeforeVista);
}

TEST_F(TrayIconStateTest, VisibleAddsAndDeletesOnChangeOnly) {
  EXPECT_EQ(State.SetVisible(false), std::nullopt);
  EXPECT_EQ(State.SetVisible(true), (Request{{NimAdd, 0}}));
  EXPECT_EQ(State.SetVisible(true), std::nullopt);
  EXPECT_EQ(State.SetVisible(false), (Request{{NimDelete, 0}}));
  EXPECT_EQ(State.SetVisible(false), std::nullopt);
}

TEST_F(TrayIconStateTest, HintReachesTheShellWhenChangedWhileShown) {
  EXPECT_EQ(State.SetHint(L"12月9日"), std::nullopt);  // hidden: kept for the add
  EXPECT_EQ(State.Record().Tip, u"12月9日");
  State.SetVisible(true);
  EXPECT_EQ(State.SetHint(L"12月9日"), std::nullopt);
  EXPECT_EQ(State.SetHint(L"12月10日"), (Request{{NimModify, NifTip}}));
  EXPECT_EQ(State.Record().Tip, u"12月10日");
  EXPECT_EQ(State.SetHint(L"12月10日"), std::nullopt);
  // The whole text is compared, not only what fits the record.
  const std::wstring longHint(200, L'x');
  EXPECT_EQ(State.SetHint(longHint), (Request{{NimModify, NifTip}}));
  EXPECT_EQ(State.SetHint(longHint + L"y"), (Request{{NimModify, NifTip}}));
  EXPECT_EQ(State.Hint(), longHint + L"y");
  EXPECT_EQ(State.Record().Tip, Repeat(u'x', 127));
}

TEST_F(TrayIconStateTest, IconAndSettingsChangesRedrawAShownIconOnly) {
  EXPECT_EQ(State.IconChanged(), std::nullopt);
  EXPECT_EQ(State.SettingsChanged(), std::nullopt);
  State.SetVisible(true);
  EXPECT_EQ(State.IconChanged(), (Request{{NimModify, NifIcon}}));
  EXPECT_EQ(State.SettingsChanged(), (Request{{NimModify, NifIcon}}));
}

TEST_F(TrayIconStateTest, RebuiltTaskbarGetsAShownIconAgain) {
  EXPECT_EQ(State.TaskbarCreated(), std::nullopt);
  State.SetVisible(true);
  EXPECT_EQ(State.TaskbarCreated(), (Request{{NimAdd, 0}}));
}

TEST_F(TrayIconStateTest, BalloonWaitsInTheRecordUntilShown) {
  State.SetVisible(true);
  State.SetBalloonTitle(L"予定\r\n会議");
  State.SetBalloonHint(L"10時から");
  State.SetBalloonFlags(TBalloonFlags::bfWarning);
  EXPECT_EQ(State.Record().InfoTitle, u"予定 会議");
  EXPECT_EQ(State.Record().Info, u"10時から");
  EXPECT_EQ(State.Record().InfoFlags, NiifWarning | NiifNoSound);
  EXPECT_EQ(State.BalloonTitle(), L"予定\r\n会議");
  EXPECT_EQ(State.ShowBalloon(), (Request{{NimModify, NifInfo}}));
  State.SetVisible(false);
  EXPECT_EQ(State.ShowBalloon(), std::nullopt);
}

TEST_F(TrayIconStateTest, BalloonIconOverridesTheFlagsFromVistaOn) {
  State.SetBalloonFlags(TBalloonFlags::bfError);
  State.BalloonIconChanged(true);
  EXPECT_EQ(State.Record().InfoFlags, NiifUser | NiifLargeIcon | NiifNoSound);
  EXPECT_TRUE(State.Record().BalloonIcon);
  State.SetBalloonFlags(TBalloonFlags::bfInfo);
  EXPECT_EQ(State.Record().InfoFlags, 0x34u);
  State.BalloonIconChanged(false);
  EXPECT_EQ(State.Record().InfoFlags, NiifInfo | NiifNoSound);
  EXPECT_FALSE(State.Record().BalloonIcon);

  TTrayIconState xp({5, 1}, kCallback);
  xp.SetBalloonFlags(TBalloonFlags::bfError);
  xp.BalloonIconChanged(true);
  EXPECT_EQ(xp.Record().InfoFlags, NiifError | NiifNoSound);
  EXPECT_FALSE(xp.Record().BalloonIcon);
}

TEST_F(TrayIconStateTest, CallsSetTheRecordFlagsAndSayWhenAnIconIsBuilt) {
  const struct {
    TNotifyRequest Request;
    std::uint32_t Flags;
    bool BuildsIcon;
  } cases[] = {
      {{NimAdd, 0}, NifMessage | NifIcon | NifTip, true},
      {{NimModify, NifIcon}, NifIcon, true},
      {{NimModify, NifTip}, NifTip, false},
      {{NimModify, NifInfo}, NifInfo, false},
      {{NimModify, NifIcon | NifTip}, NifIcon | NifTip, false},  // only a change of the icon alone builds it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(State.PrepareCall(c.Request), c.BuildsIcon) << c.Request.Message << " " << c.Request.Flags;
    EXPECT_EQ(State.Record().Flags, c.Flags);
  }
  // A delete leaves the flags of the last call.
  EXPECT_FALSE(State.PrepareCall({NimDelete, 0}));
  EXPECT_EQ(State.Record().Flags, NifIcon | NifTip);
}

// ---- Clicks and double clicks from a scripted message sequence

// Plays the shell's messages at the given times (milliseconds) with a timer
// that goes off when due, as the system's would, and writes down each event
// with the time it was raised: "0 down L", "500 click".
constexpr std::uint32_t kQueuedTimer = 0;  // a timer message that was already queued

struct TStep {
  int Time;
  std::uint32_t Message;
};

std::string Play(const std::vector<TStep>& script, int doubleClickTime = 500) {
  using K = TTrayActionKind;
  TTrayClickSequencer clicks;
  std::optional<int> due;
  std::string log;
  auto perform = [&](int time, const std::vector<TTrayAction>& actions) {
    for (const TTrayAction& action : actions) {
      const char* button = action.Button == TMouseButton::mbLeft    ? "L"
                           : action.Button == TMouseButton::mbRight ? "R"
                                                                    : "M";
      std::string event;
      switch (action.Kind) {
        case K::taStartClickTimer:
          due = time + doubleClickTime;
          continue;
        case K::taKillClickTimer:
          due.reset();
          continue;
        case K::taMouseMove: event = "move"; break;
        case K::taMouseDown: event = std::string("down ") + button; break;
        case K::taMouseUp: event = std::string("up ") + button; break;
        case K::taClick: event = "click"; break;
        case K::taDblClick: event = "dblclick"; break;
        case K::taContextPopup: event = "menu"; break;
        case K::taBalloonShow: event = "balloon shown"; break;
        case K::taBalloonHide: event = "balloon hidden"; break;
        case K::taBalloonClick: event = "balloon clicked"; break;
      }
      if (!log.empty()) log += ", ";
      log += std::to_string(time) + " " + event;
    }
  };
  for (const TStep& step : script) {
    if (due && *due <= step.Time) perform(*due, clicks.TimerElapsed());
    perform(step.Time, step.Message == kQueuedTimer ? clicks.TimerElapsed() : clicks.Message(step.Message));
  }
  if (due) perform(*due, clicks.TimerElapsed());
  return log;
}

TEST(TrayClicks, ScriptedMessageSequences) {
  const struct {
    const char* Name;
    std::vector<TStep> Script;
    std::string Events;
  } cases[] = {
      {"single click after the double-click time", {{0, WmLButtonDown}, {80, WmLButtonUp}},
       "0 down L, 80 up L, 500 click"},
      {"double click: no click, second button-up swallowed",
       {{0, WmLButtonDown}, {80, WmLButtonUp}, {200, WmLButtonDblClk}, {260, WmLButtonUp}},
       "0 down L, 80 up L, 200 dblclick"},
      {"timer message queued before the double click was killed",
       {{0, WmLButtonDown}, {80, WmLButtonUp}, {200, WmLButtonDblClk}, {260, WmLButtonUp}, {261, kQueuedTimer}},
       "0 down L, 80 up L, 200 dblclick"},
      {"third click after a double click is a click of its own",
       {{0, WmLButtonDown}, {80, WmLButtonUp}, {200, WmLButtonDblClk}, {260, WmLButtonUp},
        {350, WmLButtonDown}, {420, WmLButtonUp}},
       "0 down L, 80 up L, 200 dblclick, 350 down L, 420 up L, 850 click"},
      {"two slow clicks are two clicks",
       {{0, WmLButtonDown}, {80, WmLButtonUp}, {700, WmLButtonDown}, {780, WmLButtonUp}},
       "0 down L, 80 up L, 500 click, 700 down L, 780 up L, 1200 click"},
      {"held button: the click comes while it is down", {{0, WmLButtonDown}, {900, WmLButtonUp}},
       "0 down L, 500 click, 900 up L"},
      {"right click opens the menu after its button-up", {{0, WmRButtonDown}, {90, WmRButtonUp}},
       "0 down R, 90 up R, 90 menu"},
      {"quick second right click still opens the menu",
       {{0, WmRButtonDown}, {90, WmRButtonUp}, {150, WmRButtonDblClk}, {220, WmRButtonUp}},
       "0 down R, 90 up R, 90 menu, 220 up R, 220 menu"},
      {"middle button", {{0, WmMButtonDown}, {50, WmMButtonUp}, {100, WmMButtonDblClk}},
       "0 down M, 50 up M"},
      {"move", {{0, WmMouseMove}}, "0 move"},
      {"balloon", {{0, NinBalloonShow}, {10, NinBalloonUserClick}, {20, NinBalloonHide}, {30, NinBalloonTimeout}},
       "0 balloon shown, 10 balloon clicked, 20 balloon hidden"},
      {"other messages", {{0, 0x400}, {10, 0x20A}}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Play(c.Script), c.Events) << c.Name;
  EXPECT_EQ(Play({{0, WmLButtonDown}, {80, WmLButtonUp}}, 900), "0 down L, 80 up L, 900 click");
}

// The click handler may run a message loop of its own (a dialog): a button
// going down meanwhile starts a new click that must not be lost.
TEST(TrayClicks, ButtonDownDuringTheClickStartsANewClick) {
  TTrayClickSequencer clicks;
  clicks.Message(WmLButtonDown);
  const std::vector<TTrayAction> actions = clicks.TimerElapsed();
  ASSERT_EQ(actions.back(), TTrayAction{TTrayActionKind::taClick});
  clicks.Message(WmLButtonDown);  // inside the click's handler
  EXPECT_TRUE(clicks.ClickPending());
  EXPECT_EQ(clicks.TimerElapsed().back(), TTrayAction{TTrayActionKind::taClick});
}

}  // namespace
}  // namespace tdialix
