/*
 * The binary interface between TDialix and its plug-ins.
 *
 * A plug-in is a DLL of the program's own bitness (a 64-bit TDialix.exe loads
 * only 64-bit plug-ins, a 32-bit one only 32-bit plug-ins) that exports one
 * function under the plain name "PluginProc":
 *
 *   int32_t __stdcall PluginProc(HWND Window, int32_t Call, INT_PTR Param);
 *
 * TDialix calls it on its user-interface thread with the master window, a
 * call number (PLUGIN_...) and 0 or the address of one of the blocks below.
 * The program exports two functions back, found with
 * GetProcAddress(GetModuleHandle(NULL), "VisibleClock") and
 * "ShowPluginNotify"; they too must be called on that thread.
 *
 * Plain C, usable from C and C++ with any compiler for Windows. Every block
 * is laid out in its fields' order with natural alignment; the layouts are
 * checked below for both bitnesses. Results are 32-bit: on x86_64 only the
 * low half of the return register counts.
 */
#ifndef TDIALIX_PLUGIN_ABI_H
#define TDIALIX_PLUGIN_ABI_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#include <windows.h>
#define TDIALIX_PLUGIN_CALL __stdcall
typedef HWND TDialixWindow;
typedef HMENU TDialixMenu;
typedef HICON TDialixIcon;
typedef INT_PTR TDialixParam;
typedef WCHAR TDialixChar;
typedef SYSTEMTIME TDialixSystemTime;
#else
/* Without the platform's headers (the native tests) the same sizes. */
#define TDIALIX_PLUGIN_CALL
typedef struct TDialixOpaqueWindow* TDialixWindow;
typedef struct TDialixOpaqueMenu* TDialixMenu;
typedef struct TDialixOpaqueIcon* TDialixIcon;
typedef intptr_t TDialixParam;
typedef uint16_t TDialixChar;
typedef struct TDialixSystemTime {
  uint16_t wYear, wMonth, wDayOfWeek, wDay, wHour, wMinute, wSecond, wMilliseconds;
} TDialixSystemTime;
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Call numbers: the second argument of PluginProc. */
enum {
  PLUGIN_INIT = 1,              /* after loading, in list order; Param 0 */
  PLUGIN_FINAL = 2,             /* before the library is unloaded; Param 0 */
  PLUGIN_GETINFO = 3,           /* the settings dialog asks for a text; TPluginInfoBlock* */
  PLUGIN_GETMENU = 4,           /* right after PLUGIN_INIT, kinds 0, 1, 2; TPluginMenuBlock* */
  PLUGIN_KEY = 10,              /* a key went down or up anywhere; TPluginKeyBlock* */
  PLUGIN_MOUSE = 11,            /* mouse activity anywhere; TPluginMouseBlock* */
  PLUGIN_COMMAND = 20,          /* one of the plug-in's menu items was chosen; int32_t* (its id) */
  PLUGIN_CLOCKCLICK = 21,       /* the left button went down on a clock; Param 0 */
  PLUGIN_TRAYCLICK = 22,        /* the notification icon was clicked; Param 0 */
  PLUGIN_BALLOONCLICK = 23,     /* a notification balloon was clicked; Param 0 */
  PLUGIN_CONFIGURE = 30,        /* the settings dialog's button; Window is the dialog; Param 0 */
  PLUGIN_NOTIFY = 31,           /* ShowPluginNotify was called; TPluginNotifyBlock* */
  PLUGIN_STYLELOADED = 40,      /* a style file was loaded; const TDialixChar* path */
  PLUGIN_STYLESAVED = 41,       /* a style file was written; const TDialixChar* path */
  PLUGIN_SETTINGSLOADED = 50,   /* after every plug-in's PLUGIN_INIT; const TDialixChar* path */
  PLUGIN_SETTINGSSAVED = 51,    /* the settings file was written; const TDialixChar* path */
  PLUGIN_CLOCKSHOWN = 60,       /* a clock was shown, hidden or destroyed; TPluginClockBlock* */
  PLUGIN_TICK = 100             /* the displayed second changed; TPluginTickBlock* */
};

/* Text buffers hold at most this many UTF-16 units, the terminator included. */
enum { PLUGIN_TEXT_SIZE = 261 };

/* PLUGIN_GETINFO: Kind says which text to write into Buffer (cleared before
 * the call; Size units with the terminator). An empty name shows the file name. */
