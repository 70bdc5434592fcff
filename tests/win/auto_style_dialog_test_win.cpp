// The automatic style change dialogs "スタイルの自動切り替え" and
// "自動切り替えの設定", and the time-slot dialog "時間帯の設定", in the test's
// own process.
#include "dialogs/auto_style_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>

#include "base/date_time.h"
#include "base/text.h"
#include "base/text_codec.h"
#include "dialog_driver_win.h"
#include "dialogs/time_slot_win.h"

namespace tdialix {
namespace {

#define TDIALIX_WIDEN2(x) L##x
#define TDIALIX_WIDEN(x) TDIALIX_WIDEN2(x)

TDateTime Time(int h, int m, int s = 0) { return *TryEncodeTime(h, m, s, 0); }

const std::vector<TChangeTime> kList = {
    {dtWeekDay, L"C:\\Styles\\夜.dlx", Time(19, 0), true},
    {dtHoliday, L"C:\\Styles\\休日.dlx", Time(9, 0)},
    {dtWeekDay, L"C:\\Styles\\朝.dlx", Time(7, 0)},
};

// What a list view shows: each row's day type, time and style. The day type
// is the row's group header where the system's list shows groups, else the
// time column carries it (Wine's list view has no groups).
std::vector<std::wstring> ListRows(HWND list) {
  const bool grouped = ::SendMessageW(list, LVM_ISGROUPVIEWENABLED, 0, 0) != 0;
  std::vector<std::wstring> rows;
  const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t time[64] = {}, style[256] = {};
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_GROUPID;
    item.iItem = i;
    item.pszText = time;
    item.cchTextMax = 64;
    ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMW sub{};
    sub.iSubItem = 1;
    sub.pszText = style;
    sub.cchTextMax = 256;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&sub));
    const std::wstring captions[] = {L"平日", L"休日", L"土曜日", L"日曜日"};
    const std::wstring group = grouped && item.iGroupId >= 0 && item.iGroupId < 4 ? captions[item.iGroupId] + L" " : L"";
    rows.push_back(group + time + L" " + style);
  }
  return rows;
}

// The dialog shown without a modal loop, as the tests look at it.
class AutoStyleDialogTest : public testing::Test {
 protected:
  void Open(bool on, const std::vector<TChangeTime>& list) {
    Dialog = std::make_unique<TDialixAutoStyle>(nullptr, on, list, TFormatSettings{});
    Dialog->Show();
    PumpDialog(Dialog->Handle());
  }
  void TearDown() override {
    if (Dialog) Dialog->Release();
  }
  std::unique_ptr<TDialixAutoStyle> Dialog;
};

