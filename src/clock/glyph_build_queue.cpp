#include "clock/glyph_build_queue.h"

#include <utility>

#include "style/style_image.h"

namespace tdialix {

TGlyphBuildQueue::TGlyphBuildQueue(const TStyle& installed) : FInstalled(installed), FWanted(installed) {}

TGlyphBuildQueue::TRequest TGlyphBuildQueue::Request(const TStyle& style) {
  TRequest request;
  if (!ImageFieldsDiffer(style, FWanted)) return request;
  FWanted = style;
  if (FRunning && !ImageFieldsDiffer(style, FRunning->Style)) {
    // Back to the images being built: they are wanted again, nothing else is.
    FWaiting.reset();
    Newest = FRunning->Generation;
    return request;
  }
  if (!ImageFieldsDiffer(style, FInstalled)) {
    // Back to the images the clocks show.
    FWaiting.reset();
    Newest = 0;
    request.StopRunning = FRunning.has_value();
    return request;
  }
  TJob job{++Counter, style};
  Newest = job.Generation;
  if (FRunning) {
    // Only the newest state is built: what waited before is dropped.
    FWaiting = std::move(job);
    request.StopRunning = true;
  } else {
    FRunning = job;
    request.Start = std::move(job);
  }
  return request;
}

TGlyphBuildQueue::TFinish TGlyphBuildQueue::Finished(unsigned generation, bool completed) {
  TFinish finish;
  if (!FRunning || FRunning->Generation != generation) return finish;
  if (completed && generation == Newest) {
    finish.Install = true;
    FInstalled = std::move(FRunning->Style);
    Newest = 0;
  }
  FRunning.reset();
  if (FWaiting) {
    FRunning = std::move(FWaiting);
    FWaiting.reset();
    finish.Start = FRunning;
  }
  return finish;
}

bool TGlyphBuildQueue::Reset(const TStyle& built) {
  FInstalled = built;
  FWanted = built;
  Newest = 0;
  FWaiting.reset();
  return FRunning.has_value();
}

}  // namespace tdialix
