// Shared state of the Win32 user-interface backend: the window table, the control registry,
// the event record and the hand-over of calls from worker threads to the main thread.
#pragma once

#include "platform/ids.h"
#include "platform/portable/controls.h"
#include "platform/ui.h"

#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace dg {
class FolderSource;
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

inline void DestroyImageList(HIMAGELIST list) {
    ImageList_Destroy(list);
}
using OwnedImageList = Owned<HIMAGELIST, DestroyImageList>;

// The design's pixels are at 96 DPI; each window scales them by the DPI of its monitor.
constexpr int DesignDpi = 96;
// The interface font's height in pixels at 96 DPI: 8 points.
constexpr int DesignFontHeight = 11;
// A design length at a DPI, rounded to the nearest pixel. Every scaled length goes through it.
[[nodiscard]] int Scaled(int length, int dpi);
[[nodiscard]] RECT Scaled(const ControlRect& rect, int dpi);
// GetDpiForSystem and GetDpiForWindow where user32 has them (Windows 10 1607 on), else the
// screen's DPI.
[[nodiscard]] int SystemDpi();
[[nodiscard]] int ScreenDpi();
[[nodiscard]] int DpiOfWindow(HWND hwnd);
// The stock interface font's face at the DPI, or at a height in pixels; made once per height and
// kept. Main thread.
[[nodiscard]] HFONT InterfaceFont(int dpi);
[[nodiscard]] HFONT InterfaceFontOfHeight(int height);

// Written by the main thread only, under the registry lock; read by any thread without one.
struct ControlEntry {
    std::atomic<HWND> hwnd{nullptr};
    std::atomic<ControlKind> kind{ControlKind::None};
    std::atomic<int> window{-1};
    // Main thread only.
    // Where the logic placed it, in design pixels.
    ControlRect place;
    // A list's columns, in design pixels.
    std::vector<int> columnWidths;
    RememberedRow rememberedRow;
    COLORREF textColour = CLR_INVALID;
    COLORREF backColour = CLR_INVALID;
    OwnedBrush backBrush;
};

[[nodiscard]] ControlEntry* FindControl(int control);
[[nodiscard]] HWND WindowHandle(int window);
// The status bar of a window (status bar number = window number), or null.
[[nodiscard]] HWND StatusBarHandle(int window);
// fieldWidth in design pixels.
void SetStatusBarHandle(int window, HWND statusBar, int fieldWidth);
// The DPI a window is laid out for: its monitor's when it was made or last moved.
[[nodiscard]] int WindowDpi(int window);
// The window number of a top-level window of ours, or -1.
[[nodiscard]] int WindowNumber(HWND hwnd);

// Registers a native control created as a child of window with id = control at the place
// given in design pixels, and gives it the window's font. Main thread.
void RegisterControl(int window, int control, HWND hwnd, ControlKind kind, ControlRect place);
// A control's place, font, columns and icons at the DPI. Main thread.
void RescaleControl(ControlEntry& entry, int dpi);
// Where the system's interface font is wider than the one the layouts were made for, a label's
// text would be cut: the window's labels then share the largest font, down to three quarters
// of the scaled one, at which every one of them is whole.
void FitLabels(int window);
void RescaleTree(HWND tree, int dpi);

// Runs action on the thread that owns the window: at once when that is the calling thread,
// otherwise as a posted message whose caller waits until the action is done, or until the
// window is gone.
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
// The system's list of small icons, made for the system's DPI.
[[nodiscard]] HIMAGELIST SystemSmallIcons();
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
