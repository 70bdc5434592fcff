// The pixel work of glyph strips off the user-interface thread: one build at
// a time per clock window, cancelled by the next, its end posted to the window.
#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "clock/glyph_strip.h"

namespace tdialix {

class TStripBuilder {
 public:
  TStripBuilder() = default;
  ~TStripBuilder();
  TStripBuilder(const TStripBuilder&) = delete;
  TStripBuilder& operator=(const TStripBuilder&) = delete;

  // Starts the pixel work of a prepared build on a thread of its own, with
  // the program's worker threads; a build still running is cancelled first.
  // When it ends, message is posted to window (never for a cancelled one).
  void Start(std::unique_ptr<TGlyphStripBuild> build, HWND window, UINT message);
  // Stops the running build and forgets it at once; its strip never comes.
  // Its thread ends by itself at its next look at the cancel mark: the
  // caller never waits for it.
  void Cancel();
  // A build is running or its strip has not been taken.
  bool Busy() const;
  // Waits for the running build at most milliseconds; true when it has ended.
  bool Wait(unsigned milliseconds);
  // The strip of the build that ended, once.
  std::optional<TGlyphStrip> Take();

 private:
  // One build's state, shared by its thread and the builder until both let go.
  struct TRun {
    std::atomic<bool> Cancelled{false};
    std::mutex Mutex;
    std::condition_variable Ended;
    bool Running = true;
    std::optional<TGlyphStrip> Result;
  };
  static void Run(const std::shared_ptr<TRun>& run, std::unique_ptr<TGlyphStripBuild> build, HWND window,
                  UINT message);
  // Joins the threads of cancelled builds that have ended.
  void ReapRetired();

  std::shared_ptr<TRun> Current;
  std::thread Worker;
  std::vector<std::pair<std::shared_ptr<TRun>, std::thread>> Retired;  // cancelled builds still stopping
};

}  // namespace tdialix
