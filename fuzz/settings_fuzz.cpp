// Settings files come from anywhere: whatever their bytes, loading gives a
// settings record, and after one load and save the file is in its own form:
// loading and saving it again changes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tdialix::TIniDocument doc = tdialix::TIniDocument::FromBytes(bytes);
  tdialix::TSettingsEnvironment environment;
  environment.DefaultStyleFile = L"C:\\TDialix\\Default.dlx";
  environment.TimeZoneBias = size % 2 ? -540 : 300;

  tdialix::TSettings first;
  const tdialix::TSettingsLoadResult result = tdialix::LoadSettings(&doc, first, environment);
  tdialix::TIniDocument same = doc;  // saving over the file read keeps what others wrote
  tdialix::SaveSettings(same, first, result.PriorityClass, environment);

  tdialix::TIniDocument once;
  tdialix::SaveSettings(once, first, result.PriorityClass, environment);
  const tdialix::TIniDocument reread = tdialix::TIniDocument::FromBytes(once.ToBytes());
  tdialix::TSettings second;
  const tdialix::TSettingsLoadResult again = tdialix::LoadSettings(&reread, second, environment);
  tdialix::TIniDocument twice;
  tdialix::SaveSettings(twice, second, again.PriorityClass, environment);
  if (twice.Text() != once.Text()) std::abort();
  return 0;
}
