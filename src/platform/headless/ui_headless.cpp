// The user-interface operations on the in-memory windows. Operations on windows and
// controls are carried out by the program thread (Carry); menu items, shortcuts, dialogs,
// the clipboard and document launches act at once from any thread, as on the real platform.
#include "platform/headless/tree_headless.h"
#include "platform/headless/world.h"
#include "platform/ids.h"
#include "platform/system.h"
#include "platform/tree.h"
#include "platform/ui.h"

#include <algorithm>

namespace dg {

using headless::ControlState;
using headless::detail::Carry;
using headless::detail::ControlData;
using headless::detail::Direct;
using headless::detail::WindowData;
using headless::detail::WorldData;

namespace {

ControlData* ControlOfKind(WorldData& w, int control, ControlKind kind) {
    ControlData* data = w.FindControl(control);
    return data && data->state.kind == kind ? data : nullptr;
}

void AddControl(int window, int control, ControlState state) {
    Carry([&](WorldData& w) {
        WindowData* data = w.OpenWindow(window);
        if (!data)
            return;
        state.window = window;
        state.enabled = true;
        state.visible = true;
        w.controls[control] = {state, {}};
        std::erase(data->state.controls, control);
        data->state.controls.push_back(control);
        w.Log("CreateControl", control, window, state.text);
    });
}

} // namespace

int OpenWindow(int window, int innerWidth, int innerHeight, const std::string& title,
               int attributes) {
    int result = 0;
    Carry([&](WorldData& w) {
        if (w.failingWindows.count(window))
            return;
        w.CloseWindowData(window);
        WindowData& data = w.windows[window];
        data.state.open = true;
        data.state.title = title;
        data.state.innerWidth = innerWidth;
        data.state.innerHeight = innerHeight;
        data.state.attributes = attributes;
        data.state.enabled = true;
        w.activeWindow = window;
        w.Log("OpenWindow", window, attributes, title);
        result = 1;
    });
    return result;
}

void CloseWindow(int window) {
    Carry([&](WorldData& w) {
        if (!w.OpenWindow(window))
            return;
        w.CloseWindowData(window);
        w.Log("CloseWindow", window, 0);
    });
}

int GetWindowState(int window) {
    int state = WindowNormal;
    Carry([&](WorldData& w) {
        if (const WindowData* data = w.OpenWindow(window))
            state = data->state.state;
    });
    return state;
}

void SetWindowState(int window, int state) {
    Carry([&](WorldData& w) {
        if (WindowData* data = w.OpenWindow(window)) {
            data->state.state = state;
            w.Log("SetWindowState", window, state);
        }
    });
}

void ActivateWindow(int window) {
    Carry([&](WorldData& w) {
        if (w.OpenWindow(window)) {
            w.activeWindow = window;
            w.Log("ActivateWindow", window, 0);
        }
    });
}

void KeepOnTop(int window, int state) {
    Carry([&](WorldData& w) {
        if (WindowData* data = w.OpenWindow(window)) {
            data->state.keepOnTop = state != 0;
            w.Log("KeepOnTop", window, state);
        }
    });
}

void CreateTextField(int window, int control, ControlRect rect, int style) {
    ControlState state;
    state.kind = ControlKind::TextField;
    state.rect = rect;
    state.style = style;
    AddControl(window, control, state);
}

void CreateLabel(int window, int control, ControlRect rect, const std::string& text) {
    ControlState state;
    state.kind = ControlKind::Label;
    state.rect = rect;
    state.text = text;
    AddControl(window, control, state);
}

void CreateButton(int window, int control, ControlRect rect, const std::string& text,
                  bool isDefault) {
    ControlState state;
    state.kind = ControlKind::Button;
    state.rect = rect;
    state.text = text;
    state.isDefault = isDefault;
    AddControl(window, control, state);
}

void CreateList(int window, int control, ControlRect rect) {
    ControlState state;
    state.kind = ControlKind::List;
    state.rect = rect;
    AddControl(window, control, state);
}

void AddListColumn(int list, const std::string& title, int width) {
    Carry([&](WorldData& w) {
        if (ControlData* data = ControlOfKind(w, list, ControlKind::List))
            data->state.columns.push_back({title, width});
    });
}

void CreateProgressBar(int window, int control, ControlRect rect) {
    ControlState state;
    state.kind = ControlKind::Bar;
    state.rect = rect;
    AddControl(window, control, state);
}

int CreateDirectoryTree(int window, int control, ControlRect rect, const std::string& initialPath,
                        int) {
    ControlState state;
    state.kind = ControlKind::Tree;
    state.rect = rect;
    AddControl(window, control, state);
    int result = 0;
    Carry([&](WorldData& w) {
        if (ControlData* tree = ControlOfKind(w, control, ControlKind::Tree)) {
            headless::detail::SetTreeText(*tree, "");
            headless::detail::SetTreeText(*tree, initialPath);
            result = 1;
        }
    });
    return result;
}

void CreateStatusBar(int window, int fieldWidth) {
    Carry([&](WorldData& w) {
        if (WindowData* data = w.OpenWindow(window)) {
            data->state.statusFieldWidth = fieldWidth;
            data->state.statusText.clear();
        }
    });
}

int CreateMenuBar(int window) {
    int result = 0;
    Carry([&](WorldData& w) {
        if (window != MainWindow || !w.OpenWindow(window))
            return;
        w.menuBar = true;
        w.menus.clear();
        result = 1;
    });
    return result;
}

void AddMenu(const std::string& label) {
    Carry([&](WorldData& w) {
        if (!w.menuBar)
            return;
        w.menus.push_back({label, {}});
        w.Log("AddMenu", 0, 0, label);
    });
}

void AddMenuItem(int item, const std::string& label) {
    Carry([&](WorldData& w) {
        if (!w.menuBar || w.menus.empty())
            return;
        w.menus.back().items.push_back({item, label, true});
        w.Log("AddMenuItem", item, 0, label);
    });
}

void DisableMenuItem(int menu, int item, int state) {
    Direct([&](WorldData& w) {
        headless::MenuItemState* entry = menu == MenuBar ? w.FindMenuItem(item) : nullptr;
        if (!entry)
            return;
        entry->enabled = state == 0;
        w.Log("DisableMenuItem", item, state);
    });
}

void AddShortcut(int window, int shortcut, int item) {
    Direct([&](WorldData& w) {
        WindowData* data = w.OpenWindow(window);
        if (!data)
            return;
        auto& table = data->shortcuts;
        const auto same = std::find_if(table.begin(), table.end(),
                                       [&](const auto& entry) { return entry.value == shortcut; });
        if (same != table.end())
            same->item = item;
        else
            table.push_back({shortcut, item});
        w.Log("AddShortcut", shortcut, item);
    });
}

void RemoveShortcut(int window, int shortcut) {
    Direct([&](WorldData& w) {
        WindowData* data = w.OpenWindow(window);
        if (!data)
            return;
        std::erase_if(data->shortcuts,
                      [&](const auto& entry) { return shortcut == -1 || entry.value == shortcut; });
        w.Log("RemoveShortcut", shortcut, 0);
    });
}

void SetStatusText(int statusBar, int field, const std::string& text) {
    Carry([&](WorldData& w) {
        WindowData* data = w.OpenWindow(MainWindow);
        if (statusBar != StatusBar || field != 0 || !data || data->state.statusFieldWidth < 0)
            return;
        data->state.statusText = text;
        w.Log("SetStatusText", statusBar, field, text);
    });
}

void SetControlText(int control, const std::string& text) {
    Carry([&](WorldData& w) {
        ControlData* data = w.FindControl(control);
        if (!data || data->state.kind == ControlKind::List || data->state.kind == ControlKind::Bar)
            return;
        if (data->state.kind == ControlKind::Tree) {
            headless::detail::SetTreeText(*data, text);
            w.Log("SetControlText", control, 0, text);
            return;
        }
        std::string shown = text;
        // The case styles convert what is put into the field, as the edit control does.
        if (data->state.style & FieldUpperCase)
            shown = PlatformUpperCase(shown);
        else if (data->state.style & FieldLowerCase)
            shown = PlatformLowerCase(shown);
        data->state.text = shown;
        w.Log("SetControlText", control, 0, shown);
    });
}

std::string GetControlText(int control) {
    std::string text;
    Carry([&](WorldData& w) {
        const ControlData* data = w.FindControl(control);
        if (data &&
            (data->state.kind == ControlKind::TextField || data->state.kind == ControlKind::Label ||
             data->state.kind == ControlKind::Button || data->state.kind == ControlKind::Tree))
            text = data->state.text;
    });
    return text;
}

void SetControlColor(int control, int kind, int colour) {
    Carry([&](WorldData& w) {
        ControlData* data = w.FindControl(control);
        if (!data ||
            (data->state.kind != ControlKind::TextField && data->state.kind != ControlKind::Label))
            return;
        if (kind == ColourText)
            data->state.textColour = colour;
        else if (kind == ColourBackground)
            data->state.backgroundColour = colour;
        else
            return;
        w.Log("SetControlColor", control, colour, std::to_string(kind));
    });
}

void DisableControl(int control, int state) {
    Carry([&](WorldData& w) {
        if (ControlData* data = w.FindControl(control)) {
            data->state.enabled = state == 0;
            w.Log("DisableControl", control, state);
        }
    });
}

void HideControl(int control, int state) {
    Carry([&](WorldData& w) {
        if (ControlData* data = w.FindControl(control)) {
            data->state.visible = state == 0;
            w.Log("HideControl", control, state);
        }
    });
}

int GetControlState(int control) {
    int result = 0;
    Carry([&](WorldData& w) {
        if (const ControlData* data = w.FindControl(control)) {
            if (data->state.kind == ControlKind::List)
                result = data->state.selectedRow;
            else if (data->state.kind == ControlKind::Bar)
                result = data->state.value;
        }
    });
    return result;
}

void SetControlState(int control, int value) {
    Carry([&](WorldData& w) {
        if (ControlData* data = ControlOfKind(w, control, ControlKind::Bar)) {
            data->state.value = std::clamp(value, 0, 100);
            w.Log("SetControlState", control, data->state.value);
        }
    });
}

void AddListRow(int list, int position, const std::string& text) {
    Carry([&](WorldData& w) {
        ControlData* data = ControlOfKind(w, list, ControlKind::List);
        if (!data)
            return;
        std::vector<std::string> cells =
            SplitListRow(text, static_cast<int>(data->state.columns.size()));
        auto& rows = data->state.rows;
        const int count = static_cast<int>(rows.size());
        const int at = position < 0 || position > count ? count : position;
        rows.insert(rows.begin() + at, cells);
        if (data->state.selectedRow >= at)
            ++data->state.selectedRow;
        w.Log("AddListRow", list, position, text);
    });
}

std::string GetListCellText(int list, int row, int column) {
    std::string text;
    Carry([&](WorldData& w) {
        const ControlData* data = ControlOfKind(w, list, ControlKind::List);
        if (!data || column < 0)
            return;
        const auto& state = data->state;
        if (row == -1) {
            if (column < static_cast<int>(state.columns.size()))
                text = state.columns[column].title;
        } else if (row >= 0 && row < static_cast<int>(state.rows.size()) &&
                   column < static_cast<int>(state.rows[row].size())) {
            text = state.rows[row][column];
        }
    });
    return text;
}

int CountListRows(int list) {
    int count = 0;
    Carry([&](WorldData& w) {
        if (const ControlData* data = ControlOfKind(w, list, ControlKind::List))
            count = static_cast<int>(data->state.rows.size());
    });
    return count;
}

void ClearList(int list) {
    Carry([&](WorldData& w) {
        if (ControlData* data = ControlOfKind(w, list, ControlKind::List)) {
            data->state.rows.clear();
            data->state.selectedRow = -1;
            w.Log("ClearList", list, 0);
        }
    });
}

int ShowMessage(const std::string& title, const std::string& text, int flags) {
    constexpr int okButton = 1;
    Direct([&](WorldData& w) {
        w.messages.push_back({title, text, flags});
        w.Log("ShowMessage", flags, 0, title + "|" + text);
    });
    return okButton;
}

std::string ChooseFileToOpen(const std::string& title, const std::string& initialPath,
                             const std::string& pattern, int patternIndex) {
    WorldData& w = headless::detail::World();
    std::unique_lock<std::mutex> lock(w.lock);
    if (w.phase == headless::detail::Phase::Ended)
        return {};
    // Modal to the active window, which takes no input until the dialog closes.
    WindowData* owner = w.OpenWindow(w.activeWindow);
    const int ownerNumber = owner ? w.activeWindow : -1;
    if (owner)
        owner->state.enabled = false;
    w.dialogCalls.push_back({title, initialPath, pattern, patternIndex});
    ++w.dialogsOpen;
    w.Log("FileDialogOpened", ownerNumber, patternIndex, initialPath);
    w.Touch();
    w.changed.wait(lock, [&] {
        return !w.dialogAnswers.empty() || w.phase == headless::detail::Phase::Ended;
    });
    std::string answer;
    if (!w.dialogAnswers.empty()) {
        answer = w.dialogAnswers.front();
        w.dialogAnswers.pop_front();
    }
    --w.dialogsOpen;
    if (WindowData* again = w.OpenWindow(ownerNumber))
        again->state.enabled = true;
    w.Log("FileDialogClosed", ownerNumber, 0, answer);
    w.Touch();
    return answer;
}

std::string GetClipboardText() {
    WorldData& w = headless::detail::World();
    std::lock_guard<std::mutex> lock(w.lock);
    return w.clipboard == headless::detail::Clipboard::Text ? w.clipboardText : std::string();
}

int LaunchProgram(const std::string& program, const std::string& parameters,
                  const std::string& workingDirectory, int flags) {
    int result = 0;
    Direct([&](WorldData& w) {
        w.launches.push_back({program, parameters, workingDirectory, flags});
        w.Log("LaunchProgram", flags, w.launchResult, program);
        result = w.launchResult;
    });
    return result;
}

} // namespace dg
