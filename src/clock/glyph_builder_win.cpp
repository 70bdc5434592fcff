#include "clock/glyph_builder_win.h"

#include <algorithm>
#include <condition_variable>

namespace tdialix {

namespace {

// The threads every build shares: one per processor, the build's own among them.
TWorkerPool& BuildPool() {
  static TWorkerPool pool(std::max(1u, std::thread::hardware_concurrency()));
  return pool;
}

}  // namespace

void TGlyphBuilder::Start(std::unique_ptr<TGlyphStripBuild> build, HWND window, UINT message) {
  Cancel();
  Cancelled = false;
  Window = window;
  Message = message;
  {
    std::lock_guard<std::mutex> lock(Mutex);
    Running = true;
  }
  Worker = std::thread([this, job = std::move(build)]() mutable { Run(std::move(job)); });
}

void TGlyphBuilder::Run(std::unique_ptr<TGlyphStripBuild> build) {
  TGlyphBuildControl control;
  control.Pool = &BuildPool();
  control.Cancel = &Cancelled;
  bool finished = false;
  try {
    finished = build->Finish(control);
  } catch (...) {
    finished = false;  // out of memory: the clock keeps the strip it has
  }
  {
    std::lock_guard<std::mutex> lock(Mutex);
    Running = false;
    if (finished && !Cancelled) Result = std::move(build->Strip);
  }
  Ended.notify_all();
  if (finished && !Cancelled) ::PostMessageW(Window, Message, 0, 0);
}

void TGlyphBuilder::Cancel() {
  Cancelled = true;
  if (Worker.joinable()) Worker.join();
  std::lock_guard<std::mutex> lock(Mutex);
  Running = false;
  Result.reset();
}

bool TGlyphBuilder::Busy() const {
  std::lock_guard<std::mutex> lock(Mutex);
  return Running || Result.has_value();
}

bool TGlyphBuilder::Wait(unsigned milliseconds) {
  std::unique_lock<std::mutex> lock(Mutex);
  return Ended.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return !Running; });
}

std::optional<TGlyphStrip> TGlyphBuilder::Take() {
  std::optional<TGlyphStrip> strip;
  {
    std::lock_guard<std::mutex> lock(Mutex);
    strip.swap(Result);
  }
  if (strip && Worker.joinable()) Worker.join();
  return strip;
}

}  // namespace tdialix
