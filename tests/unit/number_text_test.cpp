#include "base/number_text.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace tdialix {
namespace {

struct FloatTextCase {
  double Value;
  const wchar_t* Text;
};

TEST(NumberText, OneDecimalPatternRoundsOnTheDecimalForm) {
  const FloatTextCase cases[] = {
      {2.26, L"2.3"},   {2.25, L"2.3"},   {2.0, L"2"},     {0.0, L"0"},      {1.0, L"1"},
      {3.0, L"3"},      {1.45, L"1.5"},   {0.05, L"0.1"},  {0.04, L"0"},     {-0.04, L"0"},
      {-2.26, L"-2.3"}, {-1.45, L"-1.5"}, {99.96, L"100"}, {1e-9, L"0"},     {123456.78, L"123456.8"},
      {static_cast<float>(1.1), L"1.1"},  // single-precision positions
  };
  for (const FloatTextCase& c : cases) EXPECT_EQ(FormatFloatOneDecimal(c.Value), c.Text) << c.Value;
}

TEST(NumberText, DecimalsPatternKeepsUpToThePlacesAsked) {
  const struct {
    double Value;
    int Places;
    const wchar_t* Text;
  } cases[] = {
      {24.453125, 2, L"24.45"},         // a dragged position on a 1280-wide monitor
      {static_cast<float>(24.45), 2, L"24.45"},  // single precision as it is stored
      {1.005, 2, L"1.01"},              // rounds on the 15-digit decimal form, half away
      {-0.004, 2, L"0"},                // no minus for a zero
      {-12.5, 2, L"-12.5"},             // trailing zeros go
      {50.0, 2, L"50"},
      {0.125, 0, L"0"},
      {99.996, 2, L"100"},
      {1.45, 1, L"1.5"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatFloatDecimals(c.Value, c.Places), c.Text) << c.Value << " " << c.Places;
}

TEST(NumberText, GeneralFormIsTheShortestWithFifteenDigits) {
  const FloatTextCase cases[] = {
      {9.25, L"9.25"},     {100, L"100"},         {0, L"0"},           {-4.5, L"-4.5"},
      {0.1 + 0.2, L"0.3"}, {1.0 / 3, L"0.333333333333333"},           {0.0001, L"0.0001"},
      {1e-7, L"1E-7"},     {1e20, L"1E20"},       {123456789012345, L"123456789012345"},
      {2.5e15, L"2.5E15"},
  };
  for (const FloatTextCase& c : cases) EXPECT_EQ(FormatFloatGeneral(c.Value), c.Text) << c.Value;
}

TEST(NumberText, PlainFormIsTheShortestWithFifteenDigitsAndNoExponent) {
  const FloatTextCase cases[] = {
      {9.25, L"9.25"},       {100, L"100"},           {0, L"0"},
      {-4.5, L"-4.5"},       {0.1 + 0.2, L"0.3"},     {0.25, L"0.25"},
      {-0.05, L"-0.05"},     {1e-7, L"0.0000001"},    {1e20, L"100000000000000000000"},
      {2147483647, L"2147483647"},                    {-2147483648.0, L"-2147483648"},
      {999.9999999999999, L"1000"},                   {1.0 / 3, L"0.333333333333333"},
  };
  for (const FloatTextCase& c : cases) EXPECT_EQ(FormatFloatPlain(c.Value), c.Text) << c.Value;
}

TEST(NumberText, FloatsReadWithEitherDecimalSeparator) {
  EXPECT_EQ(ParseFloat(L"9.25"), 9.25);
  EXPECT_EQ(ParseFloat(L"9,25"), 9.25);
  EXPECT_EQ(ParseFloat(L" -2.5 "), -2.5);
  EXPECT_EQ(ParseFloat(L"+3"), 3.0);
  EXPECT_EQ(ParseFloat(L".5"), 0.5);
  EXPECT_EQ(ParseFloat(L"5."), 5.0);
  EXPECT_EQ(ParseFloat(L"1E20"), 1e20);
  EXPECT_EQ(ParseFloat(L"1e-7"), 1e-7);
  for (const wchar_t* bad : {L"", L" ", L"x", L"1.2.3", L"1,2.3", L"--1", L"1e", L"e5", L"1 2", L"inf", L"nan",
                             L"1e999", L"."}) {
    EXPECT_EQ(ParseFloat(bad), std::nullopt) << bad;
  }
  // Every written form reads back as the same value.
  for (double v : {9.25, -0.125, 1e-7, 1e20, 1.0 / 3}) EXPECT_NEAR(*ParseFloat(FormatFloatGeneral(v)), v, 1e-14 * std::fabs(v));
}

TEST(NumberText, IntegersAreDecimalOrHexadecimal) {
  EXPECT_EQ(ParseInt(L"42"), 42);
  EXPECT_EQ(ParseInt(L" -7 "), -7);
  EXPECT_EQ(ParseInt(L"2147483647"), 2147483647);
  EXPECT_EQ(ParseInt(L"-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ParseInt(L"$FF"), 255);
  EXPECT_EQ(ParseInt(L"0x00FFFFFF"), 0x00FFFFFF);
  EXPECT_EQ(ParseInt(L"$FFFFFFFF"), -1);
  for (const wchar_t* bad : {L"", L"-", L"$", L"0x", L"2147483648", L"-2147483649", L"12a", L"1.5", L"$1FFFFFFFF",
                             L"99999999999999999999999"}) {
    EXPECT_EQ(ParseInt(bad), std::nullopt) << bad;
  }
}

TEST(NumberText, BooleansAreIntegersOrWords) {
  EXPECT_EQ(ParseBool(L"0"), false);
  EXPECT_EQ(ParseBool(L"1"), true);
  EXPECT_EQ(ParseBool(L"-1"), true);
  EXPECT_EQ(ParseBool(L"True"), true);
  EXPECT_EQ(ParseBool(L"FALSE"), false);
  EXPECT_EQ(ParseBool(L"yes"), std::nullopt);
}

}  // namespace
}  // namespace tdialix
