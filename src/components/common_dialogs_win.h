// The system's file and colour dialogs as the program shows them: with the
// program's icon, its help topic behind the Help button, and the window kept
// inside the work area.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/types.h"
#include "base/unique_handle_win.h"

namespace tdialix {

// Options of the file dialogs.
enum TOpenOption : unsigned {
  ofReadOnly = 1,           // the read-only check is on (set, and read back after Execute)
  ofOverwritePrompt = 2,    // the save dialog asks before replacing a file
  ofShowReadOnly = 4,       // the dialog shows the read-only check
  ofNoReadOnlyReturn = 8,   // a read-only file cannot be chosen
  ofPathMustExist = 16,
  ofFileMustExist = 32,
  ofEnableSizing = 64,
  ofShowHelp = 128,         // a Help button that opens HelpContext
  ofAllowMultiSelect = 256, // several files at once (Files)
};

class TWROpenDialog {
 public:
  TWROpenDialog();
  virtual ~TWROpenDialog();
  TWROpenDialog(const TWROpenDialog&) = delete;
  TWROpenDialog& operator=(const TWROpenDialog&) = delete;

  std::wstring Title;
  // "description|pattern|description|pattern", as the program writes filters.
  std::wstring Filter;
  int FilterIndex = 1;
  std::wstring InitialDir;
  std::wstring FileName;  // the preselected name, and the chosen file after Execute
  // The chosen files after Execute, full paths (one, or several with ofAllowMultiSelect).
  std::vector<std::wstring> Files;
  std::wstring DefaultExt;
  unsigned Options = ofPathMustExist | ofEnableSizing;
  int HelpContext = 0;

  // Shows the dialog; true when the user chose a file.
  bool Execute(HWND owner);
  // The dialog's window while it is open.
  HWND Handle() const noexcept { return Dialog; }

  // How the dialog is shown: the system's dialog unless a test stands in for it.
  std::function<BOOL(OPENFILENAMEW& info)> Runner;

 protected:
  virtual BOOL Run(OPENFILENAMEW& info);
  virtual DWORD SystemFlags() const;

 private:
  static UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK DialogWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
  void Initialized(HWND dialog);
  HWND Dialog = nullptr;
  TUniqueIcon SmallIcon;
};

class TWRSaveDialog : public TWROpenDialog {
 public:
  TWRSaveDialog();

 protected:
  BOOL Run(OPENFILENAMEW& info) override;
};

// The system's colour dialog. It cannot open a second time while it is open;
// without EnableAddColor its button that adds to the custom colours stays disabled.
class TWRColorDialog {
 public:
  TWRColorDialog();
  ~TWRColorDialog();
  TWRColorDialog(const TWRColorDialog&) = delete;
  TWRColorDialog& operator=(const TWRColorDialog&) = delete;

  TColor Color = 0;  // the colour it opens with, and the chosen one after Execute
  std::array<COLORREF, 16> CustomColors{};
  bool EnableAddColor = true;
  bool FullOpen = false;
  bool ShowHelp = false;
  int HelpContext = 0;

  // Shows the dialog; true when the user chose a colour. False at once while it is already open.
  bool Execute(HWND owner);
  bool Executing() const noexcept { return FExecuting; }
  HWND Handle() const noexcept { return Dialog; }

  // How the dialog is shown: the system's dialog unless a test stands in for it.
  std::function<BOOL(CHOOSECOLORW& info)> Runner;

 private:
  static UINT_PTR CALLBACK Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  bool FExecuting = false;
  HWND Dialog = nullptr;
  TUniqueIcon SmallIcon;
};

// The program's small icon ("MAINICON"), for the caption of the system's dialogs.
TUniqueIcon LoadSmallApplicationIcon();
// Moves a top-level window back inside its monitor's work area.
void KeepWindowInsideWorkArea(HWND window);

}  // namespace tdialix
