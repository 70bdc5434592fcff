#include "style/style_file.h"

#include <cfloat>
#include <cmath>

#include "base/comma_text.h"
#include "base/number_text.h"

namespace tdialix {

namespace {

// A single float of the file: a number that does not read, or that no
// single float holds (1e300 would become infinite), gives the fallback.
float SingleFloat(std::wstring_view text, float fallback) {
  const auto value = ParseFloat(text);
  return value && std::fabs(*value) <= FLT_MAX ? static_cast<float>(*value) : fallback;
}

constexpr const wchar_t* kGeneral = L"General";
constexpr const wchar_t* kDesign = L"Design";
constexpr const wchar_t* kTimeSlots = L"VisibleTimeSlot";
constexpr const wchar_t* kPositions = L"Position";

class TDesignReader {
 public:
  explicit TDesignReader(const TIniDocument& document) : Document(document) {}

  std::wstring String(const wchar_t* key, const std::wstring& fallback) const {
    return Document.ReadString(kDesign, key, fallback);
  }
  int Int(const wchar_t* key, int fallback) const {
    const auto value = Document.Read(kDesign, key);
    const auto number = value ? ParseInt(*value) : std::nullopt;
    return number.value_or(fallback);
  }
  bool Bool(const wchar_t* key, bool fallback) const {
    const auto value = Document.Read(kDesign, key);
    const auto flag = value ? ParseBool(*value) : std::nullopt;
    return flag.value_or(fallback);
  }
  double Float(const wchar_t* key, double fallback) const {
    const auto value = Document.Read(kDesign, key);
    const auto number = value ? ParseFloat(*value) : std::nullopt;
    return number.value_or(fallback);
  }
  template <typename TEnum>
  TEnum Enum(const wchar_t* key, TEnum fallback, TEnum last) const {
    const int value = Int(key, fallback);
    return value >= 0 && value <= last ? static_cast<TEnum>(value) : fallback;
  }
  // A list key: with fewer items than the field has, the default text is used.
  std::vector<std::wstring> List(const wchar_t* key, const wchar_t* defaultText, std::size_t count) const {
    auto items = SplitCommaText(String(key, defaultText));
    if (items.size() < count) items = SplitCommaText(defaultText);
    return items;
  }

