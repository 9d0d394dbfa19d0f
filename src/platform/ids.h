// The numbers by which the logic names windows, controls, menu items and events.
// Control numbers share one space across all windows.
#pragma once

namespace dg {

// Windows
constexpr int MainWindow = 0;
constexpr int DirectoryWindow = 1;
constexpr int AboutWindow = 2;

constexpr int WindowCount = 3;

// Controls of MainWindow
constexpr int FileField = 0;
constexpr int FileHashField = 1;
constexpr int CheckHashField = 2;
constexpr int BrowseButton = 3;
constexpr int FileHashLabel = 4;
constexpr int CheckHashLabel = 5;
constexpr int ResultList = 6;
constexpr int FileHashLowerField = 7;
constexpr int VerdictField = 8;
constexpr int CheckButton = 9;
constexpr int ProgressBar = 10;
constexpr int ListDirectoryButton = 11;
constexpr int TextReportButton = 12;
constexpr int CancelButton = 15;
constexpr int WorkingLabel = 16;

// Controls of DirectoryWindow
constexpr int DirectoryTree = 13;
constexpr int DirectoryOkButton = 14;

// Controls of AboutWindow
constexpr int AboutTextLine1 = 17;
constexpr int AboutTextLine2 = 18;
constexpr int AboutTextLine3 = 19;
constexpr int AboutTextLine4 = 20;
constexpr int AboutTextLine5 = 21;
constexpr int AboutOkButton = 22;
constexpr int AboutNoticeLabel = 23;

constexpr int ControlCount = 24;

// Menu items of MainWindow's menu bar (menu 0)
constexpr int MenuSelectFile = 0;
constexpr int MenuCheck = 1;
constexpr int MenuListDirectory = 2;
constexpr int MenuTextReport = 3;
constexpr int MenuCsvReport = 4;
constexpr int MenuHtmlReport = 5;
constexpr int MenuClearList = 6;
constexpr int MenuExit = 7;
constexpr int MenuManual = 8;
constexpr int MenuAbout = 9;

constexpr int MenuItemCount = 10;

// The status bar and the menu bar: MainWindow has one of each.
constexpr int StatusBar = 0;
constexpr int MenuBar = 0;

// Event kinds returned by WaitEvent; every other value is ignored by the logic.
enum class EventKind : int {
    EventCloseWindow = 16,
    EventControl = 13100,
    EventMenu = 13101,
};
using enum EventKind;

// EventType values of ResultList
constexpr int ListLeftClick = 0;
constexpr int ListRightClick = 1;
constexpr int ListLeftDoubleClick = 2;
constexpr int ListRightDoubleClick = 3;
constexpr int ListSelectionChanged = 768;
constexpr int ListBeginDrag = 14002;

// EventType of a clicked button
constexpr int ButtonClicked = 0;

// Shortcut values: modifier bits plus the virtual-key code in the low 16 bits.
constexpr int ShiftKey = 0x10000;
constexpr int CtrlKey = 0x20000;
constexpr int AltKey = 0x40000;
constexpr int KeyF1 = 112;
constexpr int KeyF4 = 115;

// Colour values: blue * 65536 + green * 256 + red; -1 is the system default.
constexpr int DefaultColour = -1;
constexpr int ColourText = 1;
constexpr int ColourBackground = 2;

} // namespace dg
