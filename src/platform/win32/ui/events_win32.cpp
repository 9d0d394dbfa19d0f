// The event loop: per-thread event record and queue, and WaitEvent.
#include "ui_win32.h"

#include "platform/portable/event_queue.h"
#include "platform/threads.h"

namespace dg {
namespace win32 {
namespace {

// Per thread; the C++ runtime releases it when its thread ends.
struct EventState {
    EventRecord current;
    EventRecord returned;
    EventQueue queue;
};

thread_local EventState events;

} // namespace

void RecordEvent(EventKind kind, int object, int window, int type) {
    events.current = {kind, object, window, type};
}

void QueueEvent(EventKind kind, int object, int window, int type) {
    events.queue.Push({kind, object, window, type});
}

void DropEventsOf(int window) {
    events.queue.DropWindow(window);
}

} // namespace win32

using namespace win32;

EventKind WaitEvent() {
    EventState& state = events;
    // A raw message numbered like an event kind (WM_CLOSE is 16) then names no window.
    state.current = EventRecord{EventKind{}, -1, -1, -1};
    if (!state.queue.Pop(state.current)) {
        MSG message{};
        // Serves the calls that worker threads send to our windows while it waits.
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got > 0 && !TranslateShortcut(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (state.current.kind == EventKind{}) {
            state.current.kind = static_cast<EventKind>(message.message);
        }
    }
    state.returned = state.current;
    return state.current.kind;
}

int EventControlNumber() {
    return events.returned.object;
}

int EventMenuItem() {
    return events.returned.object;
}

int EventWindowNumber() {
    return events.returned.window;
}

int EventType() {
    return events.returned.type;
}

} // namespace dg
