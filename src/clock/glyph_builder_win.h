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

#include "clock/glyph_strip.h"

namespace tdialix {

class TGlyphBuilder {
 public:
  TGlyphBuilder() = default;
  ~TGlyphBuilder() { Cancel(); }
  TGlyphBuilder(const TGlyphBuilder&) = delete;
  TGlyphBuilder& operator=(const TGlyphBuilder&) = delete;

  // Starts the pixel work of a prepared build on a thread of its own, with
  // the program's worker threads; a build still running is cancelled first.
  // When it ends, message is posted to window (never for a cancelled one).
  void Start(std::unique_ptr<TGlyphStripBuild> build, HWND window, UINT message);
  // Stops the running build and forgets it; its strip never comes.
  void Cancel();
  // A build is running or its strip has not been taken.
  bool Busy() const;
  // Waits for the running build at most milliseconds; true when it has ended.
  bool Wait(unsigned milliseconds);
  // The strip of the build that ended, once.
  std::optional<TGlyphStrip> Take();

 private:
  void Run(std::unique_ptr<TGlyphStripBuild> build);

  HWND Window = nullptr;
  UINT Message = 0;
  std::thread Worker;
  std::atomic<bool> Cancelled{false};
  mutable std::mutex Mutex;
  std::condition_variable Ended;
  bool Running = false;
  std::optional<TGlyphStrip> Result;
};

}  // namespace tdialix
