// The program's Japanese texts for message boxes and dialogs, in one table with
// their message numbers, and the small printf-like formatter that fills them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tdialix {

// Texts with a number of their own keep it; the others are numbered from 1000.
enum class TMsg : int {
  // Built-in default holidays, one rule a line.
  DefaultHolidays = 64849,
  RebootFailed = 64867,
  // Shell integration: the start-up shortcut, the style-file association and
  // the settings folder.
  FolderOpenFailed = 64848,
  StartupShortcutDescription = 64869,
  StartupShortcutCreateFailed = 64870,
  StartupShortcutDeleteFailed = 64871,
  StartupShortcutOverwriteQuestion = 64872,
  StartupShortcutDeleteQuestion = 64873,
  FolderUnknown = 64874,
  ApplyStyleVerb = 64884,
  StyleFileTypeName = 64891,
  AssociateFailed = 64892,
  DissociateFailed = 64893,
  AssociateOverForeignQuestion = 64894,
  DissociateForeignQuestion = 64895,
  SettingsOpenFailed = 64909,
  SettingsSaveFailed = 64910,

  PrimaryMonitorSuffix = 1000,
  MonitorName = 1001,
  StyleNotFound = 1010,
  NotAStyleFile = 1011,
  LoadDefaultStyleSuffix = 1012,
  StyleOpenFailed = 1013,
  StyleSaveFailed = 1014,
  ScreenSaverNotSet = 1020,
  ScreenSaverFailed = 1021,
  FolderNotCreated = 1040,

  // The style file dialogs.
  StyleOpenTitle = 1030,
  StyleSaveTitle = 1031,
  StyleFileFilter = 1032,

  // The about box.
  AboutCaption = 1100,
  AboutVersion = 1101,
  AboutNotice = 1102,
  AboutBrowserFailed = 64879,

  // System menu hints of every dialog.
  HintSize = 1110,
  HintMove = 1111,
  HintMinimize = 1112,
  HintMaximize = 1113,
  HintNextWindow = 1114,
  HintPrevWindow = 1115,
  HintClose = 1116,
  HintRestore = 1117,

  // Why a spin edit refused a keystroke or a text.
  SpinCannotEnter = 64896,
  SpinOutOfRange = 64897,
  SpinTooLong = 64898,
  SpinRange = 64899,
  SpinDigitsOnly = 64900,
  SpinDigitBeforeMinus = 64901,
  SpinMinusTwice = 64902,
  SpinMinusFirst = 64903,
  SpinPointTwice = 64904,
  SpinReadOnly = 64905,
  SpinSelectText = 64906,
  SpinNothingToPaste = 64907,
  SpinCannotCut = 64908,

  // The colour box: the custom entry and the colours' names.
  ColorCustom = 64970,
  ColorNone = 1200,
  ColorDefault = 1201,
  ColorBlack = 1210,
  ColorMaroon = 1211,
  ColorGreen = 1212,
  ColorOlive = 1213,
  ColorNavy = 1214,
  ColorPurple = 1215,
  ColorTeal = 1216,
  ColorGray = 1217,
  ColorSilver = 1218,
  ColorRed = 1219,
  ColorLime = 1220,
  ColorYellow = 1221,
  ColorBlue = 1222,
  ColorFuchsia = 1223,
  ColorAqua = 1224,
  ColorWhite = 1225,
  ColorMedGray = 1226,
  ColorMoneyGreen = 1227,
  ColorSkyBlue = 1228,
  ColorCream = 1229,
  // System colours, in the order of their system colour index (0 to 30, no 25).
  ColorScrollBar = 1240,
  ColorBackground = 1241,
  ColorActiveCaption = 1242,
  ColorInactiveCaption = 1243,
  ColorMenu = 1244,
  ColorWindow = 1245,
  ColorWindowFrame = 1246,
  ColorMenuText = 1247,
  ColorWindowText = 1248,
  ColorCaptionText = 1249,
  ColorActiveBorder = 1250,
  ColorInactiveBorder = 1251,
  ColorAppWorkSpace = 1252,
  ColorHighlight = 1253,
  ColorHighlightText = 1254,
  ColorBtnFace = 1255,
  ColorBtnShadow = 1256,
  ColorGrayText = 1257,
  ColorBtnText = 1258,
  ColorInactiveCaptionText = 1259,
  ColorBtnHighlight = 1260,
  Color3DDkShadow = 1261,
  Color3DLight = 1262,
  ColorInfoText = 1263,
  ColorInfoBk = 1264,
  ColorHotLight = 1266,
  ColorGradientActiveCaption = 1267,
  ColorGradientInactiveCaption = 1268,
  ColorMenuHighlight = 1269,
  ColorMenuBar = 1270,

  // Plug-ins.
  StartWithoutPlugins = 1050,
  PluginFault = 1051,

  // How the settings dialog lists a holiday rule.
  HolidayDayOfWeekCaption = 1300,
  HolidayDateCaption = 1301,
  SpringEquinoxCaption = 1302,
  AutumnEquinoxCaption = 1303,
  TransferYes = 1304,
  TransferNo = 1305,

