// The command states of MainWindow, switched by the dispatcher, the jobs and the windows.
#pragma once

#include "platform/threads.h"

#include <string>

namespace dg {

// Grey the commands, disable the buttons and the list, remove every shortcut. Any thread.
void LockCommands();
// Give the commands back, with F1 only while the manual is present. Any thread.
void RestoreCommands();
// Empty the verdict and the hash fields. Any thread.
void ResetSelectionFields();
// Restore MainWindow if minimized or maximized, then activate it. Main thread.
void ReactivateMainWindow();
// The status line of MainWindow. Any thread.
void SetStatus(const std::string& text);

// Frees the job slot, then gives the commands back, as a job or the chooser ends: a command
// waiting for the job can start once the commands are back. Any thread.
void EndJob();

// Starts a command's job on a worker thread. When no thread can be made, the commands are
// given back with a status text saying so, and the result is 0. Main thread.
[[nodiscard]] int StartJob(ThreadProcedure job);

} // namespace dg
