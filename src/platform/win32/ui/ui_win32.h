// Shared state of the Win32 user-interface backend: the window table, the control registry,
// the event record and the hand-over of calls from worker threads to the main thread.
#pragma once

#include "platform/ids.h"
#include "platform/portable/controls.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

namespace dg {
class FolderSource;
struct ControlRect;
} // namespace dg

namespace dg::win32 {

// Menu items and accelerators use native ids offset from the item numbers: Wine's
// TranslateAccelerator looks ids up in the system menu first, where a separator has id 0.
constexpr int MenuCommandBase = 1000;
// Tab and Shift+Tab are in every window's accelerator table and move the focus.
constexpr int FocusNextCommand = 2000;
constexpr int FocusPreviousCommand = 2001;

// A native handle released by Release when replaced or destroyed; never copied.
template <class Handle, auto Release> class Owned {
public:
    Owned() = default;
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    [[nodiscard]] Handle Get() const { return handle_; }
    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr)
            Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

inline void DeleteBrush(HBRUSH brush) {
    DeleteObject(brush);
}
using OwnedBrush = Owned<HBRUSH, DeleteBrush>;

// Written by the main thread only, under the registry lock; read by any thread without one.
struct ControlEntry {
    std::atomic<HWND> hwnd{nullptr};
    std::atomic<ControlKind> kind{ControlKind::None};
    std::atomic<int> window{-1};
    // Main thread only.
    int columns = 0;
    RememberedRow rememberedRow;
    COLORREF textColour = CLR_INVALID;
    COLORREF backColour = CLR_INVALID;
    OwnedBrush backBrush;
};

[[nodiscard]] ControlEntry* FindControl(int control);
[[nodiscard]] HWND WindowHandle(int window);
// The status bar of a window (status bar number = window number), or null.
[[nodiscard]] HWND StatusBarHandle(int window);
void SetStatusBarHandle(int window, HWND statusBar);
// The window number of a top-level window of ours, or -1.
[[nodiscard]] int WindowNumber(HWND hwnd);

// Registers a native control created as a child of window with id = control. Main thread.
void RegisterControl(int window, int control, HWND hwnd, ControlKind kind);

// Runs action on the thread that owns the window: at once when that is the calling thread,
// otherwise as a sent message that returns when the action is done.
void RunOnWindowThread(int window, const std::function<void()>& action);

// Events of the calling thread.
void RecordEvent(EventKind kind, int object, int window, int type);
void QueueEvent(EventKind kind, int object, int window, int type);
// A closed window sends no more events: its waiting ones are dropped.
void DropEventsOf(int window);

// Window procedure pieces kept beside the controls and menus they serve.
bool HandleControlColour(HWND control, HDC dc, LRESULT& result);
bool HandleListNotify(int window, const NMHDR& header);
bool HandleTreeNotify(int window, const NMHDR& header, LRESULT& result);
// Volumes arrived or went: the trees in that top-level window follow.
void HandleDeviceChange(HWND topLevel, WPARAM event, LPARAM data);
// The directory tree's text (GetControlText and SetControlText). Main thread.
[[nodiscard]] std::string TreeText(HWND tree);
void SetTreeText(HWND tree, const std::string& text);
// CreateDirectoryTree over the given source.
[[nodiscard]] bool CreateTree(int window, int control, const ControlRect& rect,
                              const std::string& initialPath, FolderSource& source);
// Forget what belonged to a window being destroyed.
void ReleaseControlsOf(int window);
void ReleaseMenusOf(int window);
// Offers a message to the active window's shortcut table; true when it was taken.
bool TranslateShortcut(MSG& message);
// Wine paints a status bar as soon as its text changes, and redraws a list's scroll bar as
// soon as a new row changes its range: 3 to 17 ms each, mostly wineserver round trips inside
// its drawing, and a listing does both for every file. So within a burst of changes (less
// than a tick apart) painting is held back: the first change of a burst is painted at once,
// a held control at the next tick, or catchUpMs after it was held. The change itself is
// always made at once. Main thread.
void BeforeCostlyPaint(HWND control, DWORD catchUpMs);
// Paints a held control now, before a change that must show at once.
void PaintHeld(HWND control);
// The window procedure's WM_TIMER; true when it was the paint timer's.
bool OnPaintTick(HWND topLevel, WPARAM timer);
void ForgetHeldPainting(HWND topLevel);
// Sizes and centres the window so that its client area has the size it was opened with.
void FitClientArea(int window);

} // namespace dg::win32
