#include "base/messages.h"

namespace tdialix {

std::wstring_view MessageText(TMsg id) {
  switch (id) {
    case TMsg::DefaultHolidays:
      return L"0,0, 1,0, 1,1,元日\r\n"
             L"0,1, 1,2, 1,1,成人の日\r\n"
             L"0,0, 2,0,11,1,建国記念日\r\n"
             L"0,0, 4,0,29,1,昭和の日\r\n"
             L"0,0, 5,0, 3,1,憲法記念日\r\n"
             L"0,0, 5,0, 4,1,みどりの日\r\n"
             L"0,0, 5,0, 5,1,子どもの日\r\n"
             L"0,1, 7,3, 1,1,海の日\r\n"
             L"0,1, 9,3, 1,1,敬老の日\r\n"
             L"0,1,10,2, 1,1,体育の日\r\n"
             L"0,0,11,0, 3,1,文化の日\r\n"
             L"0,0,11,0,23,1,勤労感謝の日\r\n"
             L"0,0,12,0,23,1,天皇誕生日";
    case TMsg::RebootFailed:
      return L"TDialix の再起動に失敗しました。";
    case TMsg::SettingsOpenFailed:
      return L"設定ファイルを開けません。\r\n%s\r\n\r\n既定の設定で起動します。";
    case TMsg::SettingsSaveFailed:
      return L"設定ファイルを '%s' に保存できませんでした。\r\n%s";
    case TMsg::PrimaryMonitorSuffix:
      return L" (主モニター)";
    case TMsg::MonitorName:
      return L"(%d) %s";
    case TMsg::StyleNotFound:
      return L"'%s'\r\nこのスタイル ファイルが見つかりませんでした。";
    case TMsg::NotAStyleFile:
      return L"'%s'\r\nこれはスタイル ファイルではないか、以前のバージョンのスタイル ファイルです。";
    case TMsg::LoadDefaultStyleSuffix:
      return L"\r\n\r\n既定のスタイルを読み込みます。";
    case TMsg::StyleOpenFailed:
      return L"スタイル ファイル '%s' を開けません。\r\n%s";
    case TMsg::StyleSaveFailed:
      return L"スタイル ファイルを '%s' に保存できませんでした。\r\n%s";
    case TMsg::ScreenSaverNotSet:
      return L"スクリーン セーバーが設定されていないため、表示できませんでした。";
    case TMsg::ScreenSaverFailed:
      return L"スクリーン セーバーを表示できませんでした。\r\n%s";
    case TMsg::StartWithoutPlugins:
      return L"プラグインを無効にして TDialix を起動しますか?";
    case TMsg::PluginFault:
      return L"プラグイン '%s' が %s の処理中に異常終了したため、TDialix を終了します。\r\n"
             L"例外コード %s (アドレス %s)\r\n\r\n"
             L"次回の起動時に、プラグインを無効にして起動するかどうかを確認します。";
  }
  return {};
}

std::wstring FormatText(std::wstring_view pattern, const std::vector<TFormatArg>& args) {
  std::wstring out;
  out.reserve(pattern.size() + 32);
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != L'%' || i + 1 >= pattern.size()) {
      out += pattern[i];
      continue;
    }
    size_t j = i + 1;
    if (pattern[j] == L'%') {
      out += L'%';
      i = j;
      continue;
    }
    // Optional width: ".8" or "08" (both pad numbers with zeros).
    int width = 0;
    if (pattern[j] == L'.' || pattern[j] == L'0') ++j;
    while (j < pattern.size() && pattern[j] >= L'0' && pattern[j] <= L'9') width = width * 10 + (pattern[j++] - L'0');
    if (j >= pattern.size() || (pattern[j] != L'd' && pattern[j] != L's')) {
      out += pattern[i];
      continue;
    }
    const TFormatArg* arg = next < args.size() ? &args[next++] : nullptr;
    if (arg && pattern[j] == L'd' && std::holds_alternative<std::int64_t>(*arg)) {
      const std::int64_t value = std::get<std::int64_t>(*arg);
      std::wstring digits = std::to_wstring(value < 0 ? -value : value);
      if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), L'0');
      if (value < 0) out += L'-';
      out += digits;
    } else if (arg && pattern[j] == L's' && std::holds_alternative<std::wstring>(*arg)) {
      out += std::get<std::wstring>(*arg);
    }
    i = j;
  }
  return out;
}

}  // namespace tdialix