  // Buttons every dialog shares.
  CancelButton = 1310,

  // The holiday rule dialog "休日の設定".
  HolidayCaption = 1320,
  HolidayTypeLabel = 1321,
  HolidayPublic = 1322,
  HolidayPrivate = 1323,
  HolidayKindLabel = 1324,
  HolidayByDate = 1325,
  HolidayByWeekday = 1326,
  HolidayByEquinox = 1327,
  HolidayDateLabel = 1328,
  HolidayMonthUnit = 1329,
  HolidayDayUnit = 1330,
  HolidayNthPrefix = 1331,
  HolidayTransfer = 1332,
  HolidayNameLabel = 1333,
  HolidaySpringEquinox = 1334,
  HolidayAutumnEquinox = 1335,
  // The weekdays, Sunday first.
  Sunday = 1340,
  Monday = 1341,
  Tuesday = 1342,
  Wednesday = 1343,
  Thursday = 1344,
  Friday = 1345,
  Saturday = 1346,

  // The world-clock dialog "世界時計".
  WorldCaption = 1360,
  WorldModeLabel = 1361,
  WorldByZone = 1362,
  WorldByTime = 1363,
  WorldZoneLabel = 1364,
  WorldTimeLabel = 1365,
  WorldTimeFormat = 1366,
  WorldForward = 1367,
  WorldBack = 1368,

  // The common settings dialog "共通設定".
  PluginNotAPlugin = 64864,
  PluginAlreadyAdded = 64865,
  PluginRestartQuestion = 64866,
  PriorityFailed = 64890,
  SettingCaption = 1500,
  SettingPageView = 1501,
  SettingPageOperation = 1502,
  SettingPageHoliday = 1503,
  SettingPagePlugin = 1504,
  SettingPageStartup = 1505,
  SettingPageAdvanced = 1506,
  ApplyButton = 1507,
  SettingTransparent = 1508,
  SettingLow = 1509,
  SettingHigh = 1510,
  SettingZOrder = 1511,
  ZOrderNormal = 1512,
  ZOrderTop = 1513,
  ZOrderTopMost = 1514,
  ZOrderBottom = 1515,
  SettingShowToolTip = 1516,
  SettingToolTipFormat = 1517,
  SettingEnableOtherwiseShow = 1518,
  SettingTaskBarGroup = 1519,
  SettingTrayIcon = 1520,
  SettingHideTrayClock = 1521,
  SettingLocked = 1530,
  SettingHideGroup = 1531,
  SettingHideType = 1532,
  HideTypeNone = 1533,
  HideTypeHide = 1534,
  HideTypeHole = 1535,
  HideTypeTransparent = 1536,
  SettingSensitive = 1537,
  SettingDull = 1538,
  SettingSharp = 1539,
  SettingSpeed = 1540,
  SettingSlow = 1541,
  SettingFast = 1542,
  SettingHoleSize = 1543,
  SettingSmall = 1544,
  SettingLarge = 1545,
  SettingHoleSoft = 1546,
  SettingClickHide = 1547,
  SettingHolidayList = 1550,
  HolidayColumnDate = 1551,
  HolidayColumnTransfer = 1552,
  HolidayColumnName = 1553,
  SettingAdd = 1554,
  SettingModify = 1555,
  SettingDelete = 1556,
  SettingDefaultHolidays = 1557,
  SettingHolidayNote = 1558,
  SettingPluginList = 1560,
  SettingPluginConfigure = 1561,
  SettingPluginRemove = 1562,
  SettingPluginDescription = 1563,
  SettingPluginNote = 1564,
  PluginFileFilter = 1565,
  PluginColumnName = 1566,
  PluginColumnVersion = 1567,
  SettingStartupShortcut = 1570,
  SettingAssociate = 1571,
  SettingIniFileGroup = 1572,
  SettingShowFolder = 1573,
  SettingStartupNote = 1574,
  SettingTimerInterval = 1580,
  SettingMilliseconds = 1581,
  SettingPowerSaving = 1582,
  SettingPriority = 1583,
  PriorityNormal = 1584,
  PriorityBelowNormal = 1585,
  PriorityIdle = 1586,
  SettingAdvancedNote = 1587,
};

// The caption of every message box.
inline constexpr std::wstring_view kAppTitle = L"TDialix";

std::wstring_view MessageText(TMsg id);

// One argument of FormatText: a number for %d, a text for %s.
using TFormatArg = std::variant<std::int64_t, std::wstring>;

// Fills "%s", "%d" and "%x" (lower-case hexadecimal; both with an optional
// zero-padded width as in "%.8d", "%08d" or "%.2x") and "%%". Arguments are used in order; a directive without a
// matching argument gives nothing. Text from an argument is never read as a
// directive, so file names and system messages with "%" in them are safe.
std::wstring FormatText(std::wstring_view pattern, const std::vector<TFormatArg>& args);

}  // namespace tdialix
