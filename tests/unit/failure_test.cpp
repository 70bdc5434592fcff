#include "base/failure.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(Failure, EveryKindOfLineBreakBecomesOneBlank) {
  const struct {
    const wchar_t* Text;
    const wchar_t* Line;
  } cases[] = {
      {L"", L""},
      {L"one line", L"one line"},
      {L"first\r\nsecond", L"first second"},
      {L"first\nsecond", L"first second"},  // C++ messages break lines with LF alone
      {L"first\rsecond", L"first second"},
      {L"a\n\nb", L"a  b"},
      {L"a\r\n\r\nb", L"a  b"},
      {L"a\n\rb", L"a  b"},  // LF then CR is two breaks, not one pair
      {L"\r\nends\n", L" ends "},
      {L"日本語\n文字", L"日本語 文字"},
  };
  for (const auto& c : cases) EXPECT_EQ(OneLine(c.Text), c.Line) << testing::PrintToString(std::wstring(c.Text));
}

TEST(Failure, HexadecimalIsUpperCaseAndPaddedToItsWidth) {
  EXPECT_EQ(HexDigits(0xC0000005, 8), L"C0000005");
  EXPECT_EQ(HexDigits(0, 8), L"00000000");
  EXPECT_EQ(HexDigits(0x1A2B, 16), L"0000000000001A2B");
  EXPECT_EQ(HexDigits(0xFFFFFFFFFFFFFFFFull, 16), L"FFFFFFFFFFFFFFFF");
  EXPECT_EQ(HexDigits(0x123456789, 8), L"123456789");  // never cut
}

TEST(Failure, AnAccessViolationNamesWhatWasDoneTheCodeAndTheModuleOffsetPointerWide) {
  TStructuredFault fault;
  fault.Code = faultcode::AccessViolation;
  fault.Access = TFaultAccess::faWrite;
  fault.AccessAddress = 0;
  fault.Address = 0x140012345;
  fault.Module = L"TDialix.exe";
  fault.ModuleBase = 0x140000000;
  fault.PointerDigits = 16;
  EXPECT_EQ(StructuredFaultText(fault),
            L"アクセス違反: アドレス 0000000000000000 への書き込み (例外コード C0000005、発生場所 "
            L"TDialix.exe+0000000000012345)");

  // The 32-bit program shows its addresses with 8 digits.
  fault.Access = TFaultAccess::faRead;
  fault.AccessAddress = 0x10;
  fault.Address = 0x00412345;
  fault.ModuleBase = 0x00400000;
  fault.PointerDigits = 8;
  EXPECT_EQ(StructuredFaultText(fault),
            L"アクセス違反: アドレス 00000010 の読み込み (例外コード C0000005、発生場所 TDialix.exe+00012345)");

  fault.Access = TFaultAccess::faExecute;
  fault.AccessAddress = 0x00412345;
  EXPECT_EQ(StructuredFaultText(fault),
            L"アクセス違反: アドレス 00412345 の実行 (例外コード C0000005、発生場所 TDialix.exe+00012345)");
}

TEST(Failure, APlaceOutsideEveryModuleIsItsAddress) {
  TStructuredFault fault;
  fault.Code = faultcode::IllegalInstruction;
  fault.Address = 0x7FF612340000;
  fault.PointerDigits = 16;
  EXPECT_EQ(StructuredFaultText(fault), L"不正な命令 (例外コード C000001D、発生場所 00007FF612340000)");
}

TEST(Failure, EachKnownCodeHasItsWordsAndAnyOtherIsUnknown) {
  const struct {
    std::uint32_t Code;
    const wchar_t* Kind;
  } cases[] = {
      {faultcode::StackOverflow, L"スタック オーバーフロー"},
      {faultcode::IntDivideByZero, L"整数の 0 による除算"},
      {faultcode::FloatInvalidOperation, L"浮動小数点数の無効な演算"},
      {faultcode::PrivilegedInstruction, L"特権命令"},
      {faultcode::HeapCorruption, L"ヒープの破損"},
      {faultcode::StackBufferOverrun, L"スタック バッファーのオーバーラン"},
      {0xE06D7363, L"不明な例外"},
  };
  for (const auto& c : cases) {
    TStructuredFault fault;
    fault.Code = c.Code;
    fault.Address = 0x1000;
    fault.Module = L"a.dll";
    fault.ModuleBase = 0x1000;
    fault.PointerDigits = 8;
    EXPECT_EQ(StructuredFaultText(fault),
              std::wstring(c.Kind) + L" (例外コード " + HexDigits(c.Code, 8) + L"、発生場所 a.dll+00000000)");
  }
}

TEST(Failure, TheReportsTextIsOneLineWithWhatTheProgramWasDoingFirst) {
  TFailure failure;
  failure.Message = L"bad value\nin line 3";
  EXPECT_EQ(FailureText(failure), L"bad value in line 3");
  failure.Where = L"プラグイン 'sample.dll' の呼び出し 12";
  EXPECT_EQ(FailureText(failure), L"プラグイン 'sample.dll' の呼び出し 12: bad value in line 3");

  failure.Kind = TFailureKind::fkStructured;
  failure.Fault.Code = faultcode::StackOverflow;
  failure.Fault.Address = 0x10001234;
  failure.Fault.Module = L"sample.dll";
  failure.Fault.ModuleBase = 0x10000000;
  failure.Fault.PointerDigits = 8;
  EXPECT_EQ(FailureText(failure), L"プラグイン 'sample.dll' の呼び出し 12: スタック オーバーフロー (例外コード C00000FD、"
                                  L"発生場所 sample.dll+00001234)");

  EXPECT_EQ(FailureText(TFailure{}), L"");
}

TEST(Failure, OnlyACxxExceptionOutsideALoadOrSaveLeavesTheFilesToBeSaved) {
  const struct {
    TFailureKind Kind;
    bool StyleBusy;
    bool SettingsBusy;
    bool Saves;
  } cases[] = {
      {TFailureKind::fkException, false, false, true},
      {TFailureKind::fkException, true, false, false},
      {TFailureKind::fkException, false, true, false},
      {TFailureKind::fkStructured, false, false, false},
      {TFailureKind::fkStructured, true, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SavesAfterFailure(c.Kind, c.StyleBusy, c.SettingsBusy), c.Saves)
        << static_cast<int>(c.Kind) << c.StyleBusy << c.SettingsBusy;
  }
}

}  // namespace
}  // namespace tdialix
