#include "components/common_dialogs_win.h"

#include <colordlg.h>
#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <vector>

#include "base/failure_win.h"
#include "components/control_win.h"
#include "components/form_layout.h"
#include "components/form_win.h"

namespace tdialix {

namespace {

constexpr wchar_t kColorDialogProperty[] = L"TDialixColorDialog";
constexpr UINT kDisableAddColor = WM_APP + 0x5443;

TRect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// "a|b|c|d" with the NULs the system's dialogs want between and after the parts.
std::vector<wchar_t> SystemFilter(const std::wstring& filter) {
  std::vector<wchar_t> parts(filter.begin(), filter.end());
  std::replace(parts.begin(), parts.end(), L'|', L'\0');
  parts.push_back(L'\0');
  parts.push_back(L'\0');
  return parts;
}

// The system menu offers what the window's state allows.
void UpdateSystemMenu(HWND window, HMENU menu) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  const bool zoomed = ::IsZoomed(window) != FALSE;
  const bool iconic = ::IsIconic(window) != FALSE;
  auto enable = [menu](UINT command, bool on) {
    ::EnableMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  };
  enable(SC_RESTORE, zoomed || iconic);
  enable(SC_MOVE, !zoomed && !iconic);
  enable(SC_SIZE, (style & WS_THICKFRAME) && !zoomed && !iconic);
  enable(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !iconic);
  enable(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !zoomed);
}

}  // namespace

TUniqueIcon LoadSmallApplicationIcon() {
  return TUniqueIcon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                                     ::GetSystemMetrics(SM_CXSMICON),
                                                     ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
}

void KeepWindowInsideWorkArea(HWND window) {
  RECT now{};
  ::GetWindowRect(window, &now);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  const TRect kept = KeptInsideWorkArea(ToRect(now), ToRect(monitor.rcWork));
  if (kept == ToRect(now)) return;
  ::SetWindowPos(window, nullptr, kept.Left, kept.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- TWROpenDialog, TWRSaveDialog

TWROpenDialog::TWROpenDialog() = default;
TWROpenDialog::~TWROpenDialog() = default;

DWORD TWROpenDialog::SystemFlags() const {
  DWORD flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_DONTADDTORECENT;
  if (!(Options & ofShowReadOnly)) flags |= OFN_HIDEREADONLY;
  if (Options & ofReadOnly) flags |= OFN_READONLY;
  if (Options & ofOverwritePrompt) flags |= OFN_OVERWRITEPROMPT;
  if (Options & ofNoReadOnlyReturn) flags |= OFN_NOREADONLYRETURN;
  if (Options & ofPathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (Options & ofFileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (Options & ofEnableSizing) flags |= OFN_ENABLESIZING;
  if (Options & ofShowHelp) flags |= OFN_SHOWHELP;
  if (Options & ofAllowMultiSelect) flags |= OFN_ALLOWMULTISELECT;
  return flags;
}

bool TWROpenDialog::Execute(HWND owner) {
  std::vector<wchar_t> file(32768, L'\0');
  std::copy_n(FileName.begin(), std::min(FileName.size(), file.size() - 1), file.begin());
  const std::vector<wchar_t> filter = SystemFilter(Filter);
  OPENFILENAMEW info{};
  info.lStructSize = sizeof info;
  info.hwndOwner = owner;
  info.lpstrFilter = Filter.empty() ? nullptr : filter.data();
  info.nFilterIndex = static_cast<DWORD>(FilterIndex);
  info.lpstrFile = file.data();
  info.nMaxFile = static_cast<DWORD>(file.size());
  info.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  info.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  info.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  info.Flags = SystemFlags();
  info.lpfnHook = &Hook;
  info.lCustData = reinterpret_cast<LPARAM>(this);
  const BOOL chosen = Runner ? Runner(info) : Run(info);
  Dialog = nullptr;
  SmallIcon.Reset();
  Files.clear();
  if (!chosen) return false;
  file.back() = L'\0';
  FileName = file.data();
  // Several files: the folder, then each name, each ended by a null, and a null at the end.
  size_t next = FileName.size() + 1;
  if ((info.Flags & OFN_ALLOWMULTISELECT) && next < file.size() && file[next]) {
    std::wstring folder = FileName;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    while (next < file.size() && file[next]) {
      const std::wstring name(file.data() + next);  // ends at the latest at the buffer's last null
      Files.push_back(folder + name);
      next += name.size() + 1;
    }
    FileName = Files.front();
  } else {
    Files.push_back(FileName);
  }
  FilterIndex = static_cast<int>(info.nFilterIndex);
  Options = (info.Flags & OFN_READONLY) ? (Options | ofReadOnly) : (Options & ~ofReadOnly);
  return true;
}

BOOL TWROpenDialog::Run(OPENFILENAMEW& info) { return ::GetOpenFileNameW(&info); }

UINT_PTR CALLBACK TWROpenDialog::Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
  return CallbackBoundary(UINT_PTR{0}, [&]() -> UINT_PTR {
    // The hook's own dialog is a child of the system's dialog window.
    if (message == WM_INITDIALOG) {
      ::SetWindowLongPtrW(child, DWLP_USER, reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
      return 0;
    }
    auto* self = reinterpret_cast<TWROpenDialog*>(::GetWindowLongPtrW(child, DWLP_USER));
    if (!self || message != WM_NOTIFY) return 0;
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
      case CDN_INITDONE:
        self->Initialized(::GetParent(child));
        break;
      case CDN_HELP:
        TWRApplication::Instance().ShowHelp(self->HelpContext);
        break;
      default:
        break;
    }
    return 0;
  });
}

void TWROpenDialog::Initialized(HWND dialog) {
  Dialog = dialog;
  SmallIcon = LoadSmallApplicationIcon();
  if (SmallIcon) {
    ::SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(SmallIcon.Get()));
    ::SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(SmallIcon.Get()));
  }
  KeepWindowInsideWorkArea(dialog);
  ::SetWindowSubclass(dialog, &DialogWatch, 1, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK TWROpenDialog::DialogWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR) {
  const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_INITMENUPOPUP && HIWORD(lParam)) {
    CallbackBoundary(0, [&] {
      UpdateSystemMenu(window, reinterpret_cast<HMENU>(wParam));
      return 0;
    });
  }
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, &DialogWatch, id);
  return result;
}

