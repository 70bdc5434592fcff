#include "dialogs/shell_association.h"

#include <functional>

#include <gtest/gtest.h>

#include "../support/memory_classes_store.h"
#include "app/command_line.h"
#include "base/text.h"

namespace tdialix {
namespace {

const std::wstring kProgram = L"C:\\Program Files\\時計 ツール\\TDialix.exe";

TRegistryValue Typed(std::uint32_t type, std::wstring_view text) {
  TRegistryValue value = StringValue(text);
  value.Type = type;
  return value;
}

// Another program's type for ".dlx", which its class key keeps apart.
TMemoryClassesStore Unrelated() {
  TMemoryClassesStore store;
  store.Set(L"txtfile\\shell\\open\\command", L"", StringValue(L"notepad.exe \"%1\""));
  return store;
}

TMemoryClassesStore Foreign() {
  return Unrelated().Set(L".dlx", L"", Typed(kRegExpandString, L"OtherDlx.File")).Set(
      L"OtherDlx.File\\shell\\open\\command", L"", StringValue(L"other.exe \"%1\""));
}

// Values and subkeys that other programs keep under ".dlx", without a default.
TMemoryClassesStore OthersOnly() {
  return Unrelated()
      .Set(L".dlx", L"Content Type", StringValue(L"text/plain"))
      .Set(L".dlx\\OpenWithProgids", L"OtherDlx.File", TRegistryValue{0, {}});
}

TMemoryClassesStore WithOwnValues(TMemoryClassesStore store) {
  for (const TAssociationEntry& entry : AssociationEntries(kProgram)) {
    store.Set(entry.Key, entry.Name, StringValue(entry.Text));
  }
  return store;
}

TMemoryClassesStore Own() { return WithOwnValues(Unrelated()); }

TMemoryClassesStore OwnOverForeign() {
  return WithOwnValues(Foreign()).Set(L".dlx", L"PreviousDefault", Typed(kRegExpandString, L"OtherDlx.File"));
}

// Records what the association asks and says, and answers its questions.
class FakePrompt : public TAssociationPrompt {
 public:
  explicit FakePrompt(bool answer) : Answer(answer) {}
  bool Confirm(TMsg question) override {
    Questions.push_back(question);
    return Answer;
  }
  void ShowError(TMsg message) override { Errors.push_back(message); }
  void AssociationsChanged() override { ++Notices; }

