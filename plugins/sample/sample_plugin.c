/*
 * The sample TDialix plug-in: the smallest complete plug-in, and the one the
 * program's tests load. It answers every call, writes each call with its
 * block to a log, adds an item to each of the three places of the popup
 * menu, and can be told (through environment variables, see README.md) to
 * call the program's two exports, to take notifications over and to fault.
 *
 * Plain C against the interface header; built for both bitnesses.
 */
#include <windows.h>

#include <stdarg.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <wctype.h>

#include "plugin_abi.h"

static HINSTANCE Instance;
static wchar_t Stem[MAX_PATH];        /* this library's file name without its extension */
static wchar_t LogPath[MAX_PATH];     /* TDIALIX_SAMPLE_LOG */
static wchar_t ControlPath[MAX_PATH]; /* TDIALIX_SAMPLE_CONTROL, then "\<stem>.txt" */
static int32_t NotifyAnswer;          /* what PLUGIN_NOTIFY returns */
static int PassNotifyOn;              /* PLUGIN_NOTIFY shows the notification through ShowPluginNotify */
static int32_t FaultCall;             /* the call that faults, 0 for none */
static wchar_t FaultKind[16];
static HMENU Menus[3];                /* the menus this plug-in gave, kept until PLUGIN_FINAL */

__declspec(dllexport) int32_t __stdcall PluginProc(HWND Window, int32_t Call, INT_PTR Param);

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  /* The entry point has the type the program calls it through. */
  const TPluginProc entry = PluginProc;
  (void)entry;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    Instance = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

/* ---- The log: one UTF-8 line per call, "<stem> <what>". */