TEST_F(AutoStyleDialogTest, FilledFromTheListInGroupsAndOrder) {
  Open(true, kList);
  EXPECT_EQ(WindowClass(Dialog->Handle()), L"TDialixAutoStyle");
  EXPECT_EQ(WindowText(Dialog->Handle()), L"スタイルの自動切り替え");
  EXPECT_TRUE(IsChecked(Dialog->EnableCheck.Handle()));
  EXPECT_EQ(WindowText(Dialog->EnableCheck.Handle()), L"スタイルを自動的に切り替える");
  EXPECT_EQ(WindowText(Dialog->Group.Handle()), L"時間とスタイル");
  for (const wchar_t* text : {L"追加...", L"変更...", L"削除", L"OK", L"キャンセル"}) {
    EXPECT_NE(FindControlByText(Dialog->Handle(), text), nullptr) << WideToUtf8(text);
  }
  EXPECT_EQ(ListRows(Dialog->List.Handle()),
            (std::vector<std::wstring>{L"平日 7:00:00 朝", L"平日 19:00:00 夜", L"休日 9:00:00 休日"}));
  // The column captions.
  wchar_t caption[32] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = caption;
  column.cchTextMax = 32;
  ::SendMessageW(Dialog->List.Handle(), LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(caption, L"時間");
  ::SendMessageW(Dialog->List.Handle(), LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  EXPECT_STREQ(caption, L"スタイル");
  // The group headers, by day type, where the system's list shows groups.
  if (::SendMessageW(Dialog->List.Handle(), LVM_ISGROUPVIEWENABLED, 0, 0) == 0) return;
  for (int id = 0; id < 4; ++id) {
    wchar_t header[32] = {};
    LVGROUP group{};
    group.cbSize = sizeof group;
    group.mask = LVGF_HEADER;
    group.pszHeader = header;
    group.cchHeader = 32;
    ::SendMessageW(Dialog->List.Handle(), LVM_GETGROUPINFO, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&group));
    EXPECT_EQ(std::wstring(header), (std::vector<std::wstring>{L"平日", L"休日", L"土曜日", L"日曜日"})[id]);
  }
}

TEST_F(AutoStyleDialogTest, TheButtonsFollowTheSwitchAndTheSelection) {
  Open(true, kList);
  const HWND list = Dialog->List.Handle();
  struct TCase {
    std::initializer_list<int> Rows;
    bool Change, Delete;
  };
  const TCase cases[] = {{{}, false, false}, {{1}, true, true}, {{0, 2}, false, true}, {{0, 1, 2}, false, true}};
  for (const TCase& c : cases) {
    SelectRows(list, c.Rows);
    EXPECT_TRUE(Enabled(Dialog->AddButton));
    EXPECT_EQ(Enabled(Dialog->ChangeButton), c.Change) << c.Rows.size();
    EXPECT_EQ(Enabled(Dialog->DeleteButton), c.Delete) << c.Rows.size();
  }
  // Unchecked: the group, the list and all its buttons rest; checked again, they follow the selection.
  SelectRows(list, {1});
  Click(Dialog->EnableCheck.Handle());
  EXPECT_FALSE(IsChecked(Dialog->EnableCheck.Handle()));
  for (const TWRControl* control : std::initializer_list<const TWRControl*>{
           &Dialog->Group, &Dialog->List, &Dialog->AddButton, &Dialog->ChangeButton, &Dialog->DeleteButton}) {
    EXPECT_FALSE(Enabled(*control)) << WideToUtf8(WindowText(control->Handle()));
  }
  EXPECT_TRUE(Enabled(Dialog->OKButton));
  Click(Dialog->EnableCheck.Handle());
  EXPECT_TRUE(Enabled(Dialog->List) && Enabled(Dialog->AddButton) && Enabled(Dialog->ChangeButton));

  // An empty list: nothing to change or delete.
  Dialog->Release();
  Open(false, {});
  EXPECT_EQ(ListRows(Dialog->List.Handle()).size(), 0u);
  EXPECT_FALSE(Enabled(Dialog->AddButton) || Enabled(Dialog->ChangeButton) || Enabled(Dialog->DeleteButton));
  Click(Dialog->EnableCheck.Handle());
  EXPECT_TRUE(Enabled(Dialog->AddButton));
  EXPECT_FALSE(Enabled(Dialog->ChangeButton) || Enabled(Dialog->DeleteButton));
}

TEST_F(AutoStyleDialogTest, AddChangeAndDeleteWithTheEntryDialog) {
  Open(true, kList);
  const HWND list = Dialog->List.Handle();

  // Adding a Saturday entry in "自動切り替えの設定": it is sorted in and selected.
  RunModal(
      [&] {
        Click(Dialog->AddButton.Handle());
        return 0;
      },
      [&](HWND add) {
        EXPECT_EQ(WindowClass(add), L"TDialixAddAutoStyle");
        EXPECT_EQ(WindowText(add), L"自動切り替えの設定");
        const HWND combo = FindControlByClass(add, L"ComboBox");
        const HWND edit = FindControlByClass(add, L"Edit");
        const HWND picker = FindControlByClass(add, DATETIMEPICK_CLASSW);
        const HWND ok = FindControlByText(add, L"OK");
        ASSERT_TRUE(combo && edit && picker && ok);
        EXPECT_EQ(ItemTexts(combo), (std::vector<std::wstring>{L"平日", L"休日", L"土曜日", L"日曜日"}));
        EXPECT_EQ(SelectedItem(combo), 0);
        EXPECT_EQ(WindowText(edit), L"");
        EXPECT_FALSE(::IsWindowEnabled(ok)) << "no style yet";
        SelectItem(combo, 2);
        SetText(edit, L"C:\\Styles\\土曜.dlx");
        EXPECT_TRUE(::IsWindowEnabled(ok));
        SetText(edit, L"");
        EXPECT_FALSE(::IsWindowEnabled(ok));
        SetText(edit, L"C:\\Styles\\土曜.dlx");
        SetPickerTime(picker, 8, 30, 0);
        Click(ok);
      });
  EXPECT_EQ(ListRows(list),
            (std::vector<std::wstring>{L"平日 7:00:00 朝", L"平日 19:00:00 夜", L"休日 9:00:00 休日", L"土曜日 8:30:00 土曜"}));
  EXPECT_EQ(SelectedRows(list), std::vector<int>{3});

  // Changing the evening entry to 6:00: it moves to the top and stays selected.
  SelectRows(list, {1});
  RunModal(
      [&] {
        Click(Dialog->ChangeButton.Handle());
        return 0;
      },
      [&](HWND add) {
        EXPECT_EQ(WindowText(FindControlByClass(add, L"Edit")), L"C:\\Styles\\夜.dlx");
        EXPECT_EQ(SelectedItem(FindControlByClass(add, L"ComboBox")), 0);
        EXPECT_TRUE(::IsWindowEnabled(FindControlByText(add, L"OK")));
        SetPickerTime(FindControlByClass(add, DATETIMEPICK_CLASSW), 6, 0, 0);
        Click(FindControlByText(add, L"OK"));
      });
  EXPECT_EQ(ListRows(list),
            (std::vector<std::wstring>{L"平日 6:00:00 夜", L"平日 7:00:00 朝", L"休日 9:00:00 休日", L"土曜日 8:30:00 土曜"}));
  EXPECT_EQ(SelectedRows(list), std::vector<int>{0});

  // A cancelled change changes nothing; a double click changes too.
  RunModal(
      [&] {
        NMHDR click{list, static_cast<UINT_PTR>(::GetDlgCtrlID(list)), static_cast<UINT>(NM_DBLCLK)};
        ::SendMessageW(::GetParent(list), WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
        return 0;
      },
      [&](HWND add) {
        SetText(FindControlByClass(add, L"Edit"), L"C:\\other.dlx");
        Click(FindControlByText(add, L"キャンセル"));
      });
  EXPECT_EQ(ListRows(list).front(), L"平日 6:00:00 夜");

  // Deleting two rows selects the row now at the first one's place; the
  // Delete key deletes as the button does; the last row goes, the new last is selected.
  SelectRows(list, {1, 2});
  Click(Dialog->DeleteButton.Handle());
  EXPECT_EQ(ListRows(list), (std::vector<std::wstring>{L"平日 6:00:00 夜", L"土曜日 8:30:00 土曜"}));
  EXPECT_EQ(SelectedRows(list), std::vector<int>{1});
  NMLVKEYDOWN key{{list, static_cast<UINT_PTR>(::GetDlgCtrlID(list)), static_cast<UINT>(LVN_KEYDOWN)}, VK_DELETE, 0};
  ::SendMessageW(::GetParent(list), WM_NOTIFY, key.hdr.idFrom, reinterpret_cast<LPARAM>(&key));
  EXPECT_EQ(ListRows(list), (std::vector<std::wstring>{L"平日 6:00:00 夜"}));
  EXPECT_EQ(SelectedRows(list), std::vector<int>{0});

  // OK: the switch and the rows in display order, none applied.
  Click(Dialog->EnableCheck.Handle());
  Dialog->OKButton.Click();
  EXPECT_FALSE(Dialog->AutoStyleChange());
  EXPECT_EQ(Dialog->Result(), (std::vector<TChangeTime>{{dtWeekDay, L"C:\\Styles\\夜.dlx", Time(6, 0), false}}));
}

TEST(AutoStyleDialog, OkReplacesTheListAndCancelChangesNothing) {
  // OK without a change: the same entries in display order, every one pending again.
  bool on = true;
  std::vector<TChangeTime> list = kList;
  bool confirmed = false;
  RunModal(
      [&] {
        confirmed = EditAutoStyle(nullptr, on, list, TFormatSettings{});
        return 0;
      },
      [&](HWND dialog) { Click(FindControlByText(dialog, L"OK")); });
  EXPECT_TRUE(confirmed);
  EXPECT_TRUE(on);
  EXPECT_EQ(list, (std::vector<TChangeTime>{{dtWeekDay, L"C:\\Styles\\朝.dlx", Time(7, 0)},
                                            {dtWeekDay, L"C:\\Styles\\夜.dlx", Time(19, 0), false},
                                            {dtHoliday, L"C:\\Styles\\休日.dlx", Time(9, 0)}}));

  // Cancel after deleting everything and unchecking: nothing changes.
  std::vector<TChangeTime> kept = kList;
  RunModal(
      [&] {
        confirmed = EditAutoStyle(nullptr, on, kept, TFormatSettings{});
        return 0;
      },
      [&](HWND dialog) {
        const HWND listView = FindControlByClass(dialog, WC_LISTVIEWW);
        SelectRows(listView, {0, 1, 2});
        Click(FindControlByText(dialog, L"削除"));
        EXPECT_TRUE(ListRows(listView).empty());
        EXPECT_TRUE(SelectedRows(listView).empty());
        Click(FindControlByText(dialog, L"スタイルを自動的に切り替える"));
        Click(FindControlByText(dialog, L"キャンセル"));
      });
  EXPECT_FALSE(confirmed);
  EXPECT_TRUE(on);
  EXPECT_EQ(kept, kList);
}

// A file in the temporary folder with the given bytes.
std::wstring TempFile(const wchar_t* name, const std::string& bytes) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + name;
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(AddAutoStyleDialog, BrowseTakesStyleFilesOnlyAndSaysWhy) {
  const std::wstring foreign = TempFile(L"tdialix-foreign.dlx", EncodeUtf16LeWithBom(L"[General]\r\nVersion=Other\r\n"));
  const std::wstring style =
      TempFile(L"tdialix-朝.dlx", EncodeUtf16LeWithBom(L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n"));
  const std::wstring ansiStyle = TempFile(L"tdialix-ansi.dlx", "[General]\r\nVersion=TeamOrvaneTDialix2\r\n");

  TDialixAddAutoStyle dialog(nullptr, {dtSunday, L"C:\\before.dlx", Time(10, 0)});
  std::wstring chosen;
  std::wstring title, filter, defaultExt;
  dialog.OpenDialog.Runner = [&](OPENFILENAMEW& info) {
    title = info.lpstrTitle ? info.lpstrTitle : L"";
    defaultExt = info.lpstrDefExt ? info.lpstrDefExt : L"";
    for (const wchar_t* p = info.lpstrFilter; p && *p; p += wcslen(p) + 1) filter += std::wstring(p) + L"|";
    lstrcpynW(info.lpstrFile, chosen.c_str(), static_cast<int>(info.nMaxFile));
    return TRUE;
  };
  dialog.Show();
  PumpDialog(dialog.Handle());
  EXPECT_EQ(SelectedItem(dialog.DayTypeCombo.Handle()), 3);
  EXPECT_EQ(WindowText(dialog.StyleEdit.Handle()), L"C:\\before.dlx");

  // A foreign file: message 1011 with its path, and the edit stays.
  chosen = foreign;
  RunModal(
      [&] {
        Click(dialog.BrowseButton.Handle());
        return 0;
      },
      [&](HWND box) {
        EXPECT_EQ(WindowText(box), L"TDialix");
        wchar_t text[1024] = {};
        ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
        EXPECT_EQ(std::wstring(text),
                  L"'" + foreign + L"'\r\nこれはスタイル ファイルではないか、以前のバージョンのスタイル ファイルです。");
        // The warning icon: the system's exclamation picture in the box.
        bool icon = false;
        for (HWND child : ChildWindows(box)) {
          if (WindowClass(child) == L"Static" && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_ICON)) icon = true;
        }
        EXPECT_TRUE(icon);
        Click(FindControlById(box, IDOK));
      });
  EXPECT_EQ(title, L"スタイルの選択");
  EXPECT_EQ(filter, L"スタイル ファイル (*.dlx)|*.dlx|すべてのファイル|*.*|");
  EXPECT_EQ(defaultExt, L"dlx");
  EXPECT_EQ(WindowText(dialog.StyleEdit.Handle()), L"C:\\before.dlx");

  // A style file, in either encoding: its path, fully selected.
  for (const std::wstring& file : {style, ansiStyle}) {
    chosen = file;
    Click(dialog.BrowseButton.Handle());
    EXPECT_EQ(WindowText(dialog.StyleEdit.Handle()), file);
    DWORD start = 1, end = 0;
    ::SendMessageW(dialog.StyleEdit.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, file.size());
    EXPECT_TRUE(::IsWindowEnabled(dialog.OKButton.Handle()));
  }
  dialog.Release();
  for (const std::wstring& file : {foreign, style, ansiStyle}) ::DeleteFileW(file.c_str());
}

TEST(TimeSlotDialog, OkFollowsEndLaterThanStartFromTheStart) {
  // A new slot opens with equal times: OK waits for a later end.
  {
    TDialixTimeSlot dialog(nullptr, TVisibleTimeSlot{});
    dialog.Show();
    PumpDialog(dialog.Handle());
    EXPECT_EQ(WindowClass(dialog.Handle()), L"TDialixTimeSlot");
    EXPECT_EQ(WindowText(dialog.Handle()), L"時間帯の設定");
    EXPECT_EQ(ItemTexts(dialog.DayTypeCombo.Handle()), (std::vector<std::wstring>{L"平日", L"休日", L"土曜日", L"日曜日"}));
    EXPECT_FALSE(Enabled(dialog.OKButton));
    SetPickerTime(dialog.EndPicker.Handle(), 17, 0, 0);
    EXPECT_TRUE(Enabled(dialog.OKButton));
    SetPickerTime(dialog.StartPicker.Handle(), 17, 0, 0);
    EXPECT_FALSE(Enabled(dialog.OKButton));
    SetPickerTime(dialog.StartPicker.Handle(), 18, 0, 0);
    EXPECT_FALSE(Enabled(dialog.OKButton));
    SetPickerTime(dialog.StartPicker.Handle(), 16, 59, 59);
    EXPECT_TRUE(Enabled(dialog.OKButton));
    dialog.Release();
  }
  // A preloaded valid slot can be confirmed at once; OK gives the controls' slot.
  TVisibleTimeSlot slot{dtHoliday, Time(9, 0), Time(23, 59, 59)};
  bool confirmed = false;
  RunModal(
      [&] {
        confirmed = EditTimeSlot(nullptr, slot, false);
        return 0;
      },
      [&](HWND dialog) {
        EXPECT_EQ(SelectedItem(FindControlByClass(dialog, L"ComboBox")), 1);
        const HWND ok = FindControlByText(dialog, L"OK");
        EXPECT_TRUE(::IsWindowEnabled(ok));
        SelectItem(FindControlByClass(dialog, L"ComboBox"), 2);
        Click(ok);
      });
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(slot.DayType, dtSaturday);
  EXPECT_NEAR(slot.StartTime, Time(9, 0), 1e-9);
  EXPECT_NEAR(slot.EndTime, Time(23, 59, 59), 1e-9);
  // Adding starts from an empty slot whatever the variable held; Cancel keeps it.
  RunModal(
      [&] {
        confirmed = EditTimeSlot(nullptr, slot, true);
        return 0;
      },
      [&](HWND dialog) {
        EXPECT_FALSE(::IsWindowEnabled(FindControlByText(dialog, L"OK")));
        EXPECT_EQ(SelectedItem(FindControlByClass(dialog, L"ComboBox")), 0);
        Click(FindControlByText(dialog, L"キャンセル"));
      });
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(slot.DayType, dtSaturday);
}

TEST(AutoStyleDialogs, F1AsksForEachDialogsHelpTopic) {
  std::vector<int> topics;
  TWRApplication::Instance().OnHelp = [&](int context) { topics.push_back(context); };
  TDialixAutoStyle autoStyle(nullptr, true, kList, TFormatSettings{});
  TDialixAddAutoStyle add(nullptr, TChangeTime{});
  TDialixTimeSlot slot(nullptr, TVisibleTimeSlot{});
  for (TWRForm* form : std::initializer_list<TWRForm*>{&autoStyle, &add, &slot}) {
    RunModal([&] { return form->ShowModal(); }, [&](HWND dialog) {
      PostKey(nullptr, VK_F1);
      PumpDialogFor(dialog, 200);
      Click(FindControlByText(dialog, L"キャンセル"));
    });
  }
  TWRApplication::Instance().OnHelp = nullptr;
  EXPECT_EQ(topics, (std::vector<int>{34, 36, 28}));
}

TEST(AutoStyleDialogs, EveryTextFitsInTheScreenshots) {
  TDialixAutoStyle autoStyle(nullptr, true, kList, TFormatSettings{});
  TDialixAddAutoStyle add(nullptr, {dtHoliday, L"C:\\Styles\\休日.dlx", Time(9, 0)});
  TDialixTimeSlot slot(nullptr, {dtWeekDay, Time(9, 0), Time(17, 0)});
  const std::pair<TWRForm*, const wchar_t*> forms[] = {{&autoStyle, L"autostyle"}, {&add, L"autostyle-entry"},
                                                       {&slot, L"timeslot"}};
  for (const auto& [form, name] : forms) {
    RunModal([&] { return form->ShowModal(); }, [&](HWND window) {
      PumpDialogFor(window, 300);
      EXPECT_TRUE(TextsThatDoNotFit(window).empty()) << Describe(TextsThatDoNotFit(window));
      EXPECT_TRUE(SaveScreenshot(window, std::wstring(TDIALIX_WIDEN(TDIALIX_SCREENSHOTS)) + L"\\tdialix-" + name + L".png"));
      Click(FindControlByText(window, L"キャンセル"));
    });
  }
}

}  // namespace
}  // namespace tdialix
