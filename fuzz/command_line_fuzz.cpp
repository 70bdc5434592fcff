// Any command line, as the shell, the installer or a user may pass it: it
// splits into parameters, and each parameter's requests read without harm;
// a request is only found where its switch is written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tdialix;
  // Two bytes a character, so that any UTF-16 text can come.
  std::wstring line;
  for (std::size_t at = 0; at + 1 < size; at += 2) line.push_back(static_cast<wchar_t>(data[at] | data[at + 1] << 8));
  const std::vector<std::wstring> parameters = SplitCommandLine(line);
  for (const std::wstring& parameter : parameters) {
    if (ParseRebootRequest(parameter) && parameter.find(L"/reboot") == std::wstring::npos) std::abort();
    if (ParseAssociateRequest(parameter) && parameter.find(L"/associate") == std::wstring::npos) std::abort();
    if (ParseStartupRequest(parameter) && parameter.find(L"/startup") == std::wstring::npos) std::abort();
  }
  if (const auto style = FirstStyleParameter(parameters); style && style->find(L'/') != std::wstring::npos) std::abort();
  HasNoPluginSwitch(parameters);
  return 0;
}
