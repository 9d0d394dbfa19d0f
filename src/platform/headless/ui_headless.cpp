// The user-interface operations on the in-memory windows. Operations on windows and
// controls are carried out by the program thread (Carry); menu items, shortcuts, dialogs,
// the clipboard and document launches act at once from any thread, as on the real platform.
#include "platform/folder_source.h"
#include "platform/headless/world.h"
#include "platform/portable/folder_tree.h"
#include "platform/system.h"
#include "platform/tree.h"
#include "platform/ui.h"

#include <algorithm>

namespace dg::headless::detail {

namespace {

// The directory tree: the folder tree model over the system's folder source.
FolderTree& Model(ControlData& tree) {
    if (!tree.tree)
        tree.tree = std::make_shared<FolderTree>(SystemFolderSource());
    return *tree.tree;
}

void ShowSelection(ControlData& tree) {
    tree.state.text = Model(tree).Text();
}

// SetControlText on the tree: rebuilds and/or selects, as the real tree does.
void SetTreeText(ControlData& tree, const std::string& text) {
    Model(tree).SetText(text);
    ShowSelection(tree);
}

} // namespace

bool ClickTreePath(ControlData& tree, const std::string& path) {
    FolderTree& model = Model(tree);
    FolderNode* node = path.empty() ? model.Computer() : model.Find(path);
    if (node == nullptr || node == model.Selected())
        return false;
    model.Select(node);
    ShowSelection(tree);
    return true;
}

} // namespace dg::headless::detail

