// Top-level windows, their window procedure, the control registry and platform set-up.
#include "ui_win32.h"

#include "platform/ids.h"
#include "platform/system.h"
#include "platform/threads.h"
#include "platform/ui.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <array>
#include <mutex>
#include <vector>

namespace dg {
namespace win32 {
namespace {

constexpr char WindowClassName[] = "DigestoriumWindow";
constexpr UINT RunCallMessage = WM_APP + 1;
// The program icon's resource id in the exe.
constexpr int ProgramIconId = 1;

// A worker's call waiting for the thread of the window it was posted to. The worker sleeps on a
// condition variable, which Wine serves without a round trip to its server; a sent message
// took five more, a third of the time a listing spends on each file beyond its pause.
struct PendingCall {
    HWND hwnd;
    const std::function<void()>* action;
    bool done = false;
};
SRWLOCK callLock = SRWLOCK_INIT;
CONDITION_VARIABLE callDone = CONDITION_VARIABLE_INIT;
std::vector<PendingCall*> pendingCalls;

// Ends the waits of the calls that meet the condition, which run or will never run.
template <class Condition> void EndCalls(Condition condition) {
    AcquireSRWLockExclusive(&callLock);
    std::erase_if(pendingCalls, [&](PendingCall* call) {
        if (!condition(call))
            return false;
        call->done = true;
        return true;
    });
    ReleaseSRWLockExclusive(&callLock);
    WakeAllConditionVariable(&callDone);
}

// Off the pending list before it runs, so that a window the call itself destroys cannot end
// its wait early; a call no longer listed was dropped with its window.
void RunPostedCall(PendingCall* posted) {
    AcquireSRWLockExclusive(&callLock);
    const auto listed = std::find(pendingCalls.begin(), pendingCalls.end(), posted);
    const bool found = listed != pendingCalls.end();
    if (found)
        pendingCalls.erase(listed);
    ReleaseSRWLockExclusive(&callLock);
    if (!found)
        return;
    (*posted->action)();
    AcquireSRWLockExclusive(&callLock);
    posted->done = true;
    ReleaseSRWLockExclusive(&callLock);
    WakeAllConditionVariable(&callDone);
}

struct WindowSlot {
    std::atomic<HWND> hwnd{nullptr};
    std::atomic<HWND> statusBar{nullptr};
    // In design pixels.
    int innerWidth = 0;
    int innerHeight = 0;
    int statusFieldWidth = 0;
    int dpi = DesignDpi;
};

std::array<WindowSlot, WindowCount> windows;
std::array<ControlEntry, ControlCount> controls;
std::mutex registryLock;

bool ValidWindow(int window) {
    return window >= 0 && window < WindowCount;
}

void OnCommand(HWND hwnd, int window, WPARAM wParam, LPARAM lParam) {
    int id = LOWORD(wParam);
    if (lParam != 0) {
        RecordEvent(EventControl, id, window, HIWORD(wParam));
    } else if (id == FocusNextCommand || id == FocusPreviousCommand) {
        HWND next = GetNextDlgTabItem(hwnd, GetFocus(), id == FocusPreviousCommand);
        if (next != nullptr) {
            SetFocus(next);
        }
    } else if (id >= MenuCommandBase) {
        RecordEvent(EventMenu, id - MenuCommandBase, window, 0);
    }
}

bool OnNotify(int window, const NMHDR& header, LRESULT& result) {
    ControlEntry* entry = FindControl(static_cast<int>(header.idFrom));
    if (entry == nullptr || entry->hwnd != header.hwndFrom) {
        return false;
    }
    return HandleListNotify(window, header) || HandleTreeNotify(window, header, result);
}

// Moved to a monitor of another DPI: the window takes the rectangle Windows suggests, and its
// controls and status line are laid out again for the new DPI.
void OnDpiChanged(HWND hwnd, int window, int dpi, const RECT& suggested) {
    if (!ValidWindow(window) || windows[window].hwnd != hwnd)
        return;
    windows[window].dpi = dpi;
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (ControlEntry& entry : controls) {
        if (entry.window == window && entry.hwnd != nullptr)
            RescaleControl(entry, dpi);
    }
    FitLabels(window);
    HWND statusBar = windows[window].statusBar;
    if (statusBar != nullptr) {
        SendMessageA(statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(InterfaceFont(dpi)), TRUE);
        int fieldWidth = Scaled(windows[window].statusFieldWidth, dpi);
        SendMessageA(statusBar, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&fieldWidth));
    }
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    int window = static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)) - 1;
    LRESULT result = 0;
    switch (message) {
    case RunCallMessage:
        RunPostedCall(reinterpret_cast<PendingCall*>(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(hwnd, window, wParam, lParam);
        return 0;
    case WM_CLOSE:
        // The logic decides whether the window closes.
        QueueEvent(EventCloseWindow, window, window, 0);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (HandleControlColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                                result)) {
            return result;
        }
        break;
    case WM_NOTIFY:
        if (OnNotify(window, *reinterpret_cast<const NMHDR*>(lParam), result)) {
            return result;
        }
        break;
    case WM_TIMER:
        if (OnPaintTick(hwnd, wParam)) {
            return 0;
        }
        break;
    case WM_DPICHANGED:
        OnDpiChanged(hwnd, window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_DEVICECHANGE:
        HandleDeviceChange(hwnd, wParam, lParam);
        break;
    case WM_NCDESTROY:
        // Calls posted to a window that is gone are dropped, as messages sent to it would be.
        EndCalls([hwnd](const PendingCall* call) { return call->hwnd == hwnd; });
        if (ValidWindow(window) && windows[window].hwnd == hwnd) {
            ReleaseControlsOf(window);
            ReleaseMenusOf(window);
            DropEventsOf(window);
            ForgetHeldPainting(hwnd);
            windows[window].statusBar = nullptr;
            windows[window].hwnd = nullptr;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterWindowClass() {
    static const bool registered = [] {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ProgramIconId));
        if (windowClass.hIcon == nullptr) {
            windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        }
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = WindowClassName;
        return RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;
}

void MoveToCentre(HWND hwnd, int outerWidth, int outerHeight) {
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    outerWidth = std::min(outerWidth, screenWidth);
    outerHeight = std::min(outerHeight, screenHeight);
    SetWindowPos(hwnd, nullptr, (screenWidth - outerWidth) / 2, (screenHeight - outerHeight) / 2,
                 outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

ControlEntry* FindControl(int control) {
    if (control < 0 || control >= ControlCount || controls[control].hwnd == nullptr) {
        return nullptr;
    }
    return &controls[control];
}

HWND WindowHandle(int window) {
    return ValidWindow(window) ? windows[window].hwnd.load() : nullptr;
}

HWND StatusBarHandle(int window) {
    return ValidWindow(window) ? windows[window].statusBar.load() : nullptr;
}

void SetStatusBarHandle(int window, HWND statusBar, int fieldWidth) {
    if (ValidWindow(window)) {
        windows[window].statusBar = statusBar;
        windows[window].statusFieldWidth = fieldWidth;
    }
}

int WindowDpi(int window) {
    return ValidWindow(window) ? windows[window].dpi : DesignDpi;
}

int WindowNumber(HWND hwnd) {
    for (int window = 0; window < WindowCount; ++window) {
        if (hwnd != nullptr && windows[window].hwnd == hwnd) {
            return window;
        }
    }
    return -1;
}

void RegisterControl(int window, int control, HWND hwnd, ControlKind kind, ControlRect place) {
    if (control < 0 || control >= ControlCount) {
        DestroyWindow(hwnd);
        return;
    }
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(InterfaceFont(WindowDpi(window))), 0);
    std::lock_guard<std::mutex> lock(registryLock);
    ControlEntry& entry = controls[control];
    entry.place = place;
    entry.columnWidths.clear();
    entry.rememberedRow = {};
    entry.textColour = CLR_INVALID;
    entry.backColour = CLR_INVALID;
    entry.backBrush.Reset();
    entry.window = window;
    entry.kind = kind;
    entry.hwnd = hwnd;
}

void ReleaseControlsOf(int window) {
    std::lock_guard<std::mutex> lock(registryLock);
    for (ControlEntry& entry : controls) {
        if (entry.window != window) {
            continue;
        }
        entry.hwnd = nullptr;
        entry.kind = ControlKind::None;
        entry.window = -1;
        entry.backBrush.Reset();
    }
}

void RunOnWindowThread(int window, const std::function<void()>& action) {
    HWND hwnd = WindowHandle(window);
    if (hwnd == nullptr) {
        return;
    }
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
        action();
        return;
    }
    PendingCall call{hwnd, &action};
    AcquireSRWLockExclusive(&callLock);
    pendingCalls.push_back(&call);
    ReleaseSRWLockExclusive(&callLock);
    if (!PostMessageA(hwnd, RunCallMessage, 0, reinterpret_cast<LPARAM>(&call))) {
        EndCalls([&call](const PendingCall* each) { return each == &call; });
        return;
    }
    AcquireSRWLockExclusive(&callLock);
    while (!call.done)
        SleepConditionVariableSRW(&callDone, &callLock, INFINITE, 0);
    ReleaseSRWLockExclusive(&callLock);
}

void FitClientArea(int window) {
    HWND hwnd = WindowHandle(window);
    if (hwnd == nullptr) {
        return;
    }
    const WindowSlot& slot = windows[window];
    const int innerWidth = Scaled(slot.innerWidth, slot.dpi);
    const int innerHeight = Scaled(slot.innerHeight, slot.dpi);
    RECT outer{0, 0, innerWidth, innerHeight};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)),
                       GetMenu(hwnd) != nullptr,
                       static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    MoveToCentre(hwnd, width, height);
    // A menu bar that wraps onto a second line is taller than the frame metrics say.
    RECT client{};
    GetClientRect(hwnd, &client);
    int missing = innerHeight - (client.bottom - client.top);
    if (missing > 0 && client.right - client.left == innerWidth) {
        MoveToCentre(hwnd, width, height + missing);
    }
}

} // namespace win32

using namespace win32;

bool OpenWindow(int window, int innerWidth, int innerHeight, const std::string& title,
                int attributes) {
    if (!ValidWindow(window)) {
        return false;
    }
    RegisterWindowClass();
    if (WindowHandle(window) != nullptr) {
        CloseWindow(window);
    }
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    if ((attributes & WindowMinimizeBox) != 0) {
        style |= WS_MINIMIZEBOX;
    }
    HWND hwnd = CreateWindowExA(0, WindowClassName, title.c_str(), style, 0, 0, 0, 0, nullptr,
                                nullptr, GetModuleHandleA(nullptr),
                                reinterpret_cast<LPVOID>(static_cast<INT_PTR>(window + 1)));
    if (hwnd == nullptr) {
        return false;
    }
    windows[window].innerWidth = innerWidth;
    windows[window].innerHeight = innerHeight;
    windows[window].dpi = DpiOfWindow(hwnd);
    windows[window].hwnd = hwnd;
    FitClientArea(window);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
    SetForegroundWindow(hwnd);
    return true;
}

void CloseWindow(int window) {
    HWND hwnd = WindowHandle(window);
    if (hwnd != nullptr) {
        DestroyWindow(hwnd);
    }
}

int GetWindowState(int window) {
    HWND hwnd = WindowHandle(window);
    if (hwnd != nullptr && IsIconic(hwnd)) {
        return WindowMinimized;
    }
    if (hwnd != nullptr && IsZoomed(hwnd)) {
        return WindowMaximized;
    }
    return WindowNormal;
}

void SetWindowState(int window, int state) {
    HWND hwnd = WindowHandle(window);
    if (hwnd != nullptr && state == WindowNormal && (IsIconic(hwnd) || IsZoomed(hwnd))) {
        ShowWindow(hwnd, SW_RESTORE);
    }
}

void ActivateWindow(int window) {
    HWND hwnd = WindowHandle(window);
    if (hwnd != nullptr) {
        SetForegroundWindow(hwnd);
        SetActiveWindow(hwnd);
    }
}

void KeepOnTop(int window, bool onTop) {
    HWND hwnd = WindowHandle(window);
    if (hwnd != nullptr) {
        SetWindowPos(hwnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

long long CurrentLocalDate() {
    return SystemLocalDate();
}

void InitialisePlatform() {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES |
                                                      ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                                      ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    CoInitialize(nullptr);
    RegisterWindowClass();
}

void ReleasePlatform() {
    ReleaseThreadList();
    for (int window = 0; window < WindowCount; ++window) {
        CloseWindow(window);
    }
    CoUninitialize();
}

} // namespace dg
