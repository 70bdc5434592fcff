// What the Wine tests need from the Linux host and the message queue: running
// a host program (xdotool) and pumping this thread's messages.
#pragma once

#include <windows.h>

#include <string>

namespace tdialix {

// Runs a program of the Linux host (Wine starts such files as they are) and
// waits for it, at most 10 s. False when it could not be started.
inline bool RunHostProgram(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  ::WaitForSingleObject(info.hProcess, 10000);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return true;
}

// xdotool with its arguments, on the session's display.
inline bool Xdotool(const std::wstring& arguments) { return RunHostProgram(L"Z:\\usr\\bin\\xdotool " + arguments); }

inline void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
}

}  // namespace tdialix
