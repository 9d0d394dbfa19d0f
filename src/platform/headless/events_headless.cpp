// The event loop of the headless world: queued events first, then the calls that worker
// threads wait on, then the test's input, which turns into events as the window system
// would turn a user's clicks and keys into them.
#include "platform/headless/world.h"
#include "platform/threads.h"
#include "platform/ui.h"

#include <algorithm>

namespace dg {

using headless::Input;
using headless::detail::ControlData;
using headless::detail::Event;
using headless::detail::Given;
using headless::detail::WindowData;
using headless::detail::WorldData;

namespace {

// The control takes the input, and its window becomes the active one.
ControlData* UsableControl(WorldData& w, int control, ControlKind kind) {
    ControlData* data = w.FindControl(control, kind);
    if (!data || !data->state.enabled || !data->state.visible || !w.Usable(data->state.window))
        return nullptr;
    w.activeWindow = data->state.window;
    return data;
}

void Queue(WorldData& w, const ControlData& control, int number, int type) {
    w.events.Push({EventControl, number, control.state.window, type});
}

// Moves the selection; each row that loses or gains it queues a selection change.
void Select(WorldData& w, ControlData& list, int control, int row) {
    const int old = list.state.selectedRow;
    if (row == old)
        return;
    if (old >= 0) {
        list.rememberedRow.Deselected(old);
        Queue(w, list, control, ListSelectionChanged);
    }
    list.state.selectedRow = row;
    if (row >= 0) {
        list.rememberedRow.Selected(row);
        Queue(w, list, control, ListSelectionChanged);
    }
}

Event HandleKey(WorldData& w, int shortcut) {
    const int active = w.activeWindow;
    if (!w.Usable(active))
        return {};
    const auto& table = w.windows[active].shortcuts;
    const auto found = std::ranges::find(table, shortcut, &headless::Shortcut::value);
    // Only MainWindow's shortcuts act; a greyed item's shortcut does nothing.
    if (active == MainWindow && found != table.end()) {
        const headless::MenuItemState* item = w.FindMenuItem(found->item);
        return !item || item->enabled ? Event{EventMenu, found->item, MainWindow, 0} : Event{};
    }
    // Without a shortcut of its own, Alt+F4 is the platform's close gesture.
    if (shortcut == AltKey + KeyF4)
        w.events.Push({EventCloseWindow, active, active, 0});
    return {};
}

// The event the input gives at once, if any; kind 0 when none.
Event Handle(WorldData& w, const Given& input) {
    const int target = input.target;
    switch (input.kind) {
    case Input::Click:
        if (const ControlData* button = UsableControl(w, target, ControlKind::Button))
            return {EventControl, target, button->state.window, ButtonClicked};
        break;
    case Input::Menu: {
        const headless::MenuItemState* item = w.FindMenuItem(target);
        if (!item || !item->enabled || !w.Usable(MainWindow))
            break;
        w.activeWindow = MainWindow;
        return {EventMenu, target, MainWindow, 0};
    }
    case Input::Key:
        return HandleKey(w, target);
    case Input::CloseBox:
        if (const WindowData* window = w.OpenWindow(target); window && window->enabled)
            w.events.Push({EventCloseWindow, target, target, 0});
        break;
    case Input::ListClick:
        if (ControlData* list = UsableControl(w, target, ControlKind::List)) {
            const int count = static_cast<int>(list->state.rows.size());
            Select(w, *list, target, input.value >= 0 && input.value < count ? input.value : -1);
            if (list->state.selectedRow < 0 && list->rememberedRow.ClickFoundNone())
                Queue(w, *list, target, ListSelectionChanged);
            Queue(w, *list, target, ListLeftClick);
        }
        break;
    case Input::ListKey:
        if (ControlData* list = UsableControl(w, target, ControlKind::List);
            list && input.value >= 0 && input.value < static_cast<int>(list->state.rows.size()))
            Select(w, *list, target, input.value);
        break;
    case Input::TreeClick:
        // The tree's events use the list's types.
        if (ControlData* tree = UsableControl(w, target, ControlKind::Tree)) {
            if (headless::detail::ClickTreePath(*tree, input.text))
                Queue(w, *tree, target, ListSelectionChanged);
            Queue(w, *tree, target, ListLeftClick);
        }
        break;
    case Input::Minimize:
        if (WindowData* window = w.OpenWindow(target);
            window && window->enabled && (window->attributes & WindowMinimizeBox)) {
            window->state = WindowMinimized;
            if (w.activeWindow == target)
                w.activeWindow = -1;
        }
        break;
    case Input::Activate:
        if (w.Usable(target))
            w.activeWindow = target;
        break;
    case Input::Post:
        w.events.Push(input.event);
        break;
    }
    return {};
}

Event CurrentEvent() {
    WorldData& w = headless::detail::World();
    std::lock_guard<std::mutex> lock(w.lock);
    return w.current;
}

} // namespace

EventKind WaitEvent() {
    WorldData& w = headless::detail::World();
    std::unique_lock<std::mutex> lock(w.lock);
    w.current = Event{};
    for (;;) {
        Event event;
        if (!w.events.Pop(event)) {
            if (!w.calls.empty() && !w.callsHeld) {
                headless::detail::Call* call = w.calls.front();
                w.calls.pop_front();
                (*call->change)(w);
                call->done = true;
            } else if (!w.inputs.empty()) {
                const Given input = w.inputs.front();
                w.inputs.pop_front();
                event = Handle(w, input);
            } else {
                w.waitingForEvent = true;
                w.Touch();
                w.changed.wait(lock);
                w.waitingForEvent = false;
                continue;
            }
        }
        w.Touch();
        if (event.kind != EventKind{}) {
            w.current = event;
            return event.kind;
        }
    }
}

int EventControlNumber() {
    return CurrentEvent().object;
}
int EventMenuItem() {
    return CurrentEvent().object;
}
int EventWindowNumber() {
    return CurrentEvent().window;
}
int EventType() {
    return CurrentEvent().type;
}

} // namespace dg
