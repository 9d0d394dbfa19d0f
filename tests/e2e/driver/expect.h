// Checks that several cases share: the command states a user sees and the texts of the main
// window.
#pragma once

#include "app.h"

#include <string>

namespace e2e {

constexpr const char* WelcomeStatus =
    "Welcome to Digestorium.  Please select file or list directory to begin.";

// Idle: every menu item enabled but the manual's while it is absent, the buttons and the
// list enabled. Locked: the items but Exit and the manual greyed, buttons and list disabled.
// The states may take a moment to settle; this waits up to 5 s for them.
void ExpectCommands(const App& app, bool locked, bool manualPresent);

// Waits until a job has given the commands back.
void WaitIdle(const App& app);

// The frame a user sees: a close box, a minimize button or none, no maximize button and no
// border to drag.
void ExpectFrame(HWND window, bool minimizeBox);

// Waits a while for the window to become the foreground window.
void ExpectActive(const std::string& what, HWND window);

// Waits for the process to end by itself and checks its exit code.
void ExpectExitCode0(const App& app);

// Nothing of a negative can be awaited; this waits long enough for a positive to show.
constexpr int QuietMs = 1500;

} // namespace e2e
