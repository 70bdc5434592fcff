#include "style/style_file.h"

#include <functional>

#include <gtest/gtest.h>

namespace tdialix {
namespace {

const TFormatSettings kJapanese;

TStyle Read(const std::wstring& text, bool trueType = true) {
  TStyle style;
  ReadStyle(TIniDocument::Parse(text), style, kJapanese, [trueType](const std::wstring&) { return trueType; });
  return style;
}

double Time(int h, int m, int s) { return *TryEncodeTime(h, m, s, 0); }

TEST(StyleFile, AnEmptyFileGivesTheBuiltInDefaults) {
  const TStyle style = Read(L"");
  EXPECT_EQ(style, TStyle{});
  // The defaults as a user sees them.
  EXPECT_EQ(style.FontName, L"MS UI Gothic");
  EXPECT_EQ(style.FontColor, 0xFFFFFF);
  EXPECT_EQ(style.FontSize, 9.0);
  EXPECT_EQ(style.InnerFrame, 4.0);
  EXPECT_EQ(style.InnerFrameColor, 0);
  EXPECT_EQ(style.OuterFrame, 0.0);
  EXPECT_EQ(style.Shadow, 0.0);
  EXPECT_EQ(style.BackGrndType, btNone);
  EXPECT_EQ(style.ShowHour, hf12H);
  EXPECT_TRUE(style.ShowMinute);
  EXPECT_FALSE(style.ShowSecond);
}

TEST(StyleFile, EachKeyWithItsRules) {
  const struct {
    const wchar_t* Design;
    std::function<bool(const TStyle&)> Holds;
    const char* What;
  } cases[] = {
      {L"FontSpacing=5", [](const TStyle& s) { return s.FontSpacing == std::array<double, 2>{2, 2}; },
       "too few items: the default text"},
      {L"FontSpacing=5,x", [](const TStyle& s) { return s.FontSpacing == std::array<double, 2>{5, 2}; },
       "a bad element: 2"},
      {L"FontSpacing=-1.5 \"3\"", [](const TStyle& s) { return s.FontSpacing == std::array<double, 2>{-1.5, 3}; },
       "blanks separate, quotes group"},
      {L"BorderWidth=1,2,3", [](const TStyle& s) { return s.BorderWidth == TRectF{}; }, "three of four: zeros"},
      {L"BorderWidth=1,2.5,x,4", [](const TStyle& s) { return s.BorderWidth == TRectF{1, 2.5f, 0, 4}; },
       "a bad element: 0"},
      {L"ColonType=1,2", [](const TStyle& s) { return s.ColonType == std::array<std::uint8_t, 2>{1, 2}; }, "glyphs"},
      {L"ColonType=7,x", [](const TStyle& s) { return s.ColonType == std::array<std::uint8_t, 2>{0, 0}; },
       "unknown glyphs: colon"},
      {L"FontStyle=7", [](const TStyle& s) { return s.FontStyles == (fsBold | fsItalic); }, "bits 0 and 1 only"},
      {L"FontStyle=4", [](const TStyle& s) { return s.FontStyles == 0; }, "other bits ignored"},
      {L"FontSize=9.25", [](const TStyle& s) { return s.FontSize == 9.25; }, "float"},
      {L"FontSize=9,25", [](const TStyle& s) { return s.FontSize == 9.25; }, "decimal comma"},
      {L"FontSize=big", [](const TStyle& s) { return s.FontSize == 9; }, "bad float: default"},
      {L"backgroundalign=3", [](const TStyle& s) { return s.BackGrndAlign == baTile; }, "keys in any case"},
      {L"BackGroundAlign=9", [](const TStyle& s) { return s.BackGrndAlign == baCenter; }, "out of range: default"},
      {L"AnimationType=7", [](const TStyle& s) { return s.AnimationType == atFadeCross; }, "last animation"},
      {L"AnimationType=-1", [](const TStyle& s) { return s.AnimationType == atNone; }, "negative: default"},
      {L"ShowHour=2", [](const TStyle& s) { return s.ShowHour == hf24H; }, "24 hours"},
      {L"ShowSecond=5", [](const TStyle& s) { return s.ShowSecond; }, "any nonzero is true"},
      {L"FontSmoothing=0", [](const TStyle& s) { return !s.FontSmoothing; }, "0 is false"},
      {L"FontSmoothing=x", [](const TStyle& s) { return s.FontSmoothing; }, "bad Boolean: default"},
      {L"AnimationInertia=0", [](const TStyle& s) { return !s.Inertia; }, "inertia key"},
      {L"FontColor=255", [](const TStyle& s) { return s.FontColor == 255; }, "colour"},
      {L"ShadowColor=-2147483646", [](const TStyle& s) { return s.ShadowColor == -2147483646; }, "system colour"},
      {L"FontName=IPAGothic", [](const TStyle& s) { return s.FontName == L"IPAGothic"; }, "text"},
      {L"FontName=", [](const TStyle& s) { return s.FontName.empty(); }, "an empty text is a value"},
      {L"BackGroundSize=0.5", [](const TStyle& s) { return s.BackGrndSize == 0.5; }, "picture size"},
      {L"FadeSwitching=1", [](const TStyle& s) { return s.FadeSwitching; }, "fade"},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.Holds(Read(std::wstring(L"[Design]\r\n") + c.Design))) << c.What << ": " << testing::PrintToString(std::wstring(c.Design));
  }
}

TEST(StyleFile, OutlineFontIsAskedForTheFontRead) {
  std::wstring asked;
  TStyle style;
  ReadStyle(TIniDocument::Parse(L"[Design]\nFontName=Terminal"), style, kJapanese, [&](const std::wstring& name) {
    asked = name;
    return false;
  });
  EXPECT_EQ(asked, L"Terminal");
  EXPECT_FALSE(style.IsTrueTypeFont);
}

TEST(StyleFile, TimeSlotsInFileOrderWhateverTheirKeys) {
  const TStyle style = Read(
      L"[VisibleTimeSlot]\n"
      L"Zeta=1,9:00:00,17:30:00\n"
      L"Slot1=2,bad,bad\n"
      L"Slot9=3,8:00\n"            // too few items: skipped
      L"x=9,\"午後 1:00:00\",23:00\n"  // an unknown day type counts as a weekday
      L"[Design]\nFadeSwitching=1\n");
  const std::vector<TVisibleTimeSlot> expected = {
      {dtHoliday, Time(9, 0, 0), Time(17, 30, 0)},
      {dtSaturday, 0, Time(23, 59, 59)},
      {dtWeekDay, Time(13, 0, 0), Time(23, 0, 0)},
  };
  EXPECT_EQ(style.VisibleTimeSlotList, expected);
  EXPECT_TRUE(style.FadeSwitching);
}

TEST(StyleFile, PositionsArePaddedToTheMonitorsAndExtraRecordsReset) {
  const TIniDocument doc = TIniDocument::Parse(
      L"[Position]\n"
      L"Second=50.5,60,0\n"  // keys are not interpreted: file order counts
      L"Monitor1=10\n");     // one item: the defaults
  std::vector<TPlacement> params(5, TPlacement{77, 88, false});
  ReadPositions(doc, params, 3);
  const std::vector<TPlacement> expected = {
      {50.5f, 60, false}, {1, 3, true}, {1, 3, true}, {1, 3, true}, {1, 3, true}};
  EXPECT_EQ(params, expected);

  std::vector<TPlacement> few;
  ReadPositions(TIniDocument::Parse(L"[Position]\nA=x,7,maybe\nB=1,2,3"), few, 1);
  EXPECT_EQ(few, (std::vector<TPlacement>{{1, 7, true}, {1, 2, true}}));
}

TEST(StyleFile, WritesEachFloatInItsForm) {
  TStyle style;
  style.FontSize = 9.25;
  style.FontSpacing = {2.26, -0.04};
  style.BorderWidth = {1.25f, 0, 10, 100.04f};
  style.ColonType = {1, 2};
  style.FontStyles = fsItalic;
  style.VisibleTimeSlotList = {{dtSunday, Time(9, 5, 0), Time(23, 59, 59)}};
  TIniDocument doc;
  WriteStyle(doc, style, {{1.0f, 3.0f, true}, {39.04f, 50.96f, false}, {24.453125f, 0.004f, true}}, kJapanese);
  EXPECT_EQ(doc.Read(L"General", L"Version"), L"TeamOrvaneTDialix2");
  EXPECT_EQ(doc.Read(L"Design", L"FontSize"), L"9.25");
  EXPECT_EQ(doc.Read(L"Design", L"FontSpacing"), L"2.3,0");
  EXPECT_EQ(doc.Read(L"Design", L"BorderWidth"), L"1.3,0,10,100");
  EXPECT_EQ(doc.Read(L"Design", L"ColonType"), L"1,2");
  EXPECT_EQ(doc.Read(L"Design", L"FontStyle"), L"2");
  EXPECT_EQ(doc.Read(L"Design", L"InnerFrame"), L"4");
  EXPECT_EQ(doc.Read(L"Design", L"FontColor"), L"16777215");
  EXPECT_EQ(doc.Read(L"Design", L"FontSmoothing"), L"1");
  EXPECT_EQ(doc.Read(L"VisibleTimeSlot", L"Slot1"), L"3,9:05:00,23:59:59");
  EXPECT_EQ(doc.Read(L"Position", L"Monitor1"), L"1,3,1");
  // Positions keep the hundredth of a per cent a drag stores.
  EXPECT_EQ(doc.Read(L"Position", L"Monitor2"), L"39.04,50.96,0");
  EXPECT_EQ(doc.Read(L"Position", L"Monitor3"), L"24.45,0,1");
  EXPECT_EQ(doc.Read(L"General", L"CustomColors"), std::wstring(kDefaultCustomColors));
}

TEST(StyleFile, WrittenStyleReadsBackTheSame) {
  TStyle style;
  style.FontType = ftBitmap;
  style.FontName = L"IPAPGothic";
  style.FontFile = L"C:\\画像\\digits.bmp";
  style.FontStyles = fsBold | fsItalic;
  style.FontSize = 12.345678901234;
  style.FontSpacing = {-3.5, 10};
  style.FontWidth = fwFull;
  style.FontPitch = fpVariable;
  style.FontSmoothing = false;
  style.FontColor = 0x123456;
  style.OuterFrame = 1.5;
  style.OuterFrameSoft = 3;
  style.OuterFrameTransparent = 40;
  style.InnerFrame = 0;
  style.Shadow = 2.25;
  style.ShadowColor = 0x0000FF;
  style.BackGrndType = btGradation;
  style.BackGrndGradType = gtVert;
  style.BackGrndAlpha = 35;
  style.BackGrnd = L"C:\\back.bmp";
  style.BackGrndSize = 150;
  style.BackGrndAlign = baZoom;
  style.BorderWidth = {5, 10.5f, 0, 1000};
  style.ShowHour = hf24H;
  style.ShowSecond = true;
  style.Hour0 = true;
  style.AnimationType = atFadeCross;
  style.AnimationSpeed = 100;
  style.Inertia = false;
  style.ColonType = {2, 1};
  style.FlashColonType = fc500ms;
  style.FlashColonSmooth = true;
  style.FlashColonInvert = true;
  style.FlashColonToggle = true;
  style.FadeSwitching = true;
  style.CustomColors = L"FF0000,00FF00";
  style.VisibleTimeSlotList = {{dtWeekDay, Time(7, 0, 0), Time(9, 30, 0)}, {dtHoliday, 0, Time(23, 59, 59)}};
  const std::vector<TPlacement> params = {{12.5f, 80, true}, {0, 0, false}};

  TIniDocument doc;
  WriteStyle(doc, style, params, kJapanese);
  const TIniDocument again = TIniDocument::FromBytes(doc.ToBytes());
  TStyle read;
  ReadStyle(again, read, kJapanese, [](const std::wstring&) { return true; });
  std::vector<TPlacement> readParams;
  ReadPositions(again, readParams, 2);
  EXPECT_EQ(read, style);
  EXPECT_EQ(readParams, params);
}

TEST(StyleFile, SavingKeepsForeignEntriesButReplacesTheLists) {
  TIniDocument doc = TIniDocument::Parse(
      L"[General]\r\nVersion=old\r\nAuthor=me\r\n"
      L"[Design]\r\nBackgroundAlign=4\r\nMyKey=kept\r\n"
      L"[VisibleTimeSlot]\r\nSlot1=0,1:00:00,2:00:00\r\nSlot2=0,3:00:00,4:00:00\r\nOther=1,5:00,6:00\r\n"
      L"[Position]\r\nMonitor1=5,5,1\r\nMonitor2=6,6,1\r\nMonitor3=7,7,1\r\n"
      L"[Extra]\r\nAnything=1\r\n");
  WriteStyle(doc, TStyle{}, {TPlacement{}}, kJapanese);
  EXPECT_EQ(doc.Read(L"General", L"Author"), L"me");
  EXPECT_EQ(doc.Read(L"Design", L"MyKey"), L"kept");
  EXPECT_EQ(doc.Read(L"Extra", L"Anything"), L"1");
  EXPECT_EQ(doc.Read(L"General", L"Version"), L"TeamOrvaneTDialix2");
  EXPECT_TRUE(doc.ReadList(L"VisibleTimeSlot").empty());
  EXPECT_EQ(doc.ReadList(L"Position"), std::vector<std::wstring>{L"1,3,1"});
  // The key is written in the program's spelling, whatever the file had.
  EXPECT_EQ(doc.Read(L"Design", L"BackGroundAlign"), L"1");
  EXPECT_NE(doc.Text().find(L"BackGroundAlign=1"), std::wstring::npos);
}

TEST(StyleFile, IdentityIsTheExactVersionText) {
  EXPECT_TRUE(HasStyleVersion(TIniDocument::Parse(L"[general]\nversion=TeamOrvaneTDialix2")));
  EXPECT_FALSE(HasStyleVersion(TIniDocument::Parse(L"[General]\nVersion=TeamOrvaneTDialix")));
  EXPECT_FALSE(HasStyleVersion(TIniDocument::Parse(L"[General]\nVersion=teamorvanetdialix2")));
  EXPECT_FALSE(HasStyleVersion(TIniDocument::Parse(L"[Design]\nFontSize=9")));
}

}  // namespace
}  // namespace tdialix
