// TDialixAutoStyle: the dialog "スタイルの自動切り替え" that sets up the
// automatic style changes, and TDialixAddAutoStyle, "自動切り替えの設定", that
// edits one of its entries.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/date_format.h"
#include "calendar/style_change.h"
#include "components/common_controls_win.h"
#include "components/common_dialogs_win.h"
#include "components/form_win.h"
#include "components/standard_controls_win.h"
#include "dialogs/auto_style_fields.h"

namespace tdialix {

class TDialixAddAutoStyle : public TWRForm {
 public:
  // The dialog starts with the entry's values.
  TDialixAddAutoStyle(HWND owner, const TChangeTime& entry);

  // The entry the controls make now (not applied yet).
  TChangeTime Entry() const;
  // The entry as OK confirmed it (the controls are gone once the dialog closed).
  const TChangeTime& Confirmed() const noexcept { return FConfirmed; }

  TWRLabel DayTypeLabel;
  TWRComboBox DayTypeCombo;
  TWRLabel StyleLabel;
  TWREdit StyleEdit;
  TWRButton BrowseButton;
  TWRLabel TimeLabel;
  TWRDateTimePicker TimePicker;
  TWRButton OKButton;
  TWRButton CancelButton;
  // The file dialog "参照..." opens; tests stand in for the system's with its Runner.
  TWROpenDialog OpenDialog;

 protected:
  void FormCreate() override;

 private:
  void BrowseButtonClick();
  void UpdateOK();

  TChangeTime Before;
  TChangeTime FConfirmed;
};

class TDialixAutoStyle : public TWRForm {
 public:
  // The dialog edits a copy of the switch and the list.
  TDialixAutoStyle(HWND owner, bool autoStyleChange, const std::vector<TChangeTime>& list, TFormatSettings formats);

  // What OK confirmed: the switch, and the rows' entries in display order,
  // none applied yet (the values the dialog opened with until then).
  bool AutoStyleChange() const noexcept { return FAutoStyleChange; }
  const std::vector<TChangeTime>& Result() const noexcept { return FResult; }

  // How "追加..." and "変更..." edit an entry: the dialog "自動切り替えの設定",
  // modal, unless a test stands in for it. True when confirmed.
  std::function<bool(HWND owner, TChangeTime& entry, bool adding)> EditEntry;

  TWRCheckBox EnableCheck;
  TWRGroupBox Group;
  TWRListView List;
  TWRButton AddButton;
  TWRButton ChangeButton;
  TWRButton DeleteButton;
  TWRButton OKButton;
  TWRButton CancelButton;

 protected:
  void FormCreate() override;

 private:
  void EnableCheckClick();
  void AddButtonClick();
  void ChangeButtonClick();
  void DeleteButtonClick();
  void OKButtonClick();
  // Shows the rows in their groups and selects one (none: -1).
  void FillList(int selected);
  // The buttons follow the switch and the selection.
  void UpdateControls();
  // Sorts the rows again; returns where the row at index went.
  int Resort(int index);

  std::vector<TAutoStyleRow> FRows;
  TFormatSettings Formats;
  bool FAutoStyleChange;
  std::vector<TChangeTime> FResult;
};

// Edits an entry in "自動切り替えの設定", owned by the window: when adding, it
// starts from a weekday entry at 0:00:00 without a style. On OK the entry
// takes the dialog's values and the result is true.
bool EditChangeTime(HWND owner, TChangeTime& entry, bool adding);

// Shows "スタイルの自動切り替え" modally. On OK the switch and the list take
// the dialog's values and the result is true; Cancel changes nothing.
bool EditAutoStyle(HWND owner, bool& autoStyleChange, std::vector<TChangeTime>& list, const TFormatSettings& formats);

}  // namespace tdialix
