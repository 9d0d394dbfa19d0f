// Shared state of the Qt user-interface backend: the window and control registry, the event
// queue and the hand-over of calls from worker threads to the main thread. The registry is
// the main thread's alone: every operation, from whatever thread, runs there. Tests reach
// the widgets through the same functions.
#pragma once

#include "platform/ids.h"
#include "platform/portable/controls.h"

#include <functional>
#include <string>
#include <vector>

class QAction;
class QKeyEvent;
class QWidget;

namespace dg {
struct ControlRect;
} // namespace dg

namespace dg::qt {

class ListModel;
class TreeControl;

struct ControlEntry {
    // Null while the control does not exist.
    QWidget* widget = nullptr;
    ControlKind kind = ControlKind::None;
    int window = -1;
    // Text fields: the case styles of ui.h.
    int style = 0;
    RememberedRow rememberedRow;
    ListModel* list = nullptr;
    TreeControl* tree = nullptr;
};

// Main thread. Null for an unknown number or a control of another kind (None: any kind).
[[nodiscard]] ControlEntry* FindControl(int control, ControlKind kind = ControlKind::None);
// The window's inner area, which holds its controls; null when the window is not open.
[[nodiscard]] QWidget* ClientArea(int window);
// The top-level widget of an open window, or null.
[[nodiscard]] QWidget* WindowWidget(int window);
// The number of one of our top-level widgets, or -1.
[[nodiscard]] int WindowNumber(const QWidget* widget);
// Gives the widget its place in the window and its number; a number out of range is dropped.
void RegisterControl(int window, int control, QWidget* widget, ControlKind kind,
                     const ControlRect& rect);
// The menu bar takes that much above the inner area.
void SetMenuBarHeight(int window, int height);
void ReleaseMenusOf(int window);

// The directory tree's text, as GetControlText and SetControlText give and take it.
[[nodiscard]] std::string TreeText(TreeControl& tree);
void SetTreeText(TreeControl& tree, const std::string& text);

// Runs the action on the main thread: at once when called there, otherwise the caller waits
// until the main thread, waiting in WaitEvent or in a modal dialog, has carried it out.
// After ReleasePlatform calls from other threads are dropped.
void RunOnMain(const std::function<void()>& action);

// Events, main thread. A recorded event (a button, a menu item) is always kept; a queued one
// (a list notification, a close request) is dropped when it repeats the newest waiting one.
void RecordEvent(EventKind kind, int object, int window, int type);
void QueueEvent(EventKind kind, int object, int window, int type);
void DropEventsOf(int window);
// Events recorded or queued that WaitEvent has not yet returned.
[[nodiscard]] bool EventsWaiting();
// From any thread: the event joins the queue after everything Qt has been handed before it.
void PostEvent(EventKind kind, int object, int window, int type);

// The shortcut tables' answer to a key press in the active window; true when taken.
bool HandleShortcut(const QKeyEvent& key);
// The window's shortcut values, in the order they were registered.
[[nodiscard]] std::vector<int> ShortcutValues(int window);
[[nodiscard]] QAction* MenuAction(int item);

} // namespace dg::qt
