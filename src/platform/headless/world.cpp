// The headless world: its lock, the program thread, the worker-thread contract and the
// test side's reads, scripts and waits.
#include "platform/headless/world.h"

#include "platform/system.h"
#include "platform/threads.h"

#include <algorithm>

namespace dg::headless::detail {

WorldData& World() {
    static WorldData world;
    return world;
}

void Carry(const std::function<void(WorldData&)>& change) {
    WorldData& w = World();
    std::unique_lock<std::mutex> lock(w.lock);
    if (w.phase == Phase::NoProgram || std::this_thread::get_id() == w.programThread) {
        change(w);
        w.Touch();
        return;
    }
    if (w.phase == Phase::Ended)
        return;
    Call call{&change};
    w.calls.push_back(&call);
    w.Touch();
    w.changed.wait(lock, [&] { return call.done || w.phase != Phase::Running; });
    if (!call.done)
        std::erase(w.calls, &call);
}

void Direct(const std::function<void(WorldData&)>& change) {
    WorldData& w = World();
    std::lock_guard<std::mutex> lock(w.lock);
    if (w.phase == Phase::Ended && std::this_thread::get_id() != w.programThread)
        return;
    change(w);
    w.Touch();
}

namespace {

template <typename Reader> auto Read(Reader reader) {
    WorldData& w = World();
    std::lock_guard<std::mutex> lock(w.lock);
    return reader(w);
}

template <typename Changer> void Change(Changer changer) {
    WorldData& w = World();
    std::lock_guard<std::mutex> lock(w.lock);
    changer(w);
    w.Touch();
}

bool ThreadStarting() {
    bool started = false;
    Change([&](WorldData& w) {
        started = w.failingThreadStarts == 0;
        if (started)
            ++w.liveThreads;
        else
            --w.failingThreadStarts;
    });
    return started;
}

} // namespace

} // namespace dg::headless::detail

namespace dg {

using headless::detail::Change;
using headless::detail::Phase;
using headless::detail::WorldData;

void InitialisePlatform() {
    SetThreadHooks(
        {headless::detail::ThreadStarting, [] { Change([](WorldData& w) { --w.liveThreads; }); },
         [](int milliseconds) {
             Change([&](WorldData& w) { w.Log("Delay", CurrentThreadNumber(), milliseconds); });
         }});
    Change([](WorldData& w) {
        w.ClearInterface();
        w.phase = Phase::Running;
        w.programThread = std::this_thread::get_id();
    });
}

long long CurrentLocalDate() {
    const std::optional<long long> held =
        headless::detail::Read([](WorldData& w) { return w.heldDate; });
    return held ? *held : SystemLocalDate();
}

void ReleasePlatform() {
    // As at process exit: every window goes, and calls still waiting are never made.
    Change([](WorldData& w) {
        w.ClearInterface();
        w.phase = Phase::Ended;
    });
}

} // namespace dg

namespace dg::headless {

using detail::Change;
using detail::Read;
using detail::WorldData;

void ResetWorld() {
    Change([](WorldData& w) {
        w.ClearInterface();
        static_cast<Script&>(w) = Script{};
        w.phase = detail::Phase::NoProgram;
        w.programThread = {};
    });
}

int LiveWorkerThreads() {
    return Read([](WorldData& w) { return w.liveThreads; });
}

void Arrange(const std::function<void(Script&)>& change) {
    Change([&](WorldData& w) { change(w); });
}

Script Recorded() {
    return Read([](WorldData& w) { return static_cast<Script>(w); });
}

int WaitingWorkerCalls() {
    return Read([](WorldData& w) { return static_cast<int>(w.calls.size()); });
}

bool WaitUntil(const std::function<bool()>& condition, milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    WorldData& w = detail::World();
    for (;;) {
        const unsigned long long seen = Read([](WorldData& world) { return world.version; });
        if (condition())
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        // The condition may look at more than the backend: poll it at least every 10 ms.
        std::unique_lock<std::mutex> lock(w.lock);
        w.changed.wait_until(lock, std::min(deadline, now + milliseconds(10)),
                             [&] { return w.version != seen; });
    }
}

bool WaitIdle(milliseconds limit) {
    return WaitUntil(
        [] {
            return Read([](WorldData& w) {
                return w.phase == detail::Phase::Ended ||
                       (w.phase == detail::Phase::Running && w.waitingForEvent &&
                        w.inputs.empty() && w.events.Empty() && (w.calls.empty() || w.callsHeld));
            });
        },
        limit);
}

namespace {

void Take(const detail::Given& input) {
    Change([&](WorldData& w) {
        if (w.phase != detail::Phase::Ended)
            w.inputs.push_back(input);
    });
}

} // namespace

void Give(Input input, int target, int value, const std::string& text) {
    Take({input, target, value, text, {}});
}

void PostEvent(EventKind kind, int object, int window, int type) {
    Take({Input::Post, 0, 0, {}, {kind, object, window, type}});
}

ControlState Control(int control) {
    return Read([control](WorldData& w) {
        const detail::ControlData* data = w.FindControl(control);
        return data ? data->state : ControlState{};
    });
}

WindowState Window(int window) {
    return Read([window](WorldData& w) {
        const WindowState* data = w.OpenWindow(window);
        return data ? *data : WindowState{};
    });
}

int ActiveWindow() {
    return Read([](WorldData& w) { return w.activeWindow; });
}

std::string StatusText() {
    return Window(MainWindow).statusText;
}

std::vector<MenuState> Menus() {
    return Read([](WorldData& w) { return w.menus; });
}

MenuItemState MenuItem(int item) {
    return Read([item](WorldData& w) {
        const MenuItemState* entry = w.FindMenuItem(item);
        return entry ? *entry : MenuItemState{};
    });
}

} // namespace dg::headless
