// User-interface operations. The logic addresses windows, controls, menu items and the
// status bar by the numbers of ids.h; the backend maps them to native objects.
//
// Threads: operations on a control or the status bar may be called from any thread. From a
// worker thread they are carried out by the thread waiting in WaitEvent and return only when
// the change is made. Window, menu-building and shortcut operations are for the main thread,
// except AddShortcut, RemoveShortcut and DisableMenuItem, which worker threads call through
// LockCommands and RestoreCommands.
//
// Failures are silent: an unknown number or a kind that does not support the operation does
// nothing and returns false, 0 or the empty text.
#pragma once

#include <string>

namespace dg {

struct ControlRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// ---- Windows (main thread) ----

// OpenWindow attributes. Every window has a title bar with the system menu and a close box,
// cannot be resized or maximized, has no owner and is centred on the screen.
constexpr int WindowMinimizeBox = 1;

constexpr int WindowNormal = 0;
constexpr int WindowMinimized = 1;
constexpr int WindowMaximized = 2;

// Creates, shows and activates the window; an open window of that number is closed first.
[[nodiscard]] bool OpenWindow(int window, int innerWidth, int innerHeight, const std::string& title,
                              int attributes);
// Destroys the window with its controls and shortcuts.
void CloseWindow(int window);
[[nodiscard]] int GetWindowState(int window);
// Only WindowNormal is asked for: restores a minimized or maximized window.
void SetWindowState(int window, int state);
void ActivateWindow(int window);
void KeepOnTop(int window, bool onTop);

// ---- Building controls (main thread) ----

// Text field styles, combined with |.
constexpr int FieldReadOnly = 1;
constexpr int FieldUpperCase = 2;
constexpr int FieldLowerCase = 4;
constexpr int FieldCentred = 8;

void CreateTextField(int window, int control, ControlRect rect, int style);
void CreateLabel(int window, int control, ControlRect rect, const std::string& text);
// isDefault draws the button as the window's default button.
void CreateButton(int window, int control, ControlRect rect, const std::string& text,
                  bool isDefault);
// A report-view list: single selection, full-row select, grid lines, selection kept visible.
void CreateList(int window, int control, ControlRect rect);
void AddListColumn(int list, const std::string& title, int width);
// Smooth, range 0 to 100.
void CreateProgressBar(int window, int control, ControlRect rect);
// One field of the given width, no size grip.
void CreateStatusBar(int window, int fieldWidth);

// ---- Menus and shortcuts ----

// Gives the window a menu bar (menu 0).
[[nodiscard]] bool CreateMenuBar(int window);
// Appends a drop-down menu to the menu bar; items go to the newest menu.
void AddMenu(const std::string& label);
// Appends an item; the label may hold '&' access keys and a tab before the shortcut label.
void AddMenuItem(int item, const std::string& label);
// Greys the item, or enables it again. Any thread.
void DisableMenuItem(int menu, int item, bool greyed);
// The same key and modifiers registered again only move the shortcut. Any thread.
void AddShortcut(int window, int shortcut, int item);
// -1 removes every shortcut of the window. Any thread.
void RemoveShortcut(int window, int shortcut);

// ---- Controls (any thread) ----

void SetStatusText(int statusBar, int field, const std::string& text);
void SetControlText(int control, const std::string& text);
[[nodiscard]] std::string GetControlText(int control);
// kind: ColourText or ColourBackground; colour -1 restores the default.
void SetControlColor(int control, int kind, int colour);
void DisableControl(int control, bool disabled);
void HideControl(int control, bool hidden);
// ResultList: the selected row or -1. ProgressBar: its position.
[[nodiscard]] int GetControlState(int control);
void SetControlState(int control, int value);
// position -1 appends; the text's line feeds separate the cells.
void AddListRow(int list, int position, const std::string& text);
// row -1 gives the column title; the empty text for a row or column that does not exist.
[[nodiscard]] std::string GetListCellText(int list, int row, int column);
[[nodiscard]] int CountListRows(int list);
void ClearList(int list);

// ---- Dialogs, clipboard and documents ----

// Modal message box owned by the program's foreground window; returns the button's code.
int ShowMessage(const std::string& title, const std::string& text, int flags);
// Runs the open-file dialog on the calling thread. The pattern is "description|filter|...";
// returns the full path or the empty text on cancel.
[[nodiscard]] std::string ChooseFileToOpen(const std::string& title, const std::string& initialPath,
                                           const std::string& pattern, int patternIndex);
// The clipboard's plain text, or the empty text.
[[nodiscard]] std::string GetClipboardText();
// Opens a document with its associated program; false when nothing started.
[[nodiscard]] bool LaunchProgram(const std::string& program, const std::string& parameters,
                                 const std::string& workingDirectory, int flags);

} // namespace dg
