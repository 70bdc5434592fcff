// The program's command line: restart and association requests, style files
// and the "noplugin" switch.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tdialix {

// "/reboot:<window handle>": restart the instance that owns the window.
// Recognised wherever "/reboot" stands in the parameter, with a ":" after it;
// the handle is the decimal number right after the colon, 0 when there is none.
// A negative number is a handle at or above 0x80000000 printed with "%d".
std::optional<std::uint32_t> ParseRebootRequest(std::wstring_view parameter);
// The parameter that asks a new start to restart the instance of this window:
// the handle's 32-bit value, unsigned (a 64-bit handle's upper half carries
// nothing, and may be a sign extension).
std::wstring RebootParameter(std::uint64_t window);

// "/associate:<flag>,<window handle>": register (flag true) or remove the
// style-file association, with the window as owner of any message.
struct TAssociateRequest {
  bool Associate = false;
  std::uint32_t Owner = 0;
  bool operator==(const TAssociateRequest&) const = default;
};
std::optional<TAssociateRequest> ParseAssociateRequest(std::wstring_view parameter);

// "/startup:<flag>[,<window handle>]": create (flag true) or remove the
// start-up shortcut, in the same form as an association request. The
// installer asks for it, so that the shortcut is the program's own.
std::optional<TAssociateRequest> ParseStartupRequest(std::wstring_view parameter);

// The first parameter that contains no "/": the style file to load or hand over.
std::optional<std::wstring> FirstStyleParameter(const std::vector<std::wstring>& parameters);

// The switch "noplugin" after a "/", in any case.
bool HasNoPluginSwitch(const std::vector<std::wstring>& parameters);

// A command line split into its words, the program name first: blanks
// separate, double quotes group and are removed. Backslashes have no special
// meaning, so a quoted folder path that ends in a backslash stays whole.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

}  // namespace tdialix