enum { PLUGIN_INFO_NAME = 0, PLUGIN_INFO_AUTHOR = 1, PLUGIN_INFO_VERSION = 2, PLUGIN_INFO_DESCRIPTION = 3 };
typedef struct TPluginInfoBlock {
  int32_t Kind;
  TDialixChar* Buffer;
  int32_t Size;
} TPluginInfoBlock;

/* PLUGIN_GETMENU: the plug-in puts a popup menu it owns into Menu (or leaves
 * it 0). Its items are copied, in their order, below the popup menu's
 * "main", "style" or "tools" plug-in place; the menu stays the plug-in's and
 * is read only then. An item's text is read up to 261 characters, "-"
 * (or a separator) makes a separator, submenus are followed 16 deep. */
enum { PLUGIN_MENU_MAIN = 0, PLUGIN_MENU_STYLE = 1, PLUGIN_MENU_TOOL = 2 };
typedef struct TPluginMenuBlock {
  int32_t Kind;
  TDialixMenu Menu;
} TPluginMenuBlock;

/* PLUGIN_KEY: the WPARAM and LPARAM of the keyboard message, as in WM_KEYDOWN. */
typedef struct TPluginKeyBlock {
  int32_t VirtualKey;
  int32_t KeyFlags;
} TPluginKeyBlock;

/* PLUGIN_MOUSE: the mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...) and the
 * cursor's screen position when the program handled it. */
typedef struct TPluginMouseBlock {
  int32_t Message;
  int32_t X;
  int32_t Y;
} TPluginMouseBlock;

/* PLUGIN_TICK: the displayed time (local or world-clock time), the day type
 * and whether the tick recomputes everything (after a style was applied). */
enum { PLUGIN_DAY_WEEKDAY = 0, PLUGIN_DAY_HOLIDAY = 1, PLUGIN_DAY_SATURDAY = 2, PLUGIN_DAY_SUNDAY = 3 };
typedef struct TPluginTickBlock {
  TDialixSystemTime Time;
  int32_t DayType;
  int32_t Initialize; /* -1 true, 0 false */
} TPluginTickBlock;

/* PLUGIN_NOTIFY: the arguments of ShowPluginNotify as they were passed.
 * Answer nonzero when the plug-in shows the notification itself. */
enum { PLUGIN_NOTIFY_ERROR = 16, PLUGIN_NOTIFY_WARNING = 48, PLUGIN_NOTIFY_INFORMATION = 64 };
typedef struct TPluginNotifyBlock {
  const TDialixChar* Title;
  const TDialixChar* Text;
  const TDialixChar* AdditionalMessage;
  int32_t Flags;
  TDialixIcon Icon;
} TPluginNotifyBlock;

/* PLUGIN_CLOCKSHOWN: the clock's monitor index and -1 when it was shown, 0
 * when it was hidden or is being destroyed. */
typedef struct TPluginClockBlock {
  int32_t MonitorIndex;
  int32_t Shown;
} TPluginClockBlock;

/* The plug-in's entry point, exported as "PluginProc". */
typedef int32_t(TDIALIX_PLUGIN_CALL* TPluginProc)(TDialixWindow Window, int32_t Call, TDialixParam Param);

/* Exported by TDialix.exe as "VisibleClock": Visible 0 keeps every clock
 * hidden, nonzero lets them show again where their monitor is marked shown.
 * Returns the result of the last show or hide (0 if none), 0 while the clocks
 * are outside their visible time or the program is ending. */
typedef int32_t(TDIALIX_PLUGIN_CALL* TVisibleClock)(int32_t Visible);

/* Exported by TDialix.exe as "ShowPluginNotify": every plug-in gets
 * PLUGIN_NOTIFY first; when none answers nonzero the notification icon shows
 * a balloon (Flags: PLUGIN_NOTIFY_...; Icon may be 0) whose click shows
 * AdditionalMessage, if any, and sends PLUGIN_BALLOONCLICK. Returns -1 when
 * the balloon was shown, 0 when a plug-in took it over. Any text may be NULL. */
typedef int32_t(TDIALIX_PLUGIN_CALL* TShowPluginNotify)(const TDialixChar* Title, const TDialixChar* Text,
                                                        const TDialixChar* AdditionalMessage, int32_t Flags,
                                                        TDialixIcon Icon);

#ifdef __cplusplus
}
#endif