namespace dg {

using headless::detail::Carry;
using headless::detail::ControlData;
using headless::detail::Direct;
using headless::detail::WindowData;
using headless::detail::WorldData;

namespace {

using ControlChange = std::function<void(WorldData&, ControlData&)>;
using WindowChange = std::function<void(WorldData&, WindowData&)>;

// The change, on the program thread, to the control when it exists and is of that kind.
void OnControl(int control, ControlKind kind, const ControlChange& change) {
    Carry([&](WorldData& w) {
        if (ControlData* data = w.FindControl(control, kind))
            change(w, *data);
    });
}

void OnWindow(int window, const WindowChange& change) {
    Carry([&](WorldData& w) {
        if (WindowData* data = w.OpenWindow(window))
            change(w, *data);
    });
}

void AddControl(int window, int control, ControlKind kind, ControlRect rect,
                const std::string& text = {}, int style = 0, bool isDefault = false) {
    OnWindow(window, [&](WorldData& w, WindowData& data) {
        w.controls[control] = {{.kind = kind,
                                .window = window,
                                .rect = rect,
                                .text = text,
                                .style = style,
                                .isDefault = isDefault,
                                .enabled = true,
                                .visible = true},
                               {}};
        std::erase(data.controls, control);
        data.controls.push_back(control);
    });
}

} // namespace

bool OpenWindow(int window, int innerWidth, int innerHeight, const std::string& title,
                int attributes) {
    bool result = false;
    Carry([&](WorldData& w) {
        if (w.failingWindows.count(window))
            return;
        w.CloseWindowData(window);
        w.windows[window] = {.open = true,
                             .title = title,
                             .innerWidth = innerWidth,
                             .innerHeight = innerHeight,
                             .attributes = attributes,
                             .enabled = true};
        w.activeWindow = window;
        w.Log("OpenWindow", window, attributes, title);
        result = true;
    });
    return result;
}

void CloseWindow(int window) {
    OnWindow(window, [&](WorldData& w, WindowData&) {
        w.CloseWindowData(window);
        w.Log("CloseWindow", window, 0);
    });
}

int GetWindowState(int window) {
    int state = WindowNormal;
    OnWindow(window, [&](WorldData&, WindowData& data) { state = data.state; });
    return state;
}

void SetWindowState(int window, int state) {
    OnWindow(window, [&](WorldData&, WindowData& data) { data.state = state; });
}

void ActivateWindow(int window) {
    OnWindow(window, [&](WorldData& w, WindowData&) { w.activeWindow = window; });
}

void KeepOnTop(int window, bool onTop) {
    OnWindow(window, [&](WorldData&, WindowData& data) { data.keepOnTop = onTop; });
}

void CreateTextField(int window, int control, ControlRect rect, int style) {
    AddControl(window, control, ControlKind::TextField, rect, "", style);
}

void CreateLabel(int window, int control, ControlRect rect, const std::string& text) {
    AddControl(window, control, ControlKind::Label, rect, text);
}

void CreateButton(int window, int control, ControlRect rect, const std::string& text,
                  bool isDefault) {
    AddControl(window, control, ControlKind::Button, rect, text, 0, isDefault);
}

void CreateList(int window, int control, ControlRect rect) {
    AddControl(window, control, ControlKind::List, rect);
}

void AddListColumn(int list, const std::string& title, int width) {
    OnControl(list, ControlKind::List, [&](WorldData&, ControlData& data) {
        data.state.columns.push_back({title, width});
    });
}

void CreateProgressBar(int window, int control, ControlRect rect) {
    AddControl(window, control, ControlKind::Bar, rect);
}

bool CreateDirectoryTree(int window, int control, ControlRect rect, const std::string& initialPath,
                         int) {
    AddControl(window, control, ControlKind::Tree, rect);
    bool result = false;
    OnControl(control, ControlKind::Tree, [&](WorldData&, ControlData& tree) {
        headless::detail::SetTreeText(tree, "");
        headless::detail::SetTreeText(tree, initialPath);
        result = true;
    });
    return result;
}

void CreateStatusBar(int window, int fieldWidth) {
    OnWindow(window, [&](WorldData&, WindowData& data) {
        data.statusFieldWidth = fieldWidth;
        data.statusText.clear();
    });
}

bool CreateMenuBar(int window) {
    bool result = false;
    // Only MainWindow has one.
    OnWindow(MainWindow, [&](WorldData& w, WindowData&) {
        w.menus.clear();
        result = window == MainWindow;
    });
    return result;
}

void AddMenu(const std::string& label) {
    Carry([&](WorldData& w) { w.menus.push_back({label, {}}); });
}

void AddMenuItem(int item, const std::string& label) {
    Carry([&](WorldData& w) {
        if (!w.menus.empty())
            w.menus.back().items.push_back({item, label, true});
    });
}

void DisableMenuItem(int menu, int item, bool greyed) {
    Direct([&](WorldData& w) {
        if (headless::MenuItemState* entry = menu == MenuBar ? w.FindMenuItem(item) : nullptr)
            entry->enabled = !greyed;
    });
}

void AddShortcut(int window, int shortcut, int item) {
    Direct([&](WorldData& w) {
        if (WindowData* data = w.OpenWindow(window)) {
            std::erase_if(data->shortcuts,
                          [&](const auto& entry) { return entry.value == shortcut; });
            data->shortcuts.push_back({shortcut, item});
        }
    });
}

void RemoveShortcut(int window, int shortcut) {
    Direct([&](WorldData& w) {
        if (WindowData* data = w.OpenWindow(window))
            std::erase_if(data->shortcuts, [&](const auto& entry) {
                return shortcut == -1 || entry.value == shortcut;
            });
    });
}

void SetStatusText(int statusBar, int field, const std::string& text) {
    OnWindow(MainWindow, [&](WorldData& w, WindowData& data) {
        if (statusBar != StatusBar || field != 0 || data.statusFieldWidth < 0)
            return;
        data.statusText = text;
        w.Log("SetStatusText", statusBar, field, text);
    });
}

void SetControlText(int control, const std::string& text) {
    OnControl(control, ControlKind::None, [&](WorldData&, ControlData& data) {
        // The case styles convert what is put into the field, as the edit control does.
        if (data.state.kind == ControlKind::Tree)
            headless::detail::SetTreeText(data, text);
        else if (data.state.style & FieldUpperCase)
            data.state.text = UpperCase(text);
        else if (data.state.style & FieldLowerCase)
            data.state.text = LowerCase(text);
        else
            data.state.text = text;
    });
}

std::string GetControlText(int control) {
    std::string text;
    OnControl(control, ControlKind::None,
              [&](WorldData&, ControlData& data) { text = data.state.text; });
    return text;
}

void SetControlColor(int control, int kind, int colour) {
    // The program colours only backgrounds.
    OnControl(control, ControlKind::None, [&](WorldData&, ControlData& data) {
        if (kind == ColourBackground)
            data.state.backgroundColour = colour;
    });
}

void DisableControl(int control, bool disabled) {
    OnControl(control, ControlKind::None,
              [&](WorldData&, ControlData& data) { data.state.enabled = !disabled; });
}

void HideControl(int control, bool hidden) {
    OnControl(control, ControlKind::None, [&](WorldData& w, ControlData& data) {
        data.state.visible = !hidden;
        w.Log("HideControl", control, hidden);
    });
}

int GetControlState(int control) {
    int result = 0;
    OnControl(control, ControlKind::None, [&](WorldData&, ControlData& data) {
        result = data.state.kind == ControlKind::List ? data.state.selectedRow : data.state.value;
    });
    return result;
}

void SetControlState(int control, int value) {
    OnControl(control, ControlKind::Bar, [&](WorldData& w, ControlData& data) {
        data.state.value = std::clamp(value, 0, 100);
        w.Log("SetControlState", control, data.state.value);
    });
}

// Rows are only appended (position -1).
void AddListRow(int list, int, const std::string& text) {
    OnControl(list, ControlKind::List, [&](WorldData&, ControlData& data) {
        data.state.rows.push_back(SplitListRow(text, static_cast<int>(data.state.columns.size())));
    });
}

std::string GetListCellText(int list, int row, int column) {
    std::string text;
    OnControl(list, ControlKind::List, [&](WorldData&, ControlData& data) {
        // Row -1 is the column titles.
        const auto& rows = data.state.rows;
        const auto& columns = data.state.columns;
        if (row == -1 && column >= 0 && column < static_cast<int>(columns.size()))
            text = columns[column].title;
        else if (row >= 0 && row < static_cast<int>(rows.size()) && column >= 0 &&
                 column < static_cast<int>(rows[row].size()))
            text = rows[row][column];
    });
    return text;
}

int CountListRows(int list) {
    int count = 0;
    OnControl(list, ControlKind::List, [&](WorldData&, ControlData& data) {
        count = static_cast<int>(data.state.rows.size());
    });
    return count;
}

void ClearList(int list) {
    OnControl(list, ControlKind::List, [&](WorldData&, ControlData& data) {
        data.state.rows.clear();
        data.state.selectedRow = -1;
    });
}

int ShowMessage(const std::string& title, const std::string& text, int flags) {
    constexpr int okButton = 1;
    Direct([&](WorldData& w) { w.Log("ShowMessage", flags, 0, title + "|" + text); });
    return okButton;
}

std::string ChooseFileToOpen(const std::string& title, const std::string& initialPath,
                             const std::string& pattern, int patternIndex) {
    WorldData& w = headless::detail::World();
    std::unique_lock<std::mutex> lock(w.lock);
    const auto ended = [&] { return w.phase == headless::detail::Phase::Ended; };
    if (ended())
        return {};
    // Modal to the active window, which takes no input until the dialog closes.
    const int owner = w.OpenWindow(w.activeWindow) ? w.activeWindow : -1;
    const auto enableOwner = [&](bool enabled) {
        if (WindowData* data = w.OpenWindow(owner))
            data->enabled = enabled;
    };
    enableOwner(false);
    ++w.dialogsOpen;
    w.Log("FileDialogOpened", owner, patternIndex, title + "|" + initialPath + "|" + pattern);
    w.Touch();
    w.changed.wait(lock, [&] { return !w.dialogAnswers.empty() || ended(); });
    std::string answer;
    if (!w.dialogAnswers.empty()) {
        answer = w.dialogAnswers.front();
        w.dialogAnswers.pop_front();
    }
    --w.dialogsOpen;
    enableOwner(true);
    w.Log("FileDialogClosed", owner, 0, answer);
    w.Touch();
    return answer;
}

std::string GetClipboardText() {
    std::string text;
    Direct([&](WorldData& w) { text = w.clipboard; });
    return text;
}

bool LaunchProgram(const std::string& program, const std::string& parameters,
                   const std::string& workingDirectory, int flags) {
    bool result = false;
    Direct([&](WorldData& w) {
        result = w.launchResult;
        w.Log("LaunchProgram", flags, result, program + "|" + parameters + "|" + workingDirectory);
    });
    return result;
}

} // namespace dg
