#include "components/startup_check_win.h"

#include <windows.h>

#include "base/messages.h"

namespace tdialix {

TSystemVersion SystemVersion() {
  TSystemVersion version;
  OSVERSIONINFOW plain{};
  plain.dwOSVersionInfoSize = sizeof plain;
  if (::GetVersionExW(&plain)) {
    version.Major = plain.dwMajorVersion;
    version.Minor = plain.dwMinorVersion;
  }
  OSVERSIONINFOEXW extended{};
  extended.dwOSVersionInfoSize = sizeof extended;
  if (::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) {
    version.ExtendedKnown = true;
    version.ServicePackMajor = extended.wServicePackMajor;
  }
  return version;
}

bool CheckStartupSystem(const TStartupCheckHooks& hooks) {
  const TSystemVersion version = hooks.Version ? hooks.Version() : SystemVersion();
  if (SupportedSystem(version)) return true;
  ::MessageBoxW(::GetDesktopWindow(), MessageText(TMsg::SystemTooOld).data(), kAppTitle.data(), MB_OK | MB_ICONERROR);
  if (hooks.End) {
    hooks.End();
  } else {
    ::ExitProcess(1);
  }
  return false;
}

}  // namespace tdialix