  bool Answer;
  std::vector<TMsg> Questions;
  std::vector<TMsg> Errors;
  int Notices = 0;
};

struct PlanCase {
  const char* Name;
  std::function<TMemoryClassesStore()> Prior;
  bool Associate;
  bool Answer;
  std::optional<TMsg> Question;
  TAssociationResult Result;
  std::function<TMemoryClassesStore()> After;
};

TEST(StyleFileAssociation, PlanOverEveryPriorState) {
  using enum TAssociationResult;
  const auto associateQuestion = TMsg::AssociateOverForeignQuestion;
  const auto removeQuestion = TMsg::DissociateForeignQuestion;
  const PlanCase cases[] = {
      {"associate, nothing there", Unrelated, true, false, std::nullopt, arChanged, Own},
      {"associate again", Own, true, false, std::nullopt, arChanged, Own},
      {"associate over foreign, No", Foreign, true, false, associateQuestion, arDeclined, Foreign},
      {"associate over foreign, Yes", Foreign, true, true, associateQuestion, arChanged, OwnOverForeign},
      {"associate beside others, No", OthersOnly, true, false, associateQuestion, arDeclined, OthersOnly},
      {"associate beside others, Yes", OthersOnly, true, true, associateQuestion, arChanged,
       [] { return WithOwnValues(OthersOnly()); }},
      // The default kept the first time is not replaced by the program's own.
      {"associate again over foreign", OwnOverForeign, true, false, std::nullopt, arChanged, OwnOverForeign},

      {"remove, nothing there", Unrelated, false, true, std::nullopt, arUnchanged, Unrelated},
      {"remove own", Own, false, false, std::nullopt, arChanged, Unrelated},
      {"remove foreign, No", Foreign, false, false, removeQuestion, arDeclined, Foreign},
      // The other program's default goes; its class key is its own business.
      {"remove foreign, Yes", Foreign, false, true, removeQuestion, arChanged,
       [] { return Unrelated().Set(L"OtherDlx.File\\shell\\open\\command", L"", StringValue(L"other.exe \"%1\"")); }},
      {"remove beside others, Yes", OthersOnly, false, true, removeQuestion, arChanged, OthersOnly},
      {"remove own beside others", [] { return WithOwnValues(OthersOnly()); }, false, false, std::nullopt, arChanged,
       OthersOnly},
      {"remove own over foreign", OwnOverForeign, false, false, std::nullopt, arChanged, Foreign},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMemoryClassesStore store = c.Prior();
    FakePrompt prompt(c.Answer);
    EXPECT_EQ(ChangeStyleFileAssociation(store, c.Associate, kProgram, prompt), c.Result);
    EXPECT_EQ(prompt.Questions, c.Question ? std::vector<TMsg>{*c.Question} : std::vector<TMsg>{});
    EXPECT_TRUE(prompt.Errors.empty());
    EXPECT_EQ(prompt.Notices, c.Result == arChanged ? 1 : 0);
    EXPECT_TRUE(store == c.After());
  }
}

TEST(StyleFileAssociation, AssociatingAndRemovingLeaveTheClassesAsTheyWere) {
  const std::function<TMemoryClassesStore()> priors[] = {Unrelated, Foreign, OthersOnly};
  for (const auto& prior : priors) {
    TMemoryClassesStore store = prior();
    FakePrompt yes(true);
    ASSERT_EQ(ChangeStyleFileAssociation(store, true, kProgram, yes), TAssociationResult::arChanged);
    ASSERT_EQ(ChangeStyleFileAssociation(store, false, kProgram, yes), TAssociationResult::arChanged);
    EXPECT_TRUE(store == prior());
  }
}

TEST(StyleFileAssociation, OnlyTheExactMarkerMakesTheKeyTheProgramsOwn) {
  const TRegistryValue markers[] = {StringValue(L"teamorvanetdialix2"), StringValue(L"TeamOrvaneTDialix"),
                                    TRegistryValue{4, {1, 0, 0, 0}}};
  for (const TRegistryValue& marker : markers) {
    TMemoryClassesStore store = Own().Set(L".dlx", L"Associated", marker);
    FakePrompt no(false);
    EXPECT_EQ(ChangeStyleFileAssociation(store, true, kProgram, no), TAssociationResult::arDeclined);
    EXPECT_EQ(ChangeStyleFileAssociation(store, false, kProgram, no), TAssociationResult::arDeclined);
    EXPECT_EQ(no.Questions.size(), 2u);
  }
}

TEST(StyleFileAssociation, AKeyThatCannotBeWrittenIsReportedAndTheRestStays) {
  TMemoryClassesStore store = Unrelated();
  store.Failing = {L"DLXFile\\Shell"};
  FakePrompt prompt(true);
  EXPECT_EQ(ChangeStyleFileAssociation(store, true, kProgram, prompt), TAssociationResult::arFailed);
  EXPECT_EQ(prompt.Errors, std::vector<TMsg>{TMsg::AssociateFailed});
  EXPECT_EQ(prompt.Notices, 1);
  // Everything but the open command was written.
  TMemoryClassesStore expected = Own();
  expected.Keys.erase(L"dlxfile\\shell");
  expected.Keys.erase(L"dlxfile\\shell\\open");
  expected.Keys.erase(L"dlxfile\\shell\\open\\command");
  EXPECT_TRUE(store == expected);
}

TEST(StyleFileAssociation, AForeignDefaultThatCannotBeKeptIsNotOverwritten) {
  TMemoryClassesStore store = Foreign();
  store.Failing = {L".dlx"};
  FakePrompt prompt(true);
  EXPECT_EQ(ChangeStyleFileAssociation(store, true, kProgram, prompt), TAssociationResult::arFailed);
  EXPECT_EQ(prompt.Errors, std::vector<TMsg>{TMsg::AssociateFailed});
  EXPECT_EQ(prompt.Notices, 0);
  EXPECT_TRUE(store == Foreign());
}

TEST(StyleFileAssociation, ARemovalThatFailsKeepsWhatItNeedsToBeRepeated) {
  TMemoryClassesStore store = OwnOverForeign();
  store.Failing = {L".dlx"};
  FakePrompt prompt(true);
  EXPECT_EQ(ChangeStyleFileAssociation(store, false, kProgram, prompt), TAssociationResult::arFailed);
  EXPECT_EQ(prompt.Errors, std::vector<TMsg>{TMsg::DissociateFailed});
  EXPECT_TRUE(prompt.Questions.empty());
  EXPECT_EQ(store.Keys.at(L".dlx"), OwnOverForeign().Keys.at(L".dlx"));
  // Once the key can be written again, the removal completes.
  store.Failing.clear();
  EXPECT_EQ(ChangeStyleFileAssociation(store, false, kProgram, prompt), TAssociationResult::arChanged);
  EXPECT_TRUE(store == Foreign());
}

TEST(StyleFileAssociation, ValuesForAProgramPathWithBlanksAndJapanese) {
  const std::vector<TAssociationEntry> expected = {
      {L".dlx", L"", L"DLXFile"},
      {L".dlx", L"Associated", L"TeamOrvaneTDialix2"},
      {L"DLXFile", L"", L"TDialix スタイル ファイル"},
      {L"DLXFile\\Shell\\Open", L"", L"スタイルの適用(&A)"},
      {L"DLXFile\\Shell\\Open\\Command", L"", L"\"C:\\Program Files\\時計 ツール\\TDialix.exe\" \"%1\""},
      {L"DLXFile\\DefaultIcon", L"", L"\"C:\\Program Files\\時計 ツール\\TDialix.exe\",1"},
  };
  EXPECT_EQ(AssociationEntries(kProgram), expected);
}

TEST(StyleFileAssociation, StringValuesAreUtf16WithTheirZero) {
  EXPECT_EQ(StringValue(L"時A"), (TRegistryValue{kRegString, {0x42, 0x66, 0x41, 0x00, 0x00, 0x00}}));
  struct Case {
    TRegistryValue Value;
    std::optional<std::wstring> Text;
  };
  const Case cases[] = {
      {StringValue(L"スタイル ファイル"), L"スタイル ファイル"},
      {TRegistryValue{kRegExpandString, {0x25, 0x00, 0x31, 0x00, 0x00, 0x00}}, L"%1"},
      {TRegistryValue{kRegString, {0x41, 0x00, 0x42, 0x00}}, L"AB"},            // no terminating zero
      {TRegistryValue{kRegString, {0x41, 0x00, 0x00, 0x00, 0x42, 0x00}}, L"A"},  // text ends at its zero
      {TRegistryValue{kRegString, {0x41, 0x00, 0x42}}, L"A"},                    // an odd byte count
      {TRegistryValue{kRegString, {}}, L""},
      {TRegistryValue{4, {0x41, 0x00, 0x00, 0x00}}, std::nullopt},               // a number
  };
  for (const Case& c : cases) EXPECT_EQ(ValueText(c.Value), c.Text);
}

TEST(StyleFileAssociation, TheShellsClassIsThePerUserOneWhenSetElseTheMachineWideOne) {
  const std::optional<TRegistryValue> none;
  const auto ours = std::optional(StringValue(L"DLXFile"));
  const auto oursInOtherCase = std::optional(Typed(kRegExpandString, L"dlxfile"));
  const auto other = std::optional(StringValue(L"OtherDlx.File"));
  struct Case {
    std::optional<TRegistryValue> User, Machine;
    bool Associated;
  };
  const Case cases[] = {
      {none, none, false},           {ours, none, true},      {none, ours, true},
      {none, oursInOtherCase, true}, {other, ours, false},    {ours, other, true},
      {none, other, false},          {std::optional(TRegistryValue{4, {}}), ours, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsStyleFileClass(c.User, c.Machine), c.Associated);
}

TEST(StyleFileAssociation, AssociateParametersAreReadBackByTheCommandLine) {
  struct Case {
    bool Associate;
    std::uint32_t Handle;
    const wchar_t* Text;
  };
  const Case cases[] = {
      {true, 4242, L"/associate:1,00004242"},          {false, 4242, L"/associate:0,00004242"},
      {true, 12345678, L"/associate:1,12345678"},      {false, 12345678, L"/associate:0,12345678"},
      {true, 4294967294u, L"/associate:1,4294967294"}, {false, 2147483648u, L"/associate:0,2147483648"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AssociateParameters(c.Associate, c.Handle), c.Text);
    EXPECT_EQ(ParseAssociateRequest(c.Text), (TAssociateRequest{c.Associate, c.Handle})) << WideToUtf8(c.Text);
  }
}

}  // namespace
}  // namespace tdialix
