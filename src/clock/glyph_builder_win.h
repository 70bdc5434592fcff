// Builds the clocks' glyph strips on a thread of its own, so that the windows
// keep answering while a heavy style's images are made. The thread only
// computes, from a copy of the style; the strips come back to the UI thread,
// which is told by a posted message. A build that is no longer wanted stops
// early.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "base/unique_handle_win.h"
#include "clock/glyph_strip.h"
#include "style/style.h"

namespace tdialix {

// One build: what it is asked for and what it gave.
struct TGlyphBuild {
  unsigned Generation = 0;
  TStyle Style;
  std::vector<int> MonitorHeights;  // one per clock, in the master's order
  unsigned DisplayBits = 32;
  std::vector<TGlyphStrip> Strips;  // one per clock when completed
  bool Completed = false;
};

// Builds every clock's strip (clocks of equal monitor height share one
// build); returns early, not completed, once stop is set.
void BuildGlyphStrips(TGlyphBuild& build, const std::atomic<bool>& stop);

class TGlyphBuilder {
 public:
  using TBuildFunction = std::function<void(TGlyphBuild& build, const std::atomic<bool>& stop)>;

  // Posts message (no parameters) to the window whenever a build has ended.
  TGlyphBuilder(HWND notify, UINT message);
  // Stops a running build and waits for it.
  ~TGlyphBuilder();
  TGlyphBuilder(const TGlyphBuilder&) = delete;
  TGlyphBuilder& operator=(const TGlyphBuilder&) = delete;

  // Starts a build; false while one runs or when no thread could start.
  bool Start(TGlyphBuild build);
  // Asks the running build to stop early.
  void Stop();
  bool Running() const noexcept { return static_cast<bool>(Thread); }
  // The build that ended (after the message); none while it runs or when it was taken.
  std::optional<TGlyphBuild> Take();

  // What a build does (a test stands in for it).
  TBuildFunction Build = &BuildGlyphStrips;

 private:
  static DWORD WINAPI ThreadProc(LPVOID self);

  HWND Notify;
  UINT Message;
  TUniqueKernelHandle Thread;
  std::atomic<bool> StopFlag{false};
  std::atomic<bool> Ended{false};
  TGlyphBuild Current;
};

}  // namespace tdialix
