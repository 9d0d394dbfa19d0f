// The commands of MainWindow's buttons and menu items and of the secondary windows, as the
// dispatcher runs them. Main thread.
#pragma once

namespace dg {

// Where a command came from: a button, or a menu item or its shortcut.
enum class CommandPath { Button, Menu };

void SelectFileCommand(CommandPath path);
void ListDirectoryCommand(CommandPath path);
// ResultList's events: a click or a change of selection shows the selected row and checks it.
void ResultListCommand(int eventType);
void DirectoryOkCommand();
void CancelCommand();
void CloseDirectoryWindowCommand();
void CloseAboutWindowCommand();
void ClearListCommand();
void ManualCommand();
void AboutCommand();

} // namespace dg
