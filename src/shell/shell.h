// The application shell: start-up, the event loop and the command states of MainWindow.
#pragma once

#include "platform/threads.h"

namespace dg {

// The whole program: start-up, the event loop, the exit sequence. Returns the exit code
// (always 0). Main thread.
int RunProgram();

// MainWindow with its menus, shortcuts, status bar and controls; false when the window could
// not be made. Main thread.
bool BuildMainWindow();
// AboutWindow with its texts and OK button; false when the window could not be made.
// Main thread.
bool OpenAboutWindow();

// Grey the commands, disable the buttons and the list, remove every shortcut. Any thread.
void LockCommands();
// Give the commands back, with F1 only while the manual is present. Any thread.
void RestoreCommands();
// Empty the verdict and the hash fields. Main thread.
void ResetSelectionFields();
// Restore MainWindow if minimized or maximized, then activate it. Main thread.
void ReactivateMainWindow();

// Starts a command's job on a worker thread. When no thread can be made, the commands are
// given back with a status text saying so, and the result is 0. Main thread.
[[nodiscard]] int StartJob(ThreadProcedure job);

} // namespace dg
