// Contract tests: one source, linked into the Qt and the Win32 backend tests, so both backends
// are held to the same events and calls. Each backend's driver gives real input (Qt's test
// input offscreen, or SendInput on real windows) and runs WaitEvent
// on the test's thread until the input has been handled.
#pragma once

#include "platform/threads.h"

#include <vector>

namespace dg::contract {

// The platform for one test suite.
void StartPlatform();
void EndPlatform();
// Brings the window to the front; it takes the keyboard from then on.
bool Activate(int window);
// The list's event types from a left click on a row of ResultList; -1 clicks below the rows,
// each time at another point, so that two clicks make no double click.
std::vector<int> ClickRow(int row);
// The list's event types from the down-arrow key, ResultList having the focus.
std::vector<int> ArrowDown();
// The list's event types raised while nothing is done.
std::vector<int> ListEventsNow();
// The menu items chosen by a key press, given as a shortcut value.
std::vector<int> MenuItemsFromKey(int shortcut);
[[nodiscard]] bool MenuItemGreyed(int item);
// Runs the procedure on a worker thread while this thread serves its calls in WaitEvent.
bool ServeWorker(ThreadProcedure procedure);

} // namespace dg::contract
