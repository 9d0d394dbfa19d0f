// The event record that WaitEvent hands over, and the event queue with its duplicate rule.
// Shared by the user-interface backends; the logic never sees it.
#pragma once

#include "platform/ids.h"

#include <deque>

namespace dg {

struct EventRecord {
    // Zero until an event is recorded.
    EventKind kind{};
    int object = 0;
    int window = 0;
    int type = -1;
    bool operator==(const EventRecord&) const = default;
};

class EventQueue {
public:
    // Identical notifications that arrive before the loop fetches the first collapse into one.
    void Push(const EventRecord& event) {
        if (events_.empty() || !(events_.back() == event))
            events_.push_back(event);
    }

    // A command of a button or menu item: two clicks are two commands, never collapsed.
    void Record(const EventRecord& event) { events_.push_back(event); }

    // The oldest event into event; false when the queue is empty.
    bool Pop(EventRecord& event) {
        if (events_.empty())
            return false;
        event = events_.front();
        events_.pop_front();
        return true;
    }

    [[nodiscard]] bool Empty() const { return events_.empty(); }

    // A closed window sends no more events: its waiting ones are dropped.
    void DropWindow(int window) {
        std::erase_if(events_,
                      [window](const EventRecord& event) { return event.window == window; });
    }

    void Clear() { events_.clear(); }

private:
    std::deque<EventRecord> events_;
};

} // namespace dg
