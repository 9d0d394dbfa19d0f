// The contract tests' driver for the Win32 backend: real mouse and keyboard input on real
// windows, and WaitEvent pumped with a time limit.
#include "contract/contract.h"
#include "win32_test_support.h"

namespace dg::contract {

using namespace dg::test;

namespace {

// The list's event types: until the condition holds, then a little longer for late ones.
std::vector<int> ListTypesUntil(const std::function<bool(const std::vector<int>&)>& done) {
    std::vector<int> types =
        TypesOf(PumpEvents(3000, [&](const Seen& seen) { return done(TypesOf(seen, ResultList)); }),
                ResultList);
    for (int type : TypesOf(PumpEvents(150), ResultList))
        types.push_back(type);
    return types;
}

} // namespace

void StartPlatform() {
    InitialisePlatform();
}

void EndPlatform() {
    ReleasePlatform();
}

bool Activate(int window) {
    return BringToFront(window);
}

std::vector<int> ClickRow(int row) {
    POINT point{};
    if (row >= 0) {
        RECT rect{};
        ListView_GetItemRect(ControlHandle(ResultList), row, &rect, LVIR_BOUNDS);
        point = {rect.left + 40, (rect.top + rect.bottom) / 2};
    } else {
        // Far enough apart that two clicks make no double click.
        static bool left = false;
        left = !left;
        point = {left ? 100 : 300, 80};
    }
    // A left click there, in the screen's absolute mouse coordinates.
    ClientToScreen(ControlHandle(ResultList), &point);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const DWORD x = (point.x * 65536 + width / 2) / width;
    const DWORD y = (point.y * 65536 + height / 2) / height;
    for (const DWORD button : {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
        mouse_event(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | button, x, y, 0, 0);
    return ListTypesUntil(
        [](const std::vector<int>& got) { return !got.empty() && got.back() == ListLeftClick; });
}

std::vector<int> ArrowDown() {
    test::PressKey(VK_DOWN);
    return ListTypesUntil([](const std::vector<int>& got) { return !got.empty(); });
}

std::vector<int> ListEventsNow() {
    return TypesOf(PumpEvents(150), ResultList);
}

std::vector<int> MenuItemsFromKey(int shortcut) {
    std::vector<WORD> modifiers;
    for (const auto& [bit, key] : {std::pair{ShiftKey, VK_SHIFT}, std::pair{CtrlKey, VK_CONTROL},
                                   std::pair{AltKey, VK_MENU}})
        if (shortcut & bit)
            modifiers.push_back(static_cast<WORD>(key));
    test::PressKey(static_cast<WORD>(shortcut & 0xFFFF), modifiers);
    std::vector<int> items;
    for (const SeenEvent& event : PumpEvents(400))
        if (event.kind == EventMenu)
            items.push_back(event.object);
    return items;
}

bool MenuItemGreyed(int item) {
    HMENU bar = GetMenu(win32::WindowHandle(MainWindow));
    return (GetMenuState(bar, win32::MenuCommandBase + item, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

bool ServeWorker(ThreadProcedure procedure) {
    const int worker = StartThread(procedure, 0);
    PumpEvents(20000, [worker](const Seen&) { return !IsThreadRunning(worker); });
    return worker != 0 && !IsThreadRunning(worker);
}

} // namespace dg::contract
