#include "app/monitor_list.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(MonitorList, NamesTakeTheLastActiveDevice) {
  const struct {
    int Number;
    std::vector<TDisplayDeviceInfo> Devices;
    bool Primary;
    const wchar_t* Name;
  } cases[] = {
      {1, {{L"Generic PnP Monitor", true}}, true, L"(1) Generic PnP Monitor (主モニター)"},
      {2, {{L"A", true}, {L"B", false}, {L"C", true}}, false, L"(2) C"},
      {3, {{L"First", false}, {L"Second", false}}, false, L"(3) First"},
      {4, {}, false, L"(4) "},
  };
  for (const auto& c : cases) EXPECT_EQ(MonitorName(c.Number, c.Devices, c.Primary), c.Name);
}

std::vector<TMonitorRecord> Monitors(size_t count) {
  std::vector<TMonitorRecord> monitors;
  for (size_t i = 0; i < count; ++i) {
    monitors.push_back({i + 1, static_cast<int>(i), {static_cast<int>(i) * 1920, 0, static_cast<int>(i + 1) * 1920, 1080},
                        L"(" + std::to_wstring(i + 1) + L") M"});
  }
  return monitors;
}

TEST(MonitorList, PlacementsOutliveTheirMonitors) {
  std::vector<TPlacement> placements;
  EnsurePlacements(placements, 3);
  ASSERT_EQ(placements.size(), 3u);
  EXPECT_EQ(placements[2], (TPlacement{1.0f, 3.0f, true}));
  placements[1] = {50.0f, 60.0f, true};
  placements[2] = {10.0f, 20.0f, false};

  // Two of three monitors unplugged, then plugged in again: the old places come back.
  EnsurePlacements(placements, 1);
  EXPECT_EQ(placements.size(), 3u);
  EnsurePlacements(placements, 3);
  EXPECT_EQ(placements[1], (TPlacement{50.0f, 60.0f, true}));
  EXPECT_EQ(placements[2], (TPlacement{10.0f, 20.0f, false}));
  EnsurePlacements(placements, 4);
  EXPECT_EQ(placements[3], TPlacement{});
}

TEST(MonitorList, ClockOriginIsAPercentageOfTheMonitor) {
  EXPECT_EQ(ClockOrigin({0, 0, 1920, 1080}, {1.0f, 3.0f, true}), (TPoint{19, 32}));
  EXPECT_EQ(ClockOrigin({1920, -200, 3200, 824}, {39.0f, 50.0f, true}), (TPoint{1920 + 499, -200 + 512}));
  EXPECT_EQ(ClockOrigin({0, 0, 1920, 1080}, {39.0f, 0.0f, true}), (TPoint{749, 0}));
}

TEST(MonitorList, MenuKeepsTheLastShownMonitorTicked) {
  const struct {
    size_t MonitorCount;
    std::vector<TPlacement> Placements;
    std::vector<TMonitorMenuItem> Items;
  } cases[] = {
      {1, {{}}, {{L"(1) M", true, false, false}}},  // a single monitor: hidden, cannot be unticked
      {2, {{}, {}}, {{L"(1) M", true, true, true}, {L"(2) M", true, true, true}}},
      {2,
       {{1, 3, false}, {}},
       {{L"(1) M", false, true, true}, {L"(2) M", true, false, true}}},  // the last shown one stays
      {3,
       {{1, 3, false}, {}, {1, 3, false}},
       {{L"(1) M", false, true, true}, {L"(2) M", true, false, true}, {L"(3) M", false, true, true}}},
  };
  for (const auto& c : cases) EXPECT_EQ(MonitorMenuItems(Monitors(c.MonitorCount), c.Placements), c.Items);
  EXPECT_FALSE(MonitorSubmenuVisible(1));
  EXPECT_TRUE(MonitorSubmenuVisible(2));
}

