// Real windows for the Win32 backend tests: a fixture that owns the platform, event pumping
// with a time limit, and real mouse and keyboard input.
#pragma once

#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"
#include "platform/win32/ui/ui_win32.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace dg::test {

struct SeenEvent {
    int kind;
    int object;
    int window;
    int type;

    bool operator==(const SeenEvent&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const SeenEvent& event) {
    return out << "{" << event.kind << ", " << event.object << ", " << event.window << ", "
               << event.type << "}";
}

// Runs WaitEvent until the condition holds or the time is up; a thread timer keeps WaitEvent
// from blocking for good. Returns the events of the three kinds the logic acts on.
using Seen = std::vector<SeenEvent>;

inline Seen PumpEvents(int milliseconds, const std::function<bool(const Seen&)>& done = nullptr) {
    Seen seen;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(milliseconds)) {
        int kind = WaitEvent();
        // A raw message that shares a number with an event kind names no window.
        if ((kind == EventControl || kind == EventMenu || kind == EventCloseWindow) &&
            EventWindowNumber() >= 0) {
            seen.push_back({kind, EventControlNumber(), EventWindowNumber(), EventType()});
        }
        if (done && done(seen)) {
            break;
        }
    }
    KillTimer(nullptr, timer);
    return seen;
}

inline std::vector<int> TypesOf(const Seen& events, int control) {
    std::vector<int> types;
    for (const SeenEvent& event : events) {
        if (event.kind == EventControl && event.object == control) {
            types.push_back(event.type);
        }
    }
    return types;
}

inline HWND ControlHandle(int control) {
    const win32::ControlEntry* entry = win32::FindControl(control);
    return entry != nullptr ? entry->hwnd.load() : nullptr;
}

// Selects a list row as the program would, without input.
inline void SelectRow(int list, int row) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(ControlHandle(list), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&state));
}

// Brings the window to the front and waits until it has the keyboard.
inline bool BringToFront(int window) {
    HWND hwnd = win32::WindowHandle(window);
    ActivateWindow(window);
    PumpEvents(3000, [hwnd](const Seen&) {
        return GetForegroundWindow() == hwnd && GetActiveWindow() == hwnd;
    });
    return GetForegroundWindow() == hwnd && GetActiveWindow() == hwnd;
}

inline INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// A key with modifiers (VK_CONTROL, VK_SHIFT, VK_MENU) held down around it.
inline void PressKey(WORD key, const std::vector<WORD>& modifiers = {}) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) {
        inputs.push_back(Key(modifier, false));
    }
    inputs.push_back(Key(key, false));
    inputs.push_back(Key(key, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        inputs.push_back(Key(*it, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A left click at a point of a window's client area.
inline void ClickAt(HWND hwnd, POINT point) {
    ClientToScreen(hwnd, &point);
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = (point.x * 65536 + width / 2) / width;
        input.mi.dy = (point.y * 65536 + height / 2) / height;
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
}

inline void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

// MainWindow with ResultList and its two columns, as the program builds them.
inline bool OpenWindowWithList(const std::string& title) {
    if (OpenWindow(MainWindow, 560, 295, title, 0) == 0) {
        return false;
    }
    CreateList(MainWindow, ResultList, {15, 100, 528, 95});
    AddListColumn(ResultList, "File Name", 274);
    AddListColumn(ResultList, "MD5", 230);
    return true;
}

// Each test starts with the platform set up and ends with every window closed.
class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitialisePlatform(); }
    static void TearDownTestSuite() { ReleasePlatform(); }
    void TearDown() override {
        for (int window = 0; window < WindowCount; ++window) {
            CloseWindow(window);
        }
        PumpEvents(50);
    }
};

} // namespace dg::test
