// The test side of the headless user interface. The program runs on its own thread; these
// functions are called from the test's thread. Reads take the backend's lock and return
// snapshots; inputs are queued for the program thread, which handles them in WaitEvent as
// the window system would (a disabled control or greyed item ignores them, a shortcut acts
// only while MainWindow is active).
#pragma once

#include "platform/ids.h"
#include "platform/portable/controls.h"
#include "platform/ui.h"

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace dg::headless {

using std::chrono::milliseconds;

// ---- Between programs ----

// Forgets every window, record and scripted answer. No program or worker thread may run.
void ResetWorld();
// Threads started through StartThread that have not yet returned.
[[nodiscard]] int LiveWorkerThreads();
// Calls of worker threads waiting to be carried out.
[[nodiscard]] int WaitingWorkerCalls();

// ---- Waiting ----

// Re-checks the condition whenever the backend changes, at least every 10 ms, until it holds
// or the limit passes. The condition must not be called under the backend's lock.
[[nodiscard]] bool WaitUntil(const std::function<bool()>& condition, milliseconds limit);
// The program has ended, or waits in WaitEvent with no input, event or worker call left.
[[nodiscard]] bool WaitIdle(milliseconds limit);

// ---- Input, as a user gives it ----

enum class Input {
    Click, // the button `target`
    Menu,  // the menu item `target`
    // A key with its modifiers, as a shortcut value (CtrlKey + 'F', AltKey + KeyF4, KeyF1).
    Key,
    CloseBox, // the close box of the window `target`
    // A left click on the row `value` of the list `target`; -1 clicks the empty area below the
    // last row.
    ListClick,
    ListKey, // moves the list's selection to the row `value` with the arrow keys
    // Opens the tree `target` down to the node of the path `text` and clicks it; "" clicks the
    // computer node. The tree's folders are the system's: on POSIX the whole file system is
    // drive C, and GetControlText gives the selected folder's POSIX path. A path without a node
    // changes nothing.
    TreeClick,
    Minimize, // the minimize box of the window `target`
    Activate, // a click on the window `target`
    Post      // an event; given through PostEvent
};
void Give(Input input, int target, int value = 0, const std::string& text = {});
// An event straight into the program's queue, as the platform might produce.
void PostEvent(EventKind kind, int object, int window, int type);

// ---- Scripted answers and records ----

// The operations that tests follow, in the order they were made: "OpenWindow" (window,
// attributes, title), "CloseWindow", "SetStatusText" (bar, field, text), "HideControl" and
// "SetControlState" (control, value), "Delay" (thread number, milliseconds), and with texts
// joined by '|': "FileDialogOpened" (owner, pattern index, title|initial path|pattern),
// "FileDialogClosed" (owner, 0, answer), "ShowMessage" (flags, 0, title|text) and
// "LaunchProgram" (flags, result, program|parameters|working directory).
struct Operation {
    std::string name;
    int target = 0;
    int value = 0;
    std::string text;
};

// What the test scripts and reads back; it lasts until the world is reset.
struct Script {
    // "" stands for a clipboard without text.
    std::string clipboard;
    // Each file dialog returns the first answer at once; "" cancels it. Without an answer
    // the dialog waits for one.
    std::deque<std::string> dialogAnswers;
    int dialogsOpen = 0;
    // LaunchProgram's result.
    bool launchResult = true;
    std::vector<Operation> operations;
    // OpenWindow fails for these window numbers.
    std::set<int> failingWindows;
    // The next StartThread calls that fail.
    int failingThreadStarts = 0;
    // CurrentLocalDate's answer while the clock is held; the system's otherwise.
    std::optional<long long> heldDate;
    // While held, the calls of worker threads wait and the program thread goes on with input
    // and events, as when the workers have not been scheduled yet. WaitIdle does not wait.
    bool callsHeld = false;
};
// Changes the script under the backend's lock.
void Arrange(const std::function<void(Script&)>& change);
[[nodiscard]] Script Recorded();

// ---- State ----

struct ListColumn {
    std::string title;
    int width = 0;
};

struct ControlState {
    ControlKind kind = ControlKind::None;
    int window = -1;
    ControlRect rect;
    std::string text;
    int style = 0;
    bool isDefault = false;
    bool enabled = false;
    bool visible = false;
    int backgroundColour = -1;
    int value = 0;
    std::vector<ListColumn> columns{};
    std::vector<std::vector<std::string>> rows{};
    int selectedRow = -1;
};
[[nodiscard]] ControlState Control(int control);

struct Shortcut {
    int value = 0;
    int item = 0;
};

struct WindowState {
    bool open = false;
    std::string title;
    int innerWidth = 0;
    int innerHeight = 0;
    int attributes = 0;
    int state = WindowNormal;
    bool keepOnTop = false;
    bool enabled = false;
    // Controls in the order they were created.
    std::vector<int> controls{};
    // -1 without a status bar.
    int statusFieldWidth = -1;
    std::string statusText{};
    // In the order they were registered.
    std::vector<Shortcut> shortcuts{};
};
[[nodiscard]] WindowState Window(int window);
// -1 when none of the program's windows is active.
[[nodiscard]] int ActiveWindow();
[[nodiscard]] std::string StatusText();

struct MenuItemState {
    int item = -1;
    std::string label;
    bool enabled = false;
};
struct MenuState {
    std::string label;
    std::vector<MenuItemState> items;
};
// Empty without a menu bar.
[[nodiscard]] std::vector<MenuState> Menus();
// item -1 when there is no such item.
[[nodiscard]] MenuItemState MenuItem(int item);

} // namespace dg::headless
