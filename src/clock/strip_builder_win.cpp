#include "clock/strip_builder_win.h"

#include <algorithm>
#include <chrono>

namespace tdialix {

namespace {

// The threads every build shares: one per processor, the build's own among them.
// The pool lives as long as the process: a cancelled build that a closed
// clock left behind may still be stopping in it while the program ends.
TWorkerPool& BuildPool() {
  static TWorkerPool* const pool = new TWorkerPool(std::max(1u, std::thread::hardware_concurrency()));
  return *pool;
}

}  // namespace

TStripBuilder::~TStripBuilder() {
  Cancel();
  // A build still stopping keeps what it needs (its state and its strip) by
  // itself and posts nothing: it is let go instead of waited for, so that a
  // clock closed during a long build closes at once.
  for (auto& [run, thread] : Retired) {
    if (thread.joinable()) thread.detach();
  }
}

void TStripBuilder::Start(std::unique_ptr<TGlyphStripBuild> build, HWND window, UINT message) {
  Cancel();
  Current = std::make_shared<TRun>();
  Worker = std::thread([run = Current, job = std::move(build), window, message]() mutable {
    Run(run, std::move(job), window, message);
  });
}

void TStripBuilder::Run(const std::shared_ptr<TRun>& run, std::unique_ptr<TGlyphStripBuild> build, HWND window,
                        UINT message) {
  TGlyphBuildControl control;
  control.Pool = &BuildPool();
  control.Cancel = &run->Cancelled;
  bool finished = false;
  try {
    finished = build->Finish(control);
  } catch (...) {
    finished = false;  // out of memory: the clock keeps the strip it has
  }
  bool post = false;
  {
    std::lock_guard<std::mutex> lock(run->Mutex);
    run->Running = false;
    if (finished && !run->Cancelled) {
      run->Result = std::move(build->Strip);
      post = true;
    }
  }
  build.reset();  // a cancelled build's memory goes with its thread
  run->Ended.notify_all();
  if (post) ::PostMessageW(window, message, 0, 0);
}

void TStripBuilder::Cancel() {
  if (Current) {
    Current->Cancelled = true;
    if (Worker.joinable()) Retired.emplace_back(Current, std::move(Worker));
    Current.reset();
  }
  ReapRetired();
}

void TStripBuilder::ReapRetired() {
  for (auto it = Retired.begin(); it != Retired.end();) {
    bool ended = false;
    {
      std::lock_guard<std::mutex> lock(it->first->Mutex);
      ended = !it->first->Running;
    }
    if (ended) {
      it->second.join();
      it = Retired.erase(it);
    } else {
      ++it;
    }
  }
}

bool TStripBuilder::Busy() const {
  if (!Current) return false;
  std::lock_guard<std::mutex> lock(Current->Mutex);
  return Current->Running || Current->Result.has_value();
}

bool TStripBuilder::Wait(unsigned milliseconds) {
  if (!Current) return true;
  TRun& run = *Current;
  std::unique_lock<std::mutex> lock(run.Mutex);
  return run.Ended.wait_for(lock, std::chrono::milliseconds(milliseconds), [&run] { return !run.Running; });
}

std::optional<TGlyphStrip> TStripBuilder::Take() {
  std::optional<TGlyphStrip> strip;
  if (!Current) return strip;
  {
    std::lock_guard<std::mutex> lock(Current->Mutex);
    strip.swap(Current->Result);
  }
  if (strip) {
    if (Worker.joinable()) Worker.join();  // it has ended: its last step was to post
    Current.reset();
  }
  ReapRetired();
  return strip;
}

}  // namespace tdialix
