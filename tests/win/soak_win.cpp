// A day of the clock in minutes: the master window in this process, an
// animated style, a simulated day of its displayed time, styles loaded over
// and over and every dialog of the program opened and closed again and
// again, with the process's memory and its GDI and USER objects measured
// along the way. Run by scripts/soak.sh; prints its figures and ends with 1
// when the memory grew by more than a megabyte after the warm-up, objects
// were lost or the clock did not show the simulated time.
//   soak_win <styles folder> [seconds of frames at each minute] [style loads] [rounds per dialog]
//
// The simulated day: the displayed time is set through the world clock's
// shift, so the clock shows whatever time the soak chooses. For each of the
// day's 1,440 minutes (and midnight at both ends) the tick is driven frame by
// frame at the timer interval through the change of the minute, the given
// seconds around it: every minute's and hour's digits change and animate,
// the date changes twice, and the seconds in between are left out (their
// frames are those of the seconds shown).
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/application_win.h"
#include "app/master_window_win.h"
#include "app/popup_menu.h"
#include "base/date_time.h"
#include "base/system_locale_win.h"
#include "dialog_driver_win.h"
#include "../support/host_program_win.h"

namespace tdialix {
namespace {

struct TFigures {
  double PrivateMb = 0;
  double WorkingSetMb = 0;
  DWORD GdiObjects = 0;
  DWORD UserObjects = 0;
};

// The process's committed private memory (its heaps, stacks and private
// mappings), added up over its address space: Wine does not report the
// private bytes, and this is what a leak makes grow on either system.
size_t CommittedPrivateBytes() {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof region) == sizeof region;) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

TFigures Measure() {
  PumpMessages();
  TFigures figures;
  figures.PrivateMb = static_cast<double>(CommittedPrivateBytes()) / (1 << 20);
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) {
    figures.WorkingSetMb = static_cast<double>(counters.WorkingSetSize) / (1 << 20);
  }
  figures.GdiObjects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  figures.UserObjects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  return figures;
}

void Print(const char* stage, const TFigures& f) {
  std::printf("%-34s private %8.2f MB  working set %8.2f MB  GDI %5lu  USER %5lu\n", stage, f.PrivateMb,
              f.WorkingSetMb, static_cast<unsigned long>(f.GdiObjects), static_cast<unsigned long>(f.UserObjects));
  std::fflush(stdout);
}