 private:
  const TIniDocument& Document;
};

std::wstring JoinOneDecimal(std::initializer_list<double> values) {
  std::wstring text;
  for (double value : values) {
    if (!text.empty()) text += L',';
    text += FormatFloatOneDecimal(value);
  }
  return text;
}

std::wstring Flag(bool value) { return value ? L"1" : L"0"; }
std::wstring Number(long long value) { return std::to_wstring(value); }

}  // namespace

bool HasStyleVersion(const TIniDocument& document) {
  const auto version = document.Read(kGeneral, L"Version");
  return version && *version == kStyleVersion;
}

void ReadStyle(const TIniDocument& document, TStyle& s, const TFormatSettings& formats,
               const TIsTrueTypeFont& isTrueTypeFont) {
  const TStyle d;  // the defaults
  const TDesignReader r(document);
  s.FontType = r.Enum(L"FontType", d.FontType, ftBitmap);
  s.FontName = r.String(L"FontName", d.FontName);
  s.FontFile = r.String(L"FontFile", d.FontFile);
  s.FontStyles = r.Int(L"FontStyle", d.FontStyles) & (fsBold | fsItalic);
  s.FontSize = r.Float(L"FontSize", d.FontSize);
  const auto spacing = r.List(L"FontSpacing", L"2,2", 2);
  for (std::size_t k = 0; k < 2; ++k) s.FontSpacing[k] = ParseFloat(spacing[k]).value_or(2);
  s.FontWidth = r.Enum(L"FontWidth", d.FontWidth, fwFull);
  s.FontPitch = r.Enum(L"FontPitch", d.FontPitch, fpVariable);
  s.FontSmoothing = r.Bool(L"FontSmoothing", d.FontSmoothing);
  s.IsTrueTypeFont = isTrueTypeFont ? isTrueTypeFont(s.FontName) : true;
  s.FontColor = r.Int(L"FontColor", d.FontColor);
  s.OuterFrame = r.Float(L"OuterFrame", d.OuterFrame);
  s.OuterFrameColor = r.Int(L"OuterFrameColor", d.OuterFrameColor);
  s.OuterFrameSoft = r.Int(L"OuterFrameSoft", d.OuterFrameSoft);
  s.OuterFrameTransparent = r.Int(L"OuterFrameTransparent", d.OuterFrameTransparent);
  s.InnerFrame = r.Float(L"InnerFrame", d.InnerFrame);
  s.InnerFrameColor = r.Int(L"InnerFrameColor", d.InnerFrameColor);
  s.InnerFrameSoft = r.Int(L"InnerFrameSoft", d.InnerFrameSoft);
  s.InnerFrameTransparent = r.Int(L"InnerFrameTransparent", d.InnerFrameTransparent);
  s.Shadow = r.Float(L"Shadow", d.Shadow);
  s.ShadowColor = r.Int(L"ShadowColor", d.ShadowColor);
  s.ShadowSoft = r.Int(L"ShadowSoft", d.ShadowSoft);
  s.ShadowTransparent = r.Int(L"ShadowTransparent", d.ShadowTransparent);
  s.BackGrndType = r.Enum(L"BackGroundType", d.BackGrndType, btBitmap);
  s.BackGrndColor = r.Int(L"BackGroundColor", d.BackGrndColor);
  s.BackGrndGradColor1 = r.Int(L"BackGroundGradColor1", d.BackGrndGradColor1);
  s.BackGrndGradColor2 = r.Int(L"BackGroundGradColor2", d.BackGrndGradColor2);
  s.BackGrndGradType = r.Enum(L"BackGroundGradType", d.BackGrndGradType, gtVert);
  s.BackGrndAlpha = r.Int(L"BackGroundAlpha", d.BackGrndAlpha);
  s.BackGrnd = r.String(L"BackGround", d.BackGrnd);
  s.BackGrndSize = r.Float(L"BackGroundSize", d.BackGrndSize);
  s.BackGrndAlign = r.Enum(L"BackGroundAlign", d.BackGrndAlign, baZoom);
  const auto border = r.List(L"BorderWidth", L"0,0,0,0", 4);
  float* borders[4] = {&s.BorderWidth.Left, &s.BorderWidth.Top, &s.BorderWidth.Right, &s.BorderWidth.Bottom};
  for (std::size_t k = 0; k < 4; ++k) *borders[k] = SingleFloat(border[k], 0);
  s.ShowHour = r.Enum(L"ShowHour", d.ShowHour, hf24H);
  s.ShowMinute = r.Bool(L"ShowMinute", d.ShowMinute);
  s.ShowSecond = r.Bool(L"ShowSecond", d.ShowSecond);
  s.Hour0 = r.Bool(L"Hour0", d.Hour0);
  s.Hour12to0 = r.Bool(L"Hour12to0", d.Hour12to0);
  s.Minute0 = r.Bool(L"Minute0", d.Minute0);
  s.Second0 = r.Bool(L"Second0", d.Second0);
  s.AnimationType = r.Enum(L"AnimationType", d.AnimationType, atFadeCross);
  s.AnimationSpeed = r.Int(L"AnimationSpeed", d.AnimationSpeed);
  s.Inertia = r.Bool(L"AnimationInertia", d.Inertia);
  const auto colons = r.List(L"ColonType", L"0,0", 2);
  for (std::size_t k = 0; k < 2; ++k) {
    const int glyph = ParseInt(colons[k]).value_or(cgColon);
    s.ColonType[k] = static_cast<std::uint8_t>(glyph >= cgColon && glyph <= cgHyphen ? glyph : cgColon);
  }
  s.FlashColonType = r.Enum(L"FlashColonType", d.FlashColonType, fc1000ms);
  s.FlashColonSmooth = r.Bool(L"FlashColonSmooth", d.FlashColonSmooth);
  s.FlashColonInvert = r.Bool(L"FlashColonInvert", d.FlashColonInvert);
  s.FlashColonToggle = r.Bool(L"FlashColonToggle", d.FlashColonToggle);

  // Time slots in file order, whatever their keys.
  const TDateTime endOfDay = *TryEncodeTime(23, 59, 59, 0);
  s.VisibleTimeSlotList.clear();
  for (const std::wstring& entry : document.ReadList(kTimeSlots)) {
    const auto items = SplitCommaText(entry);
    if (items.size() < 3) continue;
    const int dayType = ParseInt(items[0]).value_or(dtWeekDay);
    TVisibleTimeSlot slot;
    slot.DayType = dayType >= dtWeekDay && dayType <= dtSunday ? static_cast<TDayType>(dayType) : dtWeekDay;
    slot.StartTime = ParseTimeText(items[1], formats).value_or(0);
    slot.EndTime = ParseTimeText(items[2], formats).value_or(endOfDay);
    s.VisibleTimeSlotList.push_back(slot);
  }
  s.FadeSwitching = r.Bool(L"FadeSwitching", d.FadeSwitching);
  s.CustomColors = document.ReadString(kGeneral, L"CustomColors", d.CustomColors);
}

void ReadPositions(const TIniDocument& document, std::vector<TPlacement>& clockParams, std::size_t monitorCount) {
  std::vector<std::wstring> entries = document.ReadList(kPositions);
  if (entries.size() < monitorCount) entries.resize(monitorCount);
  if (clockParams.size() < entries.size()) clockParams.resize(entries.size());
  const TPlacement d;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto items = SplitCommaText(entries[i]);
    TPlacement& record = clockParams[i];
    if (items.size() < 2) {
      record.X = d.X;
      record.Y = d.Y;
    } else {
      record.X = SingleFloat(items[0], d.X);
      record.Y = SingleFloat(items[1], d.Y);
    }
    record.Shown = items.size() < 3 ? true : ParseBool(items[2]).value_or(true);
  }
  for (std::size_t i = entries.size(); i < clockParams.size(); ++i) clockParams[i] = d;
}

