#include "dialogs/startup_shortcut.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace tdialix {
namespace {

const std::wstring kProgram = L"C:\\Program Files\\時計\\TDialix.exe";

TEST(StartupShortcut, TheTargetNamesTheProgramAsAFileName) {
  struct Case {
    const wchar_t* Target;
    bool Own;
  };
  const Case cases[] = {
      {L"C:\\Program Files\\時計\\TDialix.exe", true},
      {L"c:\\PROGRAM FILES\\時計\\tdialix.EXE", true},  // letters in any case
      {L"C:/Program Files/時計/TDialix.exe", true},     // either separator
      {L"D:\\Program Files\\時計\\TDialix.exe", false},  // another drive
      {L"C:\\Tools\\TDialix.exe", false},               // another folder
      {L"C:\\Program Files\\時計\\TDialix.exe.bak", false},
      {L"C:\\Program Files\\時計\\TDialix", false},
      {L"", false},  // a shortcut to something that is no file
  };
  for (const Case& c : cases) EXPECT_EQ(IsProgramTarget(c.Target, kProgram), c.Own) << WideToUtf8(c.Target);
}

TEST(StartupShortcut, StateOfTheShortcutThatIsThere) {
  using enum TShortcutState;
  EXPECT_EQ(ShortcutState(false, std::nullopt, kProgram), ssMissing);
  EXPECT_EQ(ShortcutState(true, std::nullopt, kProgram), ssUnreadable);
  EXPECT_EQ(ShortcutState(true, L"c:\\program files\\時計\\tdialix.exe", kProgram), ssOwn);
  EXPECT_EQ(ShortcutState(true, L"C:\\Windows\\notepad.exe", kProgram), ssForeign);
  EXPECT_EQ(ShortcutState(true, L"", kProgram), ssForeign);
}

TEST(StartupShortcut, WhatCreatingAndRemovingDo) {
  using enum TShortcutState;
  struct Case {
    bool Create;
    TShortcutState State;
    TShortcutPlan Plan;
  };
  const Case cases[] = {
      {true, ssMissing, {std::nullopt, true, false}},
      {true, ssOwn, {std::nullopt, false, false}},  // left as it is
      {true, ssUnreadable, {std::nullopt, true, false}},
      {true, ssForeign, {TMsg::StartupShortcutOverwriteQuestion, true, false}},
      {false, ssMissing, {std::nullopt, false, false}},
      {false, ssOwn, {std::nullopt, false, true}},
      {false, ssUnreadable, {std::nullopt, false, true}},
      {false, ssForeign, {TMsg::StartupShortcutDeleteQuestion, false, true}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlanStartupShortcut(c.Create, c.State), c.Plan) << c.Create << " " << static_cast<int>(c.State);
  }
}

}  // namespace
}  // namespace tdialix
