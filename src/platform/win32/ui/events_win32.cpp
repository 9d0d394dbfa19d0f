// The event loop: per-thread event record and queue, and WaitEvent.
#include "ui_win32.h"

#include "platform/threads.h"

#include <deque>

namespace dg {
namespace win32 {
namespace {

struct Event {
    int kind = 0;
    int object = 0;
    int window = 0;
    int type = -1;

    bool operator==(const Event&) const = default;
};

// Per thread; the C++ runtime releases it when its thread ends.
struct EventState {
    Event current;
    Event returned;
    std::deque<Event> queue;
};

thread_local EventState events;

} // namespace

void RecordEvent(int kind, int object, int window, int type) {
    events.current = {kind, object, window, type};
}

void QueueEvent(int kind, int object, int window, int type) {
    Event entry{kind, object, window, type};
    // Identical notifications that arrive before the loop fetches the first collapse into one.
    if (events.queue.empty() || !(events.queue.back() == entry)) {
        events.queue.push_back(entry);
    }
}

void DropEventsOf(int window) {
    std::erase_if(events.queue, [window](const Event& entry) { return entry.window == window; });
}

} // namespace win32

using namespace win32;

int WaitEvent() {
    EventState& state = events;
    // A raw message numbered like an event kind (WM_CLOSE is 16) then names no window.
    state.current = Event{0, -1, -1, -1};
    if (!state.queue.empty()) {
        state.current = state.queue.front();
        state.queue.pop_front();
    } else {
        MSG message{};
        // Serves the calls that worker threads send to our windows while it waits.
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got > 0 && !TranslateShortcut(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (state.current.kind == 0) {
            state.current.kind = static_cast<int>(message.message);
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
