// The start-up check's decision: whether the program runs on the system
// whose version it is given.
#pragma once

namespace tdialix {

// The system's version as the two queries tell it: the plain one always
// answers; the extended one, which adds the service pack, may fail.
struct TSystemVersion {
  unsigned Major = 0;
  unsigned Minor = 0;
  bool ExtendedKnown = false;
  unsigned ServicePackMajor = 0;
};

// Windows 7 with Service Pack 1 or a later Windows. Anything older than
// Windows 7 is refused whether or not the service pack is known; Windows 7 is
// refused only when the service pack is known to be missing, because without
// the extended answer nothing says it is.
bool SupportedSystem(const TSystemVersion& version);

}  // namespace tdialix
