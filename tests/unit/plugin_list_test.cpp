#include "plugin/plugin_list.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(PluginList, PathsAreAddedOnceInOrderWithoutEmptyOnes) {
  std::vector<std::wstring> list{L"C:\\P\\a.dll"};
  AddPluginPaths(list, {L"C:\\P\\b.dll", L"", L"c:\\p\\A.DLL", L"C:\\P\\b.dll", L"C:\\P\\c.dll"});
  EXPECT_EQ(list, (std::vector<std::wstring>{L"C:\\P\\a.dll", L"C:\\P\\b.dll", L"C:\\P\\c.dll"}));
}

TEST(PluginList, OnlyDriveRootsAndSharesAreFullPaths) {
  const struct {
    const wchar_t* Path;
    bool Full;
  } cases[] = {
      {L"C:\\Tools\\a.dll", true}, {L"d:/a.dll", true},       {L"\\\\server\\share\\a.dll", true},
      {L"a.dll", false},           {L"Plugins\\a.dll", false}, {L"\\a.dll", false},
      {L"C:a.dll", false},         {L"..\\a.dll", false},      {L"", false},
      {L"\\\\\\a.dll", false},     {L"1:\\a.dll", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsFullPath(c.Path), c.Full) << testing::PrintToString(std::wstring(c.Path));
}

TEST(PluginList, ALibraryWithoutFullPathIsLoadedFromBelowTheProgramsFolderNeverTheCurrentOne) {
  const std::wstring program = L"C:\\Program Files\\TDialix\\";
  const struct {
    const wchar_t* Listed;
    const wchar_t* LoadPath;
  } cases[] = {
      {L"D:\\Plugins\\alarm.dll", L"D:\\Plugins\\alarm.dll"},
      {L"\\\\nas\\tools\\alarm.dll", L"\\\\nas\\tools\\alarm.dll"},
      {L"alarm.dll", L"C:\\Program Files\\TDialix\\alarm.dll"},
      {L"Plugins\\alarm.dll", L"C:\\Program Files\\TDialix\\Plugins\\alarm.dll"},
      {L"\\alarm.dll", L"C:\\Program Files\\TDialix\\alarm.dll"},
      {L"C:alarm.dll", L"C:\\Program Files\\TDialix\\alarm.dll"},
  };
  for (const auto& c : cases) EXPECT_EQ(PluginLoadPath(c.Listed, program), c.LoadPath);
  EXPECT_EQ(PluginLoadPath(L"alarm.dll", L"C:\\TDialix"), L"C:\\TDialix\\alarm.dll");
}

TEST(PluginList, CandidatesKeepTheListsNamesAndLoadEachLibraryOnce) {
  const std::vector<TPluginCandidate> candidates =
      PluginCandidates({L"b.dll", L"C:\\TDialix\\a.dll", L"", L"C:\\TDialix\\B.DLL", L"a.dll", L"D:\\c.dll"},
                       L"C:\\TDialix\\");
  EXPECT_EQ(candidates, (std::vector<TPluginCandidate>{{L"b.dll", L"C:\\TDialix\\b.dll"},
                                                       {L"C:\\TDialix\\a.dll", L"C:\\TDialix\\a.dll"},
                                                       {L"D:\\c.dll", L"D:\\c.dll"}}));
}

TEST(PluginList, TheStartAsksForTheSwitchOrAfterAFaultWithSomethingToLoad) {
  const struct {
    bool Switch, Marked, Listed, Asks;
  } cases[] = {
      {false, false, true, false}, {true, false, false, true}, {true, false, true, true},
      {false, true, true, true},   {false, true, false, false}, {true, true, true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AskToStartWithoutPlugins(c.Switch, c.Marked, c.Listed), c.Asks)
        << c.Switch << " " << c.Marked << " " << c.Listed;
  }
}

TEST(PluginList, TheFaultMarkStandsBesideTheSettings) {
  EXPECT_EQ(PluginFaultMarkPath(L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\TDialix.ini"),
            L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\TDialix.pluginfault");
}

}  // namespace
}  // namespace tdialix