TWRSaveDialog::TWRSaveDialog() { Options |= ofOverwritePrompt | ofNoReadOnlyReturn; }

BOOL TWRSaveDialog::Run(OPENFILENAMEW& info) { return ::GetSaveFileNameW(&info); }

// ---- TWRColorDialog

TWRColorDialog::TWRColorDialog() { CustomColors.fill(0xFFFFFF); }
TWRColorDialog::~TWRColorDialog() = default;

bool TWRColorDialog::Execute(HWND owner) {
  if (FExecuting) return false;
  FExecuting = true;
  CHOOSECOLORW info{};
  info.lStructSize = sizeof info;
  info.hwndOwner = owner;
  info.rgbResult = ColorToRGB(Color);
  info.lpCustColors = CustomColors.data();
  info.Flags = CC_RGBINIT | CC_ENABLEHOOK | (FullOpen ? CC_FULLOPEN : 0) | (ShowHelp ? CC_SHOWHELP : 0);
  info.lpfnHook = &Hook;
  info.lCustData = reinterpret_cast<LPARAM>(this);
  struct TOpen {
    TWRColorDialog& Dialog;
    ~TOpen() {
      Dialog.FExecuting = false;
      Dialog.Dialog = nullptr;
    }
  } open{*this};
  const BOOL chosen = Runner ? Runner(info) : ::ChooseColorW(&info);
  SmallIcon.Reset();
  if (chosen) Color = static_cast<TColor>(info.rgbResult & 0xFFFFFF);
  return chosen != FALSE;
}

UINT_PTR CALLBACK TWRColorDialog::Hook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallbackBoundary(UINT_PTR{0}, [&]() -> UINT_PTR {
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<TWRColorDialog*>(reinterpret_cast<const CHOOSECOLORW*>(lParam)->lCustData);
      ::SetPropW(dialog, kColorDialogProperty, self);
      self->Dialog = dialog;
      self->SmallIcon = LoadSmallApplicationIcon();
      if (self->SmallIcon) {
        ::SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(self->SmallIcon.Get()));
        ::SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(self->SmallIcon.Get()));
      }
      if (!self->EnableAddColor) ::EnableWindow(::GetDlgItem(dialog, COLOR_ADD), FALSE);
      KeepWindowInsideWorkArea(dialog);
      return TRUE;
    }
    auto* self = static_cast<TWRColorDialog*>(::GetPropW(dialog, kColorDialogProperty));
    if (!self) return 0;
    switch (message) {
      case WM_COMMAND:
        if (LOWORD(wParam) == pshHelp) {
          TWRApplication::Instance().ShowHelp(self->HelpContext);
          return TRUE;
        }
        // Opening the custom colour part enables its add button again: disable
        // it once the dialog has done so.
        if (!self->EnableAddColor) ::PostMessageW(dialog, kDisableAddColor, 0, 0);
        return 0;
      case kDisableAddColor:
        ::EnableWindow(::GetDlgItem(dialog, COLOR_ADD), FALSE);
        return TRUE;
      case WM_DESTROY:
        ::RemovePropW(dialog, kColorDialogProperty);
        return 0;
      default:
        return 0;
    }
  });
}

}  // namespace tdialix
