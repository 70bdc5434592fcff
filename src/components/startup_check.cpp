#include "components/startup_check.h"

namespace tdialix {

bool SupportedSystem(const TSystemVersion& version) {
  constexpr unsigned kMajor = 6, kMinor = 1, kServicePack = 1;  // Windows 7 with Service Pack 1
  if (version.Major != kMajor) return version.Major > kMajor;
  if (version.Minor != kMinor) return version.Minor > kMinor;
  return !version.ExtendedKnown || version.ServicePackMajor >= kServicePack;
}

}  // namespace tdialix