void WriteStyle(TIniDocument& doc, const TStyle& s, const std::vector<TPlacement>& clockParams,
                const TFormatSettings& formats) {
  doc.Write(kGeneral, L"Version", kStyleVersion);
  auto design = [&doc](const wchar_t* key, const std::wstring& value) { doc.Write(kDesign, key, value); };
  design(L"FontType", Number(s.FontType));
  design(L"FontName", s.FontName);
  design(L"FontFile", s.FontFile);
  design(L"FontStyle", Number(s.FontStyles & (fsBold | fsItalic)));
  design(L"FontSize", FormatFloatGeneral(s.FontSize));
  design(L"FontSpacing", JoinOneDecimal({s.FontSpacing[0], s.FontSpacing[1]}));
  design(L"FontWidth", Number(s.FontWidth));
  design(L"FontPitch", Number(s.FontPitch));
  design(L"FontSmoothing", Flag(s.FontSmoothing));
  design(L"FontColor", Number(s.FontColor));
  design(L"OuterFrame", FormatFloatGeneral(s.OuterFrame));
  design(L"OuterFrameColor", Number(s.OuterFrameColor));
  design(L"OuterFrameSoft", Number(s.OuterFrameSoft));
  design(L"OuterFrameTransparent", Number(s.OuterFrameTransparent));
  design(L"InnerFrame", FormatFloatGeneral(s.InnerFrame));
  design(L"InnerFrameColor", Number(s.InnerFrameColor));
  design(L"InnerFrameSoft", Number(s.InnerFrameSoft));
  design(L"InnerFrameTransparent", Number(s.InnerFrameTransparent));
  design(L"Shadow", FormatFloatGeneral(s.Shadow));
  design(L"ShadowColor", Number(s.ShadowColor));
  design(L"ShadowSoft", Number(s.ShadowSoft));
  design(L"ShadowTransparent", Number(s.ShadowTransparent));
  design(L"BackGroundType", Number(s.BackGrndType));
  design(L"BackGroundColor", Number(s.BackGrndColor));
  design(L"BackGroundGradColor1", Number(s.BackGrndGradColor1));
  design(L"BackGroundGradColor2", Number(s.BackGrndGradColor2));
  design(L"BackGroundGradType", Number(s.BackGrndGradType));
  design(L"BackGroundAlpha", Number(s.BackGrndAlpha));
  design(L"BackGround", s.BackGrnd);
  design(L"BackGroundSize", FormatFloatGeneral(s.BackGrndSize));
  design(L"BackGroundAlign", Number(s.BackGrndAlign));
  design(L"BorderWidth", JoinOneDecimal({s.BorderWidth.Left, s.BorderWidth.Top, s.BorderWidth.Right,
                                         s.BorderWidth.Bottom}));
  design(L"ShowHour", Number(s.ShowHour));
  design(L"ShowMinute", Flag(s.ShowMinute));
  design(L"ShowSecond", Flag(s.ShowSecond));
  design(L"Hour0", Flag(s.Hour0));
  design(L"Hour12to0", Flag(s.Hour12to0));
  design(L"Minute0", Flag(s.Minute0));
  design(L"Second0", Flag(s.Second0));
  design(L"AnimationType", Number(s.AnimationType));
  design(L"AnimationSpeed", Number(s.AnimationSpeed));
  design(L"AnimationInertia", Flag(s.Inertia));
  design(L"FlashColonType", Number(s.FlashColonType));
  design(L"ColonType", Number(s.ColonType[0]) + L"," + Number(s.ColonType[1]));
  design(L"FlashColonSmooth", Flag(s.FlashColonSmooth));
  design(L"FlashColonInvert", Flag(s.FlashColonInvert));
  design(L"FlashColonToggle", Flag(s.FlashColonToggle));

  std::vector<std::wstring> slots;
  for (const TVisibleTimeSlot& slot : s.VisibleTimeSlotList) {
    // Quoted only where a locale's time text holds blanks ("午後 9:00:00").
    slots.push_back(JoinCommaText(
        {Number(slot.DayType), FormatTimeText(slot.StartTime, formats), FormatTimeText(slot.EndTime, formats)}));
  }
  doc.WriteList(kTimeSlots, L"Slot", slots);
  design(L"FadeSwitching", Flag(s.FadeSwitching));

  std::vector<std::wstring> positions;
  for (const TPlacement& p : clockParams) {
    // Two decimals keep a dragged clock's place to the step a drag stores
    // (a ten-thousandth of the monitor); one would move it by pixels on a
    // wide monitor at every restart.
    positions.push_back(FormatFloatDecimals(p.X, 2) + L"," + FormatFloatDecimals(p.Y, 2) + L"," + Flag(p.Shown));
  }
  doc.WriteList(kPositions, L"Monitor", positions);
  doc.Write(kGeneral, L"CustomColors", s.CustomColors);
}

}  // namespace tdialix
