#include "dialogs/auto_style_win.h"

#include <algorithm>
#include <numeric>

#include "base/messages.h"
#include "base/system_locale_win.h"
#include "base/file_io_win.h"
#include "dialogs/list_rules.h"
#include "dialogs/time_slot_win.h"

namespace tdialix {

namespace {

constexpr int kAutoStyleHelpContext = 34;
constexpr int kAddAutoStyleHelpContext = 36;

}  // namespace

// ---- TDialixAddAutoStyle

TDialixAddAutoStyle::TDialixAddAutoStyle(HWND owner, const TChangeTime& entry)
    : TWRForm(L"TDialixAddAutoStyle"), Before(entry), FConfirmed(entry) {
  const TAddAutoStyleLayout layout = AddAutoStyleLayout();
  Owner = owner;
  Caption = MessageString(TMsg::AddAutoStyleCaption);
  ClientSize = layout.ClientSize;
  Position = TFormPosition::poOwnerFormCenter;
  HelpContext = kAddAutoStyleHelpContext;

  DayTypeCombo.Items = DayTypeCaptions();
  StyleEdit.OnChange = [this] { UpdateOK(); };
  BrowseButton.OnClick = [this] { BrowseButtonClick(); };
  TimePicker.Kind = TWRDateTimePicker::TDateTimeKind::dtkTime;
  OKButton.Default = true;
  OKButton.ModalResult = mrOk;
  OKButton.OnClick = [this] { FConfirmed = Entry(); };
  CancelButton.Cancel = true;
  CancelButton.ModalResult = mrCancel;

  OpenDialog.Title = MessageString(TMsg::StyleChooseTitle);
  OpenDialog.Filter = MessageString(TMsg::StyleFileFilter);
  OpenDialog.DefaultExt = L"dlx";
  OpenDialog.Options |= ofFileMustExist;

  Layout({{DayTypeLabel, layout.DayTypeLabel},
          {DayTypeCombo, layout.DayTypeCombo},
          {StyleLabel, layout.StyleLabel},
          {StyleEdit, layout.StyleEdit},
          {BrowseButton, layout.BrowseButton},
          {TimeLabel, layout.TimeLabel},
          {TimePicker, layout.TimePicker},
          {OKButton, layout.OKButton, nullptr, IDOK},
          {CancelButton, layout.CancelButton, nullptr, IDCANCEL}});
}

void TDialixAddAutoStyle::FormCreate() {
  DayTypeCombo.SetItemIndex(std::clamp(static_cast<int>(Before.DayType), 0, 3));
  StyleEdit.SetText(Before.Style);
  TimePicker.SetDateTime(PickerTime(Before.ChangeTime));
  UpdateOK();
}

TChangeTime TDialixAddAutoStyle::Entry() const {
  TChangeTime entry;
  const int dayType = DayTypeCombo.ItemIndex();
  entry.DayType = dayType >= dtWeekDay && dayType <= dtSunday ? static_cast<TDayType>(dayType) : dtWeekDay;
  entry.Style = StyleEdit.Text();
  entry.ChangeTime = PickerTimeOfDay(TimePicker.DateTime());
  return entry;
}

void TDialixAddAutoStyle::UpdateOK() { OKButton.SetEnabled(CanConfirmAutoStyle(StyleEdit.Text())); }

void TDialixAddAutoStyle::BrowseButtonClick() {
  OpenDialog.FileName = StyleEdit.Text();
  if (!OpenDialog.Execute(Handle())) return;
  const std::wstring path = OpenDialog.FileName;
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes || !IsStyleFileContent(*bytes, [](std::string_view ansi) { return AnsiToWide(ansi); })) {
    const std::wstring text = FormatText(MessageText(TMsg::NotAStyleFile), {path});
    ::MessageBoxW(Handle(), text.c_str(), kAppTitle.data(), MB_OK | MB_ICONWARNING);
    return;
  }
  StyleEdit.SetText(path);
  StyleEdit.SetFocus();
  ::SendMessageW(StyleEdit.Handle(), EM_SETSEL, 0, -1);
  UpdateOK();
}

bool EditChangeTime(HWND owner, TChangeTime& entry, bool adding) {
  TDialixAddAutoStyle dialog(owner, adding ? TChangeTime{} : entry);
  if (dialog.ShowModal() != mrOk) return false;
  entry = dialog.Confirmed();
  return true;
}

// ---- TDialixAutoStyle