std::vector<std::wstring> StyleFiles(const std::wstring& folder) {
  std::vector<std::wstring> files;
  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileW((folder + L"*.dlx").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do files.push_back(folder + data.cFileName);
  while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return files;
}

int Soak(const std::wstring& stylesFolder, int secondsPerMinute, int styleLoads, int dialogRounds) {
  const std::vector<std::wstring> styles = StyleFiles(stylesFolder);
  const std::wstring animated = stylesFolder + L"Rolling.dlx";
  if (styles.empty() || ::GetFileAttributesW(animated.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("no styles in the folder\n");
    return 2;
  }
  TApplication application;
  TDialixMaster master(application, std::vector<std::wstring>{});
  for (int i = 0; i < 1000 && !application.Initialized; ++i) {
    PumpMessages();
    ::Sleep(10);
  }
  if (!application.Initialized) {
    std::printf("no deferred initialisation\n");
    return 2;
  }
  // The timer stays off: the soak drives the tick itself, as fast as it runs.
  master.SettingTimer(false);

  const int dialogCommands[] = {kCmdSettings, kCmdEditStyle, kCmdAutoStyle, kCmdWorldClock, kCmdAbout};
  const char* const dialogNames[] = {"settings", "style editor", "automatic style change", "world clock", "about"};
  const auto runTicks = [&master](long count) {
    for (long i = 0; i < count; ++i) {
      master.TimerEvent(false);
      if (i % 64 == 0) PumpMessages();
    }
  };
  const auto openAndClose = [&master](int command) {
    RunModal(
        [&master, command] {
          master.ExecuteCommand(command);
          return 0;
        },
        [](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
  };

  // Warm-up: every path once, so that what is built once and kept (fonts,
  // caches, the dialogs' classes) is there before the first figure.
  Print("start", Measure());
  for (const std::wstring& style : styles) {
    master.LoadStyle(style, false, false, false);
    runTicks(200);
  }
  for (const int command : dialogCommands) openAndClose(command);
  master.LoadStyle(animated, false, false, false);
  runTicks(2000);
  const TFigures base = Measure();
  Print("after warm-up", base);
  TFigures peak = base;
  const auto sample = [&peak](const char* stage) {
    const TFigures f = Measure();
    if (f.PrivateMb > peak.PrivateMb) peak.PrivateMb = f.PrivateMb;
    if (f.GdiObjects > peak.GdiObjects) peak.GdiObjects = f.GdiObjects;
    if (f.UserObjects > peak.UserObjects) peak.UserObjects = f.UserObjects;
    Print(stage, f);
  };

  // The day: the animated style through every minute's change, frame by
  // frame, with the displayed time simulated through the world clock's shift.
  const TWorldClock ownWorldClock = master.Settings.WorldClock;
  master.Settings.WorldClock.Specification = wcManual;
  master.WorldClockChanged();
  const std::int64_t interval = master.Settings.TimerInterval;
  const std::int64_t frames = std::max<std::int64_t>(1, secondsPerMinute * 1000 / interval);
  const TDateTime midnight = DateOf(LocalNow());
  const DWORD dayStart = ::GetTickCount();
  long ticks = 0;
  double worstOff = 0;  // milliseconds between the displayed time and the simulated one
  for (int minute = 0; minute <= 24 * 60; ++minute) {
    const TDateTime change = IncMilliSecond(midnight, minute * std::int64_t{60'000});
    for (std::int64_t frame = 0; frame < frames; ++frame) {
      const TDateTime shown = IncMilliSecond(change, frame * interval - secondsPerMinute * 500);
      master.Settings.WorldClock.Time = shown - LocalNow();
      worstOff = std::max(worstOff, std::abs(master.DisplayedNow() - shown) * static_cast<double>(MSecsPerDay));
      master.TimerEvent(false);
      if (++ticks % 64 == 0) PumpMessages();
    }
    if (minute % 144 == 0 && minute > 0) {
      char stage[64];
      // The string the clock shows, to see that the day is the simulated one.
      std::string shownText;
      for (const wchar_t c : master.NowText) shownText += c < 0x80 ? static_cast<char>(c) : '?';
      std::snprintf(stage, sizeof stage, "day %02d:%02d \"%s\"", minute / 60, minute % 60, shownText.c_str());
      sample(stage);
    }
  }
  master.Settings.WorldClock = ownWorldClock;
  master.WorldClockChanged();
  // A clock that showed another time than the simulated one did not live the day.
  const bool simulated = worstOff < 100;
  std::printf("a day's 1,441 changes of the minute, %ld ticks, in %.1f s; displayed time off by at most %.0f ms\n",
              ticks, (::GetTickCount() - dayStart) / 1000.0, worstOff);

  // Styles loaded over and over, each with a few ticks to draw it.
  for (int i = 1; i <= styleLoads; ++i) {
    master.LoadStyle(styles[static_cast<size_t>(i) % styles.size()], false, false, false);
    runTicks(5);
    if (i % (styleLoads / 5 > 0 ? styleLoads / 5 : 1) == 0) {
      char stage[64];
      std::snprintf(stage, sizeof stage, "%d style loads", i);
      sample(stage);
    }
  }

  // Every dialog of the program, opened and closed.
  for (size_t d = 0; d < std::size(dialogCommands); ++d) {
    for (int i = 0; i < dialogRounds; ++i) openAndClose(dialogCommands[d]);
    char stage[64];
    std::snprintf(stage, sizeof stage, "%s dialog x %d", dialogNames[d], dialogRounds);
    sample(stage);
  }

  // Back to the animated style, as the day ended.
  master.LoadStyle(animated, false, false, false);
  runTicks(2000);
  const TFigures end = Measure();
  Print("end", end);

  const double growth = end.PrivateMb - base.PrivateMb;
  std::printf("growth after warm-up: private %+.2f MB (peak %+.2f MB), working set %+.2f MB\n", growth,
              peak.PrivateMb - base.PrivateMb, end.WorkingSetMb - base.WorkingSetMb);
  if (base.GdiObjects == 0 && base.UserObjects == 0) {
    std::printf("GDI and USER object counts: not reported by this system\n");
  } else {
    std::printf("GDI %+ld, USER %+ld\n", static_cast<long>(end.GdiObjects) - static_cast<long>(base.GdiObjects),
                static_cast<long>(end.UserObjects) - static_cast<long>(base.UserObjects));
  }
  const bool flat = growth <= 1.0 && end.GdiObjects <= base.GdiObjects && end.UserObjects <= base.UserObjects;
  std::printf(flat ? "flat\n" : "NOT FLAT\n");
  if (!simulated) std::printf("NOT THE SIMULATED DAY: the displayed time was off by up to %.0f ms\n", worstOff);
  return flat && simulated ? 0 : 1;
}

}  // namespace
}  // namespace tdialix

int main() {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!arguments || count < 2) {
    std::printf("soak_win <styles folder> [seconds of frames at each minute] [style loads] [rounds per dialog]\n");
    return 2;
  }
  std::wstring folder = arguments[1];
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') folder += L'\\';
  const int seconds = count > 2 ? std::max(1, static_cast<int>(std::wcstol(arguments[2], nullptr, 10))) : 2;
  const int styleLoads = count > 3 ? static_cast<int>(std::wcstol(arguments[3], nullptr, 10)) : 1000;
  const int rounds = count > 4 ? static_cast<int>(std::wcstol(arguments[4], nullptr, 10)) : 100;
  return tdialix::Soak(folder, seconds, styleLoads, rounds);
}
