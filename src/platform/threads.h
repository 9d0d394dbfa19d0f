// Worker threads, the event loop and the per-thread event record.
#pragma once

#include "platform/ids.h"

namespace dg {

using ThreadProcedure = int (*)(int value);

// Starts procedure(value) on a new thread. Returns its number (1, 2, ... never reused), or 0
// when no thread could be created. Any thread.
[[nodiscard]] int StartThread(ThreadProcedure procedure, int value);
// Whether the numbered thread exists and has not ended; false for 0. Any thread.
[[nodiscard]] bool IsThreadRunning(int number);
// The calling thread's number; 0 for a thread that StartThread did not start.
[[nodiscard]] int CurrentThreadNumber();
// Sleeps the calling thread with 1 ms timer resolution; serves no messages.
void Delay(int milliseconds);
// Closes the handles of all listed threads without stopping them. At exit only.
void ReleaseThreadList();

// For tests: when set, StartThread calls starting() first and fails when it returns false;
// ended() is called once for every thread that starting() let through, after its procedure
// returned (or at once when the thread could not be made); delaying() by every Delay before
// it sleeps. Set before any thread starts.
struct ThreadHooks {
    bool (*starting)() = nullptr;
    void (*ended)() = nullptr;
    void (*delaying)(int milliseconds) = nullptr;
};
void SetThreadHooks(ThreadHooks hooks);

// Main thread only. Blocks until the next event and returns its kind (EventControl, EventMenu,
// EventCloseWindow, or another value the logic ignores). While waiting, it carries out the
// user-interface calls that worker threads make.
[[nodiscard]] EventKind WaitEvent();
// The event WaitEvent last returned on this thread.
[[nodiscard]] int EventControlNumber();
[[nodiscard]] int EventMenuItem();
[[nodiscard]] int EventWindowNumber();
[[nodiscard]] int EventType();

} // namespace dg
