#include "app/command_line.h"

#include "base/text.h"

namespace tdialix {

namespace {

// The text after the switch's colon, or nothing when the parameter is no such request.
std::optional<std::wstring_view> SwitchValue(std::wstring_view parameter, std::wstring_view name) {
  const size_t at = parameter.find(name);
  if (at == std::wstring_view::npos) return std::nullopt;
  const size_t colon = parameter.find(L':', at);
  if (colon == std::wstring_view::npos) return std::nullopt;
  return parameter.substr(colon + 1);
}

// A window handle in decimal. Handles take up to ten digits, so all the digits
// are read; text that is no number gives 0. A handle at or above 0x80000000
// that was printed as a signed number ("%d") comes with a "-" and stands for
// the same 32 bits.
std::uint32_t HandleNumber(std::wstring_view text) {
  const bool negative = !text.empty() && text.front() == L'-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return 0;
  const std::uint64_t limit = negative ? 0x80000000ull : 0xFFFFFFFFull;
  std::uint64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + static_cast<unsigned>(c - L'0');
    if (value > limit) return 0;
  }
  return negative ? static_cast<std::uint32_t>(0x100000000ull - value) : static_cast<std::uint32_t>(value);
}

// A flag digit (any digit but "0" is true), then an optional comma and window handle.
std::optional<TAssociateRequest> FlagAndOwner(std::wstring_view parameter, std::wstring_view name) {
  const auto value = SwitchValue(parameter, name);
  if (!value) return std::nullopt;
  TAssociateRequest request;
  request.Associate = !value->empty() && (*value)[0] >= L'1' && (*value)[0] <= L'9';
  if (const size_t comma = value->find(L','); comma != std::wstring_view::npos) {
    request.Owner = HandleNumber(value->substr(comma + 1));
  }
  return request;
}

}  // namespace

std::optional<std::uint32_t> ParseRebootRequest(std::wstring_view parameter) {
  const auto value = SwitchValue(parameter, L"/reboot");
  if (!value) return std::nullopt;
  return HandleNumber(*value);
}

std::wstring RebootParameter(std::uint64_t window) {
  return L"/reboot:" + std::to_wstring(static_cast<std::uint32_t>(window));
}

std::optional<TAssociateRequest> ParseAssociateRequest(std::wstring_view parameter) {
  return FlagAndOwner(parameter, L"/associate");
}

std::optional<TAssociateRequest> ParseStartupRequest(std::wstring_view parameter) {
  return FlagAndOwner(parameter, L"/startup");
}

std::optional<std::wstring> FirstStyleParameter(const std::vector<std::wstring>& parameters) {
  for (const std::wstring& parameter : parameters) {
    if (parameter.find(L'/') == std::wstring::npos) return parameter;
  }
  return std::nullopt;
}

bool HasNoPluginSwitch(const std::vector<std::wstring>& parameters) {
  for (const std::wstring& parameter : parameters) {
    if (parameter.size() == 9 && parameter[0] == L'/' &&
        SameText(std::wstring_view(parameter).substr(1), L"noplugin")) {
      return true;
    }
  }
  return false;
}

std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine) {
  std::vector<std::wstring> parameters;
  size_t i = 0;
  const size_t n = commandLine.size();
  auto skipBlanks = [&] {
    while (i < n && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
  };
  skipBlanks();
  while (i < n) {
    std::wstring parameter;
    bool quoted = false;
    while (i < n && (quoted || (commandLine[i] != L' ' && commandLine[i] != L'\t'))) {
      if (commandLine[i] == L'"') {
        quoted = !quoted;
        ++i;
        continue;
      }
      parameter += commandLine[i++];
    }
    parameters.push_back(std::move(parameter));
    skipBlanks();
  }
  return parameters;
}

}  // namespace tdialix
