// The sample styles that ship with the program: each one loads through the
// style loader without a message and builds glyphs with lit pixels, from the
// font or the picture it names, with its background picture where it has one.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/file_io_win.h"
#include "base/system_locale_win.h"
#include "clock/glyph_source_win.h"
#include "clock/glyph_strip.h"
#include "style/font_check_win.h"
#include "style/style_loader.h"

namespace tdialix {
namespace {

#define TDIALIX_WIDEN2(text) L##text
#define TDIALIX_WIDEN(text) TDIALIX_WIDEN2(text)
// The repository's styles folder, as Z:/...
const std::wstring kStyles = TDIALIX_WIDEN(TDIALIX_STYLES);

// The real files around the loader; everything it would show is recorded.
class TSampleHost : public TStyleHost {
 public:
  std::vector<std::wstring> Messages;
  TFormatSettings Settings = SystemFormatSettings();

  bool DirectoryExists(const std::wstring& path) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool FileExists(const std::wstring& path) override {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
  std::optional<std::string> ReadFile(const std::wstring& path) override { return ReadFileBytes(path); }
  bool WriteFile(const std::wstring&, const std::string&) override { return false; }
  std::wstring LastErrorText() override { return SystemErrorText(::GetLastError()); }
  std::wstring DecodeAnsi(std::string_view bytes) override { return AnsiToWide(bytes); }
  std::optional<std::wstring> ResolveShortcut(const std::wstring&) override { return std::nullopt; }
  std::optional<std::wstring> ChooseStyleFile(const std::wstring&) override { return std::nullopt; }
  void ShowMessage(const std::wstring& text, TMessageIcon) override { Messages.push_back(text); }
  bool IsTrueTypeFont(const std::wstring& fontName) override { return IsOutlineFont(fontName); }
  const TFormatSettings& Formats() override { return Settings; }
  std::size_t MonitorCount() override { return 1; }
  std::wstring ProgramFolder() override { return kStyles; }
  void ApplyStyle() override {}
  void AddRecentStyle(const std::wstring&) override {}
  void NotifyPlugins(int, const std::wstring&) override {}
};

std::vector<std::wstring> SampleStyles() {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW((kStyles + L"*.dlx").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

int LitPixels(const TBitmap& image) {
  int count = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) count += image.Pixel(x, y)[3] > 127 ? 1 : 0;
  }
  return count;
}

TEST(SampleStyles, EachLoadsWithoutAMessageAndHasLitGlyphs) {
  const std::vector<std::wstring> names = SampleStyles();
  ASSERT_GE(names.size(), 7u) << testing::PrintToString(kStyles);
  bool pictureGlyphs = false, backgroundPicture = false, timeSlots = false;
  std::vector<int> animations;
  for (const std::wstring& name : names) {
    SCOPED_TRACE(testing::PrintToString(name));
    TStyle style;
    std::vector<TPlacement> placements;
    TSampleHost host;
    TStyleLoader loader(style, placements, host);
    loader.DefaultStyleFile = L"C:\\nowhere\\Default.dlx";
    EXPECT_TRUE(loader.LoadStyle(kStyles + name, false, true, false));
    EXPECT_EQ(host.Messages, std::vector<std::wstring>{});

    TGdiGlyphRasterizer rasterizer;
    TGdiPictureSource pictures;
    TGlyphStrip strip;
    InitializeBitmap(strip, style, {1024, 32, &ResolveColor}, rasterizer, pictures);
    EXPECT_GT(LitPixels(strip.SrcImg), 1000);
    for (int cell = 0; cell < 10; ++cell) EXPECT_GT(strip.DrawSizes[cell].cx, 0) << cell;

    if (style.FontType == ftBitmap) {
      // The picture was found beside the style file and its cells used: every cell is equally wide.
      pictureGlyphs = true;
      EXPECT_EQ(strip.DrawSizes[0].cx * 13, strip.SrcImg.Width() - strip.SrcImg.Width() % 13);
      EXPECT_EQ(style.FontFile, kStyles + L"Digits.bmp");
    }
    if (style.BackGrndType == btBitmap) {
      backgroundPicture = true;
      EXPECT_TRUE(strip.BackGrndFlag);
      EXPECT_GT(LitPixels(strip.BackGrndImg), 1000);
    }
    timeSlots = timeSlots || !style.VisibleTimeSlotList.empty();
    animations.push_back(style.AnimationType);
  }
  EXPECT_TRUE(pictureGlyphs);
  EXPECT_TRUE(backgroundPicture);
  EXPECT_TRUE(timeSlots);
  // Each family of digit animation: turning, sliding, fading.
  for (const auto& family : {std::vector<int>{atHorz, atVert}, {atUp, atDown}, {atFade, atFadeOut, atFadeCross}}) {
    bool found = false;
    for (int type : family) found = found || std::find(animations.begin(), animations.end(), type) != animations.end();
    EXPECT_TRUE(found) << family.front();
  }
}

}  // namespace
}  // namespace tdialix
