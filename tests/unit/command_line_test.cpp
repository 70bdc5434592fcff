#include "app/command_line.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

using Params = std::vector<std::wstring>;

TEST(CommandLine, TheRebootParameterCarriesTheHandlesUnsigned32BitValue) {
  EXPECT_EQ(RebootParameter(0x000A01F2u), L"/reboot:655858");
  // A handle at or above 0x80000000, sign-extended in a 64-bit program, and its 32-bit value.
  EXPECT_EQ(RebootParameter(0xFFFFFFFF80001234ull), L"/reboot:2147488308");
  EXPECT_EQ(RebootParameter(0x80001234u), L"/reboot:2147488308");
  EXPECT_EQ(ParseRebootRequest(RebootParameter(0xFFFFFFFF80001234ull)), std::optional<std::uint32_t>(0x80001234u));
}

TEST(CommandLine, RebootRequests) {
  const struct {
    const wchar_t* Parameter;
    std::optional<std::uint32_t> Handle;
  } cases[] = {
      {L"/reboot:123456", 123456u},
      {L"/reboot:0", 0u},
      {L"/reboot:", 0u},             // no number gives 0
      {L"/reboot:12ab", 0u},
      {L"/reboot:4294967295", 4294967295u},  // handles may take ten digits
      {L"/reboot:4294967296", 0u},
      // A handle at or above 0x80000000 printed with "%d" is negative.
      {L"/reboot:-5", 0xFFFFFFFBu},
      {L"/reboot:-2147483648", 0x80000000u},
      {L"/reboot:-2147483649", 0u},
      {L"/reboot:-", 0u},
      {L"/reboot:--5", 0u},
      {L"/reboot:5-", 0u},
      {L"x/reboot:77", 77u},         // the switch may stand anywhere
      {L"/reboot=5:9", 9u},          // the colon is searched from the switch on
      {L"/reboot", std::nullopt},    // no colon: no request
      {L"/REBOOT:5", std::nullopt},  // the switch is spelled as written
      {L"C:\\a.dlx", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRebootRequest(c.Parameter), c.Handle) << c.Parameter;
}

TEST(CommandLine, AssociateRequests) {
  const struct {
    const wchar_t* Parameter;
    std::optional<TAssociateRequest> Request;
  } cases[] = {
      {L"/associate:1,00004242", TAssociateRequest{true, 4242}},
      {L"/associate:0,00004242", TAssociateRequest{false, 4242}},
      {L"/associate:7,12", TAssociateRequest{true, 12}},        // any digit but 0 is true
      {L"/associate:x,12", TAssociateRequest{false, 12}},       // anything else is false
      {L"/associate:1", TAssociateRequest{true, 0}},            // no handle
      {L"/associate:1,abc", TAssociateRequest{true, 0}},
      {L"/associate:1,2147483648", TAssociateRequest{true, 2147483648u}},
      {L"/associate:1,-0000123", TAssociateRequest{true, 0xFFFFFF85u}},  // "%.8d" of a negative handle
      {L"/associate:", TAssociateRequest{false, 0}},
      {L"/associate", std::nullopt},
      {L"/reboot:1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseAssociateRequest(c.Parameter), c.Request) << c.Parameter;
}

TEST(CommandLine, StartupRequests) {
  const struct {
    const wchar_t* Parameter;
    std::optional<TAssociateRequest> Request;
  } cases[] = {
      {L"/startup:1", TAssociateRequest{true, 0}},
      {L"/startup:0", TAssociateRequest{false, 0}},
      {L"/startup:1,00004242", TAssociateRequest{true, 4242}},
      {L"/startup:", TAssociateRequest{false, 0}},
      {L"/startup", std::nullopt},
      {L"/associate:1,0", std::nullopt},
      {L"C:\\Startup\\a.dlx", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseStartupRequest(c.Parameter), c.Request) << c.Parameter;
  // The association switch does not take the start-up one for its own.
  EXPECT_EQ(ParseAssociateRequest(L"/startup:1"), std::nullopt);
}

TEST(CommandLine, StyleFileIsTheFirstParameterWithoutASlash) {
  EXPECT_EQ(FirstStyleParameter({}), std::nullopt);
  EXPECT_EQ(FirstStyleParameter({L"/noplugin"}), std::nullopt);
  EXPECT_EQ(FirstStyleParameter({L"/noplugin", L"C:\\Styles\\a.dlx", L"b.dlx"}), L"C:\\Styles\\a.dlx");
  EXPECT_EQ(FirstStyleParameter({L"C:/Styles/a.dlx", L"b.dlx"}), L"b.dlx");  // forward slashes count as switches
}

TEST(CommandLine, NoPluginSwitch) {
  EXPECT_TRUE(HasNoPluginSwitch({L"a.dlx", L"/NoPlugin"}));
  EXPECT_TRUE(HasNoPluginSwitch({L"/noplugin"}));
  EXPECT_FALSE(HasNoPluginSwitch({L"noplugin"}));
  EXPECT_FALSE(HasNoPluginSwitch({L"/noplugins"}));
  EXPECT_FALSE(HasNoPluginSwitch({}));
}

TEST(CommandLine, SplitsIntoWords) {
  const struct {
    const wchar_t* Line;
    Params Words;
  } cases[] = {
      {L"", {}},
      {L"TDialix.exe", {L"TDialix.exe"}},
      {L"\"C:\\Program Files\\TDialix\\TDialix.exe\" \"C:\\My Styles\\a b.dlx\"",
       {L"C:\\Program Files\\TDialix\\TDialix.exe", L"C:\\My Styles\\a b.dlx"}},
      {L"x.exe   /noplugin\t a.dlx ", {L"x.exe", L"/noplugin", L"a.dlx"}},
      {L"x.exe \"C:\\Styles\\\" next", {L"x.exe", L"C:\\Styles\\", L"next"}},  // a trailing backslash stays
      {L"x.exe a\"b c\"d", {L"x.exe", L"ab cd"}},
      {L"x.exe \"unclosed quote", {L"x.exe", L"unclosed quote"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.Line), c.Words) << c.Line;
}

}  // namespace
}  // namespace tdialix
