// The event loop of the headless world: queued events first, then the calls that worker
// threads wait on, then the test's input, which turns into events as the window system
// would turn a user's clicks and keys into them.
#include "platform/headless/tree_headless.h"
#include "platform/headless/world.h"
#include "platform/ids.h"
#include "platform/threads.h"
#include "platform/ui.h"

#include <algorithm>
#include <optional>

namespace dg {

using headless::detail::ControlData;
using headless::detail::Event;
using headless::detail::Input;
using headless::detail::InputKind;
using headless::detail::WindowData;
using headless::detail::WorldData;

namespace {

// A raw key-down message: what a key that is no shortcut comes back as.
constexpr int KeyDownMessage = 256;

ControlData* UsableControl(WorldData& w, int control, ControlKind kind) {
    ControlData* data = w.FindControl(control);
    if (!data || data->state.kind != kind || !data->state.enabled || !data->state.visible ||
        !w.Usable(data->state.window))
        return nullptr;
    return data;
}

void QueueListEvent(WorldData& w, const ControlData& list, int control, int type) {
    w.Queue({EventControl, control, list.state.window, type});
}

// Moves the selection; each row that loses or gains it queues a selection change.
void Select(WorldData& w, ControlData& list, int control, int row) {
    const int old = list.state.selectedRow;
    if (row == old)
        return;
    if (old >= 0) {
        list.rememberedRow.Deselected(old);
        QueueListEvent(w, list, control, ListSelectionChanged);
    }
    list.state.selectedRow = row;
    if (row >= 0) {
        list.rememberedRow.Selected(row);
        QueueListEvent(w, list, control, ListSelectionChanged);
    }
}

std::optional<Event> HandleKey(WorldData& w, int shortcut) {
    const int active = w.activeWindow;
    if (active < 0 || !w.Usable(active))
        return std::nullopt;
    if (active == MainWindow) {
        const auto& table = w.windows[active].shortcuts;
        const auto found = std::find_if(table.begin(), table.end(),
                                        [&](const auto& entry) { return entry.value == shortcut; });
        if (found != table.end()) {
            const headless::MenuItemState* item = w.FindMenuItem(found->item);
            if (item && !item->enabled)
                return std::nullopt;
            return Event{EventMenu, found->item, MainWindow, 0};
        }
    }
    // Without a shortcut of its own, Alt+F4 is the platform's close gesture.
    if (shortcut == AltKey + KeyF4)
        w.Queue({EventCloseWindow, active, active, 0});
    return std::nullopt;
}

std::optional<Event> Handle(WorldData& w, const Input& input) {
    switch (input.kind) {
    case InputKind::Click:
        if (const ControlData* button = UsableControl(w, input.target, ControlKind::Button)) {
            w.activeWindow = button->state.window;
            return Event{EventControl, input.target, button->state.window, ButtonClicked};
        }
        return std::nullopt;
    case InputKind::Menu: {
        const headless::MenuItemState* item = w.FindMenuItem(input.target);
        if (!w.menuBar || !item || !item->enabled || !w.Usable(MainWindow))
            return std::nullopt;
        w.activeWindow = MainWindow;
        return Event{EventMenu, input.target, MainWindow, 0};
    }
    case InputKind::Key:
        return HandleKey(w, input.target);
    case InputKind::CloseBox: {
        const WindowData* window = w.OpenWindow(input.target);
        if (window && window->state.enabled)
            w.Queue({EventCloseWindow, input.target, input.target, 0});
        return std::nullopt;
    }
    case InputKind::ListClick: {
        ControlData* list = UsableControl(w, input.target, ControlKind::List);
        if (!list)
            return std::nullopt;
        w.activeWindow = list->state.window;
        const int count = static_cast<int>(list->state.rows.size());
        Select(w, *list, input.target, input.value >= 0 && input.value < count ? input.value : -1);
        if (list->state.selectedRow < 0 && list->rememberedRow.ClickFoundNone())
            QueueListEvent(w, *list, input.target, ListSelectionChanged);
        QueueListEvent(w, *list, input.target, ListLeftClick);
        return std::nullopt;
    }
    case InputKind::ListKey: {
        ControlData* list = UsableControl(w, input.target, ControlKind::List);
        if (list && input.value >= 0 && input.value < static_cast<int>(list->state.rows.size()))
            Select(w, *list, input.target, input.value);
        return std::nullopt;
    }
    case InputKind::TreeClick: {
        ControlData* tree = UsableControl(w, input.target, ControlKind::Tree);
        if (!tree)
            return std::nullopt;
        w.activeWindow = tree->state.window;
        // The tree's events use the list's types.
        if (headless::detail::ClickTreePath(*tree, input.text))
            w.Queue({EventControl, input.target, tree->state.window, ListSelectionChanged});
        w.Queue({EventControl, input.target, tree->state.window, ListLeftClick});
        return std::nullopt;
    }
    case InputKind::Minimize: {
        WindowData* window = w.OpenWindow(input.target);
        if (window && window->state.enabled && (window->state.attributes & WindowMinimizeBox)) {
            window->state.state = WindowMinimized;
            if (w.activeWindow == input.target)
                w.activeWindow = -1;
        }
        return std::nullopt;
    }
    case InputKind::Activate:
        if (w.Usable(input.target))
            w.activeWindow = input.target;
        return std::nullopt;
    case InputKind::Post:
        w.Queue(input.event);
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

int WaitEvent() {
    WorldData& w = headless::detail::World();
    std::unique_lock<std::mutex> lock(w.lock);
    w.current = Event{};
    for (;;) {
        std::optional<Event> event;
        if (Event queued; w.events.Pop(queued)) {
            event = queued;
        } else if (!w.calls.empty() && !w.callsHeld) {
            headless::detail::Call* call = w.calls.front();
            w.calls.pop_front();
            (*call->change)(w);
            call->done = true;
        } else if (!w.inputs.empty()) {
            const Input input = w.inputs.front();
            w.inputs.pop_front();
            event = Handle(w, input);
            if (!event && input.kind == InputKind::Key)
                event = Event{KeyDownMessage, 0, 0, -1};
        } else {
            w.waitingForEvent = true;
            w.Touch();
            w.changed.wait(lock);
            w.waitingForEvent = false;
            continue;
        }
        w.Touch();
        if (event) {
            w.current = *event;
            return event->kind;
        }
    }
}

namespace {

Event CurrentEvent() {
    WorldData& w = headless::detail::World();
    std::lock_guard<std::mutex> lock(w.lock);
    return w.current;
}

} // namespace

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
