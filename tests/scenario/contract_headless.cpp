// The contract tests' driver for the headless backend: the test's thread is the program
// thread, and a marker event posted after the input tells when the input has been handled.
#include "contract/contract.h"

#include "platform/headless/headless.h"
#include "platform/ids.h"
#include "platform/system.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace dg::contract {

namespace hl = dg::headless;
using hl::Input;

namespace {

constexpr auto Marker = static_cast<EventKind>(-1);

// What the events of that kind up to the marker carry: the list's event types, or the chosen
// menu items.
std::vector<int> Handled(EventKind kind) {
    hl::PostEvent(Marker, 0, -1, 0);
    std::vector<int> found;
    for (EventKind got = WaitEvent(); got != Marker; got = WaitEvent())
        if (got == kind && kind == EventMenu)
            found.push_back(EventMenuItem());
        else if (got == kind && EventControlNumber() == ResultList)
            found.push_back(EventType());
    return found;
}

} // namespace

std::vector<int> ListEventsNow() {
    return Handled(EventControl);
}

void StartPlatform() {
    hl::ResetWorld();
    InitialisePlatform();
}

void EndPlatform() {
    ReleasePlatform();
    hl::ResetWorld();
}

bool Activate(int window) {
    ActivateWindow(window);
    return hl::ActiveWindow() == window;
}

std::vector<int> ClickRow(int row) {
    hl::Give(Input::ListClick, ResultList, row);
    return ListEventsNow();
}

std::vector<int> ArrowDown() {
    hl::Give(Input::ListKey, ResultList, GetControlState(ResultList) + 1);
    return ListEventsNow();
}

std::vector<int> MenuItemsFromKey(int shortcut) {
    hl::Give(Input::Key, shortcut);
    return Handled(EventMenu);
}

bool MenuItemGreyed(int item) {
    return !hl::MenuItem(item).enabled;
}

bool ServeWorker(ThreadProcedure procedure) {
    if (StartThread(procedure, 0) == 0)
        return false;
    std::atomic<bool> done{false};
    bool ended = false;
    // Wakes WaitEvent once the worker has ended.
    std::thread waker([&] {
        ended =
            hl::WaitUntil([] { return hl::LiveWorkerThreads() == 0; }, std::chrono::seconds(30));
        done = true;
        hl::PostEvent(Marker, 0, -1, 0);
    });
    // The waker's marker comes after done is set: take it, or it would end the next input.
    while (WaitEvent() != Marker || !done) {
    }
    waker.join();
    return ended;
}

} // namespace dg::contract
