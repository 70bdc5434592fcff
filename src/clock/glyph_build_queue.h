// Which build of the clocks' images runs, which one waits and which result is
// still wanted, while the style editor previews its values: the images last
// asked for win, a build they supersede is stopped, and a change that leaves
// the images as they are builds nothing.
#pragma once

#include <optional>

#include "style/style.h"

namespace tdialix {

class TGlyphBuildQueue {
 public:
  // One build: its number and the style whose images it makes.
  struct TJob {
    unsigned Generation = 0;
    TStyle Style;
  };
  // What a request asks of the builder.
  struct TRequest {
    std::optional<TJob> Start;  // nothing runs: start this build now
    bool StopRunning = false;   // the running build is no longer wanted: stop it early
  };
  // What a finished build leaves to do.
  struct TFinish {
    bool Install = false;       // its images are the ones wanted: the clocks take them
    std::optional<TJob> Start;  // the build that waited starts now
  };

  // The clocks show images built for this style.
  explicit TGlyphBuildQueue(const TStyle& installed = {});

  // The clocks are to show the style: its images are built unless they are
  // those shown, wanted already or being built.
  TRequest Request(const TStyle& style);
  // The build of that number ended, completed or stopped.
  TFinish Finished(unsigned generation, bool completed);
  // The images were built for this style another way (a style loaded, the
  // display changed): nothing running or waiting is wanted any more. True
  // when a running build should be stopped.
  bool Reset(const TStyle& built);

  // The style whose images the clocks show.
  const TStyle& Installed() const noexcept { return FInstalled; }
  // The style whose images were asked for last.
  const TStyle& Wanted() const noexcept { return FWanted; }
  bool Running() const noexcept { return FRunning.has_value(); }
  bool Waiting() const noexcept { return FWaiting.has_value(); }

 private:
  TStyle FInstalled;
  TStyle FWanted;
  unsigned Counter = 0;
  unsigned Newest = 0;  // the build whose images are wanted; 0: none
  std::optional<TJob> FRunning;
  std::optional<TJob> FWaiting;
};

}  // namespace tdialix
