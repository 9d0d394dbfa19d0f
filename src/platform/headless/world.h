// The state of the headless user interface, shared by its source files.
#pragma once

#include "platform/headless/headless.h"
#include "platform/ids.h"
#include "platform/portable/controls.h"
#include "platform/portable/event_queue.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace dg {
class FolderTree;
} // namespace dg

namespace dg::headless::detail {

struct ControlData {
    ControlState state;
    RememberedRow rememberedRow;
    // The directory tree's model.
    std::shared_ptr<FolderTree> tree{};
};

using WindowData = WindowState;

using Event = EventRecord;

struct Given {
    Input kind = Input::Click;
    int target = 0;
    int value = 0;
    std::string text;
    Event event;
};

struct WorldData;

// A worker thread's call, carried out by the program thread.
struct Call {
    const std::function<void(WorldData&)>* change = nullptr;
    bool done = false;
};

enum class Phase { NoProgram, Running, Ended };

// What the program's windows hold; it goes with the program.
struct Interface {
    std::map<int, WindowData> windows;
    std::map<int, ControlData> controls;
    std::vector<MenuState> menus;
    int activeWindow = -1;
    EventQueue events;
    std::deque<Given> inputs;
    std::deque<Call*> calls;
    Event current;
    bool waitingForEvent = false;
};

struct WorldData : Interface, Script {
    std::mutex lock;
    std::condition_variable changed;
    unsigned long long version = 0;
    Phase phase = Phase::NoProgram;
    std::thread::id programThread;
    int liveThreads = 0;

    // Every change wakes the waiters: the program thread and the test's conditions.
    void Touch() {
        ++version;
        changed.notify_all();
    }
    void Log(const std::string& name, int target, int value, const std::string& text = {}) {
        operations.push_back({name, target, value, text});
    }
    WindowData* OpenWindow(int window) {
        const auto found = windows.find(window);
        return found != windows.end() && found->second.open ? &found->second : nullptr;
    }
    ControlData* FindControl(int control, ControlKind kind = ControlKind::None) {
        const auto found = controls.find(control);
        if (found == controls.end() ||
            (kind != ControlKind::None && found->second.state.kind != kind))
            return nullptr;
        return &found->second;
    }
    MenuItemState* FindMenuItem(int item) {
        for (MenuState& menu : menus)
            for (MenuItemState& entry : menu.items)
                if (entry.item == item)
                    return &entry;
        return nullptr;
    }
    // The window takes input: open, not disabled by a modal dialog, not minimized.
    bool Usable(int window) {
        const WindowData* data = OpenWindow(window);
        return data && data->enabled && data->state != WindowMinimized;
    }
    void CloseWindowData(int window) {
        WindowData* data = OpenWindow(window);
        if (!data)
            return;
        for (int control : data->controls)
            controls.erase(control);
        if (window == MainWindow)
            menus.clear();
        windows.erase(window);
        events.DropWindow(window);
        if (activeWindow == window)
            activeWindow = -1;
    }
    void ClearInterface() { static_cast<Interface&>(*this) = Interface{}; }
};

WorldData& World();

// A click on the tree's node of that path, "" being the computer node; a path without a node
// leaves the selection. True when the selection changed. Program thread, under the lock.
bool ClickTreePath(ControlData& tree, const std::string& path);

// Carries the change out on the program thread while the caller waits; at once when the
// caller is the program thread or no program runs; not at all once the program has ended.
void Carry(const std::function<void(WorldData&)>& change);
// Makes the change at once under the lock, from any thread, unless the program has ended.
void Direct(const std::function<void(WorldData&)>& change);

} // namespace dg::headless::detail