TDialixAutoStyle::TDialixAutoStyle(HWND owner, bool autoStyleChange, const std::vector<TChangeTime>& list,
                                   TFormatSettings formats)
    : TWRForm(L"TDialixAutoStyle"),
      FRows(AutoStyleRows(list, formats)),
      Formats(std::move(formats)),
      FAutoStyleChange(autoStyleChange),
      FResult(list) {
  const TAutoStyleLayout layout = AutoStyleLayout();
  Owner = owner;
  Caption = MessageString(TMsg::AutoStyleCaption);
  ClientSize = layout.ClientSize;
  Position = TFormPosition::poScreenCenter;
  HelpContext = kAutoStyleHelpContext;
  EditEntry = &EditChangeTime;

  EnableCheck.OnClick = [this] { EnableCheckClick(); };
  List.Columns = {{MessageString(TMsg::AutoStyleTimeColumn), layout.TimeColumnWidth},
                  {MessageString(TMsg::AutoStyleStyleColumn), layout.StyleColumnWidth}};
  List.MultiSelect = true;
  List.GroupView = true;
  List.OnSelectItem = [this] { UpdateControls(); };
  List.OnDblClick = [this] {
    if (ChangeButton.Enabled()) ChangeButtonClick();
  };
  List.OnKeyDown = [this](WORD key) {
    if (key == VK_DELETE && DeleteButton.Enabled()) DeleteButtonClick();
  };
  AddButton.OnClick = [this] { AddButtonClick(); };
  ChangeButton.OnClick = [this] { ChangeButtonClick(); };
  DeleteButton.OnClick = [this] { DeleteButtonClick(); };
  OKButton.Default = true;
  OKButton.ModalResult = mrOk;
  OKButton.OnClick = [this] { OKButtonClick(); };
  CancelButton.Cancel = true;
  CancelButton.ModalResult = mrCancel;

  Layout({{EnableCheck, layout.EnableCheck},
          {Group, layout.Group},
          {List, layout.List, &Group},
          {AddButton, layout.AddButton, &Group},
          {ChangeButton, layout.ChangeButton, &Group},
          {DeleteButton, layout.DeleteButton, &Group},
          {OKButton, layout.OKButton, nullptr, IDOK},
          {CancelButton, layout.CancelButton, nullptr, IDCANCEL}});
}

void TDialixAutoStyle::FormCreate() {
  EnableCheck.SetChecked(FAutoStyleChange);
  FillList(FRows.empty() ? -1 : 0);
  UpdateControls();
}

void TDialixAutoStyle::FillList(int selected) {
  List.Clear();
  const std::vector<std::wstring> captions = DayTypeCaptions();
  for (size_t i = 0; i < captions.size(); ++i) List.AddGroup(static_cast<int>(i), captions[i]);
  const bool grouped = List.GroupsShown();
  for (const TAutoStyleRow& row : FRows) {
    List.AddItem({AutoStyleTimeCell(row, grouped), row.StyleText}, row.Entry.DayType);
  }
  List.SetItemIndex(selected);
  UpdateControls();
}

void TDialixAutoStyle::UpdateControls() {
  const bool on = EnableCheck.Checked();
  const std::size_t selected = List.SelectedItems().size();
  Group.SetEnabled(on);
  List.SetEnabled(on);
  AddButton.SetEnabled(on);
  ChangeButton.SetEnabled(on && CanChangeSelection(selected));
  DeleteButton.SetEnabled(on && CanDeleteSelection(selected));
}

void TDialixAutoStyle::EnableCheckClick() { UpdateControls(); }

int TDialixAutoStyle::Resort(int index) {
  std::vector<std::size_t> order(FRows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [this](std::size_t a, std::size_t b) { return AutoStyleRowBefore(FRows[a], FRows[b]); });
  std::vector<TAutoStyleRow> sorted;
  sorted.reserve(FRows.size());
  int moved = -1;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (static_cast<int>(order[i]) == index) moved = static_cast<int>(i);
    sorted.push_back(std::move(FRows[order[i]]));
  }
  FRows = std::move(sorted);
  return moved;
}

void TDialixAutoStyle::AddButtonClick() {
  TChangeTime entry;
  if (!EditEntry || !EditEntry(Handle(), entry, true)) return;
  FRows.push_back(AutoStyleRow(entry, Formats));
  FillList(Resort(static_cast<int>(FRows.size()) - 1));
  List.SetFocus();
}

void TDialixAutoStyle::ChangeButtonClick() {
  const std::vector<int> selected = List.SelectedItems();
  if (!CanChangeSelection(selected.size())) return;
  const int index = selected.front();
  if (index < 0 || static_cast<std::size_t>(index) >= FRows.size()) return;
  TChangeTime entry = FRows[static_cast<std::size_t>(index)].Entry;
  if (!EditEntry || !EditEntry(Handle(), entry, false)) return;
  FRows[static_cast<std::size_t>(index)] = AutoStyleRow(entry, Formats);
  FillList(Resort(index));
  List.SetFocus();
}

void TDialixAutoStyle::DeleteButtonClick() {
  const std::vector<int> selected = List.SelectedItems();
  if (!CanDeleteSelection(selected.size())) return;
  // From the end, so that the indices still to go stay valid.
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
    if (*it >= 0 && static_cast<std::size_t>(*it) < FRows.size()) FRows.erase(FRows.begin() + *it);
  }
  const std::optional<std::size_t> next = SelectionAfterDelete(FRows.size(), static_cast<std::size_t>(selected.front()));
  FillList(next ? static_cast<int>(*next) : -1);
  if (next) List.SetFocus();
}

void TDialixAutoStyle::OKButtonClick() {
  FAutoStyleChange = EnableCheck.Checked();
  FResult = AutoStyleResult(FRows);
}

bool EditAutoStyle(HWND owner, bool& autoStyleChange, std::vector<TChangeTime>& list, const TFormatSettings& formats) {
  TDialixAutoStyle dialog(owner, autoStyleChange, list, formats);
  if (dialog.ShowModal() != mrOk) return false;
  autoStyleChange = dialog.AutoStyleChange();
  list = dialog.Result();
  return true;
}

}  // namespace tdialix
