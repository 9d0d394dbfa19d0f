// The contract tests' driver for the Win32 backend: real mouse and keyboard input on real
// windows, and WaitEvent pumped with a time limit.
#include "contract/contract.h"
#include "win32_test_support.h"

#include <algorithm>

namespace dg::contract {

using namespace dg::test;

namespace {

// The key with its modifiers held down around it.
void SendKey(int shortcut) {
    std::vector<BYTE> keys;
    for (const auto& [bit, key] : {std::pair{ShiftKey, VK_SHIFT}, std::pair{CtrlKey, VK_CONTROL},
                                   std::pair{AltKey, VK_MENU}})
        if (shortcut & bit)
            keys.push_back(static_cast<BYTE>(key));
    keys.push_back(static_cast<BYTE>(shortcut));
    for (BYTE key : keys)
        keybd_event(key, 0, 0, 0);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
}

// The events until the list raises one of that type (-1: of any type), then a little longer
// for late ones.
Events UntilListEvent(int type) {
    Events events = PumpEvents(3000, [type](const Events& seen) {
        return std::any_of(seen.begin(), seen.end(), [type](const Event& event) {
            return event.kind == EventControl && event.object == ResultList &&
                   (type < 0 || event.type == type);
        });
    });
    for (const Event& late : PumpEvents(150))
        events.push_back(late);
    return events;
}

} // namespace

void StartPlatform() {
    InitialisePlatform();
}

bool Activate(int window) {
    HWND hwnd = win32::WindowHandle(window);
    const auto active = [hwnd] {
        return GetForegroundWindow() == hwnd && GetActiveWindow() == hwnd;
    };
    ActivateWindow(window);
    PumpEvents(3000, [&](const Events&) { return active(); });
    return active();
}

Events EventsNow() {
    return PumpEvents(150);
}

Events ClickRow(int row) {
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
    return UntilListEvent(ListLeftClick);
}

Events ArrowDown() {
    SendKey(VK_DOWN);
    return UntilListEvent(-1);
}

Events PressKey(int shortcut) {
    SendKey(shortcut);
    return PumpEvents(400);
}

void ClickButton(int control) {
    PostMessageA(ControlHandle(control), BM_CLICK, 0, 0);
}

void PressCloseBox(int window) {
    SendMessageA(win32::WindowHandle(window), WM_CLOSE, 0, 0);
}

bool WindowShown(int window) {
    return IsWindowVisible(win32::WindowHandle(window)) != FALSE;
}

void FocusAndSelectAll(int field) {
    SetFocus(ControlHandle(field));
    SendMessageA(ControlHandle(field), EM_SETSEL, 0, -1);
}

void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

// What the window procedure hands the field when it is painted. The text's own background
// must be the fill's colour; when it is not, the background is given as -2.
Paint FieldPaint(int field) {
    HWND hwnd = ControlHandle(field);
    HDC dc = GetDC(hwnd);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(hwnd)));
    LOGBRUSH fill{};
    GetObjectA(brush, sizeof(fill), &fill);
    const Paint paint{static_cast<int>(GetTextColor(dc)),
                      GetBkColor(dc) == fill.lbColor ? static_cast<int>(fill.lbColor) : -2};
    ReleaseDC(hwnd, dc);
    return paint;
}

bool ServeWorker(ThreadProcedure procedure) {
    const int worker = StartThread(procedure, 0);
    PumpEvents(20000, [worker](const Seen&) { return !IsThreadRunning(worker); });
    return worker != 0 && !IsThreadRunning(worker);
}

} // namespace dg::contract
