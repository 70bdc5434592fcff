#include "components/startup_check.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(StartupCheck, WindowsSevenWithServicePackOneIsTheOldestSystemLetThrough) {
  const struct {
    const char* System;
    TSystemVersion Version;
    bool Supported;
  } cases[] = {
      {"Windows NT 4.0 SP6", {4, 0, true, 6}, false},
      {"Windows NT 4.0, no extended answer", {4, 0, false, 0}, false},
      {"Windows 2000 SP3", {5, 0, true, 3}, false},
      {"Windows 2000 SP4", {5, 0, true, 4}, false},
      {"Windows 2000, no extended answer", {5, 0, false, 0}, false},
      {"Windows XP SP3", {5, 1, true, 3}, false},
      {"Windows Server 2003", {5, 2, true, 2}, false},
      {"Windows Vista SP2", {6, 0, true, 2}, false},
      {"Windows 7", {6, 1, true, 0}, false},
      {"Windows 7 SP1", {6, 1, true, 1}, true},
      {"Windows 7, no extended answer", {6, 1, false, 0}, true},
      {"Windows 8", {6, 2, true, 0}, true},
      {"Windows 8.1", {6, 3, true, 0}, true},
      {"Windows 10", {10, 0, true, 0}, true},
      {"Windows 10, no extended answer", {10, 0, false, 0}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(SupportedSystem(c.Version), c.Supported) << c.System;
}

}  // namespace
}  // namespace tdialix