static void Log(const wchar_t* format, ...) {
  wchar_t line[1024];
  char bytes[4096];
  va_list arguments;
  int length, size;
  HANDLE file;
  DWORD written;
  if (!LogPath[0]) return;
  length = _snwprintf(line, 1000, L"%ls ", Stem);
  if (length < 0) length = 0;
  va_start(arguments, format);
  if (_vsnwprintf(line + length, 1000 - length, format, arguments) < 0) line[1000] = L'\0';
  va_end(arguments);
  line[1000] = L'\0';
  wcscat(line, L"\n");
  size = WideCharToMultiByte(CP_UTF8, 0, line, -1, bytes, sizeof bytes, NULL, NULL);
  if (size <= 1) return;
  file = CreateFileW(LogPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  WriteFile(file, bytes, (DWORD)(size - 1), &written, NULL);
  CloseHandle(file);
}

static const wchar_t* Text(const TDialixChar* text) { return text ? text : L"(null)"; }

static const wchar_t* ClassOf(HWND window) {
  static wchar_t name[64];
  if (!GetClassNameW(window, name, 64)) wcscpy(name, L"(none)");
  return name;
}

/* ---- What the environment asks of this copy. */

/* The next part of a text cut at any of the separators, or NULL at its end;
 * *cursor moves past it. */
static wchar_t* NextPart(wchar_t** cursor, const wchar_t* separators) {
  wchar_t* start = *cursor;
  wchar_t* end;
  if (!start || !*start) return NULL;
  end = start + wcscspn(start, separators);
  if (*end) {
    *end = L'\0';
    *cursor = end + 1;
  } else {
    *cursor = end;
  }
  return start;
}

static int NamesThisCopy(const wchar_t* list) {
  /* A comma-separated list of file stems, or "*" for every copy. */
  wchar_t copy[512];
  wchar_t* cursor = copy;
  wchar_t* name;
  wcsncpy(copy, list, 511);
  copy[511] = L'\0';
  while ((name = NextPart(&cursor, L",")) != NULL) {
    if (wcscmp(name, L"*") == 0 || _wcsicmp(name, Stem) == 0) return 1;
  }
  return 0;
}

static void ReadEnvironment(void) {
  wchar_t value[512];
  wchar_t path[MAX_PATH];
  wchar_t* name;
  wchar_t* dot;

  GetModuleFileNameW(Instance, path, MAX_PATH);
  name = wcsrchr(path, L'\\');
  wcscpy(Stem, name ? name + 1 : path);
  dot = wcsrchr(Stem, L'.');
  if (dot) *dot = L'\0';

  if (!GetEnvironmentVariableW(L"TDIALIX_SAMPLE_LOG", LogPath, MAX_PATH)) LogPath[0] = L'\0';
  ControlPath[0] = L'\0';
  if (GetEnvironmentVariableW(L"TDIALIX_SAMPLE_CONTROL", value, MAX_PATH - 64)) {
    _snwprintf(ControlPath, MAX_PATH, L"%ls\\%ls.txt", value, Stem);
    ControlPath[MAX_PATH - 1] = L'\0';
  }
  NotifyAnswer = GetEnvironmentVariableW(L"TDIALIX_SAMPLE_NOTIFY", value, 512) && NamesThisCopy(value) ? 1 : 0;
  PassNotifyOn = GetEnvironmentVariableW(L"TDIALIX_SAMPLE_PASS_ON", value, 512) && NamesThisCopy(value);

  /* "<stem>:<call number>:<access|abort|raise|exit>" */
  FaultCall = 0;
  if (GetEnvironmentVariableW(L"TDIALIX_SAMPLE_FAULT", value, 512)) {
    wchar_t* cursor = value;
    const wchar_t* stem = NextPart(&cursor, L":");
    const wchar_t* call = NextPart(&cursor, L":");
    const wchar_t* kind = NextPart(&cursor, L":");
    if (stem && call && kind && _wcsicmp(stem, Stem) == 0) {
      FaultCall = (int32_t)wcstol(call, NULL, 10);
      wcsncpy(FaultKind, kind, 15);
      FaultKind[15] = L'\0';
    }
  }
}

static void Fault(void) {
  volatile int* volatile nowhere = NULL;
  Log(L"FAULT %ls", FaultKind);
  if (wcscmp(FaultKind, L"abort") == 0) abort();
  if (wcscmp(FaultKind, L"raise") == 0) RaiseException(0xE0534D50, EXCEPTION_NONCONTINUABLE, 0, NULL);
  if (wcscmp(FaultKind, L"exit") == 0) TerminateProcess(GetCurrentProcess(), 99); /* past any guard */
  *nowhere = 1; /* an access violation */
}

/* ---- The program's exports. */

static int32_t CallVisibleClock(int32_t visible) {
  TVisibleClock visibleClock = (TVisibleClock)(void*)GetProcAddress(GetModuleHandleW(NULL), "VisibleClock");
  return visibleClock ? visibleClock(visible) : 12345;
}

static DWORD WINAPI VisibleClockThread(LPVOID visible) {
  const int32_t result = CallVisibleClock((int32_t)(INT_PTR)visible);
  Log(L"THREAD-VISIBLE %d -> %d", (int)(INT_PTR)visible, (int)result);
  return 0;
}

static void ShowNotify(wchar_t* arguments) {
  /* "<title>|<text>|<additional message>|<flags>" */
  TShowPluginNotify showPluginNotify =
      (TShowPluginNotify)(void*)GetProcAddress(GetModuleHandleW(NULL), "ShowPluginNotify");
  wchar_t* parts[4] = {arguments, L"", L"", L"0"};
  int i;
  for (i = 1; i < 4; ++i) {
    wchar_t* bar = wcschr(parts[i - 1], L'|');
    if (!bar) break;
    *bar = L'\0';
    parts[i] = bar + 1;
  }
  if (!showPluginNotify) {
    Log(L"SHOWNOTIFY missing");
    return;
  }
  Log(L"SHOWNOTIFY -> %d", (int)showPluginNotify(parts[0], parts[1], parts[2], (int32_t)wcstol(parts[3], NULL, 10),
                                                 LoadIconW(NULL, (LPCWSTR)IDI_INFORMATION)));
}

/* Runs the actions of the control file, one a line, and removes it:
 * "visible 0", "visible 1", "thread-visible 0", "notify <arguments>". */
static void RunControlFile(void) {
  HANDLE file;
  char bytes[2048];
  wchar_t text[2048];
  DWORD size = 0;
  wchar_t* cursor = text;
  wchar_t* line;
  int length;
  if (!ControlPath[0]) return;
  file = CreateFileW(ControlPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  ReadFile(file, bytes, sizeof bytes - 1, &size, NULL);
  CloseHandle(file);
  DeleteFileW(ControlPath);
  length = MultiByteToWideChar(CP_UTF8, 0, bytes, (int)size, text, 2047);
  text[length > 0 ? length : 0] = L'\0';
  while ((line = NextPart(&cursor, L"\r\n")) != NULL) {
    if (wcsncmp(line, L"visible ", 8) == 0) {
      const int32_t visible = (int32_t)wcstol(line + 8, NULL, 10);
      Log(L"VISIBLE %d -> %d", (int)visible, (int)CallVisibleClock(visible));
    } else if (wcsncmp(line, L"thread-visible ", 15) == 0) {
      HANDLE thread = CreateThread(NULL, 0, VisibleClockThread, (LPVOID)(INT_PTR)wcstol(line + 15, NULL, 10), 0, NULL);
      if (thread) CloseHandle(thread);
    } else if (wcsncmp(line, L"notify ", 7) == 0) {
      ShowNotify(line + 7);
    }
  }
}

/* ---- Menus and texts. */

static HMENU MakeMenu(int32_t kind) {
  wchar_t caption[128];
  HMENU menu = CreatePopupMenu();
  if (kind == PLUGIN_MENU_MAIN) {
    HMENU submenu = CreatePopupMenu();
    /* The access key is the file stem's first letter, so that copies differ. */
    _snwprintf(caption, 128, L"%ls のコマンド(&%lc)", Stem, (wchar_t)towupper(Stem[0]));
    caption[127] = L'\0';
    AppendMenuW(menu, MF_STRING, 1, caption);
    AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    _snwprintf(caption, 128, L"%ls の項目", Stem);
    AppendMenuW(submenu, MF_STRING, 2, caption);
    _snwprintf(caption, 128, L"%ls のサブメニュー", Stem);
    AppendMenuW(menu, MF_POPUP, (UINT_PTR)submenu, caption);
  } else {
    _snwprintf(caption, 128, kind == PLUGIN_MENU_STYLE ? L"%ls のスタイル" : L"%ls のツール", Stem);
    AppendMenuW(menu, MF_STRING, kind == PLUGIN_MENU_STYLE ? 3 : 4, caption);
  }
  return menu;
}

static const wchar_t* const InfoTexts[] = {
    L"サンプル プラグイン",
    L"Team Orvane",
    L"1.0.0",
    L"TDialix のプラグインの書き方を示す見本です。受け取った呼び出しをすべて記録します。",
};

static void GetInfo(TPluginInfoBlock* info) {
  int32_t i, cleared = 1;
  for (i = 0; i < info->Size; ++i) {
    if (info->Buffer[i] != 0) cleared = 0;
  }
  Log(L"GETINFO %d %d %ls", (int)info->Kind, (int)info->Size, cleared ? L"cleared" : L"dirty");
  if (info->Kind >= PLUGIN_INFO_NAME && info->Kind <= PLUGIN_INFO_DESCRIPTION && info->Size > 0) {
    wcsncpy(info->Buffer, InfoTexts[info->Kind], (size_t)info->Size - 1);
    info->Buffer[info->Size - 1] = L'\0';
  }
}

static const wchar_t* PathCallName(int32_t call) {
  switch (call) {
    case PLUGIN_STYLELOADED: return L"STYLELOADED";
    case PLUGIN_STYLESAVED: return L"STYLESAVED";
    case PLUGIN_SETTINGSLOADED: return L"SETTINGSLOADED";
    default: return L"SETTINGSSAVED";
  }
}

/* ---- The entry point. */

__declspec(dllexport) int32_t __stdcall PluginProc(HWND Window, int32_t Call, INT_PTR Param) {
  int32_t result = 0;
  switch (Call) {
    case PLUGIN_INIT:
      ReadEnvironment();
      Log(L"INIT %ls", ClassOf(Window));
      break;
    case PLUGIN_FINAL: {
      int i;
      Log(L"FINAL");
      for (i = 0; i < 3; ++i) {
        if (Menus[i]) DestroyMenu(Menus[i]);
        Menus[i] = NULL;
      }
      break;
    }
    case PLUGIN_GETINFO:
      ReadEnvironment();
      GetInfo((TPluginInfoBlock*)Param);
      break;
    case PLUGIN_GETMENU: {
      TPluginMenuBlock* block = (TPluginMenuBlock*)Param;
      Log(L"GETMENU %d %ls", (int)block->Kind, block->Menu ? L"set" : L"empty");
      if (block->Kind >= 0 && block->Kind < 3) {
        if (!Menus[block->Kind]) Menus[block->Kind] = MakeMenu(block->Kind);
        block->Menu = Menus[block->Kind];
      }
      break;
    }
    case PLUGIN_KEY: {
      const TPluginKeyBlock* key = (const TPluginKeyBlock*)Param;
      Log(L"KEY %d %08X", (int)key->VirtualKey, (unsigned)key->KeyFlags);
      break;
    }
    case PLUGIN_MOUSE: {
      const TPluginMouseBlock* mouse = (const TPluginMouseBlock*)Param;
      Log(L"MOUSE %d %d %d", (int)mouse->Message, (int)mouse->X, (int)mouse->Y);
      break;
    }
    case PLUGIN_COMMAND:
      Log(L"COMMAND %d", (int)*(const int32_t*)Param);
      break;
    case PLUGIN_CLOCKCLICK:
      Log(L"CLOCKCLICK");
      break;
    case PLUGIN_TRAYCLICK:
      Log(L"TRAYCLICK");
      break;
    case PLUGIN_BALLOONCLICK:
      Log(L"BALLOONCLICK");
      break;
    case PLUGIN_CONFIGURE:
      ReadEnvironment();
      Log(L"CONFIGURE %ls", ClassOf(Window));
      result = 1; /* the settings changed */
      break;
    case PLUGIN_NOTIFY: {
      const TPluginNotifyBlock* notify = (const TPluginNotifyBlock*)Param;
      Log(L"NOTIFY %ls|%ls|%ls|%d|%ls", Text(notify->Title), Text(notify->Text), Text(notify->AdditionalMessage),
          (int)notify->Flags, notify->Icon ? L"icon" : L"none");
      result = NotifyAnswer;
      if (PassNotifyOn) {
        /* Takes the notification over by showing it the program's way. */
        TShowPluginNotify showPluginNotify =
            (TShowPluginNotify)(void*)GetProcAddress(GetModuleHandleW(NULL), "ShowPluginNotify");
        if (showPluginNotify) {
          Log(L"PASS-ON -> %d", (int)showPluginNotify(notify->Title, notify->Text, notify->AdditionalMessage,
                                                      notify->Flags, notify->Icon));
        }
        result = 1;
      }
      break;
    }
    case PLUGIN_STYLELOADED:
    case PLUGIN_STYLESAVED:
    case PLUGIN_SETTINGSLOADED:
    case PLUGIN_SETTINGSSAVED:
      Log(L"%ls %ls", PathCallName(Call), Text((const TDialixChar*)Param));
      break;
    case PLUGIN_CLOCKSHOWN: {
      const TPluginClockBlock* clock = (const TPluginClockBlock*)Param;
      Log(L"CLOCKSHOWN %d %d", (int)clock->MonitorIndex, (int)clock->Shown);
      break;
    }
    case PLUGIN_TICK: {
      const TPluginTickBlock* tick = (const TPluginTickBlock*)Param;
      Log(L"TICK %04d-%02d-%02d %02d:%02d:%02d %d %d", tick->Time.wYear, tick->Time.wMonth, tick->Time.wDay,
          tick->Time.wHour, tick->Time.wMinute, tick->Time.wSecond, (int)tick->DayType, (int)tick->Initialize);
      RunControlFile();
      break;
    }
    default:
      Log(L"CALL %d", (int)Call);
      break;
  }
  if (FaultCall != 0 && Call == FaultCall) Fault();
  return result;
}