/* The layouts, for each bitness. */
#ifdef __cplusplus
#define TDIALIX_ABI_ASSERT(condition) static_assert(condition, #condition)
#else
#define TDIALIX_ABI_ASSERT(condition) _Static_assert(condition, #condition)
#endif

TDIALIX_ABI_ASSERT(sizeof(int32_t) == 4);
TDIALIX_ABI_ASSERT(sizeof(TDialixChar) == 2);
TDIALIX_ABI_ASSERT(sizeof(TDialixSystemTime) == 16);
TDIALIX_ABI_ASSERT(sizeof(TPluginKeyBlock) == 8);
TDIALIX_ABI_ASSERT(offsetof(TPluginKeyBlock, KeyFlags) == 4);
TDIALIX_ABI_ASSERT(sizeof(TPluginMouseBlock) == 12);
TDIALIX_ABI_ASSERT(offsetof(TPluginMouseBlock, X) == 4);
TDIALIX_ABI_ASSERT(offsetof(TPluginMouseBlock, Y) == 8);
TDIALIX_ABI_ASSERT(sizeof(TPluginTickBlock) == 24);
TDIALIX_ABI_ASSERT(offsetof(TPluginTickBlock, DayType) == 16);
TDIALIX_ABI_ASSERT(offsetof(TPluginTickBlock, Initialize) == 20);
TDIALIX_ABI_ASSERT(sizeof(TPluginClockBlock) == 8);
TDIALIX_ABI_ASSERT(offsetof(TPluginClockBlock, Shown) == 4);

#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
/* x86_64: addresses and handles are 8 bytes and 8-aligned. */
TDIALIX_ABI_ASSERT(sizeof(void*) == 8 && sizeof(TDialixParam) == 8);
TDIALIX_ABI_ASSERT(offsetof(TPluginInfoBlock, Kind) == 0);
TDIALIX_ABI_ASSERT(offsetof(TPluginInfoBlock, Buffer) == 8);
TDIALIX_ABI_ASSERT(offsetof(TPluginInfoBlock, Size) == 16);
TDIALIX_ABI_ASSERT(sizeof(TPluginInfoBlock) == 24);
TDIALIX_ABI_ASSERT(offsetof(TPluginMenuBlock, Menu) == 8);
TDIALIX_ABI_ASSERT(sizeof(TPluginMenuBlock) == 16);
TDIALIX_ABI_ASSERT(offsetof(TPluginNotifyBlock, Text) == 8);
TDIALIX_ABI_ASSERT(offsetof(TPluginNotifyBlock, AdditionalMessage) == 16);
TDIALIX_ABI_ASSERT(offsetof(TPluginNotifyBlock, Flags) == 24);
TDIALIX_ABI_ASSERT(offsetof(TPluginNotifyBlock, Icon) == 32);
TDIALIX_ABI_ASSERT(sizeof(TPluginNotifyBlock) == 40);
#elif UINTPTR_MAX == 0xFFFFFFFFu
/* i686: every field is 4 bytes, no padding. */
TDIALIX_ABI_ASSERT(sizeof(void*) == 4 && sizeof(TDialixParam) == 4);
TDIALIX_ABI_ASSERT(offsetof(TPluginInfoBlock, Kind) == 0);
TDIALIX_ABI_ASSERT(offsetof(TPluginInfoBlock, Buffer) == 4);
TDIALIX_ABI_ASSERT(offsetof(TPluginInfoBlock, Size) == 8);
TDIALIX_ABI_ASSERT(sizeof(TPluginInfoBlock) == 12);
TDIALIX_ABI_ASSERT(offsetof(TPluginMenuBlock, Menu) == 4);
TDIALIX_ABI_ASSERT(sizeof(TPluginMenuBlock) == 8);
TDIALIX_ABI_ASSERT(offsetof(TPluginNotifyBlock, Text) == 4);
TDIALIX_ABI_ASSERT(offsetof(TPluginNotifyBlock, AdditionalMessage) == 8);
TDIALIX_ABI_ASSERT(offsetof(TPluginNotifyBlock, Flags) == 12);
TDIALIX_ABI_ASSERT(offsetof(TPluginNotifyBlock, Icon) == 16);
TDIALIX_ABI_ASSERT(sizeof(TPluginNotifyBlock) == 20);
#else
#error "TDialix plug-ins are 32-bit (i686) or 64-bit (x86_64) Windows libraries"
#endif

#undef TDIALIX_ABI_ASSERT

#endif /* TDIALIX_PLUGIN_ABI_H */
