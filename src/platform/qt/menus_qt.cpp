// Menu bars and keyboard shortcuts. The shortcut tables are matched by the application's key
// filter, not by Qt's shortcut map, which a focused line edit overrides for its own keys.
#include "platform/qt/qt_backend.h"

#include "platform/ui.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace dg {
namespace qt {
namespace {

constexpr int KeyMask = 0xFFFF;
// The virtual-key codes of F1 to F24.
constexpr int FirstFunctionKey = KeyF1;
constexpr int LastFunctionKey = KeyF1 + 23;

struct Shortcut {
    int value;
    int item;
};

struct WindowMenus {
    QMenuBar* bar = nullptr;
    std::map<int, QAction*> items;
    std::vector<Shortcut> shortcuts;
};

// Main thread only: workers change menus and shortcuts through RunOnMain.
std::array<WindowMenus, WindowCount> menus;
int newestBar = -1;
QMenu* newestMenu = nullptr;

WindowMenus* MenusOf(int window) {
    return window >= 0 && window < WindowCount ? &menus[static_cast<std::size_t>(window)] : nullptr;
}

// The shortcut value of a key press; 0 for a key no shortcut can name.
int ShortcutValue(const QKeyEvent& key) {
    int code = 0;
    const int qtKey = key.key();
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        code = qtKey;
    else if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F1 + (LastFunctionKey - FirstFunctionKey))
        code = FirstFunctionKey + (qtKey - Qt::Key_F1);
    else
        return 0;
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    if (modifiers & Qt::ShiftModifier)
        code += ShiftKey;
    if (modifiers & Qt::ControlModifier)
        code += CtrlKey;
    if (modifiers & Qt::AltModifier)
        code += AltKey;
    return code;
}

// The bar spans the window above the inner area.
void FitMenuBar(int window) {
    QMenuBar* bar = menus[static_cast<std::size_t>(window)].bar;
    QWidget* top = WindowWidget(window);
    bar->setGeometry(0, 0, top->width(), bar->sizeHint().height());
    SetMenuBarHeight(window, bar->height());
}

} // namespace

void ReleaseMenusOf(int window) {
    if (WindowMenus* found = MenusOf(window))
        *found = WindowMenus{};
    if (newestBar == window) {
        newestBar = -1;
        newestMenu = nullptr;
    }
}

QAction* MenuAction(int item) {
    const auto found = menus[MainWindow].items.find(item);
    return found != menus[MainWindow].items.end() ? found->second : nullptr;
}

bool HandleShortcut(const QKeyEvent& key) {
    const int window = WindowNumber(QApplication::activeWindow());
    const int value = ShortcutValue(key);
    if (window < 0 || value == 0)
        return false;
    const WindowMenus& table = menus[static_cast<std::size_t>(window)];
    const auto found = std::ranges::find(table.shortcuts, value, &Shortcut::value);
    if (found != table.shortcuts.end()) {
        // A greyed item's shortcut is taken and does nothing.
        const auto item = table.items.find(found->item);
        if (item == table.items.end() || item->second->isEnabled())
            RecordEvent(EventMenu, found->item, window, 0);
        return true;
    }
    // Without a shortcut of its own, Alt+F4 is the close gesture, also where no window
    // manager gives it.
    if (value == AltKey + KeyF4) {
        QueueEvent(EventCloseWindow, window, window, 0);
        return true;
    }
    return false;
}

std::vector<int> ShortcutValues(int window) {
    std::vector<int> values;
    if (const WindowMenus* found = MenusOf(window))
        for (const Shortcut& shortcut : found->shortcuts)
            values.push_back(shortcut.value);
    return values;
}

} // namespace qt

using namespace qt;

bool CreateMenuBar(int window) {
    QWidget* top = WindowWidget(window);
    if (top == nullptr)
        return false;
    WindowMenus& found = menus[static_cast<std::size_t>(window)];
    delete found.bar;
    found = WindowMenus{};
    found.bar = new QMenuBar(top);
    found.bar->show();
    FitMenuBar(window);
    newestBar = window;
    newestMenu = nullptr;
    return true;
}

void AddMenu(const std::string& label) {
    if (WindowMenus* found = MenusOf(newestBar)) {
        newestMenu = found->bar->addMenu(QString::fromStdString(label));
        // The bar's height can change with its first entries.
        FitMenuBar(newestBar);
    }
}

void AddMenuItem(int item, const std::string& label) {
    if (newestMenu == nullptr)
        return;
    QAction* action = newestMenu->addAction(QString::fromStdString(label));
    const int window = newestBar;
    QObject::connect(action, &QAction::triggered,
                     [item, window] { RecordEvent(EventMenu, item, window, 0); });
    menus[static_cast<std::size_t>(window)].items[item] = action;
}

void DisableMenuItem(int menu, int item, bool greyed) {
    RunOnMain([&] {
        const WindowMenus* found = MenusOf(menu);
        if (found == nullptr)
            return;
        const auto action = found->items.find(item);
        if (action != found->items.end())
            action->second->setEnabled(!greyed);
    });
}

void AddShortcut(int window, int shortcut, int item) {
    RunOnMain([&] {
        WindowMenus* found = MenusOf(window);
        if (found == nullptr || WindowWidget(window) == nullptr)
            return;
        const auto existing = std::ranges::find(found->shortcuts, shortcut, &Shortcut::value);
        if (existing != found->shortcuts.end())
            existing->item = item;
        else
            found->shortcuts.push_back({shortcut, item});
    });
}

void RemoveShortcut(int window, int shortcut) {
    RunOnMain([&] {
        if (WindowMenus* found = MenusOf(window))
            std::erase_if(found->shortcuts, [shortcut](const Shortcut& existing) {
                return shortcut == -1 || existing.value == shortcut;
            });
    });
}

} // namespace dg