TEST(MonitorList, ToggleKeepsOneMonitorShown) {
  const struct {
    size_t MonitorCount;
    std::vector<bool> ShownBefore;
    size_t Clicked;
    bool Changed;
    std::vector<bool> ShownAfter;
    std::vector<bool> EnabledAfter;  // of the items built afresh from the new marks
  } cases[] = {
      {1, {true}, 0, false, {true}, {false}},  // the only monitor
      {2, {true, true}, 0, true, {false, true}, {true, false}},
      {2, {false, true}, 0, true, {true, true}, {true, true}},
      {2, {false, true}, 1, false, {false, true}, {true, false}},  // the last shown one
      // Three monitors: two shown ones can each still be unticked, a hidden one ticked.
      {3, {true, true, true}, 0, true, {false, true, true}, {true, true, true}},
      {3, {false, true, true}, 1, true, {false, false, true}, {true, true, false}},
      // None shown (a style file can say so): the clicked one shows and is the last.
      {2, {false, false}, 1, true, {false, true}, {true, false}},
      {2, {true, true}, 2, false, {true, true}, {true, true}},  // no such monitor
      // Records of unplugged monitors do not count as shown.
      {1, {true, true}, 0, false, {true, true}, {false}},
      // Missing records are made (shown) before the click counts.
      {2, {}, 1, true, {true, false}, {false, true}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.MonitorCount << " monitors, clicked " << c.Clicked);
    std::vector<TPlacement> placements;
    for (bool shown : c.ShownBefore) placements.push_back({1.0f, 3.0f, shown});
    EXPECT_EQ(ToggleMonitor(placements, c.MonitorCount, c.Clicked), c.Changed);
    std::vector<bool> shownAfter;
    for (const TPlacement& p : placements) shownAfter.push_back(p.Shown);
    EXPECT_EQ(shownAfter, c.ShownAfter);
    std::vector<bool> enabled;
    for (const TMonitorMenuItem& item : MonitorMenuItems(Monitors(c.MonitorCount), placements)) {
      enabled.push_back(item.Enabled);
    }
    EXPECT_EQ(enabled, c.EnabledAfter);
  }
}

// When a style, or a monitor that went away, leaves no present monitor with a
// clock (a laptop undocked after its own screen's clock was switched off),
// the primary monitor's clock comes back: the toggle's rule that one stays
// shown, applied when the records are loaded.
TEST(MonitorList, LoadingKeepsOneClockShown) {
  const struct {
    const char* Name;
    size_t MonitorCount;
    int Primary;  // -1: none marked
    std::vector<bool> ShownBefore;
    bool Changed;
    std::vector<bool> ShownAfter;
  } cases[] = {
      {"the only monitor hidden", 1, 0, {false}, true, {true}},
      {"the only monitor shown", 1, 0, {true}, false, {true}},
      {"both hidden: the primary one shows", 2, 1, {false, false}, true, {false, true}},
      {"one of two shown", 2, 0, {false, true}, false, {false, true}},
      {"none marked primary: the first", 2, -1, {false, false}, true, {true, false}},
      {"shown only on a monitor that went away", 1, 0, {false, true}, true, {true, true}},
      {"missing records are shown", 2, 0, {false}, false, {false, true}},
      {"no monitors at all", 0, -1, {false}, false, {false}},
  };
  for (const auto& c : cases) {
    std::vector<TPlacement> placements;
    for (bool shown : c.ShownBefore) placements.push_back({1.0f, 3.0f, shown});
    std::vector<TMonitorRecord> monitors = Monitors(c.MonitorCount);
    for (size_t i = 0; i < monitors.size(); ++i) monitors[i].Primary = static_cast<int>(i) == c.Primary;
    EXPECT_EQ(KeepOneClockShown(placements, monitors), c.Changed) << c.Name;
    std::vector<bool> shownAfter;
    for (const TPlacement& p : placements) shownAfter.push_back(p.Shown);
    EXPECT_EQ(shownAfter, c.ShownAfter) << c.Name;
  }
}

}  // namespace
}  // namespace tdialix
